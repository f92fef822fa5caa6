// fft.h - the exported power-of-two FFT layer: argument checks in the documented
// order, the spec header in caller memory, and the calls of the transform core.
//
// A spec of order k holds the same plan as a DFT spec of length 2^k (radix-8/4/2
// self-sorting passes with precomputed twiddles); only the identifiers, the order
// limits, the reported sizes and the checks differ. Small orders run without a work
// buffer: what little scratch they need lives on the stack.
#pragma once

#include <cstdint>
#include <limits>

#include "transforms/fft/dft.h"

namespace vek::fft {

using dft::Core;
using dft::Kind;
using dft::kC;
using dft::kCs;
using dft::kR;

template <class T>
constexpr int kMaxOrder = sizeof(T) == 4 ? 28 : 27;

template <class T>
constexpr std::uint32_t fftId(Kind k) noexcept {
    if constexpr (sizeof(T) == 4) return k == kC ? kIdFFT_C_32fc : k == kCs ? kIdFFT_C_32f : kIdFFT_R_32f;
    else return k == kC ? kIdFFT_C_64fc : k == kCs ? kIdFFT_C_64f : kIdFFT_R_64f;
}

// Orders whose transforms take no work buffer from the caller (complex up to 64
// points, real up to 32).
inline int maxStackOrder(Kind k) noexcept { return k == kR ? 5 : 6; }

// Scratch of the stack-run orders: two full complex vectors of 64 points.
template <class T>
struct StackWork {
    alignas(64) T v[4 * 64];
};

struct Reported {
    long long spec, init, work;
};

// What the caller must provide. Up to order 10 the sizes follow fixed formulas in N
// (never less than the layout needs); above, the layout's own bytes with slack.
template <class T>
inline VekStatus reportedSizes(Kind kind, int order, Reported& r) noexcept {
    const int n = 1 << order;
    dft::Builder b;
    dft::Sizes s = dft::layoutDft<T>(b, kind, n, nullptr, nullptr, nullptr);
    if (!s.ok) return vekStsSizeOverflow;
    const bool stack = order <= maxStackOrder(kind);
    r.spec = (long long)s.spec + 64;
    r.init = s.init ? (long long)s.init + 64 : 0;
    r.work = (stack || s.work == 0) ? 0 : (long long)s.work + 64;
    if (order <= 10) {
        const long long N = n;
        const long long spec = kind == kR ? (sizeof(T) == 4 ? 9 * N : 18 * N) + 2048
                                          : (sizeof(T) == 4 ? 16 * N : 18 * N) + 2048;
        const long long work = stack ? 0 : (kind == kR ? 4 : 8) * N * (long long)(sizeof(T) / 4) + 128;
        if (r.spec < spec) r.spec = spec;
        if (r.work < work) r.work = work;
    }
    const long long lim = std::numeric_limits<int>::max();
    if (r.spec > lim || r.init > lim || r.work > lim) return vekStsSizeOverflow;
    return vekStsNoErr;
}

template <class T, Kind K>
VekStatus getSize(int order, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize,
                  int* pBufferSize) noexcept {
    (void)hint;
    if (order < 0 || order > 30) return vekStsFftOrderErr;
    if (anyNull(pSpecSize, pSpecBufferSize, pBufferSize)) return vekStsNullPtrErr;
    if (order > kMaxOrder<T>) return vekStsFftOrderErr;
    if (!dft::flagOk(flag)) return vekStsFftFlagErr;
    IeeeEnv env;
    Reported r;
    if (VekStatus st = reportedSizes<T>(K, order, r); st != vekStsNoErr) return st;
    *pSpecSize = int(r.spec);
    *pSpecBufferSize = int(r.init);
    *pBufferSize = int(r.work);
    return vekStsNoErr;
}

// The flag and the init buffer are checked before anything is written, so a failed
// Init leaves the caller's block without an identifier that a transform would accept.
template <class T, Kind K, class S>
VekStatus init(S** ppFFTSpec, int order, int flag, VekHint hint, Vek8u* pSpec,
               Vek8u* pSpecBuffer) noexcept {
    if (ppFFTSpec == nullptr) return vekStsNullPtrErr;
    if (order < 0 || order > kMaxOrder<T>) return vekStsFftOrderErr;
    if (pSpec == nullptr) return vekStsNullPtrErr;
    if (!dft::flagOk(flag)) return vekStsFftFlagErr;
    IeeeEnv env;
    const int n = 1 << order;
    dft::Builder q;
    dft::Sizes s = dft::layoutDft<T>(q, K, n, nullptr, nullptr, nullptr);
    if (!s.ok) return vekStsSizeOverflow;
    if (s.init > 0 && pSpecBuffer == nullptr) return vekStsNullPtrErr;
    auto* base = alignUp(pSpec, 64);
    const bool stack = order <= maxStackOrder(K);
    // Stack-run orders record a work size of 0: the transform then uses its own.
    dft::buildSpec<T>(K, n, flag, hint, base, pSpecBuffer, fftId<T>(K), stack ? 0 : s.work);
    *ppFFTSpec = reinterpret_cast<S*>(base);
    return vekStsNoErr;
}

// The core of a spec whose pointer was checked, or null on a wrong identifier.
template <class T, Kind K>
VEK_INLINE const Core<T>* specCore(const void* pSpec) noexcept {
    if (!hasId(pSpec, fftId<T>(K))) return nullptr;
    return static_cast<const Core<T>*>(static_cast<const dft::PlanRecord*>(
        static_cast<const dft::SpecHeader*>(pSpec)->plan)->core);
}

template <class T>
VEK_INLINE dft::View<T> fftView(const void* pSpec, const Core<T>* c) noexcept {
    return {static_cast<const std::uint8_t*>(pSpec), c};
}

// The work area: the caller's buffer aligned, or the stack for the small orders.
template <class T>
VEK_INLINE T* workOf(const Core<T>* c, Vek8u* pBuffer, StackWork<T>& sw, VekStatus& st) noexcept {
    st = vekStsNoErr;
    if (c->workBytes == 0) return sw.v;
    if (pBuffer == nullptr) { st = vekStsNullPtrErr; return nullptr; }
    return reinterpret_cast<T*>(alignUp(pBuffer, 64));
}

template <class T, bool Inv, bool InPlace, class C>
VekStatus cToC(const C* pSrc, C* pDst, const void* pSpec, Vek8u* pBuffer) noexcept {
    if (pSpec == nullptr || (InPlace && pDst == nullptr)) return vekStsNullPtrErr;
    const Core<T>* c = specCore<T, kC>(pSpec);
    if (!c) return vekStsContextMatchErr;
    if (anyNull(pSrc, pDst)) return vekStsNullPtrErr;
    StackWork<T> sw;
    VekStatus st;
    T* work = workOf(c, pBuffer, sw, st);
    if (st != vekStsNoErr) return st;
    IeeeModeEnv env;
    dft::complexRun<T>(fftView(pSpec, c), reinterpret_cast<const T*>(pSrc), reinterpret_cast<T*>(pDst), work, Inv);
    return vekStsNoErr;
}

template <class T, bool Inv, bool InPlace>
VekStatus cToCSplit(const T* pSrcRe, const T* pSrcIm, T* pDstRe, T* pDstIm, const void* pSpec,
                    Vek8u* pBuffer) noexcept {
    if (pSpec == nullptr || (InPlace && anyNull(pDstRe, pDstIm))) return vekStsNullPtrErr;
    const Core<T>* c = specCore<T, kCs>(pSpec);
    if (!c) return vekStsContextMatchErr;
    if (anyNull(pSrcRe, pSrcIm, pDstRe, pDstIm)) return vekStsNullPtrErr;
    StackWork<T> sw;
    VekStatus st;
    T* work = workOf(c, pBuffer, sw, st);
    if (st != vekStsNoErr) return st;
    IeeeModeEnv env;
    dft::splitRun<T>(fftView(pSpec, c), pSrcRe, pSrcIm, pDstRe, pDstIm, work, Inv);
    return vekStsNoErr;
}

template <class T, bool Inv, int Fmt, bool InPlace>
VekStatus real(const T* pSrc, T* pDst, const void* pSpec, Vek8u* pBuffer) noexcept {
    if (pSpec == nullptr || (InPlace && pDst == nullptr)) return vekStsNullPtrErr;
    const Core<T>* c = specCore<T, kR>(pSpec);
    if (!c) return vekStsContextMatchErr;
    if (anyNull(pSrc, pDst)) return vekStsNullPtrErr;
    StackWork<T> sw;
    VekStatus st;
    T* work = workOf(c, pBuffer, sw, st);
    if (st != vekStsNoErr) return st;
    IeeeModeEnv env;
    if constexpr (Inv) dft::realInverse<T>(fftView(pSpec, c), pSrc, pDst, work, Fmt);
    else dft::realForward<T>(fftView(pSpec, c), pSrc, pDst, work, Fmt);
    return vekStsNoErr;
}

// In-place forms: one pointer is source and destination.
template <class T, bool Inv, class C>
VekStatus cToCI(C* p, const void* pSpec, Vek8u* pBuffer) noexcept {
    return cToC<T, Inv, true, C>(p, p, pSpec, pBuffer);
}
template <class T, bool Inv>
VekStatus cToCSplitI(T* re, T* im, const void* pSpec, Vek8u* pBuffer) noexcept {
    return cToCSplit<T, Inv, true>(re, im, re, im, pSpec, pBuffer);
}
template <class T, bool Inv, int Fmt>
VekStatus realI(T* p, const void* pSpec, Vek8u* pBuffer) noexcept {
    return real<T, Inv, Fmt, true>(p, p, pSpec, pBuffer);
}

}  // namespace vek::fft
