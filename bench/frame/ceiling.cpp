// The memory-bandwidth ceiling of this machine, measured in the same run as everything
// else: read, copy and triad with plain AVX2 loops at L1, L2, L3 and DRAM sizes.
// Reported as "ceiling/<kind>/loop/<bytes per array>"; the table script uses copy to
// express elementwise results as a fraction of the limit.
#include <immintrin.h>

#include "bench.h"

namespace {

void readLoop(const float* a, std::size_t n) {
    __m256 s0 = _mm256_setzero_ps(), s1 = s0, s2 = s0, s3 = s0;
    for (std::size_t i = 0; i + 32 <= n; i += 32) {
        s0 = _mm256_add_ps(s0, _mm256_load_ps(a + i));
        s1 = _mm256_add_ps(s1, _mm256_load_ps(a + i + 8));
        s2 = _mm256_add_ps(s2, _mm256_load_ps(a + i + 16));
        s3 = _mm256_add_ps(s3, _mm256_load_ps(a + i + 24));
    }
    benchmark::DoNotOptimize(_mm256_add_ps(_mm256_add_ps(s0, s1), _mm256_add_ps(s2, s3)));
}

void copyLoop(const float* a, float* b, std::size_t n) {
    for (std::size_t i = 0; i + 16 <= n; i += 16) {
        _mm256_store_ps(b + i, _mm256_load_ps(a + i));
        _mm256_store_ps(b + i + 8, _mm256_load_ps(a + i + 8));
    }
}

void triadLoop(const float* a, const float* b, float* c, std::size_t n) {
    const __m256 s = _mm256_set1_ps(3.0f);
    for (std::size_t i = 0; i + 16 <= n; i += 16) {
        _mm256_store_ps(c + i, _mm256_fmadd_ps(s, _mm256_load_ps(b + i), _mm256_load_ps(a + i)));
        _mm256_store_ps(c + i + 8,
                        _mm256_fmadd_ps(s, _mm256_load_ps(b + i + 8), _mm256_load_ps(a + i + 8)));
    }
}

}  // namespace

VB_REGISTER {
    // 16 KiB and 16 MiB arrays match the working sets of the 4096- and 4 Mi-element rows.
    for (std::size_t bytes : {std::size_t(4) << 10, std::size_t(16) << 10, std::size_t(256) << 10,
                              std::size_t(8) << 20, std::size_t(16) << 20, std::size_t(64) << 20}) {
        const std::size_t n = bytes / sizeof(float);
        auto* a = new vb::Buf<float>(n);   // live for the whole run
        auto* b = new vb::Buf<float>(n);
        auto* c = new vb::Buf<float>(n);
        const auto sz = std::int64_t(bytes);
        vb::reg("ceiling", "read", "loop", sz, double(bytes), [=] { readLoop(a->p, n); });
        vb::reg("ceiling", "copy", "loop", sz, 2.0 * double(bytes), [=] { copyLoop(a->p, b->p, n); });
        vb::reg("ceiling", "triad", "loop", sz, 3.0 * double(bytes),
                [=] { triadLoop(a->p, b->p, c->p, n); });
    }
}
