// Vector math on 4096-element arrays: our kernels by accuracy class against glibc's
// libmvec AVX2 variants (low accuracy, about 4 ulp) and SLEEF's AVX2 functions (u10 for
// high accuracy, u35 for low), each peer called on its native vectors in a plain loop.
// The exported Sqrt runs against a loop of the square-root instruction.
#include <immintrin.h>
#include <sleef.h>

#include <string>

#include "bench.h"
#include "vecmath/vm.h"
#include "veks.h"

extern "C" {
__m256 _ZGVdN8v_expf(__m256);
__m256 _ZGVdN8v_logf(__m256);
__m256 _ZGVdN8v_sinf(__m256);
__m256 _ZGVdN8v_cosf(__m256);
__m256 _ZGVdN8v_atanf(__m256);
__m256 _ZGVdN8v_cbrtf(__m256);
__m256 _ZGVdN8vv_atan2f(__m256, __m256);
__m256 _ZGVdN8vv_powf(__m256, __m256);
__m256d _ZGVdN4v_exp(__m256d);
__m256d _ZGVdN4v_log(__m256d);
__m256d _ZGVdN4v_sin(__m256d);
__m256d _ZGVdN4v_cos(__m256d);
__m256d _ZGVdN4v_atan(__m256d);
__m256d _ZGVdN4v_cbrt(__m256d);
__m256d _ZGVdN4vv_atan2(__m256d, __m256d);
__m256d _ZGVdN4vv_pow(__m256d, __m256d);
}

namespace {

namespace vm = vek::vm;
constexpr int kN = 4096;

template <class T> struct V;
template <> struct V<float> {
    using type = __m256;
    static type ld(const float* p) { return _mm256_load_ps(p); }
    static void st(float* p, type v) { _mm256_store_ps(p, v); }
};
template <> struct V<double> {
    using type = __m256d;
    static type ld(const double* p) { return _mm256_load_pd(p); }
    static void st(double* p, type v) { _mm256_store_pd(p, v); }
};

template <class T> const char* tname() { return sizeof(T) == 4 ? "32f" : "64f"; }

// A peer's vector function over the array.
template <class T, class F>
void peer1(F f, const T* x, T* y) {
    using W = V<T>;
    for (int i = 0; i < kN; i += 32 / int(sizeof(T))) W::st(y + i, f(W::ld(x + i)));
}
template <class T, class F>
void peer2(F f, const T* x, const T* z, T* y) {
    using W = V<T>;
    for (int i = 0; i < kN; i += 32 / int(sizeof(T))) W::st(y + i, f(W::ld(x + i), W::ld(z + i)));
}

struct Data {
    vb::Buf<float> xf{kN}, zf{kN}, yf{kN};
    vb::Buf<double> xd{kN}, zd{kN}, yd{kN};
    template <class T> T* x();
    template <class T> T* z();
    template <class T> T* y();
};
template <> float* Data::x<float>() { return xf; }
template <> float* Data::z<float>() { return zf; }
template <> float* Data::y<float>() { return yf; }
template <> double* Data::x<double>() { return xd; }
template <> double* Data::z<double>() { return zd; }
template <> double* Data::y<double>() { return yd; }

// One benchmark set per function: "<fn>_LA" (ours low accuracy vs libmvec and SLEEF
// u35) and "<fn>_HA" (ours high accuracy vs SLEEF u10); a null peer is left out.
template <class T, class Ours, class Mvec, class S35, class S10>
void reg1(const std::string& fn, double lo, double hi, Ours ours, Mvec mvec, S35 s35, S10 s10) {
    auto* D = new Data;
    vb::fillRandom(D->template x<T>(), kN, lo, hi, 7);
    T* x = D->template x<T>();
    T* y = D->template y<T>();
    const std::string t = tname<T>();
    vb::reg(fn + "_LA", t, "ours", kN, 0, [=] { ours(x, y, vm::Accuracy::LA); });
    if constexpr (!std::is_same_v<Mvec, std::nullptr_t>) vb::reg(fn + "_LA", t, "libmvec", kN, 0, [=] { peer1<T>(mvec, x, y); });
    if constexpr (!std::is_same_v<S35, std::nullptr_t>) vb::reg(fn + "_LA", t, "sleef_u35", kN, 0, [=] { peer1<T>(s35, x, y); });
    vb::reg(fn + "_HA", t, "ours", kN, 0, [=] { ours(x, y, vm::Accuracy::HA); });
    if constexpr (!std::is_same_v<S10, std::nullptr_t>) vb::reg(fn + "_HA", t, "sleef_u10", kN, 0, [=] { peer1<T>(s10, x, y); });
}
template <class T, class Ours, class Mvec, class S35, class S10>
void reg2(const std::string& fn, double lo, double hi, double lo2, double hi2, Ours ours, Mvec mvec, S35 s35,
          S10 s10) {
    auto* D = new Data;
    vb::fillRandom(D->template x<T>(), kN, lo, hi, 7);
    vb::fillRandom(D->template z<T>(), kN, lo2, hi2, 8);
    T* x = D->template x<T>();
    T* z = D->template z<T>();
    T* y = D->template y<T>();
    const std::string t = tname<T>();
    vb::reg(fn + "_LA", t, "ours", kN, 0, [=] { ours(x, z, y, vm::Accuracy::LA); });
    vb::reg(fn + "_LA", t, "libmvec", kN, 0, [=] { peer2<T>(mvec, x, z, y); });
    if constexpr (!std::is_same_v<S35, std::nullptr_t>) vb::reg(fn + "_LA", t, "sleef_u35", kN, 0, [=] { peer2<T>(s35, x, z, y); });
    vb::reg(fn + "_HA", t, "ours", kN, 0, [=] { ours(x, z, y, vm::Accuracy::HA); });
    vb::reg(fn + "_HA", t, "sleef_u10", kN, 0, [=] { peer2<T>(s10, x, z, y); });
}

#define OURS1(f, T) [](const T* a, T* b, vm::Accuracy c) { vm::f(a, b, kN, c); }
#define OURS2(f, T) [](const T* a, const T* b, T* r, vm::Accuracy c) { vm::f(a, b, r, kN, c); }

VB_REGISTER {
    reg1<float>("exp", -80, 80, OURS1(exp, float), _ZGVdN8v_expf, nullptr, Sleef_expf8_u10avx2);
    reg1<double>("exp", -700, 700, OURS1(exp, double), _ZGVdN4v_exp, nullptr, Sleef_expd4_u10avx2);
    reg1<float>("log", 1e-3, 1e3, OURS1(ln, float), _ZGVdN8v_logf, Sleef_logf8_u35avx2, Sleef_logf8_u10avx2);
    reg1<double>("log", 1e-3, 1e3, OURS1(ln, double), _ZGVdN4v_log, Sleef_logd4_u35avx2, Sleef_logd4_u10avx2);
    reg1<float>("sin", -100, 100, OURS1(sin, float), _ZGVdN8v_sinf, Sleef_sinf8_u35avx2, Sleef_sinf8_u10avx2);
    reg1<double>("sin", -100, 100, OURS1(sin, double), _ZGVdN4v_sin, Sleef_sind4_u35avx2, Sleef_sind4_u10avx2);
    reg1<float>("cos", -100, 100, OURS1(cos, float), _ZGVdN8v_cosf, Sleef_cosf8_u35avx2, Sleef_cosf8_u10avx2);
    reg1<double>("cos", -100, 100, OURS1(cos, double), _ZGVdN4v_cos, Sleef_cosd4_u35avx2, Sleef_cosd4_u10avx2);
    reg1<float>("atan", -10, 10, OURS1(atan, float), _ZGVdN8v_atanf, Sleef_atanf8_u35avx2, Sleef_atanf8_u10avx2);
    reg1<double>("atan", -10, 10, OURS1(atan, double), _ZGVdN4v_atan, Sleef_atand4_u35avx2, Sleef_atand4_u10avx2);
    reg1<float>("sqrt", 0, 1e3, OURS1(sqrt, float), nullptr, Sleef_sqrtf8_u35avx2, Sleef_sqrtf8_u05avx2);
    reg1<double>("sqrt", 0, 1e3, OURS1(sqrt, double), nullptr, Sleef_sqrtd4_u35avx2, Sleef_sqrtd4_u05avx2);
    reg1<float>("cbrt", -1e3, 1e3, OURS1(cbrt, float), _ZGVdN8v_cbrtf, Sleef_cbrtf8_u35avx2, Sleef_cbrtf8_u10avx2);
    reg1<double>("cbrt", -1e3, 1e3, OURS1(cbrt, double), _ZGVdN4v_cbrt, Sleef_cbrtd4_u35avx2, Sleef_cbrtd4_u10avx2);
    reg2<float>("atan2", -1, 1, -1, 1, OURS2(atan2, float), _ZGVdN8vv_atan2f, Sleef_atan2f8_u35avx2, Sleef_atan2f8_u10avx2);
    reg2<double>("atan2", -1, 1, -1, 1, OURS2(atan2, double), _ZGVdN4vv_atan2, Sleef_atan2d4_u35avx2, Sleef_atan2d4_u10avx2);
    reg2<float>("pow", 0.1, 10, -10, 10, OURS2(pow, float), _ZGVdN8vv_powf, nullptr, Sleef_powf8_u10avx2);
    reg2<double>("pow", 0.1, 10, -10, 10, OURS2(pow, double), _ZGVdN4vv_pow, nullptr, Sleef_powd4_u10avx2);

    // Exported square roots against the plain instruction loop.
    static vb::Buf<float> sf(kN), df(kN);
    static vb::Buf<double> sd(kN), dd(kN);
    vb::fillRandom(sf.data(), kN, 0, 1e3, 3);
    vb::fillRandom(sd.data(), kN, 0, 1e3, 3);
    vb::reg("Sqrt", "32f", "ours", kN, 8.0 * kN, [] { veksSqrt_32f(sf, df, kN); });
    vb::reg("Sqrt", "32f", "loop", kN, 8.0 * kN, [] { peer1<float>([](__m256 v) { return _mm256_sqrt_ps(v); }, sf, df); });
    vb::reg("Sqrt", "64f", "ours", kN, 16.0 * kN, [] { veksSqrt_64f(sd, dd, kN); });
    vb::reg("Sqrt", "64f", "loop", kN, 16.0 * kN, [] { peer1<double>([](__m256d v) { return _mm256_sqrt_pd(v); }, sd, dd); });
    vb::reg("Exp", "32f", "ours", kN, 0, [] { veksExp_32f(sf, df, kN); });
    vb::reg("Exp", "32f", "libmvec", kN, 0, [] { peer1<float>(_ZGVdN8v_expf, sf, df); });
    vb::reg("Ln", "64f", "ours", kN, 0, [] { veksLn_64f(sd, dd, kN); });
    vb::reg("Ln", "64f", "libmvec", kN, 0, [] { peer1<double>(_ZGVdN4v_log, sd, dd); });
}

}  // namespace
