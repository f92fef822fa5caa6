// dft.h - the exported DFT layer: argument checks in the documented order, the spec
// header and plan record, and the calls of the DFT core.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "frame/common.h"
#include "frame/spec.h"
#include "transforms/engine/dftcore.h"

namespace vek::dft {

constexpr int kMaxLen = 1 << 27;

inline bool isPow2(int n) noexcept { return n > 0 && (n & (n - 1)) == 0; }
inline bool lenOk(int len) noexcept { return len >= 1 && (isPow2(len) || len < kMaxLen); }
inline bool flagOk(int flag) noexcept { return flag == 1 || flag == 2 || flag == 4 || flag == 8; }

// The sizes the caller must provide: the layout's bytes (with its alignment slack)
// plus 64 for the header, and init and work areas each with 64 bytes of slack for
// their own alignment.
struct Reported {
    long long spec, init, work;
};

template <class T>
inline bool reportedSizes(Kind kind, int len, Reported& r) noexcept {
    Builder b;
    Sizes s = layoutDft<T>(b, kind, len, nullptr, nullptr, nullptr);
    if (!s.ok) return false;
    r.spec = (long long)s.spec + 64;
    r.init = (long long)s.init + 64;
    r.work = (long long)s.work + 64;
    const long long lim = std::numeric_limits<int>::max();
    return r.spec <= lim && r.init <= lim && r.work <= lim;
}

// Lays out and fills a spec at the aligned address base: header, plan record, core
// and tables. The arguments have been checked; id is written into the header and the
// core. Shared with the power-of-two FFT layer, which differs only in its identifiers
// and its checks.
template <class T>
void buildSpec(Kind K, int len, int flag, VekHint hint, std::uint8_t* base, Vek8u* pSpecBuffer,
               std::uint32_t id, std::size_t workBytes) noexcept {
    Builder b;
    b.base = base;
    b.initBuf = pSpecBuffer ? alignUp(pSpecBuffer, 64) : nullptr;
    Core<T>* core = nullptr;
    PlanRecord* rec = nullptr;
    std::uint64_t recTab = 0;
    layoutDft<T>(b, K, len, &core, &rec, &recTab);

    const double fs = flag == 1 ? 1.0 / len : flag == 4 ? 1.0 / std::sqrt(double(len)) : 1.0;
    const double is = flag == 2 ? 1.0 / len : flag == 4 ? 1.0 / std::sqrt(double(len)) : 1.0;
    core->id = id;
    core->len = len;
    core->kind = K;
    core->flag = flag;
    core->hint = int(hint);
    core->fwdScaled = (flag == 1 || flag == 4) ? 1 : 0;
    core->invScaled = (flag == 2 || flag == 4) ? 1 : 0;
    core->fwdScale = T(fs);
    core->invScale = T(is);
    core->workBytes = workBytes;
    core->recOff = recTab;
    if (K == kR && len % 2 == 0) {
        T* w = reinterpret_cast<T*>(base + recTab);
        // Past the first octant the values are those of len / 4 - k with the parts
        // swapped (when 4 divides len), as sincos2pi itself reduces them.
        const int q = len / 4, o = len % 4 == 0 ? len / 8 : q;
        for (int k = 0; k <= o; ++k) {
            double c, sn;
            sincos2pi(k, len, c, sn);
            w[2 * k] = T(c);
            w[2 * k + 1] = T(-sn);
        }
        for (int k = o + 1; k <= q; ++k) {
            w[2 * k] = -w[2 * (q - k) + 1];
            w[2 * k + 1] = -w[2 * (q - k)];
        }
        if (core->recSplitOff) p2::fillRecSplit(reinterpret_cast<T*>(base + core->recSplitOff), w, len / 2);
    }
    *rec = PlanRecord{30, 1, len, sizeof(T) == 4 ? 35 : 36, K == kR ? 33 : 32, K == kCs ? 42 : 39,
                      43, int(hint), flag, fs, is, core};
    auto* hdr = reinterpret_cast<SpecHeader*>(base);
    hdr->plan = rec;
    hdr->reserved = 0;
    hdr->id = id;
}

template <class T, Kind K>
VekStatus getSize(int len, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize,
                  int* pBufferSize) noexcept {
    if (anyNull(pSpecSize, pSpecBufferSize, pBufferSize)) return vekStsNullPtrErr;
    if (!lenOk(len)) return vekStsSizeErr;
    if (!flagOk(flag)) return vekStsFftFlagErr;
    (void)hint;
    IeeeEnv env;   // the cost model computes in floating point
    Reported r;
    if (!reportedSizes<T>(K, len, r)) return vekStsErr;
    *pSpecSize = int(r.spec);
    *pSpecBufferSize = int(r.init);
    *pBufferSize = int(r.work);
    return vekStsNoErr;
}

template <class T, Kind K>
VekStatus init(int len, int flag, VekHint hint, void* pSpec, Vek8u* pSpecBuffer) noexcept {
    if (pSpec == nullptr) return vekStsNullPtrErr;
    if (!lenOk(len)) return vekStsSizeErr;
    // The flag and the init buffer are checked before anything is written, so a
    // failed Init leaves the caller's block as it was (no identifier that a later
    // transform would accept).
    if (!flagOk(flag)) return vekStsFftFlagErr;
    IeeeEnv env;
    Builder q;
    Sizes s = layoutDft<T>(q, K, len, nullptr, nullptr, nullptr);
    if (!s.ok) return vekStsErr;
    if (s.init > 0 && pSpecBuffer == nullptr) return vekStsNullPtrErr;

    buildSpec<T>(K, len, flag, hint, alignUp(static_cast<std::uint8_t*>(pSpec), 64), pSpecBuffer,
                 specId<T>(K), s.work);
    return vekStsNoErr;
}

// The spec's core after the pointer and identifier checks, or null.
template <class T, Kind K>
VEK_INLINE const Core<T>* specCore(const void* pSpec, VekStatus& st) noexcept {
    const auto* base = alignUp(static_cast<const std::uint8_t*>(pSpec), 64);
    if (base == nullptr) { st = vekStsNullPtrErr; return nullptr; }
    if (!hasId(base, specId<T>(K))) { st = vekStsContextMatchErr; return nullptr; }
    st = vekStsNoErr;
    return static_cast<const Core<T>*>(static_cast<const PlanRecord*>(
        reinterpret_cast<const SpecHeader*>(base)->plan)->core);
}

template <class T>
VEK_INLINE View<T> viewOf(const void* pSpec, const Core<T>* c) noexcept {
    return {alignUp(static_cast<const std::uint8_t*>(pSpec), 64), c};
}

template <class T>
VEK_INLINE T* workOf(const Core<T>* c, Vek8u* pBuffer, VekStatus& st) noexcept {
    if (c->workBytes == 0) return nullptr;
    if (pBuffer == nullptr) { st = vekStsNullPtrErr; return nullptr; }
    return reinterpret_cast<T*>(alignUp(pBuffer, 64));
}

template <class T, bool Inv, class C>
VekStatus cToC(const C* pSrc, C* pDst, const void* pSpec, Vek8u* pBuffer) noexcept {
    VekStatus st;
    const Core<T>* c = specCore<T, kC>(pSpec, st);
    if (!c) return st;
    if (anyNull(pSrc, pDst)) return vekStsNullPtrErr;
    T* work = workOf(c, pBuffer, st);
    if (st != vekStsNoErr) return st;
    IeeeModeEnv env;
    complexRun<T>(viewOf(pSpec, c), reinterpret_cast<const T*>(pSrc), reinterpret_cast<T*>(pDst), work, Inv);
    return vekStsNoErr;
}

template <class T, bool Inv>
VekStatus cToCSplit(const T* pSrcRe, const T* pSrcIm, T* pDstRe, T* pDstIm, const void* pSpec,
                    Vek8u* pBuffer) noexcept {
    VekStatus st;
    const Core<T>* c = specCore<T, kCs>(pSpec, st);
    if (!c) return st;
    if (anyNull(pSrcRe, pSrcIm, pDstRe, pDstIm)) return vekStsNullPtrErr;
    T* work = workOf(c, pBuffer, st);
    if (st != vekStsNoErr) return st;
    IeeeModeEnv env;
    splitRun<T>(viewOf(pSpec, c), pSrcRe, pSrcIm, pDstRe, pDstIm, work, Inv);
    return vekStsNoErr;
}

template <class T, int Fmt>
VekStatus rFwd(const T* pSrc, T* pDst, const void* pSpec, Vek8u* pBuffer) noexcept {
    VekStatus st;
    const Core<T>* c = specCore<T, kR>(pSpec, st);
    if (!c) return st;
    if (anyNull(pSrc, pDst)) return vekStsNullPtrErr;
    T* work = workOf(c, pBuffer, st);
    if (st != vekStsNoErr) return st;
    IeeeModeEnv env;
    realForward<T>(viewOf(pSpec, c), pSrc, pDst, work, Fmt);
    return vekStsNoErr;
}

template <class T, int Fmt>
VekStatus rInv(const T* pSrc, T* pDst, const void* pSpec, Vek8u* pBuffer) noexcept {
    VekStatus st;
    const Core<T>* c = specCore<T, kR>(pSpec, st);
    if (!c) return st;
    if (anyNull(pSrc, pDst)) return vekStsNullPtrErr;
    T* work = workOf(c, pBuffer, st);
    if (st != vekStsNoErr) return st;
    IeeeModeEnv env;
    realInverse<T>(viewOf(pSpec, c), pSrc, pDst, work, Fmt);
    return vekStsNoErr;
}

}  // namespace vek::dft
