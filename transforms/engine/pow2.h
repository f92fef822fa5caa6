// pow2.h - complex DFT of power-of-two lengths, and of those times powers of 3 and 5, on
// split real and imaginary parts.
//
// The passes are the self-sorting ones of stages.h (radix 8 first, then 8s and 4s, and
// a radix 3 or 5 for each such factor),
// but between the first and the last pass the data lives in blocks of one register
// of real parts followed by one register of imaginary parts (8 complex floats or 4
// complex doubles, 64 bytes: one cache line). On that layout the butterflies and the
// twiddle products are plain vector adds, multiplies and fused multiply-adds, with no
// shuffles at all. Only the first pass (which reads the interleaved input, splits it
// and stores its outputs through register transposes) and the last pass (which
// interleaves again) shuffle.
//
// The inverse is the forward transform with real and imaginary parts exchanged on the
// way in and on the way out (IDFT(x) = swap(DFT(swap(x)))), which on split data costs
// nothing: the same kernels and tables serve both directions.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "cplan.h"

namespace vek::dft {

namespace p2 {

// ---- plain vectors --------------------------------------------------------------------
VEK_INLINE __m256 vadd(__m256 a, __m256 b) noexcept { return _mm256_add_ps(a, b); }
VEK_INLINE __m256 vsub(__m256 a, __m256 b) noexcept { return _mm256_sub_ps(a, b); }
VEK_INLINE __m256 vmul(__m256 a, __m256 b) noexcept { return _mm256_mul_ps(a, b); }
VEK_INLINE __m256 vfma(__m256 a, __m256 b, __m256 c) noexcept { return _mm256_fmadd_ps(a, b, c); }
VEK_INLINE __m256 vfms(__m256 a, __m256 b, __m256 c) noexcept { return _mm256_fmsub_ps(a, b, c); }
VEK_INLINE __m256 vfnma(__m256 a, __m256 b, __m256 c) noexcept { return _mm256_fnmadd_ps(a, b, c); }
VEK_INLINE __m256 vfnms(__m256 a, __m256 b, __m256 c) noexcept { return _mm256_fnmsub_ps(a, b, c); }
VEK_INLINE __m256d vadd(__m256d a, __m256d b) noexcept { return _mm256_add_pd(a, b); }
VEK_INLINE __m256d vsub(__m256d a, __m256d b) noexcept { return _mm256_sub_pd(a, b); }
VEK_INLINE __m256d vmul(__m256d a, __m256d b) noexcept { return _mm256_mul_pd(a, b); }
VEK_INLINE __m256d vfma(__m256d a, __m256d b, __m256d c) noexcept { return _mm256_fmadd_pd(a, b, c); }
VEK_INLINE __m256d vfms(__m256d a, __m256d b, __m256d c) noexcept { return _mm256_fmsub_pd(a, b, c); }
VEK_INLINE __m256d vfnma(__m256d a, __m256d b, __m256d c) noexcept { return _mm256_fnmadd_pd(a, b, c); }
VEK_INLINE __m256d vfnms(__m256d a, __m256d b, __m256d c) noexcept { return _mm256_fnmsub_pd(a, b, c); }

template <class T> struct VT;
template <> struct VT<float> {
    using V = __m256;
    static constexpr int L = 8;
    // Lane l of a split register holds complex value perm[l] of the group loaded.
    static constexpr int perm[8] = {0, 1, 4, 5, 2, 3, 6, 7};
    static VEK_INLINE V load(const float* p) noexcept { return _mm256_loadu_ps(p); }
    static VEK_INLINE void store(float* p, V v) noexcept { _mm256_storeu_ps(p, v); }
    static VEK_INLINE V set1(float c) noexcept { return _mm256_set1_ps(c); }
    static VEK_INLINE V bcast(const float* p) noexcept { return _mm256_broadcast_ss(p); }
    // 8 interleaved complex values into parts, lanes in the order perm.
    static VEK_INLINE void split(const float* p, V& re, V& im) noexcept {
        const __m256 a = _mm256_loadu_ps(p), b = _mm256_loadu_ps(p + 8);
        re = _mm256_shuffle_ps(a, b, 0x88);
        im = _mm256_shuffle_ps(a, b, 0xDD);
    }
    // split of the complex values x[ix[0..7]].
    static VEK_INLINE void splitAt(const float* x, const std::uint32_t* ix, V& re, V& im) noexcept {
        auto pair = [&](int l) {
            const __m128 lo = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(x + 2 * std::size_t(ix[l]))));
            return _mm_loadh_pi(lo, reinterpret_cast<const __m64*>(x + 2 * std::size_t(ix[l + 1])));
        };
        const __m256 a = _mm256_set_m128(pair(2), pair(0)), b = _mm256_set_m128(pair(6), pair(4));
        re = _mm256_shuffle_ps(a, b, 0x88);
        im = _mm256_shuffle_ps(a, b, 0xDD);
    }
    // Parts in natural lane order to 8 interleaved complex values: the unpacks pair the
    // parts within each 128-bit half, a cross-half shuffle per store puts the halves in
    // order (two full stores issue faster here than four half stores).
    static VEK_INLINE void join(float* p, V re, V im) noexcept {
        const __m256 lo = _mm256_unpacklo_ps(re, im), hi = _mm256_unpackhi_ps(re, im);
        _mm256_storeu_ps(p, _mm256_permute2f128_ps(lo, hi, 0x20));
        _mm256_storeu_ps(p + 8, _mm256_permute2f128_ps(lo, hi, 0x31));
    }
    // The low halves of a and b to p and p + 4, the high halves to q and q + 4.
    static VEK_INLINE void storeHalves(float* p, V a, V b, float* q) noexcept {
        _mm_storeu_ps(p, _mm256_castps256_ps128(a));
        _mm_storeu_ps(p + 4, _mm256_castps256_ps128(b));
        _mm_storeu_ps(q, _mm256_extractf128_ps(a, 1));
        _mm_storeu_ps(q + 4, _mm256_extractf128_ps(b, 1));
    }
    // Parts with lanes in the order perm to 8 interleaved complex values: the unpacks
    // alone leave them in natural order.
    static VEK_INLINE void joinP(float* p, V re, V im) noexcept {
        _mm256_storeu_ps(p, _mm256_unpacklo_ps(re, im));
        _mm256_storeu_ps(p + 8, _mm256_unpackhi_ps(re, im));
    }
    // join of the reversed parts: lane l to complex position L - 1 - l.
    static VEK_INLINE void joinRev(float* p, V re, V im) noexcept {
        const __m256 rr = _mm256_permute_ps(re, 0x1B), ri = _mm256_permute_ps(im, 0x1B);
        const __m256 lo = _mm256_unpacklo_ps(rr, ri), hi = _mm256_unpackhi_ps(rr, ri);
        _mm256_storeu_ps(p + 8, _mm256_permute2f128_ps(lo, hi, 0x20));
        _mm256_storeu_ps(p, _mm256_permute2f128_ps(lo, hi, 0x31));
    }
    // Four 4 x 4 transposes, one in each 128-bit half of v[0..3]: o[l] lane r + 4 h =
    // v[r] lane l + 4 h (h = 0, 1).
    static VEK_INLINE void transposeHalves(const V* v, V* o) noexcept {
        const __m256 t0 = _mm256_unpacklo_ps(v[0], v[1]), t1 = _mm256_unpackhi_ps(v[0], v[1]);
        const __m256 t2 = _mm256_unpacklo_ps(v[2], v[3]), t3 = _mm256_unpackhi_ps(v[2], v[3]);
        o[0] = _mm256_shuffle_ps(t0, t2, 0x44);
        o[1] = _mm256_shuffle_ps(t0, t2, 0xEE);
        o[2] = _mm256_shuffle_ps(t1, t3, 0x44);
        o[3] = _mm256_shuffle_ps(t1, t3, 0xEE);
    }
    // o[l] lane r = v[r] lane l: the in-half transposes of rows 0..3 and 4..7, then the
    // step that crosses the halves.
    static VEK_INLINE void transpose(const V* v, V* o) noexcept {
        V u[8];
        transposeHalves(v, u);
        transposeHalves(v + 4, u + 4);
        for (int l = 0; l < 4; ++l) {
            o[l] = _mm256_permute2f128_ps(u[l], u[l + 4], 0x20);
            o[l + 4] = _mm256_permute2f128_ps(u[l], u[l + 4], 0x31);
        }
    }
    // transpose(v) with row l stored at o[l]: the in-half steps in registers, the step
    // that crosses the 128-bit halves done by storing the halves where they belong,
    // which moves 8 shuffles per transpose onto the store ports.
    static VEK_INLINE void transposeTo(const V* v, float* const* o) noexcept {
        V u[8];
        transposeHalves(v, u);
        transposeHalves(v + 4, u + 4);
        for (int l = 0; l < 4; ++l) storeHalves(o[l], u[l], u[l + 4], o[l + 4]);
    }
    // Lane l = element (L - l) % L of the register that has lane 0 of next and the
    // other lanes of prev: the mirror c -> h - c of a block across a block boundary.
    static VEK_INLINE V mirror(V prev, V next) noexcept {
        return _mm256_permutevar8x32_ps(_mm256_blend_ps(prev, next, 0x01), _mm256_setr_epi32(0, 7, 6, 5, 4, 3, 2, 1));
    }
    static VEK_INLINE float lane0(V v) noexcept { return _mm256_cvtss_f32(v); }
};
template <> struct VT<double> {
    using V = __m256d;
    static constexpr int L = 4;
    static constexpr int perm[4] = {0, 2, 1, 3};
    static VEK_INLINE V load(const double* p) noexcept { return _mm256_loadu_pd(p); }
    static VEK_INLINE void store(double* p, V v) noexcept { _mm256_storeu_pd(p, v); }
    static VEK_INLINE V set1(double c) noexcept { return _mm256_set1_pd(c); }
    static VEK_INLINE V bcast(const double* p) noexcept { return _mm256_broadcast_sd(p); }
    static VEK_INLINE void split(const double* p, V& re, V& im) noexcept {
        const __m256d a = _mm256_loadu_pd(p), b = _mm256_loadu_pd(p + 4);
        re = _mm256_unpacklo_pd(a, b);
        im = _mm256_unpackhi_pd(a, b);
    }
    static VEK_INLINE void splitAt(const double* x, const std::uint32_t* ix, V& re, V& im) noexcept {
        const __m256d a = _mm256_loadu2_m128d(x + 2 * std::size_t(ix[1]), x + 2 * std::size_t(ix[0]));
        const __m256d b = _mm256_loadu2_m128d(x + 2 * std::size_t(ix[3]), x + 2 * std::size_t(ix[2]));
        re = _mm256_unpacklo_pd(a, b);
        im = _mm256_unpackhi_pd(a, b);
    }
    static VEK_INLINE void join(double* p, V re, V im) noexcept {
        const __m256d lo = _mm256_unpacklo_pd(re, im), hi = _mm256_unpackhi_pd(re, im);
        _mm256_storeu_pd(p, _mm256_permute2f128_pd(lo, hi, 0x20));
        _mm256_storeu_pd(p + 4, _mm256_permute2f128_pd(lo, hi, 0x31));
    }
    static VEK_INLINE void storeHalves(double* p, V a, V b, double* q) noexcept {
        _mm_storeu_pd(p, _mm256_castpd256_pd128(a));
        _mm_storeu_pd(p + 2, _mm256_castpd256_pd128(b));
        _mm_storeu_pd(q, _mm256_extractf128_pd(a, 1));
        _mm_storeu_pd(q + 2, _mm256_extractf128_pd(b, 1));
    }
    static VEK_INLINE void joinP(double* p, V re, V im) noexcept {
        _mm256_storeu_pd(p, _mm256_unpacklo_pd(re, im));
        _mm256_storeu_pd(p + 4, _mm256_unpackhi_pd(re, im));
    }
    static VEK_INLINE void joinRev(double* p, V re, V im) noexcept {
        const __m256d lo = _mm256_unpacklo_pd(re, im), hi = _mm256_unpackhi_pd(re, im);
        _mm256_storeu_pd(p + 4, _mm256_permute2f128_pd(hi, lo, 0x20));
        _mm256_storeu_pd(p, _mm256_permute2f128_pd(hi, lo, 0x31));
    }
    static VEK_INLINE void transpose(const V* v, V* o) noexcept {
        const __m256d t0 = _mm256_unpacklo_pd(v[0], v[1]), t1 = _mm256_unpackhi_pd(v[0], v[1]);
        const __m256d t2 = _mm256_unpacklo_pd(v[2], v[3]), t3 = _mm256_unpackhi_pd(v[2], v[3]);
        o[0] = _mm256_permute2f128_pd(t0, t2, 0x20);
        o[1] = _mm256_permute2f128_pd(t1, t3, 0x20);
        o[2] = _mm256_permute2f128_pd(t0, t2, 0x31);
        o[3] = _mm256_permute2f128_pd(t1, t3, 0x31);
    }
    static VEK_INLINE void transposeTo(const V* v, double* const* o) noexcept {
        const __m256d t0 = _mm256_unpacklo_pd(v[0], v[1]), t1 = _mm256_unpackhi_pd(v[0], v[1]);
        const __m256d t2 = _mm256_unpacklo_pd(v[2], v[3]), t3 = _mm256_unpackhi_pd(v[2], v[3]);
        storeHalves(o[0], t0, t2, o[2]);
        storeHalves(o[1], t1, t3, o[3]);
    }
    static VEK_INLINE V mirror(V prev, V next) noexcept {
        return _mm256_permute4x64_pd(_mm256_blend_pd(prev, next, 0x1), 0x6C);
    }
    static VEK_INLINE double lane0(V v) noexcept { return _mm256_cvtsd_f64(v); }
};

// Where complex value j of a table in split blocks lies (lanes in the order perm): the
// real part at re(j), the imaginary part im further. perm is its own inverse, so lane
// perm[l] of a block holds element l.
template <class T>
constexpr bool permInvolution() noexcept {
    for (int l = 0; l < VT<T>::L; ++l)
        if (VT<T>::perm[VT<T>::perm[l]] != l) return false;
    return true;
}
template <class T>
struct SplitSlot {
    static_assert(permInvolution<T>(), "perm is its own inverse");
    static constexpr int L = VT<T>::L;
    static constexpr std::size_t re(std::int64_t j) noexcept {
        return 2 * L * std::size_t(j / L) + std::size_t(VT<T>::perm[j % L]);
    }
    static constexpr std::size_t im = L;
};

// ---- complex values on split parts ------------------------------------------------------
template <class T>
struct Z {
    typename VT<T>::V r, i;
};
template <class T> VEK_INLINE Z<T> operator+(Z<T> a, Z<T> b) noexcept { return {vadd(a.r, b.r), vadd(a.i, b.i)}; }
template <class T> VEK_INLINE Z<T> operator-(Z<T> a, Z<T> b) noexcept { return {vsub(a.r, b.r), vsub(a.i, b.i)}; }
// a + (-i) b and a - (-i) b.
template <class T> VEK_INLINE Z<T> addNI(Z<T> a, Z<T> b) noexcept { return {vadd(a.r, b.i), vsub(a.i, b.r)}; }
template <class T> VEK_INLINE Z<T> subNI(Z<T> a, Z<T> b) noexcept { return {vsub(a.r, b.i), vadd(a.i, b.r)}; }
// a * w.
template <class T> VEK_INLINE Z<T> cmul(Z<T> a, typename VT<T>::V wr, typename VT<T>::V wi) noexcept {
    return {vfms(a.r, wr, vmul(a.i, wi)), vfma(a.r, wi, vmul(a.i, wr))};
}

// A pass's output v at o: interleaved (parts exchanged if Swap, the lanes in the order
// perm: see first) or as one split block.
template <bool Interleave, bool Swap, class T>
VEK_INLINE void put(T* o, Z<T> v) noexcept {
    if constexpr (!Interleave) {
        VT<T>::store(o, v.r);
        VT<T>::store(o + VT<T>::L, v.i);
    } else if constexpr (Swap) {
        VT<T>::joinP(o, v.i, v.r);
    } else {
        VT<T>::joinP(o, v.r, v.i);
    }
}

// Forward butterflies: y_r = sum_q x_q exp(-2 pi i q r / P).
template <class T>
VEK_INLINE void bf2(const Z<T>* x, Z<T>* y) noexcept {
    y[0] = x[0] + x[1];
    y[1] = x[0] - x[1];
}
// Three points: with t = x1 + x2, d = x1 - x2 and m = x0 - t / 2,
// y1 = m - i sin(2 pi/3) d and y2 = m + i sin(2 pi/3) d.
template <class T>
VEK_INLINE void bf3(const Z<T>* x, Z<T>* y) noexcept {
    using D = VT<T>;
    const typename D::V half = D::set1(T(0.5)), s = D::set1(T(OddTrig<3>::s[0]));
    const Z<T> t = x[1] + x[2], d = x[1] - x[2];
    const Z<T> m = {vfnma(half, t.r, x[0].r), vfnma(half, t.i, x[0].i)};
    y[0] = x[0] + t;
    y[1] = {vfma(s, d.i, m.r), vfnma(s, d.r, m.i)};
    y[2] = {vfnma(s, d.i, m.r), vfma(s, d.r, m.i)};
}
// Five points: with t_k = x_k + x_(5-k), d_k = x_k - x_(5-k) (k = 1, 2), c_k, s_k the
// cosine and sine of 2 pi k / 5,
//   a1 = x0 + c1 t1 + c2 t2, a2 = x0 + c2 t1 + c1 t2, b1 = s1 d1 + s2 d2, b2 = s2 d1 - s1 d2,
//   y1 = a1 - i b1, y4 = a1 + i b1, y2 = a2 - i b2, y3 = a2 + i b2.
template <class T>
VEK_INLINE void bf5(const Z<T>* x, Z<T>* y) noexcept {
    using D = VT<T>;
    using V = typename D::V;
    const V c1 = D::set1(T(OddTrig<5>::c[0])), c2 = D::set1(T(OddTrig<5>::c[1]));
    const V s1 = D::set1(T(OddTrig<5>::s[0])), s2 = D::set1(T(OddTrig<5>::s[1]));
    const Z<T> t1 = x[1] + x[4], t2 = x[2] + x[3], d1 = x[1] - x[4], d2 = x[2] - x[3];
    y[0] = x[0] + t1 + t2;
    const Z<T> a1 = {vfma(c2, t2.r, vfma(c1, t1.r, x[0].r)), vfma(c2, t2.i, vfma(c1, t1.i, x[0].i))};
    const Z<T> a2 = {vfma(c1, t2.r, vfma(c2, t1.r, x[0].r)), vfma(c1, t2.i, vfma(c2, t1.i, x[0].i))};
    const Z<T> b1 = {vfma(s2, d2.r, vmul(s1, d1.r)), vfma(s2, d2.i, vmul(s1, d1.i))};
    const Z<T> b2 = {vfnma(s1, d2.r, vmul(s2, d1.r)), vfnma(s1, d2.i, vmul(s2, d1.i))};
    y[1] = addNI(a1, b1);
    y[4] = subNI(a1, b1);
    y[2] = addNI(a2, b2);
    y[3] = subNI(a2, b2);
}
template <class T>
VEK_INLINE void bf4(const Z<T>* x, Z<T>* y) noexcept {
    const Z<T> a = x[0] + x[2], b = x[0] - x[2], c = x[1] + x[3], d = x[1] - x[3];
    y[0] = a + c;
    y[2] = a - c;
    y[1] = addNI(b, d);
    y[3] = subNI(b, d);
}
template <class T>
VEK_INLINE void bf8(const Z<T>* x, Z<T>* y) noexcept {
    const typename VT<T>::V h = VT<T>::set1(T(kSqrtHalf));
    Z<T> a[4], b[4];
    for (int k = 0; k < 4; ++k) {
        a[k] = x[k] + x[k + 4];
        b[k] = x[k] - x[k + 4];
    }
    // Even outputs: a DFT of 4 on a.
    {
        const Z<T> A = a[0] + a[2], B = a[0] - a[2], C = a[1] + a[3], D = a[1] - a[3];
        y[0] = A + C;
        y[4] = A - C;
        y[2] = addNI(B, D);
        y[6] = subNI(B, D);
    }
    // Odd outputs: b_k w8^k, then a DFT of 4. With P = b1 + b3, M = b1 - b3:
    //   b1 w8 + b3 w8^3 = h (M.r + P.i, M.i - P.r) = h c, b1 w8 - b3 w8^3 = h (P.r + M.i, P.i - M.r) = h t;
    // b2 w8^2 = -i b2 enters through addNI / subNI. The products by h fuse into the
    // final sums (four operations fewer than multiplying first).
    const Z<T> P = b[1] + b[3], M = b[1] - b[3];
    const Z<T> c = {vadd(M.r, P.i), vsub(M.i, P.r)};
    const Z<T> t = {vadd(P.r, M.i), vsub(P.i, M.r)};
    const Z<T> A = addNI(b[0], b[2]), B = subNI(b[0], b[2]);
    y[1] = {vfma(h, c.r, A.r), vfma(h, c.i, A.i)};
    y[5] = {vfnma(h, c.r, A.r), vfnma(h, c.i, A.i)};
    y[3] = {vfma(h, t.i, B.r), vfnma(h, t.r, B.i)};
    y[7] = {vfnma(h, t.i, B.r), vfma(h, t.r, B.i)};
}
// Sixteen points as four by four: DFTs of 4 over x[t1 + 4 t2], the products by
// w16^(t1 r2), then DFTs of 4 over t1 giving y[r2 + 4 r1]. Only w16, w16^3 and their
// mirrors take full complex products; w8 and w8^3 cost two adds and two multiplies,
// -i an exchange of parts and a negation.
template <class T>
VEK_INLINE void bf16(const Z<T>* x, Z<T>* y) noexcept {
    using D = VT<T>;
    using V = typename D::V;
    const V h = D::set1(T(kSqrtHalf)), c = D::set1(T(kCosPi8)), s = D::set1(T(kSinPi8));
    const V zero = D::set1(T(0));
    Z<T> a[4][4];
    for (int t1 = 0; t1 < 4; ++t1) {
        const Z<T> in[4] = {x[t1], x[t1 + 4], x[t1 + 8], x[t1 + 12]};
        bf4<T>(in, a[t1]);
    }
    // w16 = c - i s, w16^3 = s - i c, w16^9 = -c + i s.
    // z w8 = h (z.r + z.i, z.i - z.r), z w8^3 = h (z.i - z.r, -z.r - z.i).
    auto mulW8 = [&](Z<T> z) { return Z<T>{vmul(h, vadd(z.r, z.i)), vmul(h, vsub(z.i, z.r))}; };
    auto mulW83 = [&](Z<T> z) { return Z<T>{vmul(h, vsub(z.i, z.r)), vfnms(h, z.r, vmul(h, z.i))}; };
    const V ns = vsub(zero, s), nc = vsub(zero, c);
    a[1][1] = cmul(a[1][1], c, ns);
    a[1][2] = mulW8(a[1][2]);
    a[1][3] = cmul(a[1][3], s, nc);
    a[2][1] = mulW8(a[2][1]);
    a[2][2] = Z<T>{a[2][2].i, vsub(zero, a[2][2].r)};
    a[2][3] = mulW83(a[2][3]);
    a[3][1] = cmul(a[3][1], s, nc);
    a[3][2] = mulW83(a[3][2]);
    a[3][3] = cmul(a[3][3], nc, s);
    for (int r2 = 0; r2 < 4; ++r2) {
        const Z<T> in[4] = {a[0][r2], a[1][r2], a[2][r2], a[3][r2]};
        Z<T> o[4];
        bf4<T>(in, o);
        for (int r1 = 0; r1 < 4; ++r1) y[r2 + 4 * r1] = o[r1];
    }
}
template <int P, class T>
VEK_INLINE void bf(const Z<T>* x, Z<T>* y) noexcept {
    if constexpr (P == 2) bf2<T>(x, y);
    else if constexpr (P == 3) bf3<T>(x, y);
    else if constexpr (P == 4) bf4<T>(x, y);
    else if constexpr (P == 5) bf5<T>(x, y);
    else if constexpr (P == 8) bf8<T>(x, y);
    else bf16<T>(x, y);
}

// ---- passes -----------------------------------------------------------------------------
// Split blocks: complex element c of a work array lives at float offset
// 2 L (c / L) + c % L (real part) and L further (imaginary part).

// First pass, p = P, s = 1: reads the interleaved input x[j + m q] for L values of j at
// a time (lanes in the order perm), multiplies by the per-lane twiddles, and writes
// y[P j + r] as split blocks through register transposes. Swap exchanges the parts of
// the input. PermLanes: lane l of each block holds element perm[l] of the block, the
// order in which the last pass interleaves with unpacks alone; the passes between
// work lane by lane and keep it.
// Half: the transposes store 128-bit halves (transposeTo). Not on the shortest lengths,
// where the next pass reads a block while its two half stores are still in flight: a
// load that spans two stores cannot take its data from them and waits until both reach
// the cache.
// In says how the input is read, saving the convolutions of Rader's and Bluestein's
// methods a sweep of their own: times the array kern of the same layout or its
// conjugate (kReadMul, kReadMulConj); element e gathered from x[ix[e ? n - e : 0]] (the
// powers of a primitive root in reverse, n = P m), or its conjugate (kReadGather,
// kReadGatherConj).
template <int P, bool Swap, bool PermLanes, bool Half, Read In = kReadPlain, class T>
void first(const T* x, T* y, int m, const T* tw, const T* kern = nullptr,
           const std::uint32_t* ix = nullptr) noexcept {
    using D = VT<T>;
    using V = typename D::V;
    constexpr int L = D::L;
    static_assert(P % L == 0, "the first radix holds whole blocks");
    const std::size_t mm = std::size_t(m), nb = mm / L;
    for (std::size_t j = 0; j < mm; j += L) {
        Z<T> a[P], b[P];
        for (int q = 0; q < P; ++q) {
            V re, im;
            if constexpr (In == kReadGather || In == kReadGatherConj) {
                std::uint32_t at[L];
                const std::size_t e0 = j + mm * q, n = mm * P;
                for (int l = 0; l < L; ++l) at[l] = ix[e0 + l ? n - e0 - l : 0];
                D::splitAt(x, at, re, im);
                if constexpr (In == kReadGatherConj) im = vsub(D::set1(T(0)), im);
            } else {
                D::split(x + 2 * (j + mm * q), re, im);
            }
            if constexpr (In == kReadMul || In == kReadMulConj) {
                constexpr bool c = In == kReadMulConj;
                V kr, ki;
                D::split(kern + 2 * (j + mm * q), kr, ki);
                const V pr = c ? vfma(re, kr, vmul(im, ki)) : vfms(re, kr, vmul(im, ki));
                im = c ? vfms(im, kr, vmul(re, ki)) : vfma(re, ki, vmul(im, kr));
                re = pr;
            }
            a[q] = Swap ? Z<T>{im, re} : Z<T>{re, im};
        }
        bf<P, T>(a, b);
        for (int r = 1; r < P; ++r) {
            const T* w = tw + 2 * L * ((r - 1) * nb + j / L);
            b[r] = cmul(b[r], D::load(w), D::load(w + L));
        }
        for (int g = 0; g < P / L; ++g) {
            V vr[L], vi[L];
            T* orr[L];
            T* oi[L];
            for (int l = 0; l < L; ++l) {
                const int r = g * L + (PermLanes ? D::perm[l] : l);
                vr[l] = b[r].r;
                vi[l] = b[r].i;
                orr[l] = y + 2 * (std::size_t(P) * (j + D::perm[l]) + std::size_t(g) * L);
                oi[l] = orr[l] + L;
            }
            if constexpr (Half) {
                D::transposeTo(vr, orr);
                D::transposeTo(vi, oi);
            } else {
                V tr[L], ti[L];
                D::transpose(vr, tr);
                D::transpose(vi, ti);
                for (int l = 0; l < L; ++l) {
                    D::store(orr[l], tr[l]);
                    D::store(oi[l], ti[l]);
                }
            }
        }
    }
}

// A later pass of factor P over split blocks, s a multiple of L. The twiddles of j are
// (re, im) pairs at tw + 2 ((P - 1) j + r - 1). Last: m = 1, no twiddles, the blocks
// have their lanes in the order perm (see first), and the output is interleaved (parts
// exchanged if Swap); it may run in place.
template <int P, bool Last, bool Swap, class T>
void rows(const T* x, T* y, int m, int s, const T* tw) noexcept {
    using D = VT<T>;
    constexpr int L = D::L;
    const std::size_t ss = std::size_t(s), sm = ss * std::size_t(m);
    for (int j = 0; j < m; ++j) {
        const T* w = tw + 2 * std::size_t(P - 1) * std::size_t(j);
        const T* xj = x + 2 * ss * std::size_t(j);
        T* yj = y + 2 * ss * std::size_t(P) * std::size_t(j);
        for (std::size_t k = 0; k < ss; k += L) {
            Z<T> a[P], b[P];
            for (int q = 0; q < P; ++q) {
                const T* p = xj + 2 * (k + sm * q);
                a[q] = {D::load(p), D::load(p + L)};
            }
            bf<P, T>(a, b);
            for (int r = 0; r < P; ++r) {
                if (!Last && j > 0 && r > 0) b[r] = cmul(b[r], D::bcast(w + 2 * (r - 1)), D::bcast(w + 2 * (r - 1) + 1));
                put<Last, Swap>(yj + 2 * (k + ss * r), b[r]);
            }
            // The twiddles are broadcast from memory next to their use in every
            // iteration: held in registers across the loop, the 14 of a radix 8 would push
            // the butterfly's 16 values onto the stack, which costs more than the reloads.
            __asm__ volatile("" ::: "memory");
        }
    }
}

// Two consecutive middle passes in one sweep: pass one (P1, m, s) and pass two (P2, m /
// P2, s P1). A unit is one block of L lanes k of pass one and one j2 of pass two: the
// P2 butterflies of pass one that pass two's butterflies at j2 read (j = j2 + m2 q2),
// kept in a buffer on the stack, then the P1 butterflies of pass two. The arithmetic
// is that of the two passes, so the results are the same bit for bit; on long
// transforms the data crosses the outer caches once instead of twice. x and y must not
// overlap: a unit writes rows that later units read.
template <int P1, int P2, class T>
void rows2(const T* x, T* y, int m, int s, const T* tw1, const T* tw2) noexcept {
    using D = VT<T>;
    constexpr int L = D::L;
    const std::size_t ss = std::size_t(s), sm = ss * std::size_t(m), m2 = std::size_t(m) / P2;
    const std::size_t s2 = ss * P1;
    alignas(64) T buf[P2][P1][2 * L];
    for (std::size_t j2 = 0; j2 < m2; ++j2) {
        const T* w2 = tw2 + 2 * std::size_t(P2 - 1) * j2;
        T* yj = y + 2 * s2 * P2 * j2;
        for (std::size_t k = 0; k < ss; k += L) {
            for (int q2 = 0; q2 < P2; ++q2) {
                const std::size_t j = j2 + m2 * std::size_t(q2);
                const T* w1 = tw1 + 2 * std::size_t(P1 - 1) * j;
                const T* xj = x + 2 * (k + ss * j);
                Z<T> a[P1], b[P1];
                for (int q = 0; q < P1; ++q) a[q] = {D::load(xj + 2 * sm * q), D::load(xj + 2 * sm * q + L)};
                bf<P1, T>(a, b);
                for (int r = 0; r < P1; ++r) {
                    if (j > 0 && r > 0) b[r] = cmul(b[r], D::bcast(w1 + 2 * (r - 1)), D::bcast(w1 + 2 * (r - 1) + 1));
                    D::store(buf[q2][r], b[r].r);
                    D::store(buf[q2][r] + L, b[r].i);
                }
                __asm__ volatile("" ::: "memory");   // as in rows
            }
            for (int r = 0; r < P1; ++r) {
                Z<T> a[P2], b[P2];
                for (int q2 = 0; q2 < P2; ++q2) a[q2] = {D::load(buf[q2][r]), D::load(buf[q2][r] + L)};
                bf<P2, T>(a, b);
                T* o = yj + 2 * (k + ss * r);
                for (int r2 = 0; r2 < P2; ++r2) {
                    if (j2 > 0 && r2 > 0) b[r2] = cmul(b[r2], D::bcast(w2 + 2 * (r2 - 1)), D::bcast(w2 + 2 * (r2 - 1) + 1));
                    put<false, false>(o + 2 * s2 * r2, b[r2]);
                }
                __asm__ volatile("" ::: "memory");
            }
        }
    }
}

// A whole transform of n = R Q points, Q = B L (one to four blocks of lanes): the first
// pass (radix R = 8 or 16 across R rows, twiddles per lane) and a DFT of Q across the lanes
// (after register transposes) with nothing stored between them but the earlier
// blocks' shares of the last butterflies. For Q = 4 or 8 the arithmetic is that of
// first followed by rows on the last pass, so the results are the same bit for bit;
// Q = 16 takes the place of the plan's last two passes (4, 4) with one sixteen-point
// kernel. All input is read before any output is written: src may equal dst.
template <int R, int B, bool Swap, bool SplitOut, class T>
void whole(const T* x, T* y, const T* tw) noexcept {
    using D = VT<T>;
    using V = typename D::V;
    constexpr int L = D::L, Q = B * L, G = R / L;
    static_assert(Q == 4 || Q == 8 || Q == 16, "the last DFT has 4, 8 or 16 points");
    alignas(64) T keep[B > 1 ? B - 1 : 1][G][L][2 * L];
    for (int blk = 0; blk < B; ++blk) {
        Z<T> a[R], b[R];
        for (int q = 0; q < R; ++q) {
            V re, im;
            D::split(x + 2 * (L * blk + Q * q), re, im);
            a[q] = Swap ? Z<T>{im, re} : Z<T>{re, im};
        }
        bf<R, T>(a, b);
        for (int r = 1; r < R; ++r) {
            const T* w = tw + 2 * L * ((r - 1) * B + blk);
            b[r] = cmul(b[r], D::load(w), D::load(w + L));
        }
        for (int g = 0; g < G; ++g) {
            V vr[L], vi[L], tr[L], ti[L];
            for (int l = 0; l < L; ++l) {
                const int r = g * L + (SplitOut ? l : D::perm[l]);
                vr[l] = b[r].r;
                vi[l] = b[r].i;
            }
            D::transpose(vr, tr);
            D::transpose(vi, ti);
            if (blk < B - 1) {
                for (int q = 0; q < L; ++q) {
                    D::store(keep[blk][g][q], tr[D::perm[q]]);
                    D::store(keep[blk][g][q] + L, ti[D::perm[q]]);
                }
                continue;
            }
            Z<T> c[Q], d[Q];
            for (int e = 0; e < B - 1; ++e)
                for (int q = 0; q < L; ++q) c[L * e + q] = {D::load(keep[e][g][q]), D::load(keep[e][g][q] + L)};
            for (int q = 0; q < L; ++q) c[L * blk + q] = {tr[D::perm[q]], ti[D::perm[q]]};
            bf<Q, T>(c, d);
            for (int r = 0; r < Q; ++r) put<!SplitOut, Swap>(y + 2 * (g * L + R * r), d[r]);
        }
    }
}

// 32 complex floats as 4 by 8, all in registers: DFTs of 4 over x[j + 8 q] (the lanes
// are j, in the order perm), the products by w32^(j r) (three split blocks at tw), then
// for each r a DFT of 8 over the lanes, giving y[r + 4 k]. Two 4 x 4 transposes within
// the 128-bit halves leave register l = c + 2 a holding j = c + 2 b + 4 a in half b and
// r in the lanes of each half. The DFT of 8 then runs its stage over a between
// registers, its stage over b across the halves (a swap of the halves and one fused
// multiply-add by +-1) and its stage over c between registers again. Each half of a
// result holds y[4 k .. 4 k + 3], which two unpacks interleave and one cross-half
// shuffle per store assembles. All input is read before any output is written.
template <bool Swap>
void whole32(const float* x, float* y, const float* tw) noexcept {
    using D = VT<float>;
    using V = __m256;
    Z<float> a[4], b[4];
    for (int q = 0; q < 4; ++q) {
        V re, im;
        D::split(x + 16 * q, re, im);
        a[q] = Swap ? Z<float>{im, re} : Z<float>{re, im};
    }
    bf4<float>(a, b);
    for (int r = 1; r < 4; ++r) b[r] = cmul(b[r], D::load(tw + 16 * (r - 1)), D::load(tw + 16 * (r - 1) + 8));
    // 4 x 4 transposes in each half: t[l] half h = lane l + 4 h of b[0..3].
    V vr[4] = {b[0].r, b[1].r, b[2].r, b[3].r}, vi[4] = {b[0].i, b[1].i, b[2].i, b[3].i}, tr[4], ti[4];
    D::transposeHalves(vr, tr);
    D::transposeHalves(vi, ti);
    const Z<float> t[4] = {{tr[0], ti[0]}, {tr[1], ti[1]}, {tr[2], ti[2]}, {tr[3], ti[3]}};
    const V sign = _mm256_castsi256_ps(_mm256_set1_epi32(int(0x80000000u)));
    // z times 1 in the low half and -i in the high half.
    auto mulNIHigh = [&](Z<float> z) {
        return Z<float>{_mm256_blend_ps(z.r, z.i, 0xF0), _mm256_blend_ps(z.i, _mm256_xor_ps(z.r, sign), 0xF0)};
    };
    // (lo + hi | lo - hi) of each part.
    const V pm = _mm256_setr_ps(1, 1, 1, 1, -1, -1, -1, -1);
    auto halves = [&](Z<float> z) {
        return Z<float>{vfma(z.r, pm, _mm256_permute2f128_ps(z.r, z.r, 0x01)),
                        vfma(z.i, pm, _mm256_permute2f128_ps(z.i, z.i, 0x01))};
    };
    // Stage over a: u = z_j1 + z_j1+4, v = (z_j1 - z_j1+4) w8^j1 with j1 = c + 2 b.
    const V h = D::set1(float(kSqrtHalf)), nh = D::set1(-float(kSqrtHalf));
    const Z<float> u0 = t[0] + t[2], u1 = t[1] + t[3];
    const Z<float> v0 = mulNIHigh(t[0] - t[2]);
    const Z<float> v1 = cmul(t[1] - t[3], _mm256_blend_ps(h, nh, 0xF0), nh);
    // DFTs of 4 over j1: across the halves (b), w4^(c k1), then between registers (c).
    auto dft4 = [&](Z<float> r0, Z<float> r1, Z<float>& lo, Z<float>& hi) {
        const Z<float> s0 = halves(r0), s1 = mulNIHigh(halves(r1));
        lo = s0 + s1;   // halves k' = 0, 1
        hi = s0 - s1;   // halves k' = 2, 3
    };
    Z<float> e0, e1, o0, o1;
    dft4(u0, u1, e0, e1);   // y[4 k..] for k = 0 | 2 and 4 | 6
    dft4(v0, v1, o0, o1);   // k = 1 | 3 and 5 | 7
    auto out = [&](Z<float> z, int klo, int khi) {
        const V re = Swap ? z.i : z.r, im = Swap ? z.r : z.i;
        const V lo = _mm256_unpacklo_ps(re, im), hi = _mm256_unpackhi_ps(re, im);
        D::store(y + 8 * klo, _mm256_permute2f128_ps(lo, hi, 0x20));
        D::store(y + 8 * khi, _mm256_permute2f128_ps(lo, hi, 0x31));
    };
    out(e0, 0, 2);
    out(o0, 1, 3);
    out(e1, 4, 6);
    out(o1, 5, 7);
}

// The input of a first pass as the reading how sees it (see first), written to z.
template <class T>
void prepare(Read how, const T* x, const T* kern, const std::uint32_t* ix, int n, T* z) noexcept {
    const std::size_t nn = std::size_t(n);
    for (std::size_t e = 0; e < nn; ++e) {
        T re, im;
        if (how == kReadMul || how == kReadMulConj) {
            const T xr = x[2 * e], xi = x[2 * e + 1], kr = kern[2 * e], ki = kern[2 * e + 1];
            if (how == kReadMul) {
                re = std::fma(xr, kr, -(xi * ki));
                im = std::fma(xr, ki, xi * kr);
            } else {
                re = std::fma(xr, kr, xi * ki);
                im = std::fma(xi, kr, -(xr * ki));
            }
        } else {
            const std::size_t at = ix[e ? nn - e : 0];
            re = x[2 * at];
            im = how == kReadGather ? x[2 * at + 1] : -x[2 * at + 1];
        }
        z[2 * e] = re;
        z[2 * e + 1] = im;
    }
}

template <bool Swap, class T>
void runRows(const Pass& ps, const T* x, T* y, const T* tw, bool last) noexcept {
    if (last) {
        switch (ps.p) {
            case 2: rows<2, true, Swap>(x, y, ps.m, ps.s, tw); break;
            case 3: rows<3, true, Swap>(x, y, ps.m, ps.s, tw); break;
            case 4: rows<4, true, Swap>(x, y, ps.m, ps.s, tw); break;
            case 5: rows<5, true, Swap>(x, y, ps.m, ps.s, tw); break;
            default: rows<8, true, Swap>(x, y, ps.m, ps.s, tw); break;
        }
    } else {
        switch (ps.p) {
            case 2: rows<2, false, false>(x, y, ps.m, ps.s, tw); break;
            case 3: rows<3, false, false>(x, y, ps.m, ps.s, tw); break;
            case 4: rows<4, false, false>(x, y, ps.m, ps.s, tw); break;
            case 5: rows<5, false, false>(x, y, ps.m, ps.s, tw); break;
            default: rows<8, false, false>(x, y, ps.m, ps.s, tw); break;
        }
    }
}

// The shortest length whose first pass stores halves (see first).
constexpr int kHalfMin = 256;

// The first pass of radix P with the reading how chosen at run time.
template <int P, bool Swap, bool PermLanes, bool Half, class T>
void firstAs(Read how, const T* x, T* y, int m, const T* tw, const T* kern, const std::uint32_t* ix) noexcept {
    switch (how) {
        case kReadMul: first<P, Swap, PermLanes, Half, kReadMul>(x, y, m, tw, kern); break;
        case kReadMulConj: first<P, Swap, PermLanes, Half, kReadMulConj>(x, y, m, tw, kern); break;
        case kReadGather: first<P, Swap, PermLanes, Half, kReadGather>(x, y, m, tw, kern, ix); break;
        case kReadGatherConj: first<P, Swap, PermLanes, Half, kReadGatherConj>(x, y, m, tw, kern, ix); break;
        default: first<P, Swap, PermLanes, Half>(x, y, m, tw); break;
    }
}

// The length whose plan is a radix-16 first pass over one block of lanes and a DFT of
// 4 across them (whole<16, 1>): 64 double points, where it is about 8 % faster than
// eight by eight, which spills more of its two blocks. 0: none (for float, 16 by one
// block is 128 points, which measured no faster than 8 by 16).
template <class T>
inline constexpr int kFirst16 = VT<T>::L == 4 ? 64 : 0;

// The length run by whole32 (a radix-4 first pass over one block of lanes and a DFT of
// 8 across them): 32 floats, which the split passes do not take otherwise. 0: none.
template <class T>
inline constexpr int kFirst4 = VT<T>::L == 8 ? 32 : 0;

// The plan's first pass: radix 8, storing halves from kHalfMin on, or radix 16 for the
// length kFirst16 (whose plain reads run whole; this serves the other readings).
template <bool Swap, bool PermLanes, class T>
void firstOf(const CPlan* pl, const Pass& ps, Read how, const T* x, T* y, const T* tw, const T* kern,
             const std::uint32_t* ix) noexcept {
    if constexpr (kFirst16<T> != 0)
        if (ps.p == 16) return firstAs<16, Swap, PermLanes, false>(how, x, y, ps.m, tw, kern, ix);
    if (pl->n >= kHalfMin) firstAs<8, Swap, PermLanes, true>(how, x, y, ps.m, tw, kern, ix);
    else firstAs<8, Swap, PermLanes, false>(how, x, y, ps.m, tw, kern, ix);
}

// SplitOut: the last pass leaves split blocks in dst (for the real recombination).
// kern, ix: see first (In = how).
template <bool Swap, bool SplitOut, class T>
void run(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work, const T* kern = nullptr,
         Read how = kReadPlain, const std::uint32_t* ix = nullptr) noexcept {
    const int K = pl->passes;
    if constexpr (kFirst4<T> != 0 && !SplitOut)
        if (pl->n == kFirst4<T>) {
            // The other readings are prepared in the work array first.
            if (how != kReadPlain) {
                prepare(how, src, kern, ix, pl->n, work);
                src = work;
            }
            return whole32<Swap>(src, dst, reinterpret_cast<const T*>(base + pl->pass[0].twOff));
        }
    if (how == kReadPlain) {
        // n = 8 m with m (the points after the first pass) one block of lanes, 8 or 16;
        // or 64 double points as 16 by one block (see kFirst16).
        constexpr int L = VT<T>::L;
        const T* tw = reinterpret_cast<const T*>(base + pl->pass[0].twOff);
        const int m = pl->pass[0].m;
        if (pl->pass[0].p == 16) {
            if constexpr (kFirst16<T> != 0) return whole<16, 1, Swap, SplitOut>(src, dst, tw);
        } else {
            if (m == L) return whole<8, 1, Swap, SplitOut>(src, dst, tw);
            if constexpr (L == 4)
                if (m == 8) return whole<8, 2, Swap, SplitOut>(src, dst, tw);
            if (m == 16) return whole<8, 16 / L, Swap, SplitOut>(src, dst, tw);
        }
    }
    const bool alias = src == dst;
    // The last pass reads P rows of the work array and writes P rows of dst, each a
    // multiple of 4 KiB apart. When dst and work are nearly the same distance from a
    // page boundary, its loads wait on the stores of the previous rows (the core
    // matches them by their low address bits) and the pass runs at half speed; the
    // work array then moves 2 KiB further into its slack.
    if (pl->skew) {
        const std::uintptr_t d = (reinterpret_cast<std::uintptr_t>(dst) - reinterpret_cast<std::uintptr_t>(work)) & 4095;
        if (d < 512 || d > 3584) work += 2 * std::size_t(pl->skew);
    }
    // The first two middle passes run as one sweep (rows2) where measurement showed it
    // pays. The plans put the pairs (4, 4), (4, 8) or (8, 8) there: the last two always,
    // (4, 4) once the data outgrow the first-level cache. The sweeps then alternate
    // buffers as the passes would.
    const int p1 = K >= 4 ? pl->pass[1].p : 0, p2 = K >= 4 ? pl->pass[2].p : 0;
    auto even = [](int p) { return p == 4 || p == 8; };   // the radices rows2 takes
    const bool pair = even(p1) && even(p2) && p2 >= p1;
    const bool fuse = pair && (p2 == 8 || std::size_t(pl->n) * 2 * sizeof(T) >= 65536);
    const int sweeps = K - (fuse ? 1 : 0);
    const T* in = src;
    for (int i = 0, sw = 0; i < K; ++i, ++sw) {
        T* out = passOut(sw, sweeps, alias, dst, work);
        const Pass& ps = pl->pass[i];
        const T* tw = reinterpret_cast<const T*>(base + ps.twOff);
        if (i == 0) {
            firstOf<Swap, !SplitOut>(pl, ps, how, in, out, tw, kern, ix);
        } else if (fuse && i == 1) {
            const T* tw2 = reinterpret_cast<const T*>(base + pl->pass[2].twOff);
            if (p1 == 8) rows2<8, 8>(in, out, ps.m, ps.s, tw, tw2);
            else if (p2 == 8) rows2<4, 8>(in, out, ps.m, ps.s, tw, tw2);
            else rows2<4, 4>(in, out, ps.m, ps.s, tw, tw2);
            ++i;
        } else {
            runRows<Swap>(ps, in, out, tw, !SplitOut && i == K - 1);
        }
        in = out;
    }
}


// ---- real forward recombination on split blocks ------------------------------------------
// d holds Z[0..h-1] as split blocks (the complex transform of the N = 2h real inputs read
// as h complex values), ws the twiddles exp(-2 pi i k / N) / 2, k = 0..h/2, as split blocks.
// Writes the interleaved Perm spectrum in place:
//   X[k] = (Z[k] + conj Z[h-k]) / 2 - i w^k (Z[k] - conj Z[h-k]) / 2, X[h-k] its mirror,
//   d[0] = X[0], d[1] = X[h] (both real).
// A group is the block of bins a..a+L-1 and the mirrors h-a-L+1..h-a, which straddle two
// blocks: the lower one is read from memory, the upper one was the lower one of the
// previous group and is carried in registers (its memory is already overwritten).
// The twiddles come halved (fillRecSplit), which folds the halving of the sums into
// fused multiply-adds: 0.5 e + p/2 rounds exactly as 0.5 (e + p) does.
template <class T>
VEK_INLINE void recombOne(T zr, T zi, T mr, T mi, T wr, T wi, T* lo, T* hi) noexcept {
    const T er = zr + mr, ei = zi - mi, orr = zr - mr, oi = zi + mi;
    const T pr = std::fma(orr, wr, -(oi * wi)), pi = std::fma(orr, wi, oi * wr);
    const T ar = std::fma(T(0.5), er, pi), ai = std::fma(T(0.5), ei, -pr);
    const T br = std::fma(T(0.5), er, -pi), bi = std::fma(T(-0.5), ei, -pr);
    hi[0] = br;
    hi[1] = bi;
    lo[0] = ar;
    lo[1] = ai;
}

template <class T>
void recombFwd(T* d, const T* ws, int h) noexcept {
    using D = VT<T>;
    using V = typename D::V;
    constexpr int L = D::L;
    const V half = D::set1(T(0.5));
    const std::size_t hh = std::size_t(h);
    V nr = D::load(d), ni = D::load(d + L);   // block h - a (block 0 for a = 0)
    T rh = 0;
    std::size_t a = 0;
    // The group at a: lo = d + 2 a, pp = d + 2 (h - a - L) (the lower mirror block), w =
    // ws + 2 a; the pointers walk instead of being formed from a each time.
    T* lo = d;
    T* pp = d + 2 * (hh - L);
    const T* w = ws;
    auto group = [&](V& br, V& bi) {
        const V zr = D::load(lo), zi = D::load(lo + L);
        const V pr = D::load(pp), pi = D::load(pp + L);
        const V mr = D::mirror(pr, nr), mi = D::mirror(pi, ni);
        const V wr = D::load(w), wi = D::load(w + L);
        const V er = vadd(zr, mr), ei = vsub(zi, mi), orr = vsub(zr, mr), oi = vadd(zi, mi);
        const V qr = vfms(orr, wr, vmul(oi, wi)), qi = vfma(orr, wi, vmul(oi, wr));
        D::join(lo, vfma(half, er, qi), vfms(half, ei, qr));
        br = vfms(half, er, qi);
        bi = vfnms(half, ei, qr);
        nr = pr;
        ni = pi;
    };
    if (2 * L - 2 < hh) {
        // Lane l of b is bin h - a - l: reversed, lane t is bin h - a - L + 1 + t. At a = 0
        // the last lane is bin h, which goes to d[1] at the end.
        V br, bi;
        group(br, bi);
        alignas(32) T t[2 * L];
        D::joinRev(t, br, bi);
        std::memcpy(d + 2 * (hh - L + 1), t, 2 * (L - 1) * sizeof(T));
        rh = t[2 * (L - 1)];
        for (a = L, lo += 2 * L, pp -= 2 * L, w += 2 * L; 2 * a + 2 * L - 2 < hh;
             a += L, lo += 2 * L, pp -= 2 * L, w += 2 * L) {
            group(br, bi);
            D::joinRev(pp + 2, br, bi);
        }
    }
    // The middle bins a..h/2 and their mirrors: copied out first (bin h - a from the
    // carried block), then computed one at a time.
    T z[2 * (4 * L + 2)];
    const std::size_t cnt = hh - 2 * a + 1;
    for (std::size_t c = 0; c + 1 < cnt; ++c) {
        const std::size_t idx = a + c, blk = 2 * L * (idx / L), ln = idx % L;
        z[2 * c] = d[blk + ln];
        z[2 * c + 1] = d[blk + L + ln];
    }
    z[2 * (cnt - 1)] = D::lane0(nr);
    z[2 * (cnt - 1) + 1] = D::lane0(ni);
    for (std::size_t k = a; 2 * k <= hh; ++k) {
        const std::size_t c = k - a, m = hh - k - a;
        const T* w = ws + 2 * L * (k / L) + k % L;
        T lo[2], hi[2];
        recombOne(z[2 * c], z[2 * c + 1], z[2 * m], z[2 * m + 1], w[0], w[L], lo, hi);
        if (k == 0) {
            rh = hi[0];
        } else {
            d[2 * (hh - k)] = hi[0];
            d[2 * (hh - k) + 1] = hi[1];
        }
        d[2 * k] = lo[0];
        d[2 * k + 1] = lo[1];
    }
    d[1] = rh;
}

// The twiddles of recombFwd, halved, from the interleaved table w (k = 0..h/2).
template <class T>
void fillRecSplit(T* ws, const T* w, int h) noexcept {
    constexpr int L = VT<T>::L;
    for (int k = 0; 2 * k <= h; ++k) {
        ws[2 * L * (k / L) + k % L] = T(0.5) * w[2 * k];
        ws[2 * L * (k / L) + L + k % L] = T(0.5) * w[2 * k + 1];
    }
}

template <class T>
inline std::size_t recSplitElems(int h) noexcept {
    constexpr int L = VT<T>::L;
    return 2 * std::size_t(L) * (std::size_t(h / 2) / L + 1);
}

}  // namespace p2

// Lengths taken by the split-part passes: products of powers of 2, 3 and 5 whose first
// radix-8 pass covers whole registers (a multiple of 64 points for float, of 32 for
// double). Each factor 3 or 5 is a radix-3 or radix-5 pass among the later ones.
template <class T>
inline bool pow2Eligible(int n) noexcept {
    if (n <= 0 || n % (8 * p2::VT<T>::L) != 0) return false;
    while (n % 3 == 0) n /= 3;
    while (n % 5 == 0) n /= 5;
    return (n & (n - 1)) == 0;
}

// Lengths with a plan of this file (method kPow2): those, and the one whole32 takes.
template <class T>
inline bool pow2Plan(int n) noexcept {
    return pow2Eligible<T>(n) || n == p2::kFirst4<T>;
}

template <class T>
void buildPow2(Builder& b, CPlan& P, int n) noexcept {
    using D = p2::VT<T>;
    constexpr int L = D::L;
    // 8, ..., 8, then 4s or a 2, then the 5s and 3s.
    int two = n, odd[2] = {0, 0};
    for (; two % 5 == 0; two /= 5) ++odd[0];
    for (; two % 3 == 0; two /= 3) ++odd[1];
    Factors f = factorize(two);
    for (int k = 0; k < odd[0]; ++k) f.f[f.n++] = 5;
    for (int k = 0; k < odd[1]; ++k) f.f[f.n++] = 3;
    if (n == p2::kFirst16<T> || n == p2::kFirst4<T>) {
        f.n = 2;
        f.f[0] = n == p2::kFirst16<T> ? 16 : 4;
        f.f[1] = n / f.f[0];
    }
    // The octant scheme reads every twiddle from row 1 of a radix-8 first pass; the
    // plans with another first radix have one table, each entry evaluated directly.
    const bool direct = f.f[0] != 8;
    // The 4s (or the 2), 5s and 3s move ahead of the later 8s: the last pass, which has
    // no twiddle products, is then a radix 8.
    if (f.n >= 3 && f.f[f.n - 1] != 8 && f.f[1] == 8) {
        int t[kMaxPasses], k = 0;
        t[k++] = 8;
        for (int i = 1; i < f.n; ++i) if (f.f[i] != 8) t[k++] = f.f[i];
        for (int i = 1; i < f.n; ++i) if (f.f[i] == 8) t[k++] = 8;
        for (int i = 0; i < f.n; ++i) f.f[i] = t[i];
    }
    P.method = kPow2;
    P.passes = f.n;
    // Slack for moving the work array (see run), once the last pass's rows are a page
    // or more apart.
    P.skew = std::size_t(n / f.f[f.n - 1]) * 2 * sizeof(T) >= 4096 ? int(2048 / (2 * sizeof(T))) : 0;
    // The first pass's twiddles sit in split blocks per r, the lanes of a block in the
    // order perm; the others in (re, im) pairs. Row r = 1 of the first table serves as
    // the octant of every twiddle (see OctantTwiddles).
    const std::size_t nb0 = std::size_t(n / f.f[0]) / L;
    auto at0 = [&](int j, int r) { return 2 * L * (r - 1) * nb0 + p2::SplitSlot<T>::re(j); };
    OctantTwiddles<T, p2::SplitSlot<T>> oct;
    int s = 1, rest = n;
    for (int i = 0; i < f.n; ++i) {
        Pass& ps = P.pass[i];
        const int p = f.f[i], m = rest / p;
        ps.p = p;
        ps.m = m;
        ps.s = s;
        ps.first = i == 0;
        if (m >= 2) {
            T* tw = b.take<T>(2 * std::size_t(p - 1) * std::size_t(m), &ps.twOff);
            if (tw && direct) {
                for (int j = 0; j < m; ++j)
                    for (int r = 1; r < p; ++r) {
                        double c, sn;
                        sincos2pi(std::int64_t(j) * r, n, c, sn);
                        tw[at0(j, r)] = T(c);
                        tw[at0(j, r) + L] = T(-sn);
                    }
            } else if (tw) {
                if (i == 0) oct.start(tw, n, m);
                for (int j = 0; j < m; ++j)
                    for (int r = i == 0 ? 2 : 1; r < p; ++r) {
                        const std::size_t re = i == 0 ? at0(j, r) : 2 * (std::size_t(p - 1) * j + (r - 1));
                        oct.get(std::int64_t(j) * r * s, tw[re], tw[re + (i == 0 ? L : 1)]);
                    }
            }
        }
        s *= p;
        rest = m;
    }
}

template <class T>
void runPow2(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work, bool inv,
             const T* kern, Read how, const std::uint32_t* ix) noexcept {
    if (inv) p2::run<true, false>(base, pl, src, dst, work, kern, how, ix);
    else p2::run<false, false>(base, pl, src, dst, work, kern, how, ix);
}

}  // namespace vek::dft
