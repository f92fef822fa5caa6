// Packed-spectrum products at 1 Mi elements and a cache-resident size, against a plain
// interleaved complex-multiply loop; bytes are two reads and one write.
#include "bench.h"
#include "veks.h"

namespace {

template <class T>
void loopMul(const T* a, const T* b, T* d, int n) {
    d[0] = a[0] * b[0];
    for (int i = 1; i + 1 < n; i += 2) {
        T re = a[i] * b[i] - a[i + 1] * b[i + 1];
        T im = a[i] * b[i + 1] + a[i + 1] * b[i];
        d[i] = re;
        d[i + 1] = im;
    }
    d[n - 1] = a[n - 1] * b[n - 1];
}

template <class T>
void regFor(const char* type, VekStatus (*pack)(const T*, const T*, T*, int),
            VekStatus (*perm)(const T*, const T*, T*, int)) {
    for (int n : {4096, 1 << 20}) {
        auto* a = new vb::Buf<T>(n);
        auto* b = new vb::Buf<T>(n);
        auto* d = new vb::Buf<T>(n);
        vb::fillRandom(a->p, n);
        vb::fillRandom(b->p, n, -1, 1, 2);
        const double bytes = 3.0 * n * sizeof(T);
        vb::reg("MulPack", type, "ours", n, bytes, [=] { pack(a->p, b->p, d->p, n); });
        vb::reg("MulPerm", type, "ours", n, bytes, [=] { perm(a->p, b->p, d->p, n); });
        vb::reg("MulPack", type, "loop", n, bytes, [=] { loopMul(a->p, b->p, d->p, n); });
    }
}

}  // namespace

VB_REGISTER {
    regFor<float>("32f", veksMulPack_32f, veksMulPerm_32f);
    regFor<double>("64f", veksMulPack_64f, veksMulPerm_64f);
}
