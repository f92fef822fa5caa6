// Transcendental vector math exports: statuses and validation for every export, the
// floating forms against long double references, the integer forms exhaustively (or
// over dense ranges) against their rounding rules for scale factors across the range.
#include <cmath>
#include <complex>
#include <limits>

#include "helpers.h"
#include "vecmath/ulp.h"

namespace {

template <class T> bool sameVal(T a, T b) { return a == b ? std::signbit(a) == std::signbit(b) : (a != a && b != b); }

// f(x) * 2^-sf rounded to nearest (ties to even), saturated to T.
template <class T> T roundSat(long double v, int sf) {
    v = std::ldexp(v, -sf);
    if (!(v < (long double)std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    if (v <= (long double)std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
    return T(std::nearbyint(v));
}
// A result at a rounding tie may come out either way from a correctly rounded float
// result; accept the reference or its neighbour only there.
template <class T> bool nearTie(long double v, int sf, T got) {
    v = std::ldexp(v, -sf);
    return std::fabs(std::fabs(v - std::floor(v)) - 0.5L) < 1e-5L * std::max(1.0L, std::fabs(v)) &&
           std::fabs((long double)got - v) < 1;
}

}  // namespace

TEST(VecMathAll, StatusesAndMxcsr) {
    int count = 0;
#define X(n) vt::checkStatuses("veks" #n, veks##n); ++count;
    X(Sqrt_32f) X(Sqrt_32f_I) X(Sqrt_64f) X(Sqrt_64f_I) X(Sqrt_32fc) X(Sqrt_32fc_I) X(Sqrt_64fc)
    X(Sqrt_64fc_I) X(Sqrt_8u_Sfs) X(Sqrt_8u_ISfs) X(Sqrt_16u_Sfs) X(Sqrt_16u_ISfs) X(Sqrt_16s_Sfs)
    X(Sqrt_16s_ISfs) X(Sqrt_16sc_Sfs) X(Sqrt_16sc_ISfs) X(Sqrt_32s16s_Sfs) X(Cubrt_32f)
    X(Cubrt_32s16s_Sfs) X(Exp_32f) X(Exp_32f_I) X(Exp_64f) X(Exp_64f_I) X(Exp_16s_Sfs)
    X(Exp_16s_ISfs) X(Exp_32s_Sfs) X(Exp_32s_ISfs) X(Ln_32f) X(Ln_32f_I) X(Ln_64f) X(Ln_64f_I)
    X(Ln_16s_Sfs) X(Ln_16s_ISfs) X(Ln_32s_Sfs) X(Ln_32s_ISfs) X(Arctan_32f) X(Arctan_32f_I)
    X(Arctan_64f) X(Arctan_64f_I)
#undef X
    EXPECT_EQ(count, 39);
}

// Warnings come with complete output; the last special element decides for the floating
// forms.
TEST(VecMathFloat, WarningsAndSpecialValues) {
    float s1[2] = {4, -1}, d1[2];
    EXPECT_EQ(veksSqrt_32f(s1, d1, 2), vekStsSqrtNegArg);
    EXPECT_EQ(d1[0], 2.0f);
    EXPECT_TRUE(std::isnan(d1[1]));
    float s2[2] = {0, INFINITY};
    EXPECT_EQ(veksSqrt_32f_I(s2, 2), vekStsNoErr);
    EXPECT_TRUE(s2[0] == 0 && s2[1] == INFINITY);
    double s3[3] = {2, -0.0, -3};
    EXPECT_EQ(veksSqrt_64f_I(s3, 3), vekStsSqrtNegArg);
    EXPECT_EQ(s3[0], std::sqrt(2.0));
    EXPECT_TRUE(sameVal(s3[1], -0.0) && std::isnan(s3[2]));

    float e[3] = {100, 1, -200}, y[3];
    EXPECT_EQ(veksExp_32f(e, y, 1), vekStsOverflow);
    EXPECT_EQ(y[0], INFINITY);
    EXPECT_EQ(veksExp_32f(e + 2, y, 1), vekStsUnderflow);
    EXPECT_EQ(y[0], 0.0f);
    EXPECT_EQ(veksExp_32f(e, y, 3), vekStsUnderflow);
    double ed[2] = {-800, 800};
    EXPECT_EQ(veksExp_64f_I(ed, 2), vekStsOverflow);
    EXPECT_TRUE(ed[0] == 0 && ed[1] == INFINITY);

    float l1[2] = {0, -1}, l2[2] = {-1, 0}, r[2];
    EXPECT_EQ(veksLn_32f(l1, r, 2), vekStsNanArg);
    EXPECT_TRUE(r[0] == -INFINITY && std::isnan(r[1]));
    EXPECT_EQ(veksLn_32f(l2, r, 2), vekStsLnZeroArg);
    EXPECT_TRUE(std::isnan(r[0]) && r[1] == -INFINITY);
    double l3[3] = {INFINITY, NAN, -INFINITY};
    EXPECT_EQ(veksLn_64f_I(l3, 3), vekStsNanArg);
    EXPECT_TRUE(l3[0] == INFINITY && std::isnan(l3[1]) && std::isnan(l3[2]));
}

// Exported floating forms against long double over wide ranges, out of place equal to
// in place.
TEST(VecMathFloat, AccuracyAndInPlace) {
    vt::Rng rng;
    constexpr int n = 4099;
    auto check = [&](const char* name, auto fOut, auto fIn, auto gen, long double (*ref)(long double),
                     double bound, auto zero) {
        using T = decltype(zero);
        std::vector<T> x(n), y(n), z;
        for (auto& v : x) v = T(gen());
        fOut(x.data(), y.data(), n);
        z = x;
        fIn(z.data(), n);
        vu::Worst w;
        for (int i = 0; i < n; ++i) {
            w.add(vu::ulpErr<T>(y[i], ref((long double)x[i])), x[i]);
            ASSERT_TRUE(sameVal(y[i], z[i])) << name << " in place differs at " << x[i];
        }
        EXPECT_LE(double(w.err), bound) << name << " at " << double(w.arg);
    };
    auto wide = [&] { return std::ldexp(rng.uniform(1, 2), int(rng.bits() % 240) - 120); };
    auto span = [&] { return rng.uniform(-100, 100); };
    auto sq = [](long double v) { return sqrtl(v); };
    auto ex = [](long double v) { return expl(v); };
    auto lg = [](long double v) { return logl(v); };
    auto at = [](long double v) { return atanl(v); };
    auto cb = [](long double v) { return cbrtl(v); };
    check("Sqrt_32f", veksSqrt_32f, veksSqrt_32f_I, wide, sq, 2.5, 0.0f);
    check("Sqrt_64f", veksSqrt_64f, veksSqrt_64f_I, wide, sq, 0.5, 0.0);
    check("Exp_32f", veksExp_32f, veksExp_32f_I, span, ex, 4, 0.0f);
    check("Exp_64f", veksExp_64f, veksExp_64f_I, span, ex, 4, 0.0);
    check("Ln_32f", veksLn_32f, veksLn_32f_I, wide, lg, 4, 0.0f);
    check("Ln_64f", veksLn_64f, veksLn_64f_I, wide, lg, 4, 0.0);
    check("Arctan_32f", veksArctan_32f, veksArctan_32f_I, span, at, 4, 0.0f);
    check("Arctan_64f", veksArctan_64f, veksArctan_64f_I, span, at, 4, 0.0);
    check("Cubrt_32f", veksCubrt_32f, [](float* p, int k) { return veksCubrt_32f(p, p, k); }, span, cb, 4,
          0.0f);
}

// Principal complex square root against the long double library function.
TEST(VecMathFloat, ComplexSqrt) {
    Vek64fc a[2] = {{-4, 0}, {-4, -0.0}}, b[2];
    EXPECT_EQ(veksSqrt_64fc(a, b, 2), vekStsNoErr);
    EXPECT_TRUE(b[0].re == 0 && b[0].im == 2 && b[1].re == 0 && b[1].im == -2);
    vt::Rng rng;
    auto run = [&](auto zero) {
        using C = decltype(zero);
        using P = decltype(zero.re);
        std::vector<C> x(1001), y(1001);
        for (auto& v : x) {
            const int e = sizeof(P) == 8 ? int(rng.bits() % 1200) - 600 : int(rng.bits() % 160) - 80;
            v.re = P(std::ldexp(rng.uniform(-1, 1), e));
            v.im = P(std::ldexp(rng.uniform(-1, 1), e + int(rng.bits() % 9) - 4));
        }
        x[0] = {0, 0};
        x[1] = {P(-0.0), P(-3)};
        x[2] = {3, std::numeric_limits<P>::infinity()};
        if constexpr (sizeof(P) == 8) veksSqrt_64fc(x.data(), y.data(), 1001);
        else veksSqrt_32fc(x.data(), y.data(), 1001);
        for (std::size_t i = 0; i < x.size(); ++i) {
            const std::complex<long double> r = std::sqrt(std::complex<long double>(x[i].re, x[i].im));
            const long double mag = std::abs(r);
            const long double err = std::abs(std::complex<long double>(y[i].re, y[i].im) - r);
            if (std::isinf(mag)) {
                EXPECT_TRUE(std::isinf(y[i].re) && y[i].im == x[i].im) << i;
                continue;
            }
            EXPECT_LE(double(err), double(mag) * 4 * std::numeric_limits<P>::epsilon()) << i;
            EXPECT_EQ(std::signbit(y[i].im), std::signbit(x[i].im)) << i;
        }
        EXPECT_TRUE(y[0].re == 0 && y[0].im == 0);
    };
    run(Vek32fc{});
    run(Vek64fc{});
}

// Integer square roots: every 8u and 16u/16s value for scale factors -16..16 and far out.
TEST(VecMathInt, SqrtExhaustive) {
    Vek8u two = 2, r8;
    veksSqrt_8u_Sfs(&two, &r8, 1, 0);
    EXPECT_EQ(r8, 1);
    veksSqrt_8u_Sfs(&two, &r8, 1, -1);
    EXPECT_EQ(r8, 3);
    std::vector<Vek16u> xu(65536), yu(65536);
    std::vector<Vek16s> xs(65536), ys(65536);
    std::vector<Vek8u> x8(256), y8(256);
    for (int i = 0; i < 65536; ++i) xu[i] = Vek16u(i), xs[i] = Vek16s(i - 32768);
    for (int i = 0; i < 256; ++i) x8[i] = Vek8u(i);
    for (int sf : {-40, -16, -15, -14, -8, -7, -5, -3, -1, 0, 1, 2, 3, 7, 8, 9, 16, 40}) {
        SCOPED_TRACE(sf);
        ASSERT_EQ(veksSqrt_8u_Sfs(x8.data(), y8.data(), 256, sf), vekStsNoErr);
        ASSERT_EQ(veksSqrt_16u_Sfs(xu.data(), yu.data(), 65536, sf), vekStsNoErr);
        ASSERT_EQ(veksSqrt_16s_Sfs(xs.data(), ys.data(), 65536, sf), vekStsSqrtNegArg);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(y8[i], roundSat<Vek8u>(sqrtl(i), sf)) << i;
        for (int i = 0; i < 65536; ++i) {
            ASSERT_EQ(yu[i], roundSat<Vek16u>(sqrtl(i), sf)) << i;
            ASSERT_EQ(ys[i], xs[i] < 0 ? 0 : roundSat<Vek16s>(sqrtl(xs[i]), sf)) << xs[i];
        }
    }
    vt::Rng rng;
    std::vector<Vek32s> x32(4096);
    std::vector<Vek16s> y32(4096);
    std::vector<Vek16sc> xc(4096), yc(4096);
    for (auto& v : x32) v = Vek32s(rng.bits() >> (33 + rng.bits() % 30));
    for (auto& v : xc) v = {Vek16s(rng.bits()), Vek16s(rng.bits())};
    for (int sf : {-8, -1, 0, 1, 5}) {
        ASSERT_EQ(veksSqrt_32s16s_Sfs(x32.data(), y32.data(), 4096, sf), vekStsNoErr);
        ASSERT_EQ(veksSqrt_16sc_Sfs(xc.data(), yc.data(), 4096, sf), vekStsNoErr);
        for (int i = 0; i < 4096; ++i) {
            ASSERT_EQ(y32[i], roundSat<Vek16s>(sqrtl(x32[i]), sf)) << x32[i];
            const auto r = std::sqrt(std::complex<long double>(xc[i].re, xc[i].im));
            for (auto [got, want] : {std::pair{yc[i].re, r.real()}, std::pair{yc[i].im, r.imag()}})
                ASSERT_TRUE(got == roundSat<Vek16s>(want, sf) || nearTie(want, sf, got))
                    << xc[i].re << "," << xc[i].im << " sf " << sf;
        }
    }
    Vek32s neg[2] = {9, -1};
    Vek16s out[2];
    EXPECT_EQ(veksSqrt_32s16s_Sfs(neg, out, 2, 0), vekStsSqrtNegArg);
    EXPECT_TRUE(out[0] == 3 && out[1] == 0);
}

TEST(VecMathInt, CubrtExpLn) {
    // Cube root: the float cube root of the converted value, then rounded to nearest.
    vt::Rng rng;
    std::vector<Vek32s> x(5000);
    std::vector<Vek16s> y(5000);
    for (auto& v : x) v = Vek32s(rng.bits());
    x[0] = INT32_MIN, x[1] = INT32_MAX, x[2] = 0, x[3] = -27;
    for (int sf : {-5, -1, 0, 2}) {
        ASSERT_EQ(veksCubrt_32s16s_Sfs(x.data(), y.data(), 5000, sf), vekStsNoErr);
        for (int i = 0; i < 5000; ++i) {
            const long double want = cbrtl(float(x[i]));
            ASSERT_LE(std::fabs(y[i] - (long double)roundSat<Vek16s>(want, sf)), nearTie(want, sf, y[i]) ? 1 : 0)
                << x[i] << " sf " << sf;
        }
    }
    // Exponential: ties round up, saturated, never negative.
    auto expRef = [](long double x, int sf, long double mx) {
        const long double v = std::ldexp(expl(x), -sf);
        return v >= mx ? mx : std::floor(v + 0.5L);
    };
    Vek32s e32[3] = {21, 22, -1};
    veksExp_32s_ISfs(e32, 3, 0);
    EXPECT_TRUE(e32[0] == 1318815734 && e32[1] == INT32_MAX && e32[2] == 0);
    std::vector<Vek32s> xi(201), yi(201);
    std::vector<Vek16s> xh(201), yh(201);
    for (int i = 0; i < 201; ++i) xi[i] = i - 100, xh[i] = Vek16s(i - 100);
    xi[0] = INT32_MIN, xi[200] = INT32_MAX, xh[0] = INT16_MIN, xh[200] = INT16_MAX;
    for (int sf = -70; sf <= 70; ++sf) {
        SCOPED_TRACE(sf);
        ASSERT_EQ(veksExp_32s_Sfs(xi.data(), yi.data(), 201, sf), vekStsNoErr);
        ASSERT_EQ(veksExp_16s_Sfs(xh.data(), yh.data(), 201, sf), vekStsNoErr);
        for (int i = 0; i < 201; ++i) {
            ASSERT_EQ(yi[i], Vek32s(expRef(xi[i], sf, INT32_MAX))) << xi[i];
            ASSERT_EQ(yh[i], Vek16s(expRef(xh[i], sf, INT16_MAX))) << xh[i];
        }
    }
    // Logarithm: 32s with sf >= 0 rounds ln x to an integer first, then shifts.
    Vek32s l[4] = {4, 5, 1, 0};
    EXPECT_EQ(veksLn_32s_ISfs(l, 4, 0), vekStsLnZeroArg);
    EXPECT_TRUE(l[0] == 1 && l[1] == 2 && l[2] == 0 && l[3] == INT32_MIN);
    Vek32s l1 = 4;
    veksLn_32s_ISfs(&l1, 1, 1);
    EXPECT_EQ(l1, 0);
    Vek32s bad[3] = {-1, 0, 7}, bo[3];
    EXPECT_EQ(veksLn_32s_Sfs(bad, bo, 3, 0), vekStsNanArg);   // the first bad element decides
    EXPECT_TRUE(bo[0] == INT32_MIN && bo[1] == INT32_MIN && bo[2] == 2);
    std::vector<Vek32s> lx(6000), ly(6000);
    std::vector<Vek16s> hx(6000), hy(6000);
    for (int i = 0; i < 6000; ++i) {
        lx[i] = i < 3000 ? i + 1 : Vek32s(rng.bits() >> 33) + 1;
        hx[i] = Vek16s(i < 3000 ? i + 1 : 1 + int(rng.bits() % 32767));
    }
    for (int sf : {-28, -20, -10, -3, -1, 0, 1, 2, 5, 31, 40}) {
        SCOPED_TRACE(sf);
        veksLn_32s_Sfs(lx.data(), ly.data(), 6000, sf);
        veksLn_16s_Sfs(hx.data(), hy.data(), 6000, sf);
        for (int i = 0; i < 6000; ++i) {
            const long double v = logl(lx[i]);
            const Vek32s want = sf >= 0 ? (sf > 30 ? 0 : Vek32s(std::nearbyint(v)) >> sf) : roundSat<Vek32s>(v, sf);
            ASSERT_TRUE(ly[i] == want || nearTie(v, sf, ly[i])) << lx[i];
            const long double h = logl(hx[i]);
            ASSERT_TRUE(hy[i] == roundSat<Vek16s>(h, sf) || nearTie(h, sf, hy[i])) << hx[i];
        }
    }
}
