// The exported FFT functions: each entry of fft.def calls its template in fft.h.
#include "frame/manifest.h"
#include "transforms/fft/fft.h"

#include "fft.def"
