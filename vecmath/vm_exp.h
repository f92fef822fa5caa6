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

// Float results through double: exp of a float argument never leaves the double range.
VEK_INLINE __m256d expForFloat(__m256d x) noexcept {
    x = _mm256_min_pd(set(100.0), _mm256_max_pd(set(-110.0), x));
    __m256d kk;
    const __m256d p = expReduce(x, kk, kExpFD);
    return mul(p, pow2FromMagic(kk));
}

// ---- logarithm ------------------------------------------------------------------------
// x = 2^k m with m in [sqrt(1/2), sqrt(2)) for positive normal finite x, exact.
VEK_INLINE void logSplitM(__m256d x, __m256d& k, __m256d& m) noexcept {
    const __m256i kSqrtHalf = _mm256_set1_epi64x(0x3fe6a09e667f3bcdLL);
    const __m256i ix = _mm256_sub_epi64(_mm256_castpd_si256(x), kSqrtHalf);
    // Biased so the shift below is of a positive number: (k + 1023) in the top bits.
    const __m256i eb = _mm256_srli_epi64(_mm256_add_epi64(ix, _mm256_set1_epi64x(0x3ff0000000000000LL)), 52);
    const __m256d kb = _mm256_castsi256_pd(_mm256_or_si256(eb, _mm256_castpd_si256(set(0x1p52))));
    k = sub(kb, set(0x1p52 + 1023.0));
    m = _mm256_castsi256_pd(_mm256_add_epi64(_mm256_and_si256(ix, _mm256_set1_epi64x(0x000fffffffffffffLL)), kSqrtHalf));
}
// The same as k + kadj (kadj for pre-scaled subnormals) and f = m - 1.
VEK_INLINE void logSplit(__m256d x, __m256d kadj, __m256d& k, __m256d& f) noexcept {
    __m256d m;
    logSplitM(x, k, m);
    k = add(k, kadj);
    f = sub(m, set(1.0));
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

// Positive normal finite lanes only (0x00800000 <= bits < 0x7f800000).
VEK_INLINE bool allNormalPosF(__m256 x) noexcept {
    // Negative and subnormal lanes wrap to negative differences, caught by the sign.
    const __m256i b = _mm256_sub_epi32(_mm256_castps_si256(x), _mm256_set1_epi32(0x00800000));
    const __m256i ok = _mm256_andnot_si256(_mm256_srai_epi32(b, 31),
                                           _mm256_cmpgt_epi32(_mm256_set1_epi32(0x7f000000), b));
    return _mm256_movemask_ps(_mm256_castsi256_ps(ok)) == 0xff;
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

// ---- table-driven kernels --------------------------------------------------------------
// Double exponential, low accuracy: x = (128q + j) ln2/128 + r, |r| <= ln2/256, e^x =
// 2^q 2^(j/128) e^r with 2^(j/128) from a table and e^r - 1 to r^5 (Taylor, 2^-60).
// The table holds the bits of 2^(j/128) less j << 45, so adding k << 45 (k = 128q + j)
// puts q into the exponent field. About 1 ulp; lanes that may leave the normal range
// take the wide path.
struct ExpTabD {
    std::uint64_t sbits[128];
};
constexpr ExpTabD makeExpTabD() {
    ExpTabD t{};
    for (int j = 0; j < 128; ++j)
        t.sbits[j] = __builtin_bit_cast(std::uint64_t, __builtin_exp2(j / 128.0)) - (std::uint64_t(j) << 45);
    return t;
}
inline const ExpTabD& expTabD() noexcept {
    static constexpr ExpTabD t = makeExpTabD();
    return t;
}
constexpr double kExpm1D5[] = {1.0 / 120, 1.0 / 24, 1.0 / 6, 0.5};

VEK_INLINE __m256d expTabLaD(__m256d x, bool& rare) noexcept {
    rare = any(cmp<_CMP_NLT_UQ>(absd(x), set(708.0)));
    if (__builtin_expect(rare, 0)) return expWide(x, kExpD);
    const __m256d kk = fma(x, set(128 * kLog2e), set(kMagicD));
    const __m256d k = sub(kk, set(kMagicD));
    __m256d r = fnma(k, set(kLn2Hi / 128), x);
    r = fnma(k, set(kLn2Lo / 128), r);
    const __m256i ki = _mm256_castpd_si256(kk);
    const __m256i j = _mm256_and_si256(ki, _mm256_set1_epi64x(127));
    const __m256i sb = _mm256_i64gather_epi64(reinterpret_cast<const long long*>(expTabD().sbits), j, 8);
    const __m256d sc = _mm256_castsi256_pd(_mm256_add_epi64(sb, _mm256_slli_epi64(ki, 45)));
    const __m256d q = fma(mul(r, r), horner(r, kExpm1D5), r);
    return fma(sc, q, sc);
}

// Float exponential: x = (8q + j) ln2/8 + r, |r| <= ln2/16, 2^(j/8) as a float pair
// from one register (the permute reads the low three bits of k), e^r - 1 to r^4
// (2^-29.5). High accuracy adds the entry's relative remainder t = (2^(j/8) - s)/s:
// y = s + s (e^r - 1 + t), about 0.55 ulp; low accuracy leaves it out and goes to r^3
// (about 3 ulp).
struct Exp2J8F {
    float hi[8], lo[8];   // lo: relative remainder
};
constexpr Exp2J8F makeExp2J8F() {
    Exp2J8F t{};
    for (int j = 0; j < 8; ++j) {
        const long double v = __builtin_exp2l(j / 8.0L);
        t.hi[j] = float(v);
        t.lo[j] = float((v - (long double)t.hi[j]) / t.hi[j]);
    }
    return t;
}
inline constexpr Exp2J8F kExp2J8F = makeExp2J8F();
constexpr float kExpm1F4[] = {1.0f / 24, 1.0f / 6, 0.5f};
constexpr float kExpm1F3[] = {1.0f / 6, 0.5f};

template <bool HA>
VEK_INLINE __m256 expTabF(__m256 x, bool& rare) noexcept {
    rare = any(cmp<_CMP_NLT_UQ>(absf(x), set(87.0f)));
    if (__builtin_expect(rare, 0)) {
        if constexpr (HA) return viaDouble(x, [](__m256d v) { return expForFloat(v); });
        else return expWideF(x);
    }
    const __m256 kk = fma(x, set(8 * kLog2ef), set(kMagicF));
    const __m256 k = sub(kk, set(kMagicF));
    __m256 r = fnma(k, set(kLn2Hif / 8), x);   // exact
    r = fnma(k, set(kLn2Lof / 8), r);
    const __m256i ki = _mm256_castps_si256(kk);
    // (k >> 3) << 23: the exponent of 2^q, added to the table entries' bits.
    const __m256i e = _mm256_andnot_si256(_mm256_set1_epi32(7 << 20), _mm256_slli_epi32(ki, 20));
    const __m256 s = _mm256_castsi256_ps(_mm256_add_epi32(
        _mm256_castps_si256(_mm256_permutevar8x32_ps(_mm256_loadu_ps(kExp2J8F.hi), ki)), e));
    if constexpr (HA) {
        const __m256 t = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kExp2J8F.lo), ki);
        const __m256 q = fma(mul(r, r), horner(r, kExpm1F4), r);
        return fma(s, add(q, t), s);
    } else {
        const __m256 q = fma(mul(r, r), horner(r, kExpm1F3), r);
        return fma(s, q, s);
    }
}

// Double logarithm, low accuracy: m (as from logSplitM) rounded to a multiple c of
// 1/256 by adding 1.5*2^44 (whose ulp is 2^-8); the low mantissa bits of the sum are
// 256c, the index of 1/c and -log(1/c) in the table. r = m/c - 1 with one rounding,
// |r| <= 2^-8.5, log x = k ln2 + log c + log1p r with log1p to r^6 (Taylor, 2^-62
// absolute). m = 1 is a centre (c = 1, log c = 0), so no cancellation near x = 1.
// About 2 ulp.
struct LogTabD {
    double invc[512], logc[512];
};
constexpr LogTabD makeLogTabD() {
    LogTabD t{};
    t.invc[0] = 1.0;
    for (int j = 1; j < 512; ++j) {
        t.invc[j] = 256.0 / j;
        t.logc[j] = -__builtin_log(t.invc[j]);
    }
    return t;
}
inline const LogTabD& logTabD() noexcept {
    static constexpr LogTabD t = makeLogTabD();
    return t;
}
constexpr double kLog1pD6[] = {-1.0 / 6, 1.0 / 5, -1.0 / 4, 1.0 / 3, -0.5};

VEK_INLINE __m256d logTabCoreD(__m256d x) noexcept {
    __m256d k, m;
    logSplitM(x, k, m);
    const __m256i j = _mm256_and_si256(_mm256_castpd_si256(add(m, set(0x1.8p44))), _mm256_set1_epi64x(511));
    const LogTabD& t = logTabD();
    const __m256d invc = _mm256_i64gather_pd(t.invc, j, 8);
    const __m256d logc = _mm256_i64gather_pd(t.logc, j, 8);
    const __m256d r = fms(m, invc, set(1.0));
    const __m256d p = fma(mul(r, r), horner(r, kLog1pD6), r);
    return add(fma(k, set(kLn2Hi), logc), fma(k, set(kLn2Lo), p));
}

// Positive normal finite lanes only: one test for below the normal range, negative,
// infinite or NaN.
VEK_INLINE bool allNormalPosD(__m256d x) noexcept {
    const __m256i b = _mm256_sub_epi64(_mm256_castpd_si256(x), _mm256_set1_epi64x(0x0010000000000000LL));
    const __m256i lim = _mm256_set1_epi64x(0x7fe0000000000000LL - 1);
    return _mm256_testz_si256(_mm256_cmpgt_epi64(b, lim), _mm256_cmpgt_epi64(b, lim)) &&
           _mm256_testz_si256(b, _mm256_set1_epi64x(INT64_MIN));
}

// Zeros, negatives, subnormals, infinities and NaN around the same core, so that the
// ordinary lanes of the vector get the values they get on the fast path.
__attribute__((noinline)) inline __m256d logTabSpecialD(__m256d x) noexcept {
    const __m256d sub_ = cmp<_CMP_LT_OQ>(x, set(0x1p-1022));
    const __m256d ok = andv(cmp<_CMP_GT_OQ>(x, set(0.0)), cmp<_CMP_LT_OQ>(x, set(__builtin_inf())));
    const __m256d xs = sel(ok, sel(sub_, mul(x, set(0x1p54)), x), set(1.0));
    __m256d y = logTabCoreD(xs);
    const __m256d kadj = andv(sub_, set(-54.0));
    y = fma(kadj, set(kLn2Lo), fma(kadj, set(kLn2Hi), y));
    y = sel(cmp<_CMP_EQ_OQ>(x, set(__builtin_inf())), x, y);
    y = sel(cmp<_CMP_LT_OQ>(x, set(0.0)), set(__builtin_nan("")), y);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(0.0)), set(-__builtin_inf()), y);
    return sel(cmp<_CMP_UNORD_Q>(x, x), add(x, x), y);
}

VEK_INLINE __m256d logTabLaD(__m256d x, bool& rare) noexcept {
    rare = !allNormalPosD(x);
    if (__builtin_expect(rare, 0)) return logTabSpecialD(x);
    return logTabCoreD(x);
}

// Float logarithm: m = x 2^-k in [0.71875, 1.4375) and eight intervals from the top
// three bits of bits(x) - bits(0.71875), centres c = 0.75, 0.8125, 0.875, 0.9375, 1,
// 1.125, 1.25, 1.375 (1 in the middle of its interval); 1/c and -log(1/c) from one
// register each. |r| = |m/c - 1| <= 1/16, log1p r to r^6 (Taylor, 2^-26.8 relative).
struct LogTabF {
    float invc[8], logc[8];
};
constexpr LogTabF makeLogTabF() {
    constexpr float c[8] = {0.75f, 0.8125f, 0.875f, 0.9375f, 1.0f, 1.125f, 1.25f, 1.375f};
    LogTabF t{};
    for (int j = 0; j < 8; ++j) {
        t.invc[j] = 1.0f / c[j];
        t.logc[j] = float(-__builtin_logl((long double)t.invc[j]));
    }
    return t;
}
inline constexpr LogTabF kLogTabF = makeLogTabF();
constexpr float kLog1pF6[] = {-1.0f / 6, 1.0f / 5, -1.0f / 4, 1.0f / 3, -0.5f};

VEK_INLINE __m256 logTabCoreF(__m256 x) noexcept {
    const __m256i kSplit = _mm256_set1_epi32(0x3f380000);   // 0.71875
    const __m256i ix = _mm256_sub_epi32(_mm256_castps_si256(x), kSplit);
    const __m256 k = _mm256_cvtepi32_ps(_mm256_srai_epi32(ix, 23));
    const __m256 m = _mm256_castsi256_ps(_mm256_add_epi32(_mm256_and_si256(ix, _mm256_set1_epi32(0x007fffff)), kSplit));
    const __m256i j = _mm256_srli_epi32(ix, 20);
    const __m256 invc = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kLogTabF.invc), j);
    const __m256 logc = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kLogTabF.logc), j);
    const __m256 r = fms(m, invc, set(1.0f));
    const __m256 p = fma(mul(r, r), horner(r, kLog1pF6), r);
    return add(fma(k, set(kLn2Hif), logc), fma(k, set(kLn2Lof), p));
}

__attribute__((noinline)) inline __m256 logTabSpecialF(__m256 x) noexcept {
    const __m256 sub_ = cmp<_CMP_LT_OQ>(x, set(0x1p-126f));
    const __m256 ok = andv(cmp<_CMP_GT_OQ>(x, set(0.0f)), cmp<_CMP_LT_OQ>(x, set(__builtin_inff())));
    const __m256 xs = sel(ok, sel(sub_, mul(x, set(0x1p23f)), x), set(1.0f));
    __m256 y = logTabCoreF(xs);
    const __m256 kadj = andv(sub_, set(-23.0f));
    y = fma(kadj, set(kLn2Lof), fma(kadj, set(kLn2Hif), y));
    y = sel(cmp<_CMP_EQ_OQ>(x, set(__builtin_inff())), x, y);
    y = sel(cmp<_CMP_LT_OQ>(x, set(0.0f)), set(__builtin_nanf("")), y);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(0.0f)), set(-__builtin_inff()), y);
    return sel(cmp<_CMP_UNORD_Q>(x, x), add(x, x), y);
}

VEK_INLINE __m256 logTabLaF(__m256 x, bool& rare) noexcept {
    rare = !allNormalPosF(x);
    if (__builtin_expect(rare, 0)) return logTabSpecialF(x);
    return logTabCoreF(x);
}

}  // namespace detail

// ---- vector forms -------------------------------------------------------------------
VEK_INLINE __m256d exp_a53(__m256d x) noexcept { return detail::expD(x, detail::kExpD); }
VEK_INLINE __m256d exp_a50(__m256d x) noexcept {
    bool rare;
    return detail::expTabLaD(x, rare);
}
VEK_INLINE __m256d exp_a26(__m256d x) noexcept { return exp_a50(x); }
VEK_INLINE __m256 exp_a24(__m256 x) noexcept {
    bool rare;
    return detail::expTabF<true>(x, rare);
}
VEK_INLINE __m256 exp_a21(__m256 x) noexcept {
    bool rare;
    return detail::expTabF<false>(x, rare);
}
VEK_INLINE __m256 exp_a11(__m256 x) noexcept { return exp_a21(x); }

VEK_INLINE __m256d ln_a53(__m256d x) noexcept { return detail::logD(x, detail::kLogD); }
VEK_INLINE __m256d ln_a50(__m256d x) noexcept {
    bool rare;
    return detail::logTabLaD(x, rare);
}
VEK_INLINE __m256d ln_a26(__m256d x) noexcept { return ln_a50(x); }
VEK_INLINE __m256 ln_a24(__m256 x) noexcept {
    using namespace detail;
    if (__builtin_expect(!allNormalPosF(x), 0)) return logHaFSpecial(x);
    return viaDouble(x, [](__m256d v) { return logForFloat(v); });
}
VEK_INLINE __m256 ln_a21(__m256 x) noexcept {
    bool rare;
    return detail::logTabLaF(x, rare);
}
VEK_INLINE __m256 ln_a11(__m256 x) noexcept { return ln_a21(x); }

}  // namespace vek::vm
