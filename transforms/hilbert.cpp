// Analytic signal of a real block.
#include "hilbert.h"

#include "manifest.h"

#include "hilbert.def"
