// Division: exact integer quotients, IEEE float quotients, zero-divisor substitutes.
#if defined(__GNUC__) && !defined(__clang__)
// Exceptions are masked in every kernel of this file, so the compiler may if-convert
// comparisons on floating-point values (the zero-divisor selects).
#pragma GCC optimize("no-trapping-math")
#endif
#include "arith.h"
#include "manifest.h"

namespace vek::ar {
namespace {

// ---- rounding of an in-range quotient ---------------------------------------------
struct RNear { static VEK_INLINE double r(double q) noexcept { return __builtin_rint(q); } };   // runs under IeeeEnv
struct RZero { static VEK_INLINE double r(double q) noexcept { return __builtin_trunc(q); } };
struct RAway {
    static VEK_INLINE double r(double q) noexcept {
        const double t = __builtin_trunc(q), f = q - t;   // exact
        return f >= 0.5 ? t + 1.0 : f <= -0.5 ? t - 1.0 : t;
    }
};

// 8- and 16-bit quotients through one double division. The exact quotient Q = N / D has
// |D| < 2^31 x 2^s, so unless Q is a half-integer (then the division is exact) it lies
// at least 1 / (2|D|) from every half-integer, far more than the division's error
// (|Q| 2^-53 with |Q| < 2^16 where it matters): rounding the double gives the exact
// rule. num and den are exact in double.
template <class TD, class R>
VEK_INLINE TD quot(double num, double den, double p2, unsigned& fl) noexcept {
    const bool z = den == 0.0;
    fl |= unsigned(z);
    double q = (num * p2) / den;
    const double sub = num > 0 ? 1e300 : num < 0 ? -1e300 : 0.0;
    q = z ? sub : q;
    q = q < double(Lim<TD>::lo) ? double(Lim<TD>::lo) : q;
    q = q > double(Lim<TD>::hi) ? double(Lim<TD>::hi) : q;
    return TD(std::int32_t(R::r(q)));
}

template <class TD, class R>
VEK_INLINE double cpart(double v, bool z) noexcept {
    v = z ? 0.0 : v;
    v = v < double(Lim<TD>::lo) ? double(Lim<TD>::lo) : v;
    v = v > double(Lim<TD>::hi) ? double(Lim<TD>::hi) : v;
    return R::r(v);
}

}  // namespace

// NumFirst: DivC (x / val); otherwise Div and DivCRev (second operand / first).
template <bool NumFirst, class R>
struct DivQ {
    template <class TD, class N, class D>
    static VEK_INLINE TD q(const ExactCtx& c, unsigned& fl, N n, D d) noexcept {
        if constexpr (isComplex<TD>) {
            using P = Part<TD>;
            const double dr = d.re, di = d.im, nr = n.re, ni = n.im;
            const double m = dr * dr + di * di;   // every product and sum exact
            const bool z = m == 0.0;
            fl |= unsigned(z);
            const double qr = ((nr * dr + ni * di) * c.p2) / m;
            const double qi = ((ni * dr - nr * di) * c.p2) / m;
            return TD{P(std::int32_t(cpart<P, R>(qr, z))), P(std::int32_t(cpart<P, R>(qi, z)))};
        } else {
            return quot<TD, R>(double(n), double(d), c.p2, fl);
        }
    }
    template <class TD, class C, class X, class Y>
    static VEK_INLINE TD f(const C& c, unsigned& fl, X x, Y y) noexcept {
        if constexpr (NumFirst) return q<TD>(c, fl, x, y);
        else return q<TD>(c, fl, y, x);
    }
};

// ---- exact quotients of 32- and 64-bit integers -------------------------------------
namespace {

VEK_INLINE int bitLen(u128 v) noexcept {
    const auto hi = std::uint64_t(v >> 64), lo = std::uint64_t(v);
    return hi ? 128 - __builtin_clzll(hi) : lo ? 64 - __builtin_clzll(lo) : 0;
}

// num x 2^-s / den rounded to nearest, ties to even; magnitudes beyond 2^100 are
// returned as +-2^100 (every destination saturates there). den != 0.
VEK_INLINE i128 roundDivScaled(std::int64_t num, std::int64_t den, int s) noexcept {
    constexpr i128 kBig = i128(1) << 100;
    if (num == 0) return 0;
    const bool neg = (num < 0) != (den < 0);
    u128 n = num < 0 ? u128(-i128(num)) : u128(num);
    u128 d = den < 0 ? u128(-i128(den)) : u128(den);
    if (s > 0) {
        if (s >= 65) return 0;          // |Q| <= 2^63 / 2^65
        d <<= s;
    } else if (s < 0) {
        if (s < -127 || bitLen(n) - s > 127) return neg ? -kBig : kBig;   // |Q| >= 2^64
        n <<= -s;
    }
    u128 q = n / d;
    const u128 r = n - q * d;
    if (2 * r > d || (2 * r == d && (q & 1))) ++q;
    if (q > u128(kBig)) q = u128(kBig);
    return neg ? -i128(q) : i128(q);
}

}  // namespace

struct RawCtx { int sf; };
struct Raw {
    template <class F>
    static VEK_INLINE unsigned dispatch(int sf, F&& f) noexcept { return f(RawCtx{sf}); }
};

// Div_32s: pSrc2 x 2^-sf / pSrc1, exact.
struct DivExact {
    template <class TD, class C, class X, class Y>
    static VEK_INLINE TD f(const C& c, unsigned& fl, X x, Y y) noexcept {
        if (x == 0) {
            fl |= 1u;
            return y > 0 ? Lim<TD>::hi : y < 0 ? Lim<TD>::lo : TD(0);
        }
        return clampTo<TD>(roundDivScaled(y, x, c.sf));
    }
};

// ---- float quotients ------------------------------------------------------------------
template <class T> VEK_INLINE T quietNan() noexcept {
    if constexpr (sizeof(T) == 4) return bitCast<float>(0x7FC00000u);
    else return bitCast<double>(0x7FF8000000000000ull);
}
template <class T>
VEK_INLINE T zeroDivSub(T n) noexcept {
    return (n != n || n == T(0)) ? quietNan<T>() : n < T(0) ? -__builtin_inf() : T(__builtin_inf());
}
template <class T>
VEK_INLINE T fdiv(T n, T d, unsigned& fl) noexcept {
    const bool z = d == T(0);
    fl |= unsigned(z);
    const T q = n / d;
    return z ? zeroDivSub(n) : q;
}

// The same on a vector: the quotients, with the substitutes blended in where the divisor
// compares equal to zero (the compares follow the caller's denormals-are-zero setting
// exactly as the scalar ones do).
template <class F, class V>
VEK_INLINE V vdiv(V n, V d, unsigned& fl) noexcept {
    if constexpr (sizeof(V) / sizeof(n[0]) == 8) {   // eight floats
        const __m256 zero = _mm256_setzero_ps();
        const __m256 z = _mm256_cmp_ps(d, zero, _CMP_EQ_OQ);
        fl |= unsigned(_mm256_movemask_ps(z));
        const __m256 q = _mm256_div_ps(n, d);
        const __m256 sign = _mm256_and_ps(n, _mm256_castsi256_ps(_mm256_set1_epi32(int(0x80000000u))));
        const __m256 inf = _mm256_or_ps(sign, _mm256_castsi256_ps(_mm256_set1_epi32(0x7f800000)));
        const __m256 sub = _mm256_blendv_ps(inf, _mm256_castsi256_ps(_mm256_set1_epi32(0x7fc00000)),
                                            _mm256_cmp_ps(n, zero, _CMP_EQ_UQ));   // 0 or NaN
        return _mm256_blendv_ps(q, sub, z);
    } else {
        const __m256d zero = _mm256_setzero_pd();
        const __m256d z = _mm256_cmp_pd(d, zero, _CMP_EQ_OQ);
        fl |= unsigned(_mm256_movemask_pd(z));
        const __m256d q = _mm256_div_pd(n, d);
        const __m256d sign = _mm256_and_pd(n, _mm256_castsi256_pd(_mm256_set1_epi64x(std::int64_t(0x8000000000000000ull))));
        const __m256d inf = _mm256_or_pd(sign, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7ff0000000000000ll)));
        const __m256d sub = _mm256_blendv_pd(inf, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7ff8000000000000ll)),
                                             _mm256_cmp_pd(n, zero, _CMP_EQ_UQ));
        return _mm256_blendv_pd(q, sub, z);
    }
}

// Div and DivCRev: second operand / first.
struct FDivQ {
    template <class TD, class C, class X>
    static VEK_INLINE TD f(const C&, unsigned& fl, X x, X y) noexcept { return fdiv(y, x, fl); }
    template <class TD, class C, class... X>
    static constexpr bool vecOk = std::is_floating_point_v<TD> && (std::is_same_v<X, TD> && ...);
    template <class TD, class C>
    static VEK_INLINE __m256i vec(const C&, unsigned& fl, __m256i x, __m256i y) noexcept {
        using F = FVec<TD>;
        return F::out(vdiv<F>(F::in(y), F::in(x), fl));
    }
};

// Complex: second / first. 32fc is computed in double and rounded once.
struct CDivQ {
    template <class TD, class C, class X>
    static VEK_INLINE TD f(const C&, unsigned& fl, X x, X y) noexcept {
        using P = Part<X>;
        const double dr = x.re, di = x.im, nr = y.re, ni = y.im;
        const double m = dr * dr + di * di;
        const bool z = m == 0.0;
        fl |= unsigned(z);
        const double inv = 1.0 / m;
        const P qr = P((nr * dr + ni * di) * inv), qi = P((ni * dr - nr * di) * inv);
        return TD{z ? zeroDivSub(y.re) : qr, z ? zeroDivSub(y.im) : qi};
    }
};

// ---- the exported forms with a constant divisor or a rounding mode -----------------------
template <class T> VEK_INLINE bool zeroConst(T v) noexcept {
    if constexpr (isComplex<T>) {
        if constexpr (std::is_floating_point_v<Part<T>>) return v.re * v.re + v.im * v.im == Part<T>(0);
        else return v.re == 0 && v.im == 0;
    } else {
        return v == T(0);
    }
}

template <class Op, class M, class A, class V, class D>
VekStatus divCS(const A* a, V v, D* d, int len, int sf) noexcept {
    VEK_CHECK_PTRS(a, d);
    VEK_CHECK_LEN(len);
    {
        MxcsrGuard g(MxcsrGuard::kAllMasks, MxcsrGuard::kAllMasks);
        if (zeroConst(v)) return vekStsDivByZeroErr;
    }
    return applyC<Op, M>(sf, d, len, v, a);
}
template <class Op, class M, class V, class D>
VekStatus divCIS(V v, D* sd, int len, int sf) noexcept { return divCS<Op, M>(static_cast<const D*>(sd), v, sd, len, sf); }
template <class Op, class M, class A, class V, class D>
VekStatus divC(const A* a, V v, D* d, int len) noexcept { return divCS<Op, M>(a, v, d, len, 0); }
template <class Op, class M, class V, class D>
VekStatus divCI(V v, D* sd, int len) noexcept { return divCS<Op, M>(static_cast<const D*>(sd), v, sd, len, 0); }

VekStatus divC64s(Vek64s v, Vek64s* sd, int len, int sf) noexcept {
    VEK_CHECK_PTRS(sd);
    VEK_CHECK_LEN(len);
    if (v == 0) {
        run(sd, len, [](unsigned&, Vek64s x) noexcept {
            return x > 0 ? Lim<Vek64s>::hi : x < 0 ? Lim<Vek64s>::lo : Vek64s(0);
        }, static_cast<const Vek64s*>(sd));
        return vekStsDivByZero;
    }
    run(sd, len, [v, sf](unsigned&, Vek64s x) noexcept {
        return clampTo<Vek64s>(roundDivScaled(x, v, sf));
    }, static_cast<const Vek64s*>(sd));
    return vekStsNoErr;
}

template <class T>
VekStatus divRoundS(const T* a, const T* b, T* d, int len, int rnd, int sf) noexcept {
    VEK_CHECK_PTRS(a, b, d);
    VEK_CHECK_LEN(len);
    switch (rnd) {
        case vekRoundZero: return applyV<DivQ<false, RZero>, Exact>(sf, d, len, a, b);
        case vekRoundNear: return applyV<DivQ<false, RNear>, Exact>(sf, d, len, a, b);
        case vekRoundFin: return applyV<DivQ<false, RAway>, Exact>(sf, d, len, a, b);
        default: return vekStsRoundModeErr;
    }
}
template <class T>
VekStatus divRoundIS(const T* a, T* sd, int len, int rnd, int sf) noexcept {
    return divRoundS(a, static_cast<const T*>(sd), sd, len, rnd, sf);
}

}  // namespace vek::ar

#include "arith_div.def"
