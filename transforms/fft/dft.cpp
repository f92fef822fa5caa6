// The exported DFT functions: each entry of dft.def calls its template in dft.h.
#include "frame/manifest.h"
#include "transforms/fft/dft.h"

#include "dft.def"
