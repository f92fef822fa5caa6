// Orthonormal DCT-II and DCT-III.
#include "dct.h"

#include "manifest.h"

#include "dct.def"
