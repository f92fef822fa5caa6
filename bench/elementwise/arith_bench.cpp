// Arithmetic and conversions at 4096 elements (L1) and 4 Mi elements (beyond the
// caches): ours against VOLK's AVX/AVX2 kernels called directly (its dispatcher would
// pick AVX-512 variants where the machine has them) and against plain loops compiled
// here with -O3 -mavx2 -mfma. Bytes are the reads plus the writes of one call.
#define LV_HAVE_AVX 1
#define LV_HAVE_AVX2 1
#define LV_HAVE_FMA 1
#include <immintrin.h>
#include <volk/volk_complex.h>
#include <volk/volk_16i_s32f_convert_32f.h>
#include <volk/volk_32f_s32f_convert_16i.h>
#include <volk/volk_32f_s32f_multiply_32f.h>
#include <volk/volk_32f_x2_add_32f.h>
#include <volk/volk_32f_x2_divide_32f.h>
#include <volk/volk_32fc_x2_multiply_32fc.h>

#include <cmath>
#include <complex>
#include <cstdint>

#include "bench.h"
#include "veks.h"

namespace {

#define VB_LOOP __attribute__((noinline))
VB_LOOP void loopAdd(const float* a, const float* b, float* d, int n) { for (int i = 0; i < n; ++i) d[i] = a[i] + b[i]; }
VB_LOOP void loopMulC(const float* a, float c, float* d, int n) { for (int i = 0; i < n; ++i) d[i] = a[i] * c; }
VB_LOOP void loopDiv(const float* a, const float* b, float* d, int n) { for (int i = 0; i < n; ++i) d[i] = b[i] / a[i]; }
VB_LOOP void loopMulC32(const float* a, const float* b, float* d, int n) {
    for (int i = 0; i < n; ++i) {
        const float ar = a[2 * i], ai = a[2 * i + 1], br = b[2 * i], bi = b[2 * i + 1];
        d[2 * i] = ar * br - ai * bi;
        d[2 * i + 1] = ar * bi + ai * br;
    }
}
VB_LOOP void loopAdd16(const int16_t* a, const int16_t* b, int16_t* d, int n) {
    for (int i = 0; i < n; ++i) {   // sum scaled by 2^-1, ties to even, saturated
        int s = a[i] + b[i];
        int q = (s + ((s >> 1) & 1)) >> 1;
        d[i] = int16_t(q < -32768 ? -32768 : q > 32767 ? 32767 : q);
    }
}
VB_LOOP void loopMulC16(const int16_t* a, int16_t c, int16_t* d, int n) {
    for (int i = 0; i < n; ++i) {
        int p = a[i] * c;
        int q = (p + (1 << 7) - 1 + ((p >> 8) & 1)) >> 8;
        d[i] = int16_t(q < -32768 ? -32768 : q > 32767 ? 32767 : q);
    }
}
VB_LOOP void loopTo16s(const float* a, int16_t* d, int n) {
    for (int i = 0; i < n; ++i) {
        float v = std::nearbyint(a[i] * 256.0f);
        d[i] = int16_t(v < -32768.f ? -32768.f : v > 32767.f ? 32767.f : v);
    }
}
VB_LOOP void loopFrom16s(const int16_t* a, float* d, int n) { for (int i = 0; i < n; ++i) d[i] = float(a[i]); }
VB_LOOP void loopTo16f(const float* a, uint16_t* d, int n) {
    for (int i = 0; i + 8 <= n; i += 8)
        _mm_storeu_si128((__m128i*)(d + i), _mm256_cvtps_ph(_mm256_loadu_ps(a + i), _MM_FROUND_TO_NEAREST_INT));
}
VB_LOOP void loopFrom16f(const uint16_t* a, float* d, int n) {
    for (int i = 0; i + 8 <= n; i += 8) _mm256_storeu_ps(d + i, _mm256_cvtph_ps(_mm_loadu_si128((const __m128i*)(a + i))));
}

template <class T>
vb::Buf<T>* mk(std::size_t n, double lo = -1, double hi = 1, unsigned seed = 1) {
    auto* b = new vb::Buf<T>(n);
    if constexpr (std::is_floating_point_v<T>) vb::fillRandom(b->p, n, lo, hi, seed);
    else {
        std::mt19937 g(seed);
        for (std::size_t i = 0; i < n; ++i) b->p[i] = T(g());
    }
    return b;
}

void regAll(int n) {
    const unsigned un = unsigned(n);
    auto *a = mk<float>(2 * n), *b = mk<float>(2 * n, 0.5, 2.0, 2), *d = mk<float>(2 * n);
    auto *s1 = mk<int16_t>(n, 0, 0, 3), *s2 = mk<int16_t>(n, 0, 0, 4), *sd = mk<int16_t>(n, 0, 0, 5);
    auto* h = new vb::Buf<uint16_t>(n);
    for (int i = 0; i < n; ++i) h->p[i] = uint16_t(0x3000 + (i & 0x0fff));
    const double f3 = 12.0 * n, f2 = 8.0 * n;
    vb::reg("Add", "32f", "ours", n, f3, [=] { veksAdd_32f(a->p, b->p, d->p, n); });
    vb::reg("Add", "32f", "volk", n, f3, [=] { volk_32f_x2_add_32f_u_avx(d->p, a->p, b->p, un); });
    vb::reg("Add", "32f", "loop", n, f3, [=] { loopAdd(a->p, b->p, d->p, n); });
    vb::reg("Mul", "32fc", "ours", n, 2 * f3, [=] {
        veksMul_32fc((const Vek32fc*)a->p, (const Vek32fc*)b->p, (Vek32fc*)d->p, n);
    });
    vb::reg("Mul", "32fc", "volk", n, 2 * f3, [=] {
        volk_32fc_x2_multiply_32fc_u_avx2_fma((lv_32fc_t*)d->p, (const lv_32fc_t*)a->p, (const lv_32fc_t*)b->p, un);
    });
    vb::reg("Mul", "32fc", "loop", n, 2 * f3, [=] { loopMulC32(a->p, b->p, d->p, n); });
    vb::reg("MulC", "32f", "ours", n, f2, [=] { veksMulC_32f(a->p, 1.5f, d->p, n); });
    vb::reg("MulC", "32f", "volk", n, f2, [=] { volk_32f_s32f_multiply_32f_u_avx(d->p, a->p, 1.5f, un); });
    vb::reg("MulC", "32f", "loop", n, f2, [=] { loopMulC(a->p, 1.5f, d->p, n); });
    vb::reg("Div", "32f", "ours", n, f3, [=] { veksDiv_32f(b->p, a->p, d->p, n); });
    vb::reg("Div", "32f", "volk", n, f3, [=] { volk_32f_x2_divide_32f_u_avx(d->p, a->p, b->p, un); });
    vb::reg("Div", "32f", "loop", n, f3, [=] { loopDiv(b->p, a->p, d->p, n); });
    vb::reg("Add_Sfs", "16s", "ours", n, 6.0 * n, [=] { veksAdd_16s_Sfs(s1->p, s2->p, sd->p, n, 1); });
    vb::reg("Add_Sfs", "16s", "loop", n, 6.0 * n, [=] { loopAdd16(s1->p, s2->p, sd->p, n); });
    vb::reg("MulC_Sfs", "16s", "ours", n, 4.0 * n, [=] { veksMulC_16s_Sfs(s1->p, 77, sd->p, n, 8); });
    vb::reg("MulC_Sfs", "16s", "loop", n, 4.0 * n, [=] { loopMulC16(s1->p, 77, sd->p, n); });
    vb::reg("Convert_32f16s_Sfs", "32f16s", "ours", n, 6.0 * n, [=] { veksConvert_32f16s_Sfs(a->p, sd->p, n, vekRoundNear, -8); });
    vb::reg("Convert_32f16s_Sfs", "32f16s", "volk", n, 6.0 * n, [=] { volk_32f_s32f_convert_16i_u_avx2(sd->p, a->p, 256.0f, un); });
    vb::reg("Convert_32f16s_Sfs", "32f16s", "loop", n, 6.0 * n, [=] { loopTo16s(a->p, sd->p, n); });
    vb::reg("Convert_16s32f", "16s32f", "ours", n, 6.0 * n, [=] { veksConvert_16s32f(s1->p, d->p, n); });
    vb::reg("Convert_16s32f", "16s32f", "volk", n, 6.0 * n, [=] { volk_16i_s32f_convert_32f_u_avx2(d->p, s1->p, 1.0f, un); });
    vb::reg("Convert_16s32f", "16s32f", "loop", n, 6.0 * n, [=] { loopFrom16s(s1->p, d->p, n); });
    vb::reg("Convert_32f16f", "32f16f", "ours", n, 6.0 * n, [=] { veksConvert_32f16f(a->p, h->p, n, vekRoundNear); });
    vb::reg("Convert_32f16f", "32f16f", "loop", n, 6.0 * n, [=] { loopTo16f(a->p, h->p, n); });
    vb::reg("Convert_16f32f", "16f32f", "ours", n, 6.0 * n, [=] { veksConvert_16f32f(h->p, d->p, n); });
    vb::reg("Convert_16f32f", "16f32f", "loop", n, 6.0 * n, [=] { loopFrom16f(h->p, d->p, n); });
}

}  // namespace

VB_REGISTER {
    regAll(4096);
    regAll(4 << 20);
}
