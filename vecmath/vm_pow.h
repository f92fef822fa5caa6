// vm_pow.h - vector power x^y and the double cube root.
//
// Power, double: ln x as a double-double L (x = 2^k m, s = (m-1)/(m+1) as a
// double-double, ln m = 2s + (2/3)s^3 + s^5 R(s^2) with the first two terms carried in
// double-double, k ln2 added with an exact high part), then e^(yL) from the
// double-double product y*L: the exponential's reduction absorbs the low part. The
// logarithm is good to about 2^-66 relative, so the result is within about 1 ulp even
// for |y ln x| near the overflow threshold.
// Power, float: ln x and e^(y ln x) in double, rounded once (about 0.5 ulp).
//
// Lanes with x <= 0, x subnormal, infinite or NaN, or y infinite or NaN take a scalar
// path with the C99 Annex F special values: x^+-0 = 1 and 1^y = 1 for any x, y (NaN
// too); a negative x gives NaN unless y is an integer, then the sign of an odd y;
// (+-0)^y and (+-inf)^y give 0 or inf by the sign of y, signed for odd integers;
// (-1)^+-inf = 1; |x| < 1 and |x| > 1 with infinite y give 0 or inf.
//
// Cube root, double: an exponent-bit estimate of x^(-1/3), one fourth-order and one
// Newton step, y = x r^2, and one final Newton step on y with the exact residual y^3 -
// x, no division: within about 0.75 ulp. Subnormals are scaled by 2^54 first.
#pragma once

#include <cmath>

#include "vm_exp.h"
#include "vm_map.h"
#include "vm_root.h"

namespace vek::vm {
namespace detail {

constexpr double kTwoThirdsHi = 0x1.5555555555555p-1, kTwoThirdsLo = 0x1.5555555555555p-55;
// R(z) = (ln m - 2s - 2s^3/3) / s^5 = 2/5 + 2z/7 + 2z^2/9 + ..., z = s^2 <= 0.0295.
// Terms to z^11: the first one left out is below 2^-70.
constexpr double kPowLogR[] = {2.0 / 27, 2.0 / 25, 2.0 / 23, 2.0 / 21, 2.0 / 19, 2.0 / 17,
                               2.0 / 15, 2.0 / 13, 2.0 / 11, 2.0 / 9,  2.0 / 7,  2.0 / 5};

// ln x as hi + lo for positive normal finite x; kadj is added to the binary exponent.
VEK_INLINE void logDD(__m256d x, __m256d kadj, __m256d& hi, __m256d& lo) noexcept {
    __m256d k, f;
    logSplit(x, kadj, k, f);
    // u = m + 1 as a double-double, s = f / u as a double-double.
    __m256d uh, ul;
    fastTwoSum(set(2.0), f, uh, ul);
    const __m256d sh = _mm256_div_pd(f, uh);
    const __m256d sl = _mm256_div_pd(fnma(sh, ul, fnma(sh, uh, f)), uh);
    // s^3 as a double-double from sh (the sl part enters through 3 sh^2 sl).
    const __m256d p = mul(sh, sh), pe = fms(sh, sh, p);
    const __m256d q = mul(p, sh), qe = fma(pe, sh, fms(p, sh, q));
    const __m256d c3 = mul(q, set(kTwoThirdsHi));
    const __m256d c3e = fma(q, set(kTwoThirdsLo), fma(qe, set(kTwoThirdsHi), fms(q, set(kTwoThirdsHi), c3)));
    const __m256d z = p;
    const __m256d r5 = mul(mul(q, z), horner(z, kPowLogR));   // s^5 R(z)
    // k ln2 + 2s + c3 + small terms, the large ones summed exactly.
    const __m256d a = mul(k, set(kLn2HiS));   // exact: 21 trailing zero bits
    __m256d t, te, u, ue;
    twoSum(a, add(sh, sh), t, te);
    twoSum(t, c3, u, ue);
    const __m256d small = add(add(fma(k, set(kLn2LoS), add(sl, sl)), add(c3e, fma(set(2.0), mul(p, sl), r5))),
                              add(te, ue));
    fastTwoSum(u, small, hi, lo);
}

// e^(h + l) for |h| < 708, l tiny relative to h's ulp.
VEK_INLINE __m256d expDD(__m256d h, __m256d l) noexcept {
    const __m256d kk = fma(h, set(kLog2e), set(kMagicD));
    const __m256d k = sub(kk, set(kMagicD));
    __m256d r = fnma(k, set(kLn2Hi), h);   // exact
    r = add(fnma(k, set(kLn2Lo), r), l);
    return mul(expPoly(r, kExpD), pow2FromMagic(kk));
}

// |x|^y for positive finite x (subnormals allowed) and finite y.
__attribute__((noinline)) inline __m256d powPosWide(__m256d x, __m256d y) noexcept {
    const __m256d sub_ = cmp<_CMP_LT_OQ>(x, set(0x1p-1022));
    __m256d hi, lo;
    logDD(sel(sub_, mul(x, set(0x1p54)), x), andv(sub_, set(-54.0)), hi, lo);
    const __m256d ph = mul(y, hi), pl = fma(y, lo, fms(y, hi, ph));
    // Near or beyond the range: the wide exponential, scaled in two steps.
    const __m256d big = cmp<_CMP_NLT_UQ>(absv(ph), set(708.0));
    if (any(big)) {
        // Far out (ph infinite, pl then NaN) the low part cannot matter.
        const __m256d plw = andv(cmp<_CMP_LT_OQ>(absv(ph), set(1e4)), pl);
        const __m256d w = expWide(ph, kExpD, plw);
        return sel(big, w, expDD(sel(big, set(0.0), ph), pl));
    }
    return expDD(ph, pl);
}

VEK_INLINE __m256d powPos(__m256d x, __m256d y) noexcept {
    __m256d hi, lo;
    logDD(x, _mm256_setzero_pd(), hi, lo);
    const __m256d ph = mul(y, hi), pl = fma(y, lo, fms(y, hi, ph));
    return expDD(ph, pl);
}

// The C99 special cases around a core for positive finite x and finite y.
template <class Core>
double powScalar(double x, double y, Core core) noexcept {
    if (y == 0 || x == 1) return 1.0;
    if (x != x || y != y) return x + y;
    const bool yInt = std::floor(y) == y;
    const bool yOdd = yInt && std::fabs(y) < 0x1p53 && std::fmod(y, 2.0) != 0;
    const double inf = __builtin_inf();
    if (std::isinf(y)) {
        const double ax = std::fabs(x);
        if (ax == 1) return 1.0;
        return (ax < 1) == (y < 0) ? inf : 0.0;
    }
    if (x == 0) return y < 0 ? (yOdd ? std::copysign(inf, x) : inf) : (yOdd ? x : 0.0);
    if (std::isinf(x)) {
        const double r = y > 0 ? inf : 0.0;
        return x < 0 && yOdd ? -r : r;
    }
    if (x < 0) {
        if (!yInt) return __builtin_nan("");
        const double r = core(-x, y);
        return yOdd ? -r : r;
    }
    return core(x, y);
}

// Lanes the vector path cannot take: x not positive normal finite, y not finite.
VEK_INLINE __m256d powSpecialLanes(__m256d x, __m256d y) noexcept {
    const __m256i b = _mm256_sub_epi64(_mm256_castpd_si256(x), ci<i64(0x0010000000000000LL)>());
    const __m256i lim = ci<i64(0x7fe0000000000000LL - 1)>();
    const __m256d xb = _mm256_castsi256_pd(_mm256_or_si256(_mm256_cmpgt_epi64(b, lim),
                                                           _mm256_cmpgt_epi64(_mm256_setzero_si256(), b)));
    return orv(xb, cmp<_CMP_NLT_UQ>(absv(y), set(__builtin_inf())));
}

template <class Vec>
__attribute__((noinline)) inline __m256d powFixLanes(__m256d x, __m256d y, __m256d r, __m256d bad, Vec core) noexcept {
    alignas(32) double xs[4], ys[4], rs[4];
    _mm256_store_pd(xs, x);
    _mm256_store_pd(ys, y);
    _mm256_store_pd(rs, r);
    const int m = bitsOf(bad);
    for (int i = 0; i < 4; ++i)
        if (m >> i & 1)
            rs[i] = powScalar(xs[i], ys[i], [&](double a, double b) {
                return _mm256_cvtsd_f64(core(_mm256_set1_pd(a), _mm256_set1_pd(b)));
            });
    return _mm256_load_pd(rs);
}

// LA: the table-driven exponential for the ordinary lanes (about 1 ulp more).
template <bool LA = false>
VEK_INLINE __m256d powD(__m256d x, __m256d y) noexcept {
    const __m256d bad = powSpecialLanes(x, y);
    const __m256d xs = sel(bad, set(1.0), x), ys = sel(bad, set(1.0), y);
    __m256d hi, lo;
    logDD(xs, _mm256_setzero_pd(), hi, lo);
    const __m256d ph = mul(ys, hi), pl = fma(ys, lo, fms(ys, hi, ph));
    __m256d r;
    if (__builtin_expect(any(cmp<_CMP_NLT_UQ>(absv(ph), set(708.0))), 0)) r = powPosWide(xs, ys);
    else if constexpr (LA) r = expTabCoreD<false, true>(ph, pl);
    else r = expDD(ph, pl);
    if (__builtin_expect(any(bad), 0)) r = powFixLanes(x, y, r, bad, [](__m256d a, __m256d b) { return powPosWide(a, b); });
    return r;
}

// Float: everything in double with the table-driven logarithm and exponential and
// their polynomials shortened to 2^-38 (far below a float ulp even after the product
// with y);
// float subnormals are normal doubles and the result's range clamps the exponent.
VEK_INLINE __m256d powForFloat(__m256d x, __m256d y) noexcept {
    const __m256d l = logTabCoreD<true>(x);
    return expTabCoreD<true>(_mm256_min_pd(set(100.0), _mm256_max_pd(set(-110.0), mul(y, l))));
}
__attribute__((noinline)) inline __m256 powSpecialF(__m256 x, __m256 y) noexcept {
    auto half = [](__m256d a, __m256d b) {
        const __m256d bad = powSpecialLanes(a, b);
        const __m256d r = powForFloat(sel(bad, set(1.0), a), sel(bad, set(1.0), b));
        return powFixLanes(a, b, r, bad, [](__m256d u, __m256d v) { return powForFloat(u, v); });
    };
    return join(half(loHalf(x), loHalf(y)), half(hiHalf(x), hiHalf(y)));
}
// Split kernel (vm_map.h): the fast path takes positive normal finite x and finite y.
struct PowF {
    VEK_INLINE static bool rare(__m256 x, __m256 y) noexcept {
        const __m256 ok = andv(cmp<_CMP_GE_OQ>(x, set(0x1p-126f)), cmp<_CMP_LT_OQ>(x, set(__builtin_inff())));
        const __m256 fy = cmp<_CMP_LT_OQ>(absv(y), set(__builtin_inff()));
        return bitsOf(andv(ok, fy)) != 0xff;
    }
    VEK_INLINE static __m256 fast(__m256 x, __m256 y) noexcept {
        return join(powForFloat(loHalf(x), loHalf(y)), powForFloat(hiHalf(x), hiHalf(y)));
    }
    VEK_INLINE static __m256 slow(__m256 x, __m256 y) noexcept { return powSpecialF(x, y); }
};

// ---- cube root, double ----------------------------------------------------------------
// An estimate within 3.5% (a constant centred for it), one step of fourth order, r *=
// (1 - e)^(-1/3) to e^3 with e = 1 - x r^3 (to about 1e-5), one Newton step (to about
// 1e-9), y = x r^2 and the Newton step on y with the exact residual and r^2/3 in place
// of 1/(3y^2): about 0.75 ulp, no division.
VEK_INLINE __m256d cbrtD(__m256d x) noexcept {
    const __m256d ax = absv(x);
    const __m256d sub_ = cmp<_CMP_LT_OQ>(ax, set(0x1p-1022));
    const __m256d xs = sel(sub_, mul(ax, set(0x1p54)), ax);
    // bits(x^(-1/3)) ~ K - bits(x)/3 on the top 32 bits, the third by a multiply.
    const __m256i hb = _mm256_srli_epi64(_mm256_castpd_si256(xs), 32);
    const __m256i h3 = _mm256_srli_epi64(_mm256_mul_epu32(hb, ci<i64(0x55555556)>()), 32);
    __m256d r = _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_sub_epi64(ci<i64(0x553ef0ff)>(), h3), 32));
    {
        const __m256d e = fnma(mul(xs, r), mul(r, r), set(1.0));
        const __m256d p = fma(e, fma(e, set(14.0 / 81), set(2.0 / 9)), set(1.0 / 3));
        r = fma(mul(r, e), p, r);
    }
    const __m256d e = fnma(mul(xs, r), mul(r, r), set(1.0));
    r = fma(mul(r, e), set(1.0 / 3), r);
    const __m256d r2 = mul(r, r);
    const __m256d y0 = mul(xs, r2);
    const __m256d y2 = mul(y0, y0), y2e = fms(y0, y0, y2);
    const __m256d res = fma(y2e, y0, fms(y2, y0, xs));
    __m256d y = fnma(res, mul(r2, set(1.0 / 3.0)), y0);
    y = sel(sub_, mul(y, set(0x1p-18)), y);
    const __m256d keep = orv(cmp<_CMP_EQ_OQ>(ax, set(0.0)), cmp<_CMP_NLT_UQ>(ax, set(__builtin_inf())));
    return sel(keep, x, orv(y, signv(x)));
}

}  // namespace detail

VEK_INLINE __m256d pow_a53(__m256d x, __m256d y) noexcept { return detail::powD(x, y); }
VEK_INLINE __m256d pow_a50(__m256d x, __m256d y) noexcept { return detail::powD<true>(x, y); }
VEK_INLINE __m256d pow_a26(__m256d x, __m256d y) noexcept { return pow_a50(x, y); }
VEK_INLINE __m256 pow_a24(__m256 x, __m256 y) noexcept { return detail::apply<detail::PowF>(x, y); }
VEK_INLINE __m256 pow_a21(__m256 x, __m256 y) noexcept { return pow_a24(x, y); }
VEK_INLINE __m256 pow_a11(__m256 x, __m256 y) noexcept { return pow_a24(x, y); }

VEK_INLINE __m256d cbrt_a53(__m256d x) noexcept { return detail::cbrtD(x); }
VEK_INLINE __m256d cbrt_a50(__m256d x) noexcept { return cbrt_a53(x); }
VEK_INLINE __m256d cbrt_a26(__m256d x) noexcept { return cbrt_a50(x); }

}  // namespace vek::vm
