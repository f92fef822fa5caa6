// bench.h - registration helpers for side-by-side benchmarks.
//
// Every benchmark is named "op/type/impl/n": impl "ours" is this library, any other
// impl is a peer (memcpy, volk, fftw, sleef, libmvec, loop, ...). scripts/bench_table.py
// pairs each peer with ours at the same op, type and n and prints ours/peer time.
// Set bytes to the bytes read plus written per call: the table then also shows the
// achieved bandwidth as a fraction of the copy ceiling measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>

namespace vb {

// A 64-byte aligned, zero-initialised, freed-on-scope buffer.
template <class T>
struct Buf {
    explicit Buf(std::size_t n) : n(n) {
        void* q = nullptr;
        if (posix_memalign(&q, 64, n * sizeof(T) + 64) != 0) std::abort();
        std::memset(q, 0, n * sizeof(T) + 64);
        p = static_cast<T*>(q);
    }
    ~Buf() { std::free(p); }
    Buf(const Buf&) = delete;
    Buf& operator=(const Buf&) = delete;
    T* data() { return p; }
    operator T*() { return p; }
    T& operator[](std::size_t i) { return p[i]; }
    T* p;
    std::size_t n;
};

// Fill with reproducible values in [lo, hi).
template <class T>
void fillRandom(T* p, std::size_t n, double lo = -1.0, double hi = 1.0, unsigned seed = 1) {
    std::mt19937_64 g(seed);
    std::uniform_real_distribution<double> d(lo, hi);
    for (std::size_t i = 0; i < n; ++i) p[i] = T(d(g));
}

// Registers a benchmark "op/type/impl/n" that times fn(); make() builds fn on the
// benchmark's first run, not at registration, so a filtered run prepares (and plans,
// FFTW_MEASURE can take seconds) only what it runs.
inline void regLazy(const std::string& op, const std::string& type, const std::string& impl,
                    std::int64_t n, double bytesPerCall, std::function<std::function<void()>()> make) {
    std::string name = op + "/" + type + "/" + impl + "/" + std::to_string(n);
    auto fn = std::make_shared<std::function<void()>>();
    benchmark::RegisterBenchmark(name.c_str(), [fn, make, bytesPerCall](benchmark::State& st) {
        if (!*fn) *fn = make();
        const std::function<void()>& f = *fn;
        for (auto _ : st) {
            f();
            benchmark::ClobberMemory();
        }
        if (bytesPerCall > 0)
            st.SetBytesProcessed(std::int64_t(double(st.iterations()) * bytesPerCall));
    });
}

// Registers fn as "op/type/impl/n". fn runs one call; the harness loops it.
inline void reg(const std::string& op, const std::string& type, const std::string& impl,
                std::int64_t n, double bytesPerCall, std::function<void()> fn) {
    regLazy(op, type, impl, n, bytesPerCall, [fn] { return fn; });
}

// A static registrar: VB_REGISTER { reg(...); ... } runs before main.
struct Registrar {
    explicit Registrar(void (*f)()) { f(); }
};
#define VB_CAT2(a, b) a##b
#define VB_CAT(a, b) VB_CAT2(a, b)
#define VB_REGISTER                                                     \
    static void VB_CAT(vb_reg_, __LINE__)();                           \
    static ::vb::Registrar VB_CAT(vb_registrar_, __LINE__)(&VB_CAT(vb_reg_, __LINE__)); \
    static void VB_CAT(vb_reg_, __LINE__)()

}  // namespace vb
