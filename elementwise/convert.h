// convert.h - the kernels of the conversion family.
//
// Every export is one generic driver instantiated with an element operation:
//  - exact widenings and the rounded narrowings of float precision (caller's rounding
//    direction, exceptions masked, FTZ/DAZ off, MXCSR restored);
//  - integer-to-integer with a scale factor, rounded by a mode and saturated, the
//    scale factor classified once per call;
//  - float-to-integer: scale by an exact power of two, round by the mode, saturate,
//    with fixed NaN results;
//  - IEEE binary16 both ways, through the F16C instructions when the processor has
//    them and through a portable bit routine with identical results otherwise.
//
// The drivers run the element operation over whole blocks (which the compiler
// vectorises) and the hot pairs through hand-written AVX2 bodies with a scalar tail
// that applies the same element rule.
#pragma once

#include <immintrin.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "common.h"

namespace vek::cv {

using i128 = __int128;

// ---- packed 24-bit elements -----------------------------------------------------------
// Three bytes, least significant first, no padding.
struct I24 { std::uint8_t b[3]; };
struct U24 { std::uint8_t b[3]; };
static_assert(sizeof(I24) == 3 && sizeof(U24) == 3);

template <class T> struct Range {
    static constexpr std::int64_t lo = std::int64_t(std::numeric_limits<T>::min());
    static constexpr std::int64_t hi = std::int64_t(std::numeric_limits<T>::max());
};
template <> struct Range<I24> { static constexpr std::int64_t lo = -8388608, hi = 8388607; };
template <> struct Range<U24> { static constexpr std::int64_t lo = 0, hi = 16777215; };
template <> struct Range<std::uint64_t> { static constexpr std::int64_t lo = 0, hi = std::numeric_limits<std::int64_t>::max(); };

template <class T> VEK_INLINE T make(std::int64_t v) noexcept {
    if constexpr (std::is_same_v<T, I24> || std::is_same_v<T, U24>) {
        return T{{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16)}};
    } else {
        return T(v);
    }
}
template <class T> VEK_INLINE std::int64_t value(T x) noexcept {
    if constexpr (std::is_same_v<T, U24>) {
        return std::int64_t(x.b[0]) | (std::int64_t(x.b[1]) << 8) | (std::int64_t(x.b[2]) << 16);
    } else if constexpr (std::is_same_v<T, I24>) {
        const std::int32_t u = std::int32_t(std::uint32_t(x.b[0]) | (std::uint32_t(x.b[1]) << 8) |
                                            (std::uint32_t(x.b[2]) << 16) | (x.b[2] & 0x80 ? 0xFF000000u : 0u));
        return u;
    } else {
        return std::int64_t(x);
    }
}
template <class T, class W> VEK_INLINE T clampR(W r) noexcept {
    if (r < W(Range<T>::lo)) return make<T>(Range<T>::lo);
    if (r > W(Range<T>::hi)) return make<T>(Range<T>::hi);
    return make<T>(std::int64_t(r));
}

// ---- block driver -----------------------------------------------------------------------
// f(s[i]) -> d[i]: fixed-size blocks the compiler vectorises, then the rest one by one.
template <class TD, class TS, class F>
VEK_INLINE void run(const TS* s, TD* d, std::size_t n, const F& f) noexcept {
    constexpr std::size_t W = 64;
    std::size_t i = 0;
    for (; i + W <= n; i += W)
        for (std::size_t k = 0; k < W; ++k) d[i + k] = f(s[i + k]);
    for (; i < n; ++i) d[i] = f(s[i]);
}

// ---- floating-point environment ------------------------------------------------------
// The caller's rounding direction, every exception masked, FTZ and DAZ off: exact
// widenings stay exact and narrowings round once, whatever the caller's flush bits.
struct CurEnv : MxcsrGuard {
    VEK_INLINE CurEnv() noexcept
        : MxcsrGuard(kAllMasks, kAllMasks | kFtz | kDaz) {}
};
// Round to nearest (or toward zero), exceptions masked, FTZ and DAZ off.
struct FixedEnv : MxcsrGuard {
    VEK_INLINE explicit FixedEnv(unsigned rc) noexcept
        : MxcsrGuard(rc | kAllMasks, kRoundMask | kAllMasks | kFtz | kDaz) {}
};

// ---- exact powers of two ---------------------------------------------------------------
// 2^-s from the exponent field; s within the normal range of X.
template <class X> VEK_INLINE X pow2(int s) noexcept {
    if constexpr (sizeof(X) == 4) return bitCast<float>(std::uint32_t(127 - s) << 23);
    else return bitCast<double>(std::uint64_t(1023 - s) << 52);
}
// Multiplication by 2^-s as at most two exact power-of-two factors. Beyond the clamp
// range every non-zero value rounds to 0 or saturates every integer destination, so
// clamping changes no result; the first factor stays in the normal range, and the
// product rounds at most once (in the subnormal range, where every integer result is 0).
template <class X, int N> struct Scale {
    X f0, f1;
    VEK_INLINE X operator()(X x) const noexcept {
        if constexpr (N >= 1) x = x * f0;
        if constexpr (N >= 2) x = x * f1;
        return x;
    }
};
template <class X, class F>
VEK_INLINE void withScale(int sf, F&& f) noexcept {
    constexpr int kMaxOne = sizeof(X) == 4 ? 126 : 1022;   // 2^-kMaxOne and 2^(kMaxOne+1) are normal
    constexpr int kClamp = sizeof(X) == 4 ? 252 : 1200;
    if (sf == 0) return f(Scale<X, 0>{X(1), X(1)});
    if (sf >= -(kMaxOne + 1) && sf <= kMaxOne) return f(Scale<X, 1>{pow2<X>(sf), X(1)});
    const int s = sf > kClamp ? kClamp : sf < -kClamp ? -kClamp : sf;
    const int s0 = s > 0 ? kMaxOne : -(kMaxOne + 1);
    f(Scale<X, 2>{pow2<X>(s0), pow2<X>(s - s0)});
}

// ---- float to integer -------------------------------------------------------------------
// Rounding of the scaled value to an integral value of the same precision.
struct RNear { template <class X> static VEK_INLINE X r(X y) noexcept {   // runs in round-to-nearest
    if constexpr (sizeof(X) == 4) return __builtin_rintf(y); else return __builtin_rint(y); } };
struct RZero { template <class X> static VEK_INLINE X r(X y) noexcept {
    if constexpr (sizeof(X) == 4) return __builtin_truncf(y); else return __builtin_trunc(y); } };
struct RAway { template <class X> static VEK_INLINE X r(X y) noexcept {   // ties away from zero
    const X t = RZero::r(y), f = y - t;   // exact
    return f >= X(0.5) ? t + X(1) : f <= X(-0.5) ? t - X(1) : t;
} };

// The value of a NaN: the integer indefinite saturated to TD (its minimum), except the
// 32- and 64-bit signed destinations, which take the extreme of the NaN's sign.
template <class TD, class X> VEK_INLINE TD nanTo(X r) noexcept {
    if constexpr (std::is_same_v<TD, std::int32_t> || std::is_same_v<TD, std::int64_t>)
        return __builtin_signbit(r) ? make<TD>(Range<TD>::lo) : make<TD>(Range<TD>::hi);
    else
        return make<TD>(Range<TD>::lo);
}
// Saturate an integral float (or NaN) to TD.
template <class TD, class X> VEK_INLINE TD satF(X r) noexcept {
    if (r != r) return nanTo<TD>(r);
    if (r >= X(Range<TD>::hi)) return make<TD>(Range<TD>::hi);
    if (r <= X(Range<TD>::lo)) return make<TD>(Range<TD>::lo);
    return make<TD>(std::int64_t(r));
}

template <class TD, class R, class X, class S>
VEK_INLINE TD f2i(const S& sc, X x) noexcept { return satF<TD>(R::r(sc(x))); }

// ---- integer scale with a rounding mode --------------------------------------------------
// r / 2^s in W (s > 0, s < bits(W)), floor quotient q and remainder rem in [0, 2^s).
template <class W, int M> struct Shr {
    int s; W mask, half;
    explicit Shr(int sh) : s(sh), mask(W(~(W(-1) << sh))), half(W(W(1) << (sh - 1))) {}
    VEK_INLINE W operator()(W r) const noexcept {
        const W q = r >> s, rem = r & mask;
        if constexpr (M == 0) return q + W(r < 0 && rem != 0);                  // toward zero
        else if constexpr (M == 1) return q + W(rem > half - (q & 1));           // ties to even
        else return q + W(r < 0 ? rem > half : rem >= half);                     // ties away
    }
};
template <class W> struct Shl {   // r x 2^s with a clamp that saturates every destination
    int s;
    template <class TD> VEK_INLINE TD put(W r) const noexcept {
        const W hiT = W(Range<TD>::hi) >> s;
        const W loT = (W(Range<TD>::lo) + (W(1) << s) - 1) >> s;   // ceil(lo / 2^s)
        if (r > hiT) return make<TD>(Range<TD>::hi);
        if (r < loT) return make<TD>(Range<TD>::lo);
        return make<TD>(std::int64_t(r << s));
    }
};

// f(op) with op(x) -> TD, for the exact integer x (|x| < 2^(bits(W)-2)).
template <class TD, class W, int M, class F>
VEK_INLINE void withIntScale(int sf, F&& f) noexcept {
    constexpr int B = int(8 * sizeof(W));
    if (sf == 0) return f([](W r) noexcept { return clampR<TD>(r); });
    if (sf >= B - 1) return f([](W) noexcept { return make<TD>(0); });   // |r| < 2^(sf-2)
    if (sf > 0) {
        const Shr<W, M> sh(sf);
        return f([sh](W r) noexcept { return clampR<TD>(sh(r)); });
    }
    const Shl<W> sl{sf < -(B - 2) ? B - 2 : -sf};
    f([sl](W r) noexcept { return sl.template put<TD>(r); });
}

// ---- binary16 ------------------------------------------------------------------------------
namespace half {

// binary16 to binary32, exact; a NaN keeps its sign and payload and comes out quiet.
VEK_INLINE std::uint32_t toFloatBits(std::uint16_t h) noexcept {
    const std::uint32_t sign = std::uint32_t(h & 0x8000) << 16;
    const std::uint32_t e = (h >> 10) & 0x1f, m = h & 0x3ff;
    if (e == 0x1f) return sign | 0x7f800000u | (m << 13) | (m ? 0x00400000u : 0u);
    if (e == 0) {
        if (m == 0) return sign;
        // m x 2^-24: normalise the fraction.
        const int lz = __builtin_clz(m) - 22;   // leading zeros within the 10-bit field, 0..9
        const std::uint32_t mm = (m << (lz + 1)) & 0x3ff;
        return sign | (std::uint32_t(112 - lz) << 23) | (mm << 13);
    }
    return sign | ((e + 112) << 23) | (m << 13);
}

// binary32 to binary16, round to nearest even (rz false) or toward zero (rz true).
VEK_INLINE std::uint16_t fromFloatBits(std::uint32_t x, bool rz) noexcept {
    const std::uint32_t sign = (x >> 16) & 0x8000, ax = x & 0x7fffffffu;
    if (ax >= 0x7f800000u) {
        if (ax == 0x7f800000u) return std::uint16_t(sign | 0x7c00);
        return std::uint16_t(sign | 0x7e00 | ((ax >> 13) & 0x3ff));
    }
    std::uint32_t h, rem, halfw;
    if (ax >= 0x38800000u) {            // normal in binary16, or beyond its range
        h = (ax - 0x38000000u) >> 13;
        rem = ax & 0x1fff;
        halfw = 0x1000;
    } else {                            // subnormal in binary16: units of 2^-24
        const std::uint32_t e = ax >> 23;
        if (e < 102) return std::uint16_t(sign);   // below 2^-25: rounds to zero either way
        const std::uint32_t mant = (ax & 0x7fffff) | 0x800000;
        const std::uint32_t sh = 126 - e;          // 14..24
        h = mant >> sh;
        rem = mant & ((1u << sh) - 1);
        halfw = 1u << (sh - 1);
    }
    if (rz) {
        if (h > 0x7bff) h = 0x7bff;
    } else {
        h += std::uint32_t(rem > halfw || (rem == halfw && (h & 1)));
        if (h > 0x7c00) h = 0x7c00;
    }
    return std::uint16_t(sign | h);
}

bool hasF16C() noexcept;

// Vector forms: f16c selects the instruction path, otherwise the portable routine.
void toFloat(const std::uint16_t* s, float* d, std::size_t n, bool f16c) noexcept;
void fromFloat(const float* s, std::uint16_t* d, std::size_t n, bool rz, bool f16c) noexcept;
void fromInt16(const std::int16_t* s, std::uint16_t* d, std::size_t n, bool rz, bool f16c) noexcept;

}  // namespace half

}  // namespace vek::cv
