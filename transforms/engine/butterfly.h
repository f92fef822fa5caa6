// butterfly.h - the short DFTs that the mixed-radix stages are built of.
//
// bfly<P, Inv>(x, y, trig, p) computes y_r = sum_q x_q * w^(q r), w = exp(-+2 pi i / p),
// on vectors of independent transforms (one per lane). P = 2, 4, 8 are split-radix
// style kernels; odd P (3, 5, 7, 11, 13) pair x_q with x_(p-q) so that each output
// pair costs one cosine and one sine sum; P = 0 is the same odd kernel for a factor p
// known only at run time, its cosines and sines read from a table of p pairs.
#pragma once

#include "cvec.h"

namespace vek::dft {

template <int P> struct OddTrig;
// cos(2 pi k / P) and sin(2 pi k / P), k = 1..(P-1)/2, correctly rounded doubles.
template <> struct OddTrig<3> {
    static constexpr double c[1] = {-0.5};
    static constexpr double s[1] = {0.8660254037844386};
};
template <> struct OddTrig<5> {
    static constexpr double c[2] = {0.30901699437494745, -0.8090169943749475};
    static constexpr double s[2] = {0.9510565162951535, 0.5877852522924731};
};
template <> struct OddTrig<7> {
    static constexpr double c[3] = {0.6234898018587335, -0.2225209339563144, -0.9009688679024191};
    static constexpr double s[3] = {0.7818314824680298, 0.9749279121818236, 0.4338837391175581};
};
template <> struct OddTrig<11> {
    static constexpr double c[5] = {0.8412535328311812, 0.41541501300188644, -0.14231483827328514,
                                    -0.6548607339452851, -0.9594929736144974};
    static constexpr double s[5] = {0.5406408174555976, 0.9096319953545183, 0.9898214418809327,
                                    0.7557495743542583, 0.28173255684142967};
};
template <> struct OddTrig<13> {
    static constexpr double c[6] = {0.8854560256532099, 0.5680647467311558, 0.12053668025532305,
                                    -0.3546048870425356, -0.7485107481711011, -0.970941817426052};
    static constexpr double s[6] = {0.46472317204376856, 0.8229838658936564, 0.992708874098054,
                                    0.9350162426854148, 0.6631226582407952, 0.23931566428755777};
};

constexpr double kSqrtHalf = 0.7071067811865476;

// The largest odd factor a mixed-radix stage computes directly.
constexpr int kMaxRadix = 127;

template <bool Inv, class V>
VEK_INLINE void bfly2(const V* x, V* y) noexcept {
    y[0] = x[0] + x[1];
    y[1] = x[0] - x[1];
}

template <bool Inv, class V>
VEK_INLINE void bfly4(const V* x, V* y) noexcept {
    const V a = x[0] + x[2], b = x[0] - x[2], c = x[1] + x[3], d = rot<Inv>(x[1] - x[3]);
    y[0] = a + c;
    y[2] = a - c;
    y[1] = b + d;
    y[3] = b - d;
}

template <bool Inv, class V>
VEK_INLINE void bfly8(const V* x, V* y) noexcept {
    using T = typename V::E;
    const T h = T(kSqrtHalf);
    V a[4], b[4];
    for (int k = 0; k < 4; ++k) {
        a[k] = x[k] + x[k + 4];
        b[k] = x[k] - x[k + 4];
    }
    // b_k *= w8^k
    b[1] = mulr(b[1] + rot<Inv>(b[1]), h);
    b[2] = rot<Inv>(b[2]);
    b[3] = mulr(rot<Inv>(b[3]) - b[3], h);
    V ya[4], yb[4];
    bfly4<Inv>(a, ya);
    bfly4<Inv>(b, yb);
    for (int r = 0; r < 4; ++r) {
        y[2 * r] = ya[r];
        y[2 * r + 1] = yb[r];
    }
}

// Odd factor with compile-time constants.
template <int P, bool Inv, class V>
VEK_INLINE void bflyOdd(const V* x, V* y) noexcept {
    using T = typename V::E;
    constexpr int H = (P - 1) / 2;
    V t[H], d[H];
    V sum = x[0];
#pragma GCC unroll 8
    for (int q = 1; q <= H; ++q) {
        t[q - 1] = x[q] + x[P - q];
        d[q - 1] = x[q] - x[P - q];
        sum = sum + t[q - 1];
    }
    y[0] = sum;
#pragma GCC unroll 8
    for (int r = 1; r <= H; ++r) {
        V a = x[0], b = V::zero();
#pragma GCC unroll 8
        for (int q = 1; q <= H; ++q) {
            const int idx = (q * r) % P;
            const int k = idx <= H ? idx : P - idx;
            const T c = T(OddTrig<P>::c[k - 1]);
            const T s = idx <= H ? T(OddTrig<P>::s[k - 1]) : T(-OddTrig<P>::s[k - 1]);
            a = fmar(t[q - 1], c, a);
            b = fmar(d[q - 1], s, b);
        }
        const V rb = rot<Inv>(b);
        y[r] = a + rb;
        y[P - r] = a - rb;
    }
}

// Odd factor p known at run time; trig holds (cos, sin) of 2 pi k / p for k = 0..p-1.
template <bool Inv, class V>
inline void bflyGen(const V* x, V* y, int p, const typename V::E* trig) noexcept {
    const int h = (p - 1) / 2;
    V t[kMaxRadix / 2 + 1], d[kMaxRadix / 2 + 1];
    V sum = x[0];
    for (int q = 1; q <= h; ++q) {
        t[q - 1] = x[q] + x[p - q];
        d[q - 1] = x[q] - x[p - q];
        sum = sum + t[q - 1];
    }
    y[0] = sum;
    for (int r = 1; r <= h; ++r) {
        V a = x[0], b = V::zero();
        int idx = 0;
        for (int q = 1; q <= h; ++q) {
            idx += r;
            if (idx >= p) idx -= p;
            a = fmar(t[q - 1], trig[2 * idx], a);
            b = fmar(d[q - 1], trig[2 * idx + 1], b);
        }
        const V rb = rot<Inv>(b);
        y[r] = a + rb;
        y[p - r] = a - rb;
    }
}

template <int P, bool Inv, class V>
VEK_INLINE void bfly(const V* x, V* y, int p, const typename V::E* trig) noexcept {
    if constexpr (P == 2) bfly2<Inv>(x, y);
    else if constexpr (P == 4) bfly4<Inv>(x, y);
    else if constexpr (P == 8) bfly8<Inv>(x, y);
    else if constexpr (P == 0) bflyGen<Inv>(x, y, p, trig);
    else bflyOdd<P, Inv>(x, y);
}

}  // namespace vek::dft
