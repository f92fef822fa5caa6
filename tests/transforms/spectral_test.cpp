// DCT, Hilbert transform and Goertzel against direct long-double formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "helpers.h"
#include "veks.h"

namespace {

using LD = long double;
const LD kPi = 3.141592653589793238462643383279502884L;

// ---- DCT ------------------------------------------------------------------------------
template <class T> struct DctApi;
template <> struct DctApi<float> {
    using F = VeksDCTFwdSpec_32f;
    using I = VeksDCTInvSpec_32f;
    static constexpr auto fwdSize = veksDCTFwdGetSize_32f;
    static constexpr auto invSize = veksDCTInvGetSize_32f;
    static constexpr auto fwdInit = veksDCTFwdInit_32f;
    static constexpr auto invInit = veksDCTInvInit_32f;
    static constexpr auto fwd = veksDCTFwd_32f;
    static constexpr auto inv = veksDCTInv_32f;
    static constexpr auto fwdI = veksDCTFwd_32f_I;
    static constexpr auto invI = veksDCTInv_32f_I;
};
template <> struct DctApi<double> {
    using F = VeksDCTFwdSpec_64f;
    using I = VeksDCTInvSpec_64f;
    static constexpr auto fwdSize = veksDCTFwdGetSize_64f;
    static constexpr auto invSize = veksDCTInvGetSize_64f;
    static constexpr auto fwdInit = veksDCTFwdInit_64f;
    static constexpr auto invInit = veksDCTInvInit_64f;
    static constexpr auto fwd = veksDCTFwd_64f;
    static constexpr auto inv = veksDCTInv_64f;
    static constexpr auto fwdI = veksDCTFwd_64f_I;
    static constexpr auto invI = veksDCTInv_64f_I;
};

// A forward and an inverse spec of one length with their memory.
template <class T>
struct Dct {
    using A = DctApi<T>;
    explicit Dct(int n) {
        int s, i, w;
        EXPECT_EQ(A::fwdSize(n, vekHintNone, &s, &i, &w), vekStsNoErr);
        int s2, i2, w2;
        EXPECT_EQ(A::invSize(n, vekHintNone, &s2, &i2, &w2), vekStsNoErr);
        EXPECT_EQ(s, s2);
        fm.resize(s + 1); im.resize(s + 1); init.resize(i + 1); work.resize(w + 1);
        // Odd offsets: Init must align for itself.
        EXPECT_EQ(A::fwdInit(&f, n, vekHintNone, fm.data() + 1, init.data()), vekStsNoErr);
        EXPECT_EQ(A::invInit(&b, n, vekHintNone, im.data() + 1, init.data()), vekStsNoErr);
    }
    std::vector<Vek8u> fm, im, init, work;
    typename A::F* f = nullptr;
    typename A::I* b = nullptr;
};

template <class T>
std::vector<LD> dctRef(const std::vector<T>& x, bool inv) {
    const int n = int(x.size());
    std::vector<LD> y(n), cosT(4 * n);
    for (int m = 0; m < 4 * n; ++m) cosT[m] = std::cos(kPi * LD(m) / (2 * n));
    for (int o = 0; o < n; ++o) {
        LD s = 0;
        for (int j = 0; j < n; ++j) {
            const int k = inv ? j : o, nn = inv ? o : j;
            const LD c = k == 0 ? std::sqrt(1.0L / n) : std::sqrt(2.0L / n);
            s += c * LD(x[j]) * cosT[(2 * nn + 1) * (long long)k % (4LL * n)];
        }
        y[o] = s;
    }
    return y;
}

template <class T>
double relRms(const std::vector<T>& got, const std::vector<LD>& want) {
    LD e = 0, r = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        e += (LD(got[i]) - want[i]) * (LD(got[i]) - want[i]);
        r += want[i] * want[i];
    }
    return double(std::sqrt(e / (r > 0 ? r : 1)));
}

template <class T>
void dctAgainstDirect(int n, vt::Rng& rng) {
    SCOPED_TRACE("n=" + std::to_string(n));
    using A = DctApi<T>;
    Dct<T> d(n);
    std::vector<T> x(n), y(n), z(n);
    for (auto& v : x) v = T(rng.uniform(-1, 1));
    ASSERT_EQ(A::fwd(x.data(), y.data(), d.f, d.work.data()), vekStsNoErr);
    const double eps = std::numeric_limits<T>::epsilon();
    const double tol = 4 * eps * (std::log2(double(n)) + 2);
    EXPECT_LT(relRms(y, dctRef(x, false)), tol);
    ASSERT_EQ(A::inv(x.data(), z.data(), d.b, d.work.data()), vekStsNoErr);
    EXPECT_LT(relRms(z, dctRef(x, true)), tol);
    // In place gives the same bits; the inverse undoes the forward.
    std::vector<T> w = x;
    ASSERT_EQ(A::fwdI(w.data(), d.f, d.work.data()), vekStsNoErr);
    EXPECT_EQ(0, std::memcmp(w.data(), y.data(), sizeof(T) * n));
    ASSERT_EQ(A::invI(w.data(), d.b, d.work.data()), vekStsNoErr);
    std::vector<LD> xl(x.begin(), x.end());
    EXPECT_LT(relRms(w, xl), tol);
}

TEST(Dct, MatchesDirectFormula) {
    vt::Rng rng;
    std::vector<int> ns;
    for (int n = 1; n <= 80; ++n) ns.push_back(n);
    for (int n : {100, 127, 128, 255, 256, 1000, 1009, 1536}) ns.push_back(n);
    for (int n : ns) {
        dctAgainstDirect<float>(n, rng);
        dctAgainstDirect<double>(n, rng);
    }
}

TEST(Dct, ClosedForms) {
    // N = 2: ((x0 + x1)/sqrt 2, (x0 - x1)/sqrt 2); a constant c gives c sqrt(N), 0, ...
    Dct<double> d2(2);
    double x[2] = {3.0, 1.0}, y[2];
    ASSERT_EQ(veksDCTFwd_64f(x, y, d2.f, d2.work.data()), vekStsNoErr);
    EXPECT_NEAR(y[0], 4.0 / std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(y[1], 2.0 / std::sqrt(2.0), 1e-15);
    for (int n : {1, 8, 16, 35, 36, 100}) {
        Dct<float> d(n);
        std::vector<float> c(n, 2.5f), out(n);
        vt::expectMxcsrKept([&] { ASSERT_EQ(veksDCTFwd_32f(c.data(), out.data(), d.f, d.work.data()), vekStsNoErr); });
        EXPECT_NEAR(out[0], 2.5 * std::sqrt(double(n)), 1e-5 * n);
        for (int k = 1; k < n; ++k) EXPECT_NEAR(out[k], 0.0f, 2e-6f * n) << n << " " << k;
    }
}

TEST(Dct, BadInput) {
    int s, i, w;
    EXPECT_EQ(veksDCTFwdGetSize_32f(0, vekHintNone, nullptr, &i, &w), vekStsSizeErr);   // len first
    EXPECT_EQ(veksDCTFwdGetSize_32f(4, vekHintNone, nullptr, &i, &w), vekStsNullPtrErr);
    EXPECT_EQ(veksDCTInvGetSize_64f(-3, vekHintNone, &s, &i, &w), vekStsSizeErr);
    VeksDCTFwdSpec_32f* f = nullptr;
    Vek8u mem[64];
    EXPECT_EQ(veksDCTFwdInit_32f(&f, 0, vekHintNone, nullptr, nullptr), vekStsSizeErr);
    EXPECT_EQ(veksDCTFwdInit_32f(nullptr, 4, vekHintNone, mem, nullptr), vekStsNullPtrErr);
    EXPECT_EQ(veksDCTFwdInit_32f(&f, 4, vekHintNone, nullptr, nullptr), vekStsNullPtrErr);
    EXPECT_EQ(f, nullptr);

    for (int n : {4, 64}) {   // a spec without and with a work buffer
        Dct<float> d(n);
        Dct<double> dd(n);
        std::vector<float> x(n, 1.0f);
        vt::Sentinel<float> out(n);
        EXPECT_EQ(veksDCTFwd_32f(nullptr, out.data(), d.f, d.work.data()), vekStsNullPtrErr);
        EXPECT_EQ(veksDCTFwd_32f(x.data(), nullptr, d.f, d.work.data()), vekStsNullPtrErr);
        EXPECT_EQ(veksDCTFwd_32f(x.data(), out.data(), nullptr, d.work.data()), vekStsNullPtrErr);
        // A forward spec given to the inverse, a 64f spec to a 32f function.
        EXPECT_EQ(veksDCTInv_32f(x.data(), out.data(), reinterpret_cast<const VeksDCTInvSpec_32f*>(d.f),
                                 d.work.data()), vekStsContextMatchErr);
        EXPECT_EQ(veksDCTFwd_32f(x.data(), out.data(), reinterpret_cast<const VeksDCTFwdSpec_32f*>(dd.f),
                                 d.work.data()), vekStsContextMatchErr);
        if (n == 64) { EXPECT_EQ(veksDCTFwd_32f(x.data(), out.data(), d.f, nullptr), vekStsNullPtrErr); }
        EXPECT_TRUE(out.untouched());
    }
    // Memory that never held a spec.
    std::vector<Vek8u> junk(4096, 0xA5);
    std::vector<float> x(8, 1.0f);
    vt::Sentinel<float> out(8);
    EXPECT_EQ(veksDCTFwd_32f(x.data(), out.data(), reinterpret_cast<const VeksDCTFwdSpec_32f*>(junk.data()),
                             nullptr), vekStsContextMatchErr);
    EXPECT_TRUE(out.untouched());
}

// ---- Hilbert --------------------------------------------------------------------------
struct Hil {
    explicit Hil(int n) {
        int s, b;
        EXPECT_EQ(veksHilbertGetSize_32f32fc(n, vekHintNone, &s, &b), vekStsNoErr);
        spec.resize(s + 3);
        buf.resize(b + 3);
        p = reinterpret_cast<VeksHilbertSpec*>(spec.data() + 3);
        EXPECT_EQ(veksHilbertInit_32f32fc(n, vekHintNone, p, buf.data() + 3), vekStsNoErr);
    }
    std::vector<Vek8u> spec, buf;
    VeksHilbertSpec* p;
};

TEST(Hilbert, AnalyticSignal) {
    vt::Rng rng;
    for (int n : {1, 2, 3, 4, 5, 8, 15, 16, 17, 64, 100, 101, 1000, 1024}) {
        SCOPED_TRACE("n=" + std::to_string(n));
        Hil h(n);
        std::vector<float> x(n);
        std::vector<Vek32fc> y(n);
        // The reference: h[n] from the DFT with doubled positive and cleared negative bins.
        for (auto& v : x) v = float(rng.uniform(-1, 1));
        vt::expectMxcsrKept([&] { ASSERT_EQ(veksHilbert_32f32fc(x.data(), y.data(), h.p, h.buf.data() + 3), vekStsNoErr); });
        std::vector<std::complex<LD>> X(n), e(n);
        for (int m = 0; m < n; ++m) e[m] = std::polar(1.0L, 2 * kPi * LD(m) / n);
        for (int k = 0; k < n; ++k)
            for (int j = 0; j < n; ++j) X[k] += LD(x[j]) * std::conj(e[(long long)j * k % n]);
        double worst = 0;
        for (int j = 0; j < n; ++j) {
            std::complex<LD> z = X[0];
            for (int k = 1; k < n; ++k) {
                const LD g = 2 * k < n ? 2 : 2 * k == n ? 1 : 0;
                z += g * X[k] * e[(long long)j * k % n];
            }
            z /= LD(n);
            worst = std::max(worst, double(std::abs(z - std::complex<LD>(y[j].re, y[j].im))));
            EXPECT_NEAR(y[j].re, x[j], 1e-5);
        }
        EXPECT_LT(worst, 2e-6 * std::sqrt(double(n)));
    }
    // cos(2 pi k n / N) gives exp(2 pi i k n / N).
    const int n = 256, k = 7;
    Hil h(n);
    std::vector<float> x(n);
    std::vector<Vek32fc> y(n);
    for (int j = 0; j < n; ++j) x[j] = float(std::cos(2 * M_PI * k * j / n));
    ASSERT_EQ(veksHilbert_32f32fc(x.data(), y.data(), h.p, h.buf.data()), vekStsNoErr);
    for (int j = 0; j < n; ++j) EXPECT_NEAR(y[j].im, std::sin(2 * M_PI * k * j / n), 1e-5);
}

TEST(Hilbert, BadInput) {
    int s, b;
    EXPECT_EQ(veksHilbertGetSize_32f32fc(0, vekHintNone, nullptr, &b), vekStsNullPtrErr);
    EXPECT_EQ(veksHilbertGetSize_32f32fc(0, vekHintNone, &s, &b), vekStsSizeErr);
    std::vector<Vek8u> mem(256);
    EXPECT_EQ(veksHilbertInit_32f32fc(8, vekHintNone, nullptr, mem.data()), vekStsNullPtrErr);
    EXPECT_EQ(veksHilbertInit_32f32fc(0, vekHintNone, reinterpret_cast<VeksHilbertSpec*>(mem.data()),
                                      mem.data()), vekStsSizeErr);
    Hil h(16);
    std::vector<float> x(16, 1.0f);
    vt::Sentinel<Vek32fc> out(16);
    EXPECT_EQ(veksHilbert_32f32fc(nullptr, out.data(), h.p, h.buf.data()), vekStsNullPtrErr);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), out.data(), h.p, nullptr), vekStsNullPtrErr);
    std::vector<Vek8u> junk(h.spec.size(), 0);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), out.data(), reinterpret_cast<VeksHilbertSpec*>(junk.data()),
                                  h.buf.data()), vekStsContextMatchErr);
    EXPECT_TRUE(out.untouched());
}

// ---- Goertzel -------------------------------------------------------------------------
// sum_n x[n] e^(2 pi i f (N - n)) in long double.
template <class T> std::complex<LD> toLD(T v) { return LD(v); }
template <class T> std::complex<LD> toLD(std::complex<T> v) { return {LD(v.real()), LD(v.imag())}; }
template <class T>
std::complex<LD> goertzRef(const std::vector<T>& x, LD f) {
    const int n = int(x.size());
    std::complex<LD> s;
    for (int j = 0; j < n; ++j) s += toLD(x[j]) * std::polar(1.0L, 2 * kPi * f * LD(n - j));
    return s;
}

TEST(Goertz, MatchesDirectSum) {
    vt::Rng rng;
    for (int n : {1, 2, 3, 7, 8, 9, 31, 64, 65, 100, 129, 1000, 4097}) {
        SCOPED_TRACE("n=" + std::to_string(n));
        std::vector<float> xr(n);
        std::vector<std::complex<float>> xc(n);
        std::vector<double> dr(n);
        std::vector<std::complex<double>> dc(n);
        std::vector<Vek16s> sr(n);
        std::vector<std::complex<Vek16s>> sc(n);
        for (int j = 0; j < n; ++j) {
            xr[j] = float(rng.uniform(-1, 1));
            xc[j] = {float(rng.uniform(-1, 1)), float(rng.uniform(-1, 1))};
            dr[j] = xr[j];
            dc[j] = xc[j];
            sr[j] = Vek16s(rng.uniform(-3000, 3000));
            sc[j] = {Vek16s(rng.uniform(-3000, 3000)), Vek16s(rng.uniform(-3000, 3000))};
        }
        // Integer and fractional bins, DC and the top of the range.
        for (double f : {0.0, 1.0 / n, 3.0 / n, 0.123456, 0.5, 0.999}) {
            if (f >= 1.0) continue;
            const float ff = float(f);
            const LD fl = LD(ff), fd = LD(f);
            const LD bound = std::sqrt(LD(n));   // |value| is about sqrt(N) for random input
            Vek32fc v;
            ASSERT_EQ(veksGoertz_32f(xr.data(), n, &v, ff), vekStsNoErr);
            EXPECT_LT(double(std::abs(std::complex<LD>(v.re, v.im) - goertzRef(xr, fl)) / bound), 3e-6);
            vt::expectMxcsrKept([&] {
                ASSERT_EQ(veksGoertz_32fc(reinterpret_cast<Vek32fc*>(xc.data()), n, &v, ff), vekStsNoErr);
            });
            EXPECT_LT(double(std::abs(std::complex<LD>(v.re, v.im) - goertzRef(xc, fl)) / bound), 3e-6);
            // The double recursion loses accuracy near DC as N grows: bound it by N.
            Vek64fc w;
            ASSERT_EQ(veksGoertz_64f(dr.data(), n, &w, f), vekStsNoErr);
            EXPECT_LT(double(std::abs(std::complex<LD>(w.re, w.im) - goertzRef(dr, fd)) / bound), 1e-13 * n);
            ASSERT_EQ(veksGoertz_64fc(reinterpret_cast<Vek64fc*>(dc.data()), n, &w, f), vekStsNoErr);
            EXPECT_LT(double(std::abs(std::complex<LD>(w.re, w.im) - goertzRef(dc, fd)) / bound), 1e-13 * n);
            // 16-bit forms: the scaled value rounded and saturated.
            for (int sf : {-2, 0, 3, 12}) {
                Vek16sc q;
                const std::complex<LD> r = goertzRef(sr, fl) * std::pow(2.0L, -sf);
                ASSERT_EQ(veksGoertz_16s_Sfs(sr.data(), n, &q, ff, sf), vekStsNoErr);
                const LD tol = 1 + std::abs(r) * 1e-5L;
                EXPECT_LE(std::abs(q.re - std::max(-32768.0L, std::min(32767.0L, r.real()))), tol);
                EXPECT_LE(std::abs(q.im - std::max(-32768.0L, std::min(32767.0L, r.imag()))), tol);
                const std::complex<LD> rc = goertzRef(sc, fl) * std::pow(2.0L, -sf);
                ASSERT_EQ(veksGoertz_16sc_Sfs(reinterpret_cast<Vek16sc*>(sc.data()), n, &q, ff, sf), vekStsNoErr);
                EXPECT_LE(std::abs(q.re - std::max(-32768.0L, std::min(32767.0L, rc.real()))), tol);
                EXPECT_LE(std::abs(q.im - std::max(-32768.0L, std::min(32767.0L, rc.imag()))), tol);
            }
        }
    }
}

TEST(Goertz, BadInput) {
    float x[4] = {1, 2, 3, 4};
    Vek32fc v{7.0f, 7.0f};
    EXPECT_EQ(veksGoertz_32f(nullptr, 4, &v, 0.1f), vekStsNullPtrErr);
    EXPECT_EQ(veksGoertz_32f(x, 4, nullptr, 0.1f), vekStsNullPtrErr);
    EXPECT_EQ(veksGoertz_32f(x, 0, &v, 2.0f), vekStsSizeErr);
    for (float f : {1.0f, -0.1f, 2.5f, std::nanf("")}) EXPECT_EQ(veksGoertz_32f(x, 4, &v, f), vekStsRelFreqErr);
    Vek64fc w{7.0, 7.0};
    double d[4] = {1, 2, 3, 4};
    EXPECT_EQ(veksGoertz_64f(d, 4, &w, 1.0), vekStsRelFreqErr);
    Vek16sc q{7, 7};
    Vek16s s[4] = {1, 2, 3, 4};
    EXPECT_EQ(veksGoertz_16s_Sfs(s, -1, &q, 0.5f, 0), vekStsSizeErr);
    EXPECT_TRUE(v.re == 7.0f && v.im == 7.0f && w.re == 7.0 && q.re == 7);
    // -0.0 is not below zero: the sum of the input.
    ASSERT_EQ(veksGoertz_32f(x, 4, &v, -0.0f), vekStsNoErr);
    EXPECT_FLOAT_EQ(v.re, 10.0f);
    EXPECT_FLOAT_EQ(v.im, 0.0f);
}

}  // namespace
