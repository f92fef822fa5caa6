// vm.h - the library's internal vector-math layer, for every family that needs a
// transcendental function (twiddle tables, generators, windows, polar conversions,
// phase, Goertzel, filter design, random numbers).
//
// Three accuracy classes per function and precision, named by the number of correct
// leading significand bits the result has:
//   float:  A24 (about 1 ulp), A21 (a few ulp), A11 (about half the bits)
//   double: A53 (about 1 ulp), A50 (a few ulp), A26 (about half the bits)
// A lower class may return the result of a higher one; it is never less accurate
// than its name says. Measured bounds are asserted by tests/vecmath/vm_itest.cpp.
//
// Three forms:
//  - vector forms on AVX2 registers: sin_a24(__m256), cos_a53(__m256d), ... (in the
//    kernel headers included below). They assume round-to-nearest with FTZ/DAZ off;
//    run them under a vek::IeeeEnv when the caller's environment is unknown.
//  - array forms: sin(const float* x, float* y, size_t n, Accuracy) and kin. They
//    set the IEEE environment themselves and restore the caller's MXCSR. In place
//    (x == y) is allowed.
//  - scalar helpers: sinOne(double), cosOne(double), ... with the accuracy of the
//    highest class, independent of the caller's MXCSR.
//
// Special values follow IEEE 754 / C99 Annex F: sin(+-0) = +-0, sin/cos of an
// infinity or NaN is NaN, huge arguments are reduced exactly.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "vm_atan.h"
#include "vm_core.h"
#include "vm_exp.h"
#include "vm_pow.h"
#include "vm_root.h"
#include "vm_trig.h"

namespace vek::vm {

enum class Accuracy : int { EP = 0, LA = 1, HA = 2 };
inline constexpr Accuracy A11 = Accuracy::EP, A21 = Accuracy::LA, A24 = Accuracy::HA;
inline constexpr Accuracy A26 = Accuracy::EP, A50 = Accuracy::LA, A53 = Accuracy::HA;

// ---- array forms ----------------------------------------------------------------------
void sin(const float* x, float* y, std::size_t n, Accuracy a) noexcept;
void sin(const double* x, double* y, std::size_t n, Accuracy a) noexcept;
void cos(const float* x, float* y, std::size_t n, Accuracy a) noexcept;
void cos(const double* x, double* y, std::size_t n, Accuracy a) noexcept;
// s[i] = sin x[i], c[i] = cos x[i]; s, c and x may not overlap except s == x or c == x.
void sincos(const float* x, float* s, float* c, std::size_t n, Accuracy a) noexcept;
void sincos(const double* x, double* s, double* c, std::size_t n, Accuracy a) noexcept;

// Codes the exponential and logarithm array forms return: 0 when no element needed
// special treatment, otherwise the code of the last element (in index order) that did.
inline constexpr int kVmOverflow = 12, kVmUnderflow = 17, kVmSingularity = 18, kVmDomain = 19;

// exp: +inf written on overflow (kVmOverflow), a subnormal or zero result is
// kVmUnderflow; NaN, +inf and -inf give NaN, +inf and +0 with no code.
int exp(const float* x, float* y, std::size_t n, Accuracy a) noexcept;
int exp(const double* x, double* y, std::size_t n, Accuracy a) noexcept;
// ln: +-0 gives -inf (kVmSingularity), x < 0 and -inf give NaN (kVmDomain).
int ln(const float* x, float* y, std::size_t n, Accuracy a) noexcept;
int ln(const double* x, double* y, std::size_t n, Accuracy a) noexcept;
void atan(const float* x, float* y, std::size_t n, Accuracy a) noexcept;
void atan(const double* x, double* y, std::size_t n, Accuracy a) noexcept;
// r[i] = atan2(y[i], x[i]) in [-pi, pi].
void atan2(const float* y, const float* x, float* r, std::size_t n, Accuracy a) noexcept;
void atan2(const double* y, const double* x, double* r, std::size_t n, Accuracy a) noexcept;
// High accuracy is the correctly rounded square root; negative lanes give NaN.
void sqrt(const float* x, float* y, std::size_t n, Accuracy a) noexcept;
void sqrt(const double* x, double* y, std::size_t n, Accuracy a) noexcept;
namespace detail {
// The low-accuracy float square root in the caller's environment (no MXCSR change):
// returns whether an element was negative (NaN written for it).
bool sqrtEstimate(const float* x, float* y, std::size_t n) noexcept;
}  // namespace detail
void cbrt(const float* x, float* y, std::size_t n, Accuracy a) noexcept;
void cbrt(const double* x, double* y, std::size_t n, Accuracy a) noexcept;
// r[i] = x[i]^y[i] with the C99 special values.
void pow(const float* x, const float* y, float* r, std::size_t n, Accuracy a) noexcept;
void pow(const double* x, const double* y, double* r, std::size_t n, Accuracy a) noexcept;

// ---- scalar helpers (high accuracy) --------------------------------------------------
double sinOne(double x) noexcept;
double cosOne(double x) noexcept;
void sincosOne(double x, double& s, double& c) noexcept;
double tanOne(double x) noexcept;
float sinOneF(float x) noexcept;
float cosOneF(float x) noexcept;
// sin(pi * x) and cos(pi * x) for twiddle and window tables: exact at multiples of 1/2.
double sinPiOne(double x) noexcept;
double expOne(double x) noexcept;
double lnOne(double x) noexcept;
double atan2One(double y, double x) noexcept;
double powOne(double x, double y) noexcept;
double sqrtOne(double x) noexcept;
float sqrtOneF(float x) noexcept;
double floorOne(double x) noexcept;
double fabsOne(double x) noexcept;
double cosPiOne(double x) noexcept;

}  // namespace vek::vm
