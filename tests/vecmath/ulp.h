// ulp.h - error of a float or double result in units of the last place of the exact
// value, measured against a long double reference (11 extra bits for double).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vu {

#if defined(__SANITIZE_ADDRESS__)
#  define VU_SANITIZED 1
#elif defined(__has_feature)
#  if __has_feature(address_sanitizer)
#    define VU_SANITIZED 1
#  endif
#endif

// Points per range: 1e6 by default (1e5 in the sanitizer build, which runs about ten
// times slower), VEKS_VM_POINTS to override.
inline std::size_t points() {
    const char* s = std::getenv("VEKS_VM_POINTS");
#ifdef VU_SANITIZED
    constexpr std::size_t kDefault = 100000;
#else
    constexpr std::size_t kDefault = 1000000;
#endif
    return s ? std::size_t(std::strtod(s, nullptr)) : kDefault;
}

template <class T>
long double ulpErr(T got, long double ref) {
    using L = std::numeric_limits<T>;
    if (std::isnan(ref)) return std::isnan(got) ? 0 : 1e30L;
    if (std::isnan(got)) return 1e30L;
    if (std::isinf(ref)) {
        if (got == T(ref)) return 0;
        // A finite result at the overflow boundary: measure against the largest finite.
        ref = std::copysign((long double)L::max(), ref) * (1 + std::ldexp(1.0L, -L::digits));
    }
    if (std::isinf(got)) {
        if (std::fabs(ref) >= (long double)L::max()) {
            long double over = std::fabs(ref) - (long double)L::max();
            return over / std::ldexp(1.0L, L::max_exponent - L::digits) >= 0.5L ? 0 : 1e30L;
        }
        return 1e30L;
    }
    int e;
    std::frexp(ref, &e);   // |ref| in [2^(e-1), 2^e)
    int ue = std::max(e - L::digits, L::min_exponent - L::digits);
    if (ref == 0) ue = L::min_exponent - L::digits;
    return std::fabs((long double)got - ref) / std::ldexp(1.0L, ue);
}

struct Worst {
    long double err = 0;
    long double arg = 0, arg2 = 0;
    void add(long double e, long double a, long double b = 0) {
        if (e > err || std::isnan(e)) { err = e; arg = a; arg2 = b; }
    }
};

// Arguments: uniform in [lo, hi).
template <class T>
std::vector<T> uniform(std::size_t n, double lo, double hi, std::uint64_t seed) {
    std::mt19937_64 g(seed);
    std::uniform_real_distribution<double> d(lo, hi);
    std::vector<T> v(n);
    for (auto& x : v) x = T(d(g));
    return v;
}
// Arguments with uniformly random exponent in [elo, ehi] and random sign if signed.
template <class T>
std::vector<T> logUniform(std::size_t n, double elo, double ehi, bool sign, std::uint64_t seed) {
    std::mt19937_64 g(seed);
    std::uniform_real_distribution<double> d(elo, ehi);
    std::vector<T> v(n);
    for (auto& x : v) {
        T a = T(std::exp2(d(g)));
        x = (sign && (g() & 1)) ? -a : a;
    }
    return v;
}

template <class T>
std::vector<T> specials() {
    using L = std::numeric_limits<T>;
    return {T(0), -T(0), L::infinity(), -L::infinity(), L::quiet_NaN(), -L::quiet_NaN(),
            L::denorm_min(), -L::denorm_min(), L::min(), -L::min(), L::max(), -L::max(),
            T(1), T(-1), T(0.5), T(2), L::epsilon(), T(1) - L::epsilon() / 2, T(1) + L::epsilon()};
}

}  // namespace vu
