// Floating-point arithmetic against double references: every real and complex form at
// every length from 1 to 70 and a long one, misaligned, in place against out of place,
// IEEE division with its zero-divisor substitutes, the mixed integer/float forms; for
// every export of the family the statuses in validation order with nothing written and
// the caller's MXCSR kept.
#if defined(__GNUC__) && !defined(__clang__)
// The references spell out every rounding; no contraction into fused multiply-adds.
#pragma GCC optimize("fp-contract=off")
#endif
#include <climits>
#include <cmath>
#include <functional>
#include <iomanip>
#include <sstream>

#include "helpers.h"
#include "../../frame/manifest.h"

namespace {

using vt::i128;

template <class T> std::uint64_t bitsOf(T v) {
    std::uint64_t u = 0;
    std::memcpy(&u, &v, sizeof v);
    return u;
}
template <class T, class U> T vtBits(U u) { T t; std::memcpy(&t, &u, sizeof t); return t; }
template <class T> bool same(T a, T b) {   // bit for bit, NaNs included
    if constexpr (std::is_arithmetic_v<T>) return bitsOf(a) == bitsOf(b);
    else return same(a.re, b.re) && same(a.im, b.im);
}
template <class T> bool isZero(T v) {
    if constexpr (std::is_arithmetic_v<T>) return v == T(0);
    else return v.re == 0 && v.im == 0;
}
template <class T> std::string show(T v) {
    std::ostringstream s;
    if constexpr (std::is_arithmetic_v<T>) s << std::setprecision(17) << v;
    else s << std::setprecision(17) << v.re << "," << v.im;
    return s.str();
}

// y / x with the zero-divisor substitutes: infinity by the sign of y, NaN for 0 or NaN.
template <class T> T divRef(T x, T y) {
    if (x == T(0)) {
        if (y != y || y == T(0)) return sizeof(T) == 4 ? vtBits<T>(0x7FC00000u) : vtBits<T>(0x7FF8000000000000ull);
        return y < 0 ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
    }
    return T(double(y) / double(x));
}
template <class C> C cmulRef(C a, C b) {   // the documented fused formula
    using P = decltype(a.re);
    return C{std::fma(b.re, a.re, -(P)(b.im * a.im)), std::fma(b.re, a.im, (P)(b.im * a.re))};
}

// Real operands: every ordered pair of specials first, then values of a wide exponent
// range. Complex operands: random parts, with a zero every 13 elements.
template <class T> void operands(vt::Rng& rng, int n, std::vector<T>& a, std::vector<T>& b) {
    a.resize(n);
    b.resize(n);
    if constexpr (std::is_arithmetic_v<T>) {
        using L = std::numeric_limits<T>;
        const T s[] = {T(0), T(-0.0), T(1), T(-1), T(0.5), T(3), L::infinity(), -L::infinity(), L::quiet_NaN(),
                       L::denorm_min(), L::max(), L::min()};
        for (int i = 0; i < n; ++i) {
            if (i < 144) { a[i] = s[i % 12]; b[i] = s[i / 12]; continue; }
            a[i] = T(std::ldexp(rng.uniform(-1, 1), int(rng.bits() % 80) - 40));
            b[i] = T(std::ldexp(rng.uniform(-1, 1), int(rng.bits() % 80) - 40));
        }
    } else {
        using P = decltype(T{}.re);
        for (int i = 0; i < n; ++i) {
            a[i] = i % 13 == 5 ? T{0, 0} : T{P(rng.uniform(-4, 4)), P(rng.uniform(-4, 4))};
            b[i] = T{P(rng.uniform(-4, 4)), P(rng.uniform(-4, 4))};
        }
    }
}

// One export as call(a, b, d, n) where d holds b on entry (the accumulator of the
// accumulating forms, the second operand of the in-place binary forms); ref gives
// element i from a[i] and b[i]. The in-place form, when there is one, must agree.
template <class T> struct FCase {
    const char* name;
    std::function<VekStatus(const T*, const T*, T*, int)> out, in;
    std::function<T(T, T)> ref;
    bool div = false;   // a zero in a gives the warning
};
template <class T> void runCases(const std::vector<FCase<T>>& cases) {
    vt::Rng rng;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int n : vt::shortLengths()) {
            std::vector<T> va, vb;
            operands(rng, n + 3, va, vb);
            const T *a = va.data() + n % 4, *b = vb.data() + n % 4;   // sources at four offsets
            vt::Guarded<T> d(n);   // ends at a guard page
            std::copy(b, b + n, d.data());
            const VekStatus st = c.out(a, b, d.data(), n);
            bool zero = false;
            for (int i = 0; i < n; ++i) {
                const T want = c.ref(a[i], b[i]);
                ASSERT_TRUE(same(d[i], want)) << "n=" << n << " i=" << i << " a=" << show(a[i]) << " b=" << show(b[i])
                                              << " got " << show(d[i]) << " want " << show(want);
                zero |= isZero(a[i]);
            }
            EXPECT_EQ(st, c.div && zero ? vekStsDivByZero : vekStsNoErr) << "n=" << n;
            EXPECT_TRUE(d.headIntact());
            if (c.in) {
                std::vector<T> e(b, b + n);
                EXPECT_EQ(c.in(a, b, e.data(), n), st);
                ASSERT_EQ(std::memcmp(e.data(), d.data(), n * sizeof(T)), 0) << "in place differs, n=" << n;
            }
        }
    }
}
// The constant of the constant forms.
template <class T> T constant() {
    if constexpr (std::is_arithmetic_v<T>) return T(1.0 / 3.0);
    else return T{decltype(T{}.re)(-1.25), decltype(T{}.re)(0.375)};
}
#define K constant<T>()
#define OUT2(f) [](const T* a, const T* b, T* d, int n) { return f(a, b, d, n); }
#define IN2(f) [](const T* a, const T*, T* d, int n) { return f(a, d, n); }
#define OUTC(f) [](const T* a, const T*, T* d, int n) { return f(a, K, d, n); }
#define INC(f) [](const T* a, const T*, T* d, int n) { std::copy(a, a + n, d); return f(K, d, n); }
#define OUT1(f) [](const T* a, const T*, T* d, int n) { return f(a, d, n); }
#define IN1(f) [](const T* a, const T*, T* d, int n) { std::copy(a, a + n, d); return f(d, n); }
#define ACC(f) [](const T* a, const T* b, T* d, int n) { return f(a, b, d, n); }
#define ACCC(f) [](const T* a, const T*, T* d, int n) { return f(a, K, d, n); }
// The forms every real and complex type has: Add, Sub, Mul, Div with their in-place
// forms, AddC, SubC, SubCRev, MulC, DivC and Sqr with theirs, and AddProduct
// (pSrcDst + pSrc1 x pSrc2).
#define COMMON(s, add, sub, subr, mul, div, divc, sqr, addp)                                                        \
    {"Add_" #s, OUT2(veksAdd_##s), IN2(veksAdd_##s##_I), [](T x, T y) { return add(x, y); }},                  \
    {"Sub_" #s, OUT2(veksSub_##s), IN2(veksSub_##s##_I), [](T x, T y) { return sub(x, y); }},                  \
    {"Mul_" #s, OUT2(veksMul_##s), IN2(veksMul_##s##_I), [](T x, T y) { return mul(x, y); }},                  \
    {"Div_" #s, OUT2(veksDiv_##s), IN2(veksDiv_##s##_I), [](T x, T y) { return div(x, y); }, true},            \
    {"AddC_" #s, OUTC(veksAddC_##s), INC(veksAddC_##s##_I), [](T x, T) { return add(x, K); }},                 \
    {"SubC_" #s, OUTC(veksSubC_##s), INC(veksSubC_##s##_I), [](T x, T) { return subr(x, K); }},               \
    {"SubCRev_" #s, OUTC(veksSubCRev_##s), INC(veksSubCRev_##s##_I), [](T x, T) { return sub(x, K); }},        \
    {"MulC_" #s, OUTC(veksMulC_##s), INC(veksMulC_##s##_I), [](T x, T) { return mul(x, K); }},                 \
    {"DivC_" #s, OUTC(veksDivC_##s), INC(veksDivC_##s##_I), [](T x, T) { return divc(x, K); }},                \
    {"Sqr_" #s, OUT1(veksSqr_##s), IN1(veksSqr_##s##_I), [](T x, T) { return sqr(x); }},                       \
    {"AddProduct_" #s, ACC(veksAddProduct_##s), {}, [](T x, T y) { return addp(x, y); }}

// Real: single-precision results through double are correctly rounded (53 >= 2 x 24 + 2).
template <class T> T rAdd(T x, T y) { return T(double(x) + y); }
template <class T> T rSub(T x, T y) { return T(double(y) - x); }
template <class T> T rSubR(T x, T y) { return T(double(x) - y); }
template <class T> T rMul(T x, T y) { return T(double(x) * y); }
template <class T> T rDivC(T x, T v) { return x * (T(1) / v); }
template <class T> T rSqr(T x) { return x * x; }
template <class T> T rAddP(T x, T y) { return std::fma(x, y, y); }
#define REAL(s)                                                                                                \
    COMMON(s, rAdd, rSub, rSubR, rMul, divRef, rDivC, rSqr, rAddP),                                                   \
    {"Abs_" #s, OUT1(veksAbs_##s), IN1(veksAbs_##s##_I), [](T x, T) { return std::fabs(x); }},                 \
    {"AddProductC_" #s, ACCC(veksAddProductC_##s), {}, [](T x, T y) { return std::fma(x, K, y); }}
TEST(ArithFloat, Real) {
    { using T = Vek32f; runCases<T>({REAL(32f), {"DivCRev_32f", OUTC(veksDivCRev_32f), INC(veksDivCRev_32f_I), [](T x, T) { return divRef(x, K); }, true}}); }
    { using T = Vek64f; runCases<T>({REAL(64f)}); }
    // Abs keeps a NaN's payload and clears the sign of -0.0.
    float s[2] = {vtBits<float>(0xFFC01234u), -0.0f}, r[2];
    double s64[2] = {vtBits<double>(0xFFF8000000001234ull), -0.0}, r64[2];
    veksAbs_32f(s, r, 2);
    veksAbs_64f(s64, r64, 2);
    EXPECT_EQ(bitsOf(r[0]), 0x7FC01234u);
    EXPECT_EQ(bitsOf(r64[0]), 0x7FF8000000001234ull);
    EXPECT_EQ(bitsOf(r[1]) | bitsOf(r64[1]), 0u);
}

template <class C> C cAdd(C x, C y) { return C{x.re + y.re, x.im + y.im}; }
template <class C> C cSub(C x, C y) { return C{y.re - x.re, y.im - x.im}; }
template <class C> C cSubR(C x, C y) { return C{x.re - y.re, x.im - y.im}; }
template <class C> C cSqr(C x) { return cmulRef(x, x); }
template <class C> C cAddP(C x, C y) { return cAdd(y, cmulRef(x, y)); }
template <class C> C cDivC(C x, C v) {
    using P = decltype(v.re);
    const P m = v.re * v.re + v.im * v.im;
    return cmulRef(x, C{v.re / m, -v.im / m});
}
// y / x: single precision through double rounded once, double with the reciprocal of
// |x|^2; a zero divisor gives the real substitutes part by part.
template <class C> C cDiv(C x, C y) {
    using P = decltype(x.re);
    const double m = double(x.re) * x.re + double(x.im) * x.im;
    if (m == 0) return C{divRef(P(0), y.re), divRef(P(0), y.im)};
    const double nr = double(y.re) * x.re + double(y.im) * x.im, ni = double(y.im) * x.re - double(y.re) * x.im;
    if constexpr (sizeof(P) == 4) return C{P(nr / m), P(ni / m)};
    else return C{nr * (1.0 / m), ni * (1.0 / m)};
}
TEST(ArithFloat, Complex) {
    {
        using T = Vek32fc;
        runCases<T>({COMMON(32fc, cAdd, cSub, cSubR, cmulRef, cDiv, cDivC, cSqr, cAddP),
                     {"Mul_32f32fc", [](const T* a, const T* b, T* d, int n) {
                          std::vector<float> r(n);
                          for (int i = 0; i < n; ++i) r[i] = a[i].re;
                          return veksMul_32f32fc(r.data(), b, d, n);
                      },
                      [](const T* a, const T*, T* d, int n) {
                          std::vector<float> r(n);
                          for (int i = 0; i < n; ++i) r[i] = a[i].re;
                          return veksMul_32f32fc_I(r.data(), d, n);
                      },
                      [](T x, T y) { return T{x.re * y.re, x.re * y.im}; }}});
    }
    { using T = Vek64fc; runCases<T>({COMMON(64fc, cAdd, cSub, cSubR, cmulRef, cDiv, cDivC, cSqr, cAddP)}); }
}

// Integer sources or destinations.
TEST(ArithFloat, Mixed) {
    std::vector<Vek16s> a, b;
    for (int x : {-32768, -32767, -1, 0, 1, 3, 255, 32767}) for (int y : {-32768, -5, 0, 2, 32767}) { a.push_back(Vek16s(x)); b.push_back(Vek16s(y)); }
    const int n = int(a.size());
    std::vector<float> f(n), g(n), h(n);
    veksAdd_16s32f(a.data(), b.data(), f.data(), n);
    veksSub_16s32f(a.data(), b.data(), g.data(), n);
    vt::expectMxcsrKept([&] { veksMul_16s32f(a.data(), b.data(), h.data(), n); });   // nearest even in round-up mode
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(f[i], float(a[i] + b[i]));
        EXPECT_EQ(g[i], float(b[i] - a[i]));
        EXPECT_EQ(h[i], float(double(a[i]) * b[i]));
    }

    std::vector<float> x = {0.5f, 1.5f, 2.5f, -0.5f, -1.5f, 100000.0f, -100000.0f, std::nanf(""), 3.25f, -7.75f};
    std::vector<Vek16s> o(x.size());
    for (int sf : {INT_MIN, -200, -3, -1, 0, 1, 2, 30, 200, INT_MAX}) {
        vt::expectMxcsrKept([&] { EXPECT_EQ(veksMulC_32f16s_Sfs(x.data(), 3.0f, o.data(), int(x.size()), sf), vekStsNoErr); });
        const float k = float(3.0 * std::ldexp(1.0, int(std::max(-1100LL, std::min(1100LL, -static_cast<long long>(sf))))));
        for (std::size_t i = 0; i < x.size(); ++i) {
            float p = x[i] * k;
            const long want = p != p ? 0 : p >= 32767.0f ? 32767 : p <= -32768.0f ? -32768 : std::lrint(p);
            EXPECT_EQ(o[i], want) << "sf=" << sf << " x=" << x[i];
        }
    }
    veksMulC_Low_32f16s(x.data(), 1.0f, o.data(), int(x.size()));
    EXPECT_EQ(o[0], 0); EXPECT_EQ(o[1], 2); EXPECT_EQ(o[2], 2); EXPECT_EQ(o[5], 32767); EXPECT_EQ(o[6], -32768); EXPECT_EQ(o[7], 0);

    // 64s times a 64f constant val = m 2^(e - 53), exact, then scaled and saturated.
    vt::Rng rng;
    std::vector<Vek64s> s = {0, 1, -1, 3, INT64_MAX, INT64_MIN, 1LL << 40, -(1LL << 52) - 1};
    for (int i = 0; i < 40; ++i) s.push_back(Vek64s(rng.bits()) >> (rng.bits() % 64));
    for (double val : {0.75, -1.0 / 3.0, 3.0e10, -1e-10, 1.0, 0.0}) {
        int e = 0;
        const i128 m = i128(std::ldexp(std::frexp(val, &e), 53));
        for (int sf : {INT_MIN, -70, -10, -1, 0, 1, 5, 40, 70, INT_MAX}) {
            std::vector<Vek64s> d = s;
            ASSERT_EQ(veksMulC_64f64s_ISfs(val, d.data(), int(d.size()), sf), vekStsNoErr);
            for (std::size_t i = 0; i < s.size(); ++i)
                ASSERT_EQ(d[i], vt::refSat<Vek64s>(vt::refScale(i128(s[i]) * m, (long long)sf - e + 53))) << val << " " << sf << " " << s[i];
        }
    }
    std::vector<Vek64s> d = {5, -5, 0};
    veksMulC_64f64s_ISfs(std::numeric_limits<double>::infinity(), d.data(), 3, 0);
    EXPECT_EQ(d[0], INT64_MAX); EXPECT_EQ(d[1], INT64_MIN); EXPECT_EQ(d[2], 0);
}

// ---- statuses, validation order, nothing written, MXCSR, for every export -------------------
#undef VEKFNR
#define VEKFNR(ret, name, ...) vt::checkStatuses("veks" #name, veks##name), ++count;
TEST(ArithAll, StatusesAndMxcsr) {
    int count = 0;
#include "../../elementwise/arith_int.def"
#include "../../elementwise/arith_float.def"
#include "../../elementwise/arith_div.def"
    EXPECT_EQ(count, 248);
}

TEST(ArithAll, ValueArgumentErrors) {
#define DZ(f, at)                                                                  \
    vt::checkBadValue("veks" #f, veks##f, at, 0, vekStsDivByZeroErr);              \
    vt::checkBadValue("veks" #f "_I", veks##f##_I, at - 1, -0.0, vekStsDivByZeroErr);
#define DZS(f) vt::checkBadValue("veks" #f "_Sfs", veks##f##_Sfs, 1, 0, vekStsDivByZeroErr); \
    vt::checkBadValue("veks" #f "_ISfs", veks##f##_ISfs, 0, 0, vekStsDivByZeroErr);
    DZ(DivC_32f, 1) DZ(DivC_64f, 1) DZ(DivC_32fc, 1) DZ(DivC_64fc, 1)
    DZS(DivC_8u) DZS(DivC_16s) DZS(DivC_16u) DZS(DivC_16sc)
    for (int mode : {-1, 3, INT_MAX}) {
        vt::checkBadValue("Div_Round_8u", veksDiv_Round_8u_Sfs, 4, mode, vekStsRoundModeErr);
        vt::checkBadValue("Div_Round_16s", veksDiv_Round_16s_Sfs, 4, mode, vekStsRoundModeErr);
        vt::checkBadValue("Div_Round_16u_I", veksDiv_Round_16u_ISfs, 3, mode, vekStsRoundModeErr);
    }
}

}  // namespace
