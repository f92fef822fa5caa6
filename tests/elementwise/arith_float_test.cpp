// Arithmetic family: floating-point forms against double references, IEEE division
// and its zero-divisor substitutes, the mixed integer/float forms, and for every export
// of the family the statuses in validation order, nothing written on an error, and the
// caller's MXCSR kept.
#if defined(__GNUC__) && !defined(__clang__)
// The references spell out every rounding; no contraction into fused multiply-adds.
#pragma GCC optimize("fp-contract=off")
#endif
#include <array>
#include <climits>
#include <iomanip>
#include <cmath>
#include <tuple>
#include <utility>

#include "helpers.h"

namespace {

using i128 = __int128;

template <class T> std::uint64_t bitsOf(T v) {
    if constexpr (sizeof(T) == 4) { std::uint32_t u; std::memcpy(&u, &v, 4); return u; }
    else { std::uint64_t u; std::memcpy(&u, &v, 8); return u; }
}
template <class T, class U> T vtBits(U u) { T t; std::memcpy(&t, &u, sizeof t); return t; }
template <class T> bool sameBits(T a, T b) { return bitsOf(a) == bitsOf(b) || (a != a && b != b); }

// Random values with a wide exponent range plus specials.
template <class T> std::vector<T> floatValues(vt::Rng& rng, std::size_t n) {
    std::vector<T> v = {T(0), T(-0.0), T(1), T(-1), T(0.5), T(3), std::numeric_limits<T>::infinity(),
                        -std::numeric_limits<T>::infinity(), std::numeric_limits<T>::denorm_min(),
                        std::numeric_limits<T>::max(), std::numeric_limits<T>::min()};
    while (v.size() < n) v.push_back(T(std::ldexp(rng.uniform(-1, 1), int(rng.bits() % 80) - 40)));
    return v;
}

// ---- real binary forms -----------------------------------------------------------------
template <class T> struct FBin {
    const char* name;
    VekStatus (*out)(const T*, const T*, T*, int);
    VekStatus (*in)(const T*, T*, int);
    T (*ref)(T x, T y);   // x = pSrc1[i], y = pSrc2[i]
};
// Single-precision results through double are correctly rounded (53 >= 2 x 24 + 2).
template <class T> T rnd(double v) { return T(v); }

template <class T>
void runFBin(const std::vector<FBin<T>>& cases) {
    vt::Rng rng;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int n : vt::testLengths(sizeof(T))) {
            std::vector<T> a = floatValues<T>(rng, n), b = floatValues<T>(rng, n);
            std::reverse(b.begin(), b.end());
            a.resize(n); b.resize(n);
            vt::Guarded<T> d(n);
            const VekStatus st = c.out(a.data(), b.data(), d.data(), n);
            bool zero = false;
            for (int i = 0; i < n; ++i) {
                ASSERT_TRUE(sameBits(d[i], c.ref(a[i], b[i]))) << c.name << " i=" << i << " x=" << a[i] << " y=" << b[i]
                                                               << " got " << d[i] << " want " << c.ref(a[i], b[i]);
                zero |= a[i] == T(0);
            }
            if (std::string(c.name).find("Div") != std::string::npos) EXPECT_EQ(st, zero ? vekStsDivByZero : vekStsNoErr);
            else EXPECT_EQ(st, vekStsNoErr);
            EXPECT_TRUE(d.headIntact());
            if (c.in) {
                std::vector<T> sd = b;
                EXPECT_EQ(c.in(a.data(), sd.data(), n), st);
                EXPECT_EQ(std::memcmp(sd.data(), d.data(), n * sizeof(T)), 0);
            }
        }
    }
}

template <class T> T divRef(T x, T y) {   // y / x with the zero-divisor substitutes
    if (x == T(0)) {
        if (y != y || y == T(0)) {
            if constexpr (sizeof(T) == 4) return vtBits<float>(0x7FC00000u);
            else return vtBits<double>(0x7FF8000000000000ull);
        }
        return y < 0 ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
    }
    return T(double(y) / double(x));
}

TEST(ArithFloat, RealBinary) {
    runFBin<Vek32f>({{"veksAdd_32f", veksAdd_32f, veksAdd_32f_I, [](float x, float y) { return rnd<float>(double(x) + y); }},
                     {"veksSub_32f", veksSub_32f, veksSub_32f_I, [](float x, float y) { return rnd<float>(double(y) - x); }},
                     {"veksMul_32f", veksMul_32f, veksMul_32f_I, [](float x, float y) { return rnd<float>(double(x) * y); }},
                     {"veksDiv_32f", veksDiv_32f, veksDiv_32f_I, divRef<float>}});
    runFBin<Vek64f>({{"veksAdd_64f", veksAdd_64f, veksAdd_64f_I, [](double x, double y) { return x + y; }},
                     {"veksSub_64f", veksSub_64f, veksSub_64f_I, [](double x, double y) { return y - x; }},
                     {"veksMul_64f", veksMul_64f, veksMul_64f_I, [](double x, double y) { return x * y; }},
                     {"veksDiv_64f", veksDiv_64f, veksDiv_64f_I, divRef<double>}});
}

TEST(ArithFloat, DivZeroSubstitutes) {
    const float nan = std::nanf("");
    float d32[5] = {0.0f, -0.0f, 0.0f, -0.0f, 2.0f}, n32[5] = {1.0f, 1.0f, 0.0f, nan, -3.0f}, q32[5];
    EXPECT_EQ(veksDiv_32f(d32, n32, q32, 5), vekStsDivByZero);
    EXPECT_EQ(bitsOf(q32[0]), 0x7F800000u);
    EXPECT_EQ(bitsOf(q32[1]), 0x7F800000u);
    EXPECT_EQ(bitsOf(q32[2]), 0x7FC00000u);
    EXPECT_EQ(bitsOf(q32[3]), 0x7FC00000u);
    EXPECT_EQ(q32[4], -1.5f);
    double d64[3] = {0.0, -0.0, 0.0}, n64[3] = {-1.0, 1.0, 0.0}, q64[3];
    EXPECT_EQ(veksDiv_64f(d64, n64, q64, 3), vekStsDivByZero);
    EXPECT_EQ(bitsOf(q64[0]), 0xFFF0000000000000ull);
    EXPECT_EQ(bitsOf(q64[1]), 0x7FF0000000000000ull);
    EXPECT_EQ(bitsOf(q64[2]), 0x7FF8000000000000ull);
    // Divisors whose product would underflow or overflow: every quotient correctly rounded.
    std::vector<double> dv, nv;
    for (int i = 0; i < 64; ++i) { dv.push_back(std::ldexp(1.0 + i / 7.0, (i % 2 ? 1 : -1) * 300)); nv.push_back(1.0 / 3.0 + i); }
    std::vector<double> qv(64);
    EXPECT_EQ(veksDiv_64f(dv.data(), nv.data(), qv.data(), 64), vekStsNoErr);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(qv[i], nv[i] / dv[i]) << i;
    float x[3] = {0.0f, 4.0f, -0.0f}, r[3];
    EXPECT_EQ(veksDivCRev_32f(x, 2.0f, r, 3), vekStsDivByZero);
    EXPECT_EQ(bitsOf(r[0]), 0x7F800000u); EXPECT_EQ(r[1], 0.5f); EXPECT_EQ(bitsOf(r[2]), 0x7F800000u);
    Vek32fc cz[2] = {{0, 0}, {1, 1}}, cn[2] = {{1, 0}, {2, 0}}, cq[2];
    EXPECT_EQ(veksDiv_32fc(cz, cn, cq, 2), vekStsDivByZero);
    EXPECT_EQ(cq[1].re, 1.0f); EXPECT_EQ(cq[1].im, -1.0f);
}

// Complex forms against the documented formulas.
template <class T> T cmulRef(T a, T b) {
    using P = decltype(a.re);
    return T{std::fma(b.re, a.re, -(P)(b.im * a.im)), std::fma(b.re, a.im, (P)(b.im * a.re))};
}
template <class T> void checkComplex() {
    using P = decltype(T{}.re);
    vt::Rng rng;
    for (int n : vt::testLengths(sizeof(T))) {
        std::vector<T> a(n), b(n), d(n), e(n);
        for (int i = 0; i < n; ++i) { a[i] = T{P(rng.uniform(-4, 4)), P(rng.uniform(-4, 4))}; b[i] = T{P(rng.uniform(-4, 4)), P(rng.uniform(-4, 4))}; }
        const T v = b[0];
        auto check = [&](const char* what, auto ref) {
            for (int i = 0; i < n; ++i) {
                const T w = ref(i);
                ASSERT_TRUE(sameBits(d[i].re, w.re) && sameBits(d[i].im, w.im)) << what << " n=" << n << " i=" << i << std::setprecision(17) << " got " << d[i].re << "," << d[i].im << " want " << w.re << "," << w.im << " a=" << a[i].re << "," << a[i].im << " b=" << b[i].re << "," << b[i].im;
            }
        };
        if constexpr (sizeof(P) == 4) {
            veksMul_32fc(a.data(), b.data(), d.data(), n); check("Mul", [&](int i) { return cmulRef(a[i], b[i]); });
            e = b; veksMul_32fc_I(a.data(), e.data(), n); EXPECT_EQ(std::memcmp(e.data(), d.data(), n * sizeof(T)), 0);
            veksMulC_32fc(a.data(), v, d.data(), n); check("MulC", [&](int i) { return cmulRef(a[i], v); });
            veksSqr_32fc(a.data(), d.data(), n); check("Sqr", [&](int i) { return cmulRef(a[i], a[i]); });
            veksAddC_32fc(a.data(), v, d.data(), n); check("AddC", [&](int i) { return T{a[i].re + v.re, a[i].im + v.im}; });
            veksSubCRev_32fc(a.data(), v, d.data(), n); check("SubCRev", [&](int i) { return T{v.re - a[i].re, v.im - a[i].im}; });
            veksSub_32fc(a.data(), b.data(), d.data(), n); check("Sub", [&](int i) { return T{b[i].re - a[i].re, b[i].im - a[i].im}; });
            d = b; veksAddProduct_32fc(a.data(), b.data(), d.data(), n);
            check("AddProduct", [&](int i) { T p = cmulRef(a[i], b[i]); return T{b[i].re + p.re, b[i].im + p.im}; });
            veksDiv_32fc(a.data(), b.data(), d.data(), n);
            check("Div", [&](int i) {
                const double m = double(a[i].re) * a[i].re + double(a[i].im) * a[i].im;
                return T{P((double(b[i].re) * a[i].re + double(b[i].im) * a[i].im) / m), P((double(b[i].im) * a[i].re - double(b[i].re) * a[i].im) / m)};
            });
            veksDivC_32fc(a.data(), v, d.data(), n);
            check("DivC", [&](int i) { const P m = v.re * v.re + v.im * v.im; return cmulRef(a[i], T{v.re / m, -v.im / m}); });
            std::vector<float> r(n); for (int i = 0; i < n; ++i) r[i] = a[i].re;
            veksMul_32f32fc(r.data(), b.data(), d.data(), n); check("Mul_32f32fc", [&](int i) { return T{r[i] * b[i].re, r[i] * b[i].im}; });
        } else {
            veksMul_64fc(a.data(), b.data(), d.data(), n); check("Mul", [&](int i) { return cmulRef(a[i], b[i]); });
            veksMulC_64fc(a.data(), v, d.data(), n); check("MulC", [&](int i) { return cmulRef(a[i], v); });
            veksSqr_64fc(a.data(), d.data(), n); check("Sqr", [&](int i) { return cmulRef(a[i], a[i]); });
            veksSubC_64fc(a.data(), v, d.data(), n); check("SubC", [&](int i) { return T{a[i].re - v.re, a[i].im - v.im}; });
            veksAdd_64fc(a.data(), b.data(), d.data(), n); check("Add", [&](int i) { return T{a[i].re + b[i].re, a[i].im + b[i].im}; });
            d = b; veksAddProduct_64fc(a.data(), b.data(), d.data(), n);
            check("AddProduct", [&](int i) { T p = cmulRef(a[i], b[i]); return T{b[i].re + p.re, b[i].im + p.im}; });
            veksDiv_64fc(a.data(), b.data(), d.data(), n);
            check("Div", [&](int i) {
                const double m = a[i].re * a[i].re + a[i].im * a[i].im, inv = 1.0 / m;
                return T{(b[i].re * a[i].re + b[i].im * a[i].im) * inv, (b[i].im * a[i].re - b[i].re * a[i].im) * inv};
            });
        }
    }
}
TEST(ArithFloat, Complex) { checkComplex<Vek32fc>(); checkComplex<Vek64fc>(); }

// Constant, unary and accumulating real forms.
template <class T> struct RealFns {
    VekStatus (*addC)(const T*, T, T*, int), (*subC)(const T*, T, T*, int), (*subCRev)(const T*, T, T*, int),
        (*mulC)(const T*, T, T*, int), (*divC)(const T*, T, T*, int), (*sqr)(const T*, T*, int), (*abs)(const T*, T*, int),
        (*addProduct)(const T*, const T*, T*, int), (*addProductC)(const T*, T, T*, int);
};
#define REAL_FNS(s) {veksAddC_##s, veksSubC_##s, veksSubCRev_##s, veksMulC_##s, veksDivC_##s, veksSqr_##s, veksAbs_##s, veksAddProduct_##s, veksAddProductC_##s}
template <class T> void checkRealMisc(const RealFns<T>& f) {
    vt::Rng rng;
    for (int n : vt::testLengths(sizeof(T))) {
        std::vector<T> a = floatValues<T>(rng, n), b = floatValues<T>(rng, n), d(n);
        a.resize(n); b.resize(n);
        const T v = T(1.0 / 3.0);
        auto check = [&](const char* what, auto ref) {
            for (int i = 0; i < n; ++i) ASSERT_TRUE(sameBits(d[i], T(ref(i)))) << what << " i=" << i << " got " << d[i];
        };
        f.addC(a.data(), v, d.data(), n); check("AddC", [&](int i) { return a[i] + v; });
        f.subC(a.data(), v, d.data(), n); check("SubC", [&](int i) { return a[i] - v; });
        f.subCRev(a.data(), v, d.data(), n); check("SubCRev", [&](int i) { return v - a[i]; });
        f.mulC(a.data(), v, d.data(), n); check("MulC", [&](int i) { return a[i] * v; });
        f.divC(a.data(), v, d.data(), n); check("DivC", [&](int i) { return a[i] * (T(1) / v); });
        f.sqr(a.data(), d.data(), n); check("Sqr", [&](int i) { return a[i] * a[i]; });
        f.abs(a.data(), d.data(), n); check("Abs", [&](int i) { return std::fabs(a[i]); });
        d = b; f.addProduct(a.data(), b.data(), d.data(), n); check("AddProduct", [&](int i) { return std::fma(a[i], b[i], b[i]); });
        d = b; f.addProductC(a.data(), v, d.data(), n); check("AddProductC", [&](int i) { return std::fma(a[i], v, b[i]); });
    }
    // Abs keeps a NaN's payload and clears the sign of -0.0.
    T s[2] = {vtBits<T>(sizeof(T) == 4 ? std::uint64_t(0xFFC01234u) : 0xFFF8000000001234ull), T(-0.0)}, r[2];
    f.abs(s, r, 2);
    EXPECT_EQ(bitsOf(r[0]), sizeof(T) == 4 ? 0x7FC01234u : 0x7FF8000000001234ull);
    EXPECT_EQ(bitsOf(r[1]), 0u);
}
TEST(ArithFloat, RealMisc) { checkRealMisc<Vek32f>(REAL_FNS(32f)); checkRealMisc<Vek64f>(REAL_FNS(64f)); }

// Integer sources or destinations.
TEST(ArithFloat, Mixed) {
    std::vector<Vek16s> a, b;
    for (int x : {-32768, -32767, -1, 0, 1, 3, 255, 32767}) for (int y : {-32768, -5, 0, 2, 32767}) { a.push_back(Vek16s(x)); b.push_back(Vek16s(y)); }
    const int n = int(a.size());
    std::vector<float> f(n);
    veksAdd_16s32f(a.data(), b.data(), f.data(), n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(f[i], float(a[i] + b[i]));
    veksSub_16s32f(a.data(), b.data(), f.data(), n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(f[i], float(b[i] - a[i]));
    vt::expectMxcsrKept([&] { veksMul_16s32f(a.data(), b.data(), f.data(), n); });   // rounds to nearest even in round-up mode
    for (int i = 0; i < n; ++i) EXPECT_EQ(f[i], float(double(a[i]) * b[i]));

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

    // 64s times a 64f constant, exact: val = m 2^e.
    vt::Rng rng;
    std::vector<Vek64s> s = {0, 1, -1, 3, INT64_MAX, INT64_MIN, 1LL << 40, -(1LL << 52) - 1};
    for (int i = 0; i < 40; ++i) s.push_back(Vek64s(rng.bits()) >> (rng.bits() % 64));
    for (double val : {0.75, -1.0 / 3.0, 3.0e10, -1e-10, 1.0, 0.0}) {
        for (int sf : {INT_MIN, -70, -10, -1, 0, 1, 5, 40, 70, INT_MAX}) {
            std::vector<Vek64s> d = s;
            ASSERT_EQ(veksMulC_64f64s_ISfs(val, d.data(), int(d.size()), sf), vekStsNoErr);
            int e = 0;
            const double fr = std::frexp(val, &e);
            const i128 m = i128(std::ldexp(fr, 53));
            for (std::size_t i = 0; i < s.size(); ++i) {
                // exact x m 2^(e - 53 - sf), rounded to nearest even, saturated
                const i128 p = i128(s[i]) * m;
                const long long sh = (long long)sf - e + 53;
                i128 r;
                if (p == 0) r = 0;
                else if (sh <= 0) {
                    const long long k = -sh;
                    const i128 mag = p < 0 ? -p : p;
                    const bool over = k > 120 || mag >= (i128(1) << (126 - k));
                    r = over ? (p > 0 ? i128(INT64_MAX) + 1 : i128(INT64_MIN) - 1) : p * (i128(1) << k);
                }
                else if (sh >= 126) r = 0;
                else {
                    const i128 pw = i128(1) << sh;
                    i128 q = p / pw, rem = p % pw;
                    if (rem < 0) { q -= 1; rem += pw; }
                    if (2 * rem > pw || (2 * rem == pw && (q & 1))) q += 1;
                    r = q;
                }
                const Vek64s want = r > INT64_MAX ? INT64_MAX : r < INT64_MIN ? INT64_MIN : Vek64s(r);
                ASSERT_EQ(d[i], want) << "val=" << val << " sf=" << sf << " x=" << s[i];
            }
        }
    }
    std::vector<Vek64s> d = {5, -5, 0};
    veksMulC_64f64s_ISfs(std::numeric_limits<double>::infinity(), d.data(), 3, 0);
    EXPECT_EQ(d[0], INT64_MAX); EXPECT_EQ(d[1], INT64_MIN); EXPECT_EQ(d[2], 0);
}

// ---- statuses, validation order, nothing written, MXCSR, for every export -------------------
TEST(ArithAll, StatusesAndMxcsr) {
    int count = 0;
#define X(n) vt::checkStatuses("veks" #n, veks##n); ++count;
    X(Div_16s_Sfs) X(Div_16s_ISfs) X(Div_16sc_Sfs) X(Div_16sc_ISfs) X(Div_16u_Sfs) X(Div_16u_ISfs) 
    X(Div_32f) X(Div_32f_I) X(Div_32fc) X(Div_32fc_I) X(Div_32s_Sfs) X(Div_32s_ISfs) 
    X(Div_32s16s_Sfs) X(Div_64f) X(Div_64f_I) X(Div_64fc) X(Div_64fc_I) X(Div_8u_Sfs) 
    X(Div_8u_ISfs) X(Div_Round_16s_Sfs) X(Div_Round_16s_ISfs) X(Div_Round_16u_Sfs) X(Div_Round_16u_ISfs) X(Div_Round_8u_Sfs) 
    X(Div_Round_8u_ISfs) X(DivC_16s_Sfs) X(DivC_16s_ISfs) X(DivC_16sc_Sfs) X(DivC_16sc_ISfs) X(DivC_16u_Sfs) 
    X(DivC_16u_ISfs) X(DivC_32f) X(DivC_32f_I) X(DivC_32fc) X(DivC_32fc_I) X(DivC_64f) 
    X(DivC_64f_I) X(DivC_64fc) X(DivC_64fc_I) X(DivC_64s_ISfs) X(DivC_8u_Sfs) X(DivC_8u_ISfs) 
    X(DivCRev_16u) X(DivCRev_16u_I) X(DivCRev_32f) X(DivCRev_32f_I) X(Add_16s32f) X(Add_32f) 
    X(Add_32f_I) X(Add_32fc) X(Add_32fc_I) X(Add_64f) X(Add_64f_I) X(Add_64fc) 
    X(Add_64fc_I) X(AddC_32f) X(AddC_32f_I) X(AddC_32fc) X(AddC_32fc_I) X(AddC_64f) 
    X(AddC_64f_I) X(AddC_64fc) X(AddC_64fc_I) X(Sub_16s32f) X(Sub_32f) X(Sub_32f_I) 
    X(Sub_32fc) X(Sub_32fc_I) X(Sub_64f) X(Sub_64f_I) X(Sub_64fc) X(Sub_64fc_I) 
    X(SubC_32f) X(SubC_32f_I) X(SubC_32fc) X(SubC_32fc_I) X(SubC_64f) X(SubC_64f_I) 
    X(SubC_64fc) X(SubC_64fc_I) X(SubCRev_32f) X(SubCRev_32f_I) X(SubCRev_32fc) X(SubCRev_32fc_I) 
    X(SubCRev_64f) X(SubCRev_64f_I) X(SubCRev_64fc) X(SubCRev_64fc_I) X(Mul_16s32f) X(Mul_32f) 
    X(Mul_32f_I) X(Mul_32f32fc) X(Mul_32f32fc_I) X(Mul_32fc) X(Mul_32fc_I) X(Mul_64f) 
    X(Mul_64f_I) X(Mul_64fc) X(Mul_64fc_I) X(MulC_32f) X(MulC_32f_I) X(MulC_32f16s_Sfs) 
    X(MulC_32fc) X(MulC_32fc_I) X(MulC_64f) X(MulC_64f_I) X(MulC_64f64s_ISfs) X(MulC_64fc) 
    X(MulC_64fc_I) X(MulC_Low_32f16s) X(Sqr_32f) X(Sqr_32f_I) X(Sqr_32fc) X(Sqr_32fc_I) 
    X(Sqr_64f) X(Sqr_64f_I) X(Sqr_64fc) X(Sqr_64fc_I) X(Abs_32f) X(Abs_32f_I) 
    X(Abs_64f) X(Abs_64f_I) X(AddProduct_32f) X(AddProduct_32fc) X(AddProduct_64f) X(AddProduct_64fc) 
    X(AddProductC_32f) X(AddProductC_64f) X(Add_16s) X(Add_16s_I) X(Add_16s_Sfs) X(Add_16s_ISfs) 
    X(Add_16s32s_I) X(Add_16sc_Sfs) X(Add_16sc_ISfs) X(Add_16u) X(Add_16u_Sfs) X(Add_16u_ISfs) 
    X(Add_32s_Sfs) X(Add_32s_ISfs) X(Add_32sc_Sfs) X(Add_32sc_ISfs) X(Add_32u) X(Add_32u_I) 
    X(Add_64s_Sfs) X(Add_8u16u) X(Add_8u_Sfs) X(Add_8u_ISfs) X(AddC_16s_I) X(AddC_16s_Sfs) 
    X(AddC_16s_ISfs) X(AddC_16sc_Sfs) X(AddC_16sc_ISfs) X(AddC_16u_Sfs) X(AddC_16u_ISfs) X(AddC_32s_Sfs) 
    X(AddC_32s_ISfs) X(AddC_32sc_Sfs) X(AddC_32sc_ISfs) X(AddC_64s_Sfs) X(AddC_64u_Sfs) X(AddC_8u_Sfs) 
    X(AddC_8u_ISfs) X(Sub_16s) X(Sub_16s_I) X(Sub_16s_Sfs) X(Sub_16s_ISfs) X(Sub_16sc_Sfs) 
    X(Sub_16sc_ISfs) X(Sub_16u_Sfs) X(Sub_16u_ISfs) X(Sub_32s_Sfs) X(Sub_32s_ISfs) X(Sub_32sc_Sfs) 
    X(Sub_32sc_ISfs) X(Sub_8u_Sfs) X(Sub_8u_ISfs) X(SubC_16s_I) X(SubC_16s_Sfs) X(SubC_16s_ISfs) 
    X(SubC_16sc_Sfs) X(SubC_16sc_ISfs) X(SubC_16u_Sfs) X(SubC_16u_ISfs) X(SubC_32s_Sfs) X(SubC_32s_ISfs) 
    X(SubC_32sc_Sfs) X(SubC_32sc_ISfs) X(SubC_8u_Sfs) X(SubC_8u_ISfs) X(SubCRev_16s_Sfs) X(SubCRev_16s_ISfs) 
    X(SubCRev_16sc_Sfs) X(SubCRev_16sc_ISfs) X(SubCRev_16u_Sfs) X(SubCRev_16u_ISfs) X(SubCRev_32s_Sfs) X(SubCRev_32s_ISfs) 
    X(SubCRev_32sc_Sfs) X(SubCRev_32sc_ISfs) X(SubCRev_8u_Sfs) X(SubCRev_8u_ISfs) X(Mul_16s) X(Mul_16s_I) 
    X(Mul_16s_Sfs) X(Mul_16s_ISfs) X(Mul_16s32s_Sfs) X(Mul_16sc_Sfs) X(Mul_16sc_ISfs) X(Mul_16u16s_Sfs) 
    X(Mul_16u_Sfs) X(Mul_16u_ISfs) X(Mul_32s_Sfs) X(Mul_32s_ISfs) X(Mul_32sc_Sfs) X(Mul_32sc_ISfs) 
    X(Mul_8u16u) X(Mul_8u_Sfs) X(Mul_8u_ISfs) X(MulC_16s_I) X(MulC_16s_Sfs) X(MulC_16s_ISfs) 
    X(MulC_16sc_Sfs) X(MulC_16sc_ISfs) X(MulC_16u_Sfs) X(MulC_16u_ISfs) X(MulC_32s_Sfs) X(MulC_32s_ISfs) 
    X(MulC_32sc_Sfs) X(MulC_32sc_ISfs) X(MulC_64s_ISfs) X(MulC_8u_Sfs) X(MulC_8u_ISfs) X(Sqr_8u_Sfs) 
    X(Sqr_8u_ISfs) X(Sqr_16s_Sfs) X(Sqr_16s_ISfs) X(Sqr_16sc_Sfs) X(Sqr_16sc_ISfs) X(Sqr_16u_Sfs) 
    X(Sqr_16u_ISfs) X(Abs_16s) X(Abs_16s_I) X(Abs_32s) X(Abs_32s_I) X(AddProduct_16s_Sfs) 
    X(AddProduct_16s32s_Sfs) X(AddProduct_32s_Sfs) 
#undef X
    EXPECT_EQ(count, 248);
}

TEST(ArithAll, ValueArgumentErrors) {
    Vek16s s16[4] = {1, 2, 3, 4}, d16[4];
    std::memset(d16, 0xA5, sizeof d16);
    EXPECT_EQ(veksDivC_16s_Sfs(s16, 0, d16, 4, 0), vekStsDivByZeroErr);
    EXPECT_EQ(veksDivC_16sc_Sfs(reinterpret_cast<Vek16sc*>(s16), Vek16sc{0, 0}, reinterpret_cast<Vek16sc*>(d16), 2, 0), vekStsDivByZeroErr);
    EXPECT_EQ(veksDivC_8u_ISfs(0, reinterpret_cast<Vek8u*>(d16), 4, 0), vekStsDivByZeroErr);
    float f[2] = {1, 2}, g[2] = {7, 7};
    EXPECT_EQ(veksDivC_32f(f, -0.0f, g, 2), vekStsDivByZeroErr);
    EXPECT_EQ(veksDivC_32fc_I(Vek32fc{0, 0}, reinterpret_cast<Vek32fc*>(g), 1), vekStsDivByZeroErr);
    EXPECT_EQ(veksDivC_64fc(reinterpret_cast<Vek64fc*>(s16), Vek64fc{0, -0.0}, reinterpret_cast<Vek64fc*>(d16), 1), vekStsDivByZeroErr);
    EXPECT_EQ(g[0], 7.0f);
    for (int mode : {-1, 3, INT_MAX}) {
        EXPECT_EQ(veksDiv_Round_16s_Sfs(s16, s16, d16, 4, mode, 0), vekStsRoundModeErr);
        EXPECT_EQ(veksDiv_Round_8u_ISfs(reinterpret_cast<Vek8u*>(s16), reinterpret_cast<Vek8u*>(d16), 4, mode, 0), vekStsRoundModeErr);
    }
    // Order: pointers, then length, then value arguments.
    EXPECT_EQ(veksDivC_16s_Sfs(nullptr, 0, d16, 0, 0), vekStsNullPtrErr);
    EXPECT_EQ(veksDivC_16s_Sfs(s16, 0, d16, 0, 0), vekStsSizeErr);
    EXPECT_EQ(veksDiv_Round_16u_Sfs(nullptr, nullptr, nullptr, 0, 7, 0), vekStsNullPtrErr);
    EXPECT_EQ(veksDiv_Round_16u_ISfs(reinterpret_cast<Vek16u*>(s16), reinterpret_cast<Vek16u*>(d16), -1, 7, 0), vekStsSizeErr);
    for (Vek16s v : d16) EXPECT_EQ(std::uint16_t(v), 0xA5A5);
    EXPECT_EQ(veksDivC_64s_ISfs(0, nullptr, 1, 0), vekStsNullPtrErr);
    EXPECT_EQ(veksMulC_64f64s_ISfs(1.0, reinterpret_cast<Vek64s*>(d16), 0, 0), vekStsSizeErr);
}

// ---- vector bodies against the element rule -------------------------------------------
// Every length from 1 to 70 at four source/destination offsets: the n-element call must
// give, bit for bit, what n one-element calls give (those run the element rule alone),
// write nothing outside its n elements, and report a warning exactly when one of the
// one-element calls does.
template <class T, class Gen, class F>
void bodyMatchesElements(const char* name, Gen gen, F call) {
    SCOPED_TRACE(name);
    vt::Rng rng;
    for (int off = 0; off < 4; ++off) {
        for (int n = 1; n <= 70; ++n) {
            std::vector<T> a(n + off), b(n + off);
            for (auto& v : a) v = gen(rng);
            for (auto& v : b) v = gen(rng);
            vt::Guarded<T> d(std::size_t(n + off));
            const VekStatus st = call(a.data() + off, b.data() + off, d.data() + off, n);
            VekStatus want = vekStsNoErr;
            for (int i = 0; i < n; ++i) {
                T one;
                const VekStatus s1 = call(a.data() + off + i, b.data() + off + i, &one, 1);
                if (s1 != vekStsNoErr) want = s1;
                ASSERT_EQ(std::memcmp(&one, d.data() + off + i, sizeof(T)), 0) << "n=" << n << " off=" << off << " i=" << i;
            }
            EXPECT_EQ(st, want) << "n=" << n;
            ASSERT_TRUE(d.headIntact()) << "n=" << n << " off=" << off;
            const auto* p = reinterpret_cast<const std::uint8_t*>(d.data());
            for (int i = 0; i < off * int(sizeof(T)); ++i) ASSERT_EQ(p[i], vt::kSentinel) << "n=" << n;
        }
    }
}

TEST(ArithAll, VectorBodiesMatchElementRule) {
    auto i16 = [](vt::Rng& r) { const auto v = r.bits(); return Vek16s((v & 3) == 0 ? std::int16_t(v >> 40) >> 12 : std::int16_t(v >> 40)); };
    auto u16 = [](vt::Rng& r) { return Vek16u(r.bits() >> 48); };
    auto c16 = [i16](vt::Rng& r) { return Vek16sc{i16(r), i16(r)}; };
    auto f32 = [](vt::Rng& r) {
        const auto v = r.bits();
        return (v & 7) == 0 ? (v & 8 ? 0.0f : -0.0f) : (v & 15) == 1 ? std::nanf("") : float(r.uniform(-1e3, 1e3));
    };
    auto f64 = [f32](vt::Rng& r) { return double(f32(r)) * (1 + 1e-9); };
    auto c32 = [f32](vt::Rng& r) { return Vek32fc{f32(r), f32(r)}; };
    // Constants of the constant forms, one per scale factor.
    const Vek16s k16[] = {-32768, -3, 1234, 32767, 7, -1, 300, 2, -20000, 5};
    int ki = 0;
    for (int sf : {0, 1, 3, 15, 16, 31, 40, -1, -5, -31}) {
        SCOPED_TRACE(sf);
        const Vek16s k = k16[ki++];
        const Vek16sc kc{k, Vek16s(-k / 2)};
        bodyMatchesElements<Vek16s>("Add_16s_Sfs", i16, [sf](auto a, auto b, auto d, int n) { return veksAdd_16s_Sfs(a, b, d, n, sf); });
        bodyMatchesElements<Vek16s>("Mul_16s_Sfs", i16, [sf](auto a, auto b, auto d, int n) { return veksMul_16s_Sfs(a, b, d, n, sf); });
        bodyMatchesElements<Vek16s>("MulC_16s_Sfs", i16, [sf, k](auto a, auto b, auto d, int n) { return veksMulC_16s_Sfs(a, k, d, n, sf); });
        bodyMatchesElements<Vek16u>("Sub_16u_Sfs", u16, [sf](auto a, auto b, auto d, int n) { return veksSub_16u_Sfs(a, b, d, n, sf); });
        bodyMatchesElements<Vek16u>("Sqr_16u_Sfs", u16, [sf](auto a, auto, auto d, int n) { return veksSqr_16u_Sfs(a, d, n, sf); });
        bodyMatchesElements<Vek16sc>("AddC_16sc_Sfs", c16, [sf, kc](auto a, auto, auto d, int n) { return veksAddC_16sc_Sfs(a, kc, d, n, sf); });
        bodyMatchesElements<Vek16s>("AddProduct_16s_Sfs", i16, [sf](auto a, auto b, auto d, int n) {
            for (int i = 0; i < n; ++i) d[i] = Vek16s(a[i] ^ b[i]);   // the accumulator
            return veksAddProduct_16s_Sfs(a, b, d, n, sf);
        });
    }
    bodyMatchesElements<Vek16s>("Abs_16s", i16, [](auto a, auto, auto d, int n) { return veksAbs_16s(a, d, n); });
    bodyMatchesElements<Vek32f>("Div_32f", f32, [](auto a, auto b, auto d, int n) { return veksDiv_32f(a, b, d, n); });
    bodyMatchesElements<Vek32f>("DivCRev_32f", f32, [](auto a, auto, auto d, int n) { return veksDivCRev_32f(a, 3.5f, d, n); });
    bodyMatchesElements<Vek64f>("Div_64f", f64, [](auto a, auto b, auto d, int n) { return veksDiv_64f(a, b, d, n); });
    bodyMatchesElements<Vek32f>("AddProduct_32f", f32, [](auto a, auto b, auto d, int n) {
        for (int i = 0; i < n; ++i) d[i] = a[i] - b[i];
        return veksAddProduct_32f(a, b, d, n);
    });
    bodyMatchesElements<Vek64f>("Sub_64f", f64, [](auto a, auto b, auto d, int n) { return veksSub_64f(a, b, d, n); });
    bodyMatchesElements<Vek32fc>("SubCRev_32fc", c32, [](auto a, auto, auto d, int n) { return veksSubCRev_32fc(a, Vek32fc{-1.25f, 1e3f}, d, n); });
    auto c64 = [f64](vt::Rng& r) { return Vek64fc{f64(r), f64(r)}; };
    bodyMatchesElements<Vek32fc>("Mul_32fc", c32, [](auto a, auto b, auto d, int n) { return veksMul_32fc(a, b, d, n); });
    bodyMatchesElements<Vek64fc>("MulC_64fc", c64, [](auto a, auto, auto d, int n) { return veksMulC_64fc(a, Vek64fc{0.75, -3e5}, d, n); });
    bodyMatchesElements<Vek32fc>("Sqr_32fc", c32, [](auto a, auto, auto d, int n) { return veksSqr_32fc(a, d, n); });
    bodyMatchesElements<Vek64fc>("AddProduct_64fc", c64, [](auto a, auto b, auto d, int n) {
        for (int i = 0; i < n; ++i) d[i] = Vek64fc{a[i].im, b[i].re};
        return veksAddProduct_64fc(a, b, d, n);
    });
    bodyMatchesElements<Vek32f>("Abs_32f", f32, [](auto a, auto, auto d, int n) { return veksAbs_32f(a, d, n); });
}

}  // namespace
