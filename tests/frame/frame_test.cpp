// Version record, typed allocation and the core library.
#include <cstring>

#include "helpers.h"
#include "vekcore.h"

TEST(Version, RecordIsConstantAndExact) {
    const VekLibraryVersion* v = veksGetLibVersion();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v, veksGetLibVersion());
    EXPECT_EQ(v->major, 2019);
    EXPECT_EQ(v->minor, 0);
    EXPECT_EQ(v->update, 0);
    EXPECT_EQ(v->revision, 59881);
    EXPECT_STREQ(v->cpuTag, "h9");
    EXPECT_EQ(v->cpuTag[2], 0);
    EXPECT_EQ(v->cpuTag[3], 0);
    EXPECT_STREQ(v->name, "vekSP AVX2 (h9)");
    EXPECT_STREQ(v->version, "2019.0.0 Gold (r59881)");
    EXPECT_STREQ(v->buildDate, "Jul 11 2018");
}

// Each typed allocator with its element size, through one table.
struct Alloc {
    const char* name;
    void* (*plain)(int);
    void* (*wide)(VekSizeL);
    int elem;
};
#define VT_ALLOC(T, sz)                                                     \
    Alloc{#T, [](int n) -> void* { return veksMalloc_##T(n); },            \
          [](VekSizeL n) -> void* { return veksMalloc_##T##_L(n); }, sz}
static const Alloc kAllocs[] = {
    VT_ALLOC(8u, 1),   VT_ALLOC(8s, 1),   VT_ALLOC(8sc, 2),  VT_ALLOC(16u, 2),
    VT_ALLOC(16s, 2),  VT_ALLOC(16sc, 4), VT_ALLOC(32u, 4),  VT_ALLOC(32s, 4),
    VT_ALLOC(32sc, 8), VT_ALLOC(32f, 4),  VT_ALLOC(32fc, 8), VT_ALLOC(64s, 8),
    VT_ALLOC(64sc, 16), VT_ALLOC(64f, 8), VT_ALLOC(64fc, 16),
};

TEST(Malloc, AlignedUsableAndFreed) {
    for (const Alloc& a : kAllocs) {
        SCOPED_TRACE(a.name);
        for (int n : {1, 3, 1000}) {
            void* p = a.plain(n);
            void* q = a.wide(n);
            ASSERT_NE(p, nullptr);
            ASSERT_NE(q, nullptr);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 64, 0u);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(q) % 64, 0u);
            std::memset(p, 1, std::size_t(n) * a.elem);   // the whole block is usable
            std::memset(q, 1, std::size_t(n) * a.elem);
            veksFree(p);
            veksFree(q);
        }
    }
    veksFree(nullptr);
}

TEST(Malloc, RejectsBadLengthsAndOverflow) {
    for (const Alloc& a : kAllocs) {
        SCOPED_TRACE(a.name);
        EXPECT_EQ(a.plain(0), nullptr);
        EXPECT_EQ(a.plain(-1), nullptr);
        EXPECT_EQ(a.wide(0), nullptr);
        EXPECT_EQ(a.wide(-5), nullptr);
        // The first count whose byte size exceeds the signed 32-bit range.
        if (a.elem > 1) { EXPECT_EQ(a.plain(int(2147483647LL / a.elem + 1)), nullptr); }
        // The byte size must fit the long size type.
        const VekSizeL big = PTRDIFF_MAX / a.elem + 1;
        if (a.elem > 1) { EXPECT_EQ(a.wide(big), nullptr); }
        EXPECT_EQ(a.wide(PTRDIFF_MAX), nullptr);
    }
    // 268435455 complex floats are 2147483640 bytes: within range (may be refused by the
    // system, never by the size check); one more is over.
    void* p = veksMalloc_32fc(268435455);
    veksFree(p);
    EXPECT_EQ(veksMalloc_32fc(268435456), nullptr);
    EXPECT_EQ(veksMalloc_8u(-1), nullptr);
}

TEST(Core, AllocAlignAndQueries) {
    EXPECT_EQ(vekMalloc(0), nullptr);
    EXPECT_EQ(vekMalloc_L(-1), nullptr);
    void* p = vekMalloc(100);
    ASSERT_NE(p, nullptr);
    vekFree(p);
    vekFree(nullptr);

    alignas(64) char buf[128];
    EXPECT_EQ(vekAlignPtr(buf, 32), buf);
    EXPECT_EQ(vekAlignPtr(buf + 1, 32), buf + 32);
    EXPECT_EQ(vekAlignPtr(buf + 32, 32), buf + 32);

    int size = -7;
    EXPECT_EQ(vekGetMaxCacheSizeB(nullptr), -8);
    if (vekGetMaxCacheSizeB(&size) == 0) {
        EXPECT_GE(size, 32 * 1024);   // at least an L1's worth on any AVX2 processor
    } else {
        EXPECT_EQ(size, -7);          // nothing written when no size is known
    }

    // This library targets AVX2/FMA/F16C processors: the mask must say so.
    EXPECT_NE(ownGetFeature(vekCPUID_F16C), 0);
    EXPECT_NE(ownGetFeature(vekCPUID_AVX2 | vekCPUID_FMA | vekCPUID_BMI2), 0);
    EXPECT_NE(ownGetFeature(vekCPUID_SSE2), 0);
    EXPECT_EQ(ownGetFeature(1ULL << 62), 0);   // an undefined bit is never set
}
