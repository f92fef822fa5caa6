// Arithmetic family: exact integer results against an independent 128-bit reference
// (exhaustive 8-bit pairs, every 16-bit value against a set of others, edges and random
// values for 32/64 bits, scale factors across and beyond the useful range), float
// results against double references, zero divisors, every status in validation order,
// and the caller's MXCSR.
#include <climits>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

#include "helpers.h"

namespace {

using i128 = __int128;
using u128 = unsigned __int128;

// ---- reference ---------------------------------------------------------------------
// r x 2^-sf rounded to nearest even (floor division and remainder), |r| < 2^120.
i128 refScale(i128 r, long long sf) {
    const i128 big = i128(1) << 110;
    if (sf == 0 || r == 0) return r;
    if (sf > 0) {
        if (sf > 124) return 0;
        const i128 p = i128(1) << sf;
        i128 q = r / p, rem = r % p;
        if (rem < 0) { q -= 1; rem += p; }   // floor
        if (2 * rem > p || (2 * rem == p && (q & 1))) q += 1;
        return q;
    }
    if (sf < -100) return r > 0 ? big : -big;
    const i128 lim = big >> (-sf);
    if (r > lim) return big;
    if (r < -lim) return -big;
    return r * (i128(1) << (-sf));
}
template <class D> D refSat(i128 v) {
    if (v < i128(std::numeric_limits<D>::min())) return std::numeric_limits<D>::min();
    if (v > i128(std::numeric_limits<D>::max())) return std::numeric_limits<D>::max();
    return D(v);
}
// num x 2^-sf / den rounded by mode (0 toward zero, 1 nearest even, 2 nearest away).
i128 refDiv(i128 num, i128 den, long long sf, int mode = 1) {
    const i128 big = i128(1) << 110;
    if (num == 0) return 0;
    const bool neg = (num < 0) != (den < 0);
    u128 n = num < 0 ? u128(-num) : u128(num), d = den < 0 ? u128(-den) : u128(den);
    if (sf > 0) {
        int bits = 0;
        for (u128 t = d; t; t >>= 1) ++bits;
        if (bits + sf > 127) return 0;   // |Q| < 2^64 / 2^126
        d <<= sf;
    }
    if (sf < 0) {
        int bits = 0;
        for (u128 t = n; t; t >>= 1) ++bits;
        if (bits - sf > 127) return neg ? -big : big;   // |Q| >= 2^126 / 2^63: beyond every range
        n <<= -sf;
    }
    u128 q = n / d, r = n % d;
    if (mode == 1 && (2 * r > d || (2 * r == d && (q & 1)))) ++q;
    if (mode == 2 && 2 * r >= d) ++q;
    if (q > u128(big)) q = u128(big);
    return neg ? -i128(q) : i128(q);
}

const std::vector<long long> kSfs = {INT_MIN, -70, -64, -40, -33, -32, -31, -30, -17, -16, -15, -9, -8, -1,
                                     0, 1, 2, 3, 7, 8, 15, 16, 17, 30, 31, 32, 33, 40, 63, 64, 65, 70, INT_MAX};

template <class T> std::vector<T> edgeValues(vt::Rng& rng, int nRandom) {
    using L = std::numeric_limits<T>;
    std::vector<T> v = {L::min(), T(L::min() + 1), L::max(), T(L::max() - 1), 0, 1, 2, 3, 5, 7};
    if (std::is_signed_v<T>) for (T x : {T(-1), T(-2), T(-3), T(-5), T(-7)}) v.push_back(x);
    for (int b = 1; b < int(8 * sizeof(T)) - 1; b += (sizeof(T) > 2 ? 3 : 1)) {
        v.push_back(T(std::uint64_t(1) << b));
        v.push_back(T((std::uint64_t(1) << b) + 1));
        if (std::is_signed_v<T>) v.push_back(T(-(std::int64_t(1) << b)));
    }
    for (int i = 0; i < nRandom; ++i) v.push_back(T(rng.bits()));
    return v;
}
template <class T> std::vector<T> allOrEdges(vt::Rng& rng) {
    if constexpr (sizeof(T) <= 2) {
        std::vector<T> v;
        for (std::int64_t x = std::numeric_limits<T>::min(); x <= std::numeric_limits<T>::max(); ++x) v.push_back(T(x));
        return v;
    } else {
        return edgeValues<T>(rng, 400);
    }
}

// ---- integer cases -------------------------------------------------------------------
// A case takes the vector operand x (pSrc1 or pSrc) and the other operand y (pSrc2 or
// the constant), both as values; binary forms are given y as a filled vector.
struct Expect { i128 v; bool zdiv; };
template <class A, class B, class D>
struct IntCase {
    const char* name;
    std::function<VekStatus(const A*, B, D*, int, int)> out;   // out of place
    std::function<VekStatus(const A*, B, D*, int, int)> in;    // in place (copies x into the destination first), may be empty
    std::function<Expect(i128 x, i128 y, long long sf)> ref;
    bool sfs;
    bool unary = false;
    bool zeroErr = false;   // a zero constant is an error (DivC)
};

template <class A, class B, class D>
void runIntCase(const IntCase<A, B, D>& c, const std::vector<A>& xs, const std::vector<B>& ys) {
    SCOPED_TRACE(c.name);
    const int n = int(xs.size());
    vt::Guarded<D> out(xs.size());
    std::vector<D> in(xs.size());
    int failures = 0;
    for (long long sf : c.sfs ? kSfs : std::vector<long long>{0}) {
        for (B y : (c.unary ? std::vector<B>{B(0)} : ys)) {
            bool anyZero = false;
            if (c.zeroErr && y == B(0)) {
                EXPECT_EQ(c.out(xs.data(), y, out.data(), n, int(sf)), vekStsDivByZeroErr);
                continue;
            }
            const VekStatus st = c.out(xs.data(), y, out.data(), n, int(sf));
            for (int i = 0; i < n && failures < 10; ++i) {
                const Expect e = c.ref(i128(xs[i]), i128(y), sf);
                anyZero |= e.zdiv;
                const D want = refSat<D>(e.v);
                if (out[i] != want) {
                    ++failures;
                    ADD_FAILURE() << "x=" << (long long)xs[i] << " y=" << (long long)y << " sf=" << sf
                                  << " got " << (long long)out[i] << " want " << (long long)want;
                }
            }
            EXPECT_EQ(st, anyZero ? vekStsDivByZero : vekStsNoErr) << "y=" << (long long)y << " sf=" << sf;
            if (c.in) {
                const VekStatus si = c.in(xs.data(), y, in.data(), n, int(sf));
                EXPECT_EQ(si, st);
                if (std::memcmp(in.data(), out.data(), n * sizeof(D)) != 0 && failures < 10) {
                    ++failures;
                    ADD_FAILURE() << "in place differs, y=" << (long long)y << " sf=" << sf;
                }
            }
            if (failures >= 10) return;
        }
    }
    EXPECT_TRUE(out.headIntact());
}

// Adapters: every form as (x vector, y value, dst, n, sf).
template <class A, class B, class D, class F> auto binOut(F f) {
    return [f](const A* x, B y, D* d, int n, int sf) { std::vector<B> yv(n, y); return f(x, yv.data(), d, n, sf); };
}
// In place binary: pSrcDst holds y, pSrc holds x.
template <class A, class B, class F> auto binIn(F f) {
    return [f](const A* x, B y, B* d, int n, int sf) { std::fill(d, d + n, y); return f(x, d, n, sf); };
}
template <class A, class B, class D, class F> auto conOut(F f) {
    return [f](const A* x, B y, D* d, int n, int sf) { return f(x, y, d, n, sf); };
}
template <class A, class B, class F> auto conIn(F f) {
    return [f](const A* x, B y, A* d, int n, int sf) { std::copy(x, x + n, d); return f(y, d, n, sf); };
}
template <class A, class B, class D, class F> auto unOut(F f) {
    return [f](const A* x, B, D* d, int n, int sf) { return f(x, d, n, sf); };
}
template <class A, class B, class F> auto unIn(F f) {
    return [f](const A* x, B, A* d, int n, int sf) { std::copy(x, x + n, d); return f(d, n, sf); };
}

// Exact references.
auto rAdd = [](i128 x, i128 y, long long sf) { return Expect{refScale(x + y, sf), false}; };
auto rSub = [](i128 x, i128 y, long long sf) { return Expect{refScale(y - x, sf), false}; };
auto rSubR = [](i128 x, i128 y, long long sf) { return Expect{refScale(x - y, sf), false}; };
auto rMul = [](i128 x, i128 y, long long sf) { return Expect{refScale(x * y, sf), false}; };
auto rSqr = [](i128 x, i128, long long sf) { return Expect{refScale(x * x, sf), false}; };
auto rAbs = [](i128 x, i128, long long) { return Expect{x < 0 ? -x : x, false}; };
// Quotient num/den with the zero-divisor substitute.
Expect divSub(i128 num, i128 den, long long sf, int mode = 1) {
    if (den == 0) return Expect{num > 0 ? i128(1) << 110 : num < 0 ? -(i128(1) << 110) : 0, true};
    return Expect{refDiv(num, den, sf, mode), false};
}
auto rDiv = [](i128 x, i128 y, long long sf) { return divSub(y, x, sf); };    // pSrc2 / pSrc1
auto rDivC = [](i128 x, i128 y, long long sf) { return divSub(x, y, sf); };   // pSrc / val
template <int M> Expect rDivRound(i128 x, i128 y, long long sf) { return divSub(y, x, sf, M); }

#define BIN(T1, T2, TD, fn, r) IntCase<T1, T2, TD>{"veks" #fn, binOut<T1, T2, TD>(veks##fn), {}, r, true}
#define BINI(T1, T2, TD, fn, r)                                                                          \
    IntCase<T1, T2, TD>{"veks" #fn "_Sfs", binOut<T1, T2, TD>(veks##fn##_Sfs), binIn<T1, T2>(veks##fn##_ISfs), r, true}
#define BIN0(T1, T2, TD, fn, r)                                                                          \
    IntCase<T1, T2, TD>{"veks" #fn, binOut<T1, T2, TD>([](const T1* a, const T2* b, TD* d, int n, int) { return veks##fn(a, b, d, n); }), {}, r, false}
#define CONI(T, V, fn, r)                                                                                \
    IntCase<T, V, T>{"veks" #fn "_Sfs", conOut<T, V, T>(veks##fn##_Sfs), conIn<T, V>(veks##fn##_ISfs), r, true}
#define CONID(T, V, fn, r)                                                                               \
    IntCase<T, V, T>{"veks" #fn "_Sfs", conOut<T, V, T>(veks##fn##_Sfs), conIn<T, V>(veks##fn##_ISfs), r, true, false, true}
#define UNI(T, fn, r) IntCase<T, T, T>{"veks" #fn "_Sfs", unOut<T, T, T>(veks##fn##_Sfs), unIn<T, T>(veks##fn##_ISfs), r, true, true}

template <class A, class B, class D>
void runCases(const std::vector<IntCase<A, B, D>>& cases, int nOther) {
    vt::Rng rng;
    const std::vector<A> xs = allOrEdges<A>(rng);
    std::vector<B> ys = sizeof(B) == 1 ? allOrEdges<B>(rng) : edgeValues<B>(rng, 4);
    if (int(ys.size()) > nOther && sizeof(B) > 1) ys.resize(nOther);
    for (const auto& c : cases) runIntCase(c, xs, ys);
}

TEST(ArithInt, Exhaustive8u) {
    runCases<Vek8u, Vek8u, Vek8u>({BINI(Vek8u, Vek8u, Vek8u, Add_8u, rAdd), BINI(Vek8u, Vek8u, Vek8u, Sub_8u, rSub),
                                   BINI(Vek8u, Vek8u, Vek8u, Mul_8u, rMul), BINI(Vek8u, Vek8u, Vek8u, Div_8u, rDiv),
                                   CONI(Vek8u, Vek8u, AddC_8u, rAdd), CONI(Vek8u, Vek8u, SubC_8u, rSubR),
                                   CONI(Vek8u, Vek8u, SubCRev_8u, rSub), CONI(Vek8u, Vek8u, MulC_8u, rMul),
                                   CONID(Vek8u, Vek8u, DivC_8u, rDivC), UNI(Vek8u, Sqr_8u, rSqr)}, 256);
    runCases<Vek8u, Vek8u, Vek16u>({BIN0(Vek8u, Vek8u, Vek16u, Add_8u16u, rAdd), BIN0(Vek8u, Vek8u, Vek16u, Mul_8u16u, rMul)}, 256);
}

TEST(ArithInt, DivRound8u16u16s) {
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        std::function<Expect(i128, i128, long long)> r = mode == 0 ? rDivRound<0> : mode == 1 ? rDivRound<1> : rDivRound<2>;
#define DIVR(T, s, nOther)                                                                                       \
    runCases<T, T, T>({IntCase<T, T, T>{"veksDiv_Round_" #s "_Sfs",                                               \
        binOut<T, T, T>([mode](const T* a, const T* b, T* d, int n, int sf) { return veksDiv_Round_##s##_Sfs(a, b, d, n, mode, sf); }), \
        binIn<T, T>([mode](const T* a, T* d, int n, int sf) { return veksDiv_Round_##s##_ISfs(a, d, n, mode, sf); }), r, true}}, nOther)
        DIVR(Vek8u, 8u, 256);
        DIVR(Vek16s, 16s, 12);
        DIVR(Vek16u, 16u, 12);
#undef DIVR
    }
}

TEST(ArithInt, Sweep16s) {
    runCases<Vek16s, Vek16s, Vek16s>({BINI(Vek16s, Vek16s, Vek16s, Add_16s, rAdd), BINI(Vek16s, Vek16s, Vek16s, Sub_16s, rSub),
                                      BINI(Vek16s, Vek16s, Vek16s, Mul_16s, rMul), BINI(Vek16s, Vek16s, Vek16s, Div_16s, rDiv),
                                      CONI(Vek16s, Vek16s, AddC_16s, rAdd), CONI(Vek16s, Vek16s, SubC_16s, rSubR),
                                      CONI(Vek16s, Vek16s, SubCRev_16s, rSub), CONI(Vek16s, Vek16s, MulC_16s, rMul),
                                      CONID(Vek16s, Vek16s, DivC_16s, rDivC), UNI(Vek16s, Sqr_16s, rSqr),
                                      BIN0(Vek16s, Vek16s, Vek16s, Add_16s, rAdd), BIN0(Vek16s, Vek16s, Vek16s, Sub_16s, rSub),
                                      BIN0(Vek16s, Vek16s, Vek16s, Mul_16s, rMul)}, 20);
    runCases<Vek16s, Vek16s, Vek32s>({BIN(Vek16s, Vek16s, Vek32s, Mul_16s32s_Sfs, rMul)}, 20);
    runCases<Vek16u, Vek16s, Vek16s>({BIN(Vek16u, Vek16s, Vek16s, Mul_16u16s_Sfs, rMul)}, 20);
    runCases<Vek32s, Vek16s, Vek16s>({BIN(Vek32s, Vek16s, Vek16s, Div_32s16s_Sfs, rDiv)}, 40);
}

TEST(ArithInt, Sweep16u) {
    runCases<Vek16u, Vek16u, Vek16u>({BINI(Vek16u, Vek16u, Vek16u, Add_16u, rAdd), BINI(Vek16u, Vek16u, Vek16u, Sub_16u, rSub),
                                      BINI(Vek16u, Vek16u, Vek16u, Mul_16u, rMul), BINI(Vek16u, Vek16u, Vek16u, Div_16u, rDiv),
                                      CONI(Vek16u, Vek16u, AddC_16u, rAdd), CONI(Vek16u, Vek16u, SubC_16u, rSubR),
                                      CONI(Vek16u, Vek16u, SubCRev_16u, rSub), CONI(Vek16u, Vek16u, MulC_16u, rMul),
                                      CONID(Vek16u, Vek16u, DivC_16u, rDivC), UNI(Vek16u, Sqr_16u, rSqr),
                                      BIN0(Vek16u, Vek16u, Vek16u, Add_16u, rAdd)}, 16);
    auto rRev = [](i128 x, i128 y, long long) { return divSub(y, x, 0); };
    runCases<Vek16u, Vek16u, Vek16u>({IntCase<Vek16u, Vek16u, Vek16u>{"veksDivCRev_16u",
        conOut<Vek16u, Vek16u, Vek16u>([](const Vek16u* a, Vek16u v, Vek16u* d, int n, int) { return veksDivCRev_16u(a, v, d, n); }),
        conIn<Vek16u, Vek16u>([](Vek16u v, Vek16u* d, int n, int) { return veksDivCRev_16u_I(v, d, n); }), rRev, false}}, 16);
}

TEST(ArithInt, Wide32And64) {
    runCases<Vek32s, Vek32s, Vek32s>({BINI(Vek32s, Vek32s, Vek32s, Add_32s, rAdd), BINI(Vek32s, Vek32s, Vek32s, Sub_32s, rSub),
                                      BINI(Vek32s, Vek32s, Vek32s, Mul_32s, rMul), BINI(Vek32s, Vek32s, Vek32s, Div_32s, rDiv),
                                      CONI(Vek32s, Vek32s, AddC_32s, rAdd), CONI(Vek32s, Vek32s, SubC_32s, rSubR),
                                      CONI(Vek32s, Vek32s, SubCRev_32s, rSub), CONI(Vek32s, Vek32s, MulC_32s, rMul)}, 40);
    runCases<Vek32u, Vek32u, Vek32u>({BIN0(Vek32u, Vek32u, Vek32u, Add_32u, rAdd)}, 40);
    runCases<Vek16s, Vek32s, Vek32s>({IntCase<Vek16s, Vek32s, Vek32s>{"veksAdd_16s32s_I",
        binIn<Vek16s, Vek32s>([](const Vek16s* a, Vek32s* d, int n, int) { return veksAdd_16s32s_I(a, d, n); }), {}, rAdd, false}}, 40);
    runCases<Vek16s, Vek16s, Vek16s>({IntCase<Vek16s, Vek16s, Vek16s>{"veksAbs_16s",
        unOut<Vek16s, Vek16s, Vek16s>([](const Vek16s* a, Vek16s* d, int n, int) { return veksAbs_16s(a, d, n); }),
        unIn<Vek16s, Vek16s>([](Vek16s* d, int n, int) { return veksAbs_16s_I(d, n); }), rAbs, false, true}}, 1);
    runCases<Vek32s, Vek32s, Vek32s>({IntCase<Vek32s, Vek32s, Vek32s>{"veksAbs_32s",
        unOut<Vek32s, Vek32s, Vek32s>([](const Vek32s* a, Vek32s* d, int n, int) { return veksAbs_32s(a, d, n); }),
        unIn<Vek32s, Vek32s>([](Vek32s* d, int n, int) { return veksAbs_32s_I(d, n); }), rAbs, false, true}}, 1);
    runCases<Vek64s, Vek64s, Vek64s>({BIN(Vek64s, Vek64s, Vek64s, Add_64s_Sfs, rAdd), IntCase<Vek64s, Vek64s, Vek64s>{"veksAddC_64s_Sfs", conOut<Vek64s, Vek64s, Vek64s>(veksAddC_64s_Sfs), {}, rAdd, true},
        IntCase<Vek64s, Vek64s, Vek64s>{"veksMulC_64s_ISfs", conIn<Vek64s, Vek64s>(veksMulC_64s_ISfs), {}, rMul, true},
        IntCase<Vek64s, Vek64s, Vek64s>{"veksDivC_64s_ISfs", conIn<Vek64s, Vek64s>(veksDivC_64s_ISfs), {}, rDivC, true}}, 40);
    runCases<Vek64u, Vek64u, Vek64u>({IntCase<Vek64u, Vek64u, Vek64u>{"veksAddC_64u_Sfs", conOut<Vek64u, Vek64u, Vek64u>(veksAddC_64u_Sfs), {}, rAdd, true}}, 40);
}

// ---- complex integers --------------------------------------------------------------------
enum COp { cAdd, cSub, cSubR, cMul, cSqr, cDiv, cDivC };
template <class C> struct CCase {
    const char* name;
    std::function<VekStatus(const C*, C, C*, int, int)> out, in;
    COp op;
};
template <class C> std::pair<Expect, Expect> cref(COp op, C x, C y, long long sf) {
    const i128 xr = x.re, xi = x.im, yr = y.re, yi = y.im;
    auto s = [sf](i128 v) { return Expect{refScale(v, sf), false}; };
    switch (op) {
        case cAdd: return {s(xr + yr), s(xi + yi)};
        case cSub: return {s(yr - xr), s(yi - xi)};
        case cSubR: return {s(xr - yr), s(xi - yi)};
        case cMul: return {s(xr * yr - xi * yi), s(xr * yi + xi * yr)};
        case cSqr: return {s(xr * xr - xi * xi), s(2 * xr * xi)};
        case cDiv: case cDivC: {
            const i128 nr = op == cDiv ? yr : xr, ni = op == cDiv ? yi : xi, dr = op == cDiv ? xr : yr, di = op == cDiv ? xi : yi;
            const i128 m = dr * dr + di * di;
            if (m == 0) return {Expect{0, true}, Expect{0, true}};
            return {Expect{refDiv(nr * dr + ni * di, m, sf), false}, Expect{refDiv(ni * dr - nr * di, m, sf), false}};
        }
    }
    return {};
}
template <class C>
void runCplx(const std::vector<CCase<C>>& cases) {
    using P = decltype(C{}.re);
    vt::Rng rng;
    const std::vector<P> parts = edgeValues<P>(rng, 6);
    std::vector<C> xs;
    for (P a : parts) for (P b : parts) xs.push_back(C{a, b});
    std::vector<C> ys;
    for (int i = 0; i < 24; ++i) ys.push_back(C{parts[rng.bits() % parts.size()], parts[rng.bits() % parts.size()]});
    ys.push_back(C{0, 0});
    ys.push_back(C{std::numeric_limits<P>::min(), std::numeric_limits<P>::min()});
    const int n = int(xs.size());
    std::vector<C> out(n), in(n);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int failures = 0;
        for (long long sf : kSfs) {
            for (C y : ys) {
                const bool zeroConst = c.op == cDivC && y.re == 0 && y.im == 0;
                const VekStatus st = c.out(xs.data(), y, out.data(), n, int(sf));
                if (zeroConst) { EXPECT_EQ(st, vekStsDivByZeroErr); continue; }
                bool anyZero = false;
                for (int i = 0; i < n && failures < 10; ++i) {
                    auto [er, ei] = cref(c.op, xs[i], y, sf);
                    anyZero |= er.zdiv;
                    const P wr = refSat<P>(er.v), wi = refSat<P>(ei.v);
                    if (out[i].re != wr || out[i].im != wi) {
                        ++failures;
                        ADD_FAILURE() << "x=(" << (long long)xs[i].re << "," << (long long)xs[i].im << ") y=(" << (long long)y.re << ","
                                      << (long long)y.im << ") sf=" << sf << " got (" << (long long)out[i].re << "," << (long long)out[i].im
                                      << ") want (" << (long long)wr << "," << (long long)wi << ")";
                    }
                }
                EXPECT_EQ(st, anyZero ? vekStsDivByZero : vekStsNoErr);
                if (c.in) {
                    EXPECT_EQ(c.in(xs.data(), y, in.data(), n, int(sf)), st);
                    EXPECT_EQ(std::memcmp(in.data(), out.data(), n * sizeof(C)), 0) << "in place differs, sf=" << sf;
                }
                if (failures >= 10) return;
            }
        }
    }
}
#define CBIN(C, fn, op) CCase<C>{"veks" #fn, binOut<C, C, C>(veks##fn##_Sfs), binIn<C, C>(veks##fn##_ISfs), op}
#define CCON(C, fn, op) CCase<C>{"veks" #fn, conOut<C, C, C>(veks##fn##_Sfs), conIn<C, C>(veks##fn##_ISfs), op}

TEST(ArithInt, Complex) {
    runCplx<Vek16sc>({CBIN(Vek16sc, Add_16sc, cAdd), CBIN(Vek16sc, Sub_16sc, cSub), CBIN(Vek16sc, Mul_16sc, cMul),
                      CBIN(Vek16sc, Div_16sc, cDiv), CCON(Vek16sc, AddC_16sc, cAdd), CCON(Vek16sc, SubC_16sc, cSubR),
                      CCON(Vek16sc, SubCRev_16sc, cSub), CCON(Vek16sc, MulC_16sc, cMul), CCON(Vek16sc, DivC_16sc, cDivC),
                      CCase<Vek16sc>{"veksSqr_16sc", unOut<Vek16sc, Vek16sc, Vek16sc>(veksSqr_16sc_Sfs), unIn<Vek16sc, Vek16sc>(veksSqr_16sc_ISfs), cSqr}});
    runCplx<Vek32sc>({CBIN(Vek32sc, Add_32sc, cAdd), CBIN(Vek32sc, Sub_32sc, cSub), CBIN(Vek32sc, Mul_32sc, cMul),
                      CCON(Vek32sc, AddC_32sc, cAdd), CCON(Vek32sc, SubC_32sc, cSubR), CCON(Vek32sc, SubCRev_32sc, cSub),
                      CCON(Vek32sc, MulC_32sc, cMul)});
}

// AddProduct: pSrcDst + pSrc1 x pSrc2, scaled once.
template <class A, class D>
void checkAddProduct(const char* name, VekStatus (*f)(const A*, const A*, D*, int, int)) {
    SCOPED_TRACE(name);
    vt::Rng rng;
    const std::vector<A> ev = edgeValues<A>(rng, 40);
    const std::vector<D> dv = edgeValues<D>(rng, 40);
    std::vector<A> a, b;
    std::vector<D> acc;
    for (A x : ev) for (A y : ev) { a.push_back(x); b.push_back(y); acc.push_back(dv[rng.bits() % dv.size()]); }
    std::vector<D> d(acc.size());
    for (long long sf : kSfs) {
        d = acc;
        ASSERT_EQ(f(a.data(), b.data(), d.data(), int(d.size()), int(sf)), vekStsNoErr);
        for (std::size_t i = 0; i < d.size(); ++i)
            ASSERT_EQ(d[i], refSat<D>(refScale(i128(acc[i]) + i128(a[i]) * b[i], sf))) << i << " sf=" << sf;
    }
}
TEST(ArithInt, AddProduct) {
    checkAddProduct("veksAddProduct_16s_Sfs", veksAddProduct_16s_Sfs);
    checkAddProduct("veksAddProduct_16s32s_Sfs", veksAddProduct_16s32s_Sfs);
    checkAddProduct("veksAddProduct_32s_Sfs", veksAddProduct_32s_Sfs);
}

// Examples and special cases with known answers.
TEST(ArithInt, KnownAnswers) {
    Vek16s a[3] = {1, 1, -1}, b[3] = {2, 4, -4}, d[3];
    ASSERT_EQ(veksAdd_16s_Sfs(a, b, d, 3, 1), vekStsNoErr);
    EXPECT_EQ(d[0], 2); EXPECT_EQ(d[1], 2); EXPECT_EQ(d[2], -2);
    Vek16s x[1] = {-32768}, y[1];
    veksMulC_16s_Sfs(x, -32768, y, 1, 15); EXPECT_EQ(y[0], 32767);
    veksMulC_16s_Sfs(x, -32768, y, 1, 31); EXPECT_EQ(y[0], 0);
    veksAbs_16s(x, y, 1); EXPECT_EQ(y[0], 32767);
    Vek16s dv[4] = {0, 0, 0, 2}, nv[4] = {5, -5, 0, 7}, q[4];
    EXPECT_EQ(veksDiv_16s_Sfs(dv, nv, q, 4, 0), vekStsDivByZero);
    EXPECT_EQ(q[0], 32767); EXPECT_EQ(q[1], -32768); EXPECT_EQ(q[2], 0); EXPECT_EQ(q[3], 4);
    Vek64s s[3] = {5, -5, 0};
    EXPECT_EQ(veksDivC_64s_ISfs(0, s, 3, 0), vekStsDivByZero);
    EXPECT_EQ(s[0], INT64_MAX); EXPECT_EQ(s[1], INT64_MIN); EXPECT_EQ(s[2], 0);
    Vek16sc c[1] = {{-32768, -32768}}, cs[1];
    veksMul_16sc_Sfs(c, c, cs, 1, 0);
    EXPECT_EQ(cs[0].re, 0); EXPECT_EQ(cs[0].im, 32767);
    Vek16u r[3] = {0, 3, 0}, rd[3];
    EXPECT_EQ(veksDivCRev_16u(r, 0, rd, 3), vekStsDivByZero);
    EXPECT_EQ(rd[0], 0); EXPECT_EQ(rd[1], 0);
    EXPECT_EQ(veksDivCRev_16u(r, 7, rd, 3), vekStsDivByZero);
    EXPECT_EQ(rd[0], 65535); EXPECT_EQ(rd[1], 2);
}

}  // namespace
