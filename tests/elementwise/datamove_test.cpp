// Data movement, bit logic and shifts: every member against a byte-wise reference over
// lengths that reach every head/body/tail path, at misaligned addresses and against a
// guard page; Move with overlap in both directions; shift counts at every boundary; bit
// copies at every pair of offsets with merged edge bytes; every status in validation
// order with sentinel destinations.
#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include "helpers.h"
#include "vekcore.h"
#include "../../frame/manifest.h"

namespace {

using u8 = std::uint8_t;

const int kOffsets[] = {0, 1, 5, 8, 16, 31};   // byte offsets of the destination and source

std::vector<int> lengths(std::size_t elem) {
    std::vector<int> v = vt::shortLengths();
    for (int n : {128, 255, 4097}) v.push_back(n);
    if (elem <= 2) v.push_back(65537);
    return v;
}
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

// Runs call(x, y, d, n) on random sources with the destination at every offset, holding
// a copy of x on entry (the operand of the in-place forms); byte k of the result must be
// want(x, y, k, n) for n elements of E bytes, and nothing outside it may change.
using Call = std::function<VekStatus(const u8* x, const u8* y, u8* d, int n)>;
using Want = std::function<u8(const u8* x, const u8* y, std::size_t k, std::size_t n)>;
void sweep(const char* what, std::size_t E, const Call& call, const Want& want, const std::vector<int>& lens,
           const std::vector<int>& offs = {std::begin(kOffsets), std::end(kOffsets)}) {
    SCOPED_TRACE(what);
    vt::Rng r;
    for (int n : lens) {
        const std::size_t B = std::size_t(n) * E;
        std::vector<u8> src(2 * B + 96), ref(B);
        randomBytes(r, src.data(), src.size());
        for (int off : offs) {
            const u8* x = src.data() + (off * 7) % 32;
            const u8* y = src.data() + B + 32 + off;
            for (std::size_t k = 0; k < B; ++k) ref[k] = want(x, y, k, std::size_t(n));
            Dst d(B, off);
            std::memcpy(d.p(), x, B);
            ASSERT_EQ(call(x, y, d.p(), n), vekStsNoErr) << "n " << n << " offset " << off;
            ASSERT_EQ(std::memcmp(d.p(), ref.data(), B), 0) << "n " << n << " offset " << off;
            ASSERT_TRUE(d.frontIntact()) << "n " << n << " offset " << off;
        }
    }
}
template <class T> const T* in(const u8* p) { return reinterpret_cast<const T*>(p); }
template <class T> T* out(u8* p) { return reinterpret_cast<T*>(p); }
template <class T> T first(const u8* y) { T v; std::memcpy(&v, y, sizeof v); return v; }   // the constant

// ---- Copy, Move, Set, Zero -------------------------------------------------------------
template <class T>
void copyFamily(VekStatus (*copy)(const T*, T*, int), VekStatus (*move)(const T*, T*, int),
                VekStatus (*set)(T, T*, int), VekStatus (*zero)(T*, int)) {
    constexpr std::size_t E = sizeof(T);
    const auto lens = lengths(E);
    const Want same = [](const u8* x, const u8*, std::size_t k, std::size_t) { return x[k]; };
    sweep("Copy", E, [copy](const u8* x, const u8*, u8* d, int n) { return copy(in<T>(x), out<T>(d), n); }, same, lens);
    sweep("Move", E, [move](const u8* x, const u8*, u8* d, int n) { return move(in<T>(x), out<T>(d), n); }, same, lens);
    sweep("Set", E, [set](const u8*, const u8* y, u8* d, int n) { return set(first<T>(y), out<T>(d), n); },
          [](const u8*, const u8* y, std::size_t k, std::size_t) { return y[k % E]; }, lens);
    sweep("Zero", E, [zero](const u8*, const u8*, u8* d, int n) { return zero(out<T>(d), n); },
          [](const u8*, const u8*, std::size_t, std::size_t) { return u8(0); }, lens);
    // Move within one buffer, destination before and after the source.
    vt::Rng r;
    for (int n : lens) {
        const std::size_t B = std::size_t(n) * E;
        for (long delta : {1L, 3L, long(E), 31L, 32L, 33L, 100L, long(B / 2), long(B) - 1}) {
            if (delta < 1 || std::size_t(delta) >= B + 1) continue;
            for (int sign : {-1, 1}) {
                std::vector<u8> buf(B + std::size_t(delta) + 64), ref;
                randomBytes(r, buf.data(), buf.size());
                ref = buf;
                const std::size_t so = sign > 0 ? 7 : 7 + std::size_t(delta), dO = sign > 0 ? 7 + std::size_t(delta) : 7;
                std::memmove(ref.data() + dO, ref.data() + so, B);
                ASSERT_EQ(move(in<T>(buf.data() + so), out<T>(buf.data() + dO), n), vekStsNoErr);
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
// Destination byte k of n elements of E bytes is source byte map(k, n); Flip on one
// vector (pSrc == pDst) must work as its in-place form does.
template <class T>
void permFamily(std::size_t E, std::size_t (*map)(std::size_t, std::size_t, std::size_t), VekStatus (*f)(const T*, T*, int),
                VekStatus (*fI)(T*, int), bool aliasOk) {
    const Want want = [map, E](const u8* x, const u8*, std::size_t k, std::size_t n) { return x[map(k, n, E)]; };
    const auto lens = lengths(E);
    sweep("out of place", E, [f](const u8* x, const u8*, u8* d, int n) { return f(in<T>(x), out<T>(d), n); }, want, lens);
    sweep("in place", E, [fI](const u8*, const u8*, u8* d, int n) { return fI(out<T>(d), n); }, want, lens);
    if (aliasOk) sweep("aliased", E, [f](const u8*, const u8*, u8* d, int n) { return f(in<T>(d), out<T>(d), n); }, want, lens);
}
std::size_t flipMap(std::size_t k, std::size_t n, std::size_t E) { return (n - 1 - k / E) * E + k % E; }
std::size_t swapMap(std::size_t k, std::size_t, std::size_t E) { return k - k % E + E - 1 - k % E; }

TEST(DataMove, FlipAndSwapBytes) {
    permFamily<Vek8u>(1, flipMap, veksFlip_8u, veksFlip_8u_I, true);
    permFamily<Vek16u>(2, flipMap, veksFlip_16u, veksFlip_16u_I, true);
    permFamily<Vek32f>(4, flipMap, veksFlip_32f, veksFlip_32f_I, true);
    permFamily<Vek64f>(8, flipMap, veksFlip_64f, veksFlip_64f_I, true);
    permFamily<Vek32fc>(8, flipMap, veksFlip_32fc, veksFlip_32fc_I, true);
    permFamily<Vek64fc>(16, flipMap, veksFlip_64fc, veksFlip_64fc_I, true);
    permFamily<Vek16u>(2, swapMap, veksSwapBytes_16u, veksSwapBytes_16u_I, false);
    permFamily<Vek8u>(3, swapMap, veksSwapBytes_24u, veksSwapBytes_24u_I, false);
    permFamily<Vek32u>(4, swapMap, veksSwapBytes_32u, veksSwapBytes_32u_I, false);
    permFamily<Vek64u>(8, swapMap, veksSwapBytes_64u, veksSwapBytes_64u_I, false);
}

// ---- logic: byte by byte with the other vector or the constant's bytes ---------------------
template <class T> struct LogicFns {
    VekStatus (*bin)(const T*, const T*, T*, int);
    VekStatus (*binI)(const T*, T*, int);
    VekStatus (*c)(const T*, T, T*, int);
    VekStatus (*cI)(T, T*, int);
};
template <class T>
void logicFamily(const LogicFns<T> (&f)[3], VekStatus (*notv)(const T*, T*, int), VekStatus (*notI)(T*, int)) {
    constexpr std::size_t E = sizeof(T);
    const auto lens = lengths(E);
    for (int op = 0; op < 3; ++op) {
        SCOPED_TRACE(op == 0 ? "and" : op == 1 ? "or" : "xor");
        auto g = [op](u8 a, u8 b) { return u8(op == 0 ? a & b : op == 1 ? a | b : a ^ b); };
        const Want vec = [g](const u8* x, const u8* y, std::size_t k, std::size_t) { return g(x[k], y[k]); };
        const Want con = [g](const u8* x, const u8* y, std::size_t k, std::size_t) { return g(x[k], y[k % E]); };
        const LogicFns<T> h = f[op];
        sweep("binary", E, [h](const u8* x, const u8* y, u8* d, int n) { return h.bin(in<T>(x), in<T>(y), out<T>(d), n); }, vec, lens);
        sweep("binary in place", E, [h](const u8*, const u8* y, u8* d, int n) { return h.binI(in<T>(y), out<T>(d), n); }, vec, lens);
        sweep("constant", E, [h](const u8* x, const u8* y, u8* d, int n) { return h.c(in<T>(x), first<T>(y), out<T>(d), n); }, con, lens);
        sweep("constant in place", E, [h](const u8*, const u8* y, u8* d, int n) { return h.cI(first<T>(y), out<T>(d), n); }, con, lens);
    }
    const Want inv = [](const u8* x, const u8*, std::size_t k, std::size_t) { return u8(~x[k]); };
    sweep("not", E, [notv](const u8* x, const u8*, u8* d, int n) { return notv(in<T>(x), out<T>(d), n); }, inv, lens);
    sweep("not in place", E, [notI](const u8*, const u8*, u8* d, int n) { return notI(out<T>(d), n); }, inv, lens);
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
    if (std::is_signed_v<T>) return T(x >> std::min<long long>(c, W - 1));   // arithmetic on the signed type
    return c >= W ? T(0) : T(U(x) >> c);
}
template <class T>
void shiftFamily(bool left, VekStatus (*sh)(const T*, int, T*, int), VekStatus (*shI)(int, T*, int)) {
    constexpr int W = int(8 * sizeof(T));
    std::vector<int> counts;
    for (int c = 0; c <= W + 2; ++c) counts.push_back(c);
    for (int c : {2 * W, 100, INT_MAX}) counts.push_back(c);
    const std::vector<int> lens = {1, 2, 7, 8, 15, 16, 17, 31, 33, 64, 65, 100, 221, 1001}, offs = {0, int(sizeof(T))};
    for (int c : counts) {
        SCOPED_TRACE(testing::Message() << "count " << c << (left ? " left" : " right"));
        const Want want = [c, left](const u8* x, const u8*, std::size_t k, std::size_t) {
            const T v = refShift(first<T>(x + k / sizeof(T) * sizeof(T)), c, left);
            return reinterpret_cast<const u8*>(&v)[k % sizeof(T)];
        };
        sweep("out of place", sizeof(T), [sh, c](const u8* x, const u8*, u8* d, int n) { return sh(in<T>(x), c, out<T>(d), n); }, want, lens, offs);
        sweep("in place", sizeof(T), [shI, c](const u8*, const u8*, u8* d, int n) { return shI(c, out<T>(d), n); }, want, lens, offs);
    }
    // Pointers and length come before the count's sign; a negative count writes nothing.
    for (int c : {-1, INT_MIN}) {
        vt::checkBadValue("shift", sh, 1, c, vekStsShiftErr);
        vt::checkBadValue("shift in place", shI, 0, c, vekStsShiftErr);
    }
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
}

// Null pointers in argument order, len < 1, nothing written, MXCSR kept, for every
// export but the bit copies (checked below: their offsets sit between the pointers).
template <class F> void probe(const char* name, F f) { vt::checkStatuses(name, f, 64); }
void probe(const char*, VekStatus (*)(const Vek8u*, int, Vek8u*, int, int)) {}
#undef VEKFNR
#define VEKFNR(ret, name, ...) probe("veks" #name, veks##name), ++count;
TEST(DataMove, Statuses) {
    int count = 0;
#include "../../elementwise/datamove.def"
#include "../../elementwise/bitlogic.def"
    EXPECT_EQ(count, 44 + 12 + 8 + 2 + 42 + 16);   // copies, flips, swaps, bit copies, logic, shifts
}

// ---- bit copies ------------------------------------------------------------------------
// Bit p of a string starting at byte b: MSB-first or LSB-first numbering.
bool getBit(const u8* b, std::size_t p, bool msb) { return (b[p / 8] >> (msb ? 7 - p % 8 : p % 8)) & 1; }
void putBit(u8* b, std::size_t p, bool v, bool msb) {
    const u8 m = u8(1u << (msb ? 7 - p % 8 : p % 8));
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
                std::vector<u8> dst(db + 2), ref;
                randomBytes(r, dst.data(), dst.size());
                ref = dst;
                for (int i = 0; i < len; ++i)
                    putBit(ref.data() + 1, std::size_t(dof + i), getBit(src.data(), std::size_t(so + i), msb), msb);
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
}

}  // namespace
