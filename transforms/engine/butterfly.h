// butterfly.h - the short DFTs that the mixed-radix stages are built of.
//
// bfly<P, Inv>(x, y, trig, p) computes y_r = sum_q x_q * w^(q r), w = exp(-+2 pi i / p),
// on vectors of independent transforms (one per lane). P = 2, 4, 8 are split-radix
// style kernels; odd P (3, 5, 7, 11, 13) pair x_q with x_(p-q) so that each output
// pair costs one cosine and one sine sum; composite P (6, 9, 10, 12, 15, 20, 25, 27)
// are two levels of those in one kernel; P = 0 is the odd kernel for a factor p
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
// cos(pi / 8) and sin(pi / 8), correctly rounded.
constexpr double kCosPi8 = 0.9238795325112867;
constexpr double kSinPi8 = 0.3826834323650898;

// The largest odd factor a mixed-radix stage computes directly.
constexpr int kMaxRadix = 127;

template <bool Inv, class V>
VEK_INLINE void bfly2(const V* x, V* y) noexcept {
    y[0] = x[0] + x[1];
    y[1] = x[0] - x[1];
}

template <bool Inv, class V>
VEK_INLINE void bfly4(const V* x, V* y) noexcept {
    // rot and two additions rather than addRot: in the long passes the fused units
    // are busy with the twiddles, and radix 4 runs inside radix 8 there.
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
    if constexpr (P == 3) {   // the one sine product fused into the outputs
        const V a = fmar(t[0], T(OddTrig<3>::c[0]), x[0]);
        y[1] = addRotMul<Inv>(a, d[0], T(OddTrig<3>::s[0]));
        y[2] = subRotMul<Inv>(a, d[0], T(OddTrig<3>::s[0]));
        return;
    }
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
        y[r] = addRot<Inv>(a, b);
        y[P - r] = subRot<Inv>(a, b);
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
        y[r] = addRot<Inv>(a, b);
        y[p - r] = subRot<Inv>(a, b);
    }
}

// ---- composite factors ---------------------------------------------------------------
// A composite radix computed as one straight-line kernel, its intermediate values in
// registers: coprime factors by the prime-factor index maps (no twiddles between the
// two levels), prime powers by two levels with constant twiddles in between.

// exp(-2 pi i k / N), correctly rounded doubles.
template <int N> struct CtTw;
template <> struct CtTw<9> {
    static constexpr double w[9][2] = {
        {1.0, 0.0},
        {0.766044443118978, -0.6427876096865394},
        {0.17364817766693036, -0.984807753012208},
        {-0.5, -0.8660254037844386},
        {-0.9396926207859084, -0.3420201433256687},
        {-0.9396926207859084, 0.3420201433256687},
        {-0.5, 0.8660254037844386},
        {0.17364817766693036, 0.984807753012208},
        {0.766044443118978, 0.6427876096865394},
    };
};
template <> struct CtTw<25> {
    static constexpr double w[25][2] = {
        {1.0, 0.0},
        {0.9685831611286311, -0.2486898871648548},
        {0.8763066800438636, -0.48175367410171527},
        {0.7289686274214116, -0.6845471059286887},
        {0.5358267949789967, -0.8443279255020151},
        {0.30901699437494745, -0.9510565162951535},
        {0.06279051952931337, -0.9980267284282716},
        {-0.18738131458572463, -0.9822872507286887},
        {-0.42577929156507266, -0.9048270524660196},
        {-0.6374239897486897, -0.7705132427757893},
        {-0.8090169943749475, -0.5877852522924731},
        {-0.9297764858882515, -0.368124552684678},
        {-0.9921147013144779, -0.12533323356430426},
        {-0.9921147013144779, 0.12533323356430426},
        {-0.9297764858882515, 0.368124552684678},
        {-0.8090169943749475, 0.5877852522924731},
        {-0.6374239897486897, 0.7705132427757893},
        {-0.42577929156507266, 0.9048270524660196},
        {-0.18738131458572463, 0.9822872507286887},
        {0.06279051952931337, 0.9980267284282716},
        {0.30901699437494745, 0.9510565162951535},
        {0.5358267949789967, 0.8443279255020151},
        {0.7289686274214116, 0.6845471059286887},
        {0.8763066800438636, 0.48175367410171527},
        {0.9685831611286311, 0.2486898871648548},
    };
};
template <> struct CtTw<27> {
    static constexpr double w[27][2] = {
        {1.0, 0.0},
        {0.9730448705798238, -0.23061587074244017},
        {0.8936326403234123, -0.44879918020046217},
        {0.766044443118978, -0.6427876096865394},
        {0.5971585917027862, -0.8021231927550437},
        {0.39607976603915684, -0.918216106880274},
        {0.17364817766693036, -0.984807753012208},
        {-0.05814482891047583, -0.9983081582712682},
        {-0.28680323271109026, -0.9579895123154889},
        {-0.5, -0.8660254037844386},
        {-0.6862416378687336, -0.7273736415730487},
        {-0.8354878114129364, -0.549508978070806},
        {-0.9396926207859084, -0.3420201433256687},
        {-0.993238357741943, -0.11609291412523023},
        {-0.993238357741943, 0.11609291412523023},
        {-0.9396926207859084, 0.3420201433256687},
        {-0.8354878114129364, 0.549508978070806},
        {-0.6862416378687336, 0.7273736415730487},
        {-0.5, 0.8660254037844386},
        {-0.28680323271109026, 0.9579895123154889},
        {-0.05814482891047583, 0.9983081582712682},
        {0.17364817766693036, 0.984807753012208},
        {0.39607976603915684, 0.918216106880274},
        {0.5971585917027862, 0.8021231927550437},
        {0.766044443118978, 0.6427876096865394},
        {0.8936326403234123, 0.44879918020046217},
        {0.9730448705798238, 0.23061587074244017},
    };
};

// One complex constant in every lane.
template <class V> struct CConst;
template <class T> struct CConst<CScal<T>> {
    static VEK_INLINE CScal<T> of(double re, double im) noexcept { return {T(re), T(im)}; }
};
template <> struct CConst<CX<double>> {
    static VEK_INLINE CX<double> of(double re, double im) noexcept { return {_mm_setr_pd(re, im)}; }
};
template <> struct CConst<CX<float>> {
    static VEK_INLINE CX<float> of(double re, double im) noexcept {
        return {_mm_setr_ps(float(re), float(im), float(re), float(im))};
    }
};
template <> struct CConst<CH> {
    static VEK_INLINE CH of(double re, double im) noexcept {
        return {_mm_setr_ps(float(re), float(im), float(re), float(im))};
    }
};
template <> struct CConst<CVec<double>> {
    static VEK_INLINE CVec<double> of(double re, double im) noexcept { return {_mm256_setr_pd(re, im, re, im)}; }
};
template <> struct CConst<CVec<float>> {
    static VEK_INLINE CVec<float> of(double re, double im) noexcept {
        const float r = float(re), i = float(im);
        return {_mm256_setr_ps(r, i, r, i, r, i, r, i)};
    }
};

// The radices with a kernel of their own (no table of cosines at run time).
constexpr bool fixedRadix(int p) noexcept {
    switch (p) {
        case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 11:
        case 12: case 13: case 15: case 20: case 25: case 27: return true;
        default: return false;
    }
}

template <int P, bool Inv, class V> VEK_INLINE void bflyFixed(const V* x, V* y) noexcept;

constexpr int invMod(int a, int m) noexcept {
    for (int x = 1; x < m; ++x)
        if ((a * x) % m == 1) return x;
    return 1;
}

// N = N1 N2 with N1, N2 coprime: x[(N2 n1 + N1 n2) mod N] is a 2-d array whose
// transforms along both axes give X[(N2 e2 k1 + N1 e1 k2) mod N], e2 = N2^-1 mod N1,
// e1 = N1^-1 mod N2.
template <int N1, int N2, bool Inv, class V>
VEK_INLINE void bflyPfa(const V* x, V* y) noexcept {
    constexpr int N = N1 * N2;
    constexpr int e2 = invMod(N2 % N1, N1), e1 = invMod(N1 % N2, N2);
    V t[N];
#pragma GCC unroll 32
    for (int n2 = 0; n2 < N2; ++n2) {
        V a[N1], b[N1];
#pragma GCC unroll 32
        for (int n1 = 0; n1 < N1; ++n1) a[n1] = x[(N2 * n1 + N1 * n2) % N];
        bflyFixed<N1, Inv>(a, b);
#pragma GCC unroll 32
        for (int k1 = 0; k1 < N1; ++k1) t[k1 * N2 + n2] = b[k1];
    }
#pragma GCC unroll 32
    for (int k1 = 0; k1 < N1; ++k1) {
        V b[N2];
        bflyFixed<N2, Inv>(t + k1 * N2, b);
#pragma GCC unroll 32
        for (int k2 = 0; k2 < N2; ++k2) y[(N2 * e2 * k1 + N1 * e1 * k2) % N] = b[k2];
    }
}

// N = N1 N2 by decimation in time: transforms of length N1 over x[N2 n1 + n2], the
// twiddles w_N^(n2 k1), then transforms of length N2; X[k1 + N1 k2].
template <int N1, int N2, bool Inv, class V>
VEK_INLINE void bflyCt(const V* x, V* y) noexcept {
    constexpr int N = N1 * N2;
    V t[N];
#pragma GCC unroll 32
    for (int n2 = 0; n2 < N2; ++n2) {
        V a[N1], b[N1];
#pragma GCC unroll 32
        for (int n1 = 0; n1 < N1; ++n1) a[n1] = x[N2 * n1 + n2];
        bflyFixed<N1, Inv>(a, b);
#pragma GCC unroll 32
        for (int k1 = 0; k1 < N1; ++k1) {
            const int e = n2 * k1;
            t[k1 * N2 + n2] = e ? twiddle<Inv>(b[k1], CConst<V>::of(CtTw<N>::w[e][0], CtTw<N>::w[e][1])) : b[k1];
        }
    }
#pragma GCC unroll 32
    for (int k1 = 0; k1 < N1; ++k1) {
        V b[N2];
        bflyFixed<N2, Inv>(t + k1 * N2, b);
#pragma GCC unroll 32
        for (int k2 = 0; k2 < N2; ++k2) y[k1 + N1 * k2] = b[k2];
    }
}

template <int P, bool Inv, class V>
VEK_INLINE void bflyFixed(const V* x, V* y) noexcept {
    if constexpr (P == 2) bfly2<Inv>(x, y);
    else if constexpr (P == 4) bfly4<Inv>(x, y);
    else if constexpr (P == 8) bfly8<Inv>(x, y);
    else if constexpr (P == 6) bflyPfa<2, 3, Inv>(x, y);
    else if constexpr (P == 10) bflyPfa<2, 5, Inv>(x, y);
    else if constexpr (P == 12) bflyPfa<4, 3, Inv>(x, y);
    else if constexpr (P == 15) bflyPfa<3, 5, Inv>(x, y);
    else if constexpr (P == 20) bflyPfa<4, 5, Inv>(x, y);
    else if constexpr (P == 9) bflyCt<3, 3, Inv>(x, y);
    else if constexpr (P == 25) bflyCt<5, 5, Inv>(x, y);
    else if constexpr (P == 27) bflyCt<3, 9, Inv>(x, y);
    else bflyOdd<P, Inv>(x, y);
}

template <int P, bool Inv, class V>
VEK_INLINE void bfly(const V* x, V* y, int p, const typename V::E* trig) noexcept {
    if constexpr (P == 0) bflyGen<Inv>(x, y, p, trig);
    else bflyFixed<P, Inv>(x, y);
}

}  // namespace vek::dft
