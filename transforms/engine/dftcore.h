// dftcore.h - the DFT core: complex interleaved, complex split and real transforms of
// any length on top of the complex plans of cplan.h, with the packed real layouts.
//
// Real transforms of even N run the complex plan of N/2 points on the input read as
// N/2 complex values z[n] = x[2n] + i x[2n+1], then recombine:
//   X[k] = (Z[k] + conj Z[h-k]) / 2 - i w^k (Z[k] - conj Z[h-k]) / 2,  w = exp(-2 pi i/N)
// which produces the Perm layout in place; CCS and Pack are formed from it by moving
// R_(N/2). The inverse undoes the steps in reverse order (no factor 1/2, so the
// unnormalised round trip gives N times the input, as for the complex transform).
// Odd N runs the complex plan of N points on the input widened to complex in the work
// buffer. Split complex data is interleaved into the work buffer, transformed in place
// and split again.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cplan.h"
#include "pow2.h"

namespace vek::dft {

enum Kind : int { kC = 0, kCs = 1, kR = 2 };
enum Format : int { kCCS = 54, kPack = 55, kPerm = 56 };

// Header at the start of the aligned spec block: identifier, then the address of the
// plan record that follows it.
struct SpecHeader {
    std::uint32_t id;
    std::uint32_t reserved;
    void* plan;
};

// The plan record: what the transform was configured with and what its single
// backend built. Codes: committed 30, precision 35/36, domain 32 complex / 33 real,
// storage 39 interleaved / 42 split, placement 43.
struct PlanRecord {
    int committed, rank, len, precision, domain, storage, placement, hint, coreFlag;
    double fwdScale, bwdScale;
    void* core;
};

template <class T>
struct Core {
    std::uint32_t id;
    int len, kind, flag, hint;
    int fwdScaled, invScaled;
    T fwdScale, invScale;
    std::uint64_t workBytes;   // 0: the transforms need no work buffer
    std::uint64_t recOff;      // real, even N: exp(-2 pi i k / N), k = 0..N/4
    std::uint64_t recSplitOff; // real, N/2 a split-part length: the same in split blocks, or 0
    std::uint64_t planOff;     // complex plan of N (or N/2 for real, even N)
};

template <class T>
constexpr std::uint32_t specId(Kind k) noexcept {
    if constexpr (sizeof(T) == 4) return k == kC ? kIdDFT_C_32fc : k == kCs ? kIdDFT_C_32f : kIdDFT_R_32f;
    else return k == kC ? kIdDFT_C_64fc : k == kCs ? kIdDFT_C_64f : kIdDFT_R_64f;
}

struct Sizes {
    std::size_t spec, init, work;   // bytes; init and work without alignment slack
    bool ok;
};

inline int complexLen(Kind k, int len) noexcept { return (k == kR && len % 2 == 0) ? len / 2 : len; }

// The one layout of a DFT spec, for the size query (base null) and Init alike.
template <class T>
Sizes layoutDft(Builder& b, Kind kind, int len, Core<T>** coreOut, PlanRecord** recOut,
                std::uint64_t* recTabOff) noexcept {
    std::uint64_t off;
    b.take<SpecHeader>(1, &off);
    PlanRecord* rec = b.take<PlanRecord>(1, &off);
    Core<T>* core = b.take<Core<T>>(1, &off);
    std::uint64_t rt = 0;
    const bool realEven = kind == kR && len % 2 == 0;
    if (realEven) b.take<T>(2 * (std::size_t(len / 4) + 1), &rt);
    std::uint64_t rs = 0;
    if (realEven && pow2Eligible<T>(len / 2)) b.take<T>(p2::recSplitElems<T>(len / 2), &rs);
    const int cn = complexLen(kind, len);
    // Tables of the recombination are filled by the caller after the layout is known;
    // the complex plan fills its own.
    Built cp = buildPlan<T>(b, cn);
    std::uint64_t workElems = cp.workElems;
    if (kind == kCs || (kind == kR && !realEven)) workElems += std::uint64_t(len);
    if (coreOut) *coreOut = core;
    if (recOut) *recOut = rec;
    if (recTabOff) *recTabOff = rt;
    if (core && b.l.ok()) {
        core->planOff = cp.off;
        core->recSplitOff = rs;
    }
    return {b.l.bytes(), std::size_t(cp.initElems) * 2 * sizeof(T),
            std::size_t(workElems) * 2 * sizeof(T), b.l.ok()};
}

// ---- helpers over arrays -------------------------------------------------------------
template <class T>
inline void scaleArray(T* p, std::size_t n, T c) noexcept {
    for (std::size_t i = 0; i < n; ++i) p[i] *= c;
}

// The spec base (aligned header) from which every offset counts.
template <class T>
struct View {
    const std::uint8_t* base;
    const Core<T>* core;
    const CPlan* plan() const noexcept { return reinterpret_cast<const CPlan*>(base + core->planOff); }
    const T* rec() const noexcept { return reinterpret_cast<const T*>(base + core->recOff); }
};

// ---- complex --------------------------------------------------------------------------
// A plan with a straight-line kernel of its whole length is run from here, without
// the method dispatch.
template <class T>
VEK_INLINE void complexRun(const View<T>& v, const T* src, T* dst, T* work, bool inv) noexcept {
    const CPlan* pl = v.plan();
    if (pl->small) {
        const T* tw = smallTw<T>(v.base, pl);
        if (inv) kSmallFns<true, T>[pl->small](src, dst, tw);
        else kSmallFns<false, T>[pl->small](src, dst, tw);
    } else {
        runPlan<T>(v.base, pl, src, dst, work, inv);
    }
    const Core<T>* c = v.core;
    if (inv ? c->invScaled : c->fwdScaled)
        scaleArray(dst, 2 * std::size_t(c->len), inv ? c->invScale : c->fwdScale);
}

template <class T>
void splitRun(const View<T>& v, const T* sr, const T* si, T* dr, T* di, T* work, bool inv) noexcept {
    const std::size_t n = std::size_t(v.core->len);
    T* z = work;
    for (std::size_t k = 0; k < n; ++k) {
        z[2 * k] = sr[k];
        z[2 * k + 1] = si[k];
    }
    runPlan<T>(v.base, v.plan(), z, z, work + 2 * n, inv);
    const Core<T>* c = v.core;
    const T sc = inv ? c->invScale : c->fwdScale;
    if (inv ? c->invScaled : c->fwdScaled) {
        for (std::size_t k = 0; k < n; ++k) {
            dr[k] = z[2 * k] * sc;
            di[k] = z[2 * k + 1] * sc;
        }
    } else {
        for (std::size_t k = 0; k < n; ++k) {
            dr[k] = z[2 * k];
            di[k] = z[2 * k + 1];
        }
    }
}

// ---- real -------------------------------------------------------------------------------
// Length of the packed array of a format.
inline std::size_t packedLen(int fmt, int n) noexcept {
    if (fmt == kCCS) return std::size_t(n) + (n % 2 == 0 ? 2 : 1);
    return std::size_t(n);
}

// One group of the recombination: lanes k.. of the lower half and, reversed, the
// mirrored bins h-k.. of the upper half.
//   forward: E = (Z[k] + conj Z[h-k]) / 2, O = (Z[k] - conj Z[h-k]) / 2,
//            G = -i w^k O, X[k] = E + G, X[h-k] = conj(E - G);
//   inverse: A = X[k] + conj X[h-k], B = X[k] - conj X[h-k], G = i conj(w^k) B,
//            2 Z[k] = A + G, 2 Z[h-k] = conj(A - G).
// Parts: the groups are read one complex value (or pair) at a time (loadParts).
template <bool Inv, bool Parts, class V, class T>
VEK_INLINE void recombineGroup(T* d, const T* w, int k, int h) noexcept {
    constexpr int W = V::W;
    T* lo = d + 2 * std::size_t(k);
    T* hi = d + 2 * std::size_t(h - k - (W - 1));
    V a, b;
    if constexpr (Parts) {
        a = loadParts(lo);
        b = conj(loadPartsRev(hi));
    } else {
        a = V::load(lo);
        b = conj(reverse(V::load(hi)));
    }
    const V tw = V::load(w + 2 * std::size_t(k));
    V x0, x1;
    if constexpr (!Inv) {
        const V e = mulr(a + b, T(0.5)), o = mulr(a - b, T(0.5));
        const V g = mulNI(cmul(o, tw));
        x0 = e + g;
        x1 = e - g;
    } else {
        const V A = a + b, B = a - b;
        const V g = mulI(cmulc(B, tw));
        x0 = A + g;
        x1 = A - g;
    }
    if (W == 1 && k == h - k) {
        x0.store(lo);
        return;
    }
    x0.store(lo);
    reverse(conj(x1)).store(hi);
}

// Bins 1..h/2 with their mirrors, in place; whole vectors while the two groups do not
// overlap, then one bin at a time with the same formulas. Short transforms read their
// input by parts: it was just written by the complex kernel in stores narrower than a
// group, or not aligned with it.
template <bool Inv, class T>
void recombine(T* d, const T* w, int h) noexcept {
    using V = CVec<T>;
    constexpr int W = V::W;
    int k = 1;
    if (h <= 128)
        for (; 2 * k + 2 * W - 2 < h; k += W) recombineGroup<Inv, true, V>(d, w, k, h);
    else
        for (; 2 * k + 2 * W - 2 < h; k += W) recombineGroup<Inv, false, V>(d, w, k, h);
    for (; 2 * k <= h; ++k) recombineGroup<Inv, false, CScal<T>>(d, w, k, h);
}

template <class T>
void realForward(const View<T>& v, const T* src, T* dst, T* work, int fmt) noexcept {
    const Core<T>* c = v.core;
    const int N = c->len;
    if (N % 2 == 0) {
        const int h = N / 2;
        if (c->recSplitOff && v.plan()->method == kPow2) {
            // The last pass leaves split blocks, recombined straight into Perm order.
            p2::run<false, true>(v.base, v.plan(), src, dst, work);
            p2::recombFwd(dst, reinterpret_cast<const T*>(v.base + c->recSplitOff), h);
        } else {
            runPlan<T>(v.base, v.plan(), src, dst, work, false);
            // Z[0] gives R_0 and R_(N/2) in positions 0 and 1 (Perm).
            const T z0r = dst[0], z0i = dst[1];
            dst[0] = z0r + z0i;
            dst[1] = z0r - z0i;
            recombine<false>(dst, v.rec(), h);
        }
        if (fmt == kCCS) {
            dst[N] = dst[1];
            dst[N + 1] = T(0);
            dst[1] = T(0);
        } else if (fmt == kPack) {
            const T rh = dst[1];
            std::memmove(dst + 1, dst + 2, std::size_t(N - 2) * sizeof(T));
            dst[N - 1] = rh;
        }
    } else {
        T* z = work;
        for (int k = 0; k < N; ++k) {
            z[2 * k] = src[k];
            z[2 * k + 1] = T(0);
        }
        runPlan<T>(v.base, v.plan(), z, z, work + 2 * std::size_t(N), false);
        const int sh = fmt == kCCS ? 1 : 0;
        dst[0] = z[0];
        if (sh) dst[1] = T(0);
        std::memcpy(dst + 1 + sh, z + 2, std::size_t(N - 1) * sizeof(T));
    }
    if (c->fwdScaled) scaleArray(dst, packedLen(fmt, N), c->fwdScale);
}

template <class T>
void realInverse(const View<T>& v, const T* src, T* dst, T* work, int fmt) noexcept {
    const Core<T>* c = v.core;
    const int N = c->len;
    if (N % 2 == 0) {
        const int h = N / 2;
        // Bring the input into Perm order in dst.
        if (fmt == kCCS) {
            const T r0 = src[0], rh = src[N];
            std::memmove(dst + 2, src + 2, std::size_t(N - 2) * sizeof(T));
            dst[0] = r0;
            dst[1] = rh;
        } else if (fmt == kPack) {
            const T r0 = src[0], rh = src[N - 1];
            std::memmove(dst + 2, src + 1, std::size_t(N - 2) * sizeof(T));
            dst[0] = r0;
            dst[1] = rh;
        } else if (src != dst) {
            std::memcpy(dst, src, std::size_t(N) * sizeof(T));
        }
        const T r0 = dst[0], rh = dst[1];
        dst[0] = r0 + rh;
        dst[1] = r0 - rh;
        recombine<true>(dst, v.rec(), h);
        runPlan<T>(v.base, v.plan(), dst, dst, work, true);
    } else {
        T* z = work;
        const int sh = fmt == kCCS ? 1 : 0;
        z[0] = src[0];
        z[1] = T(0);
        for (int k = 1; 2 * k <= N; ++k) {
            const T re = src[2 * k - 1 + sh], im = src[2 * k + sh];
            z[2 * k] = re;
            z[2 * k + 1] = im;
            z[2 * (N - k)] = re;
            z[2 * (N - k) + 1] = -im;
        }
        runPlan<T>(v.base, v.plan(), z, z, work + 2 * std::size_t(N), true);
        for (int k = 0; k < N; ++k) dst[k] = z[2 * k];
    }
    if (c->invScaled) scaleArray(dst, std::size_t(N), c->invScale);
}

}  // namespace vek::dft
