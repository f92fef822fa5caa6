// Data movement, bit logic and shifts: every member against byte- or element-wise
// reference loops over lengths that reach every head/body/tail path, at misaligned
// addresses and against a guard page; Move with overlap in both directions; shift
// counts at every boundary; bit copies at every pair of offsets with merged edge
// bytes; every status in validation order with sentinel destinations.
#include <climits>
#include <cstring>
#include <vector>

#include "helpers.h"
#include "vekcore.h"

namespace {

using u8 = std::uint8_t;

std::vector<int> lengths(std::size_t elem) {
    std::vector<int> v;
    for (int n = 1; n <= 70; ++n) v.push_back(n);
    for (int n : {127, 128, 129, 255, 1000, 4097}) v.push_back(n);
    if (elem <= 2) v.push_back(65537);
    return v;
}
const int kOffsets[] = {0, 1, 5, 8, 16, 31};   // byte offsets of the destination and source

void randomBytes(vt::Rng& r, void* p, std::size_t n) {
    auto* b = static_cast<u8*>(p);
    for (std::size_t i = 0; i < n; ++i) b[i] = u8(r.bits());
}

// A destination of `bytes` bytes at byte offset `off` in front of a guard page; the
// off bytes before it hold the sentinel and must keep it.
struct Dst {
    Dst(std::size_t bytes, int off) : g(bytes + std::size_t(off)), off(off) {}
    u8* p() { return g.data() + off; }
    bool frontIntact() {
        for (int i = 0; i < off; ++i)
            if (g.data()[i] != vt::kSentinel) return false;
        return g.headIntact();
    }
    vt::Guarded<u8> g;
    int off;
};

// ---- Copy, Move, Set, Zero -------------------------------------------------------------
template <class T>
void copyFamily(VekStatus (*copy)(const T*, T*, int), VekStatus (*move)(const T*, T*, int),
                VekStatus (*set)(T, T*, int), VekStatus (*zero)(T*, int)) {
    vt::Rng r;
    constexpr std::size_t E = sizeof(T);
    for (int n : lengths(E)) {
        const std::size_t B = std::size_t(n) * E;
        for (int off : kOffsets) {
            SCOPED_TRACE(testing::Message() << "n " << n << " offset " << off);
            std::vector<u8> src(B + 32);
            randomBytes(r, src.data(), src.size());
            const u8* s = src.data() + (off * 7) % 32;
            {
                Dst d(B, off);
                ASSERT_EQ(copy(reinterpret_cast<const T*>(s), reinterpret_cast<T*>(d.p()), n), vekStsNoErr);
                ASSERT_EQ(std::memcmp(d.p(), s, B), 0);
                ASSERT_TRUE(d.frontIntact());
            }
            {
                Dst d(B, off);
                ASSERT_EQ(move(reinterpret_cast<const T*>(s), reinterpret_cast<T*>(d.p()), n), vekStsNoErr);
                ASSERT_EQ(std::memcmp(d.p(), s, B), 0);
                ASSERT_TRUE(d.frontIntact());
            }
            {
                T val;
                randomBytes(r, &val, E);
                Dst d(B, off);
                ASSERT_EQ(set(val, reinterpret_cast<T*>(d.p()), n), vekStsNoErr);
                for (int i = 0; i < n; ++i) ASSERT_EQ(std::memcmp(d.p() + i * E, &val, E), 0) << i;
                ASSERT_TRUE(d.frontIntact());
            }
            {
                Dst d(B, off);
                ASSERT_EQ(zero(reinterpret_cast<T*>(d.p()), n), vekStsNoErr);
                for (std::size_t i = 0; i < B; ++i) ASSERT_EQ(d.p()[i], 0) << i;
                ASSERT_TRUE(d.frontIntact());
            }
        }
        // Move within one buffer, destination before and after the source.
        for (long delta : {1L, 3L, long(E), 31L, 32L, 33L, 100L, long(B / 2), long(B) - 1}) {
            if (delta < 1 || std::size_t(delta) >= B + 1) continue;
            for (int sign : {-1, 1}) {
                std::vector<u8> buf(B + std::size_t(delta) + 64), ref;
                randomBytes(r, buf.data(), buf.size());
                ref = buf;
                const std::size_t so = sign > 0 ? 7 : 7 + std::size_t(delta);
                const std::size_t dO = sign > 0 ? 7 + std::size_t(delta) : 7;
                std::memmove(ref.data() + dO, ref.data() + so, B);
                ASSERT_EQ(move(reinterpret_cast<const T*>(buf.data() + so), reinterpret_cast<T*>(buf.data() + dO), n),
                          vekStsNoErr);
                ASSERT_EQ(buf, ref) << "n " << n << " delta " << sign * delta;
            }
        }
    }
}

#define COPY_FAMILY(c, T) copyFamily<T>(veksCopy_##c, veksMove_##c, veksSet_##c, veksZero_##c)
TEST(DataMove, CopyMoveSetZero) {
    COPY_FAMILY(8u, Vek8u);
    COPY_FAMILY(16s, Vek16s);
    COPY_FAMILY(32s, Vek32s);
    COPY_FAMILY(32f, Vek32f);
    COPY_FAMILY(64s, Vek64s);
    COPY_FAMILY(64f, Vek64f);
    COPY_FAMILY(16sc, Vek16sc);
    COPY_FAMILY(32sc, Vek32sc);
    COPY_FAMILY(32fc, Vek32fc);
    COPY_FAMILY(64sc, Vek64sc);
    COPY_FAMILY(64fc, Vek64fc);
}

// Blocks large enough for the streaming paths (beyond the largest data cache).
TEST(DataMove, LargeBlocks) {
    int cache = 0;
    std::size_t B = 6u << 20;
    if (vekGetMaxCacheSizeB(&cache) == 0 && cache > 0) B = std::max(B, std::size_t(cache) + 4160);
    B = std::min<std::size_t>(B, 96u << 20) | 8;   // 8 bytes past a 16-byte boundary
    std::vector<u8> src(B + 3), dst(B + 3, 0x5A);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = u8(i * 131 + (i >> 9));
    ASSERT_EQ(veksCopy_8u(src.data() + 1, dst.data() + 3, int(B)), vekStsNoErr);
    ASSERT_EQ(std::memcmp(dst.data() + 3, src.data() + 1, B), 0);
    ASSERT_EQ(veksMove_8u(src.data() + 2, dst.data(), int(B)), vekStsNoErr);
    ASSERT_EQ(std::memcmp(dst.data(), src.data() + 2, B), 0);
    ASSERT_EQ(veksSet_8u(0xC3, dst.data() + 1, int(B)), vekStsNoErr);
    EXPECT_EQ(dst[0], src[2]);
    for (std::size_t i = 1; i <= B; ++i) ASSERT_EQ(dst[i], 0xC3) << i;
    const Vek64fc v = {1.5, -2.25};
    const int n = int(B / 16);
    ASSERT_EQ(veksSet_64fc(v, reinterpret_cast<Vek64fc*>(dst.data() + 1), n), vekStsNoErr);
    for (int i = 0; i < n; ++i) ASSERT_EQ(std::memcmp(dst.data() + 1 + 16 * i, &v, 16), 0) << i;
    ASSERT_EQ(veksZero_16s(reinterpret_cast<Vek16s*>(dst.data()), int(B / 2)), vekStsNoErr);
    for (std::size_t i = 0; i < B / 2 * 2; ++i) ASSERT_EQ(dst[i], 0) << i;
}

// ---- Flip, SwapBytes: byte permutations ----------------------------------------------
// Destination byte k of n elements of E bytes is source byte map(k); Flip's
// out-of-place form on one vector must also work in place.
template <class T, class Map>
void permFamily(std::size_t E, Map map, VekStatus (*f)(const T*, T*, int), VekStatus (*fI)(T*, int), bool aliasOk) {
    vt::Rng r;
    for (int n : lengths(E)) {
        const std::size_t B = std::size_t(n) * E;
        for (int off : kOffsets) {
            SCOPED_TRACE(testing::Message() << "n " << n << " offset " << off);
            std::vector<u8> src(B + 32), ref(B);
            randomBytes(r, src.data(), src.size());
            const u8* s = src.data() + (off * 5) % 32;
            for (std::size_t k = 0; k < B; ++k) ref[k] = s[map(k, std::size_t(n))];
            Dst d(B, off);
            ASSERT_EQ(f(reinterpret_cast<const T*>(s), reinterpret_cast<T*>(d.p()), n), vekStsNoErr);
            ASSERT_EQ(std::memcmp(d.p(), ref.data(), B), 0);
            ASSERT_TRUE(d.frontIntact());
            std::memcpy(d.p(), s, B);
            ASSERT_EQ(fI(reinterpret_cast<T*>(d.p()), n), vekStsNoErr);
            ASSERT_EQ(std::memcmp(d.p(), ref.data(), B), 0);
            if (aliasOk) {
                ASSERT_EQ(f(reinterpret_cast<const T*>(d.p()), reinterpret_cast<T*>(d.p()), n), vekStsNoErr);
                ASSERT_EQ(std::memcmp(d.p(), s, B), 0);
            }
            ASSERT_TRUE(d.frontIntact());
        }
    }
}
template <class T> void flipFamily(VekStatus (*f)(const T*, T*, int), VekStatus (*fI)(T*, int)) {
    constexpr std::size_t E = sizeof(T);
    permFamily<T>(E, [](std::size_t k, std::size_t n) { return (n - 1 - k / E) * E + k % E; }, f, fI, true);
}
template <std::size_t E, class T> void swapFamily(VekStatus (*f)(const T*, T*, int), VekStatus (*fI)(T*, int)) {
    permFamily<T>(E, [](std::size_t k, std::size_t) { return k - k % E + E - 1 - k % E; }, f, fI, false);
}

TEST(DataMove, FlipAndSwapBytes) {
    flipFamily<Vek8u>(veksFlip_8u, veksFlip_8u_I);
    flipFamily<Vek16u>(veksFlip_16u, veksFlip_16u_I);
    flipFamily<Vek32f>(veksFlip_32f, veksFlip_32f_I);
    flipFamily<Vek64f>(veksFlip_64f, veksFlip_64f_I);
    flipFamily<Vek32fc>(veksFlip_32fc, veksFlip_32fc_I);
    flipFamily<Vek64fc>(veksFlip_64fc, veksFlip_64fc_I);
    swapFamily<2, Vek16u>(veksSwapBytes_16u, veksSwapBytes_16u_I);
    swapFamily<3, Vek8u>(veksSwapBytes_24u, veksSwapBytes_24u_I);
    swapFamily<4, Vek32u>(veksSwapBytes_32u, veksSwapBytes_32u_I);
    swapFamily<8, Vek64u>(veksSwapBytes_64u, veksSwapBytes_64u_I);
}

// ---- logic -----------------------------------------------------------------------------
template <class T>
struct LogicFns {
    VekStatus (*bin)(const T*, const T*, T*, int);
    VekStatus (*binI)(const T*, T*, int);
    VekStatus (*c)(const T*, T, T*, int);
    VekStatus (*cI)(T, T*, int);
};

template <class T>
T refLogic(int op, T a, T b) {
    return op == 0 ? T(a & b) : op == 1 ? T(a | b) : T(a ^ b);
}

template <class T>
void logicFamily(const LogicFns<T> (&f)[3], VekStatus (*notv)(const T*, T*, int), VekStatus (*notI)(T*, int)) {
    vt::Rng r;
    for (int n : lengths(sizeof(T))) {
        for (int off : {0, int(sizeof(T)), 3}) {
            std::vector<T> a(std::size_t(n) + 8), b(std::size_t(n) + 8), ref(static_cast<std::size_t>(n));
            randomBytes(r, a.data(), a.size() * sizeof(T));
            randomBytes(r, b.data(), b.size() * sizeof(T));
            const T* x = a.data() + 1;
            const T* y = b.data() + 2;
            T val;
            randomBytes(r, &val, sizeof val);
            Dst d(std::size_t(n) * sizeof(T), off);
            T* dp = reinterpret_cast<T*>(d.p());
            auto check = [&](const char* what) {
                ASSERT_EQ(std::memcmp(d.p(), ref.data(), ref.size() * sizeof(T)), 0) << what << " n " << n;
            };
            for (int op = 0; op < 3; ++op) {
                for (int i = 0; i < n; ++i) ref[i] = refLogic(op, x[i], y[i]);
                ASSERT_EQ(f[op].bin(x, y, dp, n), vekStsNoErr);
                check("binary");
                std::memcpy(dp, y, std::size_t(n) * sizeof(T));
                ASSERT_EQ(f[op].binI(x, dp, n), vekStsNoErr);
                check("binary in place");
                for (int i = 0; i < n; ++i) ref[i] = refLogic(op, x[i], val);
                ASSERT_EQ(f[op].c(x, val, dp, n), vekStsNoErr);
                check("constant");
                std::memcpy(dp, x, std::size_t(n) * sizeof(T));
                ASSERT_EQ(f[op].cI(val, dp, n), vekStsNoErr);
                check("constant in place");
            }
            for (int i = 0; i < n; ++i) ref[i] = T(~x[i]);
            ASSERT_EQ(notv(x, dp, n), vekStsNoErr);
            check("not");
            std::memcpy(dp, x, std::size_t(n) * sizeof(T));
            ASSERT_EQ(notI(dp, n), vekStsNoErr);
            check("not in place");
            ASSERT_TRUE(d.frontIntact());
        }
    }
}

#define LOGIC_FNS(c) \
    {{veksAnd_##c, veksAnd_##c##_I, veksAndC_##c, veksAndC_##c##_I}, \
     {veksOr_##c, veksOr_##c##_I, veksOrC_##c, veksOrC_##c##_I},     \
     {veksXor_##c, veksXor_##c##_I, veksXorC_##c, veksXorC_##c##_I}}
TEST(DataMove, Logic) {
    const LogicFns<Vek8u> f8[3] = LOGIC_FNS(8u);
    const LogicFns<Vek16u> f16[3] = LOGIC_FNS(16u);
    const LogicFns<Vek32u> f32[3] = LOGIC_FNS(32u);
    logicFamily(f8, veksNot_8u, veksNot_8u_I);
    logicFamily(f16, veksNot_16u, veksNot_16u_I);
    logicFamily(f32, veksNot_32u, veksNot_32u_I);
}

// ---- shifts ----------------------------------------------------------------------------
template <class T>
T refShift(T x, long long c, bool left) {
    constexpr int W = int(8 * sizeof(T));
    using U = std::make_unsigned_t<T>;
    if (left) return c >= W ? T(0) : T(U(U(x) << c));
    if (std::is_signed_v<T>) {
        if (c >= W) c = W - 1;
        return T(x >> c);   // arithmetic on the signed type
    }
    return c >= W ? T(0) : T(U(x) >> c);
}

template <class T>
void shiftFamily(bool left, VekStatus (*sh)(const T*, int, T*, int), VekStatus (*shI)(int, T*, int)) {
    constexpr int W = int(8 * sizeof(T));
    vt::Rng r;
    std::vector<int> counts;
    for (int c = 0; c <= W + 2; ++c) counts.push_back(c);
    for (int c : {2 * W, 100, INT_MAX}) counts.push_back(c);
    for (int n : {1, 2, 7, 8, 15, 16, 17, 31, 33, 64, 65, 100, 221, 825, 1001}) {
        std::vector<T> a(std::size_t(n) + 4), ref(static_cast<std::size_t>(n));
        randomBytes(r, a.data(), a.size() * sizeof(T));
        const T* x = a.data() + 1;
        for (int c : counts) {
            SCOPED_TRACE(testing::Message() << "n " << n << " count " << c << (left ? " left" : " right"));
            for (int i = 0; i < n; ++i) ref[i] = refShift(x[i], c, left);
            for (int off : {0, 1}) {
                Dst d(std::size_t(n) * sizeof(T), off * int(sizeof(T)));
                T* dp = reinterpret_cast<T*>(d.p());
                ASSERT_EQ(sh(x, c, dp, n), vekStsNoErr);
                ASSERT_EQ(std::memcmp(dp, ref.data(), ref.size() * sizeof(T)), 0);
                std::memcpy(dp, x, std::size_t(n) * sizeof(T));
                ASSERT_EQ(shI(c, dp, n), vekStsNoErr);
                ASSERT_EQ(std::memcmp(dp, ref.data(), ref.size() * sizeof(T)), 0);
                ASSERT_TRUE(d.frontIntact());
            }
        }
    }
    // Pointers and length come before the count's sign; a negative count writes nothing.
    vt::Sentinel<T> d(4);
    T x[4] = {1, 2, 3, 4};
    for (int c : {-1, INT_MIN}) {
        EXPECT_EQ(sh(nullptr, c, d.data(), 0), vekStsNullPtrErr);
        EXPECT_EQ(sh(x, c, d.data(), 0), vekStsSizeErr);
        EXPECT_EQ(shI(c, nullptr, 0), vekStsNullPtrErr);
        EXPECT_EQ(shI(c, d.data(), -1), vekStsSizeErr);
        EXPECT_EQ(sh(x, c, d.data(), 4), vekStsShiftErr);
        EXPECT_EQ(shI(c, d.data(), 4), vekStsShiftErr);
    }
    EXPECT_TRUE(d.untouched());
}

TEST(DataMove, Shifts) {
    shiftFamily<Vek8u>(true, veksLShiftC_8u, veksLShiftC_8u_I);
    shiftFamily<Vek16u>(true, veksLShiftC_16u, veksLShiftC_16u_I);
    shiftFamily<Vek16s>(true, veksLShiftC_16s, veksLShiftC_16s_I);
    shiftFamily<Vek32s>(true, veksLShiftC_32s, veksLShiftC_32s_I);
    shiftFamily<Vek8u>(false, veksRShiftC_8u, veksRShiftC_8u_I);
    shiftFamily<Vek16u>(false, veksRShiftC_16u, veksRShiftC_16u_I);
    shiftFamily<Vek16s>(false, veksRShiftC_16s, veksRShiftC_16s_I);
    shiftFamily<Vek32s>(false, veksRShiftC_32s, veksRShiftC_32s_I);

    const Vek16s a[2] = {-5, 5};
    Vek16s b[2];
    ASSERT_EQ(veksRShiftC_16s(a, 20, b, 2), vekStsNoErr);
    EXPECT_TRUE(b[0] == -1 && b[1] == 0);
    const Vek8u c = 200;
    Vek8u e = 0;
    ASSERT_EQ(veksLShiftC_8u(&c, 1, &e, 1), vekStsNoErr);
    EXPECT_EQ(e, 144);
    ASSERT_EQ(veksLShiftC_8u(&c, 8, &e, 1), vekStsNoErr);
    EXPECT_EQ(e, 0);
}

// Null pointers in argument order, len < 1, nothing written, MXCSR kept, for every
// export whose signature the generic check reads (bit copies are checked above).
TEST(DataMove, Statuses) {
    int count = 0;
#define X(n) vt::checkStatuses("veks" #n, veks##n); ++count;
#define T4(f, a, b, c, d) X(f##_##a) X(f##_##b) X(f##_##c) X(f##_##d)
#define TI(f, a, b, c) X(f##_##a) X(f##_##a##_I) X(f##_##b) X(f##_##b##_I) X(f##_##c) X(f##_##c##_I)
#define COPYX(c) X(Copy_##c) X(Move_##c) X(Set_##c) X(Zero_##c)
    COPYX(8u) COPYX(16s) COPYX(32s) COPYX(32f) COPYX(64s) COPYX(64f) COPYX(16sc) COPYX(32sc) COPYX(32fc) COPYX(64sc) COPYX(64fc)
    TI(Flip, 8u, 16u, 32f) TI(Flip, 64f, 32fc, 64fc) TI(SwapBytes, 16u, 32u, 64u)
    TI(And, 8u, 16u, 32u) TI(AndC, 8u, 16u, 32u) TI(Or, 8u, 16u, 32u) TI(OrC, 8u, 16u, 32u) TI(Xor, 8u, 16u, 32u)
    TI(XorC, 8u, 16u, 32u) TI(Not, 8u, 16u, 32u) T4(LShiftC, 8u, 16u, 16s, 32s) T4(RShiftC, 8u, 16u, 16s, 32s)
    T4(LShiftC, 8u_I, 16u_I, 16s_I, 32s_I) T4(RShiftC, 8u_I, 16u_I, 16s_I, 32s_I)
    vt::checkStatuses("veksSwapBytes_24u", veksSwapBytes_24u, 64);
    vt::checkStatuses("veksSwapBytes_24u_I", veksSwapBytes_24u_I, 64);
#undef X
#undef T4
#undef TI
#undef COPYX
    EXPECT_EQ(count, 44 + 18 + 42 + 16);
}

// ---- bit copies ------------------------------------------------------------------------
// Bit p of a string starting at byte b: MSB-first or LSB-first numbering.
bool getBit(const u8* b, std::size_t p, bool msb) {
    const unsigned k = unsigned(p % 8);
    return (b[p / 8] >> (msb ? 7 - k : k)) & 1;
}
void putBit(u8* b, std::size_t p, bool v, bool msb) {
    const unsigned k = unsigned(p % 8);
    const u8 m = u8(1u << (msb ? 7 - k : k));
    b[p / 8] = u8(v ? (b[p / 8] | m) : (b[p / 8] & ~m));
}

void bitCopyFamily(bool msb, VekStatus (*cp)(const Vek8u*, int, Vek8u*, int, int)) {
    vt::Rng r;
    std::vector<int> lens;
    for (int n = 1; n <= 200; ++n) lens.push_back(n);
    for (int n : {255, 256, 257, 511, 1000, 4099, 65536 + 13}) lens.push_back(n);
    for (int len : lens) {
        for (int so = 0; so < 8; ++so) {
            for (int dof = 0; dof < 8; ++dof) {
                SCOPED_TRACE(testing::Message() << "len " << len << " offsets " << so << " " << dof);
                const std::size_t sb = std::size_t(so + len + 7) / 8, db = std::size_t(dof + len + 7) / 8;
                vt::Guarded<u8> src(sb);
                randomBytes(r, src.data(), sb);
                std::vector<u8> before(db + 2), ref;
                randomBytes(r, before.data(), before.size());
                ref = before;
                for (int i = 0; i < len; ++i)
                    putBit(ref.data() + 1, std::size_t(dof + i), getBit(src.data(), std::size_t(so + i), msb), msb);
                std::vector<u8> dst = before;
                ASSERT_EQ(cp(src.data(), so, dst.data() + 1, dof, len), vekStsNoErr);
                ASSERT_EQ(dst, ref);
                if (len > 300 && so != dof) break;   // large strings: a few offset pairs
            }
        }
    }
    // Offsets of 8 or more address the following bytes.
    u8 src[8] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    for (int len : {5, 20, 40}) {
        u8 a[8] = {}, b[8] = {};
        ASSERT_EQ(cp(src, 13, a, 10, len), vekStsNoErr);
        ASSERT_EQ(cp(src + 1, 5, b + 1, 2, len), vekStsNoErr);
        EXPECT_EQ(std::memcmp(a, b, 8), 0) << len;
    }
    // Pointers first, then a negative offset or len < 1; nothing written.
    vt::Sentinel<u8> d(4);
    EXPECT_EQ(cp(nullptr, -1, d.data(), 0, 0), vekStsNullPtrErr);
    EXPECT_EQ(cp(src, 0, nullptr, -1, 0), vekStsNullPtrErr);
    EXPECT_EQ(cp(src, -1, d.data(), 0, 8), vekStsSizeErr);
    EXPECT_EQ(cp(src, 0, d.data(), -1, 8), vekStsSizeErr);
    EXPECT_EQ(cp(src, 0, d.data(), 0, 0), vekStsSizeErr);
    EXPECT_EQ(cp(src, 0, d.data(), 0, -3), vekStsSizeErr);
    EXPECT_TRUE(d.untouched());
}

TEST(DataMove, BitCopies) {
    bitCopyFamily(true, veksCopyLE_1u);
    bitCopyFamily(false, veksCopyBE_1u);
    const Vek8u s = 0xF0;
    Vek8u d = 0x00;
    ASSERT_EQ(veksCopyLE_1u(&s, 0, &d, 4, 4), vekStsNoErr);
    EXPECT_EQ(d, 0x0F);
    d = 0x00;
    ASSERT_EQ(veksCopyBE_1u(&s, 0, &d, 4, 4), vekStsNoErr);
    EXPECT_EQ(d, 0x00);
}

}  // namespace
