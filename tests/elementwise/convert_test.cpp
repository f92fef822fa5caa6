// Conversion family against references written from the rules: long double and exact
// integer arithmetic for every rounding mode and scale factors across and beyond the
// useful range, exhaustive 8/16-bit and binary16 sources, binary16 rounding at every
// boundary, statuses in validation order with untouched destinations, and the caller's
// MXCSR.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "helpers.h"
#include "../../frame/manifest.h"

namespace {

using vt::i128;
using vt::refSat;

template <class T> std::uint64_t bitsOf(T v) {
    std::uint64_t b = 0;
    std::memcpy(&b, &v, sizeof v);
    return b;
}
float fbits(std::uint32_t b) { float f; std::memcpy(&f, &b, 4); return f; }

// A destination pointer that converts to whatever the export takes.
struct AnyPtr {
    void* p;
    template <class T> operator T*() const { return static_cast<T*>(p); }
};

// Runs call over xs (whole vector, then short unaligned pieces) and compares every
// element bit for bit with ref; a destination of Bytes bytes per element.
template <class TS, std::size_t Bytes = 0, class Call, class Ref>
void check(const char* what, const std::vector<TS>& xs, Call call, Ref ref) {
    SCOPED_TRACE(what);
    using TD = decltype(ref(xs[0]));
    constexpr std::size_t B = Bytes ? Bytes : sizeof(TD);
    const std::size_t n = xs.size();
    vt::Guarded<std::uint8_t> out(n * B);
    int failures = 0;
    auto compare = [&](std::size_t off, std::size_t len, const std::uint8_t* d) {
        for (std::size_t i = 0; i < len && failures < 8; ++i) {
            const TD want = ref(xs[off + i]);
            if (std::memcmp(d + i * B, &want, B) != 0) {
                std::uint64_t got = 0;
                std::memcpy(&got, d + i * B, B);
                ++failures;
                ADD_FAILURE() << "element " << off + i << " source bits 0x" << std::hex << bitsOf(xs[off + i])
                              << " got 0x" << got << " want 0x" << bitsOf(want);
            }
        }
    };
    ASSERT_EQ(call(xs.data(), AnyPtr{out.data()}, int(n)), vekStsNoErr);
    compare(0, n, out.data());
    EXPECT_TRUE(out.headIntact());
    for (std::size_t len : {1, 2, 7, 15, 16, 17, 31, 33, 64, 65}) {
        if (len + 1 > n) break;
        // One element in from an aligned start: off the vector alignment, but aligned
        // for the element type as the caller's pointers always are.
        std::vector<std::uint8_t> d((len + 2) * B, 0xA5);
        ASSERT_EQ(call(xs.data() + 1, AnyPtr{d.data() + B}, int(len)), vekStsNoErr);
        compare(1, len, d.data() + B);
        for (std::size_t k = 0; k < B; ++k) {
            EXPECT_EQ(d[k], 0xA5);
            EXPECT_EQ(d[(len + 1) * B + k], 0xA5);
        }
    }
}

template <class T> std::vector<T> allValues() {
    std::vector<T> v;
    for (std::int64_t x = std::numeric_limits<T>::min(); x <= std::numeric_limits<T>::max(); ++x) v.push_back(T(x));
    return v;
}

// ---- references ------------------------------------------------------------------------
template <class TD> struct Lim {
    static constexpr long double lo = (long double)std::numeric_limits<TD>::min();
    static constexpr long double hi = (long double)std::numeric_limits<TD>::max();
};
long double clampSf(long long sf) { return (long double)std::max(-20000LL, std::min(20000LL, sf)); }

// Float to integer: x x 2^-sf exactly, rounded by the mode, saturated to [lo, hi].
template <class TD>
std::int64_t refF2I(long double x, long long sf, int mode, long double lo = Lim<TD>::lo, long double hi = Lim<TD>::hi) {
    if (x != x) {
        const bool neg = std::signbit(x);
        if (std::is_same_v<TD, std::int32_t> || std::is_same_v<TD, std::int64_t>) return neg ? (std::int64_t)lo : (std::int64_t)hi;
        return (std::int64_t)lo;
    }
    const long double y = std::ldexp(x, -int(clampSf(sf)));
    const long double r = mode == 0 ? std::trunc(y) : mode == 1 ? std::nearbyint(y) : std::round(y);
    if (r >= hi) return (std::int64_t)hi;
    if (r <= lo) return (std::int64_t)lo;
    return (std::int64_t)r;
}

using vt::halfValue;
std::uint32_t refHalfToFloatBits(std::uint16_t h) {
    const int e = (h >> 10) & 0x1f, m = h & 0x3ff;
    const std::uint32_t sign = std::uint32_t(h & 0x8000) << 16;
    if (e == 0x1f) return sign | 0x7f800000u | (m ? 0x400000u | (std::uint32_t(m) << 13) : 0u);
    return bitsOf(float(halfValue(h))) & 0xffffffffu;
}
// Nearest (ties to even) or truncated binary16 of a float, by search over the values.
std::uint16_t refFloatToHalf(float x, bool rz) {
    const std::uint32_t b = std::uint32_t(bitsOf(x));
    const std::uint16_t sign = std::uint16_t((b >> 16) & 0x8000);
    if (std::isnan(x)) return std::uint16_t(sign | 0x7e00 | ((b >> 13) & 0x3ff));
    const long double a = std::fabs((long double)x);
    if (std::isinf(x)) return sign | 0x7c00;
    std::uint16_t lo = 0, hi = 0x7bff;   // largest h with value(h) <= a
    if (a >= halfValue(0x7bff)) lo = 0x7bff;
    else {
        while (lo < hi) {
            const std::uint16_t mid = std::uint16_t((lo + hi + 1) / 2);
            if (halfValue(mid) <= a) lo = mid; else hi = std::uint16_t(mid - 1);
        }
    }
    if (rz) return sign | lo;
    const long double v0 = halfValue(lo), v1 = lo == 0x7bff ? 65536.0L : halfValue(std::uint16_t(lo + 1));
    const long double d0 = a - v0, d1 = v1 - a;
    std::uint16_t r = lo;
    if (d1 < d0 || (d1 == d0 && (lo & 1))) r = std::uint16_t(lo + 1);
    return sign | r;
}

// ---- source values ---------------------------------------------------------------------
const std::vector<long long> kSfs = {INT_MIN, -1300, -1200, -1100, -1024, -1023, -300, -253, -252, -200, -128, -127,
                                     -126, -64, -33, -31, -16, -15, -8, -1, 0, 1, 2, 3, 7, 8, 15, 16, 24, 31, 32,
                                     33, 63, 64, 65, 126, 127, 128, 150, 200, 252, 253, 300, 1022, 1023, 1100,
                                     1200, 1300, INT_MAX};
const std::vector<int> kModes = {0, 1, 2, 3, -1};

template <class X> std::vector<X> floatEdges(vt::Rng& rng) {
    std::vector<X> v = {0, X(-0.0), X(0.5), X(-0.5), X(1.5), X(-1.5), X(2.5), X(-2.5), X(2.4), X(-3.7), X(254.5),
                        X(255.5), X(-128.5), X(-129), X(127.5), X(32767.5), X(32768), X(-32768.5), X(-32769),
                        X(65535.5), X(65536), X(2147483520.0f), X(2147483647.0), X(2147483647.5), X(2147483648.0),
                        X(-2147483648.0), X(-2147483649.0), X(8388607.5), X(16777215.5), X(-8388608.5),
                        X(9223372036854775807.0), X(-9223372036854775808.0), X(1e30), X(-1e30),
                        std::numeric_limits<X>::max(), -std::numeric_limits<X>::max(),
                        std::numeric_limits<X>::min(), std::numeric_limits<X>::denorm_min(),
                        -std::numeric_limits<X>::denorm_min(), std::numeric_limits<X>::infinity(),
                        -std::numeric_limits<X>::infinity(), std::numeric_limits<X>::quiet_NaN(),
                        -std::numeric_limits<X>::quiet_NaN(), std::numeric_limits<X>::signaling_NaN()};
    v.push_back(std::nextafter(X(0.5), X(0)));
    v.push_back(-std::nextafter(X(0.5), X(0)));
    v.push_back(std::nextafter(X(9223372036854775807.0), X(0)));
    for (int i = 0; i < 300; ++i) {
        const X m = X(rng.uniform(-2.0, 2.0));
        v.push_back(std::ldexp(m, int(rng.bits() % 80) - 20));
        v.push_back(X(double(std::int64_t(rng.bits() % 200001) - 100000) / 2.0));   // many ties
    }
    return v;
}

// check() at every scale factor and, for exports that take one, every rounding mode:
// ref(x, sf, mode) gives the element.
template <std::size_t Bytes = 0, class TS, class TD, class... I, class Ref>
void sweepSf(const char* name, const std::vector<TS>& xs, VekStatus (*fn)(const TS*, TD*, int, I...), Ref ref,
             const std::vector<long long>& sfs = kSfs, const std::vector<int>& modes = {1}) {
    for (long long sf : sfs)
        for (int mode : modes) {
            SCOPED_TRACE(std::string(name) + " sf " + std::to_string(sf) + " mode " + std::to_string(mode));
            check<TS, Bytes>(name, xs, [&](const TS* s, std::uint8_t* d, int n) {
                if constexpr (sizeof...(I) == 2) return fn(s, reinterpret_cast<TD*>(d), n, mode, int(sf));
                else return fn(s, reinterpret_cast<TD*>(d), n, int(sf));
            }, [&](TS x) { return ref(x, sf, mode); });
        }
}
// Integers shifted exactly, rounded by the mode and saturated to TD or [lo, hi].
template <class TD> auto shifted(i128 lo = std::numeric_limits<TD>::min(), i128 hi = std::numeric_limits<TD>::max()) {
    return [lo, hi](auto x, long long sf, int mode) { return refSat<TD>(vt::refScale(x, sf, mode), lo, hi); };
}
template <class TD> TD scaled(long double x, long long sf, int) { return TD(std::ldexp(x, -int(clampSf(sf)))); }

// ---- float to integer ------------------------------------------------------------------
template <class X, class TD>
void checkF2I(const char* name, VekStatus (*fn)(const X*, TD*, int, int, int)) {
    vt::Rng rng;
    sweepSf(name, floatEdges<X>(rng), fn, [](X x, long long sf, int mode) { return TD(refF2I<TD>(x, sf, mode)); }, kSfs, kModes);
}

TEST(Convert, FloatToInteger) {
    checkF2I("32f8s", veksConvert_32f8s_Sfs);
    checkF2I("32f8u", veksConvert_32f8u_Sfs);
    checkF2I("32f16s", veksConvert_32f16s_Sfs);
    checkF2I("32f16u", veksConvert_32f16u_Sfs);
    checkF2I("32f32s", veksConvert_32f32s_Sfs);
    checkF2I("64f8s", veksConvert_64f8s_Sfs);
    checkF2I("64f8u", veksConvert_64f8u_Sfs);
    checkF2I("64f16s", veksConvert_64f16s_Sfs);
    checkF2I("64f16u", veksConvert_64f16u_Sfs);
    checkF2I("64f32s", veksConvert_64f32s_Sfs);
    checkF2I("64f64s", veksConvert_64f64s_Sfs);
    // 24-bit destinations: the three bytes of the saturated value, rounded to nearest even.
    vt::Rng rng;
    const auto xs = floatEdges<float>(rng);
    sweepSf<3>("32f24s", xs, veksConvert_32f24s_Sfs,
               [](float x, long long sf, int) { return std::int32_t(refF2I<std::int8_t>(x, sf, 1, -8388608.0L, 8388607.0L)); });
    sweepSf<3>("32f24u", xs, veksConvert_32f24u_Sfs,
               [](float x, long long sf, int) { return std::int32_t(refF2I<std::uint8_t>(x, sf, 1, 0.0L, 16777215.0L)); });
}

// ---- integer to integer ------------------------------------------------------------------
template <class T> std::vector<T> intEdges(vt::Rng& rng) {
    using L = std::numeric_limits<T>;
    std::vector<T> v = {L::min(), T(L::min() + 1), L::max(), T(L::max() - 1), 0, 1, 2, 3, 5, 6, 7};
    if (std::is_signed_v<T>) for (T x : {T(-1), T(-2), T(-3), T(-5), T(-6), T(-7)}) v.push_back(x);
    for (int b = 1; b < int(8 * sizeof(T)) - 1; ++b) {
        const std::uint64_t p = std::uint64_t(1) << b;
        for (std::uint64_t q : {p - 1, p, p + 1, p + (p >> 1), p + (p >> 1) + 1}) {
            v.push_back(T(q));
            if (std::is_signed_v<T>) v.push_back(T(-std::int64_t(q)));
        }
    }
    for (int i = 0; i < 500; ++i) v.push_back(T(rng.bits()));
    return v;
}

TEST(Convert, IntegerScaled) {
    vt::Rng rng;
    const std::vector<int> modes = {0, 1, 2, 5, -3};
    sweepSf("8u8s", allValues<Vek8u>(), veksConvert_8u8s_Sfs, shifted<Vek8s>(), kSfs, modes);
    sweepSf("16s8s", allValues<Vek16s>(), veksConvert_16s8s_Sfs, shifted<Vek8s>(), kSfs, modes);
    sweepSf("64s32s", intEdges<Vek64s>(rng), veksConvert_64s32s_Sfs, shifted<Vek32s>(), kSfs, modes);
    sweepSf("32s16s", intEdges<Vek32s>(rng), veksConvert_32s16s_Sfs, shifted<Vek16s>());
    sweepSf<3>("32s24s", intEdges<Vek32s>(rng), veksConvert_32s24s_Sfs, shifted<std::int32_t>(-8388608, 8388607));
    sweepSf<3>("32u24u", intEdges<Vek32u>(rng), veksConvert_32u24u_Sfs, shifted<std::int32_t>(0, 16777215));
}

TEST(Convert, IntegerPlain) {
    vt::Rng rng;
    check("8s16s", allValues<Vek8s>(), veksConvert_8s16s, [](Vek8s x) { return Vek16s(x); });
    check("16s32s", allValues<Vek16s>(), veksConvert_16s32s, [](Vek16s x) { return Vek32s(x); });
    check("8s8u", allValues<Vek8s>(), veksConvert_8s8u, [](Vek8s x) { return Vek8u(x < 0 ? 0 : x); });
    check("32s16s", intEdges<Vek32s>(rng), veksConvert_32s16s, [](Vek32s x) { return refSat<Vek16s>(x); });
    // Every 24-bit value in a stride, edges included; three bytes least significant first.
    std::vector<std::uint32_t> vals;
    for (std::uint32_t v = 0; v < (1u << 24); v += 251) vals.push_back(v);
    for (std::uint32_t v : {0x7fffffu, 0x800000u, 0xffffffu, 0x000001u, 0x030201u}) vals.push_back(v);
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t v : vals) for (int k = 0; k < 3; ++k) bytes.push_back(std::uint8_t(v >> (8 * k)));
    const int n = int(vals.size());
    std::vector<Vek32u> du(n);
    std::vector<Vek32s> ds(n);
    std::vector<Vek32f> fu(n), fs(n);
    ASSERT_EQ(veksConvert_24u32u(bytes.data(), du.data(), n), vekStsNoErr);
    ASSERT_EQ(veksConvert_24s32s(bytes.data(), ds.data(), n), vekStsNoErr);
    ASSERT_EQ(veksConvert_24u32f(bytes.data(), fu.data(), n), vekStsNoErr);
    ASSERT_EQ(veksConvert_24s32f(bytes.data(), fs.data(), n), vekStsNoErr);
    for (int i = 0; i < n; ++i) {
        const std::int32_t sv = std::int32_t(vals[i] << 8) >> 8;
        ASSERT_EQ(du[i], vals[i]);
        ASSERT_EQ(ds[i], sv);
        ASSERT_EQ(fu[i], float(vals[i]));
        ASSERT_EQ(fs[i], float(sv));
    }
}

// ---- integer and float to float ------------------------------------------------------------
TEST(Convert, ToFloat) {
    vt::Rng rng;
    check("8s32f", allValues<Vek8s>(), veksConvert_8s32f, [](Vek8s x) { return float(x); });
    check("8u32f", allValues<Vek8u>(), veksConvert_8u32f, [](Vek8u x) { return float(x); });
    check("16s32f", allValues<Vek16s>(), veksConvert_16s32f, [](Vek16s x) { return float(x); });
    check("16u32f", allValues<Vek16u>(), veksConvert_16u32f, [](Vek16u x) { return float(x); });
    check("32s64f", intEdges<Vek32s>(rng), veksConvert_32s64f, [](Vek32s x) { return double(x); });
    check("32s32f", intEdges<Vek32s>(rng), veksConvert_32s32f, [](Vek32s x) { return float((long double)x); });
    check("64s64f", intEdges<Vek64s>(rng), veksConvert_64s64f, [](Vek64s x) { return double((long double)x); });
    const auto fe = floatEdges<float>(rng);
    check("32f64f", fe, veksConvert_32f64f, [](float x) { return double(x); });
    auto de = floatEdges<double>(rng);
    for (double v : {1e-40, 1.5e-45, 7e-46, 3.4028235677973366e38, 3.4028235677973362e38, 1e-310}) { de.push_back(v); de.push_back(-v); }
    check("64f32f", de, veksConvert_64f32f, [](double x) { return float(x); });
    sweepSf("16s32f_Sfs", allValues<Vek16s>(), veksConvert_16s32f_Sfs, scaled<float>);
    sweepSf("16s64f_Sfs", allValues<Vek16s>(), veksConvert_16s64f_Sfs, scaled<double>);
    sweepSf("32s32f_Sfs", intEdges<Vek32s>(rng), veksConvert_32s32f_Sfs, scaled<float>);
    sweepSf("32s64f_Sfs", intEdges<Vek32s>(rng), veksConvert_32s64f_Sfs, scaled<double>);
}

// The rounded conversions follow the caller's rounding direction.
TEST(Convert, CallerRounding) {
    const Vek32s x[] = {16777217, -16777217, 2147483647};
    const double y[] = {1.0 + 0x1p-30, -(1.0 + 0x1p-30), 1e300};
    const unsigned saved = _mm_getcsr();
    for (unsigned rc : {0x0000u, 0x2000u, 0x4000u, 0x6000u}) {
        _mm_setcsr((saved & ~0x6000u) | rc);
        Vek32f a[3], b[3];
        veksConvert_32s32f(x, a, 3);
        veksConvert_64f32f(y, b, 3);
        volatile Vek32s vx[3] = {x[0], x[1], x[2]};
        volatile double vy[3] = {y[0], y[1], y[2]};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(bitsOf(a[i]), bitsOf(float(vx[i]))) << rc;
            EXPECT_EQ(bitsOf(b[i]), bitsOf(float(vy[i]))) << rc;
        }
        _mm_setcsr(saved);
    }
}

// ---- binary16 -----------------------------------------------------------------------------
std::vector<Vek16f> allHalves() {
    std::vector<Vek16f> v(65536);
    for (int i = 0; i < 65536; ++i) v[i] = Vek16f(i);
    return v;
}
TEST(Convert, HalfToFloatExhaustive) {
    check("16f32f", allHalves(), veksConvert_16f32f, [](Vek16f h) { return fbits(refHalfToFloatBits(h)); });
}

TEST(Convert, FloatToHalf) {
    const auto xs = vt::halfBoundaries();
    for (int mode : {0, 1, 3, -1}) {
        SCOPED_TRACE(mode);
        check("32f16f", xs, [&](const float* s, Vek16f* d, int n) { return veksConvert_32f16f(s, d, n, mode); },
              [&](float x) { return Vek16f(refFloatToHalf(x, mode != 1)); });
        check("16s16f", allValues<Vek16s>(), [&](const Vek16s* s, Vek16f* d, int n) { return veksConvert_16s16f(s, d, n, mode); },
              [&](Vek16s x) { return Vek16f(refFloatToHalf(float(x), mode != 1)); });
    }
}

TEST(Convert, HalfToInteger) {
    sweepSf("16f16s", allHalves(), veksConvert_16f16s_Sfs,
            [](Vek16f h, long long sf, int mode) { return Vek16s(refF2I<Vek16s>(fbits(refHalfToFloatBits(h)), sf, mode == 1 ? 1 : 0)); },
            {INT_MIN, -300, -40, -16, -1, 0, 1, 2, 10, 24, 40, 300, INT_MAX}, {0, 1, 4});
}

// ---- statuses and the floating-point environment ----------------------------------------------
// Any export (src, dst, len, ...ints) called with the trailing ints taken from `ints`.
template <class S, class D, class... I, std::size_t... K>
VekStatus callWith(VekStatus (*f)(const S*, D*, int, I...), const void* s, void* d, int n, const int* ints, std::index_sequence<K...>) {
    return f(static_cast<const S*>(s), static_cast<D*>(d), n, ints[K]...);
}
// NaNs (signalling ones too), infinities, subnormals and out-of-range values in every
// source width raise exceptions inside; none may leave a trace in the caller's MXCSR.
template <class S, class D, class... I>
void mxcsrKept(const char* name, VekStatus (*f)(const S*, D*, int, I...)) {
    alignas(32) std::uint8_t src[8 * 40], d[8 * 40];
    const std::uint64_t pat[] = {0x7ff0000000000001ull, 0xfff8000000000000ull, 0x7ff0000000000000ull, 0x0000000000000001ull,
                                 0x7f800001ff800000ull, 0x00000001c7c35000ull, 0x7d017c01fc00ffffull, 0x4415af1d78b58c40ull};
    for (int i = 0; i < 40; ++i) std::memcpy(src + 8 * i, &pat[i % 8], 8);
    for (int a : {0, 1, 2, 3, 5, -200})
        for (int b : {0, 3, -200}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(a) + " " + std::to_string(b));
            const int ints[2] = {a, b};
            vt::expectMxcsrKept([&] { callWith(f, src, d, 37, ints, std::index_sequence_for<I...>{}); });
        }
}

#undef VEKFNR
#define VEKFNR(ret, name, ...) vt::checkStatuses("veks" #name, veks##name, 64), mxcsrKept(#name, veks##name), ++count;
TEST(Convert, StatusesAndMxcsr) {
    int count = 0;
#include "../../elementwise/convert.def"
    EXPECT_EQ(count, 44);
    // The binary16 conversions reject rounding mode 2 after the pointer and length checks;
    // every other export takes any mode.
    vt::checkBadValue("veksConvert_32f16f", veksConvert_32f16f, 3, 2, vekStsRoundModeErr);
    vt::checkBadValue("veksConvert_16s16f", veksConvert_16s16f, 3, 2, vekStsRoundModeErr);
    vt::checkBadValue("veksConvert_16f16s_Sfs", veksConvert_16f16s_Sfs, 3, 2, vekStsRoundModeErr);
    const float src[4] = {};
    Vek16s d[4];
    EXPECT_EQ(veksConvert_32f16s_Sfs(src, d, 4, 7, 3), vekStsNoErr);
}

}  // namespace
