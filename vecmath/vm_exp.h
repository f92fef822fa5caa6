// vm_exp.h - vector exponential and logarithm kernels.
//
// High-accuracy double exponential: x = k*ln2 + r with |r| <= ln2/2, k = round(x/ln2).
// The first step x - k*ln2_hi is exact with FMA (the difference is a multiple of
// ulp(ln2_hi) below 1/2), the second subtracts k*ln2_lo. exp(r) = 1 + r + r^2*P(r), P of
// degree 11, then the result is scaled by 2^k built in the exponent field (about 0.6
// ulp). Lanes whose result leaves the normal range send the vector to a second path
// that clamps x and scales by 2^k1 * 2^k2 so overflow, gradual underflow and zero come
// out of the last multiply, rounded once. The low-accuracy double and both float
// exponentials are table-driven (below).
//
// High-accuracy double logarithm: x = 2^k * m with m in [sqrt(1/2), sqrt(2)), f = m - 1,
// s = f/(2 + f), log(1 + f) = 2 atanh(s) = f - (f^2/2 - s*(f^2/2 + R(s^2))), log x =
// k*ln2 + log(1+f) with ln2_hi short enough that k*ln2_hi is exact (about 0.6 ulp).
// Subnormal x are scaled by 2^54 (2^23 for float) first. The low-accuracy double and
// both float logarithms are table-driven (below).
//
// Special values: exp(NaN) = NaN, exp(+inf) = +inf, exp(-inf) = +0; log(+-0) = -inf,
// log(x < 0) = log(-inf) = NaN, log(+inf) = +inf, log(NaN) = NaN.
#pragma once

#include <limits>

#include "vm_core.h"
#include "vm_map.h"

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

// ---- 2^k in the exponent field ------------------------------------------------------
// kk = k + kMagicD as produced by the rounding trick; returns 2^k for -1022 <= k <= 1023.
VEK_INLINE __m256d pow2FromMagic(__m256d kk) noexcept {
    const __m256i k = _mm256_sub_epi64(_mm256_castpd_si256(kk), _mm256_castpd_si256(set(kMagicD)));
    return _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_add_epi64(k, ci<i64(1023)>()), 52));
}
VEK_INLINE __m256 pow2FromMagic(__m256 kk) noexcept {
    const __m256i k = _mm256_sub_epi32(_mm256_castps_si256(kk), _mm256_castps_si256(set(kMagicF)));
    return _mm256_castsi256_ps(_mm256_slli_epi32(_mm256_add_epi32(k, ci<i32(127)>()), 23));
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

// |x| < 708 keeps the result normal; NaN and the rest go the wide path.
VEK_INLINE bool expRareD(__m256d x) noexcept { return any(cmp<_CMP_NLT_UQ>(absv(x), set(708.0))); }
struct ExpHaD {
    VEK_INLINE static bool rare(__m256d x) noexcept { return expRareD(x); }
    VEK_INLINE static __m256d fast(__m256d x) noexcept {
        __m256d kk;
        const __m256d p = expReduce(x, kk, kExpD);
        return mul(p, pow2FromMagic(kk));
    }
    VEK_INLINE static __m256d slow(__m256d x) noexcept { return expWide(x, kExpD); }
};

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
        return _mm256_castsi256_ps(_mm256_slli_epi32(_mm256_add_epi32(e, ci<i32(127)>()), 23));
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
    const __m256i kSqrtHalf = ci<i64(0x3fe6a09e667f3bcdLL)>();
    const __m256i ix = _mm256_sub_epi64(_mm256_castpd_si256(x), kSqrtHalf);
    // Biased so the shift below is of a positive number: (k + 1023) in the top bits.
    const __m256i eb = _mm256_srli_epi64(_mm256_add_epi64(ix, ci<i64(0x3ff0000000000000LL)>()), 52);
    const __m256d kb = _mm256_castsi256_pd(_mm256_or_si256(eb, _mm256_castpd_si256(set(0x1p52))));
    k = sub(kb, set(0x1p52 + 1023.0));
    m = _mm256_castsi256_pd(_mm256_add_epi64(_mm256_and_si256(ix, ci<i64(0x000fffffffffffffLL)>()), kSqrtHalf));
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

// Zeros, negatives, subnormals, infinities and NaN around a kernel's core, both widths,
// so that the ordinary lanes of the vector get the values they get on the fast path.
// Subnormal x are scaled by 2^S (S = 54 in double, 23 in float) and the lanes of the
// mask sub mark them: core(xs, sub) is log xs, less S ln2 in those lanes.
template <class V, class Core>
VEK_INLINE V logSpecialValues(V x, Core core) noexcept {
    using E = Lane<V>;
    constexpr E kInf = __builtin_inf();
    constexpr E kScale = sizeof(E) == 8 ? 0x1p54 : 0x1p23;
    const V sub_ = cmp<_CMP_LT_OQ>(x, set(std::numeric_limits<E>::min()));
    const V ok = andv(cmp<_CMP_GT_OQ>(x, set(E(0))), cmp<_CMP_LT_OQ>(x, set(kInf)));
    V y = core(sel(ok, sel(sub_, mul(x, set(kScale)), x), set(E(1))), sub_);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(kInf)), x, y);
    y = sel(cmp<_CMP_LT_OQ>(x, set(E(0))), set(E(__builtin_nan(""))), y);
    y = sel(cmp<_CMP_EQ_OQ>(x, set(E(0))), set(-kInf), y);
    return sel(cmp<_CMP_UNORD_Q>(x, x), add(x, x), y);
}
// y - S ln2 in the lanes of sub, ln2 as a pair (for cores that do not take the shift).
template <class V>
VEK_INLINE V lessScaleLn2(V y, V sub_) noexcept {
    using E = Lane<V>;
    constexpr bool D = sizeof(E) == 8;
    const V kadj = andv(sub_, set(D ? E(-54) : E(-23)));
    return fma(kadj, set(D ? E(kLn2Lo) : E(kLn2Lof)), fma(kadj, set(D ? E(kLn2Hi) : E(kLn2Hif)), y));
}

template <std::size_t N>
__attribute__((noinline)) __m256d logSpecial(__m256d x, const double (&c)[N]) noexcept {
    return logSpecialValues(x, [&c](__m256d xs, __m256d sub_) { return logCore(xs, andv(sub_, set(-54.0)), c); });
}

struct LnHaD {
    // One test: x below the normal range, negative, infinite or NaN.
    VEK_INLINE static bool rare(__m256d x) noexcept {
        const __m256i b = _mm256_sub_epi64(_mm256_castpd_si256(x), ci<i64(0x0010000000000000LL)>());
        const __m256i lim = ci<i64(0x7fe0000000000000LL - 1)>();
        return !_mm256_testz_si256(_mm256_cmpgt_epi64(b, lim), _mm256_cmpgt_epi64(b, lim)) ||
               !_mm256_testz_si256(b, ci<i64(INT64_MIN)>());
    }
    VEK_INLINE static __m256d fast(__m256d x) noexcept { return logCore(x, _mm256_setzero_pd(), kLogD); }
    VEK_INLINE static __m256d slow(__m256d x) noexcept { return logSpecial(x, kLogD); }
};

// Positive normal finite lanes only (0x00800000 <= bits < 0x7f800000).
VEK_INLINE bool allNormalPosF(__m256 x) noexcept {
    // Negative and subnormal lanes wrap to negative differences, caught by the sign;
    // +inf and NaN are above the limit.
    const __m256i b = _mm256_sub_epi32(_mm256_castps_si256(x), ci<i32(0x00800000)>());
    const __m256i over = _mm256_cmpgt_epi32(b, ci<i32(0x7f000000 - 1)>());
    return _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_or_si256(b, over))) == 0;
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

// |x| < 708; WithLo: e^(x + lo) for a low part lo far below ulp(x). Short: e^r - 1 to
// r^3 only (2^-38.6), for results rounded to float.
template <bool Short = false, bool WithLo = false>
VEK_INLINE __m256d expTabCoreD(__m256d x, __m256d lo = _mm256_setzero_pd()) noexcept {
    const __m256d kk = fma(x, set(128 * kLog2e), set(kMagicD));
    const __m256d k = sub(kk, set(kMagicD));
    __m256d r = fnma(k, set(kLn2Hi / 128), x);
    r = fnma(k, set(kLn2Lo / 128), r);
    if constexpr (WithLo) r = add(r, lo);
    const __m256i ki = _mm256_castpd_si256(kk);
    const __m256i j = _mm256_and_si256(ki, ci<i64(127)>());
    const __m256i sb = _mm256_i64gather_epi64(reinterpret_cast<const long long*>(expTabD().sbits), j, 8);
    const __m256d sc = _mm256_castsi256_pd(_mm256_add_epi64(sb, _mm256_slli_epi64(ki, 45)));
    __m256d q;
    if constexpr (Short) q = fma(mul(r, r), fma(r, set(1.0 / 6), set(0.5)), r);
    else q = fma(mul(r, r), horner(r, kExpm1D5), r);
    return fma(sc, q, sc);
}
struct ExpLaD {
    VEK_INLINE static bool rare(__m256d x) noexcept { return expRareD(x); }
    VEK_INLINE static __m256d fast(__m256d x) noexcept { return expTabCoreD(x); }
    VEK_INLINE static __m256d slow(__m256d x) noexcept { return expWide(x, kExpD); }
};

// Float exponential: x = (8q + j) ln2/8 + r, |r| <= ln2/16, 2^(j/8) as a float pair
// from one register (the permute reads the low three bits of k), e^r - 1 to r^4
// (2^-29.5). High accuracy adds the entry's relative remainder t = (2^(j/8) - s)/s:
// y = s + s (e^r - 1 + t), about 0.55 ulp; low accuracy leaves it out and goes to r^3
// with fitted coefficients (about 1.2 ulp).
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
// e^r - 1 - r = r^2 (c2 + c3 r) fitted for the least relative error of e^r on |r| <=
// ln2/16 (2^-25.2; the Taylor coefficients leave 2^-22.6).
constexpr float kExpm1F3[] = {1.666685790e-01f, 5.000645518e-01f};

template <bool HA>
VEK_INLINE __m256 expTabCoreF(__m256 x) noexcept {
    const __m256 kk = fma(x, set(8 * kLog2ef), set(kMagicF));
    const __m256 k = sub(kk, set(kMagicF));
    __m256 r = fnma(k, set(kLn2Hif / 8), x);   // exact
    r = fnma(k, set(kLn2Lof / 8), r);
    const __m256i ki = _mm256_castps_si256(kk);
    // (k >> 3) << 23: the exponent of 2^q, added to the table entries' bits.
    const __m256i e = _mm256_andnot_si256(ci<i32(7 << 20)>(), _mm256_slli_epi32(ki, 20));
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
template <bool HA>
struct ExpF {
    VEK_INLINE static bool rare(__m256 x) noexcept { return any(cmp<_CMP_NLT_UQ>(absv(x), set(87.0f))); }
    VEK_INLINE static __m256 fast(__m256 x) noexcept { return expTabCoreF<HA>(x); }
    VEK_INLINE static __m256 slow(__m256 x) noexcept {
        if constexpr (HA) return viaDouble(x, [](__m256d v) { return expForFloat(v); });
        else return expWideF(x);
    }
};

// Double logarithm, low accuracy: x = 2^k m (m as from logSplitM), c = 1/y with y the
// reciprocal estimate of m rounded to 8 fraction bits, so r = m y - 1 is small (|r| <=
// 2^-8.9) and computed with one rounding; log x = k ln2 - log y + log1p r, -log y from a
// table indexed by the bits of y, log1p to r^6 (Taylor, 2^-62 absolute). Near x = 1
// the estimate rounds to y = 1 exactly (log y = 0): no cancellation. About 2 ulp.
struct LogTabD {
    double logc[512];   // -log y for y = the float with bits 0x3f000000 + (j << 15)
};
constexpr LogTabD makeLogTabD() {
    LogTabD t{};
    for (int j = 0; j < 512; ++j)
        t.logc[j] = -__builtin_log(double(__builtin_bit_cast(float, 0x3f000000u + (unsigned(j) << 15))));
    return t;
}
inline const LogTabD& logTabD() noexcept {
    static constexpr LogTabD t = makeLogTabD();
    return t;
}

// Short: log1p to r^4 only (2^-38 relative), for results rounded to float.
template <bool Short = false>
VEK_INLINE __m256d logTabCoreD(__m256d x) noexcept {
    __m256d k, m;
    logSplitM(x, k, m);
    // m as a float in the low half of each lane (its exponent rebiased, the mantissa
    // truncated): the reciprocal estimate without conversions, rounded to 8 fraction
    // bits, and back to a double the same way (exact).
    constexpr std::int64_t kRebias = std::int64_t(1023 - 127) << 23;
    const __m256i mf = _mm256_sub_epi64(_mm256_srli_epi64(_mm256_castpd_si256(m), 29), ci<i64(kRebias)>());
    const __m256i yb = _mm256_and_si256(
        _mm256_add_epi64(_mm256_castps_si256(_mm256_rcp_ps(_mm256_castsi256_ps(mf))), ci<i64(0x4000)>()),
        ci<i64(0xffff8000LL)>());
    const __m256d invc = _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_add_epi64(yb, ci<i64(kRebias)>()), 29));
    const __m256i j = _mm256_srli_epi64(_mm256_sub_epi64(yb, ci<i64(0x3f000000)>()), 15);
    const __m256d logc = _mm256_mask_i64gather_pd(_mm256_setzero_pd(), logTabD().logc, j,
                                                  _mm256_castsi256_pd(ci<i64(-1)>()), 8);
    const __m256d r = fms(m, invc, set(1.0));
    // r + r^2 (c2 + c3 r + c4 r^2 + c5 r^3 + c6 r^4), pairs first for a short chain.
    const __m256d r2 = mul(r, r);
    const __m256d a = fma(set(1.0 / 3), r, set(-0.5));
    __m256d h;
    if constexpr (Short) h = fma(set(-0.25), r2, a);
    else h = fma(fma(set(-1.0 / 6), r2, fma(set(1.0 / 5), r, set(-0.25))), r2, a);
    // ln2 rounded to double is within 2^-54.7 relative: k ln2 in one product.
    return fma(k, set(kLn2Hi), add(logc, fma(h, r2, r)));
}

// Positive normal finite lanes only: one test for below the normal range, negative,
// infinite or NaN.
VEK_INLINE bool allNormalPosD(__m256d x) noexcept {
    // bits(x) - bits(DBL_MIN) is negative below the range and above lim from +inf on.
    const __m256i b = _mm256_sub_epi64(_mm256_castpd_si256(x), ci<i64(0x0010000000000000LL)>());
    const __m256i over = _mm256_cmpgt_epi64(b, ci<i64(0x7fe0000000000000LL - 1)>());
    return _mm256_movemask_pd(_mm256_castsi256_pd(_mm256_or_si256(b, over))) == 0;
}

__attribute__((noinline)) inline __m256d logTabSpecialD(__m256d x) noexcept {
    return logSpecialValues(x, [](__m256d xs, __m256d sub_) { return lessScaleLn2(logTabCoreD(xs), sub_); });
}

struct LnLaD {
    VEK_INLINE static bool rare(__m256d x) noexcept { return !allNormalPosD(x); }
    VEK_INLINE static __m256d fast(__m256d x) noexcept { return logTabCoreD(x); }
    VEK_INLINE static __m256d slow(__m256d x) noexcept { return logTabSpecialD(x); }
};

// Float logarithm: m = x 2^-k in [0.71875, 1.4375) and eight intervals from the top
// three bits of bits(x) - bits(0.71875), centres c = 0.75, 0.8125, 0.875, 0.9375, 1,
// 1.125, 1.25, 1.375 (1 in the middle of its interval); 1/c and -log(1/c) from one
// register each. r = m/c - 1 in [-0.0556, 0.0625], log1p r = r + r^2 H(r) with H a
// cubic fit (2^-21.9 absolute in H), k ln2 with ln2 rounded to float (2^-28.4
// relative). About 2 ulp.
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
constexpr float kLog1pHF[] = {1.982072600e-01f, -2.505672289e-01f, 3.333370702e-01f, -4.999997559e-01f};

VEK_INLINE __m256 logTabCoreF(__m256 x) noexcept {
    const __m256i kSplit = ci<i32(0x3f380000)>();   // 0.71875
    const __m256i ix = _mm256_sub_epi32(_mm256_castps_si256(x), kSplit);
    const __m256 k = _mm256_cvtepi32_ps(_mm256_srai_epi32(ix, 23));
    const __m256 m = _mm256_castsi256_ps(_mm256_add_epi32(_mm256_and_si256(ix, ci<i32(0x007fffff)>()), kSplit));
    const __m256i j = _mm256_srli_epi32(ix, 20);
    const __m256 invc = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kLogTabF.invc), j);
    const __m256 logc = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kLogTabF.logc), j);
    const __m256 r = fms(m, invc, set(1.0f));
    const __m256 r2 = mul(r, r);
    const __m256 h = fma(fma(set(kLog1pHF[0]), r, set(kLog1pHF[1])), r2, fma(set(kLog1pHF[2]), r, set(kLog1pHF[3])));
    return fma(k, set(float(0.69314718055994530942)), add(logc, fma(r2, h, r)));
}

__attribute__((noinline)) inline __m256 logTabSpecialF(__m256 x) noexcept {
    return logSpecialValues(x, [](__m256 xs, __m256 sub_) { return lessScaleLn2(logTabCoreF(xs), sub_); });
}

// Float logarithm, high accuracy, in float: the same split and intervals with 1/c a
// multiple of 1/16 (so r = m/c - 1 is exact, r in [-0.0704, 0.0782]) and -log(1/c)
// as hi + lo with hi a multiple of 2^-12: k ln2_hi + hi is then exact, and adding r
// is an exact two-sum because |hi| >= |r| wherever hi is not zero. log1p r - r =
// r^2 H(r), H a quartic fit (2^-25.5 absolute). About 0.6 ulp.
struct LogTabHaF {
    float invc[8], hi[8], lo[8];
};
constexpr LogTabHaF makeLogTabHaF() {
    constexpr float inv[8] = {1.3125f, 1.25f, 1.125f, 1.0625f, 1.0f, 0.875f, 0.8125f, 0.75f};
    LogTabHaF t{};
    for (int j = 0; j < 8; ++j) {
        t.invc[j] = inv[j];
        const long double l = -__builtin_logl((long double)inv[j]);
        t.hi[j] = float(__builtin_roundl(l * 4096) / 4096);
        t.lo[j] = float(l - (long double)t.hi[j]);
    }
    return t;
}
inline constexpr LogTabHaF kLogTabHaF = makeLogTabHaF();
constexpr float kLog1pHaF[] = {-1.647548835e-01f, 2.009617506e-01f, -2.500101743e-01f, 3.333320284e-01f,
                               -4.999999948e-01f};

// kadj is added to the exponent (pre-scaled subnormals).
VEK_INLINE __m256 logTabHaCoreF(__m256 x, __m256i kadj) noexcept {
    const __m256i kSplit = ci<i32(0x3f380000)>();   // 0.71875
    const __m256i ix = _mm256_sub_epi32(_mm256_castps_si256(x), kSplit);
    const __m256 k = _mm256_cvtepi32_ps(_mm256_add_epi32(_mm256_srai_epi32(ix, 23), kadj));
    const __m256 m = _mm256_castsi256_ps(_mm256_add_epi32(_mm256_and_si256(ix, ci<i32(0x007fffff)>()), kSplit));
    const __m256i j = _mm256_srli_epi32(ix, 20);
    const __m256 invc = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kLogTabHaF.invc), j);
    const __m256 lhi = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kLogTabHaF.hi), j);
    const __m256 llo = _mm256_permutevar8x32_ps(_mm256_loadu_ps(kLogTabHaF.lo), j);
    const __m256 r = fms(m, invc, set(1.0f));   // exact
    const __m256 r2 = mul(r, r);
    const __m256 h = fma(horner(r, {kLog1pHaF[0], kLog1pHaF[1], kLog1pHaF[2]}), r2,
                         fma(set(kLog1pHaF[3]), r, set(kLog1pHaF[4])));
    const __m256 t = fma(r2, h, fma(k, set(kLn2LoSf), llo));
    const __m256 hi = fma(k, set(kLn2HiSf), lhi);   // exact
    const __m256 sm = add(hi, r);
    const __m256 e = sub(r, sub(sm, hi));
    return add(sm, add(e, t));
}

__attribute__((noinline)) inline __m256 logTabHaSpecialF(__m256 x) noexcept {
    return logSpecialValues(x, [](__m256 xs, __m256 sub_) {
        return logTabHaCoreF(xs, _mm256_and_si256(_mm256_castps_si256(sub_), ci<i32(-23)>()));
    });
}

template <bool HA>
struct LnF {
    VEK_INLINE static bool rare(__m256 x) noexcept { return !allNormalPosF(x); }
    VEK_INLINE static __m256 fast(__m256 x) noexcept {
        if constexpr (HA) return logTabHaCoreF(x, _mm256_setzero_si256());
        else return logTabCoreF(x);
    }
    VEK_INLINE static __m256 slow(__m256 x) noexcept {
        if constexpr (HA) return logTabHaSpecialF(x);
        else return logTabSpecialF(x);
    }
};

}  // namespace detail

// ---- vector forms -------------------------------------------------------------------
VEK_INLINE __m256d exp_a53(__m256d x) noexcept { return detail::apply<detail::ExpHaD>(x); }
VEK_INLINE __m256d exp_a50(__m256d x) noexcept { return detail::apply<detail::ExpLaD>(x); }
VEK_INLINE __m256d exp_a26(__m256d x) noexcept { return exp_a50(x); }
VEK_INLINE __m256 exp_a24(__m256 x) noexcept { return detail::apply<detail::ExpF<true>>(x); }
VEK_INLINE __m256 exp_a21(__m256 x) noexcept { return detail::apply<detail::ExpF<false>>(x); }
VEK_INLINE __m256 exp_a11(__m256 x) noexcept { return exp_a21(x); }

VEK_INLINE __m256d ln_a53(__m256d x) noexcept { return detail::apply<detail::LnHaD>(x); }
VEK_INLINE __m256d ln_a50(__m256d x) noexcept { return detail::apply<detail::LnLaD>(x); }
VEK_INLINE __m256d ln_a26(__m256d x) noexcept { return ln_a50(x); }
VEK_INLINE __m256 ln_a24(__m256 x) noexcept { return detail::apply<detail::LnF<true>>(x); }
VEK_INLINE __m256 ln_a21(__m256 x) noexcept { return detail::apply<detail::LnF<false>>(x); }
VEK_INLINE __m256 ln_a11(__m256 x) noexcept { return ln_a21(x); }

}  // namespace vek::vm
