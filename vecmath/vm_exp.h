// vm_exp.h - vector exponential and logarithm kernels.
//
// Exponential: x = k*ln2 + r with |r| <= ln2/2, k = round(x/ln2). The first step
// x - k*ln2_hi is exact with FMA (the difference is a multiple of ulp(ln2_hi) below
// 1/2), the second subtracts k*ln2_lo. exp(r) = 1 + r + r^2*P(r), then the result is
// scaled by 2^k built in the exponent field. Lanes whose result leaves the normal
// range send the vector to a second path that clamps x and scales by 2^k1 * 2^k2 so
// overflow, gradual underflow and zero come out of the last multiply, rounded once.
// Double: P of degree 11 (about 0.6 ulp). Float, low accuracy: the same algorithm in
// float (about 1 ulp); float, high accuracy: evaluated in double and rounded once.
//
// Logarithm: x = 2^k * m with m in [sqrt(1/2), sqrt(2)), f = m - 1, s = f/(2 + f),
// log(1 + f) = 2 atanh(s) = f - (f^2/2 - s*(f^2/2 + R(s^2))), log x = k*ln2 + log(1+f)
// with ln2_hi short enough that k*ln2_hi is exact. Subnormal x are scaled by 2^54
// (2^23 for float) first. Double: about 0.6 ulp. Float low accuracy: a division-free
// polynomial in f, in float (about 1 ulp); float high accuracy in double.
//
// Special values: exp(NaN) = NaN, exp(+inf) = +inf, exp(-inf) = +0; log(+-0) = -inf,
// log(x < 0) = log(-inf) = NaN, log(+inf) = +inf, log(NaN) = NaN.
#pragma once

#include "vm_core.h"

namespace vek::vm {
namespace detail {

constexpr double kLog2e = 1.4426950408889634074;
constexpr double kLn2Hi = 0x1.62e42fefa39efp-1, kLn2Lo = 0x1.abc9e3b39803fp-56;
// ln2 split with 21 trailing zero bits in the high part: k*kLn2HiS is exact for |k| < 2^20.
constexpr double kLn2HiS = 6.93147180369123816490e-01, kLn2LoS = 1.90821492927058770002e-10;
constexpr float kLog2ef = 1.44269504088896341f;
constexpr float kLn2Hif = 0x1.62e43p-1f, kLn2Lof = -0x1.05c610p-29f;
// Float ln2 with 12 trailing zero bits in the high part.
constexpr float kLn2HiSf = 6.9313812256e-01f, kLn2LoSf = 9.0580006145e-06f;

// (exp(r) - 1 - r) / r^2 on |r| <= ln2/2, highest degree first.
constexpr double kExpD[] = {
    1.0 / 6227020800.0, 1.0 / 479001600.0, 1.0 / 39916800.0, 1.0 / 3628800.0,
    1.0 / 362880.0,     1.0 / 40320.0,     1.0 / 5040.0,     1.0 / 720.0,
    1.0 / 120.0,        1.0 / 24.0,        1.0 / 6.0,        0.5};
// The same for float results evaluated in double.
constexpr double kExpFD[] = {1.0 / 40320.0, 1.0 / 5040.0, 1.0 / 720.0, 1.0 / 120.0,
                             1.0 / 24.0,    1.0 / 6.0,    0.5};
constexpr float kExpF[] = {1.0f / 5040.0f, 1.0f / 720.0f, 1.0f / 120.0f, 1.0f / 24.0f,
                           1.0f / 6.0f, 0.5f};

// R(z)/z with R(z) = 2z/3 + 2z^2/5 + ..., z = s^2 <= 0.0295.
constexpr double kLogD[] = {2.0 / 23, 2.0 / 21, 2.0 / 19, 2.0 / 17, 2.0 / 15, 2.0 / 13,
                            2.0 / 11, 2.0 / 9,  2.0 / 7,  2.0 / 5,  2.0 / 3};
constexpr double kLogFD[] = {2.0 / 13, 2.0 / 11, 2.0 / 9, 2.0 / 7, 2.0 / 5, 2.0 / 3};

// ---- 2^k in the exponent field ------------------------------------------------------
// kk = k + kMagicD as produced by the rounding trick; returns 2^k for -1022 <= k <= 1023.
VEK_INLINE __m256d pow2FromMagic(__m256d kk) noexcept {
    const __m256i k = _mm256_sub_epi64(_mm256_castpd_si256(kk), _mm256_castpd_si256(set(kMagicD)));
    return _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_add_epi64(k, _mm256_set1_epi64x(1023)), 52));
}
VEK_INLINE __m256 pow2FromMagic(__m256 kk) noexcept {
    const __m256i k = _mm256_sub_epi32(_mm256_castps_si256(kk), _mm256_castps_si256(set(kMagicF)));
    return _mm256_castsi256_ps(_mm256_slli_epi32(_mm256_add_epi32(k, _mm256_set1_epi32(127)), 23));
}

// exp(r) for the reduced argument.
template <std::size_t N>
VEK_INLINE __m256d expPoly(__m256d r, const double (&c)[N]) noexcept {
    return add(set(1.0), fma(mul(r, r), horner(r, c), r));
}
VEK_INLINE __m256 expPolyF(__m256 r) noexcept {
    return add(set(1.0f), fma(mul(r, r), horner(r, kExpF), r));
}

template <std::size_t N>
VEK_INLINE __m256d expReduce(__m256d x, __m256d& kk, const double (&c)[N]) noexcept {
    kk = fma(x, set(kLog2e), set(kMagicD));
    const __m256d k = sub(kk, set(kMagicD));
    __m256d r = fnma(k, set(kLn2Hi), x);   // exact
    r = fnma(k, set(kLn2Lo), r);
    return expPoly(r, c);
}

// Any finite or infinite x; NaN propagates through the reduction.
// e^(x + lo) for a low part lo far below ulp(x) (zero for plain exp).
template <std::size_t N>
__attribute__((noinline)) __m256d expWide(__m256d x, const double (&c)[N],
                                          __m256d lo = _mm256_setzero_pd()) noexcept {
    x = _mm256_min_pd(set(710.0), _mm256_max_pd(set(-746.0), x));   // NaN stays NaN
    const __m256d kk = fma(x, set(kLog2e), set(kMagicD));
    const __m256d k = sub(kk, set(kMagicD));
    __m256d r = fnma(k, set(kLn2Hi), x);   // exact
    r = add(fnma(k, set(kLn2Lo), r), lo);
    const __m256d p = expPoly(r, c);
    const __m256d kh = fma(k, set(0.5), set(kMagicD));
    const __m256d k1 = sub(kh, set(kMagicD));
    const __m256d kl = add(sub(k, k1), set(kMagicD));
    return mul(mul(p, pow2FromMagic(kh)), pow2FromMagic(kl));
}

template <std::size_t N>
VEK_INLINE __m256d expD(__m256d x, const double (&c)[N]) noexcept {
    // |x| < 708 keeps the result normal; NaN and the rest go the wide path.
    if (__builtin_expect(any(cmp<_CMP_NLT_UQ>(absd(x), set(708.0))), 0)) return expWide(x, c);
    __m256d kk;
    const __m256d p = expReduce(x, kk, c);
    return mul(p, pow2FromMagic(kk));
}

__attribute__((noinline)) inline __m256 expWideF(__m256 x) noexcept {
    x = _mm256_min_ps(set(89.0f), _mm256_max_ps(set(-104.0f), x));
    const __m256 kk = fma(x, set(kLog2ef), set(kMagicF));
    const __m256 k = sub(kk, set(kMagicF));
    __m256 r = fnma(k, set(kLn2Hif), x);
    r = fnma(k, set(kLn2Lof), r);
    const __m256 p = expPolyF(r);
    const __m256i ki = _mm256_sub_epi32(_mm256_castps_si256(kk), _mm256_castps_si256(set(kMagicF)));
    const __m256i k1 = _mm256_srai_epi32(ki, 1), k2 = _mm256_sub_epi32(ki, k1);
    auto p2 = [](__m256i e) {
        return _mm256_castsi256_ps(_mm256_slli_epi32(_mm256_add_epi32(e, _mm256_set1_epi32(127)), 23));
    };
    return mul(mul(p, p2(k1)), p2(k2));
}

VEK_INLINE __m256 expLaF(__m256 x) noexcept {
    if (__builtin_expect(any(cmp<_CMP_NLT_UQ>(absf(x), set(87.0f))), 0)) return expWideF(x);
    const __m256 kk = fma(x, set(kLog2ef), set(kMagicF));
    const __m256 k = sub(kk, set(kMagicF));
    __m256 r = fnma(k, set(kLn2Hif), x);   // exact
    r = fnma(k, set(kLn2Lof), r);
    return mul(expPolyF(r), pow2FromMagic(kk));
}

// Float results through double: exp of a float argument never leaves the double range.
VEK_INLINE __m256d expForFloat(__m256d x) noexcept {
    x = _mm256_min_pd(set(100.0), _mm256_max_pd(set(-110.0), x));
    __m256d kk;
    const __m256d p = expReduce(x, kk, kExpFD);
    return mul(p, pow2FromMagic(kk));
}

// ---- logarithm ------------------------------------------------------------------------
// x = 2^k m with m in [sqrt(1/2), sqrt(2)) for positive normal finite x: k + kadj (kadj
// for pre-scaled subnormals) and f = m - 1, exact.
VEK_INLINE void logSplit(__m256d x, __m256d kadj, __m256d& k, __m256d& f) noexcept {
    const __m256i kSqrtHalf = _mm256_set1_epi64x(0x3fe6a09e667f3bcdLL);
    const __m256i ix = _mm256_sub_epi64(_mm256_castpd_si256(x), kSqrtHalf);
    // Biased so the shift below is of a positive number: (k + 1023) in the top bits.
    const __m256i eb = _mm256_srli_epi64(_mm256_add_epi64(ix, _mm256_set1_epi64x(0x3ff0000000000000LL)), 52);
    const __m256d kb = _mm256_castsi256_pd(_mm256_or_si256(eb, _mm256_castpd_si256(set(0x1p52))));
    k = add(sub(kb, set(0x1p52 + 1023.0)), kadj);
    const __m256i mi = _mm256_add_epi64(_mm256_and_si256(ix, _mm256_set1_epi64x(0x000fffffffffffffLL)), kSqrtHalf);
    f = sub(_mm256_castsi256_pd(mi), set(1.0));
}

// log x for positive normal finite x, plus kadj added to the exponent.
template <std::size_t N>
VEK_INLINE __m256d logCore(__m256d x, __m256d kadj, const double (&c)[N]) noexcept {
    __m256d k, f;
    logSplit(x, kadj, k, f);
    const __m256d s = _mm256_div_pd(f, add(set(2.0), f));
    const __m256d z = mul(s, s);
    const __m256d R = mul(z, horner(z, c));
    const __m256d hfsq = mul(set(0.5), mul(f, f));
    const __m256d t = fma(s, add(hfsq, R), mul(k, set(kLn2LoS)));
    return fma(k, set(kLn2HiS), sub(f, sub(hfsq, t)));
}

// Zeros, negatives, subnormals, infinities and NaN.
template <std::size_t N>
__attribute__((noinline)) __m256d logSpecial(__m256d x, const double (&c)[N]) noexcept {
    const __m256d sub_ = cmp<_CMP_LT_OQ>(x, set(0x1p-1022));
    const __m256d xs = sel(sub_, mul(x, set(0x1p54)), x);
    const __m256d kadj = andv(sub_, set(-54.0));
    __m256d y = logCore(xs, kadj, c);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(__builtin_inf())), x, y);
    y = sel(cmp<_CMP_LT_OQ>(x, set(0.0)), set(__builtin_nan("")), y);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(0.0)), set(-__builtin_inf()), y);
    return sel(cmp<_CMP_UNORD_Q>(x, x), add(x, x), y);
}

template <std::size_t N>
VEK_INLINE __m256d logD(__m256d x, const double (&c)[N]) noexcept {
    // One test: x below the normal range, negative, infinite or NaN.
    const __m256i b = _mm256_sub_epi64(_mm256_castpd_si256(x), _mm256_set1_epi64x(0x0010000000000000LL));
    const __m256i lim = _mm256_set1_epi64x(0x7fe0000000000000LL - 1);
    if (__builtin_expect(!_mm256_testz_si256(_mm256_cmpgt_epi64(b, lim), _mm256_cmpgt_epi64(b, lim)) ||
                             !_mm256_testz_si256(b, _mm256_set1_epi64x(INT64_MIN)), 0))
        return logSpecial(x, c);
    return logCore(x, _mm256_setzero_pd(), c);
}

// (log(1+f) - f + f^2/2) / f^3 on f in [sqrt(1/2)-1, sqrt(2)-1], highest degree first:
// a minimax fit good to about 1 ulp in float, no division.
constexpr float kLogPF[] = {7.0376836292e-2f, -1.1514610310e-1f, 1.1676998740e-1f,
                            -1.2420140846e-1f, 1.4249322787e-1f, -1.6668057665e-1f,
                            2.0000714765e-1f, -2.4999993993e-1f, 3.3333331174e-1f};

VEK_INLINE __m256 logCoreF(__m256 x, __m256i kadj) noexcept {
    const __m256i kSqrtHalf = _mm256_set1_epi32(0x3f3504f3);
    const __m256i ix = _mm256_sub_epi32(_mm256_castps_si256(x), kSqrtHalf);
    const __m256 k = _mm256_cvtepi32_ps(_mm256_add_epi32(_mm256_srai_epi32(ix, 23), kadj));
    const __m256i mi = _mm256_add_epi32(_mm256_and_si256(ix, _mm256_set1_epi32(0x007fffff)), kSqrtHalf);
    const __m256 f = sub(_mm256_castsi256_ps(mi), set(1.0f));
    const __m256 z = mul(f, f);
    const __m256 p = mul(mul(z, f), horner(f, kLogPF));
    const __m256 t = fma(z, set(-0.5f), fma(k, set(kLn2LoSf), p));
    return fma(k, set(kLn2HiSf), add(f, t));
}

__attribute__((noinline)) inline __m256 logSpecialF(__m256 x) noexcept {
    const __m256 sub_ = cmp<_CMP_LT_OQ>(x, set(0x1p-126f));
    const __m256 xs = sel(sub_, mul(x, set(0x1p23f)), x);
    const __m256i kadj = _mm256_and_si256(_mm256_castps_si256(sub_), _mm256_set1_epi32(-23));
    __m256 y = logCoreF(xs, kadj);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(__builtin_inff())), x, y);
    y = sel(cmp<_CMP_LT_OQ>(x, set(0.0f)), set(__builtin_nanf("")), y);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(0.0f)), set(-__builtin_inff()), y);
    return sel(cmp<_CMP_UNORD_Q>(x, x), add(x, x), y);
}

// Positive normal finite lanes only (0x00800000 <= bits < 0x7f800000).
VEK_INLINE bool allNormalPosF(__m256 x) noexcept {
    // Negative and subnormal lanes wrap to negative differences, caught by the sign.
    const __m256i b = _mm256_sub_epi32(_mm256_castps_si256(x), _mm256_set1_epi32(0x00800000));
    const __m256i ok = _mm256_andnot_si256(_mm256_srai_epi32(b, 31),
                                           _mm256_cmpgt_epi32(_mm256_set1_epi32(0x7f000000), b));
    return _mm256_movemask_ps(_mm256_castsi256_ps(ok)) == 0xff;
}

VEK_INLINE __m256 logLaF(__m256 x) noexcept {
    if (__builtin_expect(!allNormalPosF(x), 0)) return logSpecialF(x);
    return logCoreF(x, _mm256_setzero_si256());
}

// Float results through double: float subnormals are normal doubles.
VEK_INLINE __m256d logForFloat(__m256d x) noexcept {
    return logCore(x, _mm256_setzero_pd(), kLogFD);
}
__attribute__((noinline)) inline __m256 logHaFSpecial(__m256 x) noexcept {
    __m256 y = viaDouble(x, [](__m256d v) {
        return logCore(_mm256_max_pd(v, set(0x1p-149)), _mm256_setzero_pd(), kLogFD);
    });
    y = sel(cmp<_CMP_EQ_OQ>(x, set(__builtin_inff())), x, y);
    y = sel(cmp<_CMP_LT_OQ>(x, set(0.0f)), set(__builtin_nanf("")), y);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(0.0f)), set(-__builtin_inff()), y);
    return sel(cmp<_CMP_UNORD_Q>(x, x), add(x, x), y);
}

}  // namespace detail

// ---- vector forms -------------------------------------------------------------------
VEK_INLINE __m256d exp_a53(__m256d x) noexcept { return detail::expD(x, detail::kExpD); }
VEK_INLINE __m256d exp_a50(__m256d x) noexcept { return exp_a53(x); }
VEK_INLINE __m256d exp_a26(__m256d x) noexcept { return exp_a53(x); }
VEK_INLINE __m256 exp_a24(__m256 x) noexcept {
    return detail::viaDouble(x, [](__m256d v) { return detail::expForFloat(v); });
}
VEK_INLINE __m256 exp_a21(__m256 x) noexcept { return detail::expLaF(x); }
VEK_INLINE __m256 exp_a11(__m256 x) noexcept { return exp_a21(x); }

VEK_INLINE __m256d ln_a53(__m256d x) noexcept { return detail::logD(x, detail::kLogD); }
VEK_INLINE __m256d ln_a50(__m256d x) noexcept { return ln_a53(x); }
VEK_INLINE __m256d ln_a26(__m256d x) noexcept { return ln_a53(x); }
VEK_INLINE __m256 ln_a24(__m256 x) noexcept {
    using namespace detail;
    if (__builtin_expect(!allNormalPosF(x), 0)) return logHaFSpecial(x);
    return viaDouble(x, [](__m256d v) { return logForFloat(v); });
}
VEK_INLINE __m256 ln_a21(__m256 x) noexcept { return detail::logLaF(x); }
VEK_INLINE __m256 ln_a11(__m256 x) noexcept { return ln_a21(x); }

}  // namespace vek::vm
