// Internal vector-math kernels: maximum error in ulp per kernel and class against a
// long double reference over random ranges, boundary and special values; the array
// forms' tails, in place, and the caller's MXCSR. VEKS_VM_POINTS sets the points per
// range (default 1e6, 1e5 under the sanitizers; the measurement prints every bound).
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "helpers.h"
#include "vecmath/ulp.h"
#include "vecmath/vm.h"
#include "veks.h"

namespace vm = vek::vm;
using vm::Accuracy;

namespace {

struct Range {
    const char* name;
    bool logScale;
    double lo, hi;   // bounds, or exponents when logScale
    bool sign;
};

template <class T>
std::vector<T> argsFor(const Range& r, std::size_t n, std::uint64_t seed) {
    return r.logScale ? vu::logUniform<T>(n, r.lo, r.hi, r.sign, seed)
                      : vu::uniform<T>(n, r.lo, r.hi, seed);
}

bool verbose() { return std::getenv("VEKS_VM_POINTS") != nullptr; }

// Runs an array kernel over each range and the specials; returns the worst error.
template <class T>
void measure(const char* name, const std::vector<Range>& ranges,
             const std::function<void(const T*, T*, std::size_t)>& f,
             long double (*ref)(long double), double bound, std::vector<T> extra = {}) {
    vu::Worst worst;
    std::uint64_t seed = vt::testSeed();
    auto run = [&](std::vector<T> x) {
        std::vector<T> y(x.size());
        f(x.data(), y.data(), x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            long double r = ref((long double)x[i]);
            long double e = vu::ulpErr<T>(y[i], r);
            worst.add(e, x[i]);
            if (e > bound) {
                ADD_FAILURE() << name << "(" << double(x[i]) << ") = " << double(y[i]) << ", ref "
                              << double(r) << ", error " << double(e) << " ulp";
                return false;
            }
        }
        return true;
    };
    for (const Range& r : ranges)
        if (!run(argsFor<T>(r, vu::points(), seed++))) return;
    std::vector<T> sp = vu::specials<T>();
    sp.insert(sp.end(), extra.begin(), extra.end());
    run(sp);
    if (verbose())
        std::printf("%-22s max %.3f ulp at %.17Lg\n", name, double(worst.err), worst.arg);
}

const std::vector<Range> kTrigF = {
    {"small", false, -4, 4, true},          {"medium", false, -200, 200, true},
    {"la-range", false, -65536, 65536, true}, {"large", true, 16, 30, true},
    {"huge", true, 30, 127.9, true},        {"tiny", true, -149, -1, true},
};
const std::vector<Range> kTrigD = {
    {"small", false, -4, 4, true},        {"medium", false, -1e5, 1e5, true},
    {"large", true, 17, 28.5, true},      {"huge", true, 28.5, 1023.9, true},
    {"tiny", true, -1074, -1, true},
};

// Arguments next to multiples of pi/2 where reduction cancels most.
template <class T>
std::vector<T> nearPiMultiples() {
    std::vector<T> v;
    for (long double k : {1.0L, 2.0L, 3.0L, 4.0L, 100.0L, 1000.0L, 65535.0L, 1e6L, 1e8L,
                          1e15L, 1e22L})
        for (long double base : {k * 1.5707963267948966192313216916397514L,
                                 k * 3.1415926535897932384626433832795029L}) {
            T x = T(base);
            v.push_back(x);
            v.push_back(std::nextafter(x, T(0)));
            v.push_back(std::nextafter(x, T(1e30)));
            v.push_back(-x);
        }
    if constexpr (sizeof(T) == 8) {
        v.push_back(0x1.6ac5b262ca1ffp+849);   // among the closest doubles to a multiple of pi/2
        v.push_back(0x1.8p+1023);
        v.push_back(6381956970095103.0 * 0x1p797);
    } else {
        v.push_back(0x1.5fdbbep+120f);
    }
    return v;
}

long double refSin(long double x) { return sinl(x); }
long double refCos(long double x) { return cosl(x); }

template <class T>
void trigCases(const std::vector<Range>& ranges, double haBound, double laBound,
               const char* tag) {
    struct C {
        const char* fn;
        Accuracy a;
        double bound;
    };
    for (C c : {C{"sin", Accuracy::HA, haBound}, C{"sin", Accuracy::LA, laBound},
                C{"sin", Accuracy::EP, laBound}}) {
        std::string n = std::string("sin_") + tag + (c.a == Accuracy::HA ? "_ha" : c.a == Accuracy::LA ? "_la" : "_ep");
        std::string m = std::string("cos_") + tag + (c.a == Accuracy::HA ? "_ha" : c.a == Accuracy::LA ? "_la" : "_ep");
        std::string s1 = std::string("sincos.s_") + tag + (c.a == Accuracy::HA ? "_ha" : "_la");
        std::string s2 = std::string("sincos.c_") + tag + (c.a == Accuracy::HA ? "_ha" : "_la");
        Accuracy a = c.a;
        measure<T>(n.c_str(), ranges, [a](const T* x, T* y, std::size_t k) { vm::sin(x, y, k, a); },
                   refSin, c.bound, nearPiMultiples<T>());
        measure<T>(m.c_str(), ranges, [a](const T* x, T* y, std::size_t k) { vm::cos(x, y, k, a); },
                   refCos, c.bound, nearPiMultiples<T>());
        if (c.a == Accuracy::EP) continue;
        measure<T>(s1.c_str(), ranges, [a](const T* x, T* y, std::size_t k) {
            std::vector<T> c2(k);
            vm::sincos(x, y, c2.data(), k, a);
        }, refSin, c.bound);
        measure<T>(s2.c_str(), ranges, [a](const T* x, T* y, std::size_t k) {
            std::vector<T> s2v(k);
            vm::sincos(x, s2v.data(), y, k, a);
        }, refCos, c.bound);
    }
}

}  // namespace

TEST(VmTrig, FloatAccuracy) { trigCases<float>(kTrigF, 1.0, 4.0, "32f"); }
TEST(VmTrig, DoubleAccuracy) { trigCases<double>(kTrigD, 1.0, 4.0, "64f"); }

TEST(VmTrig, SignedZerosAndSpecials) {
    for (Accuracy a : {Accuracy::HA, Accuracy::LA}) {
        float xf[4] = {0.0f, -0.0f, INFINITY, NAN}, yf[4], cf[4];
        vm::sin(xf, yf, 4, a);
        vm::cos(xf, cf, 4, a);
        EXPECT_EQ(std::signbit(yf[0]), false);
        EXPECT_EQ(std::signbit(yf[1]), true);
        EXPECT_EQ(yf[1], 0.0f);
        EXPECT_TRUE(std::isnan(yf[2]) && std::isnan(yf[3]) && std::isnan(cf[2]));
        EXPECT_EQ(cf[0], 1.0f);
        EXPECT_EQ(cf[1], 1.0f);
        double xd[4] = {0.0, -0.0, -INFINITY, NAN}, yd[4], cd[4];
        vm::sin(xd, yd, 4, a);
        vm::cos(xd, cd, 4, a);
        EXPECT_EQ(std::signbit(yd[0]), false);
        EXPECT_EQ(std::signbit(yd[1]), true);
        EXPECT_TRUE(std::isnan(yd[2]) && std::isnan(yd[3]) && std::isnan(cd[2]));
        EXPECT_EQ(cd[1], 1.0);
    }
    EXPECT_EQ(vm::sinOne(-0.0), 0.0);
    EXPECT_TRUE(std::signbit(vm::sinOne(-0.0)));
    EXPECT_EQ(vm::sinOne(0x1p-1070), 0x1p-1070);
}

TEST(VmTrig, ScalarHelpers) {
    vt::Rng rng;
    vu::Worst ws, wc, wp;
    for (int i = 0; i < 20000; ++i) {
        double x = rng.uniform(-1e3, 1e3);
        if (i % 4 == 0) x = std::ldexp(rng.uniform(1, 2), int(rng.bits() % 1000));
        ws.add(vu::ulpErr<double>(vm::sinOne(x), sinl(x)), x);
        wc.add(vu::ulpErr<double>(vm::cosOne(x), cosl(x)), x);
        double s, c;
        vm::sincosOne(x, s, c);
        EXPECT_EQ(s, vm::sinOne(x));
        EXPECT_EQ(c, vm::cosOne(x));
        float xf = float(x);
        EXPECT_LE(double(vu::ulpErr<float>(vm::sinOneF(xf), sinl(xf))), 1.0);
        EXPECT_LE(double(vu::ulpErr<float>(vm::cosOneF(xf), cosl(xf))), 1.0);
        double t = rng.uniform(-4, 4);
        const long double pi = 3.1415926535897932384626433832795029L;
        // t = q/2 + r with r exact and |r| <= 1/4, so the reference has no cancellation.
        const double q2 = std::nearbyint(2 * t);
        const long double r = t - q2 / 2, sr = sinl(pi * r), cr = cosl(pi * r);
        const int qm = int(((long long)q2 % 4 + 4) % 4);
        const long double rs[4] = {sr, cr, -sr, -cr}, rc[4] = {cr, -sr, -cr, sr};
        wp.add(vu::ulpErr<double>(vm::sinPiOne(t), rs[qm]), t);
        wp.add(vu::ulpErr<double>(vm::cosPiOne(t), rc[qm]), t);
        EXPECT_LE(double(vu::ulpErr<double>(vm::tanOne(x), tanl(x))), 4.0) << x;
    }
    EXPECT_LE(double(ws.err), 1.0) << ws.arg;
    EXPECT_LE(double(wc.err), 1.0) << wc.arg;
    EXPECT_LE(double(wp.err), 1.0) << wp.arg;
    // Exact values at multiples of 1/2.
    for (int k = -8; k <= 8; ++k) {
        double s = vm::sinPiOne(k * 0.5), c = vm::cosPiOne(k * 0.5);
        int m = ((k % 4) + 4) % 4;
        EXPECT_EQ(s, m == 1 ? 1.0 : m == 3 ? -1.0 : 0.0) << k;
        EXPECT_EQ(c, m == 0 ? 1.0 : m == 2 ? -1.0 : 0.0) << k;
    }
    EXPECT_EQ(vm::sinPiOne(0.25), vm::cosPiOne(0.25));
}

// Every length through the body/tail paths; in place equals out of place; lanes of
// a tail give the same values as in a full vector; the caller's MXCSR is kept and
// does not change results.
TEST(VmTrig, ArrayFormsTailsInPlaceAndMxcsr) {
    vt::Rng rng;
    for (int n : vt::testLengths(4)) {
        std::vector<float> x(n), ref(n + 16);
        for (auto& v : x) v = float(rng.uniform(-100, 100));
        std::vector<float> big(x);
        big.resize(n + 16, 1.0f);
        vm::sin(big.data(), ref.data(), big.size(), Accuracy::LA);
        vt::Guarded<float> out(n);
        vt::expectMxcsrKept([&] { vm::sin(x.data(), out.data(), n, Accuracy::LA); });
        ASSERT_EQ(std::memcmp(out.data(), ref.data(), n * 4), 0) << n;
        EXPECT_TRUE(out.headIntact());
        std::vector<float> ip(x);
        vm::sin(ip.data(), ip.data(), n, Accuracy::LA);
        ASSERT_EQ(std::memcmp(ip.data(), ref.data(), n * 4), 0);
    }
    for (int n : vt::testLengths(8)) {
        std::vector<double> x(n), ref(n + 8), refc(n + 8);
        for (auto& v : x) v = rng.uniform(-1e6, 1e6);
        std::vector<double> big(x);
        big.resize(n + 8, 1.0);
        vm::sincos(big.data(), ref.data(), refc.data(), big.size(), Accuracy::HA);
        vt::Guarded<double> s(n), c(n);
        vt::expectMxcsrKept([&] { vm::sincos(x.data(), s.data(), c.data(), n, Accuracy::HA); });
        ASSERT_EQ(std::memcmp(s.data(), ref.data(), n * 8), 0) << n;
        ASSERT_EQ(std::memcmp(c.data(), refc.data(), n * 8), 0) << n;
    }
}

// ---- exponential, logarithm, arctangent, roots ------------------------------------------
namespace {

long double refExp(long double x) { return expl(x); }
long double refLn(long double x) { return x < 0 ? NAN : x == 0 ? -INFINITY : logl(x); }
long double refAtan(long double x) { return atanl(x); }
long double refSqrt(long double x) { return x < 0 ? NAN : sqrtl(x); }
long double refCbrt(long double x) { return cbrtl(x); }

struct ClassBound {
    Accuracy a;
    const char* tag;
    double bound;
};
// Measured bounds asserted per class: A24/A53 within 1 ulp, A21/A50 within 4.
const ClassBound kClasses[] = {{Accuracy::HA, "ha", 1.0}, {Accuracy::LA, "la", 4.0},
                               {Accuracy::EP, "ep", 4.0}};

template <class T>
std::vector<Range> expRanges() {
    const double top = sizeof(T) == 4 ? 88.8 : 709.9, bot = sizeof(T) == 4 ? -104 : -745.2;
    return {{"unit", false, -1, 1, true},     {"normal", false, bot * 0.98, top, true},
            {"edge-hi", false, top - 2, top, true}, {"edge-lo", false, bot, bot + 20, true},
            {"tiny", true, sizeof(T) == 4 ? -140 : -1070, -1, true}};
}
template <class T>
std::vector<Range> lnRanges() {
    const double e = sizeof(T) == 4 ? 128 : 1024, s = sizeof(T) == 4 ? -149 : -1074;
    return {{"near1", false, 0.5, 2, false}, {"wide", true, s, e - 0.01, false},
            {"around1", false, 1 - 1e-3, 1 + 1e-3, false}, {"neg", false, -10, 0, false}};
}
template <class T>
std::vector<Range> atanRanges() {
    const double e = sizeof(T) == 4 ? 127 : 1023;
    return {{"unit", false, -3, 3, true}, {"wide", true, -30, e - 0.01, true},
            {"tiny", true, sizeof(T) == 4 ? -149 : -1074, -30, true}};
}

template <class T>
std::vector<T> expBoundaries() {
    using L = std::numeric_limits<T>;
    std::vector<T> v;
    for (long double x : {logl((long double)L::max()), logl((long double)L::min()),
                          logl((long double)L::denorm_min()), logl((long double)L::denorm_min() / 2)})
        for (T y = std::nextafter(std::nextafter(T(x), T(0)), T(0)), k = 0; k < 5; ++k, y = std::nextafter(y, T(1e30)))
            v.push_back(y);
    return v;
}

template <class T>
void mathCases(const char* tag) {
    for (const ClassBound& c : kClasses) {
        const Accuracy a = c.a;
        const std::string sfx = std::string("_") + tag + "_" + c.tag;
        measure<T>(("exp" + sfx).c_str(), expRanges<T>(),
                   [a](const T* x, T* y, std::size_t n) { vm::exp(x, y, n, a); }, refExp, c.bound,
                   expBoundaries<T>());
        measure<T>(("ln" + sfx).c_str(), lnRanges<T>(),
                   [a](const T* x, T* y, std::size_t n) { vm::ln(x, y, n, a); }, refLn, c.bound);
        measure<T>(("atan" + sfx).c_str(), atanRanges<T>(),
                   [a](const T* x, T* y, std::size_t n) { vm::atan(x, y, n, a); }, refAtan, c.bound);
        // The square root is correctly rounded at high accuracy.
        measure<T>(("sqrt" + sfx).c_str(), lnRanges<T>(),
                   [a](const T* x, T* y, std::size_t n) { vm::sqrt(x, y, n, a); }, refSqrt,
                   a == Accuracy::HA ? 0.5 : c.bound);
        measure<T>(("cbrt" + sfx).c_str(), atanRanges<T>(),
                       [a](const T* x, T* y, std::size_t n) { vm::cbrt(x, y, n, a); }, refCbrt,
                       c.bound);
    }
}

// atan2 over random (y, x) pairs of wide magnitude ratio plus every special pair.
template <class T>
void atan2Case(const char* tag) {
    const std::size_t n = vu::points();
    const double e = sizeof(T) == 4 ? 120 : 1000;
    std::vector<T> y = vu::logUniform<T>(n, -e, e, true, vt::testSeed());
    std::vector<T> x = vu::logUniform<T>(n, -e, e, true, vt::testSeed() + 1);
    for (std::size_t i = 0; i < n / 2; ++i) {
        x[i] = T(std::ldexp(double(y[i]), int(i % 7) - 3) * (i & 8 ? -1 : 1));
    }
    const std::vector<T> sp = vu::specials<T>();
    for (T a : sp)
        for (T b : sp) {
            y.push_back(a);
            x.push_back(b);
        }
    for (const ClassBound& c : kClasses) {
        std::vector<T> r(y.size());
        vm::atan2(y.data(), x.data(), r.data(), y.size(), c.a);
        vu::Worst w;
        for (std::size_t i = 0; i < y.size(); ++i) {
            const long double ref = atan2l((long double)y[i], (long double)x[i]);
            const long double err = vu::ulpErr<T>(r[i], ref);
            w.add(err, y[i], x[i]);
            // Signed zeros must match too.
            if (ref == 0 && !std::isnan(r[i])) {
                EXPECT_EQ(std::signbit(r[i]), std::signbit(ref)) << y[i] << "," << x[i];
            }
        }
        EXPECT_LE(double(w.err), c.bound) << "atan2_" << tag << "_" << c.tag << " at (" << double(w.arg) << ", "
                                          << double(w.arg2) << ")";
        if (verbose()) std::printf("atan2_%s_%-13s max %.3f ulp\n", tag, c.tag, double(w.err));
    }
}

}  // namespace

// Power over (x, y) with |y ln x| up to past the overflow and underflow thresholds,
// x near 1 with large y, negative x with integer y, and every pair of special values
// against the C library's pow (which gives the C99 special cases).
template <class T>
void powCase(const char* tag) {
    const std::size_t n = vu::points();
    const double lim = sizeof(T) == 4 ? 110 : 760, e = sizeof(T) == 4 ? 126 : 1022;
    vt::Rng rng;
    std::vector<T> x(n), y(n);
    for (std::size_t i = 0; i < n; ++i) {
        const int kind = int(i % 4);
        double xv = kind == 1 ? 1 + std::ldexp(rng.uniform(-1, 1), -int(rng.bits() % 40))
                              : std::exp2(rng.uniform(-e, e));
        x[i] = T(xv);
        const double l = std::fabs(std::log(double(x[i])));
        y[i] = T(rng.uniform(-1, 1) * (l > 0 ? lim / l : 1e6));
        if (kind == 3) {
            x[i] = -x[i];
            y[i] = T(std::nearbyint(rng.uniform(-1, 1) * std::min(lim / std::max(l, 1e-30), 1e6)));
        }
    }
    for (const ClassBound& c : kClasses) {
        std::vector<T> r(n);
        vm::pow(x.data(), y.data(), r.data(), n, c.a);
        vu::Worst w;
        for (std::size_t i = 0; i < n; ++i) w.add(vu::ulpErr<T>(r[i], powl(x[i], y[i])), x[i], y[i]);
        // The double power rounds the exponential's result of an argument carried to
        // about 2^-66: within 1.25 ulp.
        const double bound = sizeof(T) == 8 && c.a == Accuracy::HA ? 1.25 : c.bound;
        EXPECT_LE(double(w.err), bound) << "pow_" << tag << " at (" << double(w.arg) << ", " << double(w.arg2) << ")";
        if (verbose()) std::printf("pow_%s_%-15s max %.3f ulp at (%.17Lg, %.17Lg)\n", tag, c.tag, double(w.err), w.arg, w.arg2);
    }
    std::vector<T> sp = vu::specials<T>();
    for (T v : {T(3), T(-3), T(0.25), T(-0.5), T(1e10), T(-1e10), T(7.5)}) sp.push_back(v);
    std::vector<T> a, b;
    for (T u : sp)
        for (T v : sp) a.push_back(u), b.push_back(v);
    std::vector<T> r(a.size());
    vm::pow(a.data(), b.data(), r.data(), a.size(), Accuracy::HA);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const T want = std::pow(a[i], b[i]);
        const bool same = want == r[i] ? std::signbit(want) == std::signbit(r[i]) : (want != want && r[i] != r[i]);
        if (!same) {
            EXPECT_LE(double(vu::ulpErr<T>(r[i], powl(a[i], b[i]))), 1.0) << a[i] << "^" << b[i] << " = " << r[i];
        }
        if (want == 0 || std::isinf(want) || want != want) {
            EXPECT_TRUE(same) << a[i] << "^" << b[i] << " = " << r[i];
        }
    }
}

TEST(VmMath, PowAccuracyAndSpecials) {
    powCase<float>("32f");
    powCase<double>("64f");
    EXPECT_EQ(vm::powOne(2.0, 10.0), 1024.0);
    EXPECT_EQ(vm::powOne(-2.0, 3.0), -8.0);
    EXPECT_EQ(vm::powOne(0.0, -1.0), INFINITY);
}

TEST(VmMath, FloatAccuracy) { mathCases<float>("32f"); }
TEST(VmMath, DoubleAccuracy) { mathCases<double>("64f"); }
TEST(VmMath, Atan2Accuracy) {
    atan2Case<float>("32f");
    atan2Case<double>("64f");
}

// Codes: the last special element in index order decides; every element is written.
TEST(VmMath, ExpLnCodesAndSpecials) {
    for (Accuracy a : {Accuracy::HA, Accuracy::LA}) {
        float x1[3] = {100.0f, 1.0f, -200.0f}, y1[3];
        EXPECT_EQ(vm::exp(x1, y1, 3, a), vm::kVmUnderflow);
        EXPECT_EQ(y1[0], INFINITY);
        EXPECT_EQ(y1[2], 0.0f);
        EXPECT_EQ(vm::exp(x1, y1, 2, a), vm::kVmOverflow);
        float x2[4] = {NAN, INFINITY, -INFINITY, 0.0f}, y2[4];
        EXPECT_EQ(vm::exp(x2, y2, 4, a), 0);
        EXPECT_TRUE(std::isnan(y2[0]));
        EXPECT_EQ(y2[1], INFINITY);
        EXPECT_EQ(y2[2], 0.0f);
        EXPECT_EQ(y2[3], 1.0f);
        double d1[2] = {-0.0, -1.0}, e1[2];
        EXPECT_EQ(vm::ln(d1, e1, 2, a), vm::kVmDomain);
        EXPECT_EQ(e1[0], -INFINITY);
        EXPECT_TRUE(std::isnan(e1[1]));
        EXPECT_EQ(vm::ln(d1, e1, 1, a), vm::kVmSingularity);
        double d2[3] = {INFINITY, NAN, 1.0}, e2[3];
        EXPECT_EQ(vm::ln(d2, e2, 3, a), 0);
        EXPECT_EQ(e2[0], INFINITY);
        EXPECT_TRUE(std::isnan(e2[1]));
        EXPECT_EQ(e2[2], 0.0);
        // Signed zeros and infinities through the odd functions.
        float z[4] = {-0.0f, 0.0f, -INFINITY, INFINITY}, r[4];
        vm::atan(z, r, 4, a);
        EXPECT_TRUE(std::signbit(r[0]) && r[0] == 0 && !std::signbit(r[1]));
        EXPECT_EQ(r[2], -float(M_PI_2));
        vm::cbrt(z, r, 4, a);
        EXPECT_TRUE(std::signbit(r[0]) && r[0] == 0 && r[2] == -INFINITY && r[3] == INFINITY);
    }
}

// Tails, in place and the caller's MXCSR for the new array forms.
TEST(VmMath, ArrayFormsTailsInPlaceAndMxcsr) {
    vt::Rng rng;
    for (int n : vt::testLengths(4)) {
        std::vector<double> x(n);
        for (auto& v : x) v = rng.uniform(0.01, 50);
        std::vector<double> big(x), ref(n + 8);
        big.resize(n + 8, 1.0);
        vm::ln(big.data(), ref.data(), big.size(), Accuracy::LA);
        vt::Guarded<double> out(n);
        vt::expectMxcsrKept([&] { vm::ln(x.data(), out.data(), n, Accuracy::LA); });
        ASSERT_EQ(std::memcmp(out.data(), ref.data(), n * 8), 0) << n;
        std::vector<double> ip(x);
        vm::ln(ip.data(), ip.data(), n, Accuracy::LA);
        ASSERT_EQ(std::memcmp(ip.data(), ref.data(), n * 8), 0);
        std::vector<float> xf(n), yf(n);
        for (int i = 0; i < n; ++i) xf[i] = float(x[i]);
        vt::Guarded<float> of(n);
        vt::expectMxcsrKept([&] { vm::exp(xf.data(), of.data(), n, Accuracy::LA); });
        vm::exp(xf.data(), xf.data(), n, Accuracy::LA);
        ASSERT_EQ(std::memcmp(xf.data(), of.data(), n * 4), 0);
    }
}

// Special elements scattered through an array: the array form leaves its fast loop at
// each vector that holds one and resumes after it. Every vector equals the vector form
// on it (tail lanes zero), out of place and in place.
namespace {
template <class T, class Arr, class Vec>
void expectVectorWise(const std::vector<T>& x, Arr arr, Vec vec, const char* what) {
    constexpr std::size_t L = 32 / sizeof(T);
    const std::size_t n = x.size();
    std::vector<T> y(n), ip(x), ref(n);
    arr(x.data(), y.data(), n);
    arr(ip.data(), ip.data(), n);
    for (std::size_t i = 0; i < n; i += L) {
        alignas(32) T v[L] = {};
        std::copy(x.begin() + i, x.begin() + std::min(n, i + L), v);
        const auto r = vec(v);
        std::memcpy(ref.data() + i, &r, std::min(L, n - i) * sizeof(T));
    }
    EXPECT_EQ(std::memcmp(y.data(), ref.data(), n * sizeof(T)), 0) << what;
    EXPECT_EQ(std::memcmp(ip.data(), ref.data(), n * sizeof(T)), 0) << what;
}
template <class T>
void rareInsideArrays(vt::Rng& rng) {
    using L = std::numeric_limits<T>;
    const T specials[] = {L::quiet_NaN(), L::infinity(), -L::infinity(), T(0), T(-1), T(1e30), L::denorm_min(), T(-120)};
    std::vector<T> x(203);
    for (auto& v : x) v = (rng.bits() & 15) == 0 ? specials[rng.bits() % 8] : T(rng.uniform(0.01, 60));
    auto ld = [](const T* p) {
        if constexpr (sizeof(T) == 4) return _mm256_loadu_ps(p);
        else return _mm256_loadu_pd(p);
    };
    constexpr bool F = sizeof(T) == 4;
    // The array form of fn against its vector forms of the same class.
#define VM_VECTOR_WISE(fn)                                                                    \
    expectVectorWise(                                                                         \
        x, [a](const T* s, T* d, std::size_t n) { vm::fn(s, d, n, a); },                     \
        [&](const T* p) {                                                                     \
            if constexpr (F) return ha ? vm::fn##_a24(ld(p)) : vm::fn##_a21(ld(p));           \
            else return ha ? vm::fn##_a53(ld(p)) : vm::fn##_a50(ld(p));                       \
        },                                                                                    \
        #fn)
    for (Accuracy a : {Accuracy::LA, Accuracy::HA}) {
        const bool ha = a == Accuracy::HA;
        VM_VECTOR_WISE(sin);
        VM_VECTOR_WISE(cos);
        VM_VECTOR_WISE(exp);
        VM_VECTOR_WISE(ln);
    }
#undef VM_VECTOR_WISE
    if constexpr (F) {
        const std::vector<T> e(x.size(), T(2.5));
        expectVectorWise(x, [&e](const T* s, T* d, std::size_t n) { vm::pow(s, e.data(), d, n, Accuracy::HA); },
                         [&](const T* p) { return vm::pow_a24(ld(p), _mm256_set1_ps(2.5f)); }, "pow");
    }
}
}  // namespace

TEST(VmMath, RareVectorsInsideArrays) {
    vt::Rng rng;
    rareInsideArrays<float>(rng);
    rareInsideArrays<double>(rng);
}

TEST(VmMath, ScalarHelpers) {
    vt::Rng rng;
    for (int i = 0; i < 20000; ++i) {
        const double x = rng.uniform(-700, 700), p = std::ldexp(rng.uniform(1, 2), int(rng.bits() % 2000) - 1000);
        EXPECT_LE(double(vu::ulpErr<double>(vm::expOne(x), expl(x))), 1.0) << x;
        EXPECT_LE(double(vu::ulpErr<double>(vm::lnOne(p), logl(p))), 1.0) << p;
        EXPECT_LE(double(vu::ulpErr<double>(vm::atan2One(x, p), atan2l(x, p))), 1.0) << x << "," << p;
        EXPECT_EQ(vm::sqrtOne(p), std::sqrt(p));
    }
    EXPECT_EQ(vm::floorOne(-2.5), -3.0);
    EXPECT_EQ(vm::fabsOne(-0.0), 0.0);
    EXPECT_FALSE(std::signbit(vm::fabsOne(-0.0)));
}

// The exported float square root is the low-accuracy array form: the same bits, and
// the negative-element warning from the same pass.
TEST(VmMath, SqrtExportIsTheArrayForm) {
    vt::Rng rng;
    for (int n : vt::testLengths(4)) {
        std::vector<float> x(n), a(n), b(n);
        for (auto& v : x) v = float(rng.uniform(0, 1e3));
        if (n > 3) x[n / 2] = 0.0f, x[n - 1] = INFINITY;
        for (int neg = 0; neg < 2; ++neg) {
            if (neg) x[rng.bits() % n] = -1.0f;
            vm::sqrt(x.data(), a.data(), n, Accuracy::LA);
            EXPECT_EQ(veksSqrt_32f(x.data(), b.data(), n), neg ? vekStsSqrtNegArg : vekStsNoErr) << n;
            ASSERT_EQ(std::memcmp(a.data(), b.data(), n * 4), 0) << n;
        }
    }
}
