// Bit logic and shifts (kernels in datamove.h).
#include "datamove.h"
#include "manifest.h"

#include "bitlogic.def"
