// DFT of any length through the public surface: accuracy against a long-double
// reference, round trips, every flag and layout, in place and out of place, and the
// argument checks in their documented order with nothing written on error.
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "helpers.h"

namespace {

using LD = long double;
using CL = std::complex<LD>;

// exp(-2 pi i k / n) with k reduced modulo n in integers.
CL unitRoot(std::int64_t k, std::int64_t n) {
    k %= n;
    if (k < 0) k += n;
    const LD a = -2.0L * 3.14159265358979323846264338327950288L * LD(k) / LD(n);
    return {std::cos(a), std::sin(a)};
}

// a * b without the library call that handles infinities.
inline CL mulL(const CL& a, const CL& b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// Reference forward DFT of all bins, in long double: Cooley-Tukey on the smallest
// prime factor (decimation in time), a direct sum for a prime length. Roots come
// from exactly reduced angles of the full length.
void refRec(const CL* x, std::size_t stride, std::size_t n, CL* out, const std::vector<CL>& w,
            std::size_t wstep) {
    std::size_t p = 2;
    while (p * p <= n && n % p) ++p;
    if (p * p > n) p = n;
    if (p == n) {
        for (std::size_t k = 0; k < n; ++k) {
            CL s = 0;
            std::size_t idx = 0;
            for (std::size_t j = 0; j < n; ++j) {
                s += mulL(x[j * stride], w[idx * wstep]);
                idx += k;
                if (idx >= n) idx -= n;
            }
            out[k] = s;
        }
        return;
    }
    const std::size_t m = n / p;
    std::vector<CL> sub(n);
    for (std::size_t q = 0; q < p; ++q) refRec(x + q * stride, stride * p, m, sub.data() + q * m, w, wstep * p);
    for (std::size_t k = 0; k < n; ++k) {
        CL s = 0;
        for (std::size_t q = 0; q < p; ++q) s += mulL(sub[q * m + k % m], w[((q * k) % n) * wstep]);
        out[k] = s;
    }
}

std::vector<CL> refDft(const std::vector<CL>& x) {
    const std::size_t n = x.size();
    std::vector<CL> w(n), X(n);
    for (std::size_t k = 0; k < n; ++k) w[k] = unitRoot(std::int64_t(k), std::int64_t(n));
    refRec(x.data(), 1, n, X.data(), w, 1);
    return X;
}

// One reference bin (for long lengths, where only sampled bins are checked).
CL refBin(const std::vector<CL>& x, std::size_t k) {
    const std::size_t n = x.size();
    CL s = 0;
    for (std::size_t j = 0; j < n; ++j) s += mulL(x[j], unitRoot(std::int64_t((j * k) % n), std::int64_t(n)));
    return s;
}

// Relative RMS error of got against ref over the given bins.
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

template <class T>
double bound(int n) {
    int lg = 0;
    while ((1LL << lg) < n) ++lg;
    if (lg < 1) lg = 1;
    return 2.0 * lg * double(std::numeric_limits<T>::epsilon());
}

std::vector<CL> randomSignal(vt::Rng& rng, int n, bool real) {
    std::vector<CL> x(n);
    for (auto& v : x) {
        // values exact in float, so one reference serves both precisions
        v = {LD(float(rng.uniform(-1, 1))), real ? 0.0L : LD(float(rng.uniform(-1, 1)))};
    }
    return x;
}

// ---- typed access to the six kinds ------------------------------------------------
enum KindT { KC, KS, KR };

#define VT_DFT_API(T, TC, TF)                                                                    \
    template <> struct Api<T> {                                                                  \
        using C = Vek##TC;                                                                       \
        static VekStatus size(KindT k, int n, int f, int h, int* a, int* b, int* c) {            \
            return k == KC ? veksDFTGetSize_C_##TC(n, f, VekHint(h), a, b, c)                    \
                 : k == KS ? veksDFTGetSize_C_##TF(n, f, VekHint(h), a, b, c)                    \
                           : veksDFTGetSize_R_##TF(n, f, VekHint(h), a, b, c);                   \
        }                                                                                        \
        static VekStatus init(KindT k, int n, int f, int h, void* p, Vek8u* b) {                 \
            return k == KC ? veksDFTInit_C_##TC(n, f, VekHint(h), (VeksDFTSpec_C_##TC*)p, b)     \
                 : k == KS ? veksDFTInit_C_##TF(n, f, VekHint(h), (VeksDFTSpec_C_##TF*)p, b)     \
                           : veksDFTInit_R_##TF(n, f, VekHint(h), (VeksDFTSpec_R_##TF*)p, b);    \
        }                                                                                        \
        static VekStatus c(bool inv, const C* s, C* d, const void* p, Vek8u* b) {                \
            auto q = (const VeksDFTSpec_C_##TC*)p;                                               \
            return inv ? veksDFTInv_CToC_##TC(s, d, q, b) : veksDFTFwd_CToC_##TC(s, d, q, b);    \
        }                                                                                        \
        static VekStatus s(bool inv, const T* a, const T* b, T* c, T* d, const void* p,         \
                           Vek8u* w) {                                                           \
            auto q = (const VeksDFTSpec_C_##TF*)p;                                               \
            return inv ? veksDFTInv_CToC_##TF(a, b, c, d, q, w)                                  \
                       : veksDFTFwd_CToC_##TF(a, b, c, d, q, w);                                 \
        }                                                                                        \
        static VekStatus r(bool inv, int f, const T* s, T* d, const void* p, Vek8u* b) {        \
            auto q = (const VeksDFTSpec_R_##TF*)p;                                               \
            if (!inv)                                                                            \
                return f == 0 ? veksDFTFwd_RToCCS_##TF(s, d, q, b)                               \
                     : f == 1 ? veksDFTFwd_RToPack_##TF(s, d, q, b)                              \
                              : veksDFTFwd_RToPerm_##TF(s, d, q, b);                             \
            return f == 0 ? veksDFTInv_CCSToR_##TF(s, d, q, b)                                   \
                 : f == 1 ? veksDFTInv_PackToR_##TF(s, d, q, b)                                  \
                          : veksDFTInv_PermToR_##TF(s, d, q, b);                                 \
        }                                                                                        \
    };
template <class T> struct Api;
VT_DFT_API(float, 32fc, 32f)
VT_DFT_API(double, 64fc, 64f)

// A spec built exactly as the size query says, starting 1 byte past an alignment
// boundary (Init aligns it itself), with its work buffer, also misaligned.
template <class T>
struct Spec {
    Spec(KindT k, int n, int flag = 8, int hint = 0) : kind(k), n(n) {
        st = Api<T>::size(k, n, flag, hint, &specSize, &initSize, &workSize);
        if (st != vekStsNoErr) return;
        mem.assign(std::size_t(specSize) + 1, 0);
        initBuf.assign(std::size_t(initSize) + 1, 0);
        work.assign(std::size_t(workSize) + 1, 0);
        spec = mem.data() + 1;
        workPtr = work.data() + 1;
        st = Api<T>::init(k, n, flag, hint, spec, initBuf.data() + 1);
    }
    KindT kind;
    int n;
    VekStatus st;
    int specSize = 0, initSize = 0, workSize = 0;
    std::vector<Vek8u> mem, initBuf, work;
    void* spec = nullptr;
    Vek8u* workPtr = nullptr;
};

template <class T>
std::vector<typename Api<T>::C> toC(const std::vector<CL>& x) {
    std::vector<typename Api<T>::C> v(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) v[i] = {T(x[i].real()), T(x[i].imag())};
    return v;
}
template <class C>
CL cl(const C& c) { return {LD(c.re), LD(c.im)}; }

// Forward and inverse of one complex length against the reference (the inverse of x
// is the forward reference read backwards), out of place and in place.
template <class T>
void checkComplex(int n, const std::vector<CL>& x, const std::vector<CL>& X, double* worst) {
    SCOPED_TRACE("n = " + std::to_string(n));
    Spec<T> s(KC, n);
    ASSERT_EQ(s.st, vekStsNoErr);
    auto in = toC<T>(x);
    std::vector<typename Api<T>::C> out(n);
    ASSERT_EQ(Api<T>::c(false, in.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
    double e = relRms(n, [&](std::size_t k) { return std::pair{cl(out[k]), X[k]}; });
    EXPECT_LE(e, bound<T>(n));
    *worst = std::max(*worst, e / bound<T>(n));
    auto io = in;
    ASSERT_EQ(Api<T>::c(true, io.data(), io.data(), s.spec, s.workPtr), vekStsNoErr);
    e = relRms(n, [&](std::size_t k) { return std::pair{cl(io[k]), X[(n - k) % n]}; });
    EXPECT_LE(e, bound<T>(n));
    *worst = std::max(*worst, e / bound<T>(n));
}

}  // namespace

TEST(DftAccuracy, EveryComplexLengthTo2048) {
    vt::Rng rng;
    double worstF = 0, worstD = 0;
    for (int n = 1; n <= 2048; ++n) {
        auto x = randomSignal(rng, n, false);
        auto X = refDft(x);
        checkComplex<float>(n, x, X, &worstF);
        checkComplex<double>(n, x, X, &worstD);
        if (HasFailure()) break;
    }
    std::printf("worst error / bound: 32fc %.3f, 64fc %.3f\n", worstF, worstD);
}

namespace {

// Long lengths: the reference on sampled bins.
template <class T>
double sampledError(int n, vt::Rng& rng, bool inv) {
    auto x = randomSignal(rng, n, false);
    Spec<T> s(KC, n);
    EXPECT_EQ(s.st, vekStsNoErr);
    auto in = toC<T>(x);
    std::vector<typename Api<T>::C> out(n);
    EXPECT_EQ(Api<T>::c(inv, in.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
    std::vector<std::size_t> bins = {0, 1, std::size_t(n - 1), std::size_t(n / 2)};
    while (bins.size() < 24) bins.push_back(std::size_t(rng.bits() % std::uint64_t(n)));
    return relRms(bins.size(), [&](std::size_t i) {
        std::size_t k = bins[i];
        return std::pair{cl(out[k]), refBin(x, inv ? (n - k) % n : k)};
    });
}

}  // namespace

TEST(DftAccuracy, LongPrimeAndCompositeLengths) {
    vt::Rng rng;
    for (int n : {1009, 10007, 65537, 1536, 12288, 1000, 3072, 6144, 24576, 4 * 151, 2 * 101, 5000, 30030,
                  8000, 15552, 5120, 1728 * 4}) {
        SCOPED_TRACE("n = " + std::to_string(n));
        for (bool inv : {false, true}) {
            const double ef = sampledError<float>(n, rng, inv), ed = sampledError<double>(n, rng, inv);
            EXPECT_LE(ef, bound<float>(n));
            EXPECT_LE(ed, bound<double>(n));
            if (!inv) std::printf("n %6d: 32fc %.3g (%.2f of bound), 64fc %.3g (%.2f of bound)\n", n, ef,
                                  ef / bound<float>(n), ed, ed / bound<double>(n));
        }
    }
}

namespace {

// Every flag: forward, inverse and the round trip, for the complex kinds.
template <class T>
void checkFlags(int n, vt::Rng& rng) {
    SCOPED_TRACE("n = " + std::to_string(n));
    auto x = randomSignal(rng, n, false);
    auto X = refDft(x);
    auto in = toC<T>(x);
    for (int flag : {1, 2, 4, 8}) {
        SCOPED_TRACE("flag " + std::to_string(flag));
        const LD sf = flag == 1 ? 1.0L / n : flag == 4 ? 1.0L / std::sqrt(LD(n)) : 1.0L;
        const LD si = flag == 2 ? 1.0L / n : flag == 4 ? 1.0L / std::sqrt(LD(n)) : 1.0L;
        Spec<T> s(KC, n, flag, flag == 4 ? 1 : 0);
        ASSERT_EQ(s.st, vekStsNoErr);
        std::vector<typename Api<T>::C> f(n), b(n);
        ASSERT_EQ(Api<T>::c(false, in.data(), f.data(), s.spec, s.workPtr), vekStsNoErr);
        EXPECT_LE(relRms(n, [&](std::size_t k) { return std::pair{cl(f[k]), X[k] * sf}; }), bound<T>(n));
        ASSERT_EQ(Api<T>::c(true, f.data(), b.data(), s.spec, s.workPtr), vekStsNoErr);
        const LD rt = sf * si * n;
        EXPECT_LE(relRms(n, [&](std::size_t k) { return std::pair{cl(b[k]), x[k] * rt}; }), 2 * bound<T>(n));
        // split storage gives the interleaved results
        Spec<T> sp(KS, n, flag);
        ASSERT_EQ(sp.st, vekStsNoErr);
        std::vector<T> re(n), im(n), ore(n), oim(n);
        for (int k = 0; k < n; ++k) { re[k] = in[k].re; im[k] = in[k].im; }
        ASSERT_EQ(Api<T>::s(false, re.data(), im.data(), ore.data(), oim.data(), sp.spec, sp.workPtr), vekStsNoErr);
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(ore[k], f[k].re);
            EXPECT_EQ(oim[k], f[k].im);
        }
        // in place
        ASSERT_EQ(Api<T>::s(true, ore.data(), oim.data(), ore.data(), oim.data(), sp.spec, sp.workPtr), vekStsNoErr);
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(ore[k], b[k].re);
            EXPECT_EQ(oim[k], b[k].im);
        }
    }
}

// Real kinds: every layout, in place and out of place, against the reference, and
// the inverse back to the input.
template <class T>
void checkReal(int n, vt::Rng& rng) {
    SCOPED_TRACE("real n = " + std::to_string(n));
    auto x = randomSignal(rng, n, true);
    auto X = refDft(x);
    std::vector<T> in(n);
    for (int k = 0; k < n; ++k) in[k] = T(x[k].real());
    for (int flag : {8, 1, 2, 4}) {
        const LD sf = flag == 1 ? 1.0L / n : flag == 4 ? 1.0L / std::sqrt(LD(n)) : 1.0L;
        const LD si = flag == 2 ? 1.0L / n : flag == 4 ? 1.0L / std::sqrt(LD(n)) : 1.0L;
        Spec<T> s(KR, n, flag);
        ASSERT_EQ(s.st, vekStsNoErr);
        for (int fmt = 0; fmt < 3; ++fmt) {
            SCOPED_TRACE("format " + std::to_string(fmt) + " flag " + std::to_string(flag));
            const int len = fmt == 0 ? n + (n % 2 ? 1 : 2) : n;
            vt::Guarded<T> out{std::size_t(len)};
            ASSERT_EQ(Api<T>::r(false, fmt, in.data(), out.data(), s.spec, s.workPtr), vekStsNoErr);
            ASSERT_TRUE(out.headIntact());
            // unpack to bins 0..n/2
            std::vector<CL> got(n / 2 + 1);
            const bool even = n % 2 == 0;
            for (int k = 0; k <= n / 2; ++k) {
                LD re, im;
                if (fmt == 0) { re = out[2 * k]; im = out[2 * k + 1]; }
                else if (k == 0) { re = out[0]; im = 0; }
                else if (even && k == n / 2) { re = fmt == 1 ? out[n - 1] : out[1]; im = 0; }
                else if (fmt == 1 || !even) { re = out[2 * k - 1]; im = out[2 * k]; }
                else { re = out[2 * k]; im = out[2 * k + 1]; }
                got[k] = {re, im};
            }
            EXPECT_LE(relRms(got.size(), [&](std::size_t k) { return std::pair{got[k], X[k] * sf}; }), bound<T>(n));
            // in place: an array of the packed length holding the input first
            std::vector<T> io(len);
            std::copy(in.begin(), in.end(), io.begin());
            ASSERT_EQ(Api<T>::r(false, fmt, io.data(), io.data(), s.spec, s.workPtr), vekStsNoErr);
            for (int k = 0; k < len; ++k) EXPECT_EQ(io[k], out[k]) << k;
            vt::Guarded<T> back{std::size_t(n)};
            ASSERT_EQ(Api<T>::r(true, fmt, out.data(), back.data(), s.spec, s.workPtr), vekStsNoErr);
            const LD rt = sf * si * n;
            EXPECT_LE(relRms(n, [&](std::size_t k) { return std::pair{CL(back[k]), x[k] * rt}; }), 2 * bound<T>(n));
            ASSERT_EQ(Api<T>::r(true, fmt, io.data(), io.data(), s.spec, s.workPtr), vekStsNoErr);
            for (int k = 0; k < n; ++k) EXPECT_EQ(io[k], back[k]) << k;
        }
    }
}

}  // namespace

TEST(DftFlags, ComplexAndSplitEveryFlag) {
    vt::Rng rng;
    for (int n : {1, 2, 3, 5, 6, 7, 12, 15, 17, 30, 53, 60, 64, 97, 100, 128, 148, 192, 243, 500, 1009}) {
        checkFlags<float>(n, rng);
        checkFlags<double>(n, rng);
    }
}

TEST(DftReal, EveryLayoutAndFlag) {
    vt::Rng rng;
    std::vector<int> ns;
    for (int n = 1; n <= 40; ++n) ns.push_back(n);
    for (int n : {53, 60, 64, 99, 100, 101, 120, 128, 200, 202, 243, 256, 500, 640, 1000, 1009, 1536, 2018, 2047, 3840})
        ns.push_back(n);
    for (int n : ns) {
        checkReal<float>(n, rng);
        checkReal<double>(n, rng);
        if (HasFailure()) break;
    }
}

TEST(DftReal, SmallExamples) {
    Spec<float> s1(KR, 1), s2(KR, 2), s4(KR, 4);
    float x1[1] = {3}, d[6];
    ASSERT_EQ(Api<float>::r(false, 0, x1, d, s1.spec, s1.workPtr), vekStsNoErr);
    EXPECT_EQ(d[0], 3); EXPECT_EQ(d[1], 0);
    float x2[2] = {1, 2};
    ASSERT_EQ(Api<float>::r(false, 0, x2, d, s2.spec, s2.workPtr), vekStsNoErr);
    EXPECT_EQ(d[0], 3); EXPECT_EQ(d[1], 0); EXPECT_EQ(d[2], -1); EXPECT_EQ(d[3], 0);
    float x4[4] = {1, 0, 0, 0};
    ASSERT_EQ(Api<float>::r(false, 0, x4, d, s4.spec, s4.workPtr), vekStsNoErr);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(d[k], k % 2 ? 0.f : 1.f);
    ASSERT_EQ(Api<float>::r(false, 1, x4, d, s4.spec, s4.workPtr), vekStsNoErr);
    EXPECT_EQ(d[0], 1); EXPECT_EQ(d[1], 1); EXPECT_EQ(d[2], 0); EXPECT_EQ(d[3], 1);
    ASSERT_EQ(Api<float>::r(false, 2, x4, d, s4.spec, s4.workPtr), vekStsNoErr);
    EXPECT_EQ(d[0], 1); EXPECT_EQ(d[1], 1); EXPECT_EQ(d[2], 1); EXPECT_EQ(d[3], 0);
}

TEST(DftComplex, LengthOneCopiesAndHintChangesNothing) {
    Spec<double> s(KC, 1, 4);
    Vek64fc a{2.5, -1.0}, b{0, 0};
    ASSERT_EQ(Api<double>::c(false, &a, &b, s.spec, nullptr), vekStsNoErr);
    EXPECT_EQ(b.re, 2.5);
    EXPECT_EQ(b.im, -1.0);
    vt::Rng rng;
    for (int n : {7, 60, 1009}) {
        auto in = toC<float>(randomSignal(rng, n, false));
        std::vector<Vek32fc> o[3];
        for (int h = 0; h < 3; ++h) {
            Spec<float> sh(KC, n, 8, h == 2 ? 12345 : h);
            o[h].resize(n);
            ASSERT_EQ(Api<float>::c(false, in.data(), o[h].data(), sh.spec, sh.workPtr), vekStsNoErr);
        }
        EXPECT_EQ(std::memcmp(o[0].data(), o[1].data(), n * sizeof(Vek32fc)), 0);
        EXPECT_EQ(std::memcmp(o[0].data(), o[2].data(), n * sizeof(Vek32fc)), 0);
    }
}

TEST(DftComplex, CallerMxcsrKept) {
    for (int n : {12, 1009}) {
        Spec<float> s(KC, n, 1);
        std::vector<Vek32fc> x(n, Vek32fc{1.0f, 0.5f}), y(n);
        vt::expectMxcsrKept([&] { Api<float>::c(false, x.data(), y.data(), s.spec, s.workPtr); });
        vt::expectMxcsrKept([&] { Spec<double> t(KR, n, 2); });
        vt::expectMxcsrKept([&] { int a, b, c; Api<float>::size(KC, n, 4, 0, &a, &b, &c); });
    }
}

// A caller already in the IEEE mode keeps its mode bits; a caller with flush-to-zero and
// denormals-are-zero set still gets the unflushed result (an impulse of a subnormal
// value at 0 transforms to that value in every bin), and its register back whole.
TEST(DftComplex, IeeeModeWhateverTheCaller) {
    const unsigned saved = _mm_getcsr();
    for (int n : {12, 15, 60, 1009}) {
        SCOPED_TRACE("n = " + std::to_string(n));
        Spec<double> s(KC, n);
        std::vector<Vek64fc> x(n, Vek64fc{0.0, 0.0}), y(n);
        x[0] = {1e-310, -1e-310};
        _mm_setcsr(0x1F80u);
        Api<double>::c(false, x.data(), y.data(), s.spec, s.workPtr);
        EXPECT_EQ(_mm_getcsr() & ~0x3Fu, 0x1F80u);
        for (int k = 0; k < n; ++k) EXPECT_EQ(y[k].re, 1e-310);
        _mm_setcsr(0x1F80u | 0x8000u | 0x0040u);
        Api<double>::c(false, x.data(), y.data(), s.spec, s.workPtr);
        EXPECT_EQ(_mm_getcsr(), 0x1F80u | 0x8000u | 0x0040u);
        _mm_setcsr(saved);
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(y[k].re, 1e-310);
            EXPECT_EQ(y[k].im, -1e-310);
        }
    }
    _mm_setcsr(saved);
}

// ---- argument checks --------------------------------------------------------------
TEST(DftChecks, GetSizeOrder) {
    for (int k = 0; k < 3; ++k) {
        int a = -7, b = -7, c = -7;
        auto kind = KindT(k);
        EXPECT_EQ(Api<float>::size(kind, 0, 99, 0, nullptr, &b, &c), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::size(kind, 10, 8, 0, &a, nullptr, &c), vekStsNullPtrErr);
        EXPECT_EQ(Api<double>::size(kind, 10, 8, 0, &a, &b, nullptr), vekStsNullPtrErr);
        EXPECT_EQ(Api<double>::size(kind, 0, 99, 0, &a, &b, &c), vekStsSizeErr);
        EXPECT_EQ(Api<float>::size(kind, -1, 8, 0, &a, &b, &c), vekStsSizeErr);
        EXPECT_EQ(Api<float>::size(kind, (1 << 27) + 1, 8, 0, &a, &b, &c), vekStsSizeErr);
        EXPECT_EQ(Api<float>::size(kind, (1 << 27) - 1, 99, 0, &a, &b, &c), vekStsFftFlagErr);
        EXPECT_NE(Api<float>::size(kind, 1 << 27, 99, 0, &a, &b, &c), vekStsSizeErr);
        for (int flag : {0, 3, 5, 16, -1})
            EXPECT_EQ(Api<double>::size(kind, 12, flag, 0, &a, &b, &c), vekStsFftFlagErr);
        EXPECT_EQ(a, -7);
        EXPECT_EQ(b, -7);
        EXPECT_EQ(c, -7);
        EXPECT_EQ(Api<float>::size(kind, 1000, 4, 17, &a, &b, &c), vekStsNoErr);
        EXPECT_GT(a, 0);
        EXPECT_GE(b, 0);
        EXPECT_GE(c, 0);
    }
}

TEST(DftChecks, InitOrderWritesNothingOnError) {
    for (int k = 0; k < 3; ++k) {
        auto kind = KindT(k);
        int a, b, c;
        ASSERT_EQ(Api<float>::size(kind, 1009, 8, 0, &a, &b, &c), vekStsNoErr);
        vt::Guarded<Vek8u> mem{std::size_t(a)};
        vt::Guarded<Vek8u> ib{std::size_t(b)};
        EXPECT_EQ(Api<float>::init(kind, 1009, 8, 0, nullptr, ib.data()), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::init(kind, 0, 8, 0, mem.data(), ib.data()), vekStsSizeErr);
        EXPECT_EQ(Api<float>::init(kind, (1 << 27) + 3, 3, 0, mem.data(), ib.data()), vekStsSizeErr);
        EXPECT_EQ(Api<float>::init(kind, 1009, 3, 0, mem.data(), ib.data()), vekStsFftFlagErr);
        // a length that needs the init buffer
        EXPECT_EQ(Api<float>::init(kind, 1009, 8, 0, mem.data(), nullptr), vekStsNullPtrErr);
        EXPECT_TRUE(mem.untouched());
        EXPECT_TRUE(ib.untouched());
        // the exact sizes are enough (guard pages catch any overrun)
        EXPECT_EQ(Api<float>::init(kind, 1009, 8, 0, mem.data(), ib.data()), vekStsNoErr);
    }
}

TEST(DftChecks, TransformOrderWritesNothingOnError) {
    for (int n : {5, 60, 1009}) {
        SCOPED_TRACE(n);
        Spec<float> sc(KC, n), ss(KS, n), sr(KR, n);
        Spec<double> dc(KC, n);
        vt::Guarded<Vek32fc> src(n), dst(n);
        vt::Guarded<float> re(n), im(n), ore(n), oim(n), rs(n), rd(n + 2);
        std::vector<Vek8u> junk(sc.specSize, 0xA5);
        Vek8u* w = sc.workPtr;
        // null spec first, whatever else is null
        EXPECT_EQ(Api<float>::c(false, nullptr, nullptr, nullptr, nullptr), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::s(true, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::r(false, 0, nullptr, nullptr, nullptr, nullptr), vekStsNullPtrErr);
        // then the identifier: uninitialised memory, another kind, another precision
        EXPECT_EQ(Api<float>::c(false, nullptr, dst.data(), junk.data(), w), vekStsContextMatchErr);
        EXPECT_EQ(Api<float>::c(false, src.data(), dst.data(), ss.spec, w), vekStsContextMatchErr);
        EXPECT_EQ(Api<float>::c(true, src.data(), dst.data(), sr.spec, w), vekStsContextMatchErr);
        EXPECT_EQ(Api<float>::c(false, src.data(), dst.data(), dc.spec, w), vekStsContextMatchErr);
        EXPECT_EQ(Api<float>::s(false, re.data(), im.data(), ore.data(), oim.data(), sc.spec, w), vekStsContextMatchErr);
        for (int f = 0; f < 3; ++f) {
            EXPECT_EQ(Api<float>::r(false, f, rs.data(), rd.data(), sc.spec, w), vekStsContextMatchErr);
            EXPECT_EQ(Api<float>::r(true, f, rd.data(), rs.data(), ss.spec, w), vekStsContextMatchErr);
        }
        // then the data pointers
        EXPECT_EQ(Api<float>::c(false, nullptr, dst.data(), sc.spec, w), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::c(true, src.data(), nullptr, sc.spec, w), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::s(false, re.data(), nullptr, ore.data(), oim.data(), ss.spec, w), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::s(false, re.data(), im.data(), ore.data(), nullptr, ss.spec, w), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::r(false, 1, nullptr, rd.data(), sr.spec, w), vekStsNullPtrErr);
        EXPECT_EQ(Api<float>::r(true, 2, rd.data(), nullptr, sr.spec, w), vekStsNullPtrErr);
        // then the work buffer, where the length needs one
        if (n == 1009) {
            EXPECT_EQ(Api<float>::c(false, src.data(), dst.data(), sc.spec, nullptr), vekStsNullPtrErr);
            EXPECT_EQ(Api<float>::s(false, re.data(), im.data(), ore.data(), oim.data(), ss.spec, nullptr), vekStsNullPtrErr);
            EXPECT_EQ(Api<float>::r(false, 0, rs.data(), rd.data(), sr.spec, nullptr), vekStsNullPtrErr);
        }
        EXPECT_TRUE(src.untouched() && dst.untouched() && re.untouched() && im.untouched());
        EXPECT_TRUE(ore.untouched() && oim.untouched() && rs.untouched() && rd.untouched());
    }
    // a single-pass length needs no work buffer
    Spec<float> s5(KC, 5);
    std::vector<Vek32fc> x(5, Vek32fc{1, 0}), y(5);
    EXPECT_EQ(Api<float>::c(false, x.data(), y.data(), s5.spec, nullptr), vekStsNoErr);
    EXPECT_EQ(y[0].re, 5.0f);
}
