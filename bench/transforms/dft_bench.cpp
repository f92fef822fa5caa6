// DFT of any length: ours against FFTW (planned with FFTW_MEASURE, one thread) on the
// same interleaved layout, forward, unnormalised, out of place.
#include <fftw3.h>

#include <complex>
#include <memory>
#include <vector>

#include "bench.h"
#include "veks.h"

namespace {

template <class T> struct Ours;
template <> struct Ours<float> {
    using C = Vek32fc;
    static VekStatus size(int n, int* a, int* b, int* c) { return veksDFTGetSize_C_32fc(n, 8, vekHintNone, a, b, c); }
    static VekStatus init(int n, void* p, Vek8u* b) { return veksDFTInit_C_32fc(n, 8, vekHintNone, (VeksDFTSpec_C_32fc*)p, b); }
    static void fwd(const C* s, C* d, const void* p, Vek8u* w) { veksDFTFwd_CToC_32fc(s, d, (const VeksDFTSpec_C_32fc*)p, w); }
};
template <> struct Ours<double> {
    using C = Vek64fc;
    static VekStatus size(int n, int* a, int* b, int* c) { return veksDFTGetSize_C_64fc(n, 8, vekHintNone, a, b, c); }
    static VekStatus init(int n, void* p, Vek8u* b) { return veksDFTInit_C_64fc(n, 8, vekHintNone, (VeksDFTSpec_C_64fc*)p, b); }
    static void fwd(const C* s, C* d, const void* p, Vek8u* w) { veksDFTFwd_CToC_64fc(s, d, (const VeksDFTSpec_C_64fc*)p, w); }
};

template <class T>
void regComplex(const char* type, int n) {
    using C = typename Ours<T>::C;
    int a, b, c;
    if (Ours<T>::size(n, &a, &b, &c) != vekStsNoErr) return;
    const double bytes = 4.0 * n * sizeof(T);
    vb::regLazy("DFTFwd_CToC", type, "ours", n, bytes, [=]() -> std::function<void()> {
        auto spec = std::make_shared<vb::Buf<Vek8u>>(std::size_t(a));
        auto work = std::make_shared<vb::Buf<Vek8u>>(std::size_t(c));
        vb::Buf<Vek8u> ib{std::size_t(b) + 1};
        Ours<T>::init(n, spec->data(), ib.data());
        auto src = std::make_shared<vb::Buf<C>>(std::size_t(n));
        auto dst = std::make_shared<vb::Buf<C>>(std::size_t(n));
        vb::fillRandom(reinterpret_cast<T*>(src->data()), 2 * std::size_t(n));
        return [=] { Ours<T>::fwd(src->data(), dst->data(), spec->data(), work->data()); };
    });
    vb::regLazy("DFTFwd_CToC", type, "fftw", n, bytes, [=]() -> std::function<void()> {
        if constexpr (sizeof(T) == 4) {
            auto in = std::shared_ptr<void>(fftwf_alloc_complex(n), fftwf_free);
            auto out = std::shared_ptr<void>(fftwf_alloc_complex(n), fftwf_free);
            fftwf_plan p = fftwf_plan_dft_1d(n, (fftwf_complex*)in.get(), (fftwf_complex*)out.get(), FFTW_FORWARD, FFTW_MEASURE);
            vb::fillRandom(reinterpret_cast<float*>(in.get()), 2 * std::size_t(n));
            return [=] { fftwf_execute(p); (void)in; (void)out; };
        } else {
            auto in = std::shared_ptr<void>(fftw_alloc_complex(n), fftw_free);
            auto out = std::shared_ptr<void>(fftw_alloc_complex(n), fftw_free);
            fftw_plan p = fftw_plan_dft_1d(n, (fftw_complex*)in.get(), (fftw_complex*)out.get(), FFTW_FORWARD, FFTW_MEASURE);
            vb::fillRandom(reinterpret_cast<double*>(in.get()), 2 * std::size_t(n));
            return [=] { fftw_execute(p); (void)in; (void)out; };
        }
    });
}

template <class T> struct OursR;
template <> struct OursR<float> {
    using S = VeksDFTSpec_R_32f;
    static VekStatus size(int n, int* a, int* b, int* c) { return veksDFTGetSize_R_32f(n, 8, vekHintNone, a, b, c); }
    static VekStatus init(int n, void* p, Vek8u* b) { return veksDFTInit_R_32f(n, 8, vekHintNone, (S*)p, b); }
    static void fwd(const float* s, float* d, const void* p, Vek8u* w) { veksDFTFwd_RToCCS_32f(s, d, (const S*)p, w); }
};
template <> struct OursR<double> {
    using S = VeksDFTSpec_R_64f;
    static VekStatus size(int n, int* a, int* b, int* c) { return veksDFTGetSize_R_64f(n, 8, vekHintNone, a, b, c); }
    static VekStatus init(int n, void* p, Vek8u* b) { return veksDFTInit_R_64f(n, 8, vekHintNone, (S*)p, b); }
    static void fwd(const double* s, double* d, const void* p, Vek8u* w) { veksDFTFwd_RToCCS_64f(s, d, (const S*)p, w); }
};

template <class T>
void regReal(const char* type, int n) {
    int a, b, c;
    if (OursR<T>::size(n, &a, &b, &c) != vekStsNoErr) return;
    const double bytes = 2.0 * n * sizeof(T);
    vb::regLazy("DFTFwd_RToCCS", type, "ours", n, bytes, [=]() -> std::function<void()> {
        auto spec = std::make_shared<vb::Buf<Vek8u>>(std::size_t(a));
        auto work = std::make_shared<vb::Buf<Vek8u>>(std::size_t(c));
        vb::Buf<Vek8u> ib{std::size_t(b) + 1};
        OursR<T>::init(n, spec->data(), ib.data());
        auto src = std::make_shared<vb::Buf<T>>(std::size_t(n));
        auto dst = std::make_shared<vb::Buf<T>>(std::size_t(n) + 2);
        vb::fillRandom(src->data(), std::size_t(n));
        return [=] { OursR<T>::fwd(src->data(), dst->data(), spec->data(), work->data()); };
    });
    vb::regLazy("DFTFwd_RToCCS", type, "fftw", n, bytes, [=]() -> std::function<void()> {
        if constexpr (sizeof(T) == 4) {
            auto in = std::shared_ptr<void>(fftwf_alloc_real(n), fftwf_free);
            auto out = std::shared_ptr<void>(fftwf_alloc_complex(n / 2 + 1), fftwf_free);
            fftwf_plan p = fftwf_plan_dft_r2c_1d(n, (float*)in.get(), (fftwf_complex*)out.get(), FFTW_MEASURE);
            vb::fillRandom((float*)in.get(), std::size_t(n));
            return [=] { fftwf_execute(p); (void)in; (void)out; };
        } else {
            auto in = std::shared_ptr<void>(fftw_alloc_real(n), fftw_free);
            auto out = std::shared_ptr<void>(fftw_alloc_complex(n / 2 + 1), fftw_free);
            fftw_plan p = fftw_plan_dft_r2c_1d(n, (double*)in.get(), (fftw_complex*)out.get(), FFTW_MEASURE);
            vb::fillRandom((double*)in.get(), std::size_t(n));
            return [=] { fftw_execute(p); (void)in; (void)out; };
        }
    });
}

}  // namespace

VB_REGISTER {
    for (int n : {12, 15, 30, 60, 100, 243, 1000, 1536, 12288, 1009, 10007, 65537}) {
        regComplex<float>("32fc", n);
        regComplex<double>("64fc", n);
    }
    for (int n : {60, 1000, 1536, 12288, 1009, 10007}) {
        regReal<float>("32f", n);
        regReal<double>("64f", n);
    }
}
