// Goertzel single-frequency values.
#include "goertz.h"

#include "manifest.h"

#include "goertz.def"
