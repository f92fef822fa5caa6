/* Links against the installed library and calls it. */
#include <stdio.h>
#include <string.h>

#include <veks.h>
#include <vekcore.h>

int main(void) {
    const VekLibraryVersion* v = veksGetLibVersion();
    Vek32f* p = veksMalloc_32f(16);
    if (!v || strcmp(v->cpuTag, "h9") != 0 || !p) return 1;
    veksFree(p);
    printf("%s\n", v->version);
    return 0;
}
