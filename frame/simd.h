// simd.h - the library's small AVX2 vocabulary. Only this layer (and the few kernels
// that need a specific instruction) touches intrinsics; kernels are written against
// these names so body and tail share one code path.
//
// Tails: a loop processes whole 32-byte vectors, then the remainder with the same
// operation through partial loads and stores (tailLoad/tailStore), which read and
// write only the bytes inside the vector's extent.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common.h"

namespace vek::simd {

constexpr std::size_t kVecBytes = 32;

template <class T>
constexpr std::size_t lanes = kVecBytes / sizeof(T);

VEK_INLINE __m256i loadu(const void* p) noexcept {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}
VEK_INLINE void storeu(void* p, __m256i v) noexcept {
    _mm256_storeu_si256(static_cast<__m256i*>(p), v);
}
VEK_INLINE void stream(void* p, __m256i v) noexcept {
    _mm256_stream_si256(static_cast<__m256i*>(p), v);
}

// Lane mask with the first n of 8 (32-bit) lanes set, n in 0..8.
VEK_INLINE __m256i mask32(std::size_t n) noexcept {
    alignas(32) static constexpr std::int32_t t[16] = {-1, -1, -1, -1, -1, -1, -1, -1,
                                                       0, 0, 0, 0, 0, 0, 0, 0};
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + 8 - n));
}
// Lane mask with the first n of 4 (64-bit) lanes set, n in 0..4.
VEK_INLINE __m256i mask64(std::size_t n) noexcept { return mask32(2 * n); }

// Partial load/store of the first `bytes` (< 32) bytes of a vector. Whole 4-byte words
// go through masked moves; a remaining 1..3 bytes through a scalar copy. Bytes beyond
// the extent are never touched, so a tail is safe against a guard page.
VEK_INLINE __m256i tailLoad(const void* p, std::size_t bytes) noexcept {
    const std::size_t words = bytes / 4, rest = bytes % 4;
    __m256i v = _mm256_maskload_epi32(static_cast<const int*>(p), mask32(words));
    if (rest) {
        alignas(32) std::uint8_t buf[32];
        _mm256_store_si256(reinterpret_cast<__m256i*>(buf), v);
        std::memcpy(buf + words * 4, static_cast<const std::uint8_t*>(p) + words * 4, rest);
        v = _mm256_load_si256(reinterpret_cast<const __m256i*>(buf));
    }
    return v;
}
VEK_INLINE void tailStore(void* p, __m256i v, std::size_t bytes) noexcept {
    const std::size_t words = bytes / 4, rest = bytes % 4;
    _mm256_maskstore_epi32(static_cast<int*>(p), mask32(words), v);
    if (rest) {
        alignas(32) std::uint8_t buf[32];
        _mm256_store_si256(reinterpret_cast<__m256i*>(buf), v);
        std::memcpy(static_cast<std::uint8_t*>(p) + words * 4, buf + words * 4, rest);
    }
}

VEK_INLINE __m256 castps(__m256i v) noexcept { return _mm256_castsi256_ps(v); }
VEK_INLINE __m256d castpd(__m256i v) noexcept { return _mm256_castsi256_pd(v); }
VEK_INLINE __m256i casti(__m256 v) noexcept { return _mm256_castps_si256(v); }
VEK_INLINE __m256i casti(__m256d v) noexcept { return _mm256_castpd_si256(v); }

// Apply f(vector) -> vector over n elements of T from src to dst: whole vectors, then
// one partial vector. f sees full-width registers in both cases; lanes beyond the tail
// hold zeros and are not stored. Two vectors an iteration keep both load ports busy.
template <class T, class F>
VEK_INLINE void mapBytes(const void* src, void* dst, std::size_t n, F f) noexcept {
    const auto* s = static_cast<const std::uint8_t*>(src);
    auto* d = static_cast<std::uint8_t*>(dst);
    std::size_t bytes = n * sizeof(T), i = 0;
    for (; i + 64 <= bytes; i += 64) {
        __m256i a = loadu(s + i), b = loadu(s + i + 32);
        storeu(d + i, f(a));
        storeu(d + i + 32, f(b));
    }
    for (; i + 32 <= bytes; i += 32) storeu(d + i, f(loadu(s + i)));
    if (i < bytes) tailStore(d + i, f(tailLoad(s + i, bytes - i)), bytes - i);
}

// The same with two sources.
template <class T, class F>
VEK_INLINE void mapBytes2(const void* src1, const void* src2, void* dst, std::size_t n,
                          F f) noexcept {
    const auto* a = static_cast<const std::uint8_t*>(src1);
    const auto* b = static_cast<const std::uint8_t*>(src2);
    auto* d = static_cast<std::uint8_t*>(dst);
    std::size_t bytes = n * sizeof(T), i = 0;
    for (; i + 64 <= bytes; i += 64) {
        __m256i x0 = loadu(a + i), y0 = loadu(b + i);
        __m256i x1 = loadu(a + i + 32), y1 = loadu(b + i + 32);
        storeu(d + i, f(x0, y0));
        storeu(d + i + 32, f(x1, y1));
    }
    for (; i + 32 <= bytes; i += 32) storeu(d + i, f(loadu(a + i), loadu(b + i)));
    if (i < bytes) {
        std::size_t r = bytes - i;
        tailStore(d + i, f(tailLoad(a + i, r), tailLoad(b + i, r)), r);
    }
}

}  // namespace vek::simd
