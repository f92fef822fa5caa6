// arith.h - the kernels of the arithmetic family.
//
// Every export is one generic driver (binary, with constant, unary, accumulate, with a
// rounding mode; out of place or in place) instantiated with an element operation and
// a mode:
//  - IntW<W>: integer results formed exactly in the intermediate W, then scaled by
//    2^-scaleFactor with ties to even and saturated to the destination type. The scale
//    factor is classified once per call (0, right shift, left shift, beyond the
//    intermediate) so the inner loop has no branches on it.
//  - Flt: floating-point results in the caller's rounding mode; exceptions are masked
//    for the call and the caller's MXCSR (sticky flags included) is restored.
//  - Exact: results whose value is defined independently of the caller's environment
//    (integer quotients formed in double precision, integer-to-float products): the
//    kernel runs in round-to-nearest with FTZ/DAZ off and restores MXCSR afterwards.
//
// The drivers process blocks of 128 bytes of the widest operand with one fixed-trip
// loop the compiler vectorises; the remainder is padded into a local block and runs
// through the same loop, so body and tail share one code path. In-place calls pass the
// destination as a source; each block reads an element before it writes it, so exact
// aliasing is safe.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "common.h"

namespace vek::ar {

using i128 = __int128;
using u128 = unsigned __int128;

template <class T>
using Part = std::conditional_t<isComplex<T>, typename Cplx<T>::part, T>;

template <class T> VEK_INLINE auto re(const T& x) noexcept { if constexpr (isComplex<T>) return x.re; else return x; }
template <class T> VEK_INLINE auto im(const T& x) noexcept { if constexpr (isComplex<T>) return x.im; else return x; }

template <class T> struct Lim { static constexpr T lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max(); };

// Clamp an exact intermediate (which may be __int128) to the range of TD.
template <class TD, class W>
VEK_INLINE TD clampTo(W r) noexcept {
    if (r < W(Lim<TD>::lo)) return Lim<TD>::lo;
    if (r > W(Lim<TD>::hi)) return Lim<TD>::hi;
    return TD(r);
}

template <class W> constexpr int kBits = int(8 * sizeof(W));

// ---- block driver -----------------------------------------------------------------
constexpr std::size_t kBlockBytes = 128;

template <std::size_t W, class TD, class F, class... TS>
VEK_INLINE unsigned block(TD* d, const F& f, const TS*... s) noexcept {
    unsigned fl = 0;
    for (std::size_t k = 0; k < W; ++k) d[k] = f(fl, s[k]...);
    return fl;
}

// A partial block: the valid elements, the rest filled with copies of the first so
// padding lanes compute the same as a real one (and raise no extra warning).
template <class T, std::size_t W>
struct Pad {
    T v[W];
    VEK_INLINE Pad(const T* p, std::size_t rem) noexcept {
        for (std::size_t k = 0; k < W; ++k) v[k] = p[0];
        std::memcpy(static_cast<void*>(v), p, rem * sizeof(T));
    }
};

// f(flags, s[i]...) -> d[i] for i < len; returns the OR of the flags f raised.
template <class TD, class F, class... TS>
VEK_INLINE unsigned run(TD* d, int len, const F& f, const TS*... s) noexcept {
    constexpr std::size_t W = kBlockBytes / std::max({sizeof(TD), sizeof(TS)...});
    const std::size_t n = std::size_t(len);
    std::size_t i = 0;
    unsigned fl = 0;
    for (; i + W <= n; i += W) fl |= block<W>(d + i, f, (s + i)...);
    if (i < n) {
        const std::size_t rem = n - i;
        TD t[W];
        fl |= block<W>(t, f, Pad<TS, W>(s + i, rem).v...);
        std::memcpy(static_cast<void*>(d + i), t, rem * sizeof(TD));
    }
    return fl;
}

VEK_INLINE VekStatus warn(unsigned fl) noexcept { return fl ? vekStsDivByZero : vekStsNoErr; }

// ---- AVX2 bodies -----------------------------------------------------------------------
// An element operation may also provide a vector form for some element types:
//   Op::vecOk<TD, C, TS...>            true where the vector form applies,
//   Op::vec<TD>(c, fl, x...) -> __m256i one 32-byte vector of results from 32-byte
//                                      vectors of the sources (all elements one size),
// bit-identical to the element form f. The driver runs whole vectors through it and the
// remainder through the element form, so the tail is the scalar rule itself.
template <class Op, class TD, class C, class... TS>
constexpr bool hasVec = [] {
    if constexpr (requires { Op::template vecOk<TD, C, TS...>; })
        return bool(Op::template vecOk<TD, C, TS...>) && ((sizeof(TS) == sizeof(TD)) && ...);
    else
        return false;
}();

template <class> using AsVec = __m256i;

VEK_INLINE __m256i vload(const void* p) noexcept { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
VEK_INLINE void vstore(void* p, __m256i v) noexcept { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }

// A constant repeated across a vector (a complex constant as its (re, im) pair).
template <class V>
VEK_INLINE __m256i splat(V v) noexcept {
    if constexpr (sizeof(V) == 2) return _mm256_set1_epi16(bitCast<short>(v));
    else if constexpr (sizeof(V) == 4) return _mm256_set1_epi32(bitCast<int>(v));
    else if constexpr (sizeof(V) == 8) return _mm256_set1_epi64x(bitCast<long long>(v));
    else return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&v)));
}

// vf(fl, vectors...) over whole vectors (two a step), f(fl, elements...) over the rest.
template <class TD, class VF, class F, class... TS>
VEK_INLINE unsigned runVec(TD* d, int len, const VF& vf, const F& f, const TS*... s) noexcept {
    constexpr std::size_t L = 32 / sizeof(TD);
    const std::size_t n = std::size_t(len);
    std::size_t i = 0;
    unsigned fl = 0;
    for (; i + 2 * L <= n; i += 2 * L) {
        const __m256i r0 = vf(fl, vload(s + i)...);
        const __m256i r1 = vf(fl, vload(s + i + L)...);
        vstore(d + i, r0);
        vstore(d + i + L, r1);
    }
    if (i + L <= n) {
        vstore(d + i, vf(fl, vload(s + i)...));
        i += L;
    }
    if (i < n) fl |= run(d + i, int(n - i), f, (s + i)...);
    return fl;
}

// ---- scale-factor policies of the integer mode ---------------------------------------
// The vector forms (W = int32 only) take eight exact results and return values the
// saturating pack to 16 bits turns into the same results as put.
template <class Wt> struct Sc0 {          // s == 0: saturate only
    using W = Wt;
    template <class TD> VEK_INLINE TD put(W r) const noexcept { return clampTo<TD>(r); }
    template <class TD> VEK_INLINE __m256i vput(__m256i r) const noexcept { return r; }
};
template <class Wt> struct ScDown {       // 0 < s < bits(W): r / 2^s, ties to even
    using W = Wt;
    int s; W mask, half;
    explicit ScDown(int sh) : s(sh), mask(W(~(W(-1) << sh))), half(W(W(1) << (sh - 1))) {}
    template <class TD> VEK_INLINE TD put(W r) const noexcept {
        W q = r >> s;
        W rem = r & mask;
        q += W(rem > half - (q & 1));   // rem + lowbit > half, without overflow at s = bits-1
        return clampTo<TD>(q);
    }
    template <class TD> VEK_INLINE __m256i vput(__m256i r) const noexcept {
        const __m256i q = _mm256_sra_epi32(r, _mm_cvtsi32_si128(s));
        const __m256i rem = _mm256_and_si256(r, _mm256_set1_epi32(std::int32_t(mask)));
        const __m256i lim = _mm256_sub_epi32(_mm256_set1_epi32(std::int32_t(half)),
                                             _mm256_and_si256(q, _mm256_set1_epi32(1)));
        return _mm256_sub_epi32(q, _mm256_cmpgt_epi32(rem, lim));   // a true compare is -1
    }
};
template <class Wt> struct ScUp {         // s < 0: r * 2^-s, saturated
    using W = Wt;
    int s;
    template <class TD> VEK_INLINE TD put(W r) const noexcept {
        const W hiT = W(Lim<TD>::hi) >> s;
        const W loT = (W(Lim<TD>::lo) + (W(1) << s) - 1) >> s;   // ceil(lo / 2^s)
        if (r > hiT) return Lim<TD>::hi;
        if (r < loT) return Lim<TD>::lo;
        return TD(r << s);
    }
    // Clamped one step beyond the thresholds, so the shifted value still saturates (it
    // stays within 32 bits for s <= 30 and 16-bit destinations).
    template <class TD> VEK_INLINE __m256i vput(__m256i r) const noexcept {
        const W hiT = W(Lim<TD>::hi) >> s;
        const W loT = (W(Lim<TD>::lo) + (W(1) << s) - 1) >> s;
        r = _mm256_min_epi32(r, _mm256_set1_epi32(std::int32_t(hiT + 1)));
        r = _mm256_max_epi32(r, _mm256_set1_epi32(std::int32_t(loT - 1)));
        return _mm256_sll_epi32(r, _mm_cvtsi32_si128(s));
    }
};
template <class Wt> struct ScZero {       // s >= bits(W): every exact result rounds to 0
    using W = Wt;
    template <class TD> VEK_INLINE TD put(W) const noexcept { return TD(0); }
    template <class TD> VEK_INLINE __m256i vput(__m256i) const noexcept { return _mm256_setzero_si256(); }
};

// Integer mode. W is strictly wider than every destination it serves and holds every
// exact result of its operations, so the classification below is exact: a shift of
// bits(W) or more leaves |r| < 2^(s-1), and a left shift of bits(W)-2 saturates every
// non-zero result.
template <class Wt>
struct IntW {
    template <class F>
    static VEK_INLINE unsigned dispatch(int sf, F&& f) noexcept {
        constexpr int B = kBits<Wt>;
        if (sf == 0) return f(Sc0<Wt>{});
        if (sf > 0) {
            if (sf >= B) return f(ScZero<Wt>{});
            return f(ScDown<Wt>(sf));
        }
        return f(ScUp<Wt>{sf < -(B - 2) ? B - 2 : -sf});
    }
};

// Floating mode: the caller's rounding and FTZ/DAZ, exceptions masked, MXCSR restored.
struct FltCtx {};
struct Flt {
    template <class F>
    static VEK_INLINE unsigned dispatch(int, F&& f) noexcept {
        MxcsrGuard g(MxcsrGuard::kAllMasks, MxcsrGuard::kAllMasks);
        return f(FltCtx{});
    }
};

// Exact mode: IEEE round-to-nearest, no FTZ/DAZ, MXCSR restored. p2 = 2^-s with s
// clamped to [-64, 64], which changes no result of the 8- and 16-bit quotients (beyond
// that range every quotient is 0 or saturated); p2full is 2^-s unclamped.
struct ExactCtx { double p2; double p2full; };
struct Exact {
    template <class F>
    static VEK_INLINE unsigned dispatch(int sf, F&& f) noexcept {
        IeeeEnv g;
        const int s = sf > 64 ? 64 : sf < -64 ? -64 : sf;
        return f(ExactCtx{__builtin_ldexp(1.0, -s), pow2neg(sf)});
    }
};

// ---- generic application -----------------------------------------------------------
template <class Op, class Mode, class TD, class... TS>
VEK_INLINE VekStatus applyV(int sf, TD* d, int len, const TS*... s) noexcept {
    return warn(Mode::dispatch(sf, [&](const auto& c) noexcept {
        const auto cc = c;
        const auto f = [cc](unsigned& fl, TS... x) noexcept { return Op::template f<TD>(cc, fl, x...); };
        using C = std::remove_cvref_t<decltype(cc)>;
        if constexpr (hasVec<Op, TD, C, TS...>) {
            const auto vf = [cc](unsigned& fl, AsVec<TS>... x) noexcept {
                return Op::template vec<TD>(cc, fl, x...);
            };
            return runVec(d, len, vf, f, s...);
        } else {
            return run(d, len, f, s...);
        }
    }));
}
template <class Op, class Mode, class TD, class V, class... TS>
VEK_INLINE VekStatus applyC(int sf, TD* d, int len, V v, const TS*... s) noexcept {
    return warn(Mode::dispatch(sf, [&](const auto& c) noexcept {
        const auto cc = c;
        const V vv = v;
        const auto f = [cc, vv](unsigned& fl, TS... x) noexcept { return Op::template f<TD>(cc, fl, x..., vv); };
        using C = std::remove_cvref_t<decltype(cc)>;
        if constexpr (hasVec<Op, TD, C, TS..., V>) {
            const __m256i kv = splat(vv);
            const auto vf = [cc, kv](unsigned& fl, AsVec<TS>... x) noexcept {
                return Op::template vec<TD>(cc, fl, x..., kv);
            };
            return runVec(d, len, vf, f, s...);
        } else {
            return run(d, len, f, s...);
        }
    }));
}

// ---- the exported forms -------------------------------------------------------------
// binary (pSrc1, pSrc2, pDst, len[, sf]); in place (pSrc, pSrcDst, len[, sf])
template <class Op, class M, class A, class B, class D>
VekStatus binS(const A* a, const B* b, D* d, int len, int sf) noexcept {
    VEK_CHECK_PTRS(a, b, d);
    VEK_CHECK_LEN(len);
    return applyV<Op, M>(sf, d, len, a, b);
}
template <class Op, class M, class A, class B, class D>
VekStatus bin(const A* a, const B* b, D* d, int len) noexcept { return binS<Op, M>(a, b, d, len, 0); }
template <class Op, class M, class A, class D>
VekStatus binIS(const A* a, D* sd, int len, int sf) noexcept {
    VEK_CHECK_PTRS(a, sd);
    VEK_CHECK_LEN(len);
    return applyV<Op, M>(sf, sd, len, a, static_cast<const D*>(sd));
}
template <class Op, class M, class A, class D>
VekStatus binI(const A* a, D* sd, int len) noexcept { return binIS<Op, M>(a, sd, len, 0); }

// with constant (pSrc, val, pDst, len[, sf]); in place (val, pSrcDst, len[, sf])
template <class Op, class M, class A, class V, class D>
VekStatus conS(const A* a, V v, D* d, int len, int sf) noexcept {
    VEK_CHECK_PTRS(a, d);
    VEK_CHECK_LEN(len);
    return applyC<Op, M>(sf, d, len, v, a);
}
template <class Op, class M, class A, class V, class D>
VekStatus con(const A* a, V v, D* d, int len) noexcept { return conS<Op, M>(a, v, d, len, 0); }
template <class Op, class M, class V, class D>
VekStatus conIS(V v, D* sd, int len, int sf) noexcept { return conS<Op, M>(static_cast<const D*>(sd), v, sd, len, sf); }
template <class Op, class M, class V, class D>
VekStatus conI(V v, D* sd, int len) noexcept { return conS<Op, M>(static_cast<const D*>(sd), v, sd, len, 0); }

// unary (pSrc, pDst, len[, sf]); in place (pSrcDst, len[, sf])
template <class Op, class M, class A, class D>
VekStatus unS(const A* a, D* d, int len, int sf) noexcept {
    VEK_CHECK_PTRS(a, d);
    VEK_CHECK_LEN(len);
    return applyV<Op, M>(sf, d, len, a);
}
template <class Op, class M, class A, class D>
VekStatus un(const A* a, D* d, int len) noexcept { return unS<Op, M>(a, d, len, 0); }
template <class Op, class M, class D>
VekStatus unIS(D* sd, int len, int sf) noexcept { return unS<Op, M>(static_cast<const D*>(sd), sd, len, sf); }
template <class Op, class M, class D>
VekStatus unI(D* sd, int len) noexcept { return unS<Op, M>(static_cast<const D*>(sd), sd, len, 0); }

// accumulate (pSrc1, pSrc2, pSrcDst, len[, sf]) and (pSrc, val, pSrcDst, len)
template <class Op, class M, class A, class B, class D>
VekStatus accS(const A* a, const B* b, D* sd, int len, int sf) noexcept {
    VEK_CHECK_PTRS(a, b, sd);
    VEK_CHECK_LEN(len);
    return applyV<Op, M>(sf, sd, len, a, b, static_cast<const D*>(sd));
}
template <class Op, class M, class A, class B, class D>
VekStatus acc(const A* a, const B* b, D* sd, int len) noexcept { return accS<Op, M>(a, b, sd, len, 0); }
template <class Op, class M, class A, class V, class D>
VekStatus accC(const A* a, V v, D* sd, int len) noexcept {
    VEK_CHECK_PTRS(a, sd);
    VEK_CHECK_LEN(len);
    return applyC<Op, M>(0, sd, len, v, a, static_cast<const D*>(sd));
}

// ---- integer element operations ------------------------------------------------------
// E::g<W>(parts...) is the exact result in W; Int<E> scales and saturates it, part by
// part for complex elements. Non-commutative operations take the right operand first.
// vg is the same operation on eight 32-bit lanes (for W = int32); partwise operations
// also apply to the parts of complex elements.
// Signed 16-bit x, y to the 32-bit a x + b y in the widened element order (see widenLo):
// one multiply-add of the interleaved pairs per half.
VEK_INLINE void lin16(__m256i x, __m256i y, short a, short b, __m256i& lo, __m256i& hi) noexcept {
    const __m256i k = _mm256_set1_epi32(int((std::uint32_t(std::uint16_t(b)) << 16) | std::uint16_t(a)));
    lo = _mm256_madd_epi16(_mm256_unpacklo_epi16(x, y), k);
    hi = _mm256_madd_epi16(_mm256_unpackhi_epi16(x, y), k);
}

struct Add {
    template <class W, class X, class Y> static VEK_INLINE W g(X x, Y y) noexcept { return W(x) + W(y); }
    static VEK_INLINE __m256i vg(__m256i x, __m256i y) noexcept { return _mm256_add_epi32(x, y); }
    static VEK_INLINE void pair16(__m256i x, __m256i y, __m256i& lo, __m256i& hi) noexcept { lin16(x, y, 1, 1, lo, hi); }
    static constexpr bool partwise = true;
};
struct Sub {
    template <class W, class X, class Y> static VEK_INLINE W g(X x, Y y) noexcept { return W(y) - W(x); }
    static VEK_INLINE __m256i vg(__m256i x, __m256i y) noexcept { return _mm256_sub_epi32(y, x); }
    static VEK_INLINE void pair16(__m256i x, __m256i y, __m256i& lo, __m256i& hi) noexcept { lin16(x, y, -1, 1, lo, hi); }
    static constexpr bool partwise = true;
};
struct SubR {
    template <class W, class X, class Y> static VEK_INLINE W g(X x, Y y) noexcept { return W(x) - W(y); }
    static VEK_INLINE __m256i vg(__m256i x, __m256i y) noexcept { return _mm256_sub_epi32(x, y); }
    static VEK_INLINE void pair16(__m256i x, __m256i y, __m256i& lo, __m256i& hi) noexcept { lin16(x, y, 1, -1, lo, hi); }
    static constexpr bool partwise = true;
};
struct Mul {
    template <class W, class X, class Y> static VEK_INLINE W g(X x, Y y) noexcept { return W(x) * W(y); }
    static VEK_INLINE __m256i vg(__m256i x, __m256i y) noexcept { return _mm256_mullo_epi32(x, y); }
    // The low and high words of the 16-bit products, interleaved into 32-bit products.
    static VEK_INLINE void pair16(__m256i x, __m256i y, __m256i& lo, __m256i& hi) noexcept {
        const __m256i pl = _mm256_mullo_epi16(x, y), ph = _mm256_mulhi_epi16(x, y);
        lo = _mm256_unpacklo_epi16(pl, ph);
        hi = _mm256_unpackhi_epi16(pl, ph);
    }
    static constexpr bool partwise = false;
};
struct Sqr {
    template <class W, class X> static VEK_INLINE W g(X x) noexcept { return W(x) * W(x); }
    static VEK_INLINE __m256i vg(__m256i x) noexcept { return _mm256_mullo_epi32(x, x); }
    static constexpr bool partwise = false;
};
struct Abs {
    template <class W, class X> static VEK_INLINE W g(X x) noexcept { return x < 0 ? -W(x) : W(x); }
    static VEK_INLINE __m256i vg(__m256i x) noexcept { return _mm256_abs_epi32(x); }
    static constexpr bool partwise = false;
};
struct MulAdd {
    template <class W, class X, class Y, class Z> static VEK_INLINE W g(X x, Y y, Z acc) noexcept { return W(acc) + W(x) * W(y); }
    static VEK_INLINE __m256i vg(__m256i x, __m256i y, __m256i acc) noexcept {
        return _mm256_add_epi32(acc, _mm256_mullo_epi32(x, y));
    }
    static constexpr bool partwise = false;
};

// 16-bit lanes widened to 32 bits: lo holds elements 0-3 and 8-11, hi 4-7 and 12-15, the
// order the in-lane saturating pack restores.
template <class T>
VEK_INLINE __m256i widenLo(__m256i v) noexcept {
    const __m256i t = _mm256_unpacklo_epi16(v, v);
    return std::is_signed_v<T> ? _mm256_srai_epi32(t, 16) : _mm256_srli_epi32(t, 16);
}
template <class T>
VEK_INLINE __m256i widenHi(__m256i v) noexcept {
    const __m256i t = _mm256_unpackhi_epi16(v, v);
    return std::is_signed_v<T> ? _mm256_srai_epi32(t, 16) : _mm256_srli_epi32(t, 16);
}
template <class T>
VEK_INLINE __m256i pack16(__m256i lo, __m256i hi) noexcept {
    if constexpr (std::is_signed_v<T>) return _mm256_packs_epi32(lo, hi);
    else return _mm256_packus_epi32(lo, hi);
}

template <class E>
struct Int {
    // 16-bit elements (and the parts of 16sc for partwise operations) with exact
    // results in 32 bits.
    template <class TD, class C, class... X>
    static constexpr bool vecOk = [] {
        using P = Part<TD>;
        if constexpr (!requires { E::partwise; }) return false;
        else if constexpr (!std::is_same_v<typename C::W, std::int32_t>) return false;
        else if constexpr (isComplex<TD> && !E::partwise) return false;
        else return (std::is_same_v<P, std::int16_t> || std::is_same_v<P, std::uint16_t>) &&
                    (std::is_same_v<X, TD> && ...);
    }();
    template <class TD, class C, class... V>
    static VEK_INLINE __m256i vec(const C& c, unsigned&, V... x) noexcept {
        using P = Part<TD>;
        if constexpr (std::is_signed_v<P> && sizeof...(V) == 2 && requires(__m256i v) { E::pair16(x..., v, v); }) {
            __m256i lo, hi;
            E::pair16(x..., lo, hi);
            return pack16<P>(c.template vput<P>(lo), c.template vput<P>(hi));
        } else {
            const __m256i lo = c.template vput<P>(E::vg(widenLo<P>(x)...));
            const __m256i hi = c.template vput<P>(E::vg(widenHi<P>(x)...));
            return pack16<P>(lo, hi);
        }
    }

    template <class TD, class C, class... X>
    static VEK_INLINE TD f(const C& c, unsigned&, X... x) noexcept {
        using W = typename C::W;
        if constexpr (isComplex<TD>) {
            using P = Part<TD>;
            return TD{c.template put<P>(E::template g<W>(re(x)...)), c.template put<P>(E::template g<W>(im(x)...))};
        } else {
            return c.template put<TD>(E::template g<W>(x...));
        }
    }
};

// Complex integer product x * y, both parts exact in W.
struct CMulI {
    template <class TD, class C, class X, class Y>
    static VEK_INLINE TD f(const C& c, unsigned&, X x, Y y) noexcept {
        using W = typename C::W;
        using P = Part<TD>;
        const W r = W(x.re) * W(y.re) - W(x.im) * W(y.im);
        const W i = W(x.re) * W(y.im) + W(x.im) * W(y.re);
        return TD{c.template put<P>(r), c.template put<P>(i)};
    }
};
struct CSqrI {
    template <class TD, class C, class X>
    static VEK_INLINE TD f(const C& c, unsigned& fl, X x) noexcept { return CMulI::f<TD>(c, fl, x, x); }
};

// ---- floating element operations -----------------------------------------------------
// vg is the same operation on a vector of the part type (__m256 or __m256d).
struct FAdd {
    template <class X, class Y> static VEK_INLINE auto g(X x, Y y) noexcept { return x + y; }
    static VEK_INLINE __m256 vg(__m256 x, __m256 y) noexcept { return _mm256_add_ps(x, y); }
    static VEK_INLINE __m256d vg(__m256d x, __m256d y) noexcept { return _mm256_add_pd(x, y); }
};
struct FSub {
    template <class X, class Y> static VEK_INLINE auto g(X x, Y y) noexcept { return y - x; }
    static VEK_INLINE __m256 vg(__m256 x, __m256 y) noexcept { return _mm256_sub_ps(y, x); }
    static VEK_INLINE __m256d vg(__m256d x, __m256d y) noexcept { return _mm256_sub_pd(y, x); }
};
struct FSubR {
    template <class X, class Y> static VEK_INLINE auto g(X x, Y y) noexcept { return x - y; }
    static VEK_INLINE __m256 vg(__m256 x, __m256 y) noexcept { return _mm256_sub_ps(x, y); }
    static VEK_INLINE __m256d vg(__m256d x, __m256d y) noexcept { return _mm256_sub_pd(x, y); }
};
struct FMul {
    template <class X, class Y> static VEK_INLINE auto g(X x, Y y) noexcept { return x * y; }
    static VEK_INLINE __m256 vg(__m256 x, __m256 y) noexcept { return _mm256_mul_ps(x, y); }
    static VEK_INLINE __m256d vg(__m256d x, __m256d y) noexcept { return _mm256_mul_pd(x, y); }
};
struct FSqr {
    template <class X> static VEK_INLINE auto g(X x) noexcept { return x * x; }
    static VEK_INLINE __m256 vg(__m256 x) noexcept { return _mm256_mul_ps(x, x); }
    static VEK_INLINE __m256d vg(__m256d x) noexcept { return _mm256_mul_pd(x, x); }
};
struct FAbs {   // clears the sign bit: -0.0 gives +0.0, a NaN keeps its payload
    template <class X> static VEK_INLINE X g(X x) noexcept {
        if constexpr (sizeof(X) == 4) return __builtin_fabsf(x); else return __builtin_fabs(x);
    }
    static VEK_INLINE __m256 vg(__m256 x) noexcept {
        return _mm256_and_ps(x, _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff)));
    }
    static VEK_INLINE __m256d vg(__m256d x) noexcept {
        return _mm256_and_pd(x, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffffll)));
    }
};
// x * (1 / v): the reciprocal is rounded once in the element precision and hoisted.
struct FMulRecip { template <class X> static VEK_INLINE X g(X x, X v) noexcept { return x * (X(1) / v); } };

template <class P> VEK_INLINE P fmaP(P a, P b, P c) noexcept {
    if constexpr (sizeof(P) == 4) return __builtin_fmaf(a, b, c);
    else return __builtin_fma(a, b, c);
}
struct FMulAdd {
    template <class X> static VEK_INLINE X g(X x, X y, X acc) noexcept { return fmaP(x, y, acc); }
    static VEK_INLINE __m256 vg(__m256 x, __m256 y, __m256 acc) noexcept { return _mm256_fmadd_ps(x, y, acc); }
    static VEK_INLINE __m256d vg(__m256d x, __m256d y, __m256d acc) noexcept { return _mm256_fmadd_pd(x, y, acc); }
};
struct FMulAddC {
    template <class X> static VEK_INLINE X g(X x, X acc, X v) noexcept { return fmaP(x, v, acc); }
    static VEK_INLINE __m256 vg(__m256 x, __m256 acc, __m256 v) noexcept { return _mm256_fmadd_ps(x, v, acc); }
    static VEK_INLINE __m256d vg(__m256d x, __m256d acc, __m256d v) noexcept { return _mm256_fmadd_pd(x, v, acc); }
};

// The float or double vector of a part type.
template <class P> struct FVec;
template <> struct FVec<float> {
    using V = __m256;
    static VEK_INLINE V in(__m256i v) noexcept { return _mm256_castsi256_ps(v); }
    static VEK_INLINE __m256i out(V v) noexcept { return _mm256_castps_si256(v); }
};
template <> struct FVec<double> {
    using V = __m256d;
    static VEK_INLINE V in(__m256i v) noexcept { return _mm256_castsi256_pd(v); }
    static VEK_INLINE __m256i out(V v) noexcept { return _mm256_castpd_si256(v); }
};

// Part by part on complex elements.
template <class E>
struct Fp {
    template <class TD, class C, class... X>
    static constexpr bool vecOk = [] {
        using P = Part<TD>;
        if constexpr (!std::is_floating_point_v<P>) return false;
        else return requires(typename FVec<P>::V v) { E::vg(((void)sizeof(X), v)...); } && (std::is_same_v<X, TD> && ...);
    }();
    template <class TD, class C, class... V>
    static VEK_INLINE __m256i vec(const C&, unsigned&, V... x) noexcept {
        using F = FVec<Part<TD>>;
        return F::out(E::vg(F::in(x)...));
    }

    template <class TD, class C, class... X>
    static VEK_INLINE TD f(const C&, unsigned&, X... x) noexcept {
        if constexpr (isComplex<TD>) return TD{E::g(re(x)...), E::g(im(x)...)};
        else return E::g(x...);
    }
};


// Complex product x * y: re = fma(y.re, x.re, -(y.im x.im)), im = fma(y.re, x.im, y.im x.re).
template <class T>
VEK_INLINE T cmulF(T x, T y) noexcept {
    return T{fmaP(y.re, x.re, -(y.im * x.im)), fmaP(y.re, x.im, y.im * x.re)};
}
// The same fused operations on a vector of complex elements (4 x 32fc or 2 x 64fc):
// with y's real parts duplicated (yr) and imaginary parts duplicated (yi),
// fmaddsub(yr, x, yi * swap(x)) gives re = fma(yr, xr, -(yi xi)) and
// im = fma(yr, xi, yi xr) bit for bit.
VEK_INLINE __m256 cmulV(__m256 x, __m256 y) noexcept {
    const __m256 t = _mm256_mul_ps(_mm256_movehdup_ps(y), _mm256_permute_ps(x, 0xB1));
    return _mm256_fmaddsub_ps(_mm256_moveldup_ps(y), x, t);
}
VEK_INLINE __m256d cmulV(__m256d x, __m256d y) noexcept {
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(y, 0xF), _mm256_permute_pd(x, 0x5));
    return _mm256_fmaddsub_pd(_mm256_movedup_pd(y), x, t);
}
VEK_INLINE __m256 vaddF(__m256 a, __m256 b) noexcept { return _mm256_add_ps(a, b); }
VEK_INLINE __m256d vaddF(__m256d a, __m256d b) noexcept { return _mm256_add_pd(a, b); }

// Vector forms of the complex float operations, for complex float elements only.
struct CFVec {
    template <class TD, class C, class... X>
    static constexpr bool vecOk = isComplex<TD> && std::is_floating_point_v<Part<TD>> && (std::is_same_v<X, TD> && ...);
};
struct CMulF : CFVec {
    template <class TD, class C, class X, class Y>
    static VEK_INLINE TD f(const C&, unsigned&, X x, Y y) noexcept { return cmulF(x, y); }
    template <class TD, class C>
    static VEK_INLINE __m256i vec(const C&, unsigned&, __m256i x, __m256i y) noexcept {
        using F = FVec<Part<TD>>;
        return F::out(cmulV(F::in(x), F::in(y)));
    }
};
struct CSqrF : CFVec {
    template <class TD, class C, class X>
    static VEK_INLINE TD f(const C&, unsigned&, X x) noexcept { return cmulF(x, x); }
    template <class TD, class C>
    static VEK_INLINE __m256i vec(const C&, unsigned&, __m256i x) noexcept {
        using F = FVec<Part<TD>>;
        return F::out(cmulV(F::in(x), F::in(x)));
    }
};
struct CMulAddF : CFVec {
    template <class TD, class C, class X>
    static VEK_INLINE TD f(const C&, unsigned&, X x, X y, X acc) noexcept {
        const X p = cmulF(x, y);
        return TD{acc.re + p.re, acc.im + p.im};
    }
    template <class TD, class C>
    static VEK_INLINE __m256i vec(const C&, unsigned&, __m256i x, __m256i y, __m256i acc) noexcept {
        using F = FVec<Part<TD>>;
        return F::out(vaddF(F::in(acc), cmulV(F::in(x), F::in(y))));
    }
};
// Real vector times complex vector.
struct RCMulF {
    template <class TD, class C, class X, class Y>
    static VEK_INLINE TD f(const C&, unsigned&, X x, Y y) noexcept { return TD{x * y.re, x * y.im}; }
};
// x * conj(v) / |v|^2, the constant formed once (hoisted) in the element precision.
struct CMulRecip {
    template <class TD, class C, class X>
    static VEK_INLINE TD f(const C&, unsigned&, X x, X v) noexcept {
        using P = Part<X>;
        const P m = v.re * v.re + v.im * v.im;
        return cmulF(x, X{v.re / m, -v.im / m});
    }
};

// Integer sources, float destination; exact sums, products rounded once to nearest.
template <class E>
struct ToF {
    template <class TD, class C, class X, class Y>
    static VEK_INLINE TD f(const C&, unsigned&, X x, Y y) noexcept { return TD(E::template g<std::int32_t>(x, y)); }
};

// Float to 16s: NaN gives 0, otherwise clamp and round in the current rounding mode.
VEK_INLINE Vek16s f32to16s(float v) noexcept {
    float q = v != v ? 0.0f : v;
    q = q < -32768.0f ? -32768.0f : q;
    q = q > 32767.0f ? 32767.0f : q;
    return Vek16s(std::int32_t(__builtin_rintf(q)));
}
// x * (val * 2^-sf) rounded to nearest even; the scaled constant is formed once.
struct MulCScaled16s {
    template <class TD, class C>
    static VEK_INLINE TD f(const C& c, unsigned&, float x, float v) noexcept {
        const float k = float(double(v) * c.p2full);
        return f32to16s(x * k);
    }
};
struct MulCLow16s {
    template <class TD, class C>
    static VEK_INLINE TD f(const C&, unsigned&, float x, float v) noexcept { return f32to16s(x * v); }
};

}  // namespace vek::ar
