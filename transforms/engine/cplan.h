// cplan.h - the complex DFT of any length, as laid out inside a spec.
//
// A complex plan of length n picks one method by a deterministic cost model:
//   - n = 1: a copy;
//   - a power of two, or one times powers of 3 and 5, that fills whole registers in
//     its first radix-8 pass: the passes on split parts of pow2.h;
//   - every prime factor of n at most kMaxRadix: self-sorting mixed-radix passes
//     (factors 8, 4, 2 first, then odd factors from the largest down; a single odd
//     factor is the direct DFT of that length);
//   - a prime n whose n - 1 is smooth: the cyclic convolution of length n - 1 that the
//     powers of a primitive root turn the DFT into (Rader), through a complex plan of
//     n - 1 points;
//   - otherwise, or when it is cheaper: the chirp-z convolution (Bluestein) through
//     a complex plan of a smooth length M >= 2n - 1 built in the same spec.
// Tables (twiddles, chirp, the transformed chirp kernel) are computed in double
// precision from exactly reduced angles and rounded once to T. The plan stores byte
// offsets from the spec base, not pointers, and is read-only after Init.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <array>
#include <numeric>
#include <utility>

#include "frame/spec.h"
#include "stages.h"

namespace vek::dft {

// cos and sin of 2 pi k / n with the angle reduced to the first octant in integers,
// so the double result is as accurate as the sine kernel (the argument carries no
// rounding from a large multiple of 2 pi / n).
inline void sincos2pi(std::int64_t k, std::int64_t n, double& c, double& s) noexcept {
    k %= n;
    if (k < 0) k += n;
    bool negS = false, negC = false, swap = false;
    if (2 * k > n) { k = n - k; negS = true; }            // angle in [0, pi]
    if (4 * k > n) { k = n - 2 * k; n *= 2; negC = true; }  // pi - angle, in [0, pi/2]
    if (8 * k > n) { k = n - 4 * k; n *= 4; swap = true; }  // pi/2 - angle, in [0, pi/4]
    const long double a = 6.283185307179586476925286766559L * (long double)k / (long double)n;
    double cc = std::cos(double(a)), ss = std::sin(double(a));
    if (swap) { double t = cc; cc = ss; ss = t; }
    if (negC) cc = -cc;
    if (negS) ss = -ss;
    c = cc;
    s = ss;
}

enum Method : int { kCopy = 0, kMixed = 1, kChirp = 2, kPow2 = 3 };
constexpr int kRader = 4;   // prime length through a convolution of length n - 1
constexpr int kMaxPasses = 40;
constexpr int kSmallMax = 16;   // lengths computed by one straight-line kernel

struct Pass {
    int p, m, s, first;
    std::uint64_t twOff, trigOff;
};

struct CPlan {
    int n, method, passes, M;
    int small;                 // mixed: index of the straight-line kernel of the whole length, or 0
    int skew;                  // power of two: complex elements by which the work array may move
    std::uint64_t workElems;   // complex elements of work buffer needed by a transform
    std::uint64_t initElems;   // complex elements of init buffer needed to build it
    std::uint64_t chirpOff, kernOff, subOff;
    std::uint64_t permOff;     // Rader: g^r mod n, r = 0..n-2
    std::uint64_t logOff;      // Rader: the r with g^r = k mod n, k = 1..n-1
    Pass pass[kMaxPasses];
};

// Two modes over one code path: in query mode (base null) only the layout grows, in
// build mode the same requests are placed and filled.
struct Builder {
    Layout l{64};
    std::uint8_t* base = nullptr;
    void* initBuf = nullptr;   // build mode: the caller's init buffer, aligned
    template <class X>
    X* take(std::size_t count, std::uint64_t* off) noexcept {
        std::size_t o = l.array<X>(count, 64);
        if (off) *off = o;
        return base && l.ok() ? reinterpret_cast<X*>(base + o) : nullptr;
    }
};

// ---- factorisation and cost --------------------------------------------------------
// Lengths computed by one two-level kernel on vectors, with its kind and its first
// factor in single and in double precision (0: that precision keeps its other kernels
// for the length); the whole-length kernel table below is generated from this list.
//   kVecCt: both levels run whole vectors of independent butterflies (the last block
//     of a level overlaps the one before it instead of running partial lanes), the
//     intermediate stays in a small buffer on the stack. The first factor is a multiple
//     of the rows the transposed stores write at once, so each load of the second level
//     reads what one store wrote; the longer factor stays short enough for its
//     butterflies to live mostly in registers. The plan has the two passes.
//   kVecPfa: coprime factors by the prime-factor maps, two butterflies of a level side
//     by side in one register, no twiddles and no buffer (longer lengths spill some of
//     the intermediate to the stack, still cheaper than the twiddles); the plan keeps
//     the passes of the length's own factorisation, which the kernel does not read.
// A length may have one row per kind, each with the precisions that use it.
enum ShapeKind : int { kLine = 0, kVecCt = 1, kVecPfa = 2 };
struct VecShape {
    int n;
    int first[2];   // single, double
    ShapeKind kind;
};
constexpr VecShape kVecShapes[] = {
    {6, {2, 2}, kVecPfa},    {10, {2, 2}, kVecPfa},   {12, {4, 4}, kVecPfa},   {14, {7, 7}, kVecPfa},
    {15, {3, 3}, kVecPfa},   {18, {2, 2}, kVecPfa},   {20, {4, 4}, kVecPfa},   {21, {3, 3}, kVecPfa},
    {22, {11, 11}, kVecPfa}, {24, {8, 3}, kVecPfa},   {26, {2, 13}, kVecPfa},  {28, {4, 4}, kVecPfa},
    {30, {6, 5}, kVecPfa},   {33, {11, 11}, kVecPfa}, {35, {5, 5}, kVecPfa},   {36, {9, 9}, kVecPfa},
    {39, {13, 13}, kVecPfa}, {40, {5, 5}, kVecPfa},   {42, {7, 7}, kVecPfa},   {44, {11, 4}, kVecPfa},
    {45, {5, 9}, kVecPfa},   {50, {25, 25}, kVecPfa}, {52, {4, 4}, kVecPfa},   {54, {27, 27}, kVecPfa},
    {56, {7, 7}, kVecPfa},   {60, {4, 0}, kVecCt},    {60, {0, 5}, kVecPfa},   {63, {7, 7}, kVecPfa},
    {66, {11, 11}, kVecPfa}, {70, {7, 7}, kVecPfa},   {72, {8, 8}, kVecPfa},   {84, {7, 7}, kVecPfa},
    {90, {10, 10}, kVecPfa}, {100, {10, 10}, kVecCt}};

// The entry of a length in precision T, or null.
template <class T>
constexpr const VecShape* vecShape(int n) noexcept {
    for (const auto& v : kVecShapes)
        if (v.n == n && v.first[sizeof(T) == 8]) return &v;
    return nullptr;
}

struct Factors {
    int n = 0;
    int f[kMaxPasses];
    bool ok = true;
};

// Relative cost of one pass per point, the pass itself included; fixed numbers, so a
// length always gets the same plan on every machine.
inline double radixCost(int p) noexcept {
    switch (p) {
        case 2: return 1.1;
        case 3: return 1.7;
        case 4: return 1.7;
        case 5: return 2.6;
        case 6: return 2.3;
        case 7: return 3.5;
        case 8: return 2.4;
        case 9: return 2.6;
        case 10: return 3.0;
        case 11: return 5.5;
        case 12: return 2.8;
        case 13: return 6.5;
        case 15: return 3.5;
        case 20: return 3.7;
        case 25: return 5.5;
        case 27: return 4.0;
        default: return 0.6 * p + 2.0;
    }
}

// The passes of a length: the factors 2, 3 and 5 grouped into the radices with kernels
// of their own at the least total cost (a small dynamic program over the exponents),
// the other primes one pass each; p0 > 0 asks for the two factors p0 and n / p0.
// Powers of two run first (8, 4, 2), then the rest from the largest down. Radices that
// mix a power of two with an odd factor serve only as whole lengths: as a pass they put
// many streams a power of two apart in memory, which the cache maps onto the same sets.
inline Factors factorize(int n, int p0 = 0) noexcept {
    Factors r;
    if (p0) {   // one two-level kernel on full vectors
        r.f[r.n++] = p0;
        r.f[r.n++] = n / p0;
        return r;
    }
    if (fixedRadix(n)) {   // one straight-line kernel
        r.f[r.n++] = n;
        return r;
    }
    int e[3] = {0, 0, 0};
    static constexpr int pr[3] = {2, 3, 5};
    for (int i = 0; i < 3; ++i)
        while (n % pr[i] == 0) { n /= pr[i]; ++e[i]; }
    // radix, its exponents of 2, 3, 5
    static constexpr int R[9][4] = {{8, 3, 0, 0}, {4, 2, 0, 0},  {2, 1, 0, 0}, {27, 0, 3, 0}, {9, 0, 2, 0},
                                    {3, 0, 1, 0}, {25, 0, 0, 2}, {5, 0, 0, 1}, {15, 0, 1, 1}};
    const int A = e[0] + 1, B = e[1] + 1, C = e[2] + 1;
    float cost[28 * 17 * 12];
    signed char pick[28 * 17 * 12];
    auto at = [&](int a, int b, int c) { return (a * B + b) * C + c; };
    for (int a = 0; a < A; ++a)
        for (int b = 0; b < B; ++b)
            for (int c = 0; c < C; ++c) {
                const int i = at(a, b, c);
                cost[i] = (a | b | c) ? 1e30f : 0.0f;
                pick[i] = -1;
                for (int k = 0; k < 9; ++k) {
                    if (R[k][1] > a || R[k][2] > b || R[k][3] > c) continue;
                    const float v = cost[at(a - R[k][1], b - R[k][2], c - R[k][3])] + float(radixCost(R[k][0]));
                    if (v < cost[i]) { cost[i] = v; pick[i] = static_cast<signed char>(k); }
                }
            }
    int chosen[kMaxPasses], nc = 0;
    for (int a = e[0], b = e[1], c = e[2]; (a | b | c) && nc < kMaxPasses;) {
        const int k = pick[at(a, b, c)];
        chosen[nc++] = R[k][0];
        a -= R[k][1];
        b -= R[k][2];
        c -= R[k][3];
    }
    for (int d = 7; n > 1;) {
        if (std::int64_t(d) * d > n) { chosen[nc++] = n; break; }
        if (n % d == 0) { chosen[nc++] = d; n /= d; } else d += 2;
    }
    // powers of two first, largest first; then the others, largest first
    for (int i = 1; i < nc; ++i)
        for (int j = i; j > 0; --j) {
            const int x = chosen[j - 1], y = chosen[j];
            const bool px = (x & (x - 1)) == 0, py = (y & (y - 1)) == 0;
            if ((py && !px) || (px == py && y > x)) { chosen[j - 1] = y; chosen[j] = x; } else break;
        }
    for (int i = 0; i < nc; ++i) {
        if (chosen[i] > kMaxRadix && !fixedRadix(chosen[i])) r.ok = false;
        r.f[r.n++] = chosen[i];
    }
    return r;
}

inline double mixedCost(int n) noexcept {
    if (n == 1) return 0.0;
    Factors f = factorize(n);
    if (!f.ok) return 1e300;
    double c = 0;
    for (int i = 0; i < f.n; ++i) c += radixCost(f.f[i]);
    return c * n;
}

// The convolution length: the cheapest smooth M >= 2n - 1 among 2^a times a small
// odd factor.
inline int chirpLength(int n) noexcept {
    const std::int64_t need = 2 * std::int64_t(n) - 1;
    static constexpr int odd[] = {1, 3, 5, 9, 15, 25, 27, 45};
    int best = 0;
    double bestCost = 1e300;
    for (int o : odd) {
        std::int64_t m = o;
        while (m < need) m *= 2;
        if (m > (std::int64_t(1) << 30)) continue;
        double c = mixedCost(int(m));
        if (c < bestCost) { bestCost = c; best = int(m); }
    }
    return best;
}

inline double chirpCost(int n) noexcept {
    int M = chirpLength(n);
    return 2.0 * mixedCost(M) + 4.0 * M + 2.0 * n;
}

inline bool isPrime(int n) noexcept {
    if (n < 2) return false;
    for (int d = 2; std::int64_t(d) * d <= n; ++d)
        if (n % d == 0) return false;
    return true;
}

inline std::int64_t powMod(std::int64_t b, std::int64_t e, std::int64_t m) noexcept {
    std::int64_t r = 1;
    b %= m;
    for (; e > 0; e >>= 1) {
        if (e & 1) r = r * b % m;
        b = b * b % m;
    }
    return r;
}

// The smallest generator of the multiplicative group modulo the prime p.
inline int primitiveRoot(int p) noexcept {
    int q[32], nq = 0, m = p - 1;
    for (int d = 2; std::int64_t(d) * d <= m; ++d)
        if (m % d == 0) {
            q[nq++] = d;
            while (m % d == 0) m /= d;
        }
    if (m > 1) q[nq++] = m;
    for (int g = 2; g < p; ++g) {
        bool ok = true;
        for (int i = 0; i < nq && ok; ++i) ok = powMod(g, (p - 1) / q[i], p) != 1;
        if (ok) return g;
    }
    return 1;
}

// Rader's route: only for primes beyond the direct kernels whose n - 1 factors into
// the mixed-radix set; the gather and the scatter through the permutation are the
// dearer per point for their scattered accesses.
inline double raderCost(int n) noexcept {
    if (n <= kMaxRadix || !isPrime(n) || !factorize(n - 1).ok) return 1e300;
    return 2.0 * mixedCost(n - 1) + 7.0 * (n - 1);
}

// The kernels of whole lengths, by the index a plan records: the single straight-line
// kernels of lengths 2..27 and the two-pass ones of lengths up to 16 with their first
// factor, less those of lengths that kVecShapes covers in both precisions, then one
// entry for each kernel of kVecShapes.
struct SmallShape {
    int n = 0, p0 = 0;   // p0 = 0: one pass of the whole length
    ShapeKind kind = kLine;
};
constexpr SmallShape kLineShapes[] = {{0, 0},  {2, 0},  {3, 0},  {4, 0},  {5, 0},  {6, 0},  {7, 0},  {8, 0},
                                      {9, 0},  {10, 0}, {11, 0}, {12, 0}, {13, 0}, {15, 0}, {20, 0}, {25, 0},
                                      {27, 0}, {6, 2},  {9, 3},  {10, 2}, {12, 4}, {14, 2}, {15, 5}, {16, 4}};

constexpr bool lineUsed(const SmallShape& s) noexcept {
    return s.n == 0 || !vecShape<float>(s.n) || !vecShape<double>(s.n);
}

// The kernels of a kVecShapes entry: one per distinct first factor.
constexpr int vecKernels(const VecShape& v) noexcept {
    return (v.first[0] ? 1 : 0) + (v.first[1] && v.first[1] != v.first[0] ? 1 : 0);
}

constexpr int smallShapeCount() noexcept {
    int c = 0;
    for (const auto& s : kLineShapes) c += lineUsed(s) ? 1 : 0;
    for (const auto& v : kVecShapes) c += vecKernels(v);
    return c;
}

constexpr auto makeSmallShapes() noexcept {
    std::array<SmallShape, smallShapeCount()> a{};
    int i = 0;
    for (const auto& s : kLineShapes)
        if (lineUsed(s)) a[i++] = s;
    for (const auto& v : kVecShapes) {
        if (v.first[0]) a[i++] = {v.n, v.first[0], v.kind};
        if (v.first[1] && v.first[1] != v.first[0]) a[i++] = {v.n, v.first[1], v.kind};
    }
    return a;
}
constexpr auto kSmallShapes = makeSmallShapes();
constexpr int kSmallCount = int(kSmallShapes.size());

// The kernel index of a mixed plan (0: the passes run one by one); vs: the length's
// entry in kVecShapes for the plan's precision, or null.
inline int smallIndex(const CPlan& P, const VecShape* vs, int first) noexcept {
    auto find = [&](int p0, ShapeKind kind) {
        for (int i = 1; i < kSmallCount; ++i)
            if (kSmallShapes[i].n == P.n && kSmallShapes[i].p0 == p0 && kSmallShapes[i].kind == kind) return i;
        return 0;
    };
    if (vs) return find(first, vs->kind);
    if (P.passes == 1) return find(0, kLine);
    if (P.passes != 2 || P.n > kSmallMax) return 0;
    return find(P.pass[0].p, kLine);
}

// ---- building ----------------------------------------------------------------------
// cos and sin of 2 pi k / n (n divisible by 4) from those of the first octant: value(j,
// c, s) gives them for 0 <= j <= n / 8; the same reductions as in sincos2pi lead there.
template <class T, class F>
inline void fromOctant(std::int64_t k, std::int64_t n, F value, T& c, T& sn) noexcept {
    k %= n;
    if (k < 0) k += n;
    bool negS = false, negC = false, swap = false;
    if (2 * k > n) { k = n - k; negS = true; }
    if (4 * k > n) { k = n / 2 - k; negC = true; }
    if (8 * k > n) { k = n / 4 - k; swap = true; }
    value(k, c, sn);
    if (swap) { const T t = c; c = sn; sn = t; }
    if (negC) c = -c;
    if (negS) sn = -sn;
}

// The twiddles exp(-2 pi i k / n) of a plan whose length n is divisible by 4. Each is
// a value of the first octant (k <= n / 8) with its parts swapped and negated, which
// are exact operations, so only the octant is evaluated, and every other value equals
// what sincos2pi would give. The octant is evaluated into row r = 1 of the first pass's
// table (it holds exp(-2 pi i j / n) for j < n / p, p <= 8) and read back from there;
// the value at k = n / 8 itself, which that row lacks when p = 8, is kept aside.
// Slot says where value j of that row lies: its real part at Slot::re(j), its
// imaginary part Slot::im further (interleaved pairs by default).
struct PairSlot {
    static constexpr std::size_t re(std::int64_t j) noexcept { return 2 * std::size_t(j); }
    static constexpr std::size_t im = 1;
};

template <class T, class Slot = PairSlot>
struct OctantTwiddles {
    const T* row = nullptr;
    std::int64_t n = 0;
    int direct = -1;        // row entries 0..direct are evaluated directly
    bool fast = false;
    T mid[2] = {T(0), T(0)};

    void start(T* tw, int len, int m) noexcept {
        if (len % 4 != 0 || std::int64_t(m) * 8 < len) return;
        n = len;
        row = tw;
        fast = true;
        const int o = len / 8;
        direct = m - 1 < o ? m - 1 : o;
        for (int j = 0; j <= direct; ++j) {
            double c, sn;
            sincos2pi(j, n, c, sn);
            tw[Slot::re(j)] = T(c);
            tw[Slot::re(j) + Slot::im] = T(-sn);
        }
        if (len % 8 == 0 && o > direct) {
            double c, sn;
            sincos2pi(o, n, c, sn);
            mid[0] = T(c);
            mid[1] = T(-sn);
        }
    }
    // (re, im) = (cos, -sin) of 2 pi k / n.
    void get(std::int64_t k, T& re, T& im) const noexcept {
        T c, sn;
        fromOctant(k, n, [&](std::int64_t j, T& oc, T& os) {
            if (j <= direct) {
                oc = row[Slot::re(j)];
                os = -row[Slot::re(j) + Slot::im];
            } else {
                oc = mid[0];
                os = -mid[1];
            }
        }, c, sn);
        re = c;
        im = -sn;
    }
    void get(std::int64_t k, T* out) const noexcept { get(k, out[0], out[1]); }
};

struct Built {
    std::uint64_t off, workElems, initElems;
};

template <class T>
void runPlan(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work, bool inv) noexcept;

// Power-of-two lengths on split parts (pow2.h).
template <class T> bool pow2Eligible(int n) noexcept;
template <class T> bool pow2Plan(int n) noexcept;
template <class T> void buildPow2(Builder& b, CPlan& P, int n) noexcept;
// How a power-of-two plan's first pass reads its input (see p2::first): as it is, times
// a kernel array or its conjugate, or gathered through an index table, conjugated or not.
enum Read : int { kReadPlain = 0, kReadMul, kReadMulConj, kReadGather, kReadGatherConj };
template <class T>
void runPow2(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work, bool inv,
             const T* kern = nullptr, Read how = kReadPlain, const std::uint32_t* ix = nullptr) noexcept;

template <class T>
Built buildPlan(Builder& b, int n) noexcept;

// The inner transform of length len of Rader's and Bluestein's methods: its plan follows
// in the same memory, and a call needs a block of len values besides the inner one's
// work; Init runs the inner transform once on its own work buffer.
template <class T>
void subPlan(Builder& b, int len, CPlan& P, Built& res) noexcept {
    const Built sub = buildPlan<T>(b, len);
    P.subOff = sub.off;
    res.workElems = std::uint64_t(len) + sub.workElems;
    res.initElems = sub.workElems > sub.initElems ? sub.workElems : sub.initElems;
}

template <class T>
Built buildPlan(Builder& b, int n) noexcept {
    const VecShape* vs = vecShape<T>(n);
    const int first = vs ? vs->first[sizeof(T) == 8] : 0;
    const int p0 = vs && vs->kind == kVecCt ? first : 0;
    CPlan P{};
    std::uint64_t off;
    CPlan* dstRec = b.take<CPlan>(1, &off);
    P.n = n;
    Built res{off, 0, 0};
    if (n == 1) {
        P.method = kCopy;
    } else if (pow2Plan<T>(n)) {
        buildPow2<T>(b, P, n);
        res.workElems = std::uint64_t(n) + std::uint64_t(P.skew);
    } else if (Factors f = factorize(n, p0); f.ok && mixedCost(n) <= chirpCost(n)) {
        P.method = kMixed;
        P.passes = f.n;
        OctantTwiddles<T> oct;
        int s = 1, rest = n;
        for (int i = 0; i < f.n; ++i) {
            Pass& ps = P.pass[i];
            ps.p = f.f[i];
            ps.m = rest / ps.p;
            ps.s = s;
            ps.first = (s == 1 && ps.m >= 2) ? 1 : 0;
            const int p = ps.p, m = ps.m, nn = p * m;
            T* tw = nullptr;
            if (m >= 2) tw = b.take<T>(2 * std::size_t(p - 1) * std::size_t(m), &ps.twOff);
            if (tw && i == 0 && ps.first) oct.start(tw, n, m);
            if (tw) {
                for (int j = 0; j < m; ++j)
                    for (int r = 1; r < p; ++r) {
                        const std::size_t at = ps.first ? std::size_t(r - 1) * m + j : std::size_t(j) * (p - 1) + (r - 1);
                        if (oct.fast) {
                            if (!(i == 0 && r == 1 && j <= oct.direct)) oct.get(std::int64_t(j) * r * s, tw + 2 * at);
                        } else {
                            double c, sn;
                            sincos2pi(std::int64_t(j) * r, nn, c, sn);
                            tw[2 * at] = T(c);
                            tw[2 * at + 1] = T(-sn);
                        }
                    }
            }
            if (!fixedRadix(p)) {
                T* trig = b.take<T>(2 * std::size_t(p), &ps.trigOff);
                if (trig)
                    for (int k = 0; k < p; ++k) {
                        double c, sn;
                        sincos2pi(k, p, c, sn);
                        trig[2 * k] = T(c);
                        trig[2 * k + 1] = T(sn);
                    }
            }
            s *= p;
            rest = m;
        }
        P.small = smallIndex(P, vs, first);
        res.workElems = (f.n >= 2 && !P.small) ? std::uint64_t(n) : 0;
    } else if (raderCost(n) < chirpCost(n)) {
        P.method = kRader;
        const int L = n - 1;
        std::uint32_t* perm = b.take<std::uint32_t>(std::size_t(L), &P.permOff);
        std::uint32_t* dlog = b.take<std::uint32_t>(std::size_t(L), &P.logOff);
        T* kern = b.take<T>(2 * std::size_t(L), &P.kernOff);
        subPlan<T>(b, L, P, res);
        if (perm && dlog && kern && b.l.ok()) {
            const std::int64_t g = primitiveRoot(n);
            std::int64_t v = 1;
            for (int r = 0; r < L; ++r) {
                perm[r] = std::uint32_t(v);
                dlog[v - 1] = std::uint32_t(r);
                v = v * g % n;
            }
            // The kernel exp(-2 pi i g^r / n), transformed, times 1 / (n - 1).
            for (int r = 0; r < L; ++r) {
                double c, sn;
                sincos2pi(perm[r], n, c, sn);
                kern[2 * r] = T(c / L);
                kern[2 * r + 1] = T(-sn / L);
            }
            runPlan<T>(b.base, reinterpret_cast<const CPlan*>(b.base + P.subOff), kern, kern,
                       static_cast<T*>(b.initBuf), false);
        }
    } else {
        P.method = kChirp;
        const int M = chirpLength(n);
        P.M = M;
        T* chirp = b.take<T>(2 * std::size_t(n), &P.chirpOff);
        T* kern = b.take<T>(2 * std::size_t(M), &P.kernOff);
        subPlan<T>(b, M, P, res);
        if (chirp && kern && b.l.ok()) {
            // c[k] = exp(-i pi k^2 / n), with k^2 reduced modulo 2n exactly.
            const std::int64_t n2 = 2 * std::int64_t(n);
            for (int k = 0; k < n; ++k) {
                double c, sn;
                sincos2pi((std::int64_t(k) * k) % n2, n2, c, sn);
                chirp[2 * k] = T(c);
                chirp[2 * k + 1] = T(-sn);
            }
            // The kernel conj(c) extended symmetrically to M, transformed, times 1/M.
            std::memset(kern, 0, 2 * std::size_t(M) * sizeof(T));
            for (int k = 0; k < n; ++k) {
                double c, sn;
                sincos2pi((std::int64_t(k) * k) % n2, n2, c, sn);
                kern[2 * k] = T(c / M);
                kern[2 * k + 1] = T(sn / M);
                if (k) {
                    kern[2 * (M - k)] = T(c / M);
                    kern[2 * (M - k) + 1] = T(sn / M);
                }
            }
            runPlan<T>(b.base, reinterpret_cast<const CPlan*>(b.base + P.subOff), kern, kern,
                       static_cast<T*>(b.initBuf), false);
        }
    }
    P.workElems = res.workElems;
    P.initElems = res.initElems;
    if (dstRec && b.l.ok()) std::memcpy(dstRec, &P, sizeof P);
    return res;
}

// ---- running -----------------------------------------------------------------------
template <int P, bool Inv, class T>
VEK_INLINE void runPass(const std::uint8_t* base, const Pass& ps, const T* x, T* y) noexcept {
    const T* tw = reinterpret_cast<const T*>(base + ps.twOff);
    const T* trig = reinterpret_cast<const T*>(base + ps.trigOff);
    if (ps.first) passFirst<P, Inv>(x, y, ps.p, ps.m, tw, trig);
    else passRows<P, Inv>(x, y, ps.p, ps.m, ps.s, tw, trig);
}

template <bool Inv, class T>
void dispatchPass(const std::uint8_t* base, const Pass& ps, const T* x, T* y) noexcept {
    switch (ps.p) {
        case 2: runPass<2, Inv>(base, ps, x, y); break;
        case 3: runPass<3, Inv>(base, ps, x, y); break;
        case 4: runPass<4, Inv>(base, ps, x, y); break;
        case 5: runPass<5, Inv>(base, ps, x, y); break;
        case 7: runPass<7, Inv>(base, ps, x, y); break;
        case 8: runPass<8, Inv>(base, ps, x, y); break;
        case 11: runPass<11, Inv>(base, ps, x, y); break;
        case 13: runPass<13, Inv>(base, ps, x, y); break;
        case 6: runPass<6, Inv>(base, ps, x, y); break;
        case 9: runPass<9, Inv>(base, ps, x, y); break;
        case 10: runPass<10, Inv>(base, ps, x, y); break;
        case 12: runPass<12, Inv>(base, ps, x, y); break;
        case 15: runPass<15, Inv>(base, ps, x, y); break;
        case 20: runPass<20, Inv>(base, ps, x, y); break;
        case 25: runPass<25, Inv>(base, ps, x, y); break;
        case 27: runPass<27, Inv>(base, ps, x, y); break;
        default: runPass<0, Inv>(base, ps, x, y); break;
    }
}

// Lengths up to 16: both passes in one straight-line kernel on single complex values
// (both parts in one SSE register), the intermediate kept in registers, no work
// buffer. The twiddles are those of the mixed-radix first pass, laid out [r - 1][j].
template <int P1, int P2, bool Inv, class T>
void smallDft(const T* x, T* y, const T* tw) noexcept {
    using S = CX<T>;
    if constexpr (P2 == 1) {
        S a[P1], b[P1];
        for (int q = 0; q < P1; ++q) a[q] = S::load(x + 2 * q);
        bfly<P1, Inv>(a, b, P1, nullptr);
        for (int r = 0; r < P1; ++r) b[r].store(y + 2 * r);
    } else {
        S t[P1 * P2];
#pragma GCC unroll 16
        for (int j = 0; j < P2; ++j) {
            S a[P1], b[P1];
            for (int q = 0; q < P1; ++q) a[q] = S::load(x + 2 * (j + P2 * q));
            bfly<P1, Inv>(a, b, P1, nullptr);
            t[P1 * j] = b[0];
            for (int r = 1; r < P1; ++r)
                t[P1 * j + r] = j ? twiddle<Inv>(b[r], S::load(tw + 2 * ((r - 1) * P2 + j))) : b[r];
        }
#pragma GCC unroll 16
        for (int k = 0; k < P1; ++k) {
            S a[P2], b[P2];
            for (int q = 0; q < P2; ++q) a[q] = t[k + P1 * q];
            bfly<P2, Inv>(a, b, P2, nullptr);
            for (int r = 0; r < P2; ++r) b[r].store(y + 2 * (k + P1 * r));
        }
    }
}


// Whole lengths P1 * P2 on full vectors: the first level vectorised along its P2
// butterflies (inputs contiguous, twiddles per lane from the first-pass table) and
// transposed into rows of P1 in a stack buffer, the second level along its P1
// butterflies, without twiddles. Where a level's count is not a multiple of the width
// its last block starts W lanes before the end and recomputes a few butterflies; both
// writes of a value are the same, and no level reads what it writes, so src may equal
// dst.
template <int P1, int P2, class V, bool Inv, class T>
void vecDft(const T* x, T* y, const T* tw) noexcept {
    constexpr int W = V::W;
    static_assert(P1 >= W && P2 >= W);
    alignas(32) T t[2 * P1 * P2];
    for (int jb = 0; jb < P2; jb += W) {
        const int j = jb + W <= P2 ? jb : P2 - W;
        V a[P1], b[P1];
        for (int q = 0; q < P1; ++q) a[q] = V::load(x + 2 * (j + P2 * q));
        bflyFixed<P1, Inv>(a, b);
        for (int r = 1; r < P1; ++r) b[r] = twiddle<Inv>(b[r], V::load(tw + 2 * ((r - 1) * P2 + j)));
        storeT(b, t + 2 * P1 * j, P1, W);
    }
    for (int kb = 0; kb < P1; kb += W) {
        const int k = kb + W <= P1 ? kb : P1 - W;
        V a[P2], b[P2];
        for (int q = 0; q < P2; ++q) a[q] = V::load(t + 2 * (k + P1 * q));
        bflyFixed<P2, Inv>(a, b);
        for (int r = 0; r < P2; ++r) b[r].store(y + 2 * (k + P1 * r));
    }
}

// Whole lengths N1 * N2 with coprime factors by the prime-factor index maps (no
// twiddles), two transforms of a level side by side in the lanes of a pair register:
// the first level runs its N2 transforms of length N1 on the lane pairs n2, n2 + 1,
// the second its N1 transforms of length N2 on the pairs k1, k1 + 1, and an odd one
// out of either level on a single value. The intermediate stays in registers, each
// pair of the second level one shuffle of two of the first. All input is read before
// any output is written, so src may equal dst.
template <int N1, int N2, bool Inv, class T>
void pfaDft(const T* x, T* y, const T*) noexcept {
    using P = PairOf<T>;
    using V = typename P::V;
    using S = typename P::S;
    constexpr int N = N1 * N2, B1 = N1 / 2, B2 = N2 / 2;
    constexpr int e2 = invMod(N2 % N1, N1), e1 = invMod(N1 % N2, N2);
    static_assert(B1 >= 1 && B2 >= 1 && std::gcd(N1, N2) == 1, "two coprime factors of at least 2");
    auto in = [](int n1, int n2) { return 2 * ((N2 * n1 + N1 * n2) % N); };
    auto out = [](int k1, int k2) { return 2 * ((N2 * e2 * k1 + N1 * e1 * k2) % N); };
    V u[B2][N1];   // u[b][k1]: the outputs k1 of the transforms n2 = 2b, 2b + 1
    S w[N1];       // the outputs of the transform n2 = N2 - 1 when N2 is odd
#pragma GCC unroll 16
    for (int b = 0; b < B2; ++b) {
        V a[N1];
#pragma GCC unroll 16
        for (int n1 = 0; n1 < N1; ++n1) a[n1] = P::load2(x + in(n1, 2 * b), x + in(n1, 2 * b + 1));
        bflyFixed<N1, Inv>(a, u[b]);
    }
    if constexpr (N2 % 2 != 0) {
        S a[N1];
#pragma GCC unroll 16
        for (int n1 = 0; n1 < N1; ++n1) a[n1] = S::load(x + in(n1, N2 - 1));
        bflyFixed<N1, Inv>(a, w);
    }
#pragma GCC unroll 16
    for (int c = 0; c < B1; ++c) {
        const int k1 = 2 * c;
        V a[N2], r[N2];
#pragma GCC unroll 16
        for (int b = 0; b < B2; ++b) {
            a[2 * b] = P::lows(u[b][k1], u[b][k1 + 1]);
            a[2 * b + 1] = P::highs(u[b][k1], u[b][k1 + 1]);
        }
        if constexpr (N2 % 2 != 0) a[N2 - 1] = P::join(w[k1], w[k1 + 1]);
        bflyFixed<N2, Inv>(a, r);
#pragma GCC unroll 16
        for (int k2 = 0; k2 < N2; ++k2) P::store2(r[k2], y + out(k1, k2), y + out(k1 + 1, k2));
    }
    if constexpr (N1 % 2 != 0) {
        constexpr int k1 = N1 - 1;
        S a[N2], r[N2];
#pragma GCC unroll 16
        for (int b = 0; b < B2; ++b) {
            a[2 * b] = P::lo(u[b][k1]);
            a[2 * b + 1] = P::hi(u[b][k1]);
        }
        if constexpr (N2 % 2 != 0) a[N2 - 1] = w[k1];
        bflyFixed<N2, Inv>(a, r);
#pragma GCC unroll 16
        for (int k2 = 0; k2 < N2; ++k2) r[k2].store(y + out(k1, k2));
    }
}

// The vector of a two-level kernel: full registers unless a factor is shorter than
// their width.
template <class T, int MinP> struct VecOf { using type = CVec<T>; };
template <int MinP> requires(MinP < 4) struct VecOf<float, MinP> { using type = CH; };

template <class T>
using SmallFn = void (*)(const T*, T*, const T*) noexcept;

template <bool Inv, class T, int I>
constexpr SmallFn<T> smallAt() noexcept {
    constexpr SmallShape sh = kSmallShapes[I];
    if constexpr (sh.n == 0) return nullptr;
    else if constexpr (sh.kind == kVecCt) {
        constexpr int p1 = sh.p0, p2 = sh.n / sh.p0;
        return &vecDft<p1, p2, typename VecOf<T, (p1 < p2 ? p1 : p2)>::type, Inv, T>;
    } else if constexpr (sh.kind == kVecPfa) return &pfaDft<sh.p0, sh.n / sh.p0, Inv, T>;
    else if constexpr (sh.p0 == 0) return &smallDft<sh.n, 1, Inv, T>;
    else return &smallDft<sh.p0, sh.n / sh.p0, Inv, T>;
}

template <bool Inv, class T, int... I>
constexpr auto smallTable(std::integer_sequence<int, I...>) noexcept {
    return std::array<SmallFn<T>, sizeof...(I)>{smallAt<Inv, T, I>()...};
}

template <bool Inv, class T>
inline constexpr auto kSmallFns = smallTable<Inv, T>(std::make_integer_sequence<int, kSmallCount>{});

// The twiddles of a small kernel: those of the first pass (none for a single pass).
template <class T>
VEK_INLINE const T* smallTw(const std::uint8_t* base, const CPlan* pl) noexcept {
    return reinterpret_cast<const T*>(base + pl->pass[0].twOff);
}

template <bool Inv, class T>
void runMixed(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work) noexcept {
    if (pl->small) {
        kSmallFns<Inv, T>[pl->small](src, dst, smallTw<T>(base, pl));
        return;
    }
    const int K = pl->passes;
    const bool alias = src == dst;
    const T* in = src;
    for (int i = 0; i < K; ++i) {
        T* out = passOut(i, K, alias, dst, work);
        dispatchPass<Inv>(base, pl->pass[i], in, out);
        in = out;
    }
}

// y[k] = a[k] * b[k] (or times conj(b[k])) over n complex values; out may alias a.
template <bool Conj, class T>
inline void mulPoint(const T* a, const T* b, T* out, std::size_t n) noexcept {
    using V = CVec<T>;
    constexpr int W = V::W;
    std::size_t k = 0;
    for (; k + W <= n; k += W) {
        V x = V::load(a + 2 * k), w = V::load(b + 2 * k);
        (Conj ? cmulc(x, w) : cmul(x, w)).store(out + 2 * k);
    }
    if (k < n) {
        const int r = int(n - k);
        V x = V::loadN(a + 2 * k, r), w = V::loadN(b + 2 * k, r);
        (Conj ? cmulc(x, w) : cmul(x, w)).storeN(out + 2 * k, r);
    }
}

// The second half of a convolution through the inner plan sub: y times the transformed
// kernel (or its conjugate), then the inverse transform, in place. A power-of-two plan
// multiplies as its first pass reads.
template <bool Conj, class T>
void convolveBack(const std::uint8_t* base, const CPlan* sub, T* y, const T* kern, T* work) noexcept {
    if (sub->method == kPow2) {
        runPow2<T>(base, sub, y, y, work, true, kern, Conj ? kReadMulConj : kReadMul);
    } else {
        mulPoint<Conj>(y, kern, y, std::size_t(sub->n));
        runPlan<T>(base, sub, y, y, work, true);
    }
}

template <bool Inv, class T>
void runChirp(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work) noexcept {
    const std::size_t n = std::size_t(pl->n), M = std::size_t(pl->M);
    const T* chirp = reinterpret_cast<const T*>(base + pl->chirpOff);
    const T* kern = reinterpret_cast<const T*>(base + pl->kernOff);
    const CPlan* sub = reinterpret_cast<const CPlan*>(base + pl->subOff);
    T* y = work;
    T* w2 = work + 2 * M;
    mulPoint<Inv>(src, chirp, y, n);
    std::memset(y + 2 * n, 0, 2 * (M - n) * sizeof(T));
    runPlan<T>(base, sub, y, y, w2, false);
    convolveBack<Inv>(base, sub, y, kern, w2);
    mulPoint<Inv>(y, chirp, dst, n);
}

// Rader: with g a primitive root, X[g^r] = x[0] + sum_q x[g^-q] b[r - q], b[m] =
// w^(g^m), a cyclic convolution of length n - 1. The inverse transform is the
// conjugate of the forward one of the conjugated input. Both permutations are gathers
// with sequential writes: the input read through the powers of g, the output, in
// natural order, read through their logarithms.
template <bool Inv, class T>
void runRader(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work) noexcept {
    const std::size_t L = std::size_t(pl->n) - 1;
    const std::uint32_t* perm = reinterpret_cast<const std::uint32_t*>(base + pl->permOff);
    const T* kern = reinterpret_cast<const T*>(base + pl->kernOff);
    const CPlan* sub = reinterpret_cast<const CPlan*>(base + pl->subOff);
    using S = CX<T>;
    T* a = work;
    T* w2 = work + 2 * L;
    // The inverse conjugates the input and the output: x ^ flip.
    const S flip = cxFlip<T>(Inv);
    const S x0 = cxXor(S::load(src), flip);
    // The accesses through the permutations miss the cache for long lengths; they are
    // requested some way ahead. A power-of-two inner plan gathers as its first pass reads.
    constexpr std::size_t kAhead = 64;
    if (sub->method == kPow2) {
        runPow2<T>(base, sub, src, a, w2, false, nullptr, Inv ? kReadGatherConj : kReadGather, perm);
    } else {
        cxXor(S::load(src + 2), flip).store(a);
        for (std::size_t q = 1; q < L; ++q) {
            if (q + kAhead < L) _mm_prefetch(reinterpret_cast<const char*>(src + 2 * std::size_t(perm[L - q - kAhead])), _MM_HINT_T0);
            cxXor(S::load(src + 2 * std::size_t(perm[L - q])), flip).store(a + 2 * q);
        }
        runPlan<T>(base, sub, a, a, w2, false);
    }
    const S X0 = x0 + S::load(a);
    convolveBack<false>(base, sub, a, kern, w2);
    const std::uint32_t* dlog = reinterpret_cast<const std::uint32_t*>(base + pl->logOff);
    for (std::size_t k = 1; k <= L; ++k) {
        if (k + kAhead <= L) _mm_prefetch(reinterpret_cast<const char*>(a + 2 * std::size_t(dlog[k - 1 + kAhead])), _MM_HINT_T0);
        cxXor(x0 + S::load(a + 2 * std::size_t(dlog[k - 1])), flip).store(dst + 2 * k);
    }
    cxXor(X0, flip).store(dst);
}

template <class T>
void runPlan(const std::uint8_t* base, const CPlan* pl, const T* src, T* dst, T* work, bool inv) noexcept {
    switch (pl->method) {
        case kCopy:
            if (src != dst) std::memcpy(dst, src, 2 * std::size_t(pl->n) * sizeof(T));
            break;
        case kMixed:
            if (inv) runMixed<true>(base, pl, src, dst, work);
            else runMixed<false>(base, pl, src, dst, work);
            break;
        case kPow2:
            runPow2<T>(base, pl, src, dst, work, inv);
            break;
        case kRader:
            if (inv) runRader<true>(base, pl, src, dst, work);
            else runRader<false>(base, pl, src, dst, work);
            break;
        default:
            if (inv) runChirp<true>(base, pl, src, dst, work);
            else runChirp<false>(base, pl, src, dst, work);
            break;
    }
}

}  // namespace vek::dft
