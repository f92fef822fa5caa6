// packed.h - products and conjugate-symmetric expansions of packed real spectra.
//
// A packed spectrum of a real signal of length N holds R_0, for even N the real
// Nyquist value R_(N/2), and the complex pairs (R_k, I_k) in between. The layouts
// differ only in where the two real values sit:
//   Pack: R_0 | pairs from position 1 | R_(N/2) at N - 1 (even N)
//   Perm: R_0 | R_(N/2) at 1 (even N) | pairs from position 2 (from 1 for odd N)
// A product multiplies the real slots as reals and the pairs as complex numbers;
// an expansion writes the full N-point conjugate-symmetric complex spectrum.
#pragma once

#include <cstddef>
#include <cstring>

#include "common.h"
#include "simd.h"

namespace vek::packed {

enum class Fmt { Ccs, Pack, Perm };

// ---- complex pair products on interleaved (re, im) data ------------------------------
// a x b: re = fma(ar, br, -(ai*bi)), im = fma(ar, bi, ai*br): one rounded product
// and one fused multiply-add per part.
VEK_INLINE __m256 cmul(__m256 a, __m256 b) noexcept {
    __m256 t = _mm256_mul_ps(_mm256_movehdup_ps(a), _mm256_permute_ps(b, 0xB1));
    return _mm256_fmaddsub_ps(_mm256_moveldup_ps(a), b, t);
}
VEK_INLINE __m256d cmul(__m256d a, __m256d b) noexcept {
    __m256d t = _mm256_mul_pd(_mm256_permute_pd(a, 0xF), _mm256_permute_pd(b, 0x5));
    return _mm256_fmaddsub_pd(_mm256_movedup_pd(a), b, t);
}
// s x conj(d): re = fma(sr, dr, si*di), im = fma(si, dr, -(sr*di)).
VEK_INLINE __m256 cmulConj(__m256 s, __m256 d) noexcept {
    __m256 t = _mm256_mul_ps(_mm256_permute_ps(s, 0xB1), _mm256_movehdup_ps(d));
    return _mm256_fmsubadd_ps(s, _mm256_moveldup_ps(d), t);
}
VEK_INLINE __m256d cmulConj(__m256d s, __m256d d) noexcept {
    __m256d t = _mm256_mul_pd(_mm256_permute_pd(s, 0x5), _mm256_permute_pd(d, 0xF));
    return _mm256_fmsubadd_pd(s, _mm256_movedup_pd(d), t);
}

template <class T> struct V;
template <> struct V<float> {
    using R = __m256;
    static R cast(__m256i v) noexcept { return _mm256_castsi256_ps(v); }
    static __m256i back(R v) noexcept { return _mm256_castps_si256(v); }
};
template <> struct V<double> {
    using R = __m256d;
    static R cast(__m256i v) noexcept { return _mm256_castsi256_pd(v); }
    static __m256i back(R v) noexcept { return _mm256_castpd_si256(v); }
};

// Products of `pairs` complex pairs starting at element offset `off`.
template <class T, bool Conj>
VEK_INLINE void pairProducts(const T* a, const T* b, T* d, std::size_t off,
                             std::size_t pairs) noexcept {
    if (pairs == 0) return;
    using W = V<T>;
    simd::mapBytes2<T>(a + off, b + off, d + off, 2 * pairs,
                       [](__m256i x, __m256i y) {
                           if constexpr (Conj)
                               return W::back(cmulConj(W::cast(x), W::cast(y)));
                           else
                               return W::back(cmul(W::cast(x), W::cast(y)));
                       });
}

// Positions of the real slots and the first pair of a Pack/Perm array of length n.
struct Slots {
    std::size_t nyq;      // position of R_(N/2), or 0 if N is odd
    std::size_t first;    // position of R_1
    std::size_t pairs;    // number of complex pairs
};
VEK_INLINE Slots slotsOf(Fmt f, std::size_t n) noexcept {
    const bool even = (n % 2) == 0;
    const std::size_t pairs = even ? (n >= 2 ? n / 2 - 1 : 0) : (n - 1) / 2;
    if (!even) return {0, 1, pairs};
    if (f == Fmt::Pack) return {n - 1, 1, pairs};
    return {1, 2, pairs};
}

// d = a x b (or a x conj(b)) in layout F. a and b may equal d.
template <class T, Fmt F, bool Conj>
void mul(const T* a, const T* b, T* d, int len) noexcept {
    IeeeEnv env;
    const std::size_t n = std::size_t(len);
    const Slots s = slotsOf(F, n);
    const T r0 = a[0] * b[0];
    const T rn = s.nyq ? a[s.nyq] * b[s.nyq] : T(0);
    pairProducts<T, Conj>(a, b, d, s.first, s.pairs);
    d[0] = r0;
    if (s.nyq) d[s.nyq] = rn;
}

// In-place form: pSrcDst = pSrc x pSrcDst.
template <class T, Fmt F>
VekStatus mulI(const T* pSrc, T* pSrcDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pSrcDst);
    VEK_CHECK_LEN(len);
    mul<T, F, false>(pSrc, pSrcDst, pSrcDst, len);
    return vekStsNoErr;
}

// Out-of-place form. When the destination is one of the sources the call is the
// in-place form on that source, so the other operand is always the left factor.
template <class T, Fmt F>
VekStatus mulOut(const T* pSrc1, const T* pSrc2, T* pDst, int len) noexcept {
    if (pSrc2 == pDst) return mulI<T, F>(pSrc1, pDst, len);
    if (pSrc1 == pDst) return mulI<T, F>(pSrc2, pDst, len);
    VEK_CHECK_PTRS(pSrc1, pSrc2, pDst);
    VEK_CHECK_LEN(len);
    mul<T, F, false>(pSrc1, pSrc2, pDst, len);
    return vekStsNoErr;
}

// pSrcDst = pSrc x conj(pSrcDst) in Pack layout.
template <class T>
VekStatus mulPackConjI(const T* pSrc, T* pSrcDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pSrcDst);
    VEK_CHECK_LEN(len);
    mul<T, Fmt::Pack, true>(pSrc, pSrcDst, pSrcDst, len);
    return vekStsNoErr;
}

// Unchecked out-of-place pDst = pSrc1 x conj(pSrc2), Pack layout (for correlation).
template <class T>
void mulPackConj(const T* pSrc1, const T* pSrc2, T* pDst, int len) noexcept {
    mul<T, Fmt::Pack, true>(pSrc1, pSrc2, pDst, len);
}

// ---- expansion -------------------------------------------------------------------
// Reverse the order of the complex elements of a vector and negate their imaginary
// parts: conj mirror of a block.
VEK_INLINE __m256 mirror(__m256 v) noexcept {
    __m256 r = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(v), 0x1B));
    return _mm256_xor_ps(r, _mm256_castsi256_ps(_mm256_set1_epi64x(std::int64_t(1) << 63)));
}
VEK_INLINE __m256d mirror(__m256d v) noexcept {
    __m256d r = _mm256_permute4x64_pd(v, 0x4E);
    return _mm256_xor_pd(r, _mm256_set_pd(-0.0, 0.0, -0.0, 0.0));
}

// One complex element as the width-1 case of the same operation.
template <class T>
VEK_INLINE void mirrorOne(const T* src, T* dst) noexcept {
    dst[0] = src[0];
    dst[1] = -src[1];
}

// c[n - k] = conj(c[k]) for k = 1..h-1, c interleaved complex of length n, h = ceil(n/2).
// The lower half is only read and the upper half only written, so the last block may
// overlap the one before it.
template <class T>
void writeMirror(T* c, std::size_t n) noexcept {
    const std::size_t cnt = (n + 1) / 2 - 1;   // elements k = 1..cnt
    constexpr std::size_t L = simd::lanes<T> / 2;  // complex elements per vector
    using W = V<T>;
    if (cnt < L) {
        for (std::size_t k = 1; k <= cnt; ++k) mirrorOne(c + 2 * k, c + 2 * (n - k));
        return;
    }
    auto block = [&](std::size_t k) {   // elements k..k+L-1 -> n-k-L+1..n-k
        auto v = W::cast(simd::loadu(c + 2 * k));
        simd::storeu(c + 2 * (n - k - L + 1), W::back(mirror(v)));
    };
    std::size_t k = 1;
    for (; k + L - 1 <= cnt; k += L) block(k);
    if (k <= cnt) block(cnt - L + 1);
}

// Expand a packed spectrum src (layout F) into dst, n complex elements. src and dst may
// be the same memory: the packed values are first moved (top-down) to their complex
// positions, the mirrored half written afterwards; it lies above the packed data.
template <class T, Fmt F>
void expand(const T* src, T* dst, std::size_t n) noexcept {
    const bool even = (n % 2) == 0;
    const T r0 = src[0];
    if constexpr (F == Fmt::Ccs) {
        const std::size_t lower = n / 2 + 1;   // complex values held by the CCS array
        if (src != dst) std::memmove(dst, src, 2 * lower * sizeof(T));
    } else {
        const Slots s = slotsOf(F, n);
        const T rn = s.nyq ? src[s.nyq] : T(0);
        // pairs k = 1..: from src[s.first + 2(k-1)] to dst[2k]
        if (s.pairs) std::memmove(dst + 2, src + s.first, 2 * s.pairs * sizeof(T));
        if (even && n >= 2) {
            dst[n] = rn;
            dst[n + 1] = T(0);
        }
    }
    if (n >= 3) writeMirror(dst, n);
    dst[0] = r0;
    dst[1] = T(0);
}

template <class T, Fmt F>
VekStatus conjI(T* pSrcDst, int lenDst) noexcept {
    VEK_CHECK_PTRS(pSrcDst);
    VEK_CHECK_LEN(lenDst);
    expand<T, F>(pSrcDst, pSrcDst, std::size_t(lenDst));
    return vekStsNoErr;
}

template <class T, Fmt F>
VekStatus conjOut(const T* pSrc, T* pDst, int lenDst) noexcept {
    if constexpr (F != Fmt::Ccs) {
        if (pSrc == pDst) return conjI<T, F>(pDst, lenDst);
    }
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(lenDst);
    expand<T, F>(pSrc, pDst, std::size_t(lenDst));
    return vekStsNoErr;
}

}  // namespace vek::packed

namespace vek::packed {
// Unchecked out-of-place pDst = pSrc1 x conj(pSrc2), Pack layout.
void ownsMulPackConj_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) noexcept;
void ownsMulPackConj_64f(const double* pSrc1, const double* pSrc2, double* pDst, int len) noexcept;
}  // namespace vek::packed
