// Copies, fills and bit logic at L1, L2 and DRAM sizes against memcpy/memset, a plain
// loop and VOLK where it has the kernel; byte swap and flip at 64 MiB. Bytes are reads
// plus writes per call.
#include <volk/volk.h>

#include <cstring>

#include "bench.h"
#include "veks.h"

namespace {

constexpr std::size_t kSizes[] = {std::size_t(4) << 10, std::size_t(256) << 10, std::size_t(64) << 20};

template <class T>
void regCopySet(const char* type, VekStatus (*copy)(const T*, T*, int), VekStatus (*set)(T, T*, int),
                VekStatus (*zero)(T*, int)) {
    for (std::size_t bytes : kSizes) {
        const int n = int(bytes / sizeof(T));
        auto* a = new vb::Buf<T>(std::size_t(n));
        auto* b = new vb::Buf<T>(std::size_t(n));
        const auto sz = std::int64_t(bytes);
        T v;
        std::memset(&v, 0x5A, sizeof v);
        vb::reg("Copy", type, "ours", sz, 2.0 * double(bytes), [=] { copy(a->p, b->p, n); });
        vb::reg("Copy", type, "memcpy", sz, 2.0 * double(bytes), [=] { std::memcpy(b->p, a->p, bytes); });
        vb::reg("Set", type, "ours", sz, double(bytes), [=] { set(v, b->p, n); });
        if (sizeof(T) == 1)
            vb::reg("Set", type, "memset", sz, double(bytes), [=] { std::memset(b->p, 0x5A, bytes); });
        vb::reg("Zero", type, "ours", sz, double(bytes), [=] { zero(b->p, n); });
        vb::reg("Zero", type, "memset", sz, double(bytes), [=] { std::memset(b->p, 0, bytes); });
    }
}

__attribute__((noinline)) void loopAnd(const Vek8u* a, const Vek8u* b, Vek8u* d, int n) {
    for (int i = 0; i < n; ++i) d[i] = Vek8u(a[i] & b[i]);
}
__attribute__((noinline)) void loopXor(const Vek8u* a, const Vek8u* b, Vek8u* d, int n) {
    for (int i = 0; i < n; ++i) d[i] = Vek8u(a[i] ^ b[i]);
}

}  // namespace

VB_REGISTER {
    regCopySet<Vek8u>("8u", veksCopy_8u, veksSet_8u, veksZero_8u);
    regCopySet<Vek32f>("32f", veksCopy_32f, veksSet_32f, veksZero_32f);
    regCopySet<Vek64fc>("64fc", veksCopy_64fc, veksSet_64fc, veksZero_64fc);
    for (std::size_t bytes : kSizes) {
        const int n = int(bytes);
        auto* a = new vb::Buf<Vek8u>(bytes);
        auto* b = new vb::Buf<Vek8u>(bytes);
        auto* d = new vb::Buf<Vek8u>(bytes);
        const auto sz = std::int64_t(bytes);
        const double bb = 3.0 * double(bytes);
        vb::reg("And", "8u", "ours", sz, bb, [=] { veksAnd_8u(a->p, b->p, d->p, n); });
        vb::reg("And", "8u", "loop", sz, bb, [=] { loopAnd(a->p, b->p, d->p, n); });
        // VOLK's 32-bit AND on the same bytes.
        vb::reg("And", "8u", "volk", sz, bb, [=] {
            volk_32i_x2_and_32i(reinterpret_cast<int32_t*>(d->p), reinterpret_cast<const int32_t*>(a->p),
                                reinterpret_cast<const int32_t*>(b->p), unsigned(n / 4));
        });
        vb::reg("Xor", "8u", "ours", sz, bb, [=] { veksXor_8u(a->p, b->p, d->p, n); });
        vb::reg("Xor", "8u", "loop", sz, bb, [=] { loopXor(a->p, b->p, d->p, n); });
    }
    const std::size_t big = std::size_t(64) << 20;
    {
        const int n = int(big / 4);
        auto* a = new vb::Buf<Vek32u>(std::size_t(n));
        auto* d = new vb::Buf<Vek32u>(std::size_t(n));
        vb::reg("SwapBytes", "32u", "ours", std::int64_t(big), 2.0 * double(big),
                [=] { veksSwapBytes_32u(a->p, d->p, n); });
        vb::reg("SwapBytes", "32u", "volk", std::int64_t(big), 2.0 * double(big), [=] {
            std::memcpy(d->p, a->p, big);
            volk_32u_byteswap(d->p, unsigned(n));
        });
        auto* f = new vb::Buf<Vek32f>(std::size_t(n));
        auto* g = new vb::Buf<Vek32f>(std::size_t(n));
        vb::reg("Flip", "32f", "ours", std::int64_t(big), 2.0 * double(big), [=] { veksFlip_32f(f->p, g->p, n); });
        vb::reg("Flip", "32f", "memcpy", std::int64_t(big), 2.0 * double(big),
                [=] { std::memcpy(g->p, f->p, big); });
    }
}
