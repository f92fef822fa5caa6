// The version record and the typed allocation functions.
#include <cstdint>
#include <limits>

#include "common.h"
#include "manifest.h"
#include "vekcore.h"

namespace vek {
namespace {

constexpr VekLibraryVersion s_libVer = {
    2019, 0, 0, 59881, {'h', '9', '\0', '\0'},
    "vekSP AVX2 (h9)", "2019.0.0 Gold (r59881)", "Jul 11 2018",
};

}  // namespace

inline const VekLibraryVersion* libVersion() noexcept { return &s_libVer; }

// len x sizeof(T) must fit the signed 32-bit byte count of vekMalloc.
template <class T>
T* typedMalloc(int len) noexcept {
    if (len < 1) return nullptr;
    if (std::int64_t(len) * std::int64_t(sizeof(T)) > std::numeric_limits<int>::max())
        return nullptr;
    return static_cast<T*>(vekMalloc(int(len * sizeof(T))));
}

// len x sizeof(T) must fit the signed long size type of vekMalloc_L.
template <class T>
T* typedMallocL(VekSizeL len) noexcept {
    if (len < 1) return nullptr;
    if (len > std::numeric_limits<VekSizeL>::max() / VekSizeL(sizeof(T))) return nullptr;
    return static_cast<T*>(vekMalloc_L(len * VekSizeL(sizeof(T))));
}

}  // namespace vek

#include "frame.def"
