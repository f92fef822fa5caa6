// Integer arithmetic against an exact 128-bit reference: exhaustive 8-bit pairs, every
// 16-bit value against a set of others, edges and random values for 32/64 bits and for
// complex parts, scale factors at and beyond every operand and product width, zero
// divisors and their substitutes, in-place forms against the out-of-place ones.
#include <climits>
#include <functional>
#include <string>

#include "helpers.h"

namespace {

using vt::i128;
using u128 = unsigned __int128;

// num x 2^-sf / den rounded by mode (0 toward zero, 1 nearest even, 2 nearest away).
i128 refDiv(i128 num, i128 den, long long sf, int mode = 1) {
    const i128 big = i128(1) << 110;
    if (num == 0) return 0;
    const bool neg = (num < 0) != (den < 0);
    u128 n = num < 0 ? u128(-num) : u128(num), d = den < 0 ? u128(-den) : u128(den);
    auto bits = [](u128 t) { int b = 0; for (; t; t >>= 1) ++b; return b; };
    if (sf > 0) {
        if (bits(d) + sf > 127) return 0;   // |quotient| < 2^64 / 2^126
        d <<= sf;
    }
    if (sf < 0) {
        if (bits(n) - sf > 127) return neg ? -big : big;   // beyond every range
        n <<= -sf;
    }
    u128 q, r;
    if ((n >> 64) == 0 && (d >> 64) == 0) {   // the common case, in 64-bit division
        q = std::uint64_t(n) / std::uint64_t(d);
        r = std::uint64_t(n) % std::uint64_t(d);
    } else {
        q = n / d;
        r = n % d;
    }
    if (mode == 1 ? 2 * r > d || (2 * r == d && (q & 1)) : mode == 2 && 2 * r >= d) ++q;
    if (q > u128(big)) q = u128(big);
    return neg ? -i128(q) : i128(q);
}

// Complex values in 128 bits; the references below serve integers and complex alike.
struct Z { i128 re, im; };
Z operator+(Z a, Z b) { return {a.re + b.re, a.im + b.im}; }
Z operator-(Z a, Z b) { return {a.re - b.re, a.im - b.im}; }
Z operator*(Z a, Z b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }
template <class T> auto lift(T v) {
    if constexpr (std::is_arithmetic_v<T>) return i128(v);
    else return Z{v.re, v.im};
}
i128 scale(i128 v, long long sf) { return vt::refScale(v, sf); }
Z scale(Z v, long long sf) { return {scale(v.re, sf), scale(v.im, sf)}; }
template <class D> D satTo(i128 v) { return vt::refSat<D>(v); }
template <class D> D satTo(Z v) {
    using P = decltype(D{}.re);
    return D{vt::refSat<P>(v.re), vt::refSat<P>(v.im)};
}
template <class V> struct Expect { V v; bool zdiv = false; };
// Quotients with the zero-divisor substitutes: +-2^110 saturates to the type's bound.
Expect<i128> quot(i128 num, i128 den, long long sf, int mode = 1) {
    if (den == 0) return {num > 0 ? i128(1) << 110 : num < 0 ? -(i128(1) << 110) : 0, true};
    return {refDiv(num, den, sf, mode)};
}
Expect<Z> quot(Z num, Z den, long long sf, int = 1) {
    const i128 m = den.re * den.re + den.im * den.im;
    if (m == 0) return {{0, 0}, true};
    return {{refDiv(num.re * den.re + num.im * den.im, m, sf), refDiv(num.im * den.re - num.re * den.im, m, sf)}};
}

// x is the vector operand (pSrc1 or pSrc), y the other (pSrc2 or the constant).
auto rAdd = [](auto x, auto y, long long sf) { return Expect<decltype(x)>{scale(x + y, sf)}; };
auto rSub = [](auto x, auto y, long long sf) { return Expect<decltype(x)>{scale(y - x, sf)}; };
auto rSubR = [](auto x, auto y, long long sf) { return Expect<decltype(x)>{scale(x - y, sf)}; };
auto rMul = [](auto x, auto y, long long sf) { return Expect<decltype(x)>{scale(x * y, sf)}; };
auto rSqr = [](auto x, auto, long long sf) { return Expect<decltype(x)>{scale(x * x, sf)}; };
auto rAbs = [](i128 x, i128, long long) { return Expect<i128>{x < 0 ? -x : x}; };
auto rDiv = [](auto x, auto y, long long sf) { return quot(y, x, sf); };    // pSrc2 / pSrc1
auto rDivC = [](auto x, auto y, long long sf) { return quot(x, y, sf); };   // pSrc / val

// ---- one case: an export as (x vector, y value, dst, n, sf) with its reference -------------
template <class A, class B, class D> struct Case {
    const char* name;
    std::function<VekStatus(const A*, B, D*, int, int)> out, in;   // in place may be empty
    std::function<D(A, B, long long, bool&)> ref;
    bool sfs, unary = false, zeroErr = false;   // zeroErr: a zero constant is an error
};
template <class A, class B, class D, class R> auto mkRef(R r) {
    return [r](A x, B y, long long sf, bool& z) { const auto e = r(lift(x), lift(y), sf); z = e.zdiv; return satTo<D>(e.v); };
}
template <class T> std::string show(T v) {
    if constexpr (std::is_arithmetic_v<T>) return std::to_string((long long)v);
    else return "(" + show(v.re) + "," + show(v.im) + ")";
}
template <class T> bool isZero(const T& v) { const T z{}; return std::memcmp(&v, &z, sizeof v) == 0; }

// Scale factors at and around the operand and product widths of b-bit operands, and far out.
std::vector<long long> sfsFor(long long b) {
    std::vector<long long> v = {INT_MIN, -2 * b - 1, -b - 1, -b, -b + 1, -1, 0, 1, 2, 3, b - 1, b, b + 1,
                                2 * b - 1, 2 * b, 2 * b + 1, 63, 64, INT_MAX};
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

template <class A, class B, class D>
void runCase(const Case<A, B, D>& c, const std::vector<A>& xs, const std::vector<B>& ys, const std::vector<long long>& sfs) {
    SCOPED_TRACE(c.name);
    const int n = int(xs.size());
    vt::Guarded<D> out(xs.size()), piece(70);
    std::vector<D> in(xs.size());
    std::vector<char> zs(xs.size());
    std::vector<int> pick(73);
    std::vector<A> xm(73);
    for (int j = 0; j < 73; ++j) xm[j] = xs[pick[j] = int((j * 40503LL + 7) % n)];
    const int nY = c.unary ? 1 : int(ys.size());
    int failures = 0;
    for (long long sf : c.sfs ? sfs : std::vector<long long>{0}) {
        int yi = 0;
        for (B y : c.unary ? std::vector<B>(1) : ys) {
            const VekStatus st = c.out(xs.data(), y, out.data(), n, int(sf));
            if (c.zeroErr && isZero(y)) { EXPECT_EQ(st, vekStsDivByZeroErr); continue; }
            bool anyZero = false;
            for (int i = 0; i < n && failures < 10; ++i) {
                bool z = false;
                const D want = c.ref(xs[i], y, sf, z);
                anyZero |= zs[i] = z;
                if (std::memcmp(&out[i], &want, sizeof(D)) != 0) {
                    ++failures;
                    ADD_FAILURE() << "x=" << show(xs[i]) << " y=" << show(y) << " sf=" << sf << " got " << show(out[i])
                                  << " want " << show(want);
                }
            }
            EXPECT_EQ(st, anyZero ? vekStsDivByZero : vekStsNoErr) << "y=" << show(y) << " sf=" << sf;
            // The element rule in bodies and tails: pieces of every length from 1 to 70 (spread
            // over the y values) of mixed x at four offsets, ending at the guard page; each
            // element as in the whole vector, nothing written before the piece, the warning
            // exactly when one of its elements divides by zero.
            for (int len = 1 + yi % nY; len <= 70; len += nY) {
                const int off = len % 4;
                piece.fill(vt::kSentinel);
                D* p = piece.data() + 70 - len;
                const VekStatus sp = c.out(xm.data() + off, y, p, len, int(sf));
                bool z = false, ok = true;
                for (int j = 0; j < len; ++j) {
                    z |= zs[pick[off + j]];
                    ok &= std::memcmp(&p[j], &out[pick[off + j]], sizeof(D)) == 0;
                }
                const auto* b = reinterpret_cast<const std::uint8_t*>(piece.data());
                ok &= std::all_of(b, reinterpret_cast<const std::uint8_t*>(p), [](std::uint8_t v) { return v == vt::kSentinel; });
                if (!ok || sp != (z ? vekStsDivByZero : vekStsNoErr)) {
                    ++failures;
                    ADD_FAILURE() << "a piece of " << len << " at offset " << off << " differs, y=" << show(y) << " sf=" << sf;
                }
            }
            if (c.in) {
                EXPECT_EQ(c.in(xs.data(), y, in.data(), n, int(sf)), st);
                if (std::memcmp(in.data(), out.data(), n * sizeof(D)) != 0) {
                    ++failures;
                    ADD_FAILURE() << "in place differs, y=" << show(y) << " sf=" << sf;
                }
            }
            if (failures >= 10) return;
            ++yi;
        }
    }
    EXPECT_TRUE(out.headIntact());
}

// Adapters: every form as (x vector, y value, dst, n, sf). In place binary: pSrcDst
// holds y, pSrc holds x; other in-place forms start from a copy of x.
template <class F> auto binOut(F f) {
    return [f](auto x, auto y, auto d, int n, int sf) { std::vector<decltype(y)> yv(n, y); return f(x, yv.data(), d, n, sf); };
}
template <class F> auto binIn(F f) {
    return [f](auto x, auto y, auto d, int n, int sf) { std::fill(d, d + n, y); return f(x, d, n, sf); };
}
template <class F> auto conOut(F f) { return f; }
template <class F> auto conIn(F f) {
    return [f](auto x, auto y, auto d, int n, int sf) { std::copy(x, x + n, d); return f(y, d, n, sf); };
}
template <class F> auto unOut(F f) { return [f](auto x, auto, auto d, int n, int sf) { return f(x, d, n, sf); }; }
template <class F> auto unIn(F f) {
    return [f](auto x, auto, auto d, int n, int sf) { std::copy(x, x + n, d); return f(d, n, sf); };
}
// Forms without a scale factor take it as an ignored trailing argument.
#define NOSF3(fn) [](auto p, auto q, auto r, int) { return fn(p, q, r); }

#define CASE(A, B, D, name, out, in, r, ...) Case<A, B, D>{name, out, in, mkRef<A, B, D>(r), __VA_ARGS__}
#define BIN(T, fn, r) CASE(T, T, T, #fn, binOut(veks##fn##_Sfs), binIn(veks##fn##_ISfs), r, true)
#define CON(T, fn, r, ...) CASE(T, T, T, #fn, conOut(veks##fn##_Sfs), conIn(veks##fn##_ISfs), r, true, __VA_ARGS__)
#define UN(T, fn, r) CASE(T, T, T, #fn, unOut(veks##fn##_Sfs), unIn(veks##fn##_ISfs), r, true, true)
#define MIXED(A, B, D, fn, r) CASE(A, B, D, #fn, binOut(veks##fn), {}, r, true)
#define PLAIN(A, B, D, fn, r, in) CASE(A, B, D, #fn, binOut(NOSF4(veks##fn)), in, r, false)
#define NOSF4(f) [](auto p, auto q, auto d, int n, int) { return f(p, q, d, n); }
#define PLAIN_IN(T, fn) binIn([](auto p, auto d, int n, int) { return veks##fn(p, d, n); })
// Every form of Add, Sub, Mul, Div, AddC, SubC, SubCRev, MulC, DivC and Sqr of one type.
#define FULL(T, s)                                                                                            \
    BIN(T, Add_##s, rAdd), BIN(T, Sub_##s, rSub), BIN(T, Mul_##s, rMul), BIN(T, Div_##s, rDiv),               \
        CON(T, AddC_##s, rAdd, false), CON(T, SubC_##s, rSubR, false), CON(T, SubCRev_##s, rSub, false),      \
        CON(T, MulC_##s, rMul, false), CON(T, DivC_##s, rDivC, false, true), UN(T, Sqr_##s, rSqr)

// The vector operand: every value of an 8/16-bit type, edges and random values of wider
// ones, all pairs of edge parts for complex ones. The other operand: every 8-bit value,
// else the first n distinct edge values; complex: random pairs of edge parts, zero and
// (min, min).
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
template <class T> std::vector<T> operands(vt::Rng& rng, bool first, int n) {
    std::vector<T> v;
    if constexpr (!std::is_arithmetic_v<T>) {
        using P = decltype(T{}.re);
        const std::vector<P> p = edgeValues<P>(rng, 6);
        if (first) for (P a : p) for (P b : p) v.push_back(T{a, b});
        for (int i = 0; !first && i < 14; ++i) v.push_back(T{p[rng.bits() % p.size()], p[rng.bits() % p.size()]});
        if (!first) v.insert(v.end(), {T{0, 0}, T{p[0], p[0]}});
    } else if (sizeof(T) == 1 || (first && sizeof(T) == 2)) {
        for (int x = int(std::numeric_limits<T>::min()); sizeof(T) <= 2 && x <= int(std::numeric_limits<T>::max()); ++x) v.push_back(T(x));
    } else {
        for (T x : edgeValues<T>(rng, first ? 400 : 4))   // each value once, in order
            if (first || std::find(v.begin(), v.end(), x) == v.end()) v.push_back(x);
        if (!first && int(v.size()) > n) v.resize(n);
    }
    return v;
}
template <class A, class B, class D>
void runCases(const std::vector<Case<A, B, D>>& cases, int nOther) {
    vt::Rng rng;
    const std::vector<A> xs = operands<A>(rng, true, 0);
    const std::vector<B> ys = operands<B>(rng, false, nOther);
    const long bits = 8 * long(std::is_arithmetic_v<A> ? sizeof(A) : sizeof(A) / 2);
    for (const auto& c : cases) runCase(c, xs, ys, sfsFor(bits));
}

TEST(ArithInt, Exhaustive8u) {
    runCases<Vek8u, Vek8u, Vek8u>({FULL(Vek8u, 8u)}, 256);
    runCases<Vek8u, Vek8u, Vek16u>({PLAIN(Vek8u, Vek8u, Vek16u, Add_8u16u, rAdd, {}), PLAIN(Vek8u, Vek8u, Vek16u, Mul_8u16u, rMul, {})}, 256);
}

TEST(ArithInt, DivRound) {
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        auto r = [mode](auto x, auto y, long long sf) { return quot(y, x, sf, mode); };
#define DIVR(T, s, nOther)                                                                                          \
    runCases<T, T, T>({CASE(T, T, T, "Div_Round_" #s,                                                                \
        binOut([mode](const T* a, const T* b, T* d, int n, int sf) { return veksDiv_Round_##s##_Sfs(a, b, d, n, mode, sf); }), \
        binIn([mode](const T* a, T* d, int n, int sf) { return veksDiv_Round_##s##_ISfs(a, d, n, mode, sf); }), r, true)}, nOther)
        DIVR(Vek8u, 8u, 256);
        DIVR(Vek16s, 16s, 6);
        DIVR(Vek16u, 16u, 6);
#undef DIVR
    }
}

TEST(ArithInt, Sweep16s) {
    runCases<Vek16s, Vek16s, Vek16s>({FULL(Vek16s, 16s), PLAIN(Vek16s, Vek16s, Vek16s, Add_16s, rAdd, PLAIN_IN(Vek16s, Add_16s_I)),
                                      PLAIN(Vek16s, Vek16s, Vek16s, Sub_16s, rSub, PLAIN_IN(Vek16s, Sub_16s_I)),
                                      PLAIN(Vek16s, Vek16s, Vek16s, Mul_16s, rMul, PLAIN_IN(Vek16s, Mul_16s_I)),
                                      CASE(Vek16s, Vek16s, Vek16s, "AddC_16s_I", conIn(NOSF3(veksAddC_16s_I)), {}, rAdd, false),
                                      CASE(Vek16s, Vek16s, Vek16s, "SubC_16s_I", conIn(NOSF3(veksSubC_16s_I)), {}, rSubR, false),
                                      CASE(Vek16s, Vek16s, Vek16s, "MulC_16s_I", conIn(NOSF3(veksMulC_16s_I)), {}, rMul, false),
                                      CASE(Vek16s, Vek16s, Vek16s, "Abs_16s", unOut(NOSF3(veksAbs_16s)),
                                           unIn([](auto d, int n, int) { return veksAbs_16s_I(d, n); }), rAbs, false, true)}, 8);
    runCases<Vek16s, Vek16s, Vek32s>({MIXED(Vek16s, Vek16s, Vek32s, Mul_16s32s_Sfs, rMul)}, 20);
    runCases<Vek16u, Vek16s, Vek16s>({MIXED(Vek16u, Vek16s, Vek16s, Mul_16u16s_Sfs, rMul)}, 20);
    runCases<Vek32s, Vek16s, Vek16s>({MIXED(Vek32s, Vek16s, Vek16s, Div_32s16s_Sfs, rDiv)}, 40);
}

TEST(ArithInt, Sweep16u) {
    runCases<Vek16u, Vek16u, Vek16u>({FULL(Vek16u, 16u), PLAIN(Vek16u, Vek16u, Vek16u, Add_16u, rAdd, {}),
                                      CASE(Vek16u, Vek16u, Vek16u, "DivCRev_16u", conOut(NOSF4(veksDivCRev_16u)),
                                           conIn(NOSF3(veksDivCRev_16u_I)), rDiv, false)}, 8);
}

TEST(ArithInt, Wide32And64) {
    runCases<Vek32s, Vek32s, Vek32s>({BIN(Vek32s, Add_32s, rAdd), BIN(Vek32s, Sub_32s, rSub), BIN(Vek32s, Mul_32s, rMul),
                                      BIN(Vek32s, Div_32s, rDiv), CON(Vek32s, AddC_32s, rAdd, false), CON(Vek32s, SubC_32s, rSubR, false),
                                      CON(Vek32s, SubCRev_32s, rSub, false), CON(Vek32s, MulC_32s, rMul, false),
                                      CASE(Vek32s, Vek32s, Vek32s, "Abs_32s", unOut(NOSF3(veksAbs_32s)),
                                           unIn([](auto d, int n, int) { return veksAbs_32s_I(d, n); }), rAbs, false, true)}, 40);
    runCases<Vek32u, Vek32u, Vek32u>({PLAIN(Vek32u, Vek32u, Vek32u, Add_32u, rAdd, PLAIN_IN(Vek32u, Add_32u_I))}, 40);
    runCases<Vek16s, Vek32s, Vek32s>({CASE(Vek16s, Vek32s, Vek32s, "Add_16s32s_I", binIn(NOSF3(veksAdd_16s32s_I)), {}, rAdd, false)}, 40);
    runCases<Vek64s, Vek64s, Vek64s>({MIXED(Vek64s, Vek64s, Vek64s, Add_64s_Sfs, rAdd),
                                      CASE(Vek64s, Vek64s, Vek64s, "AddC_64s_Sfs", conOut(veksAddC_64s_Sfs), {}, rAdd, true),
                                      CASE(Vek64s, Vek64s, Vek64s, "MulC_64s_ISfs", conIn(veksMulC_64s_ISfs), {}, rMul, true),
                                      CASE(Vek64s, Vek64s, Vek64s, "DivC_64s_ISfs", conIn(veksDivC_64s_ISfs), {}, rDivC, true)}, 40);
    runCases<Vek64u, Vek64u, Vek64u>({CASE(Vek64u, Vek64u, Vek64u, "AddC_64u_Sfs", conOut(veksAddC_64u_Sfs), {}, rAdd, true)}, 40);
}

TEST(ArithInt, Complex) {
    runCases<Vek16sc, Vek16sc, Vek16sc>({FULL(Vek16sc, 16sc)}, 0);
    runCases<Vek32sc, Vek32sc, Vek32sc>({BIN(Vek32sc, Add_32sc, rAdd), BIN(Vek32sc, Sub_32sc, rSub), BIN(Vek32sc, Mul_32sc, rMul),
                                         CON(Vek32sc, AddC_32sc, rAdd, false), CON(Vek32sc, SubC_32sc, rSubR, false),
                                         CON(Vek32sc, SubCRev_32sc, rSub, false), CON(Vek32sc, MulC_32sc, rMul, false)}, 0);
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
    for (long long sf : sfsFor(8 * sizeof(A))) {
        std::vector<D> d = acc;
        ASSERT_EQ(f(a.data(), b.data(), d.data(), int(d.size()), int(sf)), vekStsNoErr);
        for (std::size_t i = 0; i < d.size(); ++i)
            ASSERT_EQ(d[i], vt::refSat<D>(scale(i128(acc[i]) + i128(a[i]) * b[i], sf))) << i << " sf=" << sf;
    }
}
TEST(ArithInt, AddProduct) {
    checkAddProduct("AddProduct_16s_Sfs", veksAddProduct_16s_Sfs);
    checkAddProduct("AddProduct_16s32s_Sfs", veksAddProduct_16s32s_Sfs);
    checkAddProduct("AddProduct_32s_Sfs", veksAddProduct_32s_Sfs);
}

}  // namespace
