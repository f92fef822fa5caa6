// goertz.h - one spectral value at an arbitrary relative frequency.
//
// The value at frequency f (t = 2 pi f) is V = sum_n x[n] w^(N-n), w = e^(it): the
// Goertzel output c s(N-1) - s(N-2) + i s s(N-1) of the second-order recursion
// s(n) = x[n] + 2c s(n-1) - s(n-2), and for f = k/N exactly bin k of the N-point DFT.
//
// Double precision runs that recursion as written, with fused multiply-adds.
// Single precision and the 16-bit forms evaluate V by blocks of B samples instead:
// inside a block every sample is multiplied by its own power of w, taken from a table
// computed in double and rounded once to float, and summed in eight-lane float
// accumulators; the block sums are combined by a Horner pass in double precision
// (acc = acc w^B + S). There is no error growth along the vector (the recursion's
// rounding errors grow with N and with 1/sin t) and the block loop is two fused
// multiply-adds per eight values.
#pragma once

#include <immintrin.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "frame/common.h"
#include "frame/simd.h"
#include "vecmath/vm.h"

namespace vek::gz {

inline bool freqOk(double f) noexcept { return f >= 0.0 && f < 1.0; }   // NaN fails

struct CD {
    double re, im;
};
VEK_INLINE CD mul(CD a, CD b) noexcept {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// ---- double precision: the reference recursion ---------------------------------------
template <bool Cx>
inline CD recursion(const double* x, int n, double c, double s) noexcept {
    const double c2 = 2.0 * c;
    double r1 = 0, r2 = 0, i1 = 0, i2 = 0;
    for (int k = 0; k < n; ++k) {
        if constexpr (Cx) {
            double r0 = std::fma(c2, r1, x[2 * k] - r2);
            double i0 = std::fma(c2, i1, x[2 * k + 1] - i2);
            r2 = r1; r1 = r0; i2 = i1; i1 = i0;
        } else {
            double r0 = std::fma(c2, r1, x[k] - r2);
            r2 = r1; r1 = r0;
        }
    }
    if constexpr (Cx) {
        // e^(it) s(N-1) - s(N-2)
        return {std::fma(c, r1, -std::fma(s, i1, r2)), std::fma(c, i1, std::fma(s, r1, -i2))};
    } else {
        return {std::fma(c, r1, -r2), s * r1};
    }
}

// ---- single precision: block evaluation ------------------------------------------------
constexpr int kB = 64;   // samples per block

// Loads eight float lanes from element i of the source: 8 reals, or 4 complex values
// interleaved; `count` elements (< the full width) with the rest zero.
struct Ld32f {
    using E = float;
    static constexpr int per = 8;
    static VEK_INLINE __m256 full(const float* p) noexcept { return _mm256_loadu_ps(p); }
    static VEK_INLINE __m256 part(const float* p, int count) noexcept {
        return _mm256_maskload_ps(p, simd::mask32(std::size_t(count)));
    }
};
struct Ld32fc {
    using E = Vek32fc;
    static constexpr int per = 4;
    static VEK_INLINE __m256 full(const Vek32fc* p) noexcept {
        return _mm256_loadu_ps(reinterpret_cast<const float*>(p));
    }
    static VEK_INLINE __m256 part(const Vek32fc* p, int count) noexcept {
        return _mm256_maskload_ps(reinterpret_cast<const float*>(p), simd::mask32(2 * std::size_t(count)));
    }
};
// 16-bit reals (8 per vector) or 16-bit complex values (4 per vector), widened to float.
template <class E16, int Per>
struct Ld16 {
    using E = E16;
    static constexpr int per = Per;
    static VEK_INLINE __m256 full(const E* p) noexcept {
        return _mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
    }
    static VEK_INLINE __m256 part(const E* p, int count) noexcept {
        alignas(32) E t[Per] = {};
        for (int i = 0; i < count; ++i) t[i] = p[i];
        return full(t);
    }
};
using Ld16s = Ld16<Vek16s, 8>;
using Ld16sc = Ld16<Vek16sc, 4>;

// Coefficient table for one block: for lane position i (0..kB-1 plus padding) the
// power w^(kB - i), laid out for the loader's lanes. Real input: re[i], im[i] per
// sample. Complex input: each complex sample takes two lanes; cr holds (re, re) and
// ci holds (im, im) of its power.
struct Table {
    alignas(32) float a[2 * kB + 16];   // real part lanes
    alignas(32) float b[2 * kB + 16];   // imaginary part lanes
};

template <class Ld>
inline void buildTable(Table& t, CD w, int B) noexcept {
    // Powers w^1..w^B in double by repeated multiplication: the drift over 64 steps
    // stays near 1e-14, far below float resolution.
    CD p[kB + 1];
    p[0] = {1.0, 0.0};
    for (int j = 1; j <= B; ++j) p[j] = mul(p[j - 1], w);
    const int lanesPer = Ld::per == 8 ? 1 : 2;
    for (int i = 0; i < 2 * kB + 16; ++i) t.a[i] = t.b[i] = 0.0f;
    for (int i = 0; i < B; ++i) {
        const CD q = p[B - i];
        for (int l = 0; l < lanesPer; ++l) {
            t.a[lanesPer * i + l] = float(q.re);
            t.b[lanesPer * i + l] = float(q.im);
        }
    }
}

VEK_INLINE float hsum(__m256 v) noexcept {
    __m128 s = _mm_add_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
    s = _mm_add_ps(s, _mm_movehl_ps(s, s));
    s = _mm_add_ss(s, _mm_movehdup_ps(s));
    return _mm_cvtss_f32(s);
}

// Sum of count (<= B) samples starting at p, each multiplied by the table entry at
// lane offset `off` (in samples) onwards.
template <class Ld>
VEK_INLINE CD blockSum(const typename Ld::E* p, int count, const Table& t, int off) noexcept {
    constexpr int per = Ld::per;
    constexpr int lps = per == 8 ? 1 : 2;   // float lanes per sample
    __m256 ar0 = _mm256_setzero_ps(), ar1 = ar0, ai0 = ar0, ai1 = ar0;
    const float* ta = t.a + lps * off;
    const float* tb = t.b + lps * off;
    int i = 0;
    for (; i + 2 * per <= count; i += 2 * per) {
        __m256 x0 = Ld::full(p + i), x1 = Ld::full(p + i + per);
        ar0 = _mm256_fmadd_ps(x0, _mm256_loadu_ps(ta + lps * i), ar0);
        ai0 = _mm256_fmadd_ps(x0, _mm256_loadu_ps(tb + lps * i), ai0);
        ar1 = _mm256_fmadd_ps(x1, _mm256_loadu_ps(ta + lps * (i + per)), ar1);
        ai1 = _mm256_fmadd_ps(x1, _mm256_loadu_ps(tb + lps * (i + per)), ai1);
    }
    for (; i < count; i += per) {
        const int m = count - i;
        __m256 x = m >= per ? Ld::full(p + i) : Ld::part(p + i, m);
        ar0 = _mm256_fmadd_ps(x, _mm256_loadu_ps(ta + lps * i), ar0);
        ai0 = _mm256_fmadd_ps(x, _mm256_loadu_ps(tb + lps * i), ai0);
    }
    __m256 ar = _mm256_add_ps(ar0, ar1), ai = _mm256_add_ps(ai0, ai1);
    if constexpr (per == 8) {
        return {double(hsum(ar)), double(hsum(ai))};
    } else {
        // ar lanes: (xr wr, xi wr), ai lanes: (xr wi, xi wi) per complex sample.
        const __m256 evenMask = _mm256_castsi256_ps(_mm256_setr_epi32(-1, 0, -1, 0, -1, 0, -1, 0));
        const float xrwr = hsum(_mm256_and_ps(ar, evenMask)), xiwr = hsum(_mm256_andnot_ps(evenMask, ar));
        const float xrwi = hsum(_mm256_and_ps(ai, evenMask)), xiwi = hsum(_mm256_andnot_ps(evenMask, ai));
        return {double(xrwr) - double(xiwi), double(xrwi) + double(xiwr)};
    }
}

template <class Ld>
inline CD blocks(const typename Ld::E* x, int n, double c, double s) noexcept {
    const CD w{c, s};
    const int B = n < kB ? n : kB;
    Table t;
    buildTable<Ld>(t, w, B);
    CD wB{1.0, 0.0};
    for (int j = 0; j < B; ++j) wB = mul(wB, w);
    CD acc{0.0, 0.0};
    int i = 0;
    for (; i + B <= n; i += B) {
        const CD sb = blockSum<Ld>(x + i, B, t, 0);
        acc = mul(acc, wB);
        acc.re += sb.re;
        acc.im += sb.im;
    }
    if (const int r = n - i) {
        // The last r samples take powers w^r..w^1: the table from offset B - r.
        const CD sb = blockSum<Ld>(x + i, r, t, B - r);
        CD wr{1.0, 0.0};
        for (int j = 0; j < r; ++j) wr = mul(wr, w);
        acc = mul(acc, wr);
        acc.re += sb.re;
        acc.im += sb.im;
    }
    return acc;
}

// ---- exported forms ----------------------------------------------------------------
// The shared checks and set-up: c = cos t and s = sin t for t = 2 pi rFreq, the value
// from eval(c, s), handed to write.
template <class In, class Out, class Eval, class Write>
VEK_INLINE VekStatus evaluate(const In* pSrc, int len, Out* pVal, double rFreq, Eval eval,
                              Write write) noexcept {
    if (anyNull(pSrc, pVal)) return vekStsNullPtrErr;
    if (len < 1) return vekStsSizeErr;
    if (!freqOk(rFreq)) return vekStsRelFreqErr;
    IeeeEnv env;
    double s, c;
    vm::sincosOne(6.283185307179586 * rFreq, s, c);
    write(eval(c, s));
    return vekStsNoErr;
}

template <class Ld, class Out>
VekStatus goertzFloat(const typename Ld::E* pSrc, int len, Out* pVal, float rFreq) noexcept {
    return evaluate(pSrc, len, pVal, double(rFreq),
                    [&](double c, double s) { return blocks<Ld>(pSrc, len, c, s); },
                    [&](CD v) { pVal->re = float(v.re); pVal->im = float(v.im); });
}

template <bool Cx, class In>
VekStatus goertzDouble(const In* pSrc, int len, Vek64fc* pVal, double rFreq) noexcept {
    return evaluate(pSrc, len, pVal, rFreq,
                    [&](double c, double s) {
                        return recursion<Cx>(reinterpret_cast<const double*>(pSrc), len, c, s);
                    },
                    [&](CD v) { pVal->re = v.re; pVal->im = v.im; });
}

// 16-bit forms: the float value, scaled by 2^-sf, rounded to nearest even, saturated.
template <class Ld>
VekStatus goertz16(const typename Ld::E* pSrc, int len, Vek16sc* pVal, float rFreq,
                   int scaleFactor) noexcept {
    return evaluate(pSrc, len, pVal, double(rFreq),
                    [&](double c, double s) { return blocks<Ld>(pSrc, len, c, s); },
                    [&](CD v) {
                        const double k = pow2neg(scaleFactor);
                        // Rounded to float first, as the float forms write it, then scaled.
                        const double re = double(float(v.re)), im = double(float(v.im));
                        pVal->re = satFromDouble<Vek16s>(re == 0.0 ? 0.0 : re * k);
                        pVal->im = satFromDouble<Vek16s>(im == 0.0 ? 0.0 : im * k);
                    });
}

}  // namespace vek::gz
