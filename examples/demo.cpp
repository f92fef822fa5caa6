// The demo: the library's version, then a short pipeline on what exists.
#include <cstdio>

#include "veks.h"

int main(int argc, char** argv) {
    const VekLibraryVersion* v = veksGetLibVersion();
    std::printf("%s %s, built %s (tag %s, %d.%d.%d r%d)\n", v->name, v->version, v->buildDate,
                v->cpuTag, v->major, v->minor, v->update, v->revision);
    return 0;
}
