// dct.h - orthonormal DCT-II (forward) and DCT-III (inverse) of any length N >= 1.
//
//   forward: y[k] = c_k sum_n x[n] cos(pi (2n + 1) k / (2N))
//   inverse: x[n] = sum_k c_k y[k] cos(pi (2n + 1) k / (2N))
//   c_0 = 1/sqrt(N), c_k = sqrt(2/N) for k >= 1.
//
// Two methods, chosen by length:
//  - short lengths (N <= kDirectMax): the transform matrix, scale factors folded in,
//    stored column by column in the spec and applied as N fused multiply-adds of a
//    column against the input value (all outputs accumulate in registers, so in place
//    needs no work buffer);
//  - longer lengths: the reordering v[n] = x[2n], v[N-1-n] = x[2n+1], one real DFT of
//    length N of v (any N: the DFT core picks radix passes or the chirp-z method), and
//    a post-pass with the factors s e^(-i pi k / (2N)); the inverse runs the same steps
//    backwards through an inverse real DFT.
// Tables are computed in double from exactly reduced angles and rounded once.
#pragma once

#include <immintrin.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/common.h"
#include "frame/spec.h"
#include "transforms/fft/dft.h"

namespace vek::dct {

constexpr int kDirectMax = 32;
enum Method : std::int32_t { kDirect = 1, kFft = 2 };

template <class T>
struct Header {
    std::uint32_t id;
    std::int32_t n, hint, workBytes, method, reserved;
    T s0, s1;                   // 1/sqrt(N), sqrt(2/N)
    std::uint64_t tabOff;       // direct: matrix; FFT method: factors (complex T)
    std::uint64_t subOff;       // FFT method: the real DFT spec
    std::uint64_t vOff, dftWorkOff;   // FFT method: offsets inside the work buffer
};

template <class T> constexpr std::uint32_t fwdId = sizeof(T) == 4 ? kIdDCTFwd_32f : kIdDCTFwd_64f;
template <class T> constexpr std::uint32_t invId = sizeof(T) == 4 ? kIdDCTInv_32f : kIdDCTInv_64f;
template <class T> constexpr int kLanes = 32 / sizeof(T);

inline int padded(int n, int lanes) noexcept { return (n + lanes - 1) / lanes * lanes; }

// Everything both GetSize and Init need to know about a length.
struct Plan {
    int method = 0;
    long long spec = 0, init = 0, work = 0;   // bytes to report
    std::size_t tabOff = 0, subOff = 0, vOff = 0, dftWorkOff = 0;
    dft::Reported sub{};
};

template <class T>
inline bool planOf(int n, Plan& p) noexcept {
    if (!dft::lenOk(n)) return false;
    Layout l(64);
    l.header<Header<T>>();
    if (n <= kDirectMax) {
        p.method = kDirect;
        p.tabOff = l.array<T>(std::size_t(n) * std::size_t(padded(n, kLanes<T>)), 64);
        p.spec = (long long)l.bytes();
        return true;
    }
    p.method = kFft;
    {
        IeeeEnv env;
        if (!dft::reportedSizes<T>(dft::kR, n, p.sub)) return false;
    }
    p.tabOff = l.array<T>(2 * std::size_t(n / 2 + 1), 64);
    p.subOff = l.reserve(std::size_t(p.sub.spec), 64);
    if (!l.ok()) return false;
    p.spec = (long long)l.bytes();
    p.init = p.sub.init;
    // Work: the packed spectrum (N + 2 values), the reordered signal (N values) and
    // the DFT's own work area, each 64-byte aligned, plus slack to align the buffer.
    Layout w(64);
    w.array<T>(std::size_t(n) + 2, 64);
    p.vOff = w.array<T>(std::size_t(n), 64);
    p.dftWorkOff = w.reserve(std::size_t(p.sub.work), 64);
    if (!w.ok()) return false;
    p.work = (long long)w.bytes();
    const long long lim = 0x7fffffffLL;
    return p.spec <= lim && p.work <= lim && p.init <= lim;
}

template <class T>
VekStatus getSize(int len, VekHint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize) noexcept {
    if (len < 1) return vekStsSizeErr;
    if (anyNull(pSpecSize, pSpecBufferSize, pBufferSize)) return vekStsNullPtrErr;
    Plan p;
    if (!planOf<T>(len, p)) return vekStsSizeErr;
    *pSpecSize = int(p.spec);
    *pSpecBufferSize = int(p.init);
    *pBufferSize = int(p.work);
    return vekStsNoErr;
}

// cos(pi m / (2N)) for any integer m, from the exactly reduced angle 2 pi m / (4N).
inline double cosq(std::int64_t m, int n) noexcept {
    double c, s;
    dft::sincos2pi(m, 4 * std::int64_t(n), c, s);
    return c;
}

template <class T, bool Inv>
VekStatus init(void* ppDCTSpec, int len, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer) noexcept {
    if (len < 1) return vekStsSizeErr;
    if (anyNull(ppDCTSpec, pSpec)) return vekStsNullPtrErr;
    Plan p;
    if (!planOf<T>(len, p)) return vekStsSizeErr;
    if (p.init > 0 && pSpecBuffer == nullptr) return vekStsNullPtrErr;
    IeeeEnv env;
    auto* base = alignUp(pSpec, 64);
    Header<T> h{};
    h.n = len;
    h.hint = int(hint);
    h.method = p.method;
    h.workBytes = int(p.work);
    const double s0 = 1.0 / std::sqrt(double(len)), s1 = std::sqrt(2.0 / double(len));
    h.s0 = T(s0);
    h.s1 = T(s1);
    h.tabOff = p.tabOff;
    h.subOff = p.subOff;
    h.vOff = p.vOff;
    h.dftWorkOff = p.dftWorkOff;
    if (p.method == kDirect) {
        // Column j holds the coefficients of input j for every output, padded with
        // zeros to whole vectors.
        const int pad = padded(len, kLanes<T>);
        T* a = reinterpret_cast<T*>(base + p.tabOff);
        for (int j = 0; j < len; ++j)
            for (int i = 0; i < pad; ++i) {
                double v = 0.0;
                if (i < len) {
                    // forward: output k = i, input n = j; inverse: output n = i, input k = j
                    const int k = Inv ? j : i, nn = Inv ? i : j;
                    v = (k == 0 ? s0 : s1) * cosq(std::int64_t(2 * nn + 1) * k, len);
                }
                a[std::size_t(j) * pad + i] = T(v);
            }
    } else {
        VekStatus st = dft::init<T, dft::kR>(len, vekFftScaleNone, hint, base + p.subOff, pSpecBuffer);
        if (st != vekStsNoErr) return st;
        // forward factors s1 e^(-i pi k/(2N)); inverse factors e^(+i pi k/(2N)) / (s1 N),
        // entry 0 the DC scale (s0, or 1/(s0 N)).
        T* f = reinterpret_cast<T*>(base + p.tabOff);
        for (int k = 0; k <= len / 2; ++k) {
            double c, s;
            dft::sincos2pi(k, 4 * std::int64_t(len), c, s);
            const double m = Inv ? 1.0 / (s1 * len) : s1;
            f[2 * k] = T(k == 0 ? (Inv ? 1.0 / (s0 * len) : s0) : c * m);
            f[2 * k + 1] = T(k == 0 ? 0.0 : (Inv ? s : -s) * m);
        }
    }
    h.id = 0;
    std::memcpy(base, &h, sizeof h);
    // The identifier goes in last, so a spec whose build failed is never accepted.
    const std::uint32_t id = Inv ? invId<T> : fwdId<T>;
    std::memcpy(base, &id, sizeof id);
    std::memcpy(ppDCTSpec, &base, sizeof base);
    return vekStsNoErr;
}

// ---- direct method: y = A x with A stored column by column -----------------------------
template <class T> struct VecOf;
template <> struct VecOf<float> {
    using V = __m256;
    static VEK_INLINE V zero() noexcept { return _mm256_setzero_ps(); }
    static VEK_INLINE V set1(float x) noexcept { return _mm256_set1_ps(x); }
    static VEK_INLINE V load(const float* p) noexcept { return _mm256_load_ps(p); }
    static VEK_INLINE V fma(V a, V b, V c) noexcept { return _mm256_fmadd_ps(a, b, c); }
    static VEK_INLINE void store(float* p, V v) noexcept { _mm256_storeu_ps(p, v); }
};
template <> struct VecOf<double> {
    using V = __m256d;
    static VEK_INLINE V zero() noexcept { return _mm256_setzero_pd(); }
    static VEK_INLINE V set1(double x) noexcept { return _mm256_set1_pd(x); }
    static VEK_INLINE V load(const double* p) noexcept { return _mm256_load_pd(p); }
    static VEK_INLINE V fma(V a, V b, V c) noexcept { return _mm256_fmadd_pd(a, b, c); }
    static VEK_INLINE void store(double* p, V v) noexcept { _mm256_storeu_pd(p, v); }
};

template <class T>
inline void direct(const T* a, const T* x, T* y, int n) noexcept {
    using Vo = VecOf<T>;
    using V = typename Vo::V;
    constexpr int L = kLanes<T>;
    constexpr int maxVec = (kDirectMax + L - 1) / L;
    const int pad = padded(n, L), nv = pad / L;
    V acc[maxVec];
    for (int v = 0; v < nv; ++v) acc[v] = Vo::zero();
    for (int j = 0; j < n; ++j) {
        const V xj = Vo::set1(x[j]);
        const T* col = a + std::size_t(j) * pad;
        for (int v = 0; v < nv; ++v) acc[v] = Vo::fma(Vo::load(col + v * L), xj, acc[v]);
    }
    alignas(32) T out[maxVec * L];
    for (int v = 0; v < nv; ++v) Vo::store(out + v * L, acc[v]);
    std::memcpy(y, out, sizeof(T) * std::size_t(n));
}

// ---- FFT method -------------------------------------------------------------------------
template <class T>
inline void fftForward(const Header<T>& h, const std::uint8_t* base, const T* x, T* y, Vek8u* buf) noexcept {
    const int n = h.n, half = n / 2;
    T* V = reinterpret_cast<T*>(buf);
    T* v = reinterpret_cast<T*>(buf + h.vOff);
    for (int i = 0; 2 * i < n; ++i) v[i] = x[2 * i];
    for (int i = 0; 2 * i + 1 < n; ++i) v[n - 1 - i] = x[2 * i + 1];
    dft::rFwd<T, dft::kCCS>(v, V, base + h.subOff, buf + h.dftWorkOff);
    const T* f = reinterpret_cast<const T*>(base + h.tabOff);
    y[0] = V[0] * f[0];
    for (int k = 1; k <= half; ++k) {
        const T vr = V[2 * k], vi = V[2 * k + 1], fr = f[2 * k], fi = f[2 * k + 1];
        y[k] = std::fma(vr, fr, -(vi * fi));
        if (2 * k != n) y[n - k] = -std::fma(vr, fi, vi * fr);
    }
}

template <class T>
inline void fftInverse(const Header<T>& h, const std::uint8_t* base, const T* y, T* x, Vek8u* buf) noexcept {
    const int n = h.n, half = n / 2;
    T* V = reinterpret_cast<T*>(buf);
    T* v = reinterpret_cast<T*>(buf + h.vOff);
    const T* f = reinterpret_cast<const T*>(base + h.tabOff);
    V[0] = y[0] * f[0];
    V[1] = T(0);
    for (int k = 1; k <= half; ++k) {
        // V[k] = g_k (y[k] - i y[N-k]); for k = N/2 (even N) y[N-k] is y[k] itself.
        const T a = y[k], b = y[n - k], gr = f[2 * k], gi = f[2 * k + 1];
        V[2 * k] = std::fma(a, gr, b * gi);
        V[2 * k + 1] = std::fma(a, gi, -(b * gr));
    }
    if (n % 2 == 0) V[n + 1] = T(0);
    dft::rInv<T, dft::kCCS>(V, v, base + h.subOff, buf + h.dftWorkOff);
    for (int i = 0; 2 * i < n; ++i) x[2 * i] = v[i];
    for (int i = 0; 2 * i + 1 < n; ++i) x[2 * i + 1] = v[n - 1 - i];
}

template <class T, bool Inv>
VekStatus run(const T* pSrc, T* pDst, const void* pDCTSpec, Vek8u* pBuffer) noexcept {
    if (anyNull(pDCTSpec, pSrc, pDst)) return vekStsNullPtrErr;
    // Init hands out the 64-byte aligned start; aligning again also accepts the
    // caller's raw block.
    const auto* base = alignUp(static_cast<const std::uint8_t*>(pDCTSpec), 64);
    if (!hasId(base, Inv ? invId<T> : fwdId<T>)) return vekStsContextMatchErr;
    Header<T> h;
    std::memcpy(&h, base, sizeof h);
    if (h.workBytes > 0 && pBuffer == nullptr) return vekStsNullPtrErr;
    IeeeEnv env;
    if (h.method == kDirect) {
        direct<T>(reinterpret_cast<const T*>(base + h.tabOff), pSrc, pDst, h.n);
    } else {
        Vek8u* buf = alignUp(pBuffer, 64);
        if (Inv) fftInverse<T>(h, base, pSrc, pDst, buf);
        else fftForward<T>(h, base, pSrc, pDst, buf);
    }
    return vekStsNoErr;
}

template <class T, bool Inv>
VekStatus runI(T* pSrcDst, const void* pDCTSpec, Vek8u* pBuffer) noexcept {
    return run<T, Inv>(pSrcDst, pSrcDst, pDCTSpec, pBuffer);
}

}  // namespace vek::dct
