// vm_core.h - small vector helpers shared by the vector-math kernels: lane masks,
// selects, magic-constant rounding and the error-free transformations the accurate
// kernels are built from. Every kernel here assumes round-to-nearest with FTZ/DAZ
// off (the array forms and the exports set that environment themselves).
#pragma once

#include <immintrin.h>

#include <cstdint>

#include "common.h"

namespace vek::vm::detail {

// ---- integer constants ---------------------------------------------------------------
using i64 = std::int64_t;
using i32 = std::int32_t;
// V in every lane, the lane as wide as V's type (i64 or i32). The array loops compute
// such constants once, before the loop.
template <auto V>
VEK_INLINE __m256i ci() noexcept {
    static_assert(sizeof(V) == 8 || sizeof(V) == 4);
    if constexpr (sizeof(V) == 8) return _mm256_set1_epi64x(V);
    else return _mm256_set1_epi32(V);
}

// ---- double lanes ------------------------------------------------------------------
VEK_INLINE __m256d set(double v) noexcept { return _mm256_set1_pd(v); }
VEK_INLINE __m256d absv(__m256d x) noexcept {
    return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
}
VEK_INLINE __m256d signv(__m256d x) noexcept { return _mm256_and_pd(_mm256_set1_pd(-0.0), x); }
VEK_INLINE __m256d sel(__m256d m, __m256d a, __m256d b) noexcept {   // m ? a : b
    return _mm256_blendv_pd(b, a, m);
}
VEK_INLINE __m256d fma(__m256d a, __m256d b, __m256d c) noexcept { return _mm256_fmadd_pd(a, b, c); }
VEK_INLINE __m256d fms(__m256d a, __m256d b, __m256d c) noexcept { return _mm256_fmsub_pd(a, b, c); }
VEK_INLINE __m256d fnma(__m256d a, __m256d b, __m256d c) noexcept {   // c - a*b
    return _mm256_fnmadd_pd(a, b, c);
}
VEK_INLINE __m256d add(__m256d a, __m256d b) noexcept { return _mm256_add_pd(a, b); }
VEK_INLINE __m256d sub(__m256d a, __m256d b) noexcept { return _mm256_sub_pd(a, b); }
VEK_INLINE __m256d mul(__m256d a, __m256d b) noexcept { return _mm256_mul_pd(a, b); }
VEK_INLINE __m256d div(__m256d a, __m256d b) noexcept { return _mm256_div_pd(a, b); }
// For a NaN operand min and max return b.
VEK_INLINE __m256d vmin(__m256d a, __m256d b) noexcept { return _mm256_min_pd(a, b); }
VEK_INLINE __m256d vmax(__m256d a, __m256d b) noexcept { return _mm256_max_pd(a, b); }
VEK_INLINE __m256d xorv(__m256d a, __m256d b) noexcept { return _mm256_xor_pd(a, b); }
VEK_INLINE __m256d orv(__m256d a, __m256d b) noexcept { return _mm256_or_pd(a, b); }
VEK_INLINE __m256d andv(__m256d a, __m256d b) noexcept { return _mm256_and_pd(a, b); }
VEK_INLINE __m256d andnot_(__m256d m, __m256d b) noexcept { return _mm256_andnot_pd(m, b); }   // ~m & b
template <int P>
VEK_INLINE __m256d cmp(__m256d a, __m256d b) noexcept { return _mm256_cmp_pd(a, b, P); }
VEK_INLINE bool any(__m256d m) noexcept { return _mm256_movemask_pd(m) != 0; }
VEK_INLINE int bitsOf(__m256d m) noexcept { return _mm256_movemask_pd(m); }

// 1.5 * 2^52: adding it rounds a double of magnitude below 2^51 to an integer whose
// low bits stay in the low mantissa bits.
constexpr double kMagicD = 0x1.8p52;

// Horner evaluation, highest coefficient first.
template <std::size_t N>
VEK_INLINE __m256d horner(__m256d x, const double (&c)[N]) noexcept {
    __m256d p = set(c[0]);
    for (std::size_t i = 1; i < N; ++i) p = fma(p, x, set(c[i]));
    return p;
}

// The same by pairs (Estrin): a shorter dependency chain for long polynomials, at the
// price of the powers x^2, x^4.
VEK_INLINE __m256d estrin8(__m256d x, const double (&c)[8]) noexcept {
    const __m256d x2 = mul(x, x), x4 = mul(x2, x2);
    const __m256d a = fma(fma(set(c[0]), x, set(c[1])), x2, fma(set(c[2]), x, set(c[3])));
    const __m256d b = fma(fma(set(c[4]), x, set(c[5])), x2, fma(set(c[6]), x, set(c[7])));
    return fma(a, x4, b);
}

// Pairs c[2i] x + c[2i+1] (independent) combined by Horner in x^2, for an even count:
// half the dependency chain of plain Horner for one more multiply.
template <std::size_t N>
VEK_INLINE __m256d hornerPairs(__m256d x, const double (&c)[N]) noexcept {
    static_assert(N % 2 == 0);
    const __m256d x2 = mul(x, x);
    __m256d p = fma(set(c[0]), x, set(c[1]));
    for (std::size_t i = 2; i < N; i += 2) p = fma(p, x2, fma(set(c[i]), x, set(c[i + 1])));
    return p;
}

// a + b = s + e exactly (any magnitudes).
VEK_INLINE void twoSum(__m256d a, __m256d b, __m256d& s, __m256d& e) noexcept {
    s = add(a, b);
    __m256d bb = sub(s, a);
    e = add(sub(a, sub(s, bb)), sub(b, bb));
}
// a + b = s + e exactly when |a| >= |b|.
VEK_INLINE void fastTwoSum(__m256d a, __m256d b, __m256d& s, __m256d& e) noexcept {
    s = add(a, b);
    e = sub(b, sub(s, a));
}

// ---- float lanes ---------------------------------------------------------------------
// Lane 0 of a vector: the scalar helpers run the vector kernels at one lane.
VEK_INLINE double lane0(__m256d v) noexcept { return _mm256_cvtsd_f64(v); }
VEK_INLINE float lane0(__m256 v) noexcept { return _mm256_cvtss_f32(v); }

VEK_INLINE __m256 set(float v) noexcept { return _mm256_set1_ps(v); }
VEK_INLINE __m256 absv(__m256 x) noexcept { return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), x); }
VEK_INLINE __m256 signv(__m256 x) noexcept { return _mm256_and_ps(_mm256_set1_ps(-0.0f), x); }
VEK_INLINE __m256 sel(__m256 m, __m256 a, __m256 b) noexcept { return _mm256_blendv_ps(b, a, m); }
VEK_INLINE __m256 fma(__m256 a, __m256 b, __m256 c) noexcept { return _mm256_fmadd_ps(a, b, c); }
VEK_INLINE __m256 fms(__m256 a, __m256 b, __m256 c) noexcept { return _mm256_fmsub_ps(a, b, c); }
VEK_INLINE __m256 fnma(__m256 a, __m256 b, __m256 c) noexcept { return _mm256_fnmadd_ps(a, b, c); }
VEK_INLINE __m256 add(__m256 a, __m256 b) noexcept { return _mm256_add_ps(a, b); }
VEK_INLINE __m256 sub(__m256 a, __m256 b) noexcept { return _mm256_sub_ps(a, b); }
VEK_INLINE __m256 mul(__m256 a, __m256 b) noexcept { return _mm256_mul_ps(a, b); }
VEK_INLINE __m256 div(__m256 a, __m256 b) noexcept { return _mm256_div_ps(a, b); }
VEK_INLINE __m256 vmin(__m256 a, __m256 b) noexcept { return _mm256_min_ps(a, b); }
VEK_INLINE __m256 vmax(__m256 a, __m256 b) noexcept { return _mm256_max_ps(a, b); }
VEK_INLINE __m256 xorv(__m256 a, __m256 b) noexcept { return _mm256_xor_ps(a, b); }
VEK_INLINE __m256 orv(__m256 a, __m256 b) noexcept { return _mm256_or_ps(a, b); }
VEK_INLINE __m256 andv(__m256 a, __m256 b) noexcept { return _mm256_and_ps(a, b); }
VEK_INLINE __m256 andnot_(__m256 m, __m256 b) noexcept { return _mm256_andnot_ps(m, b); }   // ~m & b
template <int P>
VEK_INLINE __m256 cmp(__m256 a, __m256 b) noexcept { return _mm256_cmp_ps(a, b, P); }
VEK_INLINE bool any(__m256 m) noexcept { return _mm256_movemask_ps(m) != 0; }
VEK_INLINE int bitsOf(__m256 m) noexcept { return _mm256_movemask_ps(m); }

constexpr float kMagicF = 0x1.8p23f;

template <std::size_t N>
VEK_INLINE __m256 horner(__m256 x, const float (&c)[N]) noexcept {
    __m256 p = set(c[0]);
    for (std::size_t i = 1; i < N; ++i) p = fma(p, x, set(c[i]));
    return p;
}

// ---- both widths ------------------------------------------------------------------------
// The lane type of a vector, for kernels written once for both widths (the operations
// above have one name for both).
double laneOf(__m256d) noexcept;   // declarations only, for the type
float laneOf(__m256) noexcept;
template <class V>
using Lane = decltype(laneOf(V{}));

// f at lane 0 of the arguments broadcast, in the IEEE environment: the scalar helpers.
template <class F, class... E>
VEK_INLINE auto atOne(F f, E... x) noexcept {
    IeeeEnv env;
    return lane0(f(set(x)...));
}

// ---- width changes -------------------------------------------------------------------
VEK_INLINE __m256d loHalf(__m256 x) noexcept { return _mm256_cvtps_pd(_mm256_castps256_ps128(x)); }
VEK_INLINE __m256d hiHalf(__m256 x) noexcept { return _mm256_cvtps_pd(_mm256_extractf128_ps(x, 1)); }
VEK_INLINE __m256 join(__m256d lo, __m256d hi) noexcept {
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(lo)), _mm256_cvtpd_ps(hi), 1);
}
// Applies a double kernel to both halves of a float vector and rounds back once.
template <class F>
VEK_INLINE __m256 viaDouble(__m256 x, F f) noexcept {
    return join(f(loHalf(x)), f(hiHalf(x)));
}

}  // namespace vek::vm::detail
