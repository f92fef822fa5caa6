// Power-of-two FFT: ours against FFTW (planned with FFTW_MEASURE, one thread, wisdom
// kept within the run) on the same layout, forward, unnormalised, out of place:
// complex interleaved 32fc / 64fc, and real to CCS (FFTW's r2c half spectrum is the
// same array). Also the time of one Init.
#include <fftw3.h>

#include <memory>
#include <vector>

#include "bench.h"
#include "veks.h"

namespace {

template <class T> struct Ours;
template <> struct Ours<float> {
    using C = Vek32fc;
    static VekStatus sizeC(int o, int* a, int* b, int* c) { return veksFFTGetSize_C_32fc(o, 8, vekHintNone, a, b, c); }
    static VekStatus sizeR(int o, int* a, int* b, int* c) { return veksFFTGetSize_R_32f(o, 8, vekHintNone, a, b, c); }
    static void* initC(int o, Vek8u* p, Vek8u* b) {
        VeksFFTSpec_C_32fc* s = nullptr;
        veksFFTInit_C_32fc(&s, o, 8, vekHintNone, p, b);
        return s;
    }
    static void* initR(int o, Vek8u* p, Vek8u* b) {
        VeksFFTSpec_R_32f* s = nullptr;
        veksFFTInit_R_32f(&s, o, 8, vekHintNone, p, b);
        return s;
    }
    static void fwdC(const C* s, C* d, const void* p, Vek8u* w) { veksFFTFwd_CToC_32fc(s, d, (const VeksFFTSpec_C_32fc*)p, w); }
    static void fwdR(const float* s, float* d, const void* p, Vek8u* w) { veksFFTFwd_RToCCS_32f(s, d, (const VeksFFTSpec_R_32f*)p, w); }
};
template <> struct Ours<double> {
    using C = Vek64fc;
    static VekStatus sizeC(int o, int* a, int* b, int* c) { return veksFFTGetSize_C_64fc(o, 8, vekHintNone, a, b, c); }
    static VekStatus sizeR(int o, int* a, int* b, int* c) { return veksFFTGetSize_R_64f(o, 8, vekHintNone, a, b, c); }
    static void* initC(int o, Vek8u* p, Vek8u* b) {
        VeksFFTSpec_C_64fc* s = nullptr;
        veksFFTInit_C_64fc(&s, o, 8, vekHintNone, p, b);
        return s;
    }
    static void* initR(int o, Vek8u* p, Vek8u* b) {
        VeksFFTSpec_R_64f* s = nullptr;
        veksFFTInit_R_64f(&s, o, 8, vekHintNone, p, b);
        return s;
    }
    static void fwdC(const C* s, C* d, const void* p, Vek8u* w) { veksFFTFwd_CToC_64fc(s, d, (const VeksFFTSpec_C_64fc*)p, w); }
    static void fwdR(const double* s, double* d, const void* p, Vek8u* w) { veksFFTFwd_RToCCS_64f(s, d, (const VeksFFTSpec_R_64f*)p, w); }
};

template <class T> struct Fw;
template <> struct Fw<float> {
    using P = fftwf_plan;
    static void* alloc(std::size_t n) { return fftwf_malloc(n); }
    static void release(void* p) { fftwf_free(p); }
    static P c(int n, void* i, void* o) { return fftwf_plan_dft_1d(n, (fftwf_complex*)i, (fftwf_complex*)o, FFTW_FORWARD, FFTW_MEASURE); }
    static P r(int n, void* i, void* o) { return fftwf_plan_dft_r2c_1d(n, (float*)i, (fftwf_complex*)o, FFTW_MEASURE); }
    static void run(P p) { fftwf_execute(p); }
};
template <> struct Fw<double> {
    using P = fftw_plan;
    static void* alloc(std::size_t n) { return fftw_malloc(n); }
    static void release(void* p) { fftw_free(p); }
    static P c(int n, void* i, void* o) { return fftw_plan_dft_1d(n, (fftw_complex*)i, (fftw_complex*)o, FFTW_FORWARD, FFTW_MEASURE); }
    static P r(int n, void* i, void* o) { return fftw_plan_dft_r2c_1d(n, (double*)i, (fftw_complex*)o, FFTW_MEASURE); }
    static void run(P p) { fftw_execute(p); }
};

template <class T>
void regOne(const char* type, int o, bool real) {
    using C = typename Ours<T>::C;
    const int n = 1 << o;
    int a, b, c;
    if ((real ? Ours<T>::sizeR(o, &a, &b, &c) : Ours<T>::sizeC(o, &a, &b, &c)) != vekStsNoErr) return;
    const std::size_t inT = real ? std::size_t(n) : 2 * std::size_t(n), outT = real ? std::size_t(n) + 2 : 2 * std::size_t(n);
    const double bytes = double(inT + outT) * sizeof(T);
    const char* op = real ? "FFTFwd_RToCCS" : "FFTFwd_CToC";
    vb::regLazy(op, type, "ours", n, bytes, [=]() -> std::function<void()> {
        auto mem = std::make_shared<vb::Buf<Vek8u>>(std::size_t(a));
        auto work = std::make_shared<vb::Buf<Vek8u>>(std::size_t(c) + 1);
        vb::Buf<Vek8u> ib{std::size_t(b) + 1};
        void* spec = real ? Ours<T>::initR(o, mem->data(), ib.data()) : Ours<T>::initC(o, mem->data(), ib.data());
        auto src = std::make_shared<vb::Buf<T>>(inT);
        auto dst = std::make_shared<vb::Buf<T>>(outT);
        vb::fillRandom(src->data(), inT);
        if (real) return [=] { Ours<T>::fwdR(src->data(), dst->data(), spec, work->data()); (void)mem; };
        return [=] { Ours<T>::fwdC((const C*)src->data(), (C*)dst->data(), spec, work->data()); (void)mem; };
    });
    vb::regLazy(op, type, "fftw", n, bytes, [=]() -> std::function<void()> {
        auto in = std::shared_ptr<void>(Fw<T>::alloc(inT * sizeof(T)), Fw<T>::release);
        auto out = std::shared_ptr<void>(Fw<T>::alloc(outT * sizeof(T)), Fw<T>::release);
        auto p = real ? Fw<T>::r(n, in.get(), out.get()) : Fw<T>::c(n, in.get(), out.get());
        vb::fillRandom((T*)in.get(), inT);
        return [=] { Fw<T>::run(p); (void)in; (void)out; };
    });
}

// Building a spec of 4096 points (complex 32fc) against FFTW's planning of the same
// transform with FFTW_ESTIMATE (its cheapest planner).
void regInit() {
    const int o = 12, n = 1 << o;
    int a, b, c;
    veksFFTGetSize_C_32fc(o, 8, vekHintNone, &a, &b, &c);
    auto mem = std::make_shared<vb::Buf<Vek8u>>(std::size_t(a));
    auto ib = std::make_shared<vb::Buf<Vek8u>>(std::size_t(b) + 1);
    vb::reg("FFTInit_C", "32fc", "ours", n, 0, [=] { Ours<float>::initC(o, mem->data(), ib->data()); });
    auto in = std::shared_ptr<void>(fftwf_malloc(8 * n), fftwf_free);
    auto out = std::shared_ptr<void>(fftwf_malloc(8 * n), fftwf_free);
    vb::reg("FFTInit_C", "32fc", "fftw", n, 0, [=] {
        fftwf_plan p = fftwf_plan_dft_1d(n, (fftwf_complex*)in.get(), (fftwf_complex*)out.get(), FFTW_FORWARD, FFTW_ESTIMATE);
        fftwf_destroy_plan(p);
    });
}

}  // namespace

VB_REGISTER {
    for (int o = 4; o <= 20; ++o) {
        regOne<float>("32fc", o, false);
        regOne<double>("64fc", o, false);
        regOne<float>("32f", o, true);
        regOne<double>("64f", o, true);
    }
    regInit();
}
