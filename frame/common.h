// common.h - internal vocabulary shared by every family: argument checks, saturating
// casts, the scale-factor rule and the floating-point environment guard.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "veks.h"

#define VEK_INLINE inline __attribute__((always_inline))

namespace vek {

// ---- argument checks --------------------------------------------------------------
// Pointers first (in argument order), then lengths; the first failure is returned.
template <class... P>
VEK_INLINE bool anyNull(const P*... p) noexcept {
    return ((p == nullptr) || ...);
}

// The common prologue of a vector function: null pointers, then len < 1.
#define VEK_CHECK_PTRS(...) \
    do { if (::vek::anyNull(__VA_ARGS__)) return vekStsNullPtrErr; } while (0)
#define VEK_CHECK_LEN(len) \
    do { if ((len) < 1) return vekStsSizeErr; } while (0)

// ---- element traits ---------------------------------------------------------------
template <class T> struct Cplx { using part = void; };
template <> struct Cplx<Vek16sc> { using part = Vek16s; };
template <> struct Cplx<Vek32sc> { using part = Vek32s; };
template <> struct Cplx<Vek64sc> { using part = Vek64s; };
template <> struct Cplx<Vek8sc> { using part = Vek8s; };
template <> struct Cplx<Vek32fc> { using part = Vek32f; };
template <> struct Cplx<Vek64fc> { using part = Vek64f; };
template <class T> inline constexpr bool isComplex = !std::is_void_v<typename Cplx<T>::part>;

// ---- saturation -------------------------------------------------------------------
// Clamp an exact integer to the range of T.
template <class T, class W>
VEK_INLINE constexpr T sat(W v) noexcept {
    static_assert(std::is_integral_v<T> && std::is_integral_v<W>);
    using L = std::numeric_limits<T>;
    if constexpr (std::is_signed_v<W>) {
        if constexpr (std::is_signed_v<T>) {
            if constexpr (sizeof(W) > sizeof(T)) {
                if (v < W(L::min())) return L::min();
                if (v > W(L::max())) return L::max();
            }
        } else {
            if (v < 0) return 0;
            if constexpr (sizeof(W) > sizeof(T)) {
                if (v > W(L::max())) return L::max();
            }
        }
    } else {
        if constexpr (sizeof(W) >= sizeof(T)) {
            if (v > static_cast<std::make_unsigned_t<T>>(L::max())) return L::max();
        }
    }
    return T(v);
}

// Round a finite or infinite double to nearest-even and clamp to T; NaN gives 0.
template <class T>
VEK_INLINE T satFromDouble(double v) noexcept {
    using L = std::numeric_limits<T>;
    if (v != v) return 0;
    if (v <= double(L::min())) return L::min();
    if (v >= double(L::max())) return L::max();
    return T(__builtin_rint(v));   // caller runs with round-to-nearest
}

// ---- scale factor -----------------------------------------------------------------
// r / 2^sf rounded to nearest, ties to even (sf > 0), r * 2^-sf (sf < 0), exact for
// any 64-bit r and any sf; the caller saturates. The sf < 0 result is clamped to the
// 64-bit range, which is enough for every destination of 32 bits or less.
VEK_INLINE constexpr std::int64_t scaleRound(std::int64_t r, int sf) noexcept {
    if (sf == 0) return r;
    if (sf > 0) {
        if (sf > 63) return 0;   // |r| < 2^63 <= 2^(sf-1): rounds to 0 (ties to even)
        std::int64_t q = r >> sf;
        std::int64_t rem = r - (q << sf);   // 0 <= rem < 2^sf
        std::int64_t half = std::int64_t(1) << (sf - 1);
        if (rem > half || (rem == half && (q & 1))) ++q;
        return q;
    }
    if (r == 0) return 0;
    if (sf < -62) return r > 0 ? std::numeric_limits<std::int64_t>::max()
                               : std::numeric_limits<std::int64_t>::min();
    const int s = -sf;
    const std::int64_t lim = std::numeric_limits<std::int64_t>::max() >> s;
    if (r > lim) return std::numeric_limits<std::int64_t>::max();
    if (r < -lim - 1) return std::numeric_limits<std::int64_t>::min();
    return r * (std::int64_t(1) << s);
}

template <class T>
VEK_INLINE constexpr T scaleSat(std::int64_t r, int sf) noexcept {
    return sat<T>(scaleRound(r, sf));
}

// 2^-sf as an exact double (0 or infinity beyond the exponent range).
VEK_INLINE double pow2neg(int sf) noexcept {
    if (sf > 1074) return 0.0;
    if (sf < -1023) return __builtin_inf();
    return __builtin_ldexp(1.0, -sf);
}

// ---- floating-point environment ------------------------------------------------------
// Sets the MXCSR bits selected by mask to value for the guard's lifetime and restores
// the caller's whole register afterwards (the sticky exception flags included, so a
// function leaves no trace in the caller's environment).
class MxcsrGuard {
public:
    static constexpr unsigned kRoundMask = 0x6000, kRoundNear = 0x0000, kRoundDown = 0x2000,
                              kRoundUp = 0x4000, kRoundZero = 0x6000;
    static constexpr unsigned kFtz = 0x8000, kDaz = 0x0040, kMaskInvalid = 0x0080;
    static constexpr unsigned kAllMasks = 0x1f80, kFlags = 0x003f;

    VEK_INLINE MxcsrGuard(unsigned value, unsigned mask) noexcept : saved_(_mm_getcsr()) {
        unsigned want = (saved_ & ~mask) | (value & mask);
        if (want != saved_) _mm_setcsr(want);
    }
    // Reading the register is cheap; writing it is not, so it is written back only when
    // the call changed it (a mode it set, or a flag an operation raised).
    VEK_INLINE ~MxcsrGuard() {
        if (_mm_getcsr() != saved_) _mm_setcsr(saved_);
    }
    MxcsrGuard(const MxcsrGuard&) = delete;
    MxcsrGuard& operator=(const MxcsrGuard&) = delete;

    unsigned saved() const noexcept { return saved_; }

private:
    unsigned saved_;
};

// The usual environment of a float kernel: round to nearest, all exceptions masked,
// flush-to-zero and denormals-are-zero off, so results follow IEEE 754 whatever the
// caller has set. The register is read once on entry and written back unconditionally
// on exit: reading it again after the work would wait until every pending
// floating-point operation has raised its flags, which on short calls costs several
// times as much as the write. Either way the caller gets its whole register back,
// flags included, as it was on entry.
class IeeeEnv {
public:
    static constexpr unsigned kMask = MxcsrGuard::kRoundMask | MxcsrGuard::kAllMasks |
                                      MxcsrGuard::kFtz | MxcsrGuard::kDaz;
    static constexpr unsigned kWant = MxcsrGuard::kRoundNear | MxcsrGuard::kAllMasks;
    VEK_INLINE IeeeEnv() noexcept : saved_(_mm_getcsr()) {
        if ((saved_ & kMask) != kWant) _mm_setcsr((saved_ & ~kMask) | kWant);
    }
    VEK_INLINE ~IeeeEnv() { _mm_setcsr(saved_); }
    IeeeEnv(const IeeeEnv&) = delete;
    IeeeEnv& operator=(const IeeeEnv&) = delete;

private:
    unsigned saved_;
};

// The same environment for a call that only computes and is short enough for the
// write-back to matter: the register is written only when the caller's mode differs
// from the wanted one, and then restored whole on exit. An MXCSR write waits for every
// floating-point operation in flight, which on a transform of a few dozen points costs
// as much as the transform. When nothing is written, the caller's exception flags
// record what the call computed, as after any arithmetic of its own; its rounding
// field, masks and flush bits are the same on return in every case.
class IeeeModeEnv {
public:
    VEK_INLINE IeeeModeEnv() noexcept : saved_(_mm_getcsr()) {
        changed_ = (saved_ & IeeeEnv::kMask) != IeeeEnv::kWant;
        if (changed_) _mm_setcsr((saved_ & ~IeeeEnv::kMask) | IeeeEnv::kWant);
    }
    VEK_INLINE ~IeeeModeEnv() {
        if (changed_) _mm_setcsr(saved_);
    }
    IeeeModeEnv(const IeeeModeEnv&) = delete;
    IeeeModeEnv& operator=(const IeeeModeEnv&) = delete;

private:
    unsigned saved_;
    bool changed_;
};

// ---- misc -------------------------------------------------------------------------
template <class T>
VEK_INLINE T* alignUp(T* p, std::size_t a) noexcept {
    auto v = reinterpret_cast<std::uintptr_t>(p);
    return reinterpret_cast<T*>((v + (a - 1)) & ~std::uintptr_t(a - 1));
}

template <class To, class From>
VEK_INLINE To bitCast(const From& f) noexcept {
    static_assert(sizeof(To) == sizeof(From));
    To t;
    std::memcpy(&t, &f, sizeof t);
    return t;
}

}  // namespace vek
