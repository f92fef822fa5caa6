// spec.h - the spec/state protocol: structures laid out inside caller memory.
//
// A family describes its structure once, in a layout function that both the size
// query and Init call, so the two cannot disagree:
//
//   static vek::Layout layoutOf(int order) {
//       vek::Layout l(64);                       // structure alignment
//       l.header<MySpec>();                      // identifier + fields at offset 0
//       l.array<Vek32fc>(n, 64, &MySpec::twOff); // sub-blocks, each aligned
//       return l;
//   }
//   size = l.bytes();                            // includes the alignment slack
//   MySpec* s = vek::placeSpec<MySpec>(pMem, l, kMySpecId);   // at Init
//
// Every structure starts with a 32-bit identifier; processing functions compare it
// before reading anything else (vek::hasId).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "common.h"

namespace vek {

// Identifiers of the library's spec and state kinds. The family headers refer to these
// names; keeping them in one table keeps them distinct.
enum SpecId : std::uint32_t {
    kIdFFT_C_32fc = 4, kIdFFT_C_32f = 5, kIdFFT_R_32f = 6,
    kIdFFT_C_64fc = 7, kIdFFT_C_64f = 8, kIdFFT_R_64f = 9,
    kIdDFT_C_32fc = 13, kIdDFT_C_32f = 14, kIdDFT_R_32f = 15,
    kIdDFT_C_64fc = 16, kIdDFT_C_64f = 17, kIdDFT_R_64f = 18,
    kIdDCTFwd_32f = 21, kIdDCTInv_32f = 22, kIdDCTFwd_64f = 23, kIdDCTInv_64f = 24,
    kIdRandUni_8u = 35, kIdRandUni_16s = 36, kIdRandUni_32f = 37, kIdRandUni_64f = 38,
    kIdRandGauss_8u = 39, kIdRandGauss_16s = 40, kIdRandGauss_32f = 41, kIdRandGauss_64f = 42,
    kIdWTFwd_32f = 43, kIdWTFwd_8u32f = 44, kIdWTFwd_16u32f = 46, kIdWTFwd_16s32f = 47,
    kIdWTInv_32f = 52, kIdWTInv_32f8u = 53, kIdWTInv_32f16u = 55, kIdWTInv_32f16s = 56,
    kIdHilbert = 0x434D4145u,
    kIdLMS_32f = 0x4C4D5331u, kIdLMS_32f16s = 0x4C4D5300u,
};

// The identifier a structure carries in its first word.
VEK_INLINE bool hasId(const void* s, std::uint32_t id) noexcept {
    std::uint32_t v;
    std::memcpy(&v, s, sizeof v);
    return v == id;
}

// Byte layout of a structure and its sub-blocks, relative to the aligned start.
class Layout {
public:
    explicit Layout(std::size_t align) : align_(align) {}

    // Reserve bytes at the given alignment; returns the offset. Overflow is sticky and
    // reported by ok().
    std::size_t reserve(std::size_t bytes, std::size_t align) noexcept {
        std::size_t off = (size_ + align - 1) & ~(align - 1);
        if (off < size_ || bytes > std::numeric_limits<std::size_t>::max() - off) {
            overflow_ = true;
            return 0;
        }
        size_ = off + bytes;
        return off;
    }
    template <class H>
    std::size_t header() noexcept { return reserve(sizeof(H), alignof(H) > 8 ? alignof(H) : 8); }
    template <class T>
    std::size_t array(std::size_t count, std::size_t align = 64) noexcept {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            overflow_ = true;
            return 0;
        }
        return reserve(count * sizeof(T), align);
    }

    bool ok() const noexcept { return !overflow_; }
    std::size_t align() const noexcept { return align_; }
    // Bytes the caller must provide: the structure plus slack for aligning any block.
    std::size_t bytes() const noexcept { return size_ == 0 ? 0 : size_ + align_ - 1; }
    // The same as a signed 32-bit size, or -1 if it does not fit.
    int bytes32() const noexcept {
        std::size_t b = bytes();
        return (!ok() || b > std::size_t(std::numeric_limits<int>::max())) ? -1 : int(b);
    }

private:
    std::size_t align_;
    std::size_t size_ = 0;
    bool overflow_ = false;
};

// Align the caller's block, clear the header and write the identifier.
template <class S>
VEK_INLINE S* placeSpec(void* mem, const Layout& l, std::uint32_t id) noexcept {
    auto* base = alignUp(static_cast<std::uint8_t*>(mem), l.align());
    std::memset(base, 0, sizeof(S));
    std::memcpy(base, &id, sizeof id);
    return reinterpret_cast<S*>(base);
}

// Pointer to a sub-block at a layout offset inside a placed structure.
template <class T, class S>
VEK_INLINE T* at(S* spec, std::size_t off) noexcept {
    return reinterpret_cast<T*>(reinterpret_cast<std::uint8_t*>(spec) + off);
}

// A caller's work buffer, aligned as its size query promised.
template <class T = std::uint8_t>
VEK_INLINE T* workBuffer(void* buf, std::size_t align = 64) noexcept {
    return reinterpret_cast<T*>(alignUp(static_cast<std::uint8_t*>(buf), align));
}

}  // namespace vek
