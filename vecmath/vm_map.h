// vm_map.h - the loops the array forms run a vector kernel in: one or two sources,
// whole vectors then one partial vector through the masked tail loads and stores.
// The kernels take and return float or double vectors; the loops move raw bytes.
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

}  // namespace vek::vm::detail
