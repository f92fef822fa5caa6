// hilbert.h - the analytic signal of a real block through the DFT.
//
// The spec holds a small header at the very start of the caller's memory followed by
// two DFT specs of length N built with vekFftScaleInv: a real forward one and a
// complex inverse one. The transform takes X = DFT(x) in CCS layout straight into the
// destination, doubles the positive-frequency bins, clears the negative ones and runs
// the inverse complex DFT in place, so pDst[n] = x[n] + i h[n].
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "frame/common.h"
#include "frame/spec.h"
#include "transforms/fft/dft.h"

namespace vek::hil {

struct Header {
    std::uint32_t id;
    std::int32_t n, workBytes, hint;
    std::uint64_t cOff, rOff;   // byte offsets of the two DFT specs from the header
};
static_assert(sizeof(Header) <= 32);

struct Sizes {
    dft::Reported c, r;
};

inline bool sizesOf(int len, Sizes& s) noexcept {
    IeeeEnv env;
    return dft::reportedSizes<float>(dft::kC, len, s.c) && dft::reportedSizes<float>(dft::kR, len, s.r);
}
inline long long bufferBytes(const Sizes& s) noexcept {
    return std::max({s.c.init, s.c.work, s.r.init, s.r.work}) + 16;
}

inline VekStatus getSize(int len, VekHint, int* pSpecSize, int* pBufferSize) noexcept {
    if (anyNull(pSpecSize, pBufferSize)) return vekStsNullPtrErr;
    if (!dft::lenOk(len)) return vekStsSizeErr;
    Sizes s;
    if (!sizesOf(len, s)) return vekStsErr;
    const long long spec = s.c.spec + s.r.spec + 48, buf = bufferBytes(s);
    if (spec > 0x7fffffffLL || buf > 0x7fffffffLL) return vekStsErr;
    *pSpecSize = int(spec);
    *pBufferSize = int(buf);
    return vekStsNoErr;
}

inline VekStatus init(int len, VekHint hint, void* pSpec, Vek8u* pBuffer) noexcept {
    if (anyNull(pSpec, pBuffer)) return vekStsNullPtrErr;
    if (!dft::lenOk(len)) return vekStsSizeErr;
    Sizes s;
    if (!sizesOf(len, s)) return vekStsErr;
    auto* base = static_cast<std::uint8_t*>(pSpec);
    auto* cSpec = alignUp(base, 16) + 32;
    auto* rSpec = cSpec + s.c.spec;
    Vek8u* ibuf = alignUp(pBuffer, 16);
    VekStatus st = dft::init<float, dft::kC>(len, vekFftScaleInv, hint, cSpec, ibuf);
    if (st == vekStsNoErr) st = dft::init<float, dft::kR>(len, vekFftScaleInv, hint, rSpec, ibuf);
    if (st != vekStsNoErr) return st;
    // The identifier goes in last: a spec whose build failed is never accepted.
    Header h{0, len, int(bufferBytes(s) - 16), int(hint), std::uint64_t(cSpec - base),
             std::uint64_t(rSpec - base)};
    std::memcpy(base, &h, sizeof h);
    const std::uint32_t id = kIdHilbert;
    std::memcpy(base, &id, sizeof id);
    return vekStsNoErr;
}

inline VekStatus run(const Vek32f* pSrc, Vek32fc* pDst, const void* pSpec, Vek8u* pBuffer) noexcept {
    if (anyNull(pSrc, pDst, pSpec, pBuffer)) return vekStsNullPtrErr;
    if (!hasId(pSpec, kIdHilbert)) return vekStsContextMatchErr;
    Header h;
    std::memcpy(&h, pSpec, sizeof h);
    const int n = h.n;
    if (n <= 2) {
        for (int i = n - 1; i >= 0; --i) pDst[i] = Vek32fc{pSrc[i], 0.0f};
        return vekStsNoErr;
    }
    const auto* base = static_cast<const std::uint8_t*>(pSpec);
    Vek8u* work = alignUp(pBuffer, 16);
    float* d = reinterpret_cast<float*>(pDst);
    VekStatus st = dft::rFwd<float, dft::kCCS>(pSrc, d, base + h.rOff, work);
    if (st != vekStsNoErr) return st;
    const int half = n / 2, pos = (n + 1) / 2;   // bins 1..pos-1 are doubled
    for (int k = 1; k < pos; ++k) {
        pDst[k].re *= 2.0f;
        pDst[k].im *= 2.0f;
    }
    std::memset(static_cast<void*>(pDst + half + 1), 0, sizeof(Vek32fc) * std::size_t(n - half - 1));
    return dft::cToC<float, true, Vek32fc>(pDst, pDst, base + h.cOff, work);
}

}  // namespace vek::hil
