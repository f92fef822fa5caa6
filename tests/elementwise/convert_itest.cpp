// The portable binary16 routines against the F16C path: every binary16 value to single
// precision, and single precision to binary16 at every rounding boundary, both
// directions of rounding; the 16s path on every value.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "elementwise/convert.h"
#include "helpers.h"

namespace {

namespace h = vek::cv::half;

TEST(ConvertHalf, ProcessorHasF16C) { EXPECT_TRUE(h::hasF16C()); }

TEST(ConvertHalf, ToFloatPathsAgree) {
    std::vector<std::uint16_t> s(65536 + 3);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = std::uint16_t(i);
    std::vector<float> a(s.size()), b(s.size());
    h::toFloat(s.data(), a.data(), s.size(), true);
    h::toFloat(s.data(), b.data(), s.size(), false);
    for (std::size_t i = 0; i < s.size(); ++i)
        ASSERT_EQ(vek::bitCast<std::uint32_t>(a[i]), vek::bitCast<std::uint32_t>(b[i])) << std::hex << s[i];
}

TEST(ConvertHalf, FromFloatPathsAgree) {
    const auto v = vt::halfBoundaries();
    std::vector<std::uint16_t> a(v.size()), b(v.size());
    for (bool rz : {false, true}) {
        h::fromFloat(v.data(), a.data(), v.size(), rz, true);
        h::fromFloat(v.data(), b.data(), v.size(), rz, false);
        for (std::size_t i = 0; i < v.size(); ++i)
            ASSERT_EQ(a[i], b[i]) << std::hex << vek::bitCast<std::uint32_t>(v[i]) << " rz " << rz;
    }
}

TEST(ConvertHalf, FromInt16PathsAgree) {
    std::vector<std::int16_t> s(65536 + 5);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = std::int16_t(i);
    std::vector<std::uint16_t> a(s.size()), b(s.size());
    for (bool rz : {false, true}) {
        h::fromInt16(s.data(), a.data(), s.size(), rz, true);
        h::fromInt16(s.data(), b.data(), s.size(), rz, false);
        for (std::size_t i = 0; i < s.size(); ++i) ASSERT_EQ(a[i], b[i]) << s[i] << " rz " << rz;
    }
}

}  // namespace
