// vm_map.h - the loops the array forms run a vector kernel in: one or two sources,
// whole vectors then one partial vector through the masked tail loads and stores.
// The kernels take and return float or double vectors; the loops move raw bytes.
//
// Kernels with a rare path (special values, huge arguments) come as a split kernel K:
// K::rare(v) says whether vector v needs K::slow, K::fast takes every other vector.
// Their loops run the fast kernel out of line until the first rare vector (see
// runFast), so that the rare path's call does not sit in the hot loop.
#pragma once

#include <immintrin.h>

#include <cstddef>

#include "simd.h"

namespace vek::vm::detail {

template <class T>
VEK_INLINE auto fromBits(__m256i v) noexcept {
    if constexpr (sizeof(T) == 4) return _mm256_castsi256_ps(v);
    else return _mm256_castsi256_pd(v);
}

// y[i] = f(x[i]).
template <class T, class F>
VEK_INLINE void mapPlain(const T* x, T* y, std::size_t n, F f) noexcept {
    simd::mapBytes<T>(x, y, n, [&](__m256i v) { return simd::casti(f(fromBits<T>(v))); });
}

// y[i] = f(a[i], b[i]).
template <class T, class F>
VEK_INLINE void mapPlain2(const T* a, const T* b, T* y, std::size_t n, F f) noexcept {
    simd::mapBytes2<T>(a, b, y, n, [&](__m256i u, __m256i v) {
        return simd::casti(f(fromBits<T>(u), fromBits<T>(v)));
    });
}

// A split kernel on one vector (or one vector of each argument).
template <class K, class... V>
VEK_INLINE auto apply(V... x) noexcept {
    return __builtin_expect(K::rare(x...), 0) ? K::slow(x...) : K::fast(x...);
}

template <class T>
VEK_INLINE auto loadv(const T* p) noexcept { return fromBits<T>(simd::loadu(p)); }
template <class T>
VEK_INLINE auto loadTail(const T* p, std::size_t bytes) noexcept { return fromBits<T>(simd::tailLoad(p, bytes)); }

// Whole vectors of L elements from i on while step(i) takes them; step returns false,
// having written nothing, for a vector the fast kernel cannot take. Returns the index
// it stopped at. Out of line and free of calls, the loop keeps the kernel's constants
// in registers; a loop that contains the rare path's call reloads them every vector.
template <std::size_t L, class Step>
__attribute__((noinline)) std::size_t runFast(std::size_t i, std::size_t n, Step step) noexcept {
    for (; i + L <= n; i += L)
        if (__builtin_expect(!step(i), 0)) break;
    return i;
}

// Whole vectors through the split kernel K of one or more arguments x...: put(i,
// K::fast(v...)) for the vectors v... = x...[i..i+L) where K::rare(v...) is false,
// slowPut(i, v...) for the others. Returns the index of the first element not in a
// whole vector. The fast kernel runs before the test so that every constant it needs
// is computed on each pass through the loop, which lets the compiler keep them in
// registers; it must not fault on any input.
template <class K, class Put, class SlowPut, class T, class... U>
VEK_INLINE std::size_t runSplit(std::size_t n, Put put, SlowPut slowPut, const T* x, const U*... more) noexcept {
    constexpr std::size_t L = 32 / sizeof(T);
    std::size_t i = 0;
    for (;;) {
        i = runFast<L>(i, n, [=](std::size_t j) {
            return [&](auto... v) {
                const auto r = K::fast(v...);
                if (K::rare(v...)) return false;
                put(j, r);
                return true;
            }(loadv(x + j), loadv(more + j)...);
        });
        if (i + L > n) return i;
        slowPut(i, loadv(x + i), loadv(more + i)...);
        i += L;
    }
}

// y[i] = K(x[i]).
template <class K, class T>
VEK_INLINE void mapSplit(const T* x, T* y, std::size_t n) noexcept {
    const std::size_t i = runSplit<K>(
        n, [y](std::size_t j, auto r) { simd::storeu(y + j, simd::casti(r)); },
        [y](std::size_t j, auto v) { simd::storeu(y + j, simd::casti(K::slow(v))); }, x);
    if (i < n) {
        const std::size_t bytes = (n - i) * sizeof(T);
        simd::tailStore(y + i, simd::casti(apply<K>(loadTail(x + i, bytes))), bytes);
    }
}
// y[i] = K(a[i], b[i]).
template <class K, class T>
VEK_INLINE void mapSplit2(const T* a, const T* b, T* y, std::size_t n) noexcept {
    const std::size_t i = runSplit<K>(
        n, [y](std::size_t j, auto r) { simd::storeu(y + j, simd::casti(r)); },
        [y](std::size_t j, auto u, auto v) { simd::storeu(y + j, simd::casti(K::slow(u, v))); }, a, b);
    if (i < n) {
        const std::size_t bytes = (n - i) * sizeof(T);
        simd::tailStore(y + i, simd::casti(apply<K>(loadTail(a + i, bytes), loadTail(b + i, bytes))), bytes);
    }
}

}  // namespace vek::vm::detail
