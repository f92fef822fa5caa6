// cvec.h - complex vectors for the DFT kernels.
//
// Complex data stays interleaved (re, im) in registers as in memory. Three widths
// share one set of operations, so a kernel written once runs on full AVX registers
// (CVec<float>: 4 complex, CVec<double>: 2 complex), on partial registers at the end
// of a row (masked loads and stores that touch only the lanes in range), and on one
// complex value (CScal<T>). Every product is spelled with the same fused operations
// at every width, so a tail computes bit for bit what the body would.
#pragma once

#include <immintrin.h>

#include <cmath>
#include <cstddef>

#include "frame/common.h"
#include "frame/simd.h"

namespace vek::dft {

// ---- one complex value ------------------------------------------------------------
template <class T>
struct CScal {
    using E = T;
    static constexpr int W = 1;
    T re, im;

    static VEK_INLINE CScal load(const T* p) noexcept { return {p[0], p[1]}; }
    static VEK_INLINE CScal loadN(const T* p, int) noexcept { return {p[0], p[1]}; }
    static VEK_INLINE CScal bcast(const T* p) noexcept { return {p[0], p[1]}; }
    static VEK_INLINE CScal zero() noexcept { return {T(0), T(0)}; }
    VEK_INLINE void store(T* p) const noexcept { p[0] = re; p[1] = im; }
    VEK_INLINE void storeN(T* p, int) const noexcept { p[0] = re; p[1] = im; }
    // Lane l of the value goes to p + l * stride complex elements.
    VEK_INLINE void scatterN(T* p, std::size_t, int) const noexcept { p[0] = re; p[1] = im; }
};

template <class T> VEK_INLINE CScal<T> operator+(CScal<T> a, CScal<T> b) noexcept {
    return {a.re + b.re, a.im + b.im};
}
template <class T> VEK_INLINE CScal<T> operator-(CScal<T> a, CScal<T> b) noexcept {
    return {a.re - b.re, a.im - b.im};
}
template <class T> VEK_INLINE CScal<T> mulr(CScal<T> a, T c) noexcept { return {a.re * c, a.im * c}; }
// a + b * c, c real.
template <class T> VEK_INLINE CScal<T> fmar(CScal<T> b, T c, CScal<T> a) noexcept {
    return {std::fma(b.re, c, a.re), std::fma(b.im, c, a.im)};
}
// i * a and -i * a.
template <class T> VEK_INLINE CScal<T> mulI(CScal<T> a) noexcept { return {-a.im, a.re}; }
template <class T> VEK_INLINE CScal<T> mulNI(CScal<T> a) noexcept { return {a.im, -a.re}; }
// a * w and a * conj(w); the imaginary-by-imaginary product is rounded first, as in
// the vector forms (fmaddsub/fmsubadd).
template <class T> VEK_INLINE CScal<T> cmul(CScal<T> a, CScal<T> w) noexcept {
    return {std::fma(a.re, w.re, -(a.im * w.im)), std::fma(a.im, w.re, a.re * w.im)};
}
template <class T> VEK_INLINE CScal<T> cmulc(CScal<T> a, CScal<T> w) noexcept {
    return {std::fma(a.re, w.re, a.im * w.im), std::fma(a.im, w.re, -(a.re * w.im))};
}

// ---- one complex value in the low half of an SSE register ---------------------------
// The same operations as CScal, with the two parts computed together; used by the
// straight-line kernels of short lengths.
template <class T> struct CX;

template <>
struct CX<double> {
    using E = double;
    static constexpr int W = 1;
    __m128d v;
    static VEK_INLINE CX load(const double* p) noexcept { return {_mm_loadu_pd(p)}; }
    static VEK_INLINE CX zero() noexcept { return {_mm_setzero_pd()}; }
    VEK_INLINE void store(double* p) const noexcept { _mm_storeu_pd(p, v); }
};
VEK_INLINE CX<double> operator+(CX<double> a, CX<double> b) noexcept { return {_mm_add_pd(a.v, b.v)}; }
VEK_INLINE CX<double> operator-(CX<double> a, CX<double> b) noexcept { return {_mm_sub_pd(a.v, b.v)}; }
VEK_INLINE CX<double> mulr(CX<double> a, double c) noexcept { return {_mm_mul_pd(a.v, _mm_set1_pd(c))}; }
VEK_INLINE CX<double> fmar(CX<double> b, double c, CX<double> a) noexcept {
    return {_mm_fmadd_pd(b.v, _mm_set1_pd(c), a.v)};
}
VEK_INLINE CX<double> mulI(CX<double> a) noexcept {
    return {_mm_xor_pd(_mm_shuffle_pd(a.v, a.v, 1), _mm_castsi128_pd(_mm_set_epi64x(0, (long long)0x8000000000000000ULL)))};
}
VEK_INLINE CX<double> mulNI(CX<double> a) noexcept {
    return {_mm_xor_pd(_mm_shuffle_pd(a.v, a.v, 1), _mm_castsi128_pd(_mm_set_epi64x((long long)0x8000000000000000ULL, 0)))};
}
VEK_INLINE CX<double> cmul(CX<double> a, CX<double> w) noexcept {
    const __m128d t = _mm_mul_pd(_mm_shuffle_pd(a.v, a.v, 1), _mm_unpackhi_pd(w.v, w.v));
    return {_mm_fmaddsub_pd(a.v, _mm_movedup_pd(w.v), t)};
}
VEK_INLINE CX<double> cmulc(CX<double> a, CX<double> w) noexcept {
    const __m128d t = _mm_mul_pd(_mm_shuffle_pd(a.v, a.v, 1), _mm_unpackhi_pd(w.v, w.v));
    return {_mm_fmsubadd_pd(a.v, _mm_movedup_pd(w.v), t)};
}

template <>
struct CX<float> {
    using E = float;
    static constexpr int W = 1;
    __m128 v;
    static VEK_INLINE CX load(const float* p) noexcept {
        return {_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p)))};
    }
    static VEK_INLINE CX zero() noexcept { return {_mm_setzero_ps()}; }
    VEK_INLINE void store(float* p) const noexcept { _mm_store_sd(reinterpret_cast<double*>(p), _mm_castps_pd(v)); }
};
VEK_INLINE CX<float> operator+(CX<float> a, CX<float> b) noexcept { return {_mm_add_ps(a.v, b.v)}; }
VEK_INLINE CX<float> operator-(CX<float> a, CX<float> b) noexcept { return {_mm_sub_ps(a.v, b.v)}; }
VEK_INLINE CX<float> mulr(CX<float> a, float c) noexcept { return {_mm_mul_ps(a.v, _mm_set1_ps(c))}; }
VEK_INLINE CX<float> fmar(CX<float> b, float c, CX<float> a) noexcept {
    return {_mm_fmadd_ps(b.v, _mm_set1_ps(c), a.v)};
}
VEK_INLINE CX<float> mulI(CX<float> a) noexcept {
    return {_mm_xor_ps(_mm_permute_ps(a.v, 0xB1), _mm_castsi128_ps(_mm_set1_epi64x(0x80000000LL)))};
}
VEK_INLINE CX<float> mulNI(CX<float> a) noexcept {
    return {_mm_xor_ps(_mm_permute_ps(a.v, 0xB1), _mm_castsi128_ps(_mm_set1_epi64x((long long)0x8000000000000000ULL)))};
}
VEK_INLINE CX<float> cmul(CX<float> a, CX<float> w) noexcept {
    const __m128 t = _mm_mul_ps(_mm_permute_ps(a.v, 0xB1), _mm_movehdup_ps(w.v));
    return {_mm_fmaddsub_ps(a.v, _mm_moveldup_ps(w.v), t)};
}
VEK_INLINE CX<float> cmulc(CX<float> a, CX<float> w) noexcept {
    const __m128 t = _mm_mul_ps(_mm_permute_ps(a.v, 0xB1), _mm_movehdup_ps(w.v));
    return {_mm_fmsubadd_ps(a.v, _mm_moveldup_ps(w.v), t)};
}

// ---- two complex floats in an SSE register -------------------------------------------
// The width of the whole-length kernels whose shorter factor is 2 or 3 in single
// precision (a full register would hold more lanes than the factor has rows).
struct CH {
    using E = float;
    static constexpr int W = 2;
    __m128 v;
    static VEK_INLINE CH load(const float* p) noexcept { return {_mm_loadu_ps(p)}; }
    static VEK_INLINE CH zero() noexcept { return {_mm_setzero_ps()}; }
    VEK_INLINE void store(float* p) const noexcept { _mm_storeu_ps(p, v); }
};
VEK_INLINE CH operator+(CH a, CH b) noexcept { return {_mm_add_ps(a.v, b.v)}; }
VEK_INLINE CH operator-(CH a, CH b) noexcept { return {_mm_sub_ps(a.v, b.v)}; }
VEK_INLINE CH mulr(CH a, float c) noexcept { return {_mm_mul_ps(a.v, _mm_set1_ps(c))}; }
VEK_INLINE CH fmar(CH b, float c, CH a) noexcept { return {_mm_fmadd_ps(b.v, _mm_set1_ps(c), a.v)}; }
VEK_INLINE CH mulI(CH a) noexcept {
    return {_mm_xor_ps(_mm_permute_ps(a.v, 0xB1), _mm_castsi128_ps(_mm_set1_epi64x(0x80000000LL)))};
}
VEK_INLINE CH mulNI(CH a) noexcept {
    return {_mm_xor_ps(_mm_permute_ps(a.v, 0xB1), _mm_castsi128_ps(_mm_set1_epi64x((long long)0x8000000000000000ULL)))};
}
VEK_INLINE CH cmul(CH a, CH w) noexcept {
    const __m128 t = _mm_mul_ps(_mm_permute_ps(a.v, 0xB1), _mm_movehdup_ps(w.v));
    return {_mm_fmaddsub_ps(a.v, _mm_moveldup_ps(w.v), t)};
}
VEK_INLINE CH cmulc(CH a, CH w) noexcept {
    const __m128 t = _mm_mul_ps(_mm_permute_ps(a.v, 0xB1), _mm_movehdup_ps(w.v));
    return {_mm_fmsubadd_ps(a.v, _mm_moveldup_ps(w.v), t)};
}

// The sign of the imaginary part flipped (conj) or kept, by a mask chosen at run time.
template <class T> VEK_INLINE CX<T> cxFlip(bool on) noexcept;
template <> VEK_INLINE CX<double> cxFlip<double>(bool on) noexcept {
    return {_mm_castsi128_pd(_mm_set_epi64x(on ? (long long)0x8000000000000000ULL : 0, 0))};
}
template <> VEK_INLINE CX<float> cxFlip<float>(bool on) noexcept {
    return {_mm_castsi128_ps(_mm_set_epi32(0, 0, on ? int(0x80000000u) : 0, 0))};
}
VEK_INLINE CX<double> cxXor(CX<double> a, CX<double> m) noexcept { return {_mm_xor_pd(a.v, m.v)}; }
VEK_INLINE CX<float> cxXor(CX<float> a, CX<float> m) noexcept { return {_mm_xor_ps(a.v, m.v)}; }

// ---- full registers ---------------------------------------------------------------
template <class T> struct CVec;

template <>
struct CVec<float> {
    using E = float;
    static constexpr int W = 4;
    __m256 v;

    static VEK_INLINE CVec load(const float* p) noexcept { return {_mm256_loadu_ps(p)}; }
    // The first n (1..4) complex values; the lanes beyond are zero and not read.
    static VEK_INLINE CVec loadN(const float* p, int n) noexcept {
        return {_mm256_maskload_ps(p, simd::mask32(std::size_t(2 * n)))};
    }
    static VEK_INLINE CVec bcast(const float* p) noexcept {
        return {_mm256_castpd_ps(_mm256_broadcast_sd(reinterpret_cast<const double*>(p)))};
    }
    static VEK_INLINE CVec zero() noexcept { return {_mm256_setzero_ps()}; }
    VEK_INLINE void store(float* p) const noexcept { _mm256_storeu_ps(p, v); }
    VEK_INLINE void storeN(float* p, int n) const noexcept {
        _mm256_maskstore_ps(p, simd::mask32(std::size_t(2 * n)), v);
    }
    VEK_INLINE void scatterN(float* p, std::size_t stride, int n) const noexcept {
        const __m128 lo = _mm256_castps256_ps128(v), hi = _mm256_extractf128_ps(v, 1);
        const std::size_t s = 2 * stride;
        _mm_storel_pi(reinterpret_cast<__m64*>(p), lo);
        if (n > 1) _mm_storeh_pi(reinterpret_cast<__m64*>(p + s), lo);
        if (n > 2) _mm_storel_pi(reinterpret_cast<__m64*>(p + 2 * s), hi);
        if (n > 3) _mm_storeh_pi(reinterpret_cast<__m64*>(p + 3 * s), hi);
    }
};

VEK_INLINE CVec<float> operator+(CVec<float> a, CVec<float> b) noexcept { return {_mm256_add_ps(a.v, b.v)}; }
VEK_INLINE CVec<float> operator-(CVec<float> a, CVec<float> b) noexcept { return {_mm256_sub_ps(a.v, b.v)}; }
VEK_INLINE CVec<float> mulr(CVec<float> a, float c) noexcept { return {_mm256_mul_ps(a.v, _mm256_set1_ps(c))}; }
VEK_INLINE CVec<float> fmar(CVec<float> b, float c, CVec<float> a) noexcept {
    return {_mm256_fmadd_ps(b.v, _mm256_set1_ps(c), a.v)};
}
VEK_INLINE CVec<float> mulI(CVec<float> a) noexcept {
    const __m256 sw = _mm256_permute_ps(a.v, 0xB1);
    return {_mm256_xor_ps(sw, _mm256_castsi256_ps(_mm256_set1_epi64x(0x80000000LL)))};
}
VEK_INLINE CVec<float> mulNI(CVec<float> a) noexcept {
    const __m256 sw = _mm256_permute_ps(a.v, 0xB1);
    return {_mm256_xor_ps(sw, _mm256_castsi256_ps(_mm256_set1_epi64x(0x8000000000000000LL)))};
}
VEK_INLINE CVec<float> cmul(CVec<float> a, CVec<float> w) noexcept {
    const __m256 wr = _mm256_moveldup_ps(w.v), wi = _mm256_movehdup_ps(w.v);
    const __m256 t = _mm256_mul_ps(_mm256_permute_ps(a.v, 0xB1), wi);
    return {_mm256_fmaddsub_ps(a.v, wr, t)};
}
VEK_INLINE CVec<float> cmulc(CVec<float> a, CVec<float> w) noexcept {
    const __m256 wr = _mm256_moveldup_ps(w.v), wi = _mm256_movehdup_ps(w.v);
    const __m256 t = _mm256_mul_ps(_mm256_permute_ps(a.v, 0xB1), wi);
    return {_mm256_fmsubadd_ps(a.v, wr, t)};
}

template <>
struct CVec<double> {
    using E = double;
    static constexpr int W = 2;
    __m256d v;

    static VEK_INLINE CVec load(const double* p) noexcept { return {_mm256_loadu_pd(p)}; }
    static VEK_INLINE CVec loadN(const double* p, int n) noexcept {
        return {_mm256_maskload_pd(p, simd::mask64(std::size_t(2 * n)))};
    }
    static VEK_INLINE CVec bcast(const double* p) noexcept {
        return {_mm256_broadcast_pd(reinterpret_cast<const __m128d*>(p))};
    }
    static VEK_INLINE CVec zero() noexcept { return {_mm256_setzero_pd()}; }
    VEK_INLINE void store(double* p) const noexcept { _mm256_storeu_pd(p, v); }
    VEK_INLINE void storeN(double* p, int n) const noexcept {
        _mm256_maskstore_pd(p, simd::mask64(std::size_t(2 * n)), v);
    }
    VEK_INLINE void scatterN(double* p, std::size_t stride, int n) const noexcept {
        _mm_storeu_pd(p, _mm256_castpd256_pd128(v));
        if (n > 1) _mm_storeu_pd(p + 2 * stride, _mm256_extractf128_pd(v, 1));
    }
};

VEK_INLINE CVec<double> operator+(CVec<double> a, CVec<double> b) noexcept { return {_mm256_add_pd(a.v, b.v)}; }
VEK_INLINE CVec<double> operator-(CVec<double> a, CVec<double> b) noexcept { return {_mm256_sub_pd(a.v, b.v)}; }
VEK_INLINE CVec<double> mulr(CVec<double> a, double c) noexcept { return {_mm256_mul_pd(a.v, _mm256_set1_pd(c))}; }
VEK_INLINE CVec<double> fmar(CVec<double> b, double c, CVec<double> a) noexcept {
    return {_mm256_fmadd_pd(b.v, _mm256_set1_pd(c), a.v)};
}
VEK_INLINE CVec<double> mulI(CVec<double> a) noexcept {
    const __m256d sw = _mm256_permute_pd(a.v, 0x5);
    return {_mm256_xor_pd(sw, _mm256_castsi256_pd(_mm256_setr_epi64x(
                                  (long long)0x8000000000000000ULL, 0, (long long)0x8000000000000000ULL, 0)))};
}
VEK_INLINE CVec<double> mulNI(CVec<double> a) noexcept {
    const __m256d sw = _mm256_permute_pd(a.v, 0x5);
    return {_mm256_xor_pd(sw, _mm256_castsi256_pd(_mm256_setr_epi64x(
                                  0, (long long)0x8000000000000000ULL, 0, (long long)0x8000000000000000ULL)))};
}
VEK_INLINE CVec<double> cmul(CVec<double> a, CVec<double> w) noexcept {
    const __m256d wr = _mm256_movedup_pd(w.v), wi = _mm256_permute_pd(w.v, 0xF);
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(a.v, 0x5), wi);
    return {_mm256_fmaddsub_pd(a.v, wr, t)};
}
VEK_INLINE CVec<double> cmulc(CVec<double> a, CVec<double> w) noexcept {
    const __m256d wr = _mm256_movedup_pd(w.v), wi = _mm256_permute_pd(w.v, 0xF);
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(a.v, 0x5), wi);
    return {_mm256_fmsubadd_pd(a.v, wr, t)};
}

// a * w and a * conj(w) with one twiddle w for every lane, its parts broadcast from
// memory (no shuffles of w).
template <class T> VEK_INLINE CScal<T> cmulB(CScal<T> a, const T* w) noexcept { return cmul(a, CScal<T>::load(w)); }
template <class T> VEK_INLINE CScal<T> cmulcB(CScal<T> a, const T* w) noexcept { return cmulc(a, CScal<T>::load(w)); }
VEK_INLINE CVec<float> cmulB(CVec<float> a, const float* w) noexcept {
    const __m256 t = _mm256_mul_ps(_mm256_permute_ps(a.v, 0xB1), _mm256_broadcast_ss(w + 1));
    return {_mm256_fmaddsub_ps(a.v, _mm256_broadcast_ss(w), t)};
}
VEK_INLINE CVec<float> cmulcB(CVec<float> a, const float* w) noexcept {
    const __m256 t = _mm256_mul_ps(_mm256_permute_ps(a.v, 0xB1), _mm256_broadcast_ss(w + 1));
    return {_mm256_fmsubadd_ps(a.v, _mm256_broadcast_ss(w), t)};
}
VEK_INLINE CVec<double> cmulB(CVec<double> a, const double* w) noexcept {
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(a.v, 0x5), _mm256_broadcast_sd(w + 1));
    return {_mm256_fmaddsub_pd(a.v, _mm256_broadcast_sd(w), t)};
}
VEK_INLINE CVec<double> cmulcB(CVec<double> a, const double* w) noexcept {
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(a.v, 0x5), _mm256_broadcast_sd(w + 1));
    return {_mm256_fmsubadd_pd(a.v, _mm256_broadcast_sd(w), t)};
}

// Complex conjugate, and the lanes in reverse order (for the mirrored half of a
// real spectrum).
template <class T> VEK_INLINE CScal<T> conj(CScal<T> a) noexcept { return {a.re, -a.im}; }
template <class T> VEK_INLINE CScal<T> reverse(CScal<T> a) noexcept { return a; }
VEK_INLINE CVec<float> conj(CVec<float> a) noexcept {
    return {_mm256_xor_ps(a.v, _mm256_castsi256_ps(_mm256_set1_epi64x((long long)0x8000000000000000ULL)))};
}
VEK_INLINE CVec<float> reverse(CVec<float> a) noexcept {
    return {_mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(a.v), 0x1B))};
}
VEK_INLINE CVec<double> conj(CVec<double> a) noexcept {
    return {_mm256_xor_pd(a.v, _mm256_castsi256_pd(_mm256_setr_epi64x(
                                  0, (long long)0x8000000000000000ULL, 0, (long long)0x8000000000000000ULL)))};
}
VEK_INLINE CVec<double> reverse(CVec<double> a) noexcept { return {_mm256_permute2f128_pd(a.v, a.v, 1)}; }

// W consecutive complex values loaded one value (or pair) at a time, in order and
// reversed. A value just written by narrower stores is then forwarded from the store
// buffer; one wide load that spans several pending stores would wait for them to
// retire.
template <class T> VEK_INLINE CScal<T> loadParts(const T* p) noexcept { return CScal<T>::load(p); }
template <class T> VEK_INLINE CScal<T> loadPartsRev(const T* p) noexcept { return CScal<T>::load(p); }
VEK_INLINE CVec<float> loadParts(const float* p) noexcept {
    const __m128 a = _mm_loadh_pi(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p))),
                                  reinterpret_cast<const __m64*>(p + 2));
    const __m128 b = _mm_loadh_pi(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 4))),
                                  reinterpret_cast<const __m64*>(p + 6));
    return {_mm256_insertf128_ps(_mm256_castps128_ps256(a), b, 1)};
}
VEK_INLINE CVec<float> loadPartsRev(const float* p) noexcept {
    const __m128 a = _mm_loadh_pi(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 6))),
                                  reinterpret_cast<const __m64*>(p + 4));
    const __m128 b = _mm_loadh_pi(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 2))),
                                  reinterpret_cast<const __m64*>(p));
    return {_mm256_insertf128_ps(_mm256_castps128_ps256(a), b, 1)};
}
VEK_INLINE CVec<double> loadParts(const double* p) noexcept { return {_mm256_loadu2_m128d(p + 2, p)}; }
VEK_INLINE CVec<double> loadPartsRev(const double* p) noexcept { return {_mm256_loadu2_m128d(p, p + 2)}; }

// Stores p vectors b[0..p-1] of W lanes transposed: lane l of b[r] goes to complex
// element p * l + r of y, so W rows of p consecutive values are written. Blocks of W
// vectors are transposed in registers and stored whole; a remainder of fewer rows is
// scattered.
template <class T>
VEK_INLINE void storeT(const CScal<T>* b, T* y, int p, int) noexcept {
    for (int r = 0; r < p; ++r) b[r].store(y + 2 * r);
}
VEK_INLINE void storeT(const CVec<float>* b, float* y, int p, int n) noexcept {
    if (n < 4) {
        for (int r = 0; r < p; ++r) b[r].scatterN(y + 2 * r, std::size_t(p), n);
        return;
    }
    const std::size_t s = 2 * std::size_t(p);
    int r = 0;
    for (; r + 4 <= p; r += 4) {
        const __m256d b0 = _mm256_castps_pd(b[r].v), b1 = _mm256_castps_pd(b[r + 1].v);
        const __m256d b2 = _mm256_castps_pd(b[r + 2].v), b3 = _mm256_castps_pd(b[r + 3].v);
        const __m256d t0 = _mm256_unpacklo_pd(b0, b1), t1 = _mm256_unpackhi_pd(b0, b1);
        const __m256d t2 = _mm256_unpacklo_pd(b2, b3), t3 = _mm256_unpackhi_pd(b2, b3);
        float* o = y + 2 * r;
        _mm256_storeu_pd(reinterpret_cast<double*>(o), _mm256_permute2f128_pd(t0, t2, 0x20));
        _mm256_storeu_pd(reinterpret_cast<double*>(o + s), _mm256_permute2f128_pd(t1, t3, 0x20));
        _mm256_storeu_pd(reinterpret_cast<double*>(o + 2 * s), _mm256_permute2f128_pd(t0, t2, 0x31));
        _mm256_storeu_pd(reinterpret_cast<double*>(o + 3 * s), _mm256_permute2f128_pd(t1, t3, 0x31));
    }
    if (p == 2) {
        const __m256d b0 = _mm256_castps_pd(b[0].v), b1 = _mm256_castps_pd(b[1].v);
        const __m256d t0 = _mm256_unpacklo_pd(b0, b1), t1 = _mm256_unpackhi_pd(b0, b1);
        _mm256_storeu_pd(reinterpret_cast<double*>(y), _mm256_permute2f128_pd(t0, t1, 0x20));
        _mm256_storeu_pd(reinterpret_cast<double*>(y + 8), _mm256_permute2f128_pd(t0, t1, 0x31));
        return;
    }
    for (; r < p; ++r) b[r].scatterN(y + 2 * r, std::size_t(p), 4);
}
VEK_INLINE void storeT(const CVec<double>* b, double* y, int p, int n) noexcept {
    if (n < 2) {
        for (int r = 0; r < p; ++r) b[r].scatterN(y + 2 * r, std::size_t(p), n);
        return;
    }
    const std::size_t s = 2 * std::size_t(p);
    int r = 0;
    for (; r + 2 <= p; r += 2) {
        double* o = y + 2 * r;
        _mm256_storeu_pd(o, _mm256_permute2f128_pd(b[r].v, b[r + 1].v, 0x20));
        _mm256_storeu_pd(o + s, _mm256_permute2f128_pd(b[r].v, b[r + 1].v, 0x31));
    }
    if (r < p) b[r].scatterN(y + 2 * r, std::size_t(p), 2);
}

VEK_INLINE void storeT(const CH* b, float* y, int p, int) noexcept {
    const std::size_t s = 2 * std::size_t(p);
    int r = 0;
    for (; r + 2 <= p; r += 2) {
        _mm_storeu_ps(y + 2 * r, _mm_movelh_ps(b[r].v, b[r + 1].v));
        _mm_storeu_ps(y + 2 * r + s, _mm_movehl_ps(b[r + 1].v, b[r].v));
    }
    if (r < p) {
        _mm_storel_pi(reinterpret_cast<__m64*>(y + 2 * r), b[r].v);
        _mm_storeh_pi(reinterpret_cast<__m64*>(y + 2 * r + s), b[r].v);
    }
}

// ---- pairs of complex values from two places ------------------------------------------
// The prime-factor kernels of whole lengths compute two short transforms side by side,
// one per lane, on a register of two complex values (a full register in double, an SSE
// register in single) whose halves come from and go to unrelated places; a transform
// left over runs on one value (CX<T>).
template <class T> struct PairOf;
template <>
struct PairOf<double> {
    using V = CVec<double>;
    using S = CX<double>;
    static VEK_INLINE V load2(const double* p0, const double* p1) noexcept { return {_mm256_loadu2_m128d(p1, p0)}; }
    static VEK_INLINE V join(S lo, S hi) noexcept { return {_mm256_set_m128d(hi.v, lo.v)}; }
    static VEK_INLINE S lo(V a) noexcept { return {_mm256_castpd256_pd128(a.v)}; }
    static VEK_INLINE S hi(V a) noexcept { return {_mm256_extractf128_pd(a.v, 1)}; }
    // (a.lo, b.lo) and (a.hi, b.hi)
    static VEK_INLINE V lows(V a, V b) noexcept { return {_mm256_permute2f128_pd(a.v, b.v, 0x20)}; }
    static VEK_INLINE V highs(V a, V b) noexcept { return {_mm256_permute2f128_pd(a.v, b.v, 0x31)}; }
    static VEK_INLINE void store2(V a, double* p0, double* p1) noexcept {
        _mm_storeu_pd(p0, _mm256_castpd256_pd128(a.v));
        _mm_storeu_pd(p1, _mm256_extractf128_pd(a.v, 1));
    }
};
template <>
struct PairOf<float> {
    using V = CH;
    using S = CX<float>;
    static VEK_INLINE V load2(const float* p0, const float* p1) noexcept {
        return {_mm_loadh_pi(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p0))),
                             reinterpret_cast<const __m64*>(p1))};
    }
    static VEK_INLINE V join(S lo, S hi) noexcept { return {_mm_movelh_ps(lo.v, hi.v)}; }
    static VEK_INLINE S lo(V a) noexcept { return {a.v}; }
    static VEK_INLINE S hi(V a) noexcept { return {_mm_movehl_ps(a.v, a.v)}; }
    static VEK_INLINE V lows(V a, V b) noexcept { return {_mm_movelh_ps(a.v, b.v)}; }
    static VEK_INLINE V highs(V a, V b) noexcept { return {_mm_movehl_ps(b.v, a.v)}; }
    static VEK_INLINE void store2(V a, float* p0, float* p1) noexcept {
        _mm_storel_pi(reinterpret_cast<__m64*>(p0), a.v);
        _mm_storeh_pi(reinterpret_cast<__m64*>(p1), a.v);
    }
};

// Multiplication by the unit root's imaginary unit of the transform's direction:
// -i forward, +i inverse.
template <bool Inv, class V> VEK_INLINE V rot(V a) noexcept {
    if constexpr (Inv) return mulI(a); else return mulNI(a);
}
// a + rot(b) c and a - rot(b) c, c real (rot: see above). The parts of b are swapped
// and multiplied by the constant (c, -c) (its negation inverse) in the fused addition,
// so the one rounding is that of the sum, and the sign flip costs no operation; for
// c = 1 the product is exact and the result that of a + rot(b).
template <bool Inv, class T> VEK_INLINE CScal<T> addRotMul(CScal<T> a, CScal<T> b, T c) noexcept {
    const T s = Inv ? -c : c;
    return {std::fma(b.im, s, a.re), std::fma(b.re, -s, a.im)};
}
template <bool Inv, class T> VEK_INLINE CScal<T> subRotMul(CScal<T> a, CScal<T> b, T c) noexcept {
    const T s = Inv ? -c : c;
    return {std::fma(b.im, -s, a.re), std::fma(b.re, s, a.im)};
}
template <bool Inv> VEK_INLINE __m128d rotSigns128d(double c) noexcept { return Inv ? _mm_setr_pd(-c, c) : _mm_setr_pd(c, -c); }
template <bool Inv> VEK_INLINE __m128 rotSigns128(float c) noexcept {
    return Inv ? _mm_setr_ps(-c, c, -c, c) : _mm_setr_ps(c, -c, c, -c);
}
template <bool Inv> VEK_INLINE CX<double> addRotMul(CX<double> a, CX<double> b, double c) noexcept {
    return {_mm_fmadd_pd(_mm_shuffle_pd(b.v, b.v, 1), rotSigns128d<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE CX<double> subRotMul(CX<double> a, CX<double> b, double c) noexcept {
    return {_mm_fnmadd_pd(_mm_shuffle_pd(b.v, b.v, 1), rotSigns128d<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE CX<float> addRotMul(CX<float> a, CX<float> b, float c) noexcept {
    return {_mm_fmadd_ps(_mm_permute_ps(b.v, 0xB1), rotSigns128<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE CX<float> subRotMul(CX<float> a, CX<float> b, float c) noexcept {
    return {_mm_fnmadd_ps(_mm_permute_ps(b.v, 0xB1), rotSigns128<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE CH addRotMul(CH a, CH b, float c) noexcept {
    return {_mm_fmadd_ps(_mm_permute_ps(b.v, 0xB1), rotSigns128<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE CH subRotMul(CH a, CH b, float c) noexcept {
    return {_mm_fnmadd_ps(_mm_permute_ps(b.v, 0xB1), rotSigns128<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE __m256d rotSigns256d(double c) noexcept {
    return Inv ? _mm256_setr_pd(-c, c, -c, c) : _mm256_setr_pd(c, -c, c, -c);
}
template <bool Inv> VEK_INLINE CVec<double> addRotMul(CVec<double> a, CVec<double> b, double c) noexcept {
    return {_mm256_fmadd_pd(_mm256_permute_pd(b.v, 0x5), rotSigns256d<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE CVec<double> subRotMul(CVec<double> a, CVec<double> b, double c) noexcept {
    return {_mm256_fnmadd_pd(_mm256_permute_pd(b.v, 0x5), rotSigns256d<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE __m256 rotSigns256(float c) noexcept {
    const __m128 h = rotSigns128<Inv>(c);
    return _mm256_insertf128_ps(_mm256_castps128_ps256(h), h, 1);
}
template <bool Inv> VEK_INLINE CVec<float> addRotMul(CVec<float> a, CVec<float> b, float c) noexcept {
    return {_mm256_fmadd_ps(_mm256_permute_ps(b.v, 0xB1), rotSigns256<Inv>(c), a.v)};
}
template <bool Inv> VEK_INLINE CVec<float> subRotMul(CVec<float> a, CVec<float> b, float c) noexcept {
    return {_mm256_fnmadd_ps(_mm256_permute_ps(b.v, 0xB1), rotSigns256<Inv>(c), a.v)};
}
template <bool Inv, class V> VEK_INLINE V addRot(V a, V b) noexcept { return addRotMul<Inv>(a, b, typename V::E(1)); }
template <bool Inv, class V> VEK_INLINE V subRot(V a, V b) noexcept { return subRotMul<Inv>(a, b, typename V::E(1)); }

// a times the twiddle w of the forward direction, or its conjugate for the inverse.
template <bool Inv, class V> VEK_INLINE V twiddle(V a, V w) noexcept {
    if constexpr (Inv) return cmulc(a, w); else return cmul(a, w);
}
template <bool Inv, class V> VEK_INLINE V twiddleB(V a, const typename V::E* w) noexcept {
    if constexpr (Inv) return cmulcB(a, w); else return cmulB(a, w);
}

}  // namespace vek::dft
