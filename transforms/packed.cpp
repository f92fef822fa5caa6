// Packed-spectrum products and conjugate expansions.
#include "packed.h"

#include "manifest.h"

namespace vek::packed {

// The complex destinations seen as arrays of their real parts.
template <class R, class C, Fmt F>
VekStatus conjOutC(const R* pSrc, C* pDst, int lenDst) noexcept {
    return conjOut<R, F>(pSrc, reinterpret_cast<R*>(pDst), lenDst);
}
template <class R, class C, Fmt F>
VekStatus conjIC(C* pSrcDst, int lenDst) noexcept {
    return conjI<R, F>(reinterpret_cast<R*>(pSrcDst), lenDst);
}

// Out-of-place conjugate product, unchecked, for the correlation paths.
void ownsMulPackConj_32f(const float* a, const float* b, float* d, int len) noexcept {
    mulPackConj<float>(a, b, d, len);
}
void ownsMulPackConj_64f(const double* a, const double* b, double* d, int len) noexcept {
    mulPackConj<double>(a, b, d, len);
}

}  // namespace vek::packed

#include "packed.def"
