// Integer arithmetic: exact results, scaled and saturated (see arith.h).
#if defined(__GNUC__) && !defined(__clang__)
// Exceptions are masked or unused in every kernel of this file, so the compiler may
// if-convert comparisons on floating-point values.
#pragma GCC optimize("no-trapping-math")
#endif
#include "arith.h"
#include "manifest.h"

#include "arith_int.def"
