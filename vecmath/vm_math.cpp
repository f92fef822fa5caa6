// Array forms and scalar helpers of the exponential, logarithm, arctangent and root
// kernels. Each array form sets the IEEE environment for the call and restores the
// caller's MXCSR; in place (x == y) is allowed.
#include <cmath>

#include "simd.h"
#include "vm.h"
#include "vm_map.h"

namespace vek::vm {
namespace {

using detail::mapPlain;
using detail::mapPlain2;

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

// y[i] = K(x[i]) for a split kernel K (vm_map.h); only vectors that took the slow
// kernel can have lanes that need a code. code(xv, yv) then gives a lane bit mask per
// code (c1, c2): the result is the code of the highest-indexed element with a bit set.
template <class K, class T, class C>
VEK_INLINE int mapCoded(const T* x, T* y, std::size_t n, C code) noexcept {
    constexpr std::size_t L = 32 / sizeof(T);
    constexpr unsigned kAll = (1u << L) - 1;
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
    const std::size_t i = detail::runSplit<K>(
        n, [y](std::size_t j, VecOf<T> r) { simd::storeu(y + j, simd::casti(r)); },
        [&](std::size_t j, VecOf<T> xv) {
            const VecOf<T> yv = K::slow(xv);
            simd::storeu(y + j, simd::casti(yv));
            note(xv, yv, kAll);
        },
        x);
    if (i < n) {
        const std::size_t bytes = (n - i) * sizeof(T);
        const VecOf<T> xv = ldTail(x + i, bytes);
        const VecOf<T> yv = detail::apply<K>(xv);
        simd::tailStore(y + i, simd::casti(yv), bytes);
        note(xv, yv, (1u << (n - i)) - 1);
    }
    return last;
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

template <class K, class T>
VEK_INLINE int expArray(const T* x, T* y, std::size_t n) noexcept {
    IeeeEnv env;
    return mapCoded<K>(x, y, n, [](auto u, auto v) { return expCodes(u, v); });
}
template <class K, class T>
VEK_INLINE int lnArray(const T* x, T* y, std::size_t n) noexcept {
    IeeeEnv env;
    return mapCoded<K>(x, y, n, [](auto u, auto v) { return lnCodes(u, v); });
}

int exp(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return expArray<detail::ExpF<true>>(x, y, n);
    return expArray<detail::ExpF<false>>(x, y, n);
}
int exp(const double* x, double* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return expArray<detail::ExpHaD>(x, y, n);
    return expArray<detail::ExpLaD>(x, y, n);
}
int ln(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return lnArray<detail::LnF<true>>(x, y, n);
    return lnArray<detail::LnF<false>>(x, y, n);
}
int ln(const double* x, double* y, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) return lnArray<detail::LnHaD>(x, y, n);
    return lnArray<detail::LnLaD>(x, y, n);
}

void atan(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain(x, y, n, [](__m256 v) { return atan_a24(v); });
    else mapPlain(x, y, n, [](__m256 v) { return atan_a21(v); });
}
void atan(const double* x, double* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain(x, y, n, [](__m256d v) { return atan_a53(v); });
    else mapPlain(x, y, n, [](__m256d v) { return atan_a50(v); });
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

// Groups of 16: the estimate for both vectors, the exact root for both when either has
// a lane the estimate cannot take.
bool detail::sqrtEstimate(const float* s, float* d, std::size_t n) noexcept {
    bool neg = false;
    auto group = [&](__m256 a, __m256 b, __m256& ya, __m256& yb) {
        ya = sqrtRsqrtF(a);
        yb = sqrtRsqrtF(b);
        if (__builtin_expect(any(_mm256_cmp_ps(ya, yb, _CMP_UNORD_Q)), 0)) {
            ya = _mm256_sqrt_ps(a);
            yb = _mm256_sqrt_ps(b);
            const __m256 z = _mm256_setzero_ps();
            neg |= any(_mm256_or_ps(_mm256_cmp_ps(a, z, _CMP_LT_OQ), _mm256_cmp_ps(b, z, _CMP_LT_OQ)));
        }
    };
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m256 ya, yb;
        group(_mm256_loadu_ps(s + i), _mm256_loadu_ps(s + i + 8), ya, yb);
        _mm256_storeu_ps(d + i, ya);
        _mm256_storeu_ps(d + i + 8, yb);
    }
    if (i < n) {
        const std::size_t r = n - i, r1 = r < 8 ? r : 8, r2 = r - r1;
        const __m256 a8 = r1 == 8 ? _mm256_loadu_ps(s + i) : _mm256_castsi256_ps(simd::tailLoad(s + i, r1 * 4));
        const __m256 b = r2 ? _mm256_castsi256_ps(simd::tailLoad(s + i + 8, r2 * 4)) : _mm256_setzero_ps();
        __m256 ya, yb;
        group(a8, b, ya, yb);
        if (r1 == 8) _mm256_storeu_ps(d + i, ya);
        else simd::tailStore(d + i, _mm256_castps_si256(ya), r1 * 4);
        if (r2) simd::tailStore(d + i + 8, _mm256_castps_si256(yb), r2 * 4);
    }
    return neg;
}

void sqrt(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain(x, y, n, [](__m256 v) { return sqrt_a24(v); });
    else detail::sqrtEstimate(x, y, n);
}
void sqrt(const double* x, double* y, std::size_t n, Accuracy) noexcept {
    IeeeEnv env;
    mapPlain(x, y, n, [](__m256d v) { return sqrt_a53(v); });
}
void cbrt(const float* x, float* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain(x, y, n, [](__m256 v) { return cbrt_a24(v); });
    else mapPlain(x, y, n, [](__m256 v) { return cbrt_a21(v); });
}

void cbrt(const double* x, double* y, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain(x, y, n, [](__m256d v) { return cbrt_a53(v); });
    else mapPlain(x, y, n, [](__m256d v) { return cbrt_a50(v); });
}
void pow(const float* x, const float* y, float* r, std::size_t n, Accuracy) noexcept {
    IeeeEnv env;
    detail::mapSplit2<detail::PowF>(x, y, r, n);
}
void pow(const double* x, const double* y, double* r, std::size_t n, Accuracy a) noexcept {
    IeeeEnv env;
    if (a == Accuracy::HA) mapPlain2(x, y, r, n, [](__m256d u, __m256d v) { return pow_a53(u, v); });
    else mapPlain2(x, y, r, n, [](__m256d u, __m256d v) { return pow_a50(u, v); });
}

// ---- scalar helpers -------------------------------------------------------------------
using detail::lane0;

double expOne(double x) noexcept { return detail::atOne([](__m256d v) { return exp_a53(v); }, x); }
double lnOne(double x) noexcept { return detail::atOne([](__m256d v) { return ln_a53(v); }, x); }
double atan2One(double y, double x) noexcept {
    return detail::atOne([](__m256d u, __m256d v) { return atan2_a53(u, v); }, y, x);
}
double powOne(double x, double y) noexcept {
    return detail::atOne([](__m256d u, __m256d v) { return pow_a53(u, v); }, x, y);
}
double sqrtOne(double x) noexcept { return detail::atOne([](__m256d v) { return _mm256_sqrt_pd(v); }, x); }
float sqrtOneF(float x) noexcept { return detail::atOne([](__m256 v) { return _mm256_sqrt_ps(v); }, x); }
double floorOne(double x) noexcept {
    return lane0(_mm256_round_pd(_mm256_set1_pd(x), _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC));
}
double fabsOne(double x) noexcept { return lane0(detail::absv(_mm256_set1_pd(x))); }

}  // namespace vek::vm
