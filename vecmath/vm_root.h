// vm_root.h - vector square root and cube root kernels.
//
// Square root: high accuracy is the correctly rounded instruction. Low accuracy in
// float: the reciprocal-square-root estimate r, y = x*r refined once with FMA
// (y += y*(1/2 - y*r/2)), within about one ulp; zero, infinity, negative and NaN lanes
// give NaN there and the caller recomputes them with the instruction.
//
// Cube root of float, high accuracy: an estimate of x^(-1/3) from the exponent bits,
// three division-free Newton steps r += r*(1 - x r^3)/3 in double (quadratic, from 4%
// to 2^-31), cbrt x = x r^2 rounded once: about 0.5 ulp. Low accuracy in float (below).
// Subnormals are scaled by 2^24 for the estimate; +-0, +-inf and NaN are returned
// unchanged, the sign is odd.
#pragma once

#include "vm_core.h"

namespace vek::vm {
namespace detail {

VEK_INLINE __m256 sqrtRsqrtF(__m256 x) noexcept {
    const __m256 r = _mm256_rsqrt_ps(x);
    const __m256 y = mul(x, r);
    const __m256 h = mul(set(0.5f), r);
    const __m256 e = fnma(y, h, set(0.5f));
    return fma(y, e, y);
}

VEK_INLINE __m256d cbrtNewton(__m256d ax, __m256d r) noexcept {
    const __m256d third = set(1.0 / 3.0);
    for (int i = 0; i < 3; ++i) {
        const __m256d r3 = mul(mul(r, r), r);
        const __m256d e = fnma(ax, r3, set(1.0));
        r = fma(mul(r, e), third, r);
    }
    return mul(mul(ax, r), r);
}

// Estimate of xs^(-1/3) from the bits, bits(r) ~ K - bits(xs)/3, where xs is |x| with
// subnormals scaled by 2^24 (sub_ marks them).
VEK_INLINE __m256 cbrtRecipEstF(__m256 ax, __m256 sub_, __m256& xs) noexcept {
    xs = sel(sub_, mul(ax, set(0x1p24f)), ax);
    const __m256 b3 = mul(_mm256_cvtepi32_ps(_mm256_castps_si256(xs)), set(1.0f / 3.0f));
    return _mm256_castsi256_ps(_mm256_sub_epi32(ci<i32(0x54a21d2a)>(), _mm256_cvtps_epi32(b3)));
}
// The root y of |x| with x's sign; +-0, +-inf and NaN unchanged.
VEK_INLINE __m256 cbrtFinishF(__m256 x, __m256 ax, __m256 y) noexcept {
    const __m256 keep = orv(cmp<_CMP_EQ_OQ>(ax, set(0.0f)), cmp<_CMP_NLT_UQ>(ax, set(__builtin_inff())));
    return sel(keep, x, orv(y, signv(x)));
}

VEK_INLINE __m256 cbrtF(__m256 x) noexcept {
    const __m256 ax = absv(x);
    const __m256 sub_ = cmp<_CMP_LT_OQ>(ax, set(0x1p-126f));
    __m256 xs;
    __m256 r0 = cbrtRecipEstF(ax, sub_, xs);
    r0 = sel(sub_, mul(r0, set(256.0f)), r0);
    const __m256 y = join(cbrtNewton(loHalf(ax), loHalf(r0)), cbrtNewton(hiHalf(ax), hiHalf(r0)));
    return cbrtFinishF(x, ax, y);
}

// Low accuracy, in float: the same estimate, two Newton steps (to about 1.2e-5), y =
// x r^2 and one Newton step on y itself, y -= (y^3 - x) r^2/3, with r^2/3 standing in
// for 1/(3y^2) (no division): about 1 ulp.
VEK_INLINE __m256 cbrtLaF(__m256 x) noexcept {
    const __m256 ax = absv(x);
    const __m256 sub_ = cmp<_CMP_LT_OQ>(ax, set(0x1p-126f));
    __m256 xs;
    __m256 r = cbrtRecipEstF(ax, sub_, xs);
    for (int i = 0; i < 2; ++i) {
        const __m256 e = fnma(mul(xs, r), mul(r, r), set(1.0f));
        r = fma(mul(r, e), set(1.0f / 3.0f), r);
    }
    const __m256 r2 = mul(r, r);
    const __m256 y0 = mul(xs, r2);
    const __m256 res = fms(mul(y0, y0), y0, xs);
    __m256 y = fnma(res, mul(r2, set(1.0f / 3.0f)), y0);
    y = sel(sub_, mul(y, set(0x1p-8f)), y);
    return cbrtFinishF(x, ax, y);
}

}  // namespace detail

VEK_INLINE __m256 sqrt_a24(__m256 x) noexcept { return _mm256_sqrt_ps(x); }
VEK_INLINE __m256d sqrt_a53(__m256d x) noexcept { return _mm256_sqrt_pd(x); }
VEK_INLINE __m256d sqrt_a50(__m256d x) noexcept { return sqrt_a53(x); }
VEK_INLINE __m256d sqrt_a26(__m256d x) noexcept { return sqrt_a53(x); }

VEK_INLINE __m256 cbrt_a24(__m256 x) noexcept { return detail::cbrtF(x); }
VEK_INLINE __m256 cbrt_a21(__m256 x) noexcept { return detail::cbrtLaF(x); }
VEK_INLINE __m256 cbrt_a11(__m256 x) noexcept { return cbrt_a21(x); }

}  // namespace vek::vm
