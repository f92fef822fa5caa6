// The portable binary16 routines against the F16C path: every binary16 value to single
// precision, and single precision to binary16 at every rounding boundary, both
// directions of rounding; the 16s path on every value.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "elementwise/convert.h"

namespace {

namespace h = vek::cv::half;

float fbits(std::uint32_t b) { float f; std::memcpy(&f, &b, 4); return f; }

std::vector<float> boundaries() {
    std::vector<float> v;
    for (std::uint32_t x = 0; x < 0x10000; ++x) {
        const float a = vek::bitCast<float>(h::toFloatBits(std::uint16_t(x)));
        v.push_back(a);
        v.push_back(std::nextafter(a, 0.0f));
        v.push_back(std::nextafter(a, 1e30f));
        v.push_back(-std::nextafter(a, 1e30f));
        // the midpoint to the next value and its neighbours
        const float b = vek::bitCast<float>(h::toFloatBits(std::uint16_t(x + 1)));
        if (std::isfinite(a) && std::isfinite(b)) {
            const float m = float((double(a) + double(b)) / 2);
            v.push_back(m);
            v.push_back(std::nextafter(m, 0.0f));
            v.push_back(std::nextafter(m, 1e30f));
        }
    }
    for (std::uint32_t b : {0x477ff000u, 0x477fefffu, 0x47800000u, 0x7f7fffffu, 0x33000000u, 0x33000001u, 0x32ffffffu,
                            0x00000001u, 0x007fffffu, 0x7f800001u, 0x7fbfffffu, 0xffc00001u, 0x7f802000u})
        v.push_back(fbits(b));
    return v;
}

TEST(ConvertHalf, ProcessorHasF16C) { EXPECT_TRUE(h::hasF16C()); }

TEST(ConvertHalf, ToFloatPathsAgree) {
    std::vector<std::uint16_t> s(65536 + 3);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = std::uint16_t(i);
    std::vector<float> a(s.size()), b(s.size());
    h::toFloat(s.data(), a.data(), s.size(), true);
    h::toFloat(s.data(), b.data(), s.size(), false);
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * 4), 0);
    for (std::size_t i = 0; i < s.size(); ++i)
        ASSERT_EQ(vek::bitCast<std::uint32_t>(a[i]), vek::bitCast<std::uint32_t>(b[i])) << std::hex << s[i];
}

TEST(ConvertHalf, FromFloatPathsAgree) {
    const auto v = boundaries();
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
