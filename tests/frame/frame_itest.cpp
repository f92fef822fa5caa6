// Internal frame vocabulary: the scale-factor rule, saturation, the MXCSR guard and the
// spec layout helpers that every family builds on.
#include <climits>

#include "common.h"
#include "helpers.h"
#include "spec.h"

// The scale rule against the exact reference, for every scale factor from -70 to 70 and
// the extremes, on edges (ties among them) and random values of every magnitude.
TEST(ScaleFactor, MatchesWideReference) {
    vt::Rng rng;
    std::vector<std::int64_t> vals = {0, 1, -1, 2, -2, 3, -3, 5, -5, 7, INT64_MAX, INT64_MIN, INT64_MAX - 1,
                                      INT64_MIN + 1, 32767, -32768, 65534, 65535, INT_MAX, INT_MIN};
    for (int i = 0; i < 2000; ++i) vals.push_back(std::int64_t(rng.bits()) >> (rng.bits() % 64));
    std::vector<int> sfs = {INT_MIN, INT_MAX};
    for (int s = -70; s <= 70; ++s) sfs.push_back(s);
    for (int s : sfs) {
        for (std::int64_t r : vals) {
            const vt::i128 want = vt::refScale(r, s);
            ASSERT_EQ(vek::scaleSat<Vek16s>(r, s), vt::refSat<Vek16s>(want)) << r << " sf " << s;
            ASSERT_EQ(vek::scaleSat<Vek8u>(r, s), vt::refSat<Vek8u>(want)) << r << " sf " << s;
            ASSERT_EQ(vek::scaleSat<Vek32s>(r, s), vt::refSat<Vek32s>(want)) << r << " sf " << s;
            ASSERT_EQ(vek::scaleSat<Vek32u>(r, s), vt::refSat<Vek32u>(want)) << r << " sf " << s;
        }
    }
}

TEST(Saturation, AcrossTypes) {
    // Signed and unsigned sources of every width, clamped to every destination.
    for (std::uint64_t u : {0ull, 1ull, 127ull, 128ull, 255ull, 256ull, 32767ull, 32768ull, 65535ull, 65536ull,
                            0x7fffffffull, 0x80000000ull, 0xffffffffull, 1ull << 40, 1ull << 63, ~0ull}) {
        const std::int64_t s = std::int64_t(u);
        const vt::i128 su = vt::i128(u), ss = vt::i128(s);
        EXPECT_EQ(vek::sat<Vek8u>(s), vt::refSat<Vek8u>(ss)) << s;
        EXPECT_EQ(vek::sat<Vek8s>(s), vt::refSat<Vek8s>(ss)) << s;
        EXPECT_EQ(vek::sat<Vek16u>(u), vt::refSat<Vek16u>(su)) << u;
        EXPECT_EQ(vek::sat<Vek32s>(std::uint32_t(u)), vt::refSat<Vek32s>(vt::i128(std::uint32_t(u)))) << u;
        EXPECT_EQ(vek::sat<Vek32s>(std::int32_t(u)), vt::refSat<Vek32s>(vt::i128(std::int32_t(u)))) << u;
        EXPECT_EQ(vek::sat<Vek64s>(u), vt::refSat<Vek64s>(su)) << u;
        EXPECT_EQ(vek::sat<Vek32u>(s), vt::refSat<Vek32u>(ss)) << s;
        EXPECT_EQ(vek::sat<Vek64u>(s), vt::refSat<Vek64u>(ss)) << s;
    }
    EXPECT_EQ(vek::satFromDouble<Vek16s>(1e10), 32767);
    EXPECT_EQ(vek::satFromDouble<Vek16s>(-1e10), -32768);
    EXPECT_EQ(vek::satFromDouble<Vek16s>(2.5), 2);
    EXPECT_EQ(vek::satFromDouble<Vek16s>(__builtin_nan("")), 0);
    EXPECT_EQ(vek::pow2neg(3), 0.125);
    EXPECT_EQ(vek::pow2neg(-1074), __builtin_inf());
    EXPECT_EQ(vek::pow2neg(1074), 0x1p-1074);
    EXPECT_EQ(vek::pow2neg(1075), 0.0);
}

TEST(Mxcsr, GuardSetsAndRestores) {
    vt::expectMxcsrKept([] {
        vek::MxcsrGuard g(vek::MxcsrGuard::kRoundZero, vek::MxcsrGuard::kRoundMask);
        EXPECT_EQ(_mm_getcsr() & 0x6000u, 0x6000u);
        volatile float a = 1.0f, b = 3.0f;
        volatile float c = a / b;   // raises the inexact flag inside
        (void)c;
    });
    vt::expectMxcsrKept([] {
        vek::IeeeEnv env;
        EXPECT_EQ(_mm_getcsr() & 0xE040u, 0u);   // nearest, no FTZ, no DAZ
        EXPECT_EQ(_mm_getcsr() & 0x1F80u, 0x1F80u);
    });
}

namespace {
struct DemoSpec {
    std::uint32_t id;
    int n;
    std::size_t tabOff;
};
vek::Layout demoLayout(int n) {
    vek::Layout l(64);
    l.header<DemoSpec>();
    l.array<double>(std::size_t(n), 64);
    return l;
}
}  // namespace

TEST(SpecLayout, SizeCoversAnyPlacementAndIdsCheck) {
    for (int n : {1, 7, 100}) {
        vek::Layout l = demoLayout(n);
        ASSERT_TRUE(l.ok());
        std::vector<std::uint8_t> mem(l.bytes() + 64);
        for (std::size_t shift = 0; shift < 64; ++shift) {
            std::fill(mem.begin(), mem.end(), 0xEE);
            std::uint8_t* block = mem.data() + shift;
            auto* s = vek::placeSpec<DemoSpec>(block, l, 77);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s) % 64, 0u);
            EXPECT_TRUE(vek::hasId(s, 77));
            EXPECT_FALSE(vek::hasId(s, 78));
            vek::Layout again = demoLayout(n);
            // The last sub-block ends inside the caller's block.
            auto* end = reinterpret_cast<std::uint8_t*>(s) + (again.bytes() - 63);
            EXPECT_LE(end, block + l.bytes());
        }
    }
    vek::Layout huge(64);
    huge.array<double>(SIZE_MAX / 4);
    EXPECT_FALSE(huge.ok());
    EXPECT_EQ(huge.bytes32(), -1);
}
