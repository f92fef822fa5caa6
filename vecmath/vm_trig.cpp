// Sine and cosine: the exact reduction of huge arguments, the array forms and the
// scalar helpers.
#include <cmath>
#include <type_traits>

#include "simd.h"
#include "vm.h"
#include "vm_map.h"

namespace vek::vm {
namespace detail {
namespace {

// The bits of 2/pi after the binary point, most significant first (1280 bits: enough
// for the largest double exponent, the 53-bit significand and 139 guard bits).
constexpr std::uint64_t kTwoOverPiBits[20] = {
    0xa2f9836e4e441529ULL, 0xfc2757d1f534ddc0ULL, 0xdb6295993c439041ULL, 0xfe5163abdebbc561ULL,
    0xb7246e3a424dd2e0ULL, 0x06492eea09d1921cULL, 0xfe1deb1cb129a73eULL, 0xe88235f52ebb4484ULL,
    0xe99c7026b45f7e41ULL, 0x3991d639835339f4ULL, 0x9c845f8bbdf9283bULL, 0x1ff897ffde05980fULL,
    0xef2f118b5a0a6d1fULL, 0x6d367ecf27cb09b7ULL, 0x4f463f669e5fea2dULL, 0x7527bac7ebe5f17bULL,
    0x3d0739f78a5292eaULL, 0x6bfb5fb11f8d5d08ULL, 0x56033046fc7b6babULL, 0xf0cfbc209af4361dULL,
};

// 64 bits of 2/pi starting at bit position idx (0 = the first bit after the point);
// positions before the point read as zero.
std::uint64_t bitsAt(int idx) noexcept {
    if (idx <= -64) return 0;
    if (idx < 0) return kTwoOverPiBits[0] >> (-idx);
    const int w = idx >> 6, s = idx & 63;
    if (s == 0) return kTwoOverPiBits[w];
    return (kTwoOverPiBits[w] << s) | (kTwoOverPiBits[w + 1] >> (64 - s));
}

}  // namespace

void reducePayneHanek(double x, double& hi, double& lo, std::int64_t& q) noexcept {
    using u128 = unsigned __int128;
    using i128 = __int128;
    std::uint64_t b = bitCast<std::uint64_t>(x);
    const bool neg = b >> 63;
    const int ex = int((b >> 52) & 0x7ff);
    std::uint64_t m = b & ((std::uint64_t(1) << 52) - 1);
    int e;   // |x| = m * 2^e
    if (ex == 0) {
        e = -1074;
    } else {
        m |= std::uint64_t(1) << 52;
        e = ex - 1075;
    }
    // m * 2^e * 2/pi mod 4: bits of 2/pi whose weight times m*2^e is a multiple of 4
    // do not matter. The 256-bit window starting 63 bits above the first one that
    // does puts the binary point of the product between its limbs 2 and 1.
    const int idx0 = e - 64;
    const std::uint64_t w[4] = {bitsAt(idx0), bitsAt(idx0 + 64), bitsAt(idx0 + 128),
                                bitsAt(idx0 + 192)};
    std::uint64_t limb[5];
    u128 carry = 0;
    for (int i = 3; i >= 0; --i) {
        u128 p = u128(m) * w[i] + carry;
        limb[i + 1] = std::uint64_t(p);
        carry = p >> 64;
    }
    limb[0] = std::uint64_t(carry);
    // Integer part: limb[0]:limb[1]; fraction: limb[2]:limb[3]:limb[4] / 2^192.
    std::int64_t quad = std::int64_t(limb[1] & 3);
    u128 f = (u128(limb[2]) << 64) | limb[3];
    if (f >> 127) ++quad;   // fraction >= 1/2: round the quadrant up, f becomes negative
    const i128 fs = i128(f);
    const double fh = double(fs);
    const double fl = double(fs - i128(fh));
    const double h = fh * 0x1p-128, l = fl * 0x1p-128;
    // r = f * pi/2 as a double-double.
    const double rh = h * kPio2_1;
    const double re = std::fma(h, kPio2_1, -rh) + (h * kPio2_2 + l * kPio2_1);
    hi = rh + re;
    lo = re - (hi - rh);
    if (neg) {
        hi = -hi;
        lo = -lo;
        quad = -quad;
    }
    q = quad;
}

void reduceHuge(const double* x, double* hi, double* lo, std::int64_t* q, int mask) noexcept {
    for (int i = 0; i < 4; ++i) {
        if (!(mask >> i & 1)) continue;
        if (std::isfinite(x[i])) {
            reducePayneHanek(x[i], hi[i], lo[i], q[i]);
        } else {
            hi[i] = x[i] - x[i];   // NaN
            lo[i] = 0.0;
            q[i] = 0;
        }
    }
}

}  // namespace detail

namespace {

template <class K, class T>
VEK_INLINE void mapArray(const T* x, T* y, std::size_t n) noexcept {
    IeeeEnv env;
    detail::mapSplit<K>(x, y, n);
}

// s[i], c[i] = K(x[i]); x may be s or c, so each vector is read before either store.
template <class K, class T>
VEK_INLINE void mapArray2(const T* x, T* s, T* c, std::size_t n) noexcept {
    IeeeEnv env;
    auto put = [s, c](std::size_t j, auto r) {
        simd::storeu(s + j, simd::casti(r.s));
        simd::storeu(c + j, simd::casti(r.c));
    };
    const std::size_t i = detail::runSplit<K>(n, put, [put](std::size_t j, auto v) { put(j, K::slow(v)); }, x);
    if (i < n) {
        const std::size_t bytes = (n - i) * sizeof(T);
        const auto r = detail::apply<K>(detail::loadTail(x + i, bytes));
        simd::tailStore(s + i, simd::casti(r.s), bytes);
        simd::tailStore(c + i, simd::casti(r.c), bytes);
    }
}

template <bool Cos, class T>
VEK_INLINE void trigArray(const T* x, T* y, std::size_t n, Accuracy a) noexcept {
    using D = std::is_same<T, double>;
    using KH = std::conditional_t<D::value, detail::TrigD<Cos, true>, detail::TrigF<Cos, true>>;
    using KL = std::conditional_t<D::value, detail::TrigD<Cos, false>, detail::TrigF<Cos, false>>;
    if (a == Accuracy::HA) mapArray<KH>(x, y, n);
    else mapArray<KL>(x, y, n);
}

}  // namespace

void sin(const float* x, float* y, std::size_t n, Accuracy a) noexcept { trigArray<false>(x, y, n, a); }
void cos(const float* x, float* y, std::size_t n, Accuracy a) noexcept { trigArray<true>(x, y, n, a); }
void sin(const double* x, double* y, std::size_t n, Accuracy a) noexcept { trigArray<false>(x, y, n, a); }
void cos(const double* x, double* y, std::size_t n, Accuracy a) noexcept { trigArray<true>(x, y, n, a); }
void sincos(const float* x, float* s, float* c, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) mapArray2<detail::SinCosF<true>>(x, s, c, n);
    else mapArray2<detail::SinCosF<false>>(x, s, c, n);
}
void sincos(const double* x, double* s, double* c, std::size_t n, Accuracy a) noexcept {
    if (a == Accuracy::HA) mapArray2<detail::SinCosD<true>>(x, s, c, n);
    else mapArray2<detail::SinCosD<false>>(x, s, c, n);
}

// ---- scalar helpers: the vector kernels at one lane -------------------------------------
using detail::lane0;

double sinOne(double x) noexcept { return detail::atOne([](__m256d v) { return sin_a53(v); }, x); }
double cosOne(double x) noexcept { return detail::atOne([](__m256d v) { return cos_a53(v); }, x); }
void sincosOne(double x, double& s, double& c) noexcept {
    IeeeEnv env;
    __m256d vs, vc;
    sincos_a53(_mm256_set1_pd(x), vs, vc);
    s = lane0(vs);
    c = lane0(vc);
}
double tanOne(double x) noexcept {
    IeeeEnv env;
    __m256d vs, vc;
    sincos_a53(_mm256_set1_pd(x), vs, vc);
    return lane0(vs) / lane0(vc);
}
float sinOneF(float x) noexcept { return detail::atOne([](__m256 v) { return sin_a24(v); }, x); }
float cosOneF(float x) noexcept { return detail::atOne([](__m256 v) { return cos_a24(v); }, x); }

namespace {
// x = q/2 + r exactly with |r| <= 1/4; pi*r as a double-double; then the quadrant
// polynomials. Exact zeros and ones at the multiples of 1/2.
void sincosPi(double x, double& s, double& c) noexcept {
    using namespace detail;
    IeeeEnv env;
    if (!std::isfinite(x)) {
        s = c = x - x;
        return;
    }
    const double t = std::fmod(x, 2.0);   // exact
    const double k = std::nearbyint(2.0 * t);
    const double r = t - 0.5 * k;         // exact
    const auto q = std::int64_t(k);
    constexpr double kPiHi = 3.141592653589793, kPiLo = 1.2246467991473532e-16;
    const double hi = r * kPiHi;
    const double lo = std::fma(r, kPiHi, -hi) + r * kPiLo;
    const __m256d vh = _mm256_set1_pd(hi + lo), vl = _mm256_set1_pd(lo - ((hi + lo) - hi));
    const __m256d z = mul(vh, vh);
    const double ps = lane0(sinPoly(vh, vl, z)), pc = lane0(cosPoly(vh, vl, z));
    double ss = (q & 1) ? pc : ps, cc = (q & 1) ? ps : pc;
    if (q & 2) ss = -ss;
    if ((q + 1) & 2) cc = -cc;
    s = (r == 0.0 && !(q & 1)) ? std::copysign(0.0, x) : ss;
    c = (r == 0.0 && (q & 1)) ? 0.0 : cc;
}
}  // namespace

double sinPiOne(double x) noexcept {
    double s, c;
    sincosPi(x, s, c);
    return s;
}
double cosPiOne(double x) noexcept {
    double s, c;
    sincosPi(x, s, c);
    return c;
}

}  // namespace vek::vm
