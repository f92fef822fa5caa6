/* Compiled as C99 and as C++ by the header tests. */
#include "veks.h"
#include "vekcore.h"

int header_check(void) {
    const VekLibraryVersion* v = veksGetLibVersion();
    return v->major == 2019 ? vekStsNoErr : vekStsErr;
}
