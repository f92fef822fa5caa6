// datamove.h - the kernels of the data-movement, bit-logic and shift family.
//
// Everything here moves bytes; the element type only fixes the phase of a pattern
// (fills, constants of the logic functions) or the lane width of a shuffle or shift.
// One byte engine serves every elementwise member:
//  - map<E>(d, n, op, s...): writes n bytes at d, each 32-byte piece being op of the
//    pieces of the sources at the same offset. The first and the last piece are
//    computed before anything is stored and written last (overlapping the body), so
//    exact aliasing (in place) and a forward shifted overlap (Move with pDst < pSrc)
//    are safe. When d is aligned to E the body runs on 32-byte aligned stores, four
//    vectors an iteration; with stream = true the body uses non-temporal stores.
//  - fill: the same for a pattern of period E, rotated to the phase of the body.
//  - reverse (Flip) and the backward move have their own short loops.
// Bit copies work on bytes with 64-bit funnel shifts between two edge bytes that are
// merged with the destination.
//
// Large blocks: fills stream when they write more than 2 MiB and more than the largest
// data cache; copies when they move more than 4 MiB and at least half that cache. The
// cache size is asked of the core library only for such blocks; a failed query keeps
// ordinary stores. Results are the same either way.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "common.h"
#include "simd.h"
#include "vekcore.h"

namespace vek::dm {

using u8 = std::uint8_t;
using simd::loadu;
using simd::storeu;

template <class T> VEK_INLINE const u8* bp(const T* p) noexcept { return reinterpret_cast<const u8*>(p); }
template <class T> VEK_INLINE u8* bp(T* p) noexcept { return reinterpret_cast<u8*>(p); }
VEK_INLINE std::uintptr_t addr(const void* p) noexcept { return reinterpret_cast<std::uintptr_t>(p); }

// ---- large-block policy ------------------------------------------------------------
constexpr std::size_t kFillStreamMin = 2097152;
constexpr std::size_t kCopyStreamMin = 4194304;

VEK_INLINE std::size_t cacheBytes() noexcept {
    int c = 0;
    if (vekGetMaxCacheSizeB(&c) != 0 || c < 1) return 0;
    return std::size_t(c);
}
VEK_INLINE bool fillStreams(std::size_t bytes) noexcept {
    if (bytes <= kFillStreamMin) return false;
    const std::size_t c = cacheBytes();
    return c != 0 && bytes > c;
}
VEK_INLINE bool copyStreams(std::size_t bytes) noexcept {
    if (bytes <= kCopyStreamMin) return false;
    const std::size_t c = cacheBytes();
    return c != 0 && bytes >= c / 2;
}

// ---- small blocks ------------------------------------------------------------------
// Copies 1..31 bytes; every load happens before the first store, so any overlap is safe.
VEK_INLINE void copySmall(const u8* s, u8* d, std::size_t n) noexcept {
    if (n >= 16) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - 16), b);
    } else if (n >= 8) {
        std::uint64_t a, b;
        std::memcpy(&a, s, 8);
        std::memcpy(&b, s + n - 8, 8);
        std::memcpy(d, &a, 8);
        std::memcpy(d + n - 8, &b, 8);
    } else if (n >= 4) {
        std::uint32_t a, b;
        std::memcpy(&a, s, 4);
        std::memcpy(&b, s + n - 4, 4);
        std::memcpy(d, &a, 4);
        std::memcpy(d + n - 4, &b, 4);
    } else if (n >= 2) {
        std::uint16_t a, b;
        std::memcpy(&a, s, 2);
        std::memcpy(&b, s + n - 2, 2);
        std::memcpy(d, &a, 2);
        std::memcpy(d + n - 2, &b, 2);
    } else {
        d[0] = s[0];
    }
}

// ---- the forward engine ------------------------------------------------------------
// op(piece of each source) -> piece of d, over n bytes. Every piece starts at an offset
// that is a multiple of E from the vector starts (d is aligned only when d itself is a
// multiple of E), so lane-wise shuffles, shifts and constants stay in phase.
template <std::size_t E, class Op, class... S>
VEK_INLINE void map(u8* d, std::size_t n, bool stream, Op op, const S*... s) noexcept {
    if (n < 32) {
        simd::tailStore(d, op(simd::tailLoad(s, n)...), n);
        return;
    }
    const __m256i head = op(loadu(s)...);
    const __m256i tail = op(loadu(s + n - 32)...);
    const bool aligned = addr(d) % E == 0;
    std::size_t i = aligned ? 32 - (addr(d) & 31) : 32;
    if (aligned && stream && n >= 256) {
        if ((addr(d + i) & 63) != 0) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), op(loadu(s + i)...));
            i += 32;
        }
        for (; i + 128 <= n; i += 128) {
            __m256i v0 = op(loadu(s + i)...), v1 = op(loadu(s + i + 32)...);
            __m256i v2 = op(loadu(s + i + 64)...), v3 = op(loadu(s + i + 96)...);
            simd::stream(d + i, v0);
            simd::stream(d + i + 32, v1);
            simd::stream(d + i + 64, v2);
            simd::stream(d + i + 96, v3);
        }
        _mm_sfence();
    }
    if (aligned) {
        for (; i + 128 <= n; i += 128) {
            __m256i v0 = op(loadu(s + i)...), v1 = op(loadu(s + i + 32)...);
            __m256i v2 = op(loadu(s + i + 64)...), v3 = op(loadu(s + i + 96)...);
            _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), v0);
            _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 32), v1);
            _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 64), v2);
            _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 96), v3);
        }
        for (; i + 32 <= n; i += 32)
            _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), op(loadu(s + i)...));
    } else {
        for (; i + 128 <= n; i += 128) {
            __m256i v0 = op(loadu(s + i)...), v1 = op(loadu(s + i + 32)...);
            __m256i v2 = op(loadu(s + i + 64)...), v3 = op(loadu(s + i + 96)...);
            storeu(d + i, v0);
            storeu(d + i + 32, v1);
            storeu(d + i + 64, v2);
            storeu(d + i + 96, v3);
        }
        for (; i + 32 <= n; i += 32) storeu(d + i, op(loadu(s + i)...));
    }
    storeu(d + n - 32, tail);
    storeu(d, head);
}

struct Ident { VEK_INLINE __m256i operator()(__m256i a) const noexcept { return a; } };

// Blocks between L1 and the streaming threshold live in L2/L3, where the C library's
// block move (rep movsb on processors with fast string moves) beats a vector loop;
// smaller blocks skip its dispatch, larger ones stream past the caches.
constexpr std::size_t kCopyLibMin = std::size_t(32) << 10;

VEK_INLINE void copyBytes(const u8* s, u8* d, std::size_t n) noexcept {
    if (n < 32) return copySmall(s, d, n);
    const bool streams = copyStreams(n);
    if (n >= kCopyLibMin && !streams) {
        std::memmove(d, s, n);   // any overlap stays as safe as in the vector path
        return;
    }
    map<1>(d, n, streams, Ident{}, s);
}

// Backward copy for pDst > pSrc with overlap: the body runs from the end down, the
// first and last pieces are loaded first and stored last.
VEK_INLINE void moveBackward(const u8* s, u8* d, std::size_t n) noexcept {
    const __m256i head = loadu(s), tail = loadu(s + n - 32);
    std::size_t i = n - (addr(d + n) & 31);
    for (; i >= 128; i -= 128) {
        __m256i v3 = loadu(s + i - 32), v2 = loadu(s + i - 64);
        __m256i v1 = loadu(s + i - 96), v0 = loadu(s + i - 128);
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i - 32), v3);
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i - 64), v2);
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i - 96), v1);
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i - 128), v0);
    }
    for (; i >= 32; i -= 32)
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i - 32), loadu(s + i - 32));
    storeu(d, head);
    storeu(d + n - 32, tail);
}

VEK_INLINE void moveBytes(const u8* s, u8* d, std::size_t n) noexcept {
    if (n < 32) return copySmall(s, d, n);
    if (d == s) return;
    const bool disjoint = d + n <= s || s + n <= d;
    if (disjoint) return map<1>(d, n, copyStreams(n), Ident{}, s);
    if (d < s) return map<1>(d, n, false, Ident{}, s);
    moveBackward(s, d, n);
}

// ---- fills -------------------------------------------------------------------------
// A 32-byte vector holding whole copies of v (sizeof(T) divides 32).
template <class T>
VEK_INLINE __m256i splat(const T& v) noexcept {
    static_assert(32 % sizeof(T) == 0);
    if constexpr (sizeof(T) == 1) return _mm256_set1_epi8(bitCast<char>(v));
    else if constexpr (sizeof(T) == 2) return _mm256_set1_epi16(bitCast<short>(v));
    else if constexpr (sizeof(T) == 4) return _mm256_set1_epi32(bitCast<int>(v));
    else if constexpr (sizeof(T) == 8) return _mm256_set1_epi64x(bitCast<long long>(v));
    else return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&v)));
}

// Fills n bytes (a whole number of E-byte elements) with the E-periodic pattern pat.
// Any alignment of d works: the aligned body uses the pattern rotated to its phase.
template <std::size_t E>
VEK_INLINE void fillBytes(u8* d, std::size_t n, __m256i pat) noexcept {
    if (n < 32) return simd::tailStore(d, pat, n);
    storeu(d, pat);
    storeu(d + n - 32, pat);
    std::size_t i = 32 - (addr(d) & 31);
    __m256i p = pat;
    if constexpr (E > 1) {
        alignas(32) u8 twice[64];
        _mm256_store_si256(reinterpret_cast<__m256i*>(twice), pat);
        _mm256_store_si256(reinterpret_cast<__m256i*>(twice + 32), pat);
        p = loadu(twice + i % E);
    }
    if (n >= 256 && fillStreams(n)) {
        if ((addr(d + i) & 63) != 0) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), p);
            i += 32;
        }
        for (; i + 128 <= n; i += 128) {
            simd::stream(d + i, p);
            simd::stream(d + i + 32, p);
            simd::stream(d + i + 64, p);
            simd::stream(d + i + 96, p);
        }
        _mm_sfence();
    }
    for (; i + 128 <= n; i += 128) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), p);
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 32), p);
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 64), p);
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 96), p);
    }
    for (; i + 32 <= n; i += 32) _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), p);
}

// ---- reversal ----------------------------------------------------------------------
// Reverses the order of the E-byte elements of a vector.
template <std::size_t E>
VEK_INLINE __m256i reverse(__m256i v) noexcept {
    if constexpr (E == 1) {
        const __m256i m = _mm256_setr_epi8(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,
                                           15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
        return _mm256_permute4x64_epi64(_mm256_shuffle_epi8(v, m), 0x4E);
    } else if constexpr (E == 2) {
        const __m256i m = _mm256_setr_epi8(14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1,
                                           14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1);
        return _mm256_permute4x64_epi64(_mm256_shuffle_epi8(v, m), 0x4E);
    } else if constexpr (E == 4) {
        return _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
    } else if constexpr (E == 8) {
        return _mm256_permute4x64_epi64(v, 0x1B);
    } else {
        static_assert(E == 16);
        return _mm256_permute4x64_epi64(v, 0x4E);
    }
}

// d[k] = s[cnt - 1 - k] over n bytes of E-byte elements, d and s disjoint.
template <std::size_t E>
VEK_INLINE void flipBytes(const u8* s, u8* d, std::size_t n) noexcept {
    if (n < 32) {
        for (std::size_t k = 0; k < n; k += E) std::memcpy(d + k, s + n - E - k, E);
        return;
    }
    const __m256i head = reverse<E>(loadu(s + n - 32));
    const __m256i tail = reverse<E>(loadu(s));
    std::size_t i = addr(d) % E == 0 ? 32 - (addr(d) & 31) : 32;
    for (; i + 128 <= n; i += 128) {
        __m256i v0 = reverse<E>(loadu(s + n - i - 32)), v1 = reverse<E>(loadu(s + n - i - 64));
        __m256i v2 = reverse<E>(loadu(s + n - i - 96)), v3 = reverse<E>(loadu(s + n - i - 128));
        storeu(d + i, v0);
        storeu(d + i + 32, v1);
        storeu(d + i + 64, v2);
        storeu(d + i + 96, v3);
    }
    for (; i + 32 <= n; i += 32) storeu(d + i, reverse<E>(loadu(s + n - i - 32)));
    storeu(d + n - 32, tail);
    storeu(d, head);
}

// In place: swaps the element pieces of the two ends towards the middle; a middle of
// 32..63 bytes is reversed with two overlapping pieces loaded before either is stored.
template <std::size_t E>
VEK_INLINE void flipInPlace(u8* p, std::size_t n) noexcept {
    std::size_t i = 0;
    for (; 2 * i + 128 <= n; i += 64) {
        const std::size_t j = n - i - 64;
        __m256i a0 = loadu(p + i), a1 = loadu(p + i + 32);
        __m256i b0 = loadu(p + j), b1 = loadu(p + j + 32);
        storeu(p + i, reverse<E>(b1));
        storeu(p + i + 32, reverse<E>(b0));
        storeu(p + j, reverse<E>(a1));
        storeu(p + j + 32, reverse<E>(a0));
    }
    for (; 2 * i + 64 <= n; i += 32) {
        const std::size_t j = n - i - 32;
        __m256i a = loadu(p + i), b = loadu(p + j);
        storeu(p + i, reverse<E>(b));
        storeu(p + j, reverse<E>(a));
    }
    const std::size_t m = n - 2 * i;
    u8* q = p + i;
    if (m >= 32) {
        __m256i a = loadu(q), b = loadu(q + m - 32);
        storeu(q, reverse<E>(b));
        storeu(q + m - 32, reverse<E>(a));
        return;
    }
    const std::size_t cnt = m / E;
    for (std::size_t a = 0, b = cnt; a + 1 < b; ++a) {
        --b;
        u8 t[E];
        std::memcpy(t, q + a * E, E);
        std::memcpy(q + a * E, q + b * E, E);
        std::memcpy(q + b * E, t, E);
    }
}

// ---- byte swaps --------------------------------------------------------------------
template <std::size_t E>
struct Bswap {
    VEK_INLINE __m256i operator()(__m256i v) const noexcept {
        if constexpr (E == 2)
            return _mm256_shuffle_epi8(v, _mm256_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14,
                                                           1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14));
        else if constexpr (E == 4)
            return _mm256_shuffle_epi8(v, _mm256_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12,
                                                           3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12));
        else
            return _mm256_shuffle_epi8(v, _mm256_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8,
                                                           7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8));
    }
};

// Packed 3-byte elements: eight at a time from a 32-byte load (the four elements of
// each half moved into one 128-bit lane, swapped there, and packed back to 24 bytes).
// Each load reaches 8 bytes past the 24 it rewrites, which are read before any later
// store touches them, so in place is safe.
VEK_INLINE void swap24(const u8* s, u8* d, std::size_t cnt) noexcept {
    const std::size_t n = 3 * cnt;
    std::size_t i = 0;
    const __m256i spread = _mm256_setr_epi32(0, 1, 2, 0, 3, 4, 5, 0);
    const __m256i pack = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const __m256i sw = _mm256_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15,
                                        2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    for (; i + 32 <= n; i += 24) {
        __m256i v = _mm256_permutevar8x32_epi32(loadu(s + i), spread);
        v = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(v, sw), pack);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm256_castsi256_si128(v));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d + i + 16), _mm256_extracti128_si256(v, 1));
    }
    for (; i < n; i += 3) {
        const u8 a = s[i], c = s[i + 2];
        d[i + 1] = s[i + 1];
        d[i] = c;
        d[i + 2] = a;
    }
}

// ---- logic and shifts --------------------------------------------------------------
struct And { VEK_INLINE __m256i operator()(__m256i a, __m256i b) const noexcept { return _mm256_and_si256(a, b); } };
struct Or { VEK_INLINE __m256i operator()(__m256i a, __m256i b) const noexcept { return _mm256_or_si256(a, b); } };
struct Xor { VEK_INLINE __m256i operator()(__m256i a, __m256i b) const noexcept { return _mm256_xor_si256(a, b); } };

// Operation with a constant vector: op(element piece, constant piece).
template <class Op>
struct WithC {
    __m256i c;
    VEK_INLINE __m256i operator()(__m256i a) const noexcept { return Op{}(a, c); }
};

// Shifts by a count 1..width-1 of the element (in an SSE register for the variable-count
// instructions). 8-bit lanes shift as 16-bit lanes with the bits that crossed a byte
// boundary masked off.
template <std::size_t E, bool Left, bool Arith>
struct Shift {
    __m128i cnt;
    __m256i mask;
    explicit Shift(int c) noexcept : cnt(_mm_cvtsi32_si128(c)), mask(_mm256_set1_epi8(char(Left ? (0xFF << c) & 0xFF : 0xFF >> c))) {}
    VEK_INLINE __m256i operator()(__m256i v) const noexcept {
        if constexpr (E == 1) {
            static_assert(!Arith);
            return _mm256_and_si256(Left ? _mm256_sll_epi16(v, cnt) : _mm256_srl_epi16(v, cnt), mask);
        } else if constexpr (E == 2) {
            return Left ? _mm256_sll_epi16(v, cnt) : Arith ? _mm256_sra_epi16(v, cnt) : _mm256_srl_epi16(v, cnt);
        } else {
            static_assert(E == 4);
            return Left ? _mm256_sll_epi32(v, cnt) : Arith ? _mm256_sra_epi32(v, cnt) : _mm256_srl_epi32(v, cnt);
        }
    }
};

// ---- exported kernels --------------------------------------------------------------
template <class T>
VEK_INLINE std::size_t bytes(int len) noexcept { return std::size_t(len) * sizeof(T); }

template <class T>
VekStatus copy(const T* pSrc, T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(len);
    copyBytes(bp(pSrc), bp(pDst), bytes<T>(len));
    return vekStsNoErr;
}

template <class T>
VekStatus move(const T* pSrc, T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(len);
    moveBytes(bp(pSrc), bp(pDst), bytes<T>(len));
    return vekStsNoErr;
}

template <class T>
VekStatus set(T val, T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pDst);
    VEK_CHECK_LEN(len);
    fillBytes<sizeof(T)>(bp(pDst), bytes<T>(len), splat(val));
    return vekStsNoErr;
}

template <class T>
VekStatus zero(T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pDst);
    VEK_CHECK_LEN(len);
    fillBytes<1>(bp(pDst), bytes<T>(len), _mm256_setzero_si256());
    return vekStsNoErr;
}

template <class T>
VekStatus flipI(T* pSrcDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrcDst);
    VEK_CHECK_LEN(len);
    flipInPlace<sizeof(T)>(bp(pSrcDst), bytes<T>(len));
    return vekStsNoErr;
}

template <class T>
VekStatus flip(const T* pSrc, T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(len);
    if (pSrc == pDst) return flipI(pDst, len);
    flipBytes<sizeof(T)>(bp(pSrc), bp(pDst), bytes<T>(len));
    return vekStsNoErr;
}

template <class T>
VekStatus swapBytes(const T* pSrc, T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(len);
    map<sizeof(T)>(bp(pDst), bytes<T>(len), false, Bswap<sizeof(T)>{}, bp(pSrc));
    return vekStsNoErr;
}
template <class T>
VekStatus swapBytesI(T* pSrcDst, int len) noexcept { return swapBytes<T>(pSrcDst, pSrcDst, len); }

VEK_INLINE VekStatus swapBytes24(const Vek8u* pSrc, Vek8u* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(len);
    swap24(pSrc, pDst, std::size_t(len));
    return vekStsNoErr;
}
VEK_INLINE VekStatus swapBytes24I(Vek8u* pSrcDst, int len) noexcept { return swapBytes24(pSrcDst, pSrcDst, len); }

template <class T, class Op>
VekStatus logic(const T* pSrc1, const T* pSrc2, T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc1, pSrc2, pDst);
    VEK_CHECK_LEN(len);
    map<1>(bp(pDst), bytes<T>(len), false, Op{}, bp(pSrc1), bp(pSrc2));
    return vekStsNoErr;
}
template <class T, class Op>
VekStatus logicI(const T* pSrc, T* pSrcDst, int len) noexcept { return logic<T, Op>(pSrc, pSrcDst, pSrcDst, len); }

template <class T, class Op>
VekStatus logicC(const T* pSrc, T val, T* pDst, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(len);
    map<sizeof(T)>(bp(pDst), bytes<T>(len), false, WithC<Op>{splat(val)}, bp(pSrc));
    return vekStsNoErr;
}
template <class T, class Op>
VekStatus logicCI(T val, T* pSrcDst, int len) noexcept { return logicC<T, Op>(pSrcDst, val, pSrcDst, len); }

// Complement: XOR with the all-ones element.
template <class T>
VekStatus bitNot(const T* pSrc, T* pDst, int len) noexcept { return logicC<T, Xor>(pSrc, T(~T(0)), pDst, len); }
template <class T>
VekStatus bitNotI(T* pSrcDst, int len) noexcept { return logicC<T, Xor>(pSrcDst, T(~T(0)), pSrcDst, len); }

// Shifts. A count of 0 copies (in place: nothing to do); a count of the element width
// or more clears the element (left and logical right shifts) or fills it with its sign
// (arithmetic right shifts, as a shift by width - 1 does); a negative count is an error
// reported after the pointer and length checks.
template <class T, bool Left>
VekStatus shift(const T* pSrc, int val, T* pDst, int len) noexcept {
    constexpr int W = int(8 * sizeof(T));
    constexpr bool Arith = !Left && std::is_signed_v<T>;
    VEK_CHECK_PTRS(pSrc, pDst);
    VEK_CHECK_LEN(len);
    if (val < 0) return vekStsShiftErr;
    const std::size_t n = bytes<T>(len);
    if (val == 0) {
        if (pSrc != pDst) copyBytes(bp(pSrc), bp(pDst), n);
        return vekStsNoErr;
    }
    if (val >= W) {
        if constexpr (!Arith) {
            fillBytes<1>(bp(pDst), n, _mm256_setzero_si256());
            return vekStsNoErr;
        }
        val = W - 1;
    }
    map<sizeof(T)>(bp(pDst), n, false, Shift<sizeof(T), Left, Arith>(val), bp(pSrc));
    return vekStsNoErr;
}
template <class T, bool Left>
VekStatus shiftI(int val, T* pSrcDst, int len) noexcept { return shift<T, Left>(pSrcDst, val, pSrcDst, len); }

// ---- bit copies --------------------------------------------------------------------
// Copies len bits from bit srcOff of pSrc to bit dstOff of pDst. MsbFirst numbers the
// bits of a byte from the most significant one; otherwise from the least significant.
// Offsets of 8 or more address the following bytes. Destination bits outside the
// copied range keep their values.
template <bool MsbFirst>
VekStatus copyBits(const Vek8u* pSrc, int srcOff, Vek8u* pDst, int dstOff, int len) noexcept {
    VEK_CHECK_PTRS(pSrc, pDst);
    if (srcOff < 0 || dstOff < 0 || len < 1) return vekStsSizeErr;
    const u8* s = pSrc + srcOff / 8;
    u8* d = pDst + dstOff / 8;
    const unsigned so = unsigned(srcOff % 8), dof = unsigned(dstOff % 8);
    const std::size_t nbits = std::size_t(len);
    const std::size_t nd = (dof + nbits + 7) / 8;   // destination bytes touched
    const std::size_t ns = (so + nbits + 7) / 8;    // source bytes holding the string
    // Destination bit position p reads source position p + sh; sh = 8 base + t.
    const int sh = int(so) - int(dof);
    const std::ptrdiff_t base = sh < 0 ? -1 : 0;
    const unsigned t = unsigned(sh - 8 * int(base));

    auto sb = [&](std::ptrdiff_t k) -> unsigned {
        return (k >= 0 && std::size_t(k) < ns) ? s[k] : 0u;
    };
    auto dbyte = [&](std::size_t j) -> unsigned {
        const std::ptrdiff_t k = std::ptrdiff_t(j) + base;
        if (t == 0) return sb(k);
        if constexpr (MsbFirst) return ((sb(k) << t) | (sb(k + 1) >> (8 - t))) & 0xFFu;
        else return ((sb(k) >> t) | (sb(k + 1) << (8 - t))) & 0xFFu;
    };
    // Mask of bit positions [a, b) of one byte, 0 <= a < b <= 8.
    auto posMask = [](unsigned a, unsigned b) -> unsigned {
        if constexpr (MsbFirst) return (0xFFu >> a) & (0xFFu << (8 - b)) & 0xFFu;
        else return (0xFFu << a) & (0xFFu >> (8 - b)) & 0xFFu;
    };
    auto merge = [&](std::size_t j, unsigned m) {
        d[j] = u8((d[j] & ~m) | (dbyte(j) & m));
    };

    const unsigned endPos = unsigned((dof + nbits - 1) % 8) + 1;   // 1..8 in the last byte
    if (nd == 1) {
        merge(0, posMask(dof, endPos));
        return vekStsNoErr;
    }
    // Interior bytes are computed first from the source: the edge merges read d[0]
    // and d[nd - 1] only for their own bits.
    const unsigned first = dbyte(0), last = dbyte(nd - 1);
    std::size_t j = 1;
    const std::size_t inEnd = nd - 1;   // interior bytes are [1, nd - 1)
    if (t == 0) {
        if (inEnd > 1) std::memmove(d + 1, s + 1 + base, inEnd - 1);
        j = inEnd;
    } else {
        for (; j + 8 <= inEnd; j += 8) {
            const u8* q = s + std::ptrdiff_t(j) + base;
            std::uint64_t w;
            std::memcpy(&w, q, 8);
            if constexpr (MsbFirst) {
                w = (__builtin_bswap64(w) << t) | (std::uint64_t(q[8]) >> (8 - t));
                w = __builtin_bswap64(w);
            } else {
                w = (w >> t) | (std::uint64_t(q[8]) << (64 - t));
            }
            std::memcpy(d + j, &w, 8);
        }
        for (; j < inEnd; ++j) d[j] = u8(dbyte(j));
    }
    const unsigned m0 = posMask(dof, 8), m1 = posMask(0, endPos);
    d[0] = u8((d[0] & ~m0) | (first & m0));
    d[nd - 1] = u8((d[nd - 1] & ~m1) | (last & m1));
    return vekStsNoErr;
}

}  // namespace vek::dm
