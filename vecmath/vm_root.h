// vm_root.h - vector square root and cube root kernels.
//
// Square root: high accuracy is the correctly rounded instruction. Low accuracy in
// float: the reciprocal-square-root estimate r, y = x*r refined once with FMA
// (y += y*(1/2 - y*r/2)), within about one ulp; zero, infinity, negative and NaN lanes
// give NaN there and the caller recomputes them with the instruction.
//
// Cube root of float: an estimate of x^(-1/3) from the exponent bits, three
// division-free Newton steps r += r*(1 - x r^3)/3 in double (quadratic, from 4% to
// 2^-31), cbrt x = x r^2 rounded once: about 0.5 ulp. Subnormals are scaled by 2^24
// for the estimate; +-0, +-inf and NaN are returned unchanged, the sign is odd.
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

VEK_INLINE __m256 cbrtF(__m256 x) noexcept {
    const __m256 ax = absf(x);
    const __m256 sub_ = cmp<_CMP_LT_OQ>(ax, set(0x1p-126f));
    const __m256 xs = sel(sub_, mul(ax, set(0x1p24f)), ax);
    // bits(x^(-1/3)) ~ K - bits(x)/3
    const __m256 b3 = mul(_mm256_cvtepi32_ps(_mm256_castps_si256(xs)), set(1.0f / 3.0f));
    __m256 r0 = _mm256_castsi256_ps(_mm256_sub_epi32(ci32<0x54a21d2a>(), _mm256_cvtps_epi32(b3)));
    r0 = sel(sub_, mul(r0, set(256.0f)), r0);
    const __m256 y = join(cbrtNewton(loHalf(ax), loHalf(r0)), cbrtNewton(hiHalf(ax), hiHalf(r0)));
    // +-0, +-inf, NaN unchanged.
    const __m256 keep = orv(cmp<_CMP_EQ_OQ>(ax, set(0.0f)), cmp<_CMP_NLT_UQ>(ax, set(__builtin_inff())));
    return sel(keep, x, orv(y, signf(x)));
}

}  // namespace detail

VEK_INLINE __m256 sqrt_a24(__m256 x) noexcept { return _mm256_sqrt_ps(x); }
VEK_INLINE __m256d sqrt_a53(__m256d x) noexcept { return _mm256_sqrt_pd(x); }
VEK_INLINE __m256d sqrt_a50(__m256d x) noexcept { return sqrt_a53(x); }
VEK_INLINE __m256d sqrt_a26(__m256d x) noexcept { return sqrt_a53(x); }

VEK_INLINE __m256 cbrt_a24(__m256 x) noexcept { return detail::cbrtF(x); }
VEK_INLINE __m256 cbrt_a21(__m256 x) noexcept { return detail::cbrtF(x); }
VEK_INLINE __m256 cbrt_a11(__m256 x) noexcept { return detail::cbrtF(x); }

}  // namespace vek::vm
