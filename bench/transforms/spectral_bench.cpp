// DCT-II/III against FFTW's REDFT10/REDFT01 (FFTW_MEASURE, one thread; FFTW's
// transforms are unnormalised, ours orthonormal: the scaling is part of our cost), and
// Goertzel against a plain single-precision Goertzel recursion loop. Goertzel bytes
// are the input read, so the table shows input bandwidth; 8 flops per complex sample.
#include <fftw3.h>

#include <cmath>
#include <memory>

#include "bench.h"
#include "veks.h"

namespace {

template <class T> struct Api;
template <> struct Api<float> {
    static VekStatus size(int n, int* a, int* b, int* c) { return veksDCTFwdGetSize_32f(n, vekHintNone, a, b, c); }
    static void initF(void** s, int n, Vek8u* m, Vek8u* b) { veksDCTFwdInit_32f((VeksDCTFwdSpec_32f**)s, n, vekHintNone, m, b); }
    static void initI(void** s, int n, Vek8u* m, Vek8u* b) { veksDCTInvInit_32f((VeksDCTInvSpec_32f**)s, n, vekHintNone, m, b); }
    static void fwd(const float* x, float* y, void* s, Vek8u* w) { veksDCTFwd_32f(x, y, (VeksDCTFwdSpec_32f*)s, w); }
    static void inv(const float* x, float* y, void* s, Vek8u* w) { veksDCTInv_32f(x, y, (VeksDCTInvSpec_32f*)s, w); }
};
template <> struct Api<double> {
    static VekStatus size(int n, int* a, int* b, int* c) { return veksDCTFwdGetSize_64f(n, vekHintNone, a, b, c); }
    static void initF(void** s, int n, Vek8u* m, Vek8u* b) { veksDCTFwdInit_64f((VeksDCTFwdSpec_64f**)s, n, vekHintNone, m, b); }
    static void initI(void** s, int n, Vek8u* m, Vek8u* b) { veksDCTInvInit_64f((VeksDCTInvSpec_64f**)s, n, vekHintNone, m, b); }
    static void fwd(const double* x, double* y, void* s, Vek8u* w) { veksDCTFwd_64f(x, y, (VeksDCTFwdSpec_64f*)s, w); }
    static void inv(const double* x, double* y, void* s, Vek8u* w) { veksDCTInv_64f(x, y, (VeksDCTInvSpec_64f*)s, w); }
};

template <class T>
void regDct(const char* type, int n) {
    int a, b, c;
    if (Api<T>::size(n, &a, &b, &c) != vekStsNoErr) return;
    const double bytes = 2.0 * n * sizeof(T);
    for (bool inv : {false, true}) {
        vb::regLazy(inv ? "DCTInv" : "DCTFwd", type, "ours", n, bytes, [=]() -> std::function<void()> {
            auto m = std::make_shared<vb::Buf<Vek8u>>(std::size_t(a));
            auto work = std::make_shared<vb::Buf<Vek8u>>(std::size_t(c) + 1);
            vb::Buf<Vek8u> ib{std::size_t(b) + 1};
            void* s = nullptr;
            (inv ? Api<T>::initI : Api<T>::initF)(&s, n, m->data(), ib.data());
            auto x = std::make_shared<vb::Buf<T>>(std::size_t(n));
            auto y = std::make_shared<vb::Buf<T>>(std::size_t(n));
            vb::fillRandom(x->data(), std::size_t(n));
            auto run = inv ? Api<T>::inv : Api<T>::fwd;
            return [=] { run(x->data(), y->data(), s, work->data()); (void)m; };
        });
        vb::regLazy(inv ? "DCTInv" : "DCTFwd", type, "fftw", n, bytes, [=]() -> std::function<void()> {
            if constexpr (sizeof(T) == 4) {
                auto in = std::shared_ptr<float>(fftwf_alloc_real(n), fftwf_free);
                auto out = std::shared_ptr<float>(fftwf_alloc_real(n), fftwf_free);
                fftwf_plan p = fftwf_plan_r2r_1d(n, in.get(), out.get(), inv ? FFTW_REDFT01 : FFTW_REDFT10, FFTW_MEASURE);
                vb::fillRandom(in.get(), std::size_t(n));
                return [=] { fftwf_execute(p); (void)in; (void)out; };
            } else {
                auto in = std::shared_ptr<double>(fftw_alloc_real(n), fftw_free);
                auto out = std::shared_ptr<double>(fftw_alloc_real(n), fftw_free);
                fftw_plan p = fftw_plan_r2r_1d(n, in.get(), out.get(), inv ? FFTW_REDFT01 : FFTW_REDFT10, FFTW_MEASURE);
                vb::fillRandom(in.get(), std::size_t(n));
                return [=] { fftw_execute(p); (void)in; (void)out; };
            }
        });
    }
}

// The textbook complex Goertzel in single precision.
__attribute__((noinline)) Vek32fc goertzLoop(const Vek32fc* x, int n, float f) {
    const float c = std::cos(6.2831853f * f), s = std::sin(6.2831853f * f), c2 = 2 * c;
    float r1 = 0, r2 = 0, i1 = 0, i2 = 0;
    for (int k = 0; k < n; ++k) {
        float r0 = x[k].re + c2 * r1 - r2, i0 = x[k].im + c2 * i1 - i2;
        r2 = r1; r1 = r0; i2 = i1; i1 = i0;
    }
    return {c * r1 - r2 - s * i1, c * i1 - i2 + s * r1};
}

void regGoertz(int n) {
    auto x = std::make_shared<vb::Buf<Vek32fc>>(std::size_t(n));
    vb::fillRandom(reinterpret_cast<float*>(x->data()), 2 * std::size_t(n));
    const double bytes = 8.0 * n;
    vb::reg("Goertz", "32fc", "ours", n, bytes, [=] {
        Vek32fc v;
        veksGoertz_32fc(x->data(), n, &v, 0.1234f);
        benchmark::DoNotOptimize(v);
    });
    vb::reg("Goertz", "32fc", "loop", n, bytes, [=] {
        Vek32fc v = goertzLoop(x->data(), n, 0.1234f);
        benchmark::DoNotOptimize(v);
    });
}

}  // namespace

VB_REGISTER {
    for (int e = 4; e <= 16; ++e) {
        regDct<float>("32f", 1 << e);
        regDct<double>("64f", 1 << e);
    }
    for (int n : {1000, 1536}) {
        regDct<float>("32f", n);
        regDct<double>("64f", n);
    }
    for (int n : {256, 4096, 65536}) regGoertz(n);
}
