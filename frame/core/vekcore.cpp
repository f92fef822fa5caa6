// libvekcore: aligned blocks, the largest data cache and the processor feature mask.
#include "vekcore.h"

#include <cpuid.h>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::size_t kBlockAlign = 64;

void* alignedBlock(std::size_t bytes) noexcept {
    void* p = nullptr;
    if (posix_memalign(&p, kBlockAlign, bytes) != 0) return nullptr;
    return p;
}

bool cpuid(unsigned leaf, unsigned sub, unsigned r[4]) noexcept {
    if (__get_cpuid_max(leaf & 0x80000000u, nullptr) < leaf) return false;
    __cpuid_count(leaf, sub, r[0], r[1], r[2], r[3]);
    return true;
}

// Deterministic cache parameters: leaf 4, or 0x8000001D on processors that report caches there.
// Both encode ways, partitions, line size and sets of each cache level the same way.
std::int64_t largestDataCache(unsigned leaf) noexcept {
    std::int64_t best = 0;
    unsigned r[4];
    for (unsigned sub = 0; sub < 16; ++sub) {
        if (!cpuid(leaf, sub, r)) break;
        unsigned type = r[0] & 0x1f;
        if (type == 0) break;
        if (type != 1 && type != 3) continue;   // data or unified
        std::int64_t ways = ((r[1] >> 22) & 0x3ff) + 1;
        std::int64_t parts = ((r[1] >> 12) & 0x3ff) + 1;
        std::int64_t line = (r[1] & 0xfff) + 1;
        std::int64_t sets = std::int64_t(r[2]) + 1;
        std::int64_t size = ways * parts * line * sets;
        if (size > best) best = size;
    }
    return best;
}

bool isAmd() noexcept {
    unsigned r[4];
    if (!cpuid(0, 0, r)) return false;
    return r[1] == 0x68747541u && r[3] == 0x69746e65u && r[2] == 0x444d4163u;   // the vendor string of processors with leaf 0x8000001D
}

std::uint64_t xgetbv0() noexcept {
    unsigned lo, hi;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    return (std::uint64_t(hi) << 32) | lo;
}

std::uint64_t featureMask() noexcept {
    unsigned r1[4] = {}, r7[4] = {}, rx[4] = {};
    if (!cpuid(1, 0, r1)) return 0;
    cpuid(7, 0, r7);
    cpuid(0x80000001u, 0, rx);
    const unsigned ecx = r1[2], edx = r1[3];
    std::uint64_t m = 0;
    auto set = [&m](bool on, std::uint64_t bit) { if (on) m |= bit; };
    set(edx & (1u << 23), vekCPUID_MMX);
    set(edx & (1u << 25), vekCPUID_SSE);
    set(edx & (1u << 26), vekCPUID_SSE2);
    set(ecx & (1u << 0), vekCPUID_SSE3);
    set(ecx & (1u << 9), vekCPUID_SSSE3);
    set(ecx & (1u << 22), vekCPUID_MOVBE);
    set(ecx & (1u << 19), vekCPUID_SSE41);
    set(ecx & (1u << 20), vekCPUID_SSE42);
    set(ecx & (1u << 25), vekCPUID_AES);
    set(ecx & (1u << 1), vekCPUID_CLMUL);
    set(ecx & (1u << 30), vekCPUID_RDRAND);
    set(rx[2] & (1u << 5), vekCPUID_ABR);
    set(rx[2] & (1u << 8), vekCPUID_PREFETCHW);
    set(r7[1] & (1u << 3), vekCPUID_BMI1);
    set(r7[1] & (1u << 8), vekCPUID_BMI2);
    set(r7[1] & (1u << 19), vekCPUID_ADCOX);
    set(r7[1] & (1u << 18), vekCPUID_RDSEED);
    set(r7[1] & (1u << 29), vekCPUID_SHA);
    // The AVX family counts only when the OS saves the YMM state (OSXSAVE + XCR0).
    const bool osYmm = (ecx & (1u << 27)) && (xgetbv0() & 0x6) == 0x6;
    if (osYmm && (ecx & (1u << 28))) {
        m |= vekCPUID_AVX | vekAVX_ENABLEDBYOS;
        set(ecx & (1u << 29), vekCPUID_F16C);
        set(ecx & (1u << 12), vekCPUID_FMA);
        set(r7[1] & (1u << 5), vekCPUID_AVX2);
        const bool osZmm = (xgetbv0() & 0xe6) == 0xe6;
        set(osZmm && (r7[1] & (1u << 16)), vekCPUID_AVX512F);
    }
    return m;
}

}  // namespace

extern "C" {

void* vekMalloc(int length) {
    if (length < 1) return nullptr;
    return alignedBlock(std::size_t(length));
}

void* vekMalloc_L(ptrdiff_t length) {
    if (length < 1) return nullptr;
    return alignedBlock(std::size_t(length));
}

void vekFree(void* ptr) { std::free(ptr); }

void* vekAlignPtr(void* ptr, int alignBytes) {
    if (alignBytes < 1 || (alignBytes & (alignBytes - 1))) return ptr;
    std::uintptr_t a = std::uintptr_t(alignBytes) - 1;
    return reinterpret_cast<void*>((reinterpret_cast<std::uintptr_t>(ptr) + a) & ~a);
}

int vekGetMaxCacheSizeB(int* pSizeByte) {
    if (!pSizeByte) return -8;
    std::int64_t size = isAmd() ? largestDataCache(0x8000001Du) : 0;
    if (size == 0) size = largestDataCache(4);
    if (size <= 0) return -1;
    if (size > std::numeric_limits<int>::max()) size = std::numeric_limits<int>::max();
    *pSizeByte = int(size);
    return 0;
}

int ownGetFeature(uint64_t mask) { return (featureMask() & mask) == mask ? 1 : 0; }

}  // extern "C"
