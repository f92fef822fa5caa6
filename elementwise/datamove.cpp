// Copies, moves, fills, reversal, byte swaps and bit copies (kernels in datamove.h).
#include "datamove.h"
#include "manifest.h"

#include "datamove.def"
