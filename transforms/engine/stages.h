// stages.h - one pass of the self-sorting (Stockham) mixed-radix DFT.
//
// A pass of factor p over n = p * m points in s interleaved sequences reads
//     x[k + s * (j + m * q)],   q = 0..p-1
// and writes
//     y[k + s * (p * j + r)] = (sum_q x_q * w_p^(q r)) * w_n^(j r)
// for j < m, k < s. After the last pass (m = 1, s = N / p) the output is in natural
// order, so no reordering pass is needed. Two loop shapes:
//   - row pass (s >= 2 or m = 1): for each j the twiddles are broadcast and the
//     s independent butterflies along k are vectorised, the last partial vector
//     through masked loads and stores;
//   - first pass (s = 1, m >= 2): the butterflies along j are vectorised, the inputs
//     are contiguous, the twiddles come per lane from a table laid out [r][j], and
//     the outputs are transposed in registers into rows of p values.
#pragma once

#include <cstddef>

#include "butterfly.h"

namespace vek::dft {

// Output buffer of pass i of K in a ping-pong between dst and work that ends in dst.
// Out of place, the passes alternate so that the last one lands in dst and src is never
// written. In place (src == dst), the first pass must not write dst; the last pass reads
// and writes the same positions (no twiddles after it), so it may run in place.
template <class T>
inline T* passOut(int i, int K, bool alias, T* dst, T* work) noexcept {
    if (!alias) return ((K - 1 - i) % 2 == 0) ? dst : work;
    if (i == K - 1) return dst;
    return (i % 2 == 0) ? work : dst;
}

template <int P, bool Inv, class T>
void passRows(const T* x, T* y, int p, int m, int s, const T* tw, const T* trig) noexcept {
    using V = CVec<T>;
    constexpr int W = V::W;
    constexpr int PM = P ? P : kMaxRadix;
    const int pp = P ? P : p;
    if (pp < 2) return;
    const std::size_t sm = std::size_t(s) * std::size_t(m), sp = std::size_t(s) * std::size_t(pp);
    for (int j = 0; j < m; ++j) {
        // The twiddles of j, indexed by r = 1..p-1 (w + 2 r).
        const T* w = j > 0 ? tw + 2 * (std::size_t(j) * (pp - 1) - 1) : tw;
        const T* xj = x + 2 * std::size_t(s) * std::size_t(j);
        T* yj = y + 2 * sp * std::size_t(j);
        int k = 0;
        for (; k + W <= s; k += W) {
            V a[PM], b[PM];
            for (int q = 0; q < pp; ++q) a[q] = V::load(xj + 2 * (k + sm * q));
            bfly<P, Inv>(a, b, pp, trig);
            if (j > 0)
                for (int r = 1; r < pp; ++r) b[r] = twiddleB<Inv>(b[r], w + 2 * r);
            for (int r = 0; r < pp; ++r) b[r].store(yj + 2 * (k + std::size_t(s) * r));
        }
        if (k < s) {
            const int n = s - k;
            V a[PM], b[PM];
            for (int q = 0; q < pp; ++q) a[q] = V::loadN(xj + 2 * (k + sm * q), n);
            bfly<P, Inv>(a, b, pp, trig);
            if (j > 0)
                for (int r = 1; r < pp; ++r) b[r] = twiddleB<Inv>(b[r], w + 2 * r);
            for (int r = 0; r < pp; ++r) b[r].storeN(yj + 2 * (k + std::size_t(s) * r), n);
        }
    }
}

template <int P, bool Inv, class T>
void passFirst(const T* x, T* y, int p, int m, const T* tw, const T* trig) noexcept {
    using V = CVec<T>;
    constexpr int W = V::W;
    constexpr int PM = P ? P : kMaxRadix;
    const int pp = P ? P : p;
    if (pp < 2) return;
    const std::size_t mm = std::size_t(m);
    for (int j = 0; j < m; j += W) {
        const int n = m - j < W ? m - j : W;
        V a[PM], b[PM];
        if (n == W) {
            for (int q = 0; q < pp; ++q) a[q] = V::load(x + 2 * (j + mm * q));
        } else {
            for (int q = 0; q < pp; ++q) a[q] = V::loadN(x + 2 * (j + mm * q), n);
        }
        bfly<P, Inv>(a, b, pp, trig);
        for (int r = 1; r < pp; ++r) {
            const T* t = tw + 2 * (mm * (r - 1) + j);
            b[r] = twiddle<Inv>(b[r], n == W ? V::load(t) : V::loadN(t, n));
        }
        storeT(b, y + 2 * std::size_t(pp) * std::size_t(j), pp, n);
    }
}

}  // namespace vek::dft
