// vm_atan.h - vector arctangent kernels, one and two arguments.
//
// atan |x|: five intervals with breakpoints 7/16, 11/16, 19/16, 39/16 and centres
// c = 0, 1/2, 1, 3/2, infinity; t = (|x| - c) / (1 + c|x|) (t = -1/|x| for the last)
// keeps |t| <= 7/16, and atan |x| = atan c + atan t with atan c as a double-double.
// One division per vector serves every lane whatever its interval; atan t is an odd
// polynomial of degree 23. About 0.7 ulp in double; float high accuracy uses the same
// intervals in float. Low accuracy, one template for both widths, uses three intervals
// and a shorter polynomial (below).
//
// atan2(y, x): t = min(|x|,|y|) / max(|x|,|y|) in [0, 1], a = atan t, then
// pi/2 - a when |y| > |x|, pi - a when x has its sign bit set, and the sign of y.
// 0/0 and inf/inf take t = 0 and t = 1, which gives every signed-zero and infinity
// case of C99 Annex F: atan2(+-0, +-0) = +-0 / +-pi, atan2(+-inf, +-inf) = +-pi/4 /
// +-3pi/4, atan2(y, +-inf) = +-0 / +-pi, atan2(+-inf, x) = +-pi/2. NaN gives NaN.
#pragma once

#include "vm_core.h"

namespace vek::vm {
namespace detail {

// atan t = t - t^3 * (a0 + a1 t^2 + ...), |t| <= 7/16.
constexpr double kAtanD[] = {
    1.62858201153657823623e-02, -3.65315727442169155270e-02, 4.97687799461593236017e-02,
    -5.83357013379057348645e-02, 6.66107313738753120669e-02, -7.69187620504482999495e-02,
    9.09088713343650656196e-02, -1.11111104054623557880e-01, 1.42857142725034663711e-01,
    -1.99999999998764832476e-01, 3.33333333333329318027e-01};
// atan of the interval centres, high and low parts.
constexpr double kAtanHi[] = {0.0, 4.63647609000806093515e-01, 7.85398163397448278999e-01,
                              9.82793723247329054082e-01, 1.57079632679489655800e+00};
constexpr double kAtanLo[] = {0.0, 2.26987774529616870924e-17, 3.06161699786838301793e-17,
                              1.39033110312309984516e-17, 6.12323399573676603587e-17};
constexpr double kPiHi = 3.141592653589793116, kPiLo = 1.2246467991473532e-16;

// atan a for a >= 0 (or NaN) as hi + tail, before the final add; `maxIv` is the last
// interval that can occur (3 for a <= 1).
struct AtanParts {
    __m256d hi, lo, t, p;   // atan a = hi + (t - (t*p - lo))
};
VEK_INLINE AtanParts atanParts(__m256d a) noexcept {
    const __m256d one = set(1.0);
    const __m256d m1 = cmp<_CMP_GE_OQ>(a, set(7.0 / 16)), m2 = cmp<_CMP_GE_OQ>(a, set(11.0 / 16)),
                  m3 = cmp<_CMP_GE_OQ>(a, set(19.0 / 16)), m4 = cmp<_CMP_GE_OQ>(a, set(39.0 / 16));
    __m256d num = a, den = one, hi = set(0.0), lo = set(0.0);
    // Later intervals overwrite earlier ones.
    num = sel(m1, fms(a, set(2.0), one), num);
    den = sel(m1, add(a, set(2.0)), den);
    hi = sel(m1, set(kAtanHi[1]), hi);
    lo = sel(m1, set(kAtanLo[1]), lo);
    num = sel(m2, sub(a, one), num);
    den = sel(m2, add(a, one), den);
    hi = sel(m2, set(kAtanHi[2]), hi);
    lo = sel(m2, set(kAtanLo[2]), lo);
    num = sel(m3, sub(a, set(1.5)), num);
    den = sel(m3, fma(a, set(1.5), one), den);
    hi = sel(m3, set(kAtanHi[3]), hi);
    lo = sel(m3, set(kAtanLo[3]), lo);
    num = sel(m4, set(-1.0), num);
    den = sel(m4, a, den);
    hi = sel(m4, set(kAtanHi[4]), hi);
    lo = sel(m4, set(kAtanLo[4]), lo);
    const __m256d t = _mm256_div_pd(num, den);
    const __m256d z = mul(t, t);
    return {hi, lo, t, mul(z, horner(z, kAtanD))};
}

VEK_INLINE __m256d atanD(__m256d x) noexcept {
    const AtanParts q = atanParts(absv(x));
    const __m256d r = add(q.hi, sub(q.t, fms(q.t, q.p, q.lo)));
    return orv(r, signv(x));
}

// The rounding error of the quotient is added back, e / (1 + t^2) with e the exact
// residual of the division: without it the result is within about 1.4 ulp.
VEK_INLINE __m256d atan2D(__m256d y, __m256d x) noexcept {
    const __m256d ax = absv(x), ay = absv(y);
    const __m256d mn = _mm256_min_pd(ax, ay), mx = _mm256_max_pd(ax, ay);
    __m256d a = _mm256_div_pd(mn, mx);
    // 0/0 and inf/inf: t = 0 or 1 (NaN inputs keep NaN).
    const __m256d bad = andv(cmp<_CMP_UNORD_Q>(a, a), cmp<_CMP_ORD_Q>(x, y));
    if (__builtin_expect(any(bad), 0))
        a = sel(bad, andv(cmp<_CMP_EQ_OQ>(ax, set(__builtin_inf())), set(1.0)), a);
    const AtanParts q = atanParts(a);
    // r = base + s * atan a, base in {0, pi/2, pi, pi/2}, s = +-1.
    const __m256d swap = cmp<_CMP_GT_OQ>(ay, ax);
    const __m256d neg = signv(x);   // x with its sign bit set
    const __m256d negm = _mm256_castsi256_pd(_mm256_cmpeq_epi64(
        _mm256_castpd_si256(neg), _mm256_castpd_si256(set(-0.0))));
    // s = -1 when exactly one of swap, neg.
    const __m256d flip = xorv(swap, negm);
    const __m256d sgn = andv(flip, set(-0.0));
    const __m256d baseHi = sel(negm, sel(swap, set(kPiHi / 2), set(kPiHi)), sel(swap, set(kPiHi / 2), set(0.0)));
    const __m256d baseLo = sel(negm, sel(swap, set(kPiLo / 2), set(kPiLo)), sel(swap, set(kPiLo / 2), set(0.0)));
    // base + s*(hi + lo + t - t*p), base + s*hi summed exactly.
    __m256d h, he;
    twoSum(baseHi, xorv(q.hi, sgn), h, he);
    __m256d tl = sub(q.t, fms(q.t, q.p, q.lo));
    {
        const __m256d e = _mm256_div_pd(fnma(a, mx, mn), mul(mx, fma(a, a, set(1.0))));
        tl = add(tl, andv(cmp<_CMP_ORD_Q>(e, e), e));   // 0/0 and inf/inf lanes: none
    }
    const __m256d tail = xorv(tl, sgn);
    const __m256d r = add(h, add(add(tail, he), baseLo));
    // min/max return their second operand for a NaN first operand: NaN lanes explicitly.
    return sel(cmp<_CMP_UNORD_Q>(x, y), add(x, y), orv(absv(r), signv(y)));
}

// ---- low accuracy, both widths ----------------------------------------------------------
// Three intervals: t = a, (a - 1)/(a + 1) or -1/a keeps |t| <= tan(pi/8), one division,
// atan t = t + t^3 Q(t^2), then pi/4 or pi/2 added. Q is a degree-9 fit in double (2^-50
// absolute, below 1.2 ulp; about 2 ulp in all) and a degree-3 minimax polynomial in
// float (about 1 ulp). atan2 forms the same t from min(|x|,|y|) and max(|x|,|y|).
constexpr double kAtanLaD[] = {0.02275003360256879,  -0.04483298567335964, 0.05736321222805488,
                               -0.0664961191062573,  0.07691054989450075,  -0.09090852547824972,
                               0.11111109636245158,  -0.14285714266092164, 0.19999999999898382,
                               -0.3333333333333325};
constexpr float kAtanLaF[] = {8.05374449538e-2f, -1.38776856032e-1f, 1.99777106478e-1f,
                              -3.33329491539e-1f};
constexpr double kTanPi8 = 0.41421356237309504880, kTan3Pi8 = 2.41421356237309504880;

VEK_INLINE __m256d atanPolyLa(__m256d t) noexcept {
    const __m256d z = mul(t, t);
    return fma(mul(t, z), hornerPairs(z, kAtanLaD), t);
}
VEK_INLINE __m256 atanPolyLa(__m256 t) noexcept {
    const __m256 z = mul(t, t);
    return fma(mul(t, z), horner(z, kAtanLaF), t);
}
template <class V>
VEK_INLINE V atanLa(V x) noexcept {
    using E = Lane<V>;
    const V a = absv(x), one = set(E(1));
    const V m1 = cmp<_CMP_GT_OQ>(a, set(E(kTanPi8))), m2 = cmp<_CMP_GT_OQ>(a, set(E(kTan3Pi8)));
    const V num = sel(m2, set(E(-1)), sel(m1, sub(a, one), a));
    const V den = sel(m2, a, sel(m1, add(a, one), one));
    const V base = sel(m2, set(E(kPiHi / 2)), andv(m1, set(E(kPiHi / 4))));
    const V r = add(base, atanPolyLa(div(num, den)));
    return orv(r, signv(x));
}
template <class V>
VEK_INLINE V atan2La(V y, V x) noexcept {
    using E = Lane<V>;
    const V ax = absv(x), ay = absv(y);
    const V mn = vmin(ax, ay), mx = vmax(ax, ay);
    // mn/mx > tan(pi/8): t = (mn - mx)/(mn + mx) and pi/4 added.
    const V m1 = cmp<_CMP_GT_OQ>(mn, mul(mx, set(E(kTanPi8))));
    V t = div(sel(m1, sub(mn, mx), mn), sel(m1, add(mn, mx), mx));
    V q = m1;
    // t is NaN for 0/0, inf/inf and a NaN y; a NaN x gives some t (min and max return
    // their second operand). Those lanes are rare: 0/0 and inf/inf take t = 0 with base
    // 0 or pi/4, NaN arguments give NaN at the end.
    const bool special = any(cmp<_CMP_UNORD_Q>(t, x));
    if (__builtin_expect(special, 0)) {
        const V bad = cmp<_CMP_UNORD_Q>(t, t);
        t = andnot_(bad, t);
        q = orv(m1, andv(bad, cmp<_CMP_EQ_OQ>(mx, set(E(__builtin_inf())))));
    }
    const V a = add(andv(q, set(E(kPiHi / 4))), atanPolyLa(t));
    // swap: pi/2 - a; then x with its sign bit set (the blend reads only that bit): pi
    // less that. The result is never negative before the sign of y.
    V r = sel(cmp<_CMP_GT_OQ>(ay, ax), sub(set(E(kPiHi / 2)), a), a);
    r = orv(sel(x, sub(set(E(kPiHi)), r), r), signv(y));
    if (__builtin_expect(special, 0)) r = sel(cmp<_CMP_UNORD_Q>(x, y), add(x, y), r);
    return r;
}

// ---- float, high accuracy ---------------------------------------------------------------
// The five intervals of the double kernel in float, atan c as a float pair, an odd
// polynomial of degree 19 (from the double coefficients).
constexpr float kAtanHaF[] = {float(kAtanD[2]), float(kAtanD[3]), float(kAtanD[4]), float(kAtanD[5]), float(kAtanD[6]), float(kAtanD[7]),
                              float(kAtanD[8]), float(kAtanD[9]), float(kAtanD[10])};
VEK_INLINE __m256 atanAccF(__m256 x) noexcept {
    const __m256 a = absv(x), one = set(1.0f);
    const __m256 m1 = cmp<_CMP_GE_OQ>(a, set(7.0f / 16)), m2 = cmp<_CMP_GE_OQ>(a, set(11.0f / 16)),
                 m3 = cmp<_CMP_GE_OQ>(a, set(19.0f / 16)), m4 = cmp<_CMP_GE_OQ>(a, set(39.0f / 16));
    __m256 num = a, den = one, hi = set(0.0f), lo = set(0.0f);
    auto iv = [&](__m256 m, __m256 n, __m256 d, int i) {
        num = sel(m, n, num);
        den = sel(m, d, den);
        hi = sel(m, set(float(kAtanHi[i])), hi);
        lo = sel(m, set(float(kAtanHi[i] - double(float(kAtanHi[i])))), lo);
    };
    iv(m1, fms(a, set(2.0f), one), add(a, set(2.0f)), 1);
    iv(m2, sub(a, one), add(a, one), 2);
    iv(m3, sub(a, set(1.5f)), fma(a, set(1.5f), one), 3);
    iv(m4, set(-1.0f), a, 4);
    const __m256 t = _mm256_div_ps(num, den);
    const __m256 z = mul(t, t);
    const __m256 r = add(hi, sub(t, fms(mul(t, z), horner(z, kAtanHaF), lo)));
    return orv(r, signv(x));
}

// atan2 at high accuracy in float: t = (mn - c mx)/(mx + c mn) for c = 0, 1/2, 1 (the
// numerators are exact), then the quadrant as in the double kernel with pi as a pair.
VEK_INLINE __m256 atan2AccF(__m256 y, __m256 x) noexcept {
    const __m256 ax = absv(x), ay = absv(y);
    const __m256 mn = _mm256_min_ps(ax, ay), mx = _mm256_max_ps(ax, ay);
    const __m256 m1 = cmp<_CMP_GE_OQ>(mn, mul(mx, set(7.0f / 16))), m2 = cmp<_CMP_GE_OQ>(mn, mul(mx, set(11.0f / 16)));
    const float h1 = float(kAtanHi[1]), h2 = float(kAtanHi[2]);
    const __m256 num = sel(m2, sub(mn, mx), sel(m1, fms(mn, set(2.0f), mx), mn));
    const __m256 den = sel(m2, add(mn, mx), sel(m1, fma(mx, set(2.0f), mn), mx));
    __m256 hi = sel(m2, set(h2), andv(m1, set(h1)));
    __m256 lo = sel(m2, set(float(kAtanHi[2] - h2)), andv(m1, set(float(kAtanHi[1] - h1))));
    __m256 t = _mm256_div_ps(num, den);
    // 0/0 and inf/inf: t = 0 with atan c = 0 or pi/4.
    const __m256 bad = andv(cmp<_CMP_UNORD_Q>(t, t), cmp<_CMP_ORD_Q>(x, y));
    if (__builtin_expect(any(bad), 0)) {
        t = sel(bad, set(0.0f), t);
        const __m256 zero = andv(bad, cmp<_CMP_EQ_OQ>(mx, set(0.0f)));
        hi = sel(zero, set(0.0f), hi);
        lo = sel(zero, set(0.0f), lo);
    }
    const __m256 z = mul(t, t);
    const __m256 swap = cmp<_CMP_GT_OQ>(ay, ax);
    const __m256 negm = _mm256_castsi256_ps(_mm256_srai_epi32(_mm256_castps_si256(x), 31));
    const __m256 sgn = andv(xorv(swap, negm), set(-0.0f));
    const float piHi = float(kPiHi), piLo = float(kPiHi - double(piHi));
    const __m256 baseHi = sel(negm, sel(swap, set(piHi / 2), set(piHi)), andv(swap, set(piHi / 2)));
    const __m256 baseLo = sel(negm, sel(swap, set(piLo / 2), set(piLo)), andv(swap, set(piLo / 2)));
    // base + s*(atan c) summed exactly (its rounding would cost up to an ulp).
    const __m256 hv = xorv(hi, sgn);
    const __m256 h = add(baseHi, hv), bb = sub(h, baseHi);
    const __m256 he = add(sub(baseHi, sub(h, bb)), sub(hv, bb));
    // The quotient's rounding, (num - t den)/den, matters where atan t falls a binade
    // below t; a reciprocal estimate is ample for it.
    __m256 te = mul(mul(fnma(t, den, num), _mm256_rcp_ps(den)), fnma(z, set(1.0f), set(1.0f)));
    te = andv(cmp<_CMP_ORD_Q>(te, te), te);
    const __m256 tl = xorv(add(sub(t, fms(mul(t, z), horner(z, kAtanHaF), lo)), te), sgn);
    const __m256 r = add(h, add(add(tl, he), baseLo));
    return sel(cmp<_CMP_UNORD_Q>(x, y), add(x, y), orv(absv(r), signv(y)));
}

}  // namespace detail

// ---- vector forms -------------------------------------------------------------------
VEK_INLINE __m256d atan_a53(__m256d x) noexcept { return detail::atanD(x); }
VEK_INLINE __m256d atan_a50(__m256d x) noexcept { return detail::atanLa(x); }
VEK_INLINE __m256d atan_a26(__m256d x) noexcept { return atan_a50(x); }
VEK_INLINE __m256 atan_a24(__m256 x) noexcept { return detail::atanAccF(x); }
VEK_INLINE __m256 atan_a21(__m256 x) noexcept { return detail::atanLa(x); }
VEK_INLINE __m256 atan_a11(__m256 x) noexcept { return atan_a21(x); }

VEK_INLINE __m256d atan2_a53(__m256d y, __m256d x) noexcept { return detail::atan2D(y, x); }
VEK_INLINE __m256d atan2_a50(__m256d y, __m256d x) noexcept { return detail::atan2La(y, x); }
VEK_INLINE __m256d atan2_a26(__m256d y, __m256d x) noexcept { return atan2_a50(y, x); }
VEK_INLINE __m256 atan2_a24(__m256 y, __m256 x) noexcept { return detail::atan2AccF(y, x); }
VEK_INLINE __m256 atan2_a21(__m256 y, __m256 x) noexcept { return detail::atan2La(y, x); }
VEK_INLINE __m256 atan2_a11(__m256 y, __m256 x) noexcept { return atan2_a21(y, x); }

}  // namespace vek::vm
