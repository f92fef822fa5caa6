// vm_trig.h - vector sine and cosine kernels.
//
// Double, high accuracy (about 0.7 ulp): x = q*pi/2 + r with r in [-pi/4, pi/4] kept
// as a double-double (three-part pi/2 with FMA, error-free sums); beyond 2^28 the
// lanes are reduced one by one with an exact multi-word product of x and 2/pi.
// r is fed to a degree-13 sine and degree-14 cosine polynomial and the quadrant
// selects and signs the result.
//
// Double, low accuracy (a few ulp): x = k*pi + r with r in [-pi/2, pi/2], one odd
// fitted polynomial for sine, cosine as sin((2n+1)pi/2 - x) with a sign. Lanes beyond
// 2^28 send the vector to the accurate kernel.
//
// Float, high accuracy: the low-accuracy algorithm evaluated in double and rounded
// once (about 0.5 ulp); beyond 2^20 the double accurate kernel.
// Float, low accuracy: the same algorithm in float (about 2 ulp); beyond 65536 the
// float accurate kernel.
//
// Special values: sin(+-0) = +-0, cos(+-0) = 1, infinities and NaN give NaN, tiny
// and subnormal arguments give sin(x) = x.
#pragma once

#include "vm_core.h"
#include "vm_map.h"

namespace vek::vm {
namespace detail {

// pi/2 = C1 + C2 + C3 to about 160 bits.
constexpr double kPio2_1 = 1.5707963267948966, kPio2_2 = 6.123233995736766e-17,
                 kPio2_3 = -1.4973849048591698e-33;
constexpr double kTwoOverPi = 0.6366197723675814, kOneOverPi = 0.3183098861837907;
// pi/2 in three floats.
constexpr float kPio2f_1 = 0x1.921fb6p+0f, kPio2f_2 = -0x1.777a5cp-25f, kPio2f_3 = -0x1.ee59dap-50f;
constexpr float kOneOverPif = 0.318309886183790671538f;

// sin r = r + r^3 * S(r^2), cos r = 1 - r^2/2 + r^4 * C(r^2) on |r| <= pi/4.
constexpr double kSinD[] = {1.58969099521155010221e-10, -2.50507602534068634195e-08,
                            2.75573137070700676789e-06, -1.98412698298579493134e-04,
                            8.33333333332248946124e-03, -1.66666666666666324348e-01};
constexpr double kCosD[] = {-1.13596475577881948265e-11, 2.08757232129817482790e-09,
                            -2.75573143513906633035e-07, 2.48015872894767294178e-05,
                            -1.38888888888741095749e-03, 4.16666666666666019037e-02};
// (sin r - r) / r^3 as a polynomial in z = r^2 on |r| <= pi/2 (z <= 2.48), fitted:
// degree 7 (2^-61 absolute in the polynomial), for double results;
constexpr double kSinWideD[] = {2.731041918097912e-15,   -7.643937905979405e-13, 1.6058976295353712e-10,
                                -2.5052107601268488e-08, 2.755731921903942e-06,  -0.00019841269841254513,
                                0.008333333333333316,    -0.16666666666666666};
// degree 4 (2^-34.7), for results rounded to float;
constexpr double kSinWideFD[] = {-2.407532240e-08, 2.753625274e-06, -1.984108377e-04, 8.333332757e-03,
                                 -1.666666666e-01};
// degree 3 (2^-27), evaluated in float for low accuracy.
constexpr float kSinWideF[] = {2.634152094e-06f, -1.982255248e-04f, 8.333240746e-03f, -1.666666595e-01f};

// Reduces the lanes in `mask` (bit i = lane i) that are beyond the fast reduction's
// range: finite lanes by the exact product with 2/pi, others to NaN.
void reduceHuge(const double* x, double* hi, double* lo, std::int64_t* q, int mask) noexcept;
// One argument: x*2/pi = q + f with |f| <= 1/2, r = f*pi/2 = hi + lo. x finite.
void reducePayneHanek(double x, double& hi, double& lo, std::int64_t& q) noexcept;

// x = q*pi/2 + hi + lo, |hi + lo| <= pi/4 (slightly more at rounding boundaries).
// Huge = false: every lane is known to be within 2^28.
template <bool Huge = true>
VEK_INLINE void reduceHalfPi(__m256d x, __m256d& hi, __m256d& lo, __m256i& q) noexcept {
    const __m256d kk = fma(x, set(kTwoOverPi), set(kMagicD));
    const __m256d k = sub(kk, set(kMagicD));
    q = _mm256_castpd_si256(kk);
    const __m256d a = fnma(k, set(kPio2_1), x);   // exact
    const __m256d p = mul(k, set(kPio2_2));
    const __m256d pe = fms(k, set(kPio2_2), p);
    __m256d s, e;
    twoSum(a, _mm256_xor_pd(p, set(-0.0)), s, e);
    __m256d t = sub(e, pe);
    t = fnma(k, set(kPio2_3), t);
    fastTwoSum(s, t, hi, lo);
    if constexpr (!Huge) return;
    const __m256d huge = cmp<_CMP_NLE_UQ>(absv(x), set(0x1p28));
    if (__builtin_expect(any(huge), 0)) {
        alignas(32) double xs[4], hs[4], ls[4];
        alignas(32) std::int64_t qs[4];
        _mm256_store_pd(xs, x);
        _mm256_store_pd(hs, hi);
        _mm256_store_pd(ls, lo);
        _mm256_store_si256(reinterpret_cast<__m256i*>(qs), q);
        reduceHuge(xs, hs, ls, qs, bitsOf(huge));
        hi = _mm256_load_pd(hs);
        lo = _mm256_load_pd(ls);
        q = _mm256_load_si256(reinterpret_cast<const __m256i*>(qs));
    }
}

VEK_INLINE __m256d sinPoly(__m256d hi, __m256d lo, __m256d z) noexcept {
    const __m256d p = horner(z, kSinD);
    const __m256d c = fnma(set(0.5), z, set(1.0));   // cos r to first order, scales lo
    return add(hi, fma(mul(z, hi), p, mul(lo, c)));
}
VEK_INLINE __m256d cosPoly(__m256d hi, __m256d lo, __m256d z) noexcept {
    const __m256d p = horner(z, kCosD);
    const __m256d zlo = fms(hi, hi, z);
    const __m256d hz = mul(set(0.5), z);
    const __m256d w = sub(set(1.0), hz);
    const __m256d e = sub(sub(set(1.0), w), hz);   // exact tail of 1 - hz
    const __m256d tail = fnma(hi, lo, fnma(set(0.5), zlo, e));
    return add(w, fma(mul(z, z), p, tail));
}
VEK_INLINE __m256d laneBitToSign(__m256i v, int bit) noexcept {
    return _mm256_castsi256_pd(_mm256_slli_epi64(v, 63 - bit));
}
VEK_INLINE __m256d signOfBit(__m256i v, int bit) noexcept {
    return _mm256_and_pd(laneBitToSign(v, bit), set(-0.0));
}

// Both sine and cosine, high accuracy.
template <bool Huge = true>
VEK_INLINE void sincosHa(__m256d x, __m256d& s, __m256d& c) noexcept {
    __m256d hi, lo;
    __m256i q;
    reduceHalfPi<Huge>(x, hi, lo, q);
    const __m256d z = mul(hi, hi);
    const __m256d ps = sinPoly(hi, lo, z), pc = cosPoly(hi, lo, z);
    const __m256d odd = laneBitToSign(q, 0);
    s = xorv(sel(odd, pc, ps), signOfBit(q, 1));
    c = xorv(sel(odd, ps, pc), signOfBit(_mm256_add_epi64(q, ci<i64(1)>()), 1));
    s = sel(cmp<_CMP_LT_OQ>(absv(x), set(0x1p-27)), x, s);
}
template <bool Huge = true>
VEK_INLINE __m256d sinHa(__m256d x) noexcept {
    __m256d s, c;
    sincosHa<Huge>(x, s, c);   // the cosine is left unused
    return s;
}
template <bool Huge = true>
VEK_INLINE __m256d cosHa(__m256d x) noexcept {
    __m256d s, c;
    sincosHa<Huge>(x, s, c);
    return c;
}

// sin on the wide interval: r + r^3 * P(r^2).
template <std::size_t N>
VEK_INLINE __m256d sinWide(__m256d r, const double (&c)[N]) noexcept {
    const __m256d z = mul(r, r);
    if constexpr (N == 8) return fma(mul(r, z), estrin8(z, c), r);
    else return fma(mul(r, z), horner(z, c), r);
}

// Low accuracy: sin x = (-1)^k sin(x - k*pi); cos x = (-1)^n sin((2n+1)pi/2 - x), the
// reduction written with the sign flipped so the sign comes from n itself.
template <std::size_t N>
VEK_INLINE __m256d sinLaCore(__m256d x, const double (&c)[N]) noexcept {
    const __m256d kk = fma(x, set(kOneOverPi), set(kMagicD));
    const __m256d k = sub(kk, set(kMagicD));
    __m256d r = fnma(k, set(2 * kPio2_1), x);
    r = fnma(k, set(2 * kPio2_2), r);
    r = fnma(k, set(2 * kPio2_3), r);
    return xorv(sinWide(r, c), laneBitToSign(_mm256_castpd_si256(kk), 0));
}
template <std::size_t N>
VEK_INLINE __m256d cosLaCore(__m256d x, const double (&c)[N]) noexcept {
    const __m256d nn = add(fms(x, set(kOneOverPi), set(0.5)), set(kMagicD));
    const __m256d n = sub(nn, set(kMagicD));
    const __m256d k = fma(n, set(2.0), set(1.0));
    __m256d r = fms(k, set(kPio2_1), x);
    r = fma(k, set(kPio2_2), r);
    r = fma(k, set(kPio2_3), r);
    return xorv(sinWide(r, c), laneBitToSign(_mm256_castpd_si256(nn), 0));
}
VEK_INLINE bool allBelow(__m256d x, double lim) noexcept {
    return !any(cmp<_CMP_NLE_UQ>(absv(x), set(lim)));
}

VEK_INLINE __m256 sinWideF(__m256 r) noexcept {
    const __m256 z = mul(r, r);
    return fma(mul(r, z), horner(z, kSinWideF), r);
}
VEK_INLINE __m256 signOfBitF(__m256 kk) noexcept {
    return _mm256_castsi256_ps(_mm256_slli_epi32(_mm256_castps_si256(kk), 31));
}
// The low-accuracy reductions in float, for |x| <= 65536.
VEK_INLINE __m256 sinLaF(__m256 x) noexcept {
    const __m256 kk = fma(x, set(kOneOverPif), set(kMagicF));
    const __m256 k = sub(kk, set(kMagicF));
    __m256 r = fnma(k, set(2 * kPio2f_1), x);
    r = fnma(k, set(2 * kPio2f_2), r);
    r = fnma(k, set(2 * kPio2f_3), r);
    return xorv(sinWideF(r), signOfBitF(kk));
}
VEK_INLINE __m256 cosLaF(__m256 x) noexcept {
    const __m256 nn = add(fms(x, set(kOneOverPif), set(0.5f)), set(kMagicF));
    const __m256 n = sub(nn, set(kMagicF));
    const __m256 k = fma(n, set(2.0f), set(1.0f));
    __m256 r = fms(k, set(kPio2f_1), x);
    r = fma(k, set(kPio2f_2), r);
    r = fma(k, set(kPio2f_3), r);
    return xorv(sinWideF(r), signOfBitF(nn));
}

// ---- split kernels (vm_map.h) -----------------------------------------------------------
// Double: the fast kernels take |x| <= 2^28; beyond, and for infinities and NaN, the
// accurate kernel with the exact reduction.
template <bool Cos, bool HA>
struct TrigD {
    VEK_INLINE static bool rare(__m256d x) noexcept { return !allBelow(x, 0x1p28); }
    VEK_INLINE static __m256d fast(__m256d x) noexcept {
        if constexpr (HA) return Cos ? cosHa<false>(x) : sinHa<false>(x);
        else return Cos ? cosLaCore(x, kSinWideD) : sinLaCore(x, kSinWideD);
    }
    VEK_INLINE static __m256d slow(__m256d x) noexcept { return Cos ? cosHa(x) : sinHa(x); }
};
// Sine and cosine of one vector.
struct SinCosPd {
    __m256d s, c;
};
struct SinCosPs {
    __m256 s, c;
};
template <bool HA>
struct SinCosD {
    VEK_INLINE static bool rare(__m256d x) noexcept { return !allBelow(x, 0x1p28); }
    VEK_INLINE static SinCosPd fast(__m256d x) noexcept {
        SinCosPd r;
        if constexpr (HA) {
            sincosHa<false>(x, r.s, r.c);
        } else {
            r.s = sinLaCore(x, kSinWideD);
            r.c = cosLaCore(x, kSinWideD);
        }
        return r;
    }
    VEK_INLINE static SinCosPd slow(__m256d x) noexcept {
        SinCosPd r;
        sincosHa(x, r.s, r.c);
        return r;
    }
};

// Float: high accuracy evaluates the low-accuracy double algorithm for |x| <= 2^20,
// low accuracy the float one for |x| <= 65536; beyond, the next more accurate kernel.
template <bool HA>
VEK_INLINE bool trigRareF(__m256 x) noexcept {
    return any(cmp<_CMP_NLE_UQ>(absv(x), set(HA ? 0x1p20f : 65536.0f)));
}
template <bool Cos, bool HA>
struct TrigF {
    VEK_INLINE static bool rare(__m256 x) noexcept { return trigRareF<HA>(x); }
    VEK_INLINE static __m256 fast(__m256 x) noexcept {
        if constexpr (HA)
            return viaDouble(x, [](__m256d v) { return Cos ? cosLaCore(v, kSinWideFD) : sinLaCore(v, kSinWideFD); });
        else return Cos ? cosLaF(x) : sinLaF(x);
    }
    VEK_INLINE static __m256 slow(__m256 x) noexcept {
        if constexpr (HA) return viaDouble(x, [](__m256d v) { return Cos ? cosHa(v) : sinHa(v); });
        else return apply<TrigF<Cos, true>>(x);
    }
};
// Sine (Cos = false) or cosine, and both.
template <bool HA>
struct SinCosF {
    VEK_INLINE static bool rare(__m256 x) noexcept { return trigRareF<HA>(x); }
    VEK_INLINE static SinCosPs fast(__m256 x) noexcept { return {TrigF<false, HA>::fast(x), TrigF<true, HA>::fast(x)}; }
    VEK_INLINE static SinCosPs slow(__m256 x) noexcept { return {TrigF<false, HA>::slow(x), TrigF<true, HA>::slow(x)}; }
};

}  // namespace detail

// ---- vector forms -------------------------------------------------------------------
VEK_INLINE __m256d sin_a53(__m256d x) noexcept { return detail::sinHa(x); }
VEK_INLINE __m256d cos_a53(__m256d x) noexcept { return detail::cosHa(x); }
VEK_INLINE void sincos_a53(__m256d x, __m256d& s, __m256d& c) noexcept { detail::sincosHa(x, s, c); }

VEK_INLINE __m256d sin_a50(__m256d x) noexcept { return detail::apply<detail::TrigD<false, false>>(x); }
VEK_INLINE __m256d cos_a50(__m256d x) noexcept { return detail::apply<detail::TrigD<true, false>>(x); }
VEK_INLINE void sincos_a50(__m256d x, __m256d& s, __m256d& c) noexcept {
    const auto r = detail::apply<detail::SinCosD<false>>(x);
    s = r.s;
    c = r.c;
}
VEK_INLINE __m256d sin_a26(__m256d x) noexcept { return sin_a50(x); }
VEK_INLINE __m256d cos_a26(__m256d x) noexcept { return cos_a50(x); }
VEK_INLINE void sincos_a26(__m256d x, __m256d& s, __m256d& c) noexcept { sincos_a50(x, s, c); }

VEK_INLINE __m256 sin_a24(__m256 x) noexcept { return detail::apply<detail::TrigF<false, true>>(x); }
VEK_INLINE __m256 cos_a24(__m256 x) noexcept { return detail::apply<detail::TrigF<true, true>>(x); }
VEK_INLINE void sincos_a24(__m256 x, __m256& s, __m256& c) noexcept {
    s = sin_a24(x);
    c = cos_a24(x);
}
VEK_INLINE __m256 sin_a21(__m256 x) noexcept { return detail::apply<detail::TrigF<false, false>>(x); }
VEK_INLINE __m256 cos_a21(__m256 x) noexcept { return detail::apply<detail::TrigF<true, false>>(x); }
VEK_INLINE void sincos_a21(__m256 x, __m256& s, __m256& c) noexcept {
    s = sin_a21(x);
    c = cos_a21(x);
}
VEK_INLINE __m256 sin_a11(__m256 x) noexcept { return sin_a21(x); }
VEK_INLINE __m256 cos_a11(__m256 x) noexcept { return cos_a21(x); }
VEK_INLINE void sincos_a11(__m256 x, __m256& s, __m256& c) noexcept { sincos_a21(x, s, c); }

}  // namespace vek::vm
