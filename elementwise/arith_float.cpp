// Floating-point arithmetic and the mixed integer/float forms (see arith.h).
#if defined(__GNUC__) && !defined(__clang__)
// Exceptions are masked in every kernel of this file, so the compiler may if-convert
// comparisons on floating-point values.
#pragma GCC optimize("no-trapping-math")
#endif
#include "arith.h"
#include "manifest.h"

namespace vek::ar {

VekStatus addF32(const Vek32f* a, const Vek32f* b, Vek32f* d, int len) noexcept {
    return bin<Fp<FAdd>, Flt>(a, b, d, len);
}

// x * val * 2^-sf exactly: val = m 2^(e-53) with an integer m, so the product is the
// integer x m (below 2^117) scaled by 2^-(sf - e + 53), rounded and saturated by the
// integer scale rule.
VekStatus mulC64f64s(Vek64f val, Vek64s* sd, int len, int sf) noexcept {
    VEK_CHECK_PTRS(sd);
    VEK_CHECK_LEN(len);
    std::int64_t m = 0;
    long long t = 0;
    {
        MxcsrGuard g(MxcsrGuard::kAllMasks, MxcsrGuard::kAllMasks);   // an SNaN must not leave a flag
        if (__builtin_isinf(val)) {
            m = val > 0 ? 1 : -1;
            t = -200;                   // every non-zero element saturates
        } else if (val == val && val != 0.0) {
            int e = 0;
            const double f = __builtin_frexp(val, &e);
            m = std::int64_t(__builtin_ldexp(f, 53));
            t = (long long)sf - e + 53;
        }
    }
    const int ts = int(t > 200 ? 200 : t < -200 ? -200 : t);
    IntW<i128>::dispatch(ts, [&](const auto& c) noexcept {
        const auto cc = c;
        return run(sd, len, [cc, m](unsigned&, Vek64s x) noexcept {
            return cc.template put<Vek64s>(i128(x) * m);
        }, static_cast<const Vek64s*>(sd));
    });
    return vekStsNoErr;
}

}  // namespace vek::ar

#include "arith_float.def"
