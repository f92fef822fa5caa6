// Internal frame vocabulary: the scale-factor rule, saturation, the MXCSR guard and the
// spec layout helpers that every family builds on.
#include <climits>

#include "common.h"
#include "helpers.h"
#include "spec.h"

namespace {

// r / 2^s with ties to even, written independently of the kernel: compare the
// remainder with half the divisor in 128-bit arithmetic.
__int128 refScale(__int128 r, int s) {
    if (s <= 0) return s < -60 ? (r > 0 ? (__int128(1) << 100) : r < 0 ? -(__int128(1) << 100) : 0)
                                : r * (__int128(1) << -s);
    if (s > 100) return 0;
    __int128 d = __int128(1) << s;
    __int128 q = r / d, rem = r % d;
    if (rem < 0) { rem += d; q -= 1; }   // floor division
    if (2 * rem > d || (2 * rem == d && (q & 1))) q += 1;
    return q;
}

template <class T>
T refSat(__int128 v) {
    if (v < __int128(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (v > __int128(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return T(v);
}

}  // namespace

TEST(ScaleFactor, ExamplesOfTheRule) {
    EXPECT_EQ(vek::scaleSat<Vek16s>(3, 1), 2);
    EXPECT_EQ(vek::scaleSat<Vek16s>(5, 1), 2);
    EXPECT_EQ(vek::scaleSat<Vek16s>(-3, 1), -2);
    EXPECT_EQ(vek::scaleSat<Vek16s>(-5, 1), -2);
    EXPECT_EQ(vek::scaleSat<Vek16s>(7, 1), 4);
    EXPECT_EQ(vek::scaleSat<Vek16s>(1, -15), 32767);
    EXPECT_EQ(vek::scaleSat<Vek16s>(0, -15), 0);
    EXPECT_EQ(vek::scaleSat<Vek16s>(-1, -15), -32768);
    EXPECT_EQ(vek::scaleSat<Vek16s>(-1, -16), -32768);
    EXPECT_EQ(vek::scaleSat<Vek16s>(65534, 17), 0);
    EXPECT_EQ(vek::scaleSat<Vek8u>(-1, 0), 0);
    EXPECT_EQ(vek::scaleSat<Vek32s>(INT64_MAX, 0), INT_MAX);
    EXPECT_EQ(vek::scaleSat<Vek32s>(INT64_MIN, 64), 0);
    EXPECT_EQ(vek::scaleSat<Vek32s>(INT64_MIN, 63), -1);   // exactly -1
    EXPECT_EQ(vek::scaleSat<Vek32s>(INT_MIN, INT_MAX), 0);
    EXPECT_EQ(vek::scaleSat<Vek32s>(1, INT_MIN), INT_MAX);
}

TEST(ScaleFactor, MatchesWideReference) {
    vt::Rng rng;
    std::vector<std::int64_t> vals = {0, 1, -1, 2, -2, 3, -3, INT64_MAX, INT64_MIN, INT64_MAX - 1,
                                      INT64_MIN + 1, 32767, -32768, 65535, INT_MAX, INT_MIN};
    for (int i = 0; i < 2000; ++i) {
        std::int64_t v = std::int64_t(rng.bits());
        vals.push_back(v >> (rng.bits() % 64));
    }
    for (int s = -70; s <= 70; ++s) {
        for (std::int64_t r : vals) {
            __int128 want = refScale(r, s);
            ASSERT_EQ(vek::scaleSat<Vek16s>(r, s), refSat<Vek16s>(want)) << r << " sf " << s;
            ASSERT_EQ(vek::scaleSat<Vek8u>(r, s), refSat<Vek8u>(want)) << r << " sf " << s;
            ASSERT_EQ(vek::scaleSat<Vek32s>(r, s), refSat<Vek32s>(want)) << r << " sf " << s;
            ASSERT_EQ(vek::scaleSat<Vek32u>(r, s), refSat<Vek32u>(want)) << r << " sf " << s;
        }
    }
}

TEST(Saturation, AcrossTypes) {
    EXPECT_EQ(vek::sat<Vek8u>(300), 255);
    EXPECT_EQ(vek::sat<Vek8u>(-3), 0);
    EXPECT_EQ(vek::sat<Vek8s>(-300), -128);
    EXPECT_EQ(vek::sat<Vek16u>(std::uint64_t(1) << 40), 65535);
    EXPECT_EQ(vek::sat<Vek32s>(std::uint32_t(0x80000000u)), INT_MAX);
    EXPECT_EQ(vek::sat<Vek64s>(UINT64_MAX), INT64_MAX);
    EXPECT_EQ(vek::sat<Vek32u>(INT64_MIN), 0u);
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
