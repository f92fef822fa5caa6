// The power-of-two plans' first pass can read its input times a kernel (or its
// conjugate) or gathered through an index table (conjugated or not): the inner
// transforms of Rader's and Bluestein's methods run that way, in place for the
// products and out of place for the gathers. For every plan length up to 2^12 and three
// times those, both directions, each reading must give the plain transform of the input
// prepared by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

#include "transforms/engine/pow2.h"

namespace {

using namespace vek::dft;

template <class T>
struct Plan {
    std::vector<std::uint8_t> mem;
    std::vector<T> init, work;
    const std::uint8_t* base = nullptr;
    const CPlan* pl = nullptr;

    explicit Plan(int n) {
        Builder sizing;
        const Built s = buildPlan<T>(sizing, n);
        mem.assign(sizing.l.bytes() + 64, 0);
        init.assign(2 * std::size_t(s.initElems) + 16, T(0));
        Builder b;
        b.base = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(mem.data()) + 63) & ~std::uintptr_t(63));
        b.initBuf = init.data();
        const Built r = buildPlan<T>(b, n);
        base = b.base;
        pl = reinterpret_cast<const CPlan*>(base + r.off);
        work.assign(2 * std::size_t(r.workElems) + 16, T(0));
    }
};

template <class T>
void checkReads() {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1, 1);
    const T tol = sizeof(T) == 4 ? T(2e-6) : T(4e-15);
    std::vector<int> lengths;
    for (int n = 2; n <= 4096; n *= 2) lengths.insert(lengths.end(), {n, 3 * n});
    for (int n : lengths) {
        if (!pow2Plan<T>(n)) continue;
        SCOPED_TRACE("n = " + std::to_string(n));
        Plan<T> p(n);
        const std::size_t nn = std::size_t(n);
        std::vector<T> x(2 * nn), kern(2 * nn);
        for (auto& v : x) v = T(u(rng));
        for (auto& v : kern) v = T(u(rng));
        std::vector<std::uint32_t> ix(nn);
        std::iota(ix.begin(), ix.end(), 0u);
        std::shuffle(ix.begin(), ix.end(), rng);
        for (int how = kReadMul; how <= kReadGatherConj; ++how)
            for (bool inv : {false, true}) {
                SCOPED_TRACE("reading " + std::to_string(how) + (inv ? " inverse" : " forward"));
                // The input as the reading sees it, prepared by hand.
                std::vector<T> prep(2 * nn);
                for (std::size_t e = 0; e < nn; ++e) {
                    T re, im;
                    if (how == kReadMul || how == kReadMulConj) {
                        const T kr = kern[2 * e], ki = how == kReadMul ? kern[2 * e + 1] : -kern[2 * e + 1];
                        re = x[2 * e] * kr - x[2 * e + 1] * ki;
                        im = x[2 * e] * ki + x[2 * e + 1] * kr;
                    } else {
                        const std::size_t at = ix[e ? nn - e : 0];
                        re = x[2 * at];
                        im = how == kReadGather ? x[2 * at + 1] : -x[2 * at + 1];
                    }
                    prep[2 * e] = re;
                    prep[2 * e + 1] = im;
                }
                std::vector<T> want(2 * nn), got(x);
                runPow2<T>(p.base, p.pl, prep.data(), want.data(), p.work.data(), inv);
                const Read r = Read(how);
                if (r == kReadMul || r == kReadMulConj) {
                    runPow2<T>(p.base, p.pl, got.data(), got.data(), p.work.data(), inv, kern.data(), r);
                } else {
                    got.assign(2 * nn, T(0));
                    runPow2<T>(p.base, p.pl, x.data(), got.data(), p.work.data(), inv, nullptr, r, ix.data());
                }
                T peak = 0, err = 0;
                for (std::size_t i = 0; i < 2 * nn; ++i) {
                    peak = std::max(peak, std::fabs(want[i]));
                    err = std::max(err, std::fabs(got[i] - want[i]));
                }
                EXPECT_LE(err, tol * T(std::log2(n)) * peak);
            }
    }
}

TEST(Pow2Reads, EveryReadingMatchesThePreparedInput) {
    checkReads<float>();
    checkReads<double>();
}

}  // namespace
