// Array forms and scalar helpers of the exponential, logarithm, arctangent and root
// kernels. Each array form sets the IEEE environment for the call and restores the
// caller's MXCSR; in place (x == y) is allowed.
#include <cmath>

#include "simd.h"
#include "vm.h"

namespace vek::vm {
namespace {

template <class T> struct VecT;
template <> struct VecT<float> { using type = __m256; };
template <> struct VecT<double> { using type = __m256d; };
template <class T>
using VecOf = typename VecT<T>::type;
inline float elemOf(__m256) { return 0; }
inline double elemOf(__m256d) { return 0; }

template <class T>
VEK_INLINE VecOf<T> ld(const T* p) noexcept {
    if constexpr (sizeof(T) == 4) return _mm256_loadu_ps(p);
    else return _mm256_loadu_pd(p);
}
template <class T>
VEK_INLINE VecOf<T> ldTail(const T* p, std::size_t bytes) noexcept {
    if constexpr (sizeof(T) == 4) return _mm256_castsi256_ps(simd::tailLoad(p, bytes));
    else return _mm256_castsi256_pd(simd::tailLoad(p, bytes));
}

// y[i] = f(x[i]); rare(xv) is a cheap test for lanes that may need a code, and code(xv,
// yv) then gives a lane bit mask per code (c1, c2): the result is the code of the
// highest-indexed element with a bit set. Ordinary vectors pay only for rare().
template <class T, class F, class R, class C>
VEK_INLINE int mapCoded(const T* x, T* y, std::size_t n, F f, R rare, C code) noexcept {
    constexpr std::size_t L = 32 / sizeof(T);
    int last = 0;
    auto note = [&](VecOf<T> xv, VecOf<T> yv, unsigned valid) {
        const auto [c1, m1, c2, m2] = code(xv, yv);
        const unsigned b1 = unsigned(m1) & valid, b2 = unsigned(m2) & valid;
        if (b1 | b2) {
            // The code whose highest lane is higher decides (no lane has both).
            const int t1 = b1 ? 31 - __builtin_clz(b1) : -1, t2 = b2 ? 31 - __builtin_clz(b2) : -1;
            last = t1 > t2 ? c1 : c2;
        }
    };
    std::size_t i = 0;
    for (; i + L <= n; i += L) {
        const VecOf<T> xv = ld(x + i);
        const VecOf<T> yv = f(xv);
        simd::storeu(y + i, simd::casti(yv));
        if (__builtin_expect(rare(xv), 0)) note(xv, yv, (1u << L) - 1);
    }
    if (i < n) {
        const std::size_t bytes = (n - i) * sizeof(T);
        const VecOf<T> xv = ldTail(x + i, bytes);
        const VecOf<T> yv = f(xv);
        simd::tailStore(y + i, simd::casti(yv), bytes);
        note(xv, yv, (1u << (n - i)) - 1);
    }
    return last;
}

template <class T, class F>
VEK_INLINE void mapPlain(const T* x, T* y, std::size_t n, F f) noexcept {
    simd::mapBytes<T>(x, y, n, [&](__m256i v) {
        if constexpr (sizeof(T) == 4) return _mm256_castps_si256(f(_mm256_castsi256_ps(v)));
        else return _mm256_castpd_si256(f(_mm256_castsi256_pd(v)));
    });
}

template <class T, class F>
VEK_INLINE void mapPlain2(const T* a, const T* b, T* y, std::size_t n, F f) noexcept {
    simd::mapBytes2<T>(a, b, y, n, [&](__m256i u, __m256i v) {
        if constexpr (sizeof(T) == 4)
            return _mm256_castps_si256(f(_mm256_castsi256_ps(u), _mm256_castsi256_ps(v)));
        else
            return _mm256_castpd_si256(f(_mm256_castsi256_pd(u), _mm256_castsi256_pd(v)));
    });
}

struct Codes {
    int c1, m1, c2, m2;
};

// Overflow: +inf from a finite argument; underflow: a result below the normal range
// from an argument above -inf.
template <class V>
VEK_INLINE Codes expCodes(V x, V y) noexcept {
    using namespace detail;
    using E = decltype(elemOf(V{}));
    const V inf = set(E(__builtin_inf()));
    const V over = andv(cmp<_CMP_EQ_OQ>(y, inf), cmp<_CMP_NEQ_UQ>(x, inf));
    const V under = andv(cmp<_CMP_LT_OQ>(y, set(std::numeric_limits<E>::min())),
                         cmp<_CMP_NEQ_UQ>(x, set(E(-__builtin_inf()))));
    return {kVmOverflow, bitsOf(over), kVmUnderflow, bitsOf(under)};
}
template <class V>
VEK_INLINE Codes lnCodes(V x, V) noexcept {
    using namespace detail;
    using E = decltype(elemOf(V{}));
    return {kVmSingularity, bitsOf(cmp<_CMP_EQ_OQ>(x, set(E(0)))), kVmDomain,
            bitsOf(cmp<_CMP_LT_OQ>(x, set(E(0))))};
}

}  // namespace

// Lanes that can overflow, underflow or be NaN; and for the logarithm lanes that are
// zero, negative or NaN.
VEK_INLINE bool expRare(__m256 x) noexcept { return detail::any(detail::cmp<_CMP_NLT_UQ>(detail::absf(x), detail::set(87.0f))); }
VEK_INLINE bool expRare(__m256d x) noexcept { return detail::any(detail::cmp<_CMP_NLT_UQ>(detail::absd(x), detail::set(708.0))); }
VEK_INLINE bool lnRare(__m256 x) noexcept { return detail::any(detail::cmp<_CMP_NGT_UQ>(x, _mm256_setzero_ps())); }
VEK_INLINE bool lnRare(__m256d x) noexcept { return detail::any(detail::cmp<_CMP_NGT_UQ>(x, _mm256_setzero_pd())); }

template <class T, class F>
VEK_INLINE int expArray(const T* x, T* y, std::size_t n, F f) noexcept {
    IeeeEnv env;
    return mapCoded(x, y, n, f, [](auto v) { return expRare(v); }, [](auto u, auto v) { return expCodes(u, v); });
}
template <class T, class F>
VEK_INLINE int lnArray(const T* x, T* y, std::size_t n, F f) noexcept {
    IeeeEnv env;
    return mapCoded(x, y, n, f, [](auto v) { return lnRare(v); }, [](auto u, auto v) { return lnCodes(u, v); });
}

int exp(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return expArray(x, y, n, [](__m256 v) { return exp_a24(v); });
    return expArray(x, y, n, [](__m256 v) { return exp_a21(v); });
}
int exp(const double* x, double* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return expArray(x, y, n, [](__m256d v) { return exp_a53(v); });
    return expArray(x, y, n, [](__m256d v) { return exp_a50(v); });
}
int ln(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return lnArray(x, y, n, [](__m256 v) { return ln_a24(v); });
    return lnArray(x, y, n, [](__m256 v) { return ln_a21(v); });
}
int ln(const double* x, double* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return lnArray(x, y, n, [](__m256d v) { return ln_a53(v); });
    return lnArray(x, y, n, [](__m256d v) { return ln_a50(v); });
}

void atan(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain(x, y, n, [](__m256 v) { return atan_a24(v); });
    else mapPlain(x, y, n, [](__m256 v) { return atan_a21(v); });
}
void atan(const double* x, double* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    (void)a;
    mapPlain(x, y, n, [](__m256d v) { return atan_a53(v); });
}
void atan2(const float* y, const float* x, float* r, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain2(y, x, r, n, [](__m256 u, __m256 v) { return atan2_a24(u, v); });
    else mapPlain2(y, x, r, n, [](__m256 u, __m256 v) { return atan2_a21(u, v); });
}
void atan2(const double* y, const double* x, double* r, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain2(y, x, r, n, [](__m256d u, __m256d v) { return atan2_a53(u, v); });
    else mapPlain2(y, x, r, n, [](__m256d u, __m256d v) { return atan2_a50(u, v); });
}

void sqrt(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) {
        mapPlain(x, y, n, [](__m256 v) { return sqrt_a24(v); });
    } else {
        mapPlain(x, y, n, [](__m256 v) {
            const __m256 r = detail::sqrtRsqrtF(v);
            return detail::sqrtNeedsExact(r) ? _mm256_sqrt_ps(v) : r;
        });
    }
}
void sqrt(const double* x, double* y, std::size_t n, Accuracy) noexcept {
    IeeeEnv env;
    mapPlain(x, y, n, [](__m256d v) { return sqrt_a53(v); });
}
void cbrt(const float* x, float* y, std::size_t n, Accuracy) noexcept {
    IeeeEnv env;
    mapPlain(x, y, n, [](__m256 v) { return cbrt_a21(v); });
}

void cbrt(const double* x, double* y, std::size_t n, Accuracy) noexcept {
    IeeeEnv env;
    mapPlain(x, y, n, [](__m256d v) { return cbrt_a53(v); });
}
void pow(const float* x, const float* y, float* r, std::size_t n, Accuracy) noexcept {
    IeeeEnv env;
    mapPlain2(x, y, r, n, [](__m256 u, __m256 v) { return pow_a24(u, v); });
}
void pow(const double* x, const double* y, double* r, std::size_t n, Accuracy) noexcept {
    IeeeEnv env;
    mapPlain2(x, y, r, n, [](__m256d u, __m256d v) { return pow_a53(u, v); });
}

// ---- scalar helpers -------------------------------------------------------------------
using detail::lane0;

double expOne(double x) noexcept {
    IeeeEnv env;
    return lane0(exp_a53(_mm256_set1_pd(x)));
}
double lnOne(double x) noexcept {
    IeeeEnv env;
    return lane0(ln_a53(_mm256_set1_pd(x)));
}
double atan2One(double y, double x) noexcept {
    IeeeEnv env;
    return lane0(atan2_a53(_mm256_set1_pd(y), _mm256_set1_pd(x)));
}
double powOne(double x, double y) noexcept {
    IeeeEnv env;
    return lane0(pow_a53(_mm256_set1_pd(x), _mm256_set1_pd(y)));
}
double sqrtOne(double x) noexcept {
    IeeeEnv env;
    return lane0(_mm256_sqrt_pd(_mm256_set1_pd(x)));
}
float sqrtOneF(float x) noexcept {
    IeeeEnv env;
    return _mm256_cvtss_f32(_mm256_sqrt_ps(_mm256_set1_ps(x)));
}
double floorOne(double x) noexcept {
    return lane0(_mm256_round_pd(_mm256_set1_pd(x), _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC));
}
double fabsOne(double x) noexcept { return lane0(detail::absd(_mm256_set1_pd(x))); }

}  // namespace vek::vm
