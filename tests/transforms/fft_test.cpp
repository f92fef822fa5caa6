// Power-of-two FFT through the public surface: accuracy against a long-double
// reference, round trips, every flag, layout and split form, in place against out of
// place, the reported sizes, and the argument checks in their documented order with
// nothing written on error.
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "helpers.h"

namespace {

using LD = long double;
using CL = std::complex<LD>;
constexpr LD kPi = 3.14159265358979323846264338327950288L;

// Forward DFT in long double: iterative radix-2 with roots from exactly reduced angles.
std::vector<CL> refFft(std::vector<CL> x) {
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    std::vector<CL> w(n / 2 + 1);
    for (std::size_t k = 0; k < w.size(); ++k) w[k] = std::polar(1.0L, -2 * kPi * LD(k) / LD(n));
    for (std::size_t len = 2; len <= n; len *= 2)
        for (std::size_t i = 0; i < n; i += len)
            for (std::size_t k = 0; k < len / 2; ++k) {
                const CL a = x[i + k], t = x[i + k + len / 2], ww = w[k * (n / len)];
                const CL b{t.real() * ww.real() - t.imag() * ww.imag(), t.real() * ww.imag() + t.imag() * ww.real()};
                x[i + k] = a + b;
                x[i + k + len / 2] = a - b;
            }
    return x;
}

CL refBin(const std::vector<CL>& x, std::size_t k) {
    const std::size_t n = x.size();
    CL s = 0;
    for (std::size_t j = 0; j < n; ++j) s += x[j] * std::polar(1.0L, -2 * kPi * LD((j * k) % n) / LD(n));
    return s;
}

template <class T>
double bound(int order) {
    return 2.0 * (order < 1 ? 1 : order) * double(std::numeric_limits<T>::epsilon());
}

template <class F>
double relRms(std::size_t count, F pair) {
    LD e = 0, r = 0;
    for (std::size_t i = 0; i < count; ++i) {
        auto [g, w] = pair(i);
        e += std::norm(g - w);
        r += std::norm(w);
    }
    return r == 0 ? double(std::sqrt(e)) : double(std::sqrt(e / r));
}

enum KindT { KC, KS, KR };
enum Fmt { CCS, PACK, PERM };

#define VT_FFT_API(T, TC, TF)                                                                   \
    template <> struct Api<T> {                                                                 \
        using C = Vek##TC;                                                                      \
        static VekStatus size(KindT k, int o, int f, int* a, int* b, int* c) {                 \
            return k == KC ? veksFFTGetSize_C_##TC(o, f, vekHintNone, a, b, c)                  \
                 : k == KS ? veksFFTGetSize_C_##TF(o, f, vekHintNone, a, b, c)                  \
                           : veksFFTGetSize_R_##TF(o, f, vekHintNone, a, b, c);                 \
        }                                                                                       \
        static VekStatus init(KindT k, void** pp, int o, int f, Vek8u* p, Vek8u* b) {          \
            return k == KC ? veksFFTInit_C_##TC((VeksFFTSpec_C_##TC**)pp, o, f, vekHintNone, p, b) \
                 : k == KS ? veksFFTInit_C_##TF((VeksFFTSpec_C_##TF**)pp, o, f, vekHintNone, p, b) \
                           : veksFFTInit_R_##TF((VeksFFTSpec_R_##TF**)pp, o, f, vekHintNone, p, b); \
        }                                                                                       \
        static VekStatus c(bool inv, const C* s, C* d, const void* p, Vek8u* b) {               \
            auto q = (const VeksFFTSpec_C_##TC*)p;                                              \
            return inv ? veksFFTInv_CToC_##TC(s, d, q, b) : veksFFTFwd_CToC_##TC(s, d, q, b);   \
        }                                                                                       \
        static VekStatus cI(bool inv, C* s, const void* p, Vek8u* b) {                          \
            auto q = (const VeksFFTSpec_C_##TC*)p;                                              \
            return inv ? veksFFTInv_CToC_##TC##_I(s, q, b) : veksFFTFwd_CToC_##TC##_I(s, q, b); \
        }                                                                                       \
        static VekStatus s(bool inv, const T* a, const T* b, T* c, T* d, const void* p, Vek8u* w) { \
            auto q = (const VeksFFTSpec_C_##TF*)p;                                              \
            return inv ? veksFFTInv_CToC_##TF(a, b, c, d, q, w) : veksFFTFwd_CToC_##TF(a, b, c, d, q, w); \
        }                                                                                       \
        static VekStatus sI(bool inv, T* a, T* b, const void* p, Vek8u* w) {                    \
            auto q = (const VeksFFTSpec_C_##TF*)p;                                              \
            return inv ? veksFFTInv_CToC_##TF##_I(a, b, q, w) : veksFFTFwd_CToC_##TF##_I(a, b, q, w); \
        }                                                                                       \
        static VekStatus r(bool inv, int f, const T* s, T* d, const void* p, Vek8u* b) {       \
            auto q = (const VeksFFTSpec_R_##TF*)p;                                              \
            if (!inv)                                                                           \
                return f == CCS ? veksFFTFwd_RToCCS_##TF(s, d, q, b)                            \
                     : f == PACK ? veksFFTFwd_RToPack_##TF(s, d, q, b)                          \
                                 : veksFFTFwd_RToPerm_##TF(s, d, q, b);                         \
            return f == CCS ? veksFFTInv_CCSToR_##TF(s, d, q, b)                                \
                 : f == PACK ? veksFFTInv_PackToR_##TF(s, d, q, b)                              \
                             : veksFFTInv_PermToR_##TF(s, d, q, b);                             \
        }                                                                                       \
        static VekStatus rI(bool inv, int f, T* s, const void* p, Vek8u* b) {                   \
            auto q = (const VeksFFTSpec_R_##TF*)p;                                              \
            if (!inv)                                                                           \
                return f == CCS ? veksFFTFwd_RToCCS_##TF##_I(s, q, b)                           \
                     : f == PACK ? veksFFTFwd_RToPack_##TF##_I(s, q, b)                         \
                                 : veksFFTFwd_RToPerm_##TF##_I(s, q, b);                        \
            return f == CCS ? veksFFTInv_CCSToR_##TF##_I(s, q, b)                               \
                 : f == PACK ? veksFFTInv_PackToR_##TF##_I(s, q, b)                             \
                             : veksFFTInv_PermToR_##TF##_I(s, q, b);                            \
        }                                                                                       \
    };
template <class T> struct Api;
VT_FFT_API(float, 32fc, 32f)
VT_FFT_API(double, 64fc, 64f)

// A spec built in exactly the reported sizes, its block and work buffer starting one
// byte past an alignment boundary. A null work buffer is passed where the size is 0.
template <class T>
struct Spec {
    Spec(KindT k, int order, int flag = 8) {
        st = Api<T>::size(k, order, flag, &specSize, &initSize, &workSize);
        if (st != vekStsNoErr) return;
        mem.assign(std::size_t(specSize) + 1, 0);
        initBuf.assign(std::size_t(initSize) + 1, 0);
        work.assign(std::size_t(workSize) + 1, 0);
        workPtr = workSize ? work.data() + 1 : nullptr;
        st = Api<T>::init(k, &spec, order, flag, mem.data() + 1, initSize ? initBuf.data() + 1 : nullptr);
    }
    VekStatus st;
    int specSize = 0, initSize = 0, workSize = 0;
    std::vector<Vek8u> mem, initBuf, work;
    void* spec = nullptr;
    Vek8u* workPtr = nullptr;
};

std::vector<CL> randomSignal(vt::Rng& rng, std::size_t n, bool real) {
    std::vector<CL> x(n);
    for (auto& v : x) v = {LD(float(rng.uniform(-1, 1))), real ? 0.0L : LD(float(rng.uniform(-1, 1)))};
    return x;
}

// Packed position of R_k / I_k in a format (-1: the value is not stored, it is 0).
int packedRe(int f, int n, int k) {
    if (f == CCS) return 2 * k;
    if (k == 0) return 0;
    if (2 * k == n) return f == PACK ? n - 1 : 1;
    return f == PACK ? 2 * k - 1 : 2 * k;
}
int packedIm(int f, int n, int k) {
    if (f == CCS) return 2 * k + 1;
    if (k == 0 || 2 * k == n) return -1;
    return f == PACK ? 2 * k : 2 * k + 1;
}
// CCS of one point is (x0, 0): the even-length rule would give three values.
std::size_t packedLen(int f, int n) { return f == CCS ? std::size_t(n) + (n == 1 ? 1 : 2) : std::size_t(n); }

// All kinds of one order: complex (interleaved, split, in place) and real (three
// layouts, in place) against the reference, inverses against the mirrored reference.
template <class T>
void checkOrder(int order, double* worst) {
    SCOPED_TRACE("order " + std::to_string(order));
    const int n = 1 << order;
    vt::Rng rng;
    const auto x = randomSignal(rng, n, false), xr = randomSignal(rng, n, true);
    const auto X = refFft(x), XR = refFft(xr);
    auto note = [&](double e) {
        EXPECT_LE(e, bound<T>(order));
        *worst = std::max(*worst, e / bound<T>(order));
    };
    using C = typename Api<T>::C;
    {
        Spec<T> s(KC, order);
        ASSERT_EQ(s.st, vekStsNoErr);
        std::vector<C> in(n), out(n);
        for (int i = 0; i < n; ++i) in[i] = {T(x[i].real()), T(x[i].imag())};
        for (bool inv : {false, true}) {
            ASSERT_EQ(Api<T>::c(inv, in.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
            note(relRms(n, [&](std::size_t k) {
                return std::pair{CL(out[k].re, out[k].im), inv ? X[(n - k) % n] : X[k]};
            }));
            auto io = in;
            ASSERT_EQ(Api<T>::cI(inv, io.data(), s.spec, s.workPtr), vekStsNoErr);
            EXPECT_EQ(0, std::memcmp(io.data(), out.data(), n * sizeof(C))) << "in place differs";
            Spec<T> ss(KS, order);
            ASSERT_EQ(ss.st, vekStsNoErr);
            std::vector<T> re(n), im(n), dre(n), dim(n);
            for (int i = 0; i < n; ++i) re[i] = in[i].re, im[i] = in[i].im;
            ASSERT_EQ(Api<T>::s(inv, re.data(), im.data(), dre.data(), dim.data(), ss.spec, ss.workPtr), vekStsNoErr);
            for (int i = 0; i < n; ++i) ASSERT_TRUE(dre[i] == out[i].re && dim[i] == out[i].im) << "split " << i;
            ASSERT_EQ(Api<T>::sI(inv, re.data(), im.data(), ss.spec, ss.workPtr), vekStsNoErr);
            EXPECT_EQ(re, dre);
            EXPECT_EQ(im, dim);
        }
    }
    Spec<T> s(KR, order);
    ASSERT_EQ(s.st, vekStsNoErr);
    std::vector<T> in(n);
    for (int i = 0; i < n; ++i) in[i] = T(xr[i].real());
    for (int f : {CCS, PACK, PERM}) {
        SCOPED_TRACE("format " + std::to_string(f));
        const std::size_t len = packedLen(f, n);
        std::vector<T> out(len, T(7));
        ASSERT_EQ(Api<T>::r(false, f, in.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
        note(relRms(n / 2 + 1, [&](std::size_t k) {
            const int pr = packedRe(f, n, int(k)), pi = packedIm(f, n, int(k));
            return std::pair{CL(out[pr], pi < 0 ? 0 : out[pi]), XR[k]};
        }));
        if (f == CCS) {
            EXPECT_TRUE(out[1] == 0 && out[len - 1] == 0);
        }
        std::vector<T> io(len, T(0));
        std::copy(in.begin(), in.end(), io.begin());
        ASSERT_EQ(Api<T>::rI(false, f, io.data(), s.spec, s.workPtr), vekStsNoErr);
        EXPECT_EQ(io, out);
        // The inverse of the exact spectrum is n times the signal.
        std::vector<T> spec(len, T(0)), back(n);
        for (int k = 0; k <= n / 2; ++k) {
            spec[packedRe(f, n, k)] = T(XR[k].real());
            if (packedIm(f, n, k) >= 0) spec[packedIm(f, n, k)] = T(XR[k].imag());
        }
        ASSERT_EQ(Api<T>::r(true, f, spec.data(), back.data(), s.spec, s.workPtr), vekStsNoErr);
        note(relRms(n, [&](std::size_t k) { return std::pair{CL(back[k]), CL(xr[k].real() * n)}; }));
        ASSERT_EQ(Api<T>::rI(true, f, spec.data(), s.spec, s.workPtr), vekStsNoErr);
        EXPECT_EQ(0, std::memcmp(spec.data(), back.data(), n * sizeof(T)));
    }
}

template <class T>
void roundTripLarge(int order) {
    SCOPED_TRACE("order " + std::to_string(order));
    const int n = 1 << order;
    vt::Rng rng;
    const auto x = randomSignal(rng, n, false);
    using C = typename Api<T>::C;
    Spec<T> s(KC, order, 2);
    ASSERT_EQ(s.st, vekStsNoErr);
    std::vector<C> in(n), out(n);
    for (int i = 0; i < n; ++i) in[i] = {T(x[i].real()), T(x[i].imag())};
    ASSERT_EQ(Api<T>::c(false, in.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
    double e = 0;
    for (std::size_t k : {std::size_t(0), std::size_t(1), std::size_t(n / 3), std::size_t(n - 1)})
        e = std::max(e, double(std::abs(CL(out[k].re, out[k].im) - refBin(x, k)) / std::sqrt(LD(n))));
    EXPECT_LE(e, 4 * bound<T>(order));
    ASSERT_EQ(Api<T>::cI(true, out.data(), s.spec, s.workPtr), vekStsNoErr);
    EXPECT_LE(relRms(n, [&](std::size_t k) { return std::pair{CL(out[k].re, out[k].im), x[k]}; }),
              2 * bound<T>(order));
    Spec<T> r(KR, order, 1);
    ASSERT_EQ(r.st, vekStsNoErr);
    std::vector<T> re(n + 2);
    for (int i = 0; i < n; ++i) re[i] = T(x[i].real());
    ASSERT_EQ(Api<T>::rI(false, CCS, re.data(), r.spec, r.workPtr), vekStsNoErr);
    ASSERT_EQ(Api<T>::rI(true, CCS, re.data(), r.spec, r.workPtr), vekStsNoErr);
    EXPECT_LE(relRms(n, [&](std::size_t k) { return std::pair{CL(re[k]), CL(x[k].real())}; }),
              2 * bound<T>(order));
}

}  // namespace

TEST(FftAccuracy, AllKindsOrders0To16) {
    double wf = 0, wd = 0;
    for (int o = 0; o <= 16; ++o) {
        checkOrder<float>(o, &wf);
        checkOrder<double>(o, &wd);
    }
    std::printf("worst error / bound: 32f %.3f, 64f %.3f\n", wf, wd);
}

TEST(FftAccuracy, LargeOrdersRoundTripAndBins) {
    for (int o = 17; o <= 20; ++o) {
        roundTripLarge<float>(o);
        roundTripLarge<double>(o);
    }
}

// The result does not depend on where dst lies relative to the work buffer (the
// engine may move its work array within the buffer by that distance), and the
// reported work size covers every placement: the buffer has exactly that size.
template <class T>
void placementChecks() {
    using C = typename Api<T>::C;
    for (int order : {11, 12, 13}) {
        SCOPED_TRACE("order " + std::to_string(order));
        const int n = 1 << order;
        vt::Rng rng;
        const auto x = randomSignal(rng, n, false);
        std::vector<C> in(n), ref(n);
        for (int i = 0; i < n; ++i) in[i] = {T(x[i].real()), T(x[i].imag())};
        for (KindT k : {KC, KR}) {
            Spec<T> s(k, order);
            ASSERT_EQ(s.st, vekStsNoErr);
            auto run = [&](C* d, Vek8u* w) {
                if (k == KC) return Api<T>::c(false, in.data(), d, s.spec, w);
                return Api<T>::r(false, CCS, reinterpret_cast<const T*>(in.data()), reinterpret_cast<T*>(d), s.spec, w);
            };
            ASSERT_EQ(run(ref.data(), s.workPtr), vekStsNoErr);
            std::vector<Vek8u> work(std::size_t(s.workSize));
            std::vector<C> room(std::size_t(n) + 4096 / sizeof(C) + 2);
            for (std::size_t dist : {0, 64, 2048, 4032}) {
                const std::uintptr_t w = reinterpret_cast<std::uintptr_t>(work.data());
                std::uintptr_t d = reinterpret_cast<std::uintptr_t>(room.data());
                d += ((w + dist - d) & 4095) / sizeof(C) * sizeof(C);
                C* dst = reinterpret_cast<C*>(d);
                ASSERT_EQ(run(dst, work.data()), vekStsNoErr);
                const std::size_t len = k == KC ? std::size_t(n) : std::size_t(n) / 2 + 1;
                EXPECT_EQ(0, std::memcmp(dst, ref.data(), len * sizeof(C))) << "distance " << dist;
            }
        }
    }
}

TEST(FftWork, ResultIndependentOfPlacement) {
    placementChecks<float>();
    placementChecks<double>();
}

TEST(FftSmall, ClosedForms) {
    for (int o : {0, 1, 2, 3}) {
        const int n = 1 << o;
        Spec<float> s(KR, o);
        ASSERT_EQ(s.st, vekStsNoErr);
        std::vector<float> alt(n), out(n + 2);
        for (int i = 0; i < n; ++i) alt[i] = (i % 2) ? -1.f : 1.f;
        ASSERT_EQ(Api<float>::r(false, CCS, alt.data(), out.data(), s.spec, nullptr), vekStsNoErr);
        if (n == 1) EXPECT_TRUE(out[0] == 1 && out[1] == 0);
        else EXPECT_EQ(out[n], float(n));
    }
    Spec<float> s(KR, 2);
    const float imp[4] = {1, 0, 0, 0};
    float o[6];
    ASSERT_EQ(Api<float>::r(false, CCS, imp, o, s.spec, nullptr), vekStsNoErr);
    EXPECT_EQ(std::vector<float>(o, o + 6), (std::vector<float>{1, 0, 1, 0, 1, 0}));
    ASSERT_EQ(Api<float>::r(false, PACK, imp, o, s.spec, nullptr), vekStsNoErr);
    EXPECT_EQ(std::vector<float>(o, o + 4), (std::vector<float>{1, 1, 0, 1}));
    ASSERT_EQ(Api<float>::r(false, PERM, imp, o, s.spec, nullptr), vekStsNoErr);
    EXPECT_EQ(std::vector<float>(o, o + 4), (std::vector<float>{1, 1, 1, 0}));
}

// Each flag scales the direction it names; the round trip returns N s_f s_i times x.
TEST(FftFlags, ScalesAndRoundTrips) {
    for (int o : {0, 3, 6, 7, 11}) {
        const int n = 1 << o;
        for (int flag : {1, 2, 4, 8}) {
            SCOPED_TRACE("order " + std::to_string(o) + " flag " + std::to_string(flag));
            const double sf = flag == 1 ? 1.0 / n : flag == 4 ? 1 / std::sqrt(double(n)) : 1.0;
            const double si = flag == 2 ? 1.0 / n : flag == 4 ? 1 / std::sqrt(double(n)) : 1.0;
            Spec<double> s(KC, o, flag), r(KR, o, flag);
            ASSERT_EQ(s.st, vekStsNoErr);
            ASSERT_EQ(r.st, vekStsNoErr);
            std::vector<Vek64fc> ones(n, Vek64fc{1.0, 0.0}), out(n);
            ASSERT_EQ(Api<double>::c(false, ones.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
            EXPECT_NEAR(out[0].re, n * sf, 1e-12 * n);
            ASSERT_EQ(Api<double>::c(true, out.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
            for (int i = 0; i < n; ++i) ASSERT_NEAR(out[i].re, n * sf * si, 1e-12 * n);
            std::vector<double> x(n + 2, 1.0);
            ASSERT_EQ(Api<double>::rI(false, PERM, x.data(), r.spec, r.workPtr), vekStsNoErr);
            EXPECT_NEAR(x[0], n * sf, 1e-12 * n);
            ASSERT_EQ(Api<double>::rI(true, PERM, x.data(), r.spec, r.workPtr), vekStsNoErr);
            for (int i = 0; i < n; ++i) ASSERT_NEAR(x[i], n * sf * si, 1e-12 * n);
        }
    }
}

TEST(FftSizes, FixedFormulasUpToOrder10) {
    int a, b, c;
    for (int o = 0; o <= 10; ++o) {
        const int n = 1 << o;
        ASSERT_EQ(veksFFTGetSize_C_32fc(o, 8, vekHintNone, &a, &b, &c), vekStsNoErr);
        EXPECT_EQ(a, 16 * n + 2048);
        EXPECT_EQ(b, 0);
        EXPECT_EQ(c, o <= 6 ? 0 : 8 * n + 128);
        ASSERT_EQ(veksFFTGetSize_C_64fc(o, 8, vekHintNone, &a, &b, &c), vekStsNoErr);
        EXPECT_EQ(a, 18 * n + 2048);
        EXPECT_EQ(c, o <= 6 ? 0 : 16 * n + 128);
        ASSERT_EQ(veksFFTGetSize_R_32f(o, 8, vekHintNone, &a, &b, &c), vekStsNoErr);
        EXPECT_EQ(a, 9 * n + 2048);
        EXPECT_EQ(c, o <= 5 ? 0 : 4 * n + 128);
        ASSERT_EQ(veksFFTGetSize_R_64f(o, 8, vekHintNone, &a, &b, &c), vekStsNoErr);
        EXPECT_EQ(a, 18 * n + 2048);
        EXPECT_EQ(c, o <= 5 ? 0 : 8 * n + 128);
    }
}

TEST(FftErrors, SizeAndInitChecks) {
    int a = -1, b = -1, c = -1;
    EXPECT_EQ(veksFFTGetSize_C_32fc(31, 8, vekHintNone, nullptr, &b, &c), vekStsFftOrderErr);
    EXPECT_EQ(veksFFTGetSize_C_32fc(-1, 8, vekHintNone, nullptr, &b, &c), vekStsFftOrderErr);
    EXPECT_EQ(veksFFTGetSize_R_32f(29, 8, vekHintNone, &a, nullptr, &c), vekStsNullPtrErr);
    EXPECT_EQ(veksFFTGetSize_C_32f(30, 8, vekHintNone, &a, &b, &c), vekStsFftOrderErr);
    EXPECT_EQ(veksFFTGetSize_C_64fc(28, 8, vekHintNone, &a, &b, &c), vekStsFftOrderErr);
    EXPECT_EQ(veksFFTGetSize_R_64f(28, 8, vekHintNone, &a, &b, &c), vekStsFftOrderErr);
    for (int f : {0, 3, 16, -1}) EXPECT_EQ(veksFFTGetSize_C_64f(4, f, vekHintNone, &a, &b, &c), vekStsFftFlagErr);
    EXPECT_TRUE(a == -1 && b == -1 && c == -1);
    EXPECT_EQ(veksFFTGetSize_C_32fc(4, 8, VekHint(77), &a, &b, &c), vekStsNoErr);

    vt::Sentinel<Vek8u> mem(4096);
    VeksFFTSpec_C_32fc* p = nullptr;
    EXPECT_EQ(veksFFTInit_C_32fc(nullptr, 4, 8, vekHintNone, mem.data(), nullptr), vekStsNullPtrErr);
    EXPECT_EQ(veksFFTInit_C_32fc(&p, 29, 8, vekHintNone, mem.data(), nullptr), vekStsFftOrderErr);
    EXPECT_EQ(veksFFTInit_C_32fc(&p, -1, 8, vekHintNone, mem.data(), nullptr), vekStsFftOrderErr);
    VeksFFTSpec_C_64fc* pd = nullptr;
    EXPECT_EQ(veksFFTInit_C_64fc(&pd, 28, 8, vekHintNone, mem.data(), nullptr), vekStsFftOrderErr);
    EXPECT_EQ(veksFFTInit_C_32fc(&p, 4, 8, vekHintNone, nullptr, nullptr), vekStsNullPtrErr);
    EXPECT_EQ(veksFFTInit_C_32fc(&p, 4, 3, vekHintNone, mem.data(), nullptr), vekStsFftFlagErr);
    EXPECT_TRUE(mem.untouched());
    EXPECT_EQ(p, nullptr);
    // The spec is the first 64-byte boundary of the block.
    ASSERT_EQ(veksFFTInit_C_32fc(&p, 4, 8, vekHintNone, mem.data() + 1, nullptr), vekStsNoErr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 64, 0u);
    EXPECT_LT(reinterpret_cast<Vek8u*>(p) - (mem.data() + 1), 64);
}

template <class T>
void transformChecks() {
    using C = typename Api<T>::C;
    const int o = 8, n = 1 << o;
    Spec<T> sc(KC, o), ss(KS, o), sr(KR, o);
    ASSERT_EQ(sc.st, vekStsNoErr);
    ASSERT_EQ(ss.st, vekStsNoErr);
    ASSERT_EQ(sr.st, vekStsNoErr);
    std::vector<C> src(n, C{T(1), T(2)});
    vt::Sentinel<C> dst(n);
    vt::Sentinel<T> d1(n + 2), d2(n);
    std::vector<T> rs(n + 2, T(1));
    for (bool inv : {false, true}) {
        EXPECT_EQ(Api<T>::c(inv, src.data(), dst.data(), nullptr, sc.workPtr), vekStsNullPtrErr);
        EXPECT_EQ(Api<T>::cI(inv, nullptr, sc.spec, sc.workPtr), vekStsNullPtrErr);
        EXPECT_EQ(Api<T>::c(inv, src.data(), dst.data(), ss.spec, sc.workPtr), vekStsContextMatchErr);
        EXPECT_EQ(Api<T>::c(inv, src.data(), dst.data(), sr.spec, sc.workPtr), vekStsContextMatchErr);
        EXPECT_EQ(Api<T>::c(inv, nullptr, dst.data(), sc.spec, sc.workPtr), vekStsNullPtrErr);
        EXPECT_EQ(Api<T>::c(inv, src.data(), nullptr, sc.spec, sc.workPtr), vekStsNullPtrErr);
        EXPECT_EQ(Api<T>::c(inv, src.data(), dst.data(), sc.spec, nullptr), vekStsNullPtrErr);
        EXPECT_EQ(Api<T>::s(inv, rs.data(), rs.data(), d1.data(), d2.data(), sc.spec, ss.workPtr), vekStsContextMatchErr);
        EXPECT_EQ(Api<T>::s(inv, rs.data(), nullptr, d1.data(), d2.data(), ss.spec, ss.workPtr), vekStsNullPtrErr);
        EXPECT_EQ(Api<T>::sI(inv, d1.data(), nullptr, ss.spec, ss.workPtr), vekStsNullPtrErr);
        EXPECT_EQ(Api<T>::s(inv, rs.data(), rs.data(), d1.data(), d2.data(), ss.spec, nullptr), vekStsNullPtrErr);
        for (int f : {CCS, PACK, PERM}) {
            EXPECT_EQ(Api<T>::r(inv, f, rs.data(), d1.data(), nullptr, sr.workPtr), vekStsNullPtrErr);
            EXPECT_EQ(Api<T>::r(inv, f, rs.data(), d1.data(), sc.spec, sr.workPtr), vekStsContextMatchErr);
            EXPECT_EQ(Api<T>::r(inv, f, nullptr, d1.data(), sr.spec, sr.workPtr), vekStsNullPtrErr);
            EXPECT_EQ(Api<T>::r(inv, f, rs.data(), nullptr, sr.spec, sr.workPtr), vekStsNullPtrErr);
            EXPECT_EQ(Api<T>::r(inv, f, rs.data(), d1.data(), sr.spec, nullptr), vekStsNullPtrErr);
            EXPECT_EQ(Api<T>::rI(inv, f, nullptr, sr.spec, sr.workPtr), vekStsNullPtrErr);
            EXPECT_EQ(Api<T>::rI(inv, f, d1.data(), ss.spec, sr.workPtr), vekStsContextMatchErr);
        }
        // A block never initialised, and a DFT spec, are rejected by identifier.
        vt::Sentinel<Vek8u> junk(256);
        EXPECT_EQ(Api<T>::c(inv, src.data(), dst.data(), junk.data(), sc.workPtr), vekStsContextMatchErr);
    }
    EXPECT_TRUE(dst.untouched());
    EXPECT_TRUE(d1.untouched());
    EXPECT_TRUE(d2.untouched());
}

// A caller in the IEEE mode keeps its mode bits; one with flush-to-zero and
// denormals-are-zero set still gets unflushed results (a subnormal impulse at 0 is that
// value in every bin) and its register back whole. Orders 6 and 9: the stack-run
// kernels and the power-of-two passes.
TEST(FftMxcsr, IeeeModeWhateverTheCaller) {
    const unsigned saved = _mm_getcsr();
    for (int order : {6, 9}) {
        SCOPED_TRACE("order " + std::to_string(order));
        const int n = 1 << order;
        Spec<double> s(KC, order);
        std::vector<Vek64fc> x(std::size_t(n), Vek64fc{0.0, 0.0}), y(x.size());
        x[0] = {1e-310, -1e-310};
        for (unsigned mode : {0x1F80u, 0x1F80u | 0x8000u | 0x0040u}) {
            _mm_setcsr(mode);
            Api<double>::c(false, x.data(), y.data(), s.spec, s.workPtr);
            const unsigned after = _mm_getcsr();
            _mm_setcsr(saved);
            EXPECT_EQ(after & ~0x3Fu, mode & ~0x3Fu);
            if (mode != 0x1F80u) {
                EXPECT_EQ(after, mode);
            }
            for (int k = 0; k < n; ++k) {
                EXPECT_EQ(y[std::size_t(k)].re, 1e-310);
                EXPECT_EQ(y[std::size_t(k)].im, -1e-310);
            }
        }
    }
    _mm_setcsr(saved);
}

TEST(FftErrors, TransformChecks) {
    transformChecks<float>();
    transformChecks<double>();
    int a, b, c;
    ASSERT_EQ(veksDFTGetSize_C_32fc(16, 8, vekHintNone, &a, &b, &c), vekStsNoErr);
    std::vector<Vek8u> mem(a), ib(b + 1);
    ASSERT_EQ(veksDFTInit_C_32fc(16, 8, vekHintNone, (VeksDFTSpec_C_32fc*)mem.data(), ib.data()), vekStsNoErr);
    const Vek8u* spec = mem.data() + (64 - reinterpret_cast<std::uintptr_t>(mem.data()) % 64) % 64;
    std::vector<Vek32fc> x(16), y(16);
    EXPECT_EQ(veksFFTFwd_CToC_32fc(x.data(), y.data(), (const VeksFFTSpec_C_32fc*)spec, nullptr), vekStsContextMatchErr);
    // Small orders need no work buffer.
    Spec<float> s(KC, 6);
    std::vector<Vek32fc> z(64, Vek32fc{1, 0});
    EXPECT_EQ(veksFFTFwd_CToC_32fc_I(z.data(), (const VeksFFTSpec_C_32fc*)s.spec, nullptr), vekStsNoErr);
    EXPECT_EQ(z[0].re, 64.f);
    vt::expectMxcsrKept([&] {
        veksFFTInv_CToC_32fc_I(z.data(), (const VeksFFTSpec_C_32fc*)s.spec, nullptr);
    });
}
