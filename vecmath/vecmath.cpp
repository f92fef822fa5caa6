// Transcendental vector math exports (see vecmath.def): thin shells over the vector
// kernels of vm.h, and the integer forms with their scale factors.
#include <cmath>

#include "manifest.h"
#include "simd.h"
#include "vm.h"

namespace vek::vx {

// ---- shells: validation, then the operation ---------------------------------------------
template <class Op, class T>
VekStatus unary(const T* s, T* d, int len) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    return Op::run(s, d, std::size_t(len));
}
template <class Op, class T>
VekStatus unaryI(T* sd, int len) noexcept {
    VEK_CHECK_PTRS(sd);
    VEK_CHECK_LEN(len);
    return Op::run(static_cast<const T*>(sd), sd, std::size_t(len));
}
template <class Op, class TS, class TD>
VekStatus intS(const TS* s, TD* d, int len, int sf) noexcept {
    VEK_CHECK_PTRS(s, d);
    VEK_CHECK_LEN(len);
    return Op::run(s, d, std::size_t(len), sf);
}
template <class Op, class T>
VekStatus intIS(T* sd, int len, int sf) noexcept {
    VEK_CHECK_PTRS(sd);
    VEK_CHECK_LEN(len);
    return Op::run(static_cast<const T*>(sd), sd, std::size_t(len), sf);
}

namespace {

// One double lane of a vector kernel, for scalar loops that already run under IeeeEnv.
VEK_INLINE double expD1(double x) noexcept { return _mm256_cvtsd_f64(vm::exp_a53(_mm256_set1_pd(x))); }
VEK_INLINE double lnD1(double x) noexcept { return _mm256_cvtsd_f64(vm::ln_a53(_mm256_set1_pd(x))); }

// Principal square root: a = re/2, b = im/2, t = |a| + |(a, b)|, s = sqrt t; re >= 0
// gives (s, b/s), re < 0 gives (|b|/s, s with the sign of im). Computed in double for
// float data; double data far from 1 in magnitude is scaled by an even power of two so
// that |(a, b)| neither overflows nor loses bits to underflow.
template <class T>
VEK_INLINE void csqrt(double re, double im, double& ore, double& oim) noexcept {
    if (__builtin_isinf(im)) {
        ore = __builtin_inf();
        oim = im;
        return;
    }
    double a = 0.5 * re, b = 0.5 * im, back = 1.0;
    if constexpr (sizeof(T) == 8) {
        const double m = std::fmax(std::fabs(a), std::fabs(b));
        if (m > 0x1p500) {
            a *= 0x1p-600;
            b *= 0x1p-600;
            back = 0x1p300;
        } else if (m < 0x1p-500) {
            a *= 0x1p600;
            b *= 0x1p600;
            back = 0x1p-300;
        }
    }
    const double t = std::fabs(a) + std::sqrt(std::fma(a, a, b * b));
    if (t == 0.0) {   // re = im = 0
        ore = 0.0;
        oim = im;
        return;
    }
    const double s = std::sqrt(t);
    if (!(re < 0)) {
        ore = s * back;
        oim = b / s * back;
    } else {
        ore = std::fabs(b) / s * back;
        oim = std::copysign(s, im) * back;
    }
}

// floor(v + 1/2) without the rounding of the sum.
VEK_INLINE double roundHalfUp(double v) noexcept {
    const double f = std::floor(v);
    return v - f >= 0.5 ? f + 1.0 : f;
}

// ceil(e^(k - 1/2)), k = 1..21: x >= kLnThr[k-1] means round(ln x) >= k.
constexpr std::int32_t kLnThr[21] = {2,       5,        13,       34,        91,       245,
                                     666,     1809,     4915,     13360,     36316,    98716,
                                     268338,  729417,   1982760,  5389699,   14650720, 39824785,
                                     108254988, 294267567, 799902178};

}  // namespace

// ---- floating forms ---------------------------------------------------------------------
struct SqrtF {
    // Exceptions masked for the call; the caller's rounding and flush modes stay.
    static VekStatus run(const Vek32f* s, Vek32f* d, std::size_t n) noexcept {
        MxcsrGuard g(MxcsrGuard::kAllMasks, MxcsrGuard::kAllMasks);
        const bool neg = vm::detail::sqrtEstimate(s, d, n);
        return neg ? vekStsSqrtNegArg : vekStsNoErr;
    }
    static VekStatus run(const Vek64f* s, Vek64f* d, std::size_t n) noexcept {
        MxcsrGuard g(MxcsrGuard::kAllMasks, MxcsrGuard::kAllMasks);
        __m256d neg = _mm256_setzero_pd();
        simd::mapBytes<Vek64f>(s, d, n, [&](__m256i v) {
            const __m256d x = _mm256_castsi256_pd(v);
            neg = _mm256_or_pd(neg, _mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_LT_OQ));
            return _mm256_castpd_si256(_mm256_sqrt_pd(x));
        });
        return vm::detail::any(neg) ? vekStsSqrtNegArg : vekStsNoErr;
    }
};

struct SqrtC {
    template <class C>
    static VekStatus run(const C* s, C* d, std::size_t n) noexcept {
        using P = typename Cplx<C>::part;
        IeeeEnv env;
        for (std::size_t i = 0; i < n; ++i) {
            double re, im;
            csqrt<P>(double(s[i].re), double(s[i].im), re, im);
            d[i].re = P(re);
            d[i].im = P(im);
        }
        return vekStsNoErr;
    }
};

struct CbrtF {
    static VekStatus run(const Vek32f* s, Vek32f* d, std::size_t n) noexcept {
        vm::cbrt(s, d, n, vm::A21);
        return vekStsNoErr;
    }
};

struct AtanF {
    template <class T>
    static VekStatus run(const T* s, T* d, std::size_t n) noexcept {
        vm::atan(s, d, n, vm::Accuracy::LA);
        return vekStsNoErr;
    }
};

struct ExpF {
    template <class T>
    static VekStatus run(const T* s, T* d, std::size_t n) noexcept {
        return VekStatus(vm::exp(s, d, n, vm::Accuracy::LA));   // 12 and 17 are the warnings
    }
};

struct LnF {
    template <class T>
    static VekStatus run(const T* s, T* d, std::size_t n) noexcept {
        const int c = vm::ln(s, d, n, vm::Accuracy::LA);
        return c == vm::kVmSingularity ? vekStsLnZeroArg : c == vm::kVmDomain ? vekStsNanArg : vekStsNoErr;
    }
};

// ---- integer forms ----------------------------------------------------------------------
struct SqrtI {
    template <class TS, class TD>
    static VekStatus run(const TS* s, TD* d, std::size_t n, int sf) noexcept {
        IeeeEnv env;
        const double sc = pow2neg(sf);
        if constexpr (isComplex<TS>) {
            using P = typename Cplx<TD>::part;
            for (std::size_t i = 0; i < n; ++i) {
                double re, im;
                csqrt<float>(s[i].re, s[i].im, re, im);
                d[i].re = satFromDouble<P>(re * sc);
                d[i].im = satFromDouble<P>(im * sc);
            }
            return vekStsNoErr;
        } else {
            bool neg = false;
            for (std::size_t i = 0; i < n; ++i) {
                const TS x = s[i];
                if constexpr (std::is_signed_v<TS>) {
                    if (x < 0) {
                        neg = true;
                        d[i] = 0;
                        continue;
                    }
                }
                d[i] = x == 0 ? TD(0) : satFromDouble<TD>(std::sqrt(double(x)) * sc);
            }
            return neg ? vekStsSqrtNegArg : vekStsNoErr;
        }
    }
};

struct CbrtI {
    static VekStatus run(const Vek32s* s, Vek16s* d, std::size_t n, int sf) noexcept {
        IeeeEnv env;
        const double sc = pow2neg(sf);
        alignas(32) float buf[256];
        for (std::size_t i = 0; i < n; i += 256) {
            const std::size_t m = n - i < 256 ? n - i : 256;
            for (std::size_t j = 0; j < m; ++j) buf[j] = float(s[i + j]);
            vm::cbrt(buf, buf, m, vm::A21);
            for (std::size_t j = 0; j < m; ++j)
                d[i + j] = buf[j] == 0 ? Vek16s(0) : satFromDouble<Vek16s>(double(buf[j]) * sc);
        }
        return vekStsNoErr;
    }
};

struct ExpI {
    // e^x 2^-sf rounded to nearest with ties up, saturated; never negative.
    template <class T>
    static T one(T x, int sf) noexcept {
        constexpr double kMax = double(std::numeric_limits<T>::max());
        double v;
        if (x == 0) {
            v = pow2neg(sf);
        } else if (x > -700 && x < 700 && sf > -900 && sf < 900) {
            v = expD1(double(x)) * pow2neg(sf);   // exact scaling
        } else {
            // e^(x - sf ln2): only |u| < 23 can give a result neither 0 nor saturated.
            const double u = std::fma(-double(sf), vm::detail::kLn2Hi, double(x)) -
                             double(sf) * vm::detail::kLn2Lo;
            if (u > 23) return std::numeric_limits<T>::max();
            if (u < -2) return 0;
            v = expD1(u);
        }
        if (!(v < kMax)) return std::numeric_limits<T>::max();
        return T(roundHalfUp(v));
    }
    template <class T>
    static VekStatus run(const T* s, T* d, std::size_t n, int sf) noexcept {
        IeeeEnv env;
        for (std::size_t i = 0; i < n; ++i) d[i] = one(s[i], sf);
        return vekStsNoErr;
    }
};

struct LnI {
    template <class T>
    static VekStatus run(const T* s, T* d, std::size_t n, int sf) noexcept {
        IeeeEnv env;
        const double sc = pow2neg(sf);
        VekStatus st = vekStsNoErr;
        for (std::size_t i = 0; i < n; ++i) {
            const T x = s[i];
            if (x <= 0) {
                if (st == vekStsNoErr) st = x == 0 ? vekStsLnZeroArg : vekStsNanArg;
                d[i] = std::numeric_limits<T>::min();
                continue;
            }
            if constexpr (sizeof(T) == 4) {
                if (sf >= 0) {
                    int k = 0;
                    while (k < 21 && x >= kLnThr[k]) ++k;
                    d[i] = sf > 30 ? 0 : T(k >> sf);
                    continue;
                }
            }
            d[i] = satFromDouble<T>(lnD1(double(x)) * sc);
        }
        return st;
    }
};

}  // namespace vek::vx

#include "vecmath.def"
