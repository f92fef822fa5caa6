// helpers.h - shared test vocabulary: guarded buffers that prove nothing was written
// outside (or at all, on error), seeded randomness, MXCSR checks, lengths that reach
// every body/tail path.
#pragma once

#include <gtest/gtest.h>
#include <immintrin.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "veks.h"

namespace vt {

constexpr std::uint8_t kSentinel = 0xA5;

// Elements placed so that the last byte ends right before a PROT_NONE page: any read
// or write past the end faults. The bytes before the data are a sentinel zone that
// untouched() also checks. The end is page-aligned, so the start's alignment varies
// with n; use data() + k of a longer buffer to test other heads.
template <class T>
class Guarded {
public:
    explicit Guarded(std::size_t n) : n_(n) {
        page_ = std::size_t(sysconf(_SC_PAGESIZE));
        std::size_t bytes = n * sizeof(T) + 64;
        data_pages_ = (bytes + page_ - 1) / page_;
        base_ = static_cast<std::uint8_t*>(mmap(nullptr, (data_pages_ + 1) * page_,
                                                PROT_READ | PROT_WRITE,
                                                MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        if (base_ == MAP_FAILED) std::abort();
        mprotect(base_ + data_pages_ * page_, page_, PROT_NONE);
        std::memset(base_, kSentinel, data_pages_ * page_);
        ptr_ = reinterpret_cast<T*>(base_ + data_pages_ * page_ - n * sizeof(T));
    }
    ~Guarded() { munmap(base_, (data_pages_ + 1) * page_); }
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;

    T* data() { return ptr_; }
    const T* data() const { return ptr_; }
    std::size_t size() const { return n_; }
    T& operator[](std::size_t i) { return ptr_[i]; }
    const T& operator[](std::size_t i) const { return ptr_[i]; }

    void fill(std::uint8_t byte) { std::memset(ptr_, byte, n_ * sizeof(T)); }
    // True when every byte of the mapping (the elements included) still holds the
    // sentinel: use after a call that must not write.
    bool untouched() const {
        for (std::size_t i = 0; i < data_pages_ * page_; ++i)
            if (base_[i] != kSentinel) return false;
        return true;
    }
    // True when the bytes before the elements still hold the sentinel.
    bool headIntact() const {
        auto* p = reinterpret_cast<const std::uint8_t*>(ptr_);
        for (const std::uint8_t* q = base_; q < p; ++q)
            if (*q != kSentinel) return false;
        return true;
    }

private:
    std::size_t n_, page_, data_pages_;
    std::uint8_t* base_;
    T* ptr_;
};

// A buffer of sentinel bytes for a call that must fail without writing.
template <class T>
struct Sentinel {
    explicit Sentinel(std::size_t n) : v(n) { std::memset(v.data(), kSentinel, n * sizeof(T)); }
    T* data() { return v.data(); }
    bool untouched() const {
        auto* p = reinterpret_cast<const std::uint8_t*>(v.data());
        for (std::size_t i = 0; i < v.size() * sizeof(T); ++i)
            if (p[i] != kSentinel) return false;
        return true;
    }
    std::vector<T> v;
};

// A seeded generator: VEKS_TEST_SEED overrides the default; the seed is printed with
// every failure of the test that made it (SCOPED_TRACE).
inline std::uint64_t testSeed() {
    const char* s = std::getenv("VEKS_TEST_SEED");
    return s ? std::strtoull(s, nullptr, 0) : 0x5eed2019u;
}
struct Rng {
    Rng() : seed(testSeed()), gen(seed), trace(__FILE__, __LINE__, "seed " + std::to_string(seed)) {}
    std::uint64_t seed;
    std::mt19937_64 gen;
    ::testing::ScopedTrace trace;
    std::uint64_t bits() { return gen(); }
    template <class T> T uniformInt() {
        return T(gen());
    }
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); }
};

// Lengths that reach body-only, tail-only and body+tail paths for vectors of 32 bytes
// (lanes of every width), plus a few large odd ones.
inline std::vector<int> testLengths(std::size_t elemBytes) {
    int lanes = int(32 / (elemBytes ? elemBytes : 1));
    if (lanes < 1) lanes = 1;
    std::vector<int> v;
    for (int n = 1; n <= 4 * lanes + 1; ++n) v.push_back(n);
    for (int n : {63, 64, 65, 127, 128, 129, 255, 1000, 1023, 4097, 65537}) v.push_back(n);
    return v;
}

// Every length from 1 to 70 (every remainder of bodies up to 32 lanes, unrolled or not)
// and one long odd length.
inline std::vector<int> shortLengths() {
    std::vector<int> v;
    for (int n = 1; n <= 70; ++n) v.push_back(n);
    v.push_back(1001);
    return v;
}

// Runs f and checks that MXCSR, flags included, is the same afterwards. The caller's
// environment is set to something unusual first (round up, FTZ, DAZ) so a function
// that overwrites it instead of restoring it is caught.
template <class F>
void expectMxcsrKept(F&& f) {
    const unsigned saved = _mm_getcsr();
    const unsigned odd = (saved & ~0xE07Fu) | 0x4000u | 0x8000u | 0x0040u;
    _mm_setcsr(odd);
    f();
    const unsigned after = _mm_getcsr();
    _mm_setcsr(saved);
    EXPECT_EQ(after, odd) << "the caller's MXCSR was changed";
}

// For any export (const T* ..., T* ..., int len, [further ints]): every null pointer in
// argument order gives vekStsNullPtrErr, len < 1 gives vekStsSizeErr, nothing is written
// on an error, and a valid call keeps the caller's MXCSR and returns a non-negative status.
// checkBadValue probes one value argument the same way: set to `bad` it gives `want`,
// after the pointer and length checks, and writes nothing.
template <class T> T valueOf(double v) {
    if constexpr (std::is_arithmetic_v<T>) return T(v);
    else { T t; t.re = decltype(t.re)(v); t.im = decltype(t.im)(v); return t; }
}
template <class T> T valueOne() { return valueOf<T>(1); }
struct ProbeArgs { int len, nullAt, badAt; double bad; };
template <class T, std::size_t I>
T argFor(std::vector<std::vector<std::uint8_t>>& bufs, int lenIdx, const ProbeArgs& a, std::size_t minBytes) {
    if constexpr (std::is_pointer_v<T>) {
        if (int(I) == a.nullAt) return nullptr;
        using E = std::remove_const_t<std::remove_pointer_t<T>>;
        if (bufs[I].empty()) bufs[I].assign(std::max(16 * sizeof(E), minBytes), kSentinel);
        return reinterpret_cast<T>(bufs[I].data());
    } else {
        if (int(I) == a.badAt) return valueOf<T>(a.bad);
        if constexpr (std::is_arithmetic_v<T>) {
            if (int(I) == lenIdx) return T(a.len);
            if (int(I) > lenIdx) return T(1);   // rndMode 1, scaleFactor 1
        }
        return valueOne<T>();
    }
}
template <class... Args, std::size_t... I>
void probeExport(const char* name, VekStatus (*f)(Args...), std::index_sequence<I...>, std::size_t minBytes,
                 int badAt = -1, double bad = 0, VekStatus want = vekStsNoErr) {
    SCOPED_TRACE(name);
    constexpr std::array<bool, sizeof...(Args)> isPtr{std::is_pointer_v<Args>...};
    int lastPtr = -1;
    for (std::size_t i = 0; i < isPtr.size(); ++i) if (isPtr[i]) lastPtr = int(i);
    const int lenIdx = lastPtr + 1;
    std::vector<std::vector<std::uint8_t>> bufs(sizeof...(Args));
    auto call = [&](int len, int nullAt) {
        const ProbeArgs a{len, nullAt, badAt, bad};
        return f(argFor<Args, I>(bufs, lenIdx, a, minBytes)...);
    };
    auto untouched = [&] {
        for (auto& b : bufs) for (auto c : b) if (c != kSentinel) return false;
        return true;
    };
    for (int p = 0; p < int(isPtr.size()); ++p) {
        if (!isPtr[p]) continue;
        EXPECT_EQ(call(8, p), vekStsNullPtrErr) << "null argument " << p;
        EXPECT_EQ(call(0, p), vekStsNullPtrErr) << "null argument " << p << " with len 0";
    }
    EXPECT_EQ(call(0, -1), vekStsSizeErr);
    EXPECT_EQ(call(-1, -1), vekStsSizeErr);
    EXPECT_EQ(call(INT_MIN, -1), vekStsSizeErr);
    if (badAt >= 0) { EXPECT_EQ(call(8, -1), want) << "argument " << badAt << " = " << bad; }
    EXPECT_TRUE(untouched()) << "an error wrote";
    if (badAt >= 0) return;
    VekStatus st = -1;
    expectMxcsrKept([&] { st = call(8, -1); });
    EXPECT_GE(st, 0);
}
template <class... Args>
void checkStatuses(const char* name, VekStatus (*f)(Args...)) {
    probeExport(name, f, std::index_sequence_for<Args...>{}, 0);
}
// The same with buffers of at least minBytes bytes, for exports whose elements are wider
// than the pointer type says (24-bit data passed as bytes).
template <class... Args>
void checkStatuses(const char* name, VekStatus (*f)(Args...), std::size_t minBytes) {
    probeExport(name, f, std::index_sequence_for<Args...>{}, minBytes);
}
template <class... Args>
void checkBadValue(const char* name, VekStatus (*f)(Args...), int at, double bad, VekStatus want) {
    probeExport(name, f, std::index_sequence_for<Args...>{}, 64, at, bad, want);
}

// Exact references for integer results: r x 2^-sf rounded by mode (0 toward zero,
// 1 nearest with ties to even, 2 nearest with ties away), |r| < 2^127. A left shift
// beyond 2^110 gives +-2^110, past every destination range; refSat clamps to D or to
// [lo, hi].
using i128 = __int128;
inline i128 refScale(i128 r, long long sf, int mode = 1) {
    const i128 big = i128(1) << 110;
    if (sf == 0 || r == 0) return r;
    if (sf < 0) {
        if (sf < -110 || (r < 0 ? -r : r) > (big >> -sf)) return r > 0 ? big : -big;
        return r * (i128(1) << -sf);
    }
    using u128 = unsigned __int128;
    const u128 m = r < 0 ? u128(-r) : u128(r);
    if (sf > 127) return 0;
    u128 q = m >> sf;
    const u128 rem = m - (q << sf), half = u128(1) << (sf - 1);
    if (mode == 1 ? rem > half || (rem == half && (q & 1)) : mode != 0 && rem >= half) ++q;
    return r < 0 ? -i128(q) : i128(q);
}
template <class D> D refSat(i128 v, i128 lo = std::numeric_limits<D>::min(), i128 hi = std::numeric_limits<D>::max()) {
    return D(v < lo ? lo : v > hi ? hi : v);
}

// binary16 by value; the floats at every rounding boundary of binary16: each finite
// value, one float step either side, the midpoint to the next value and one step either
// side of it, both signs; far-out values, subnormals of both formats, infinities, NaNs.
inline long double halfValue(std::uint16_t h) {
    const int e = (h >> 10) & 0x1f, m = h & 0x3ff;
    const long double v = e == 0 ? std::ldexp((long double)m, -24) : std::ldexp((long double)(1024 + m), e - 25);
    return (h & 0x8000) ? -v : v;
}
inline std::vector<float> halfBoundaries() {
    std::vector<float> v;
    auto both = [&v](float x) { v.push_back(x); v.push_back(-x); };
    for (std::uint32_t h = 0; h < 0x7c00; ++h) {
        const float a = float(halfValue(std::uint16_t(h)));
        const float b = h == 0x7bff ? 65536.0f : float(halfValue(std::uint16_t(h + 1)));
        const float mid = float(((long double)a + b) / 2);
        for (float x : {a, std::nextafter(a, 0.0f), std::nextafter(a, 1e9f), mid, std::nextafter(mid, 0.0f), std::nextafter(mid, 1e9f)})
            both(x);
    }
    for (float x : {65519.99f, 65520.0f, 65536.0f, 1e10f, 3.4028235e38f, 1e-8f, 2.9802322e-8f, 2.9802326e-8f, 1e-30f, 1e-45f,
                    std::numeric_limits<float>::infinity()})
        both(x);
    for (std::uint32_t b : {0x7fc00000u, 0xffc00000u, 0x7f800001u, 0xff812345u, 0x7fbfffffu, 0x7fc02000u, 0x7f801fffu,
                            0xffc00001u, 0x7f802000u}) {
        float f;
        std::memcpy(&f, &b, 4);
        v.push_back(f);
    }
    return v;
}

}  // namespace vt
