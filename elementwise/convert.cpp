// Conversions between element types (see convert.h).
#if defined(__GNUC__) && !defined(__clang__)
// Exceptions are masked in every kernel of this file, so the compiler may if-convert
// comparisons on floating-point values (clamps and NaN selects).
#pragma GCC optimize("no-trapping-math")
#endif
#include "convert.h"

#include "manifest.h"
#include "vekcore.h"

namespace vek::cv {

// ---- binary16 kernels ----------------------------------------------------------------------
namespace half {

// The answer never changes while the process runs; asking once keeps the feature query
// (several cpuid instructions) off every call.
bool hasF16C() noexcept {
    static const bool has = ownGetFeature(vekCPUID_F16C) != 0;
    return has;
}

void toFloat(const std::uint16_t* s, float* d, std::size_t n, bool f16c) noexcept {
    std::size_t i = 0;
    if (f16c) {
        for (; i + 16 <= n; i += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8));
            _mm256_storeu_ps(d + i, _mm256_cvtph_ps(a));
            _mm256_storeu_ps(d + i + 8, _mm256_cvtph_ps(b));
        }
        for (; i + 8 <= n; i += 8)
            _mm256_storeu_ps(d + i, _mm256_cvtph_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i))));
    }
    run(s + i, d + i, n - i, [](std::uint16_t h) noexcept { return bitCast<float>(toFloatBits(h)); });
}

template <int Imm>
VEK_INLINE std::size_t fromFloatF16c(const float* s, std::uint16_t* d, std::size_t n) noexcept {
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm256_cvtps_ph(_mm256_loadu_ps(s + i), Imm);
        const __m128i b = _mm256_cvtps_ph(_mm256_loadu_ps(s + i + 8), Imm);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), _mm256_set_m128i(b, a));
    }
    for (; i + 8 <= n; i += 8)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm256_cvtps_ph(_mm256_loadu_ps(s + i), Imm));
    return i;
}

void fromFloat(const float* s, std::uint16_t* d, std::size_t n, bool rz, bool f16c) noexcept {
    std::size_t i = 0;
    if (f16c) i = rz ? fromFloatF16c<_MM_FROUND_TO_ZERO>(s, d, n) : fromFloatF16c<_MM_FROUND_TO_NEAREST_INT>(s, d, n);
    run(s + i, d + i, n - i, [rz](float x) noexcept { return fromFloatBits(bitCast<std::uint32_t>(x), rz); });
}

template <int Imm>
VEK_INLINE std::size_t fromInt16F16c(const std::int16_t* s, std::uint16_t* d, std::size_t n) noexcept {
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256 a = _mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(_mm256_castsi256_si128(v)));
        const __m256 b = _mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(_mm256_extracti128_si256(v, 1)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                            _mm256_set_m128i(_mm256_cvtps_ph(b, Imm), _mm256_cvtps_ph(a, Imm)));
    }
    return i;
}

void fromInt16(const std::int16_t* s, std::uint16_t* d, std::size_t n, bool rz, bool f16c) noexcept {
    std::size_t i = 0;
    if (f16c) i = rz ? fromInt16F16c<_MM_FROUND_TO_ZERO>(s, d, n) : fromInt16F16c<_MM_FROUND_TO_NEAREST_INT>(s, d, n);
    run(s + i, d + i, n - i, [rz](std::int16_t x) noexcept { return fromFloatBits(bitCast<std::uint32_t>(float(x)), rz); });
}

}  // namespace half

namespace {

template <class T> struct Wire { using type = T; };   // the element type a 24-bit pointer stands for

template <class TS> VEK_INLINE auto num(TS x) noexcept {
    if constexpr (std::is_same_v<TS, I24> || std::is_same_v<TS, U24>) return std::int32_t(value(x));
    else return x;
}

template <class X, int N>
VEK_INLINE __m256 vscale(const Scale<X, N>& sc, __m256 v) noexcept {
    if constexpr (N >= 1) v = _mm256_mul_ps(v, _mm256_set1_ps(sc.f0));
    if constexpr (N >= 2) v = _mm256_mul_ps(v, _mm256_set1_ps(sc.f1));
    return v;
}

// 32f to 16s: clamp from above (a NaN passes), round, and let the saturating pack clamp
// from below; a NaN converts to the integer indefinite and packs to -32768.
template <class R>
VEK_INLINE __m256i round32(__m256 v) noexcept {
    if constexpr (std::is_same_v<R, RNear>) {
        return _mm256_cvtps_epi32(v);   // round-to-nearest is set for the call
    } else if constexpr (std::is_same_v<R, RZero>) {
        return _mm256_cvttps_epi32(v);
    } else {
        const __m256 t = _mm256_round_ps(v, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
        const __m256 f = _mm256_sub_ps(v, t), one = _mm256_set1_ps(1.0f);
        const __m256 up = _mm256_and_ps(_mm256_cmp_ps(f, _mm256_set1_ps(0.5f), _CMP_GE_OQ), one);
        const __m256 dn = _mm256_and_ps(_mm256_cmp_ps(f, _mm256_set1_ps(-0.5f), _CMP_LE_OQ), one);
        return _mm256_cvttps_epi32(_mm256_sub_ps(_mm256_add_ps(t, up), dn));
    }
}
template <class R, class S>
VEK_INLINE void f32to16s(const float* s, std::int16_t* d, std::size_t n, const S& sc) noexcept {
    const __m256 hi = _mm256_set1_ps(32767.0f);
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m256 a = _mm256_min_ps(hi, vscale(sc, _mm256_loadu_ps(s + i)));
        const __m256 b = _mm256_min_ps(hi, vscale(sc, _mm256_loadu_ps(s + i + 8)));
        const __m256i p = _mm256_packs_epi32(round32<R>(a), round32<R>(b));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), _mm256_permute4x64_epi64(p, 0xD8));
    }
    run(s + i, d + i, n - i, [sc](float x) noexcept { return f2i<std::int16_t, R>(sc, x); });
}

// 16s to 32f, exact: widen straight from memory (one sign-extending load per eight
// elements) and convert, 32 elements a step.
void i16to32f(const std::int16_t* s, float* d, std::size_t n) noexcept {
    const auto widen = [s](std::size_t i) noexcept {
        return _mm256_cvtepi32_ps(_mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i))));
    };
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256 a = widen(i), b = widen(i + 8), c = widen(i + 16), e = widen(i + 24);
        _mm256_storeu_ps(d + i, a);
        _mm256_storeu_ps(d + i + 8, b);
        _mm256_storeu_ps(d + i + 16, c);
        _mm256_storeu_ps(d + i + 24, e);
    }
    for (; i + 8 <= n; i += 8) _mm256_storeu_ps(d + i, widen(i));
    for (; i < n; ++i) d[i] = float(s[i]);
}

}  // namespace

// ---- the exported forms ---------------------------------------------------------------------
// Exact widening, or narrowing of a float rounded once in the caller's direction.
template <class TS, class TD>
VekStatus plain(const TS* s, TD* d, int len) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    if constexpr (std::is_same_v<TS, std::int16_t> && std::is_same_v<TD, float>) {
        // Exact, raises nothing and ignores FTZ/DAZ: no environment to set.
        i16to32f(s, d, std::size_t(len));
    } else {
        CurEnv g;
        run(s, d, std::size_t(len), [](TS x) noexcept { return TD(num(x)); });
    }
    return vekStsNoErr;
}
template <class TD>
VekStatus from24(const Vek8u* s, TD* d, int len, bool sgn) noexcept {
    if (sgn) return plain(reinterpret_cast<const I24*>(s), d, len);
    return plain(reinterpret_cast<const U24*>(s), d, len);
}
VekStatus c24u32u(const Vek8u* s, Vek32u* d, int len) noexcept { return from24(s, d, len, false); }
VekStatus c24s32s(const Vek8u* s, Vek32s* d, int len) noexcept { return from24(s, d, len, true); }
VekStatus c24u32f(const Vek8u* s, Vek32f* d, int len) noexcept { return from24(s, d, len, false); }
VekStatus c24s32f(const Vek8u* s, Vek32f* d, int len) noexcept { return from24(s, d, len, true); }

VekStatus c8s8u(const Vek8s* s, Vek8u* d, int len) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    run(s, d, std::size_t(len), [](Vek8s x) noexcept { return Vek8u(x < 0 ? 0 : x); });
    return vekStsNoErr;
}
VekStatus c32s16s(const Vek32s* s, Vek16s* d, int len) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    run(s, d, std::size_t(len), [](Vek32s x) noexcept { return clampR<Vek16s>(x); });
    return vekStsNoErr;
}

// Integer to float with x x 2^-sf rounded once in the caller's direction. 16-bit values
// are exact in single precision, so one product by a normal power of two rounds once;
// otherwise the product is formed in double precision (exact for these integers) and
// rounded to the destination.
template <class TS, class TD>
VekStatus i2fS(const TS* s, TD* d, int len, int sf) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    CurEnv g;
    const std::size_t n = std::size_t(len);
    if constexpr (sizeof(TS) <= 2 && sizeof(TD) == 4) {
        if (sf >= -127 && sf <= 126) {
            const float k = pow2<float>(sf);
            run(s, d, n, [k](TS x) noexcept { return float(x) * k; });
            return vekStsNoErr;
        }
    }
    withScale<double>(sf, [&](const auto& sc) noexcept {
        run(s, d, n, [sc](TS x) noexcept { return TD(sc(double(x))); });
    });
    return vekStsNoErr;
}

// Integer to integer: x / 2^sf rounded by the mode (0 toward zero, 1 ties to even, any
// other value ties away from zero), saturated; W holds every exact value with two bits
// to spare.
template <class W, int M, class TS, class TD>
VEK_INLINE void intScale(const TS* s, TD* d, std::size_t n, int sf) noexcept {
    withIntScale<TD, W, M>(sf, [&](const auto& op) noexcept {
        run(s, d, n, [op](TS x) noexcept { return op(W(num(x))); });
    });
}
template <class W, class TS, class TD>
VekStatus intRS(const TS* s, TD* d, int len, int rnd, int sf) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    const std::size_t n = std::size_t(len);
    if (rnd == vekRoundZero) intScale<W, 0>(s, d, n, sf);
    else if (rnd == vekRoundNear) intScale<W, 1>(s, d, n, sf);
    else intScale<W, 2>(s, d, n, sf);
    return vekStsNoErr;
}
template <class TS, class TD>
VekStatus intS(const TS* s, TD* d, int len, int sf) noexcept {
    return intRS<std::int64_t>(s, d, len, vekRoundNear, sf);
}
VekStatus c32s24s(const Vek32s* s, Vek8u* d, int len, int sf) noexcept { return intS(s, reinterpret_cast<I24*>(d), len, sf); }
VekStatus c32u24u(const Vek32u* s, Vek8u* d, int len, int sf) noexcept { return intS(s, reinterpret_cast<U24*>(d), len, sf); }

// Float to integer: scale by 2^-sf, round by the mode, saturate; runs in round to
// nearest with exceptions masked.
template <class R, class TS, class TD, class S>
VEK_INLINE void f2iRun(const TS* s, TD* d, std::size_t n, const S& sc) noexcept {
    if constexpr (std::is_same_v<TS, float> && std::is_same_v<TD, std::int16_t>) {
        f32to16s<R>(s, d, n, sc);
    } else {
        run(s, d, n, [sc](TS x) noexcept { return f2i<TD, R>(sc, x); });
    }
}
template <class TS, class TD>
VekStatus f2iRS(const TS* s, TD* d, int len, int rnd, int sf) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    FixedEnv g(MxcsrGuard::kRoundNear);
    const std::size_t n = std::size_t(len);
    withScale<TS>(sf, [&](const auto& sc) noexcept {
        if (rnd == vekRoundZero) f2iRun<RZero>(s, d, n, sc);
        else if (rnd == vekRoundNear) f2iRun<RNear>(s, d, n, sc);
        else f2iRun<RAway>(s, d, n, sc);
    });
    return vekStsNoErr;
}
VekStatus c32f24s(const Vek32f* s, Vek8u* d, int len, int sf) noexcept {
    return f2iRS(s, reinterpret_cast<I24*>(d), len, vekRoundNear, sf);
}
VekStatus c32f24u(const Vek32f* s, Vek8u* d, int len, int sf) noexcept {
    return f2iRS(s, reinterpret_cast<U24*>(d), len, vekRoundNear, sf);
}

// ---- binary16 -----------------------------------------------------------------------------------
VekStatus c16f32f(const Vek16f* s, Vek32f* d, int len) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    CurEnv g;   // a signalling NaN must leave no flag behind
    half::toFloat(s, d, std::size_t(len), half::hasF16C());
    return vekStsNoErr;
}
VekStatus c32f16f(const Vek32f* s, Vek16f* d, int len, int rnd) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    if (rnd == vekRoundFin) return vekStsRoundModeErr;
    const bool rz = rnd != vekRoundNear;
    FixedEnv g(rz ? MxcsrGuard::kRoundZero : MxcsrGuard::kRoundNear);
    half::fromFloat(s, d, std::size_t(len), rz, half::hasF16C());
    return vekStsNoErr;
}
VekStatus c16s16f(const Vek16s* s, Vek16f* d, int len, int rnd) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    if (rnd == vekRoundFin) return vekStsRoundModeErr;
    const bool rz = rnd != vekRoundNear;
    FixedEnv g(rz ? MxcsrGuard::kRoundZero : MxcsrGuard::kRoundNear);
    half::fromInt16(s, d, std::size_t(len), rz, half::hasF16C());
    return vekStsNoErr;
}
// binary16 to 16s: widen a block to single precision (exact), then the float-to-integer
// rule; products by 2^-sf that would round in half precision are below 2^-14 or beyond
// 65504, where every result is 0 or saturated either way.
VekStatus c16f16s(const Vek16f* s, Vek16s* d, int len, int rnd, int sf) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    if (rnd == vekRoundFin) return vekStsRoundModeErr;
    FixedEnv g(MxcsrGuard::kRoundNear);
    const bool f16c = half::hasF16C();
    constexpr std::size_t kBlk = 512;
    alignas(32) float t[kBlk];
    withScale<float>(sf, [&](const auto& sc) noexcept {
        for (std::size_t i = 0, n = std::size_t(len); i < n; i += kBlk) {
            const std::size_t m = n - i < kBlk ? n - i : kBlk;
            half::toFloat(s + i, t, m, f16c);
            if (rnd == vekRoundNear) f32to16s<RNear>(t, d + i, m, sc);
            else f32to16s<RZero>(t, d + i, m, sc);
        }
    });
    return vekStsNoErr;
}

}  // namespace vek::cv

#include "convert.def"
