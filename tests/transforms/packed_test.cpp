// Packed-spectrum products and expansions against the same operations on the unpacked
// complex spectrum X[0..N-1], written from the layout definitions.
#include <cmath>
#include <complex>

#include "helpers.h"

namespace {

enum Fmt { CCS, PACK, PERM };

// X[0..N/2] from a packed array (the Nyquist value only for even N).
template <class T>
std::vector<std::complex<T>> unpack(const T* p, int n, Fmt f) {
    std::vector<std::complex<T>> x(n / 2 + 1);
    x[0] = {p[0], 0};
    const bool even = n % 2 == 0;
    for (int k = 1; 2 * k < n; ++k) {
        int at = f == CCS ? 2 * k : (f == PERM && even) ? 2 * k : 2 * k - 1;
        x[k] = {p[at], p[at + 1]};
    }
    if (even && n >= 2) {
        T r = f == CCS ? p[n] : f == PACK ? p[n - 1] : p[1];
        x[n / 2] = {r, 0};
    }
    return x;
}

template <class T>
std::vector<T> repack(const std::vector<std::complex<T>>& x, int n, Fmt f) {
    std::vector<T> p(n);
    p[0] = x[0].real();
    const bool even = n % 2 == 0;
    for (int k = 1; 2 * k < n; ++k) {
        int at = (f == PERM && even) ? 2 * k : 2 * k - 1;
        p[at] = x[k].real();
        p[at + 1] = x[k].imag();
    }
    if (even && n >= 2) p[f == PACK ? n - 1 : 1] = x[n / 2].real();
    return p;
}

// The product rule: one rounded product, one fused multiply-add per part.
template <class T>
std::complex<T> mulRef(std::complex<T> a, std::complex<T> b, bool conjB) {
    if (conjB)
        return {std::fma(a.real(), b.real(), a.imag() * b.imag()),
                std::fma(a.imag(), b.real(), -(a.real() * b.imag()))};
    return {std::fma(a.real(), b.real(), -(a.imag() * b.imag())),
            std::fma(a.real(), b.imag(), a.imag() * b.real())};
}

template <class T>
std::vector<T> productRef(const T* a, const T* b, int n, Fmt f, bool conjB) {
    auto xa = unpack(a, n, f), xb = unpack(b, n, f);
    std::vector<std::complex<T>> xd(xa.size());
    for (std::size_t k = 0; k < xa.size(); ++k) {
        bool real = k == 0 || (n % 2 == 0 && int(2 * k) == n);
        xd[k] = real ? std::complex<T>(xa[k].real() * xb[k].real(), 0) : mulRef(xa[k], xb[k], conjB);
    }
    return repack(xd, n, f);
}

template <class T> struct Api;
template <> struct Api<float> {
    using C = Vek32fc;
    static constexpr auto mulPack = veksMulPack_32f, mulPerm = veksMulPerm_32f;
    static constexpr auto mulPackI = veksMulPack_32f_I, mulPermI = veksMulPerm_32f_I;
    static constexpr auto mulPackConjI = veksMulPackConj_32f_I;
    static constexpr auto ccs = veksConjCcs_32fc, pack = veksConjPack_32fc, perm = veksConjPerm_32fc;
    static constexpr auto ccsI = veksConjCcs_32fc_I, packI = veksConjPack_32fc_I,
                          permI = veksConjPerm_32fc_I;
};
template <> struct Api<double> {
    using C = Vek64fc;
    static constexpr auto mulPack = veksMulPack_64f, mulPerm = veksMulPerm_64f;
    static constexpr auto mulPackI = veksMulPack_64f_I, mulPermI = veksMulPerm_64f_I;
    static constexpr auto mulPackConjI = veksMulPackConj_64f_I;
    static constexpr auto ccs = veksConjCcs_64fc, pack = veksConjPack_64fc, perm = veksConjPerm_64fc;
    static constexpr auto ccsI = veksConjCcs_64fc_I, packI = veksConjPack_64fc_I,
                          permI = veksConjPerm_64fc_I;
};

template <class T>
void fillRandom(vt::Rng& r, T* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) p[i] = T(r.uniform(-2, 2));
}

template <class T>
void expectSame(const T* got, const std::vector<T>& want, int n) {
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(got[i], want[i]) << "n " << n << " at " << i;
}

template <class T>
void productsFor() {
    using A = Api<T>;
    vt::Rng rng;
    for (int n : vt::testLengths(2 * sizeof(T))) {
        for (Fmt f : {PACK, PERM}) {
            vt::Guarded<T> a(n), b(n), d(n);
            fillRandom(rng, a.data(), n);
            fillRandom(rng, b.data(), n);
            auto want = productRef<T>(a.data(), b.data(), n, f, false);
            auto out = f == PACK ? A::mulPack : A::mulPerm;
            auto inp = f == PACK ? A::mulPackI : A::mulPermI;
            ASSERT_EQ(out(a.data(), b.data(), d.data(), n), vekStsNoErr);
            ASSERT_TRUE(d.headIntact());
            expectSame(d.data(), want, n);
            // in place, and out of place with the destination aliasing either source
            std::vector<T> keep(b.data(), b.data() + n);
            ASSERT_EQ(inp(a.data(), b.data(), n), vekStsNoErr);
            expectSame(b.data(), want, n);
            std::copy(keep.begin(), keep.end(), b.data());
            ASSERT_EQ(out(a.data(), b.data(), b.data(), n), vekStsNoErr);
            expectSame(b.data(), want, n);
            std::copy(keep.begin(), keep.end(), b.data());
            auto want2 = productRef<T>(b.data(), a.data(), n, f, false);
            ASSERT_EQ(out(a.data(), b.data(), a.data(), n), vekStsNoErr);
            expectSame(a.data(), want2, n);
        }
        // conjugate product: the conjugate is of the in-place operand
        vt::Guarded<T> s(n), d(n);
        fillRandom(rng, s.data(), n);
        fillRandom(rng, d.data(), n);
        auto want = productRef<T>(s.data(), d.data(), n, PACK, true);
        ASSERT_EQ(A::mulPackConjI(s.data(), d.data(), n), vekStsNoErr);
        expectSame(d.data(), want, n);
        // s x conj(s): squared magnitudes and squares
        std::vector<T> sq(s.data(), s.data() + n);
        ASSERT_EQ(A::mulPackConjI(s.data(), s.data(), n), vekStsNoErr);
        auto x = unpack(sq.data(), n, PACK), y = unpack(s.data(), n, PACK);
        for (std::size_t k = 0; k < x.size(); ++k) {
            // the fused rule leaves at most the rounding error of one product
            EXPECT_LE(std::abs(y[k].imag()), std::abs(x[k].real() * x[k].imag()) * 1.2e-7);
            EXPECT_NEAR(double(y[k].real()), double(std::norm(x[k])), 1e-5 * (1 + std::norm(x[k])));
        }
    }
}
TEST(PackedProducts, MatchUnpackedProduct32f) { productsFor<float>(); }
TEST(PackedProducts, MatchUnpackedProduct64f) { productsFor<double>(); }

TEST(PackedProducts, SmallExamples) {
    float a[4] = {1, 2, 3, 4}, b[4] = {1, 1, 1, 1}, d[4];
    ASSERT_EQ(veksMulPack_32f(a, b, d, 4), vekStsNoErr);
    EXPECT_EQ(d[0], 1);
    EXPECT_EQ(d[1], -1);
    EXPECT_EQ(d[2], 5);
    EXPECT_EQ(d[3], 4);
    float p[2] = {3, -2}, q[2] = {5, 7};
    ASSERT_EQ(veksMulPerm_32f_I(p, q, 2), vekStsNoErr);   // both slots real
    EXPECT_EQ(q[0], 15);
    EXPECT_EQ(q[1], -14);
    double o[3] = {2, 1, 1}, r[3] = {3, 1, -1};           // odd Perm: (R_1, I_1) is a pair
    ASSERT_EQ(veksMulPerm_64f_I(o, r, 3), vekStsNoErr);
    EXPECT_EQ(r[0], 6);
    EXPECT_EQ(r[1], 2);
    EXPECT_EQ(r[2], 0);
}

template <class T>
void expansionsFor() {
    using A = Api<T>;
    using C = typename A::C;
    vt::Rng rng;
    for (int n : vt::testLengths(2 * sizeof(T))) {
        for (Fmt f : {CCS, PACK, PERM}) {
            const int plen = f == CCS ? (n % 2 ? n + 1 : n + 2) : n;
            std::vector<T> src(plen);
            fillRandom(rng, src.data(), plen);
            if (f == CCS) {
                src[1] = 0;
                if (n % 2 == 0) src[n + 1] = 0;
            }
            auto x = unpack(src.data(), n, f);
            std::vector<std::complex<T>> want(n);
            for (int k = 0; k < n; ++k)
                want[k] = 2 * k <= n ? x[k] : std::conj(x[n - k]);
            auto check = [&](const C* got) {
                for (int k = 0; k < n; ++k) {
                    ASSERT_EQ(got[k].re, want[k].real()) << "n " << n << " k " << k;
                    ASSERT_EQ(got[k].im, want[k].imag()) << "n " << n << " k " << k;
                }
            };
            auto out = f == CCS ? A::ccs : f == PACK ? A::pack : A::perm;
            auto inp = f == CCS ? A::ccsI : f == PACK ? A::packI : A::permI;
            vt::Guarded<C> d(n);
            ASSERT_EQ(out(src.data(), d.data(), n), vekStsNoErr);
            ASSERT_TRUE(d.headIntact());
            check(d.data());
            vt::Guarded<C> io(n);
            std::memcpy(io.data(), src.data(), plen * sizeof(T));
            ASSERT_EQ(inp(io.data(), n), vekStsNoErr);
            check(io.data());
            if (f != CCS) {   // pSrc == pDst runs the in-place form
                vt::Guarded<C> al(n);
                std::memcpy(al.data(), src.data(), plen * sizeof(T));
                ASSERT_EQ(out(reinterpret_cast<T*>(al.data()), al.data(), n), vekStsNoErr);
                check(al.data());
            }
        }
    }
}
TEST(PackedExpansion, FullConjugateSymmetric32fc) { expansionsFor<float>(); }
TEST(PackedExpansion, FullConjugateSymmetric64fc) { expansionsFor<double>(); }

TEST(PackedValidation, StatusesAndNothingWritten) {
    vt::Sentinel<float> a(8), b(8), d(8);
    vt::Sentinel<Vek32fc> c(8);
    float x[8] = {};
    EXPECT_EQ(veksMulPack_32f(nullptr, x, d.data(), 8), vekStsNullPtrErr);
    EXPECT_EQ(veksMulPack_32f(x, nullptr, d.data(), 8), vekStsNullPtrErr);
    EXPECT_EQ(veksMulPerm_32f(x, x, nullptr, 8), vekStsNullPtrErr);
    EXPECT_EQ(veksMulPerm_32f(x, x, d.data(), 0), vekStsSizeErr);
    EXPECT_EQ(veksMulPack_32f(nullptr, x, d.data(), 0), vekStsNullPtrErr);
    EXPECT_EQ(veksMulPack_32f_I(x, d.data(), -1), vekStsSizeErr);
    EXPECT_EQ(veksMulPack_64f_I(nullptr, nullptr, 4), vekStsNullPtrErr);
    EXPECT_EQ(veksMulPackConj_32f_I(x, nullptr, 4), vekStsNullPtrErr);
    EXPECT_EQ(veksMulPackConj_32f_I(x, d.data(), 0), vekStsSizeErr);
    EXPECT_EQ(veksConjCcs_32fc(nullptr, c.data(), 4), vekStsNullPtrErr);
    EXPECT_EQ(veksConjPack_32fc(x, nullptr, 4), vekStsNullPtrErr);
    EXPECT_EQ(veksConjPerm_32fc(x, c.data(), 0), vekStsSizeErr);
    EXPECT_EQ(veksConjPerm_32fc_I(c.data(), 0), vekStsSizeErr);
    EXPECT_EQ(veksConjCcs_64fc_I(nullptr, 3), vekStsNullPtrErr);
    EXPECT_TRUE(a.untouched());
    EXPECT_TRUE(b.untouched());
    EXPECT_TRUE(d.untouched());
    EXPECT_TRUE(c.untouched());
}

TEST(PackedProducts, CallerMxcsrKept) {
    float a[16], b[16], d[16];
    for (int i = 0; i < 16; ++i) a[i] = b[i] = 1e-20f;   // subnormal products
    vt::expectMxcsrKept([&] { veksMulPack_32f(a, b, d, 16); });
    EXPECT_GT(d[4], 0.0f);   // not flushed although the caller set FTZ
}

}  // namespace
