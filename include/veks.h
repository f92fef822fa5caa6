/* veks.h - public interface of libveksh9, one-dimensional signal processing.
 *
 * Conventions shared by every function:
 *  - Every processing function returns a VekStatus: 0 success, > 0 a warning (the
 *    output is complete), < 0 an error (nothing at all was written).
 *  - Arguments are validated in this order: pointers (sources, destination, outputs),
 *    lengths (< 1 is vekStsSizeErr), value arguments, spec/state identifiers.
 *  - Argument order: sources, constant, destination, length, modes, scale factor.
 *    Non-commutative operations take the right operand first: Sub writes
 *    pSrc2 - pSrc1, Div writes pSrc2 / pSrc1.
 *  - Integer results saturate. With a scale factor s the exact result r is divided by
 *    2^s rounding to nearest, ties to even (s > 0), or multiplied by 2^-s (s < 0),
 *    then saturated to the destination type.
 *  - No alignment is required of any vector. Specs and states are laid out inside
 *    caller memory by their Init function, aligned there, and checked by identifier.
 *  - The caller's floating-point environment (MXCSR) is the same after every call.
 *  - Functions keep no global state: any thread may call any function; a state is
 *    used by one thread at a time.
 *
 * The declarations between the GENERATED markers come from the family manifests
 * (*.def) by scripts/genapi.py; edit the manifests, not this region.
 */
#ifndef VEKS_H
#define VEKS_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#  define VEKS_API __declspec(dllimport)
#elif defined(__GNUC__)
#  define VEKS_API __attribute__((visibility("default")))
#else
#  define VEKS_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- element types ---------------------------------------------------------- */
typedef uint8_t  Vek8u;
typedef int8_t   Vek8s;
typedef uint16_t Vek16u;
typedef int16_t  Vek16s;
typedef uint16_t Vek16f;   /* IEEE 754 binary16, as its bit pattern */
typedef uint32_t Vek32u;
typedef int32_t  Vek32s;
typedef float    Vek32f;
typedef uint64_t Vek64u;
typedef int64_t  Vek64s;
typedef double   Vek64f;
/* The long size type: signed and as wide as an address. */
typedef ptrdiff_t VekSizeL;

typedef struct { Vek8s  re, im; } Vek8sc;
typedef struct { Vek16s re, im; } Vek16sc;
typedef struct { Vek32s re, im; } Vek32sc;
typedef struct { Vek64s re, im; } Vek64sc;
typedef struct { Vek32f re, im; } Vek32fc;
typedef struct { Vek64f re, im; } Vek64fc;

/* ---- status codes ----------------------------------------------------------- */
typedef int32_t VekStatus;

enum {
    vekStsIirIirLengthErr    = -234,
    vekStsAlgNormErr         = -228,
    vekStsRoundModeErr       = -213,
    vekStsIirGenPassbandErr  = -209,
    vekStsIirGenFreqErr      = -208,
    vekStsIirGenOrderErr     = -206,
    vekStsSingularErr        = -195,
    vekStsSparsePosErr       = -194,
    vekStsMatrixSizeErr      = -182,
    vekStsDataTypeErr        = -59,
    vekStsChannelsErr        = -53,
    vekStsNumChannelsErr     = -47,
    vekStsToneMagnErr        = -46,
    vekStsToneFreqErr        = -45,
    vekStsTonePhaseErr       = -44,
    vekStsTrnglMagnErr       = -43,
    vekStsTrnglFreqErr       = -42,
    vekStsTrnglPhaseErr      = -41,
    vekStsTrnglAsymErr       = -40,
    vekStsKaiserAlphaErr     = -39,
    vekStsJaehneErr          = -38,
    vekStsWtOffsetErr        = -35,
    vekStsMaskSizeErr        = -33,
    vekStsShiftErr           = -32,
    vekStsSampleFactorErr    = -31,
    vekStsSamplePhaseErr     = -30,
    vekStsMrFactorErr        = -29,
    vekStsMrPhaseErr         = -28,
    vekStsRelFreqErr         = -27,
    vekStsFirLenErr          = -26,
    vekStsIirOrderErr        = -25,
    vekStsThreshNegErr       = -20,
    vekStsThreshRangeErr     = -19,
    vekStsFftFlagErr         = -18,
    vekStsFftOrderErr        = -17,
    vekStsContextMatchErr    = -13,
    vekStsDivByZeroErr       = -10,
    vekStsMemAllocErr        = -9,
    vekStsNullPtrErr         = -8,
    vekStsBadMode            = -7,
    vekStsSizeErr            = -6,
    vekStsBadArg             = -5,
    vekStsSizeOverflow       = -4,
    vekStsErr                = -2,
    vekStsNoErr              = 0,
    vekStsNoOperation        = 1,
    vekStsDivByZero          = 2,
    vekStsSqrtNegArg         = 3,
    vekStsInvZero            = 4,
    vekStsEvenMedianMaskSize = 5,
    vekStsLnZeroArg          = 7,
    vekStsNanArg             = 8,
    vekStsNonFiniteArg       = 9,
    vekStsOverflow           = 12,
    vekStsUnderflow          = 17
};

/* ---- mode arguments ---------------------------------------------------------- */
typedef enum {
    vekRoundZero = 0,   /* truncate toward zero */
    vekRoundNear = 1,   /* nearest, ties to even */
    vekRoundFin  = 2    /* nearest, ties away from zero */
} VekRoundMode;

typedef enum {
    vekHintNone  = 0,
    vekHintFast  = 1,
    vekHintAccur = 2
} VekHint;

typedef enum {
    vekDt8u   = 1,
    vekDt16u  = 5,
    vekDt16s  = 7,
    vekDt32u  = 9,
    vekDt32s  = 11,
    vekDt32f  = 13,
    vekDt32fc = 14,
    vekDt64u  = 15,
    vekDt64s  = 17,
    vekDt64f  = 19,
    vekDt64fc = 20
} VekDataType;

typedef enum {
    vekAlgAuto   = 0,
    vekAlgDirect = 1,
    vekAlgFFT    = 2
} VekAlgType;

/* Normalisation flags of the transforms. */
enum {
    vekFftScaleFwd  = 1,   /* forward scaled by 1/N */
    vekFftScaleInv  = 2,   /* inverse scaled by 1/N */
    vekFftScaleSqrt = 4,   /* both scaled by 1/sqrt(N) */
    vekFftScaleNone = 8    /* neither scaled */
};

/* ---- version record ---------------------------------------------------------- */
typedef struct {
    int32_t     major;
    int32_t     minor;
    int32_t     update;
    int32_t     revision;
    char        cpuTag[4];
    const char* name;
    const char* version;
    const char* buildDate;
} VekLibraryVersion;

/* ==== GENERATED BEGIN (scripts/genapi.py) ==== */
/* ---- frame/frame.def --------------------------------------------------------- */
/*
 * Library version, typed allocation.
 *
 * veksGetLibVersion returns the library's constant version record; it never fails.
 *
 * veksMalloc_<T>(len) returns a block of len elements aligned to 64 bytes, or null
 * when len < 1 or len x sizeof(T) exceeds 2147483647 bytes (the _L forms: exceeds the
 * range of VekSizeL) or memory is short. Contents are undefined. veksFree releases a
 * block from any of them; null is ignored.
 */
VEKS_API const VekLibraryVersion* veksGetLibVersion(void);
VEKS_API Vek8u* veksMalloc_8u(int len);
VEKS_API Vek8u* veksMalloc_8u_L(VekSizeL len);
VEKS_API Vek8s* veksMalloc_8s(int len);
VEKS_API Vek8s* veksMalloc_8s_L(VekSizeL len);
VEKS_API Vek8sc* veksMalloc_8sc(int len);
VEKS_API Vek8sc* veksMalloc_8sc_L(VekSizeL len);
VEKS_API Vek16u* veksMalloc_16u(int len);
VEKS_API Vek16u* veksMalloc_16u_L(VekSizeL len);
VEKS_API Vek16s* veksMalloc_16s(int len);
VEKS_API Vek16s* veksMalloc_16s_L(VekSizeL len);
VEKS_API Vek16sc* veksMalloc_16sc(int len);
VEKS_API Vek16sc* veksMalloc_16sc_L(VekSizeL len);
VEKS_API Vek32u* veksMalloc_32u(int len);
VEKS_API Vek32u* veksMalloc_32u_L(VekSizeL len);
VEKS_API Vek32s* veksMalloc_32s(int len);
VEKS_API Vek32s* veksMalloc_32s_L(VekSizeL len);
VEKS_API Vek32sc* veksMalloc_32sc(int len);
VEKS_API Vek32sc* veksMalloc_32sc_L(VekSizeL len);
VEKS_API Vek32f* veksMalloc_32f(int len);
VEKS_API Vek32f* veksMalloc_32f_L(VekSizeL len);
VEKS_API Vek32fc* veksMalloc_32fc(int len);
VEKS_API Vek32fc* veksMalloc_32fc_L(VekSizeL len);
VEKS_API Vek64s* veksMalloc_64s(int len);
VEKS_API Vek64s* veksMalloc_64s_L(VekSizeL len);
VEKS_API Vek64sc* veksMalloc_64sc(int len);
VEKS_API Vek64sc* veksMalloc_64sc_L(VekSizeL len);
VEKS_API Vek64f* veksMalloc_64f(int len);
VEKS_API Vek64f* veksMalloc_64f_L(VekSizeL len);
VEKS_API Vek64fc* veksMalloc_64fc(int len);
VEKS_API Vek64fc* veksMalloc_64fc_L(VekSizeL len);
VEKS_API void veksFree(void* ptr);

/* ---- elementwise/arith_div.def ----------------------------------------------- */
/*
 * Division: Div, Div_Round, DivC, DivCRev.
 *
 * Div writes pSrc2[i] / pSrc1[i] (pSrc1 holds the divisors; in place pSrcDst[i] /
 * pSrc[i]); DivC writes pSrc[i] / val; DivCRev val / pSrc[i]. Div_Round takes rndMode
 * before scaleFactor: (pSrc1, pSrc2, pDst, len, rndMode, scaleFactor), in place
 * (pSrc, pSrcDst, len, rndMode, scaleFactor).
 *
 * Integer quotients are exact: the quotient dividend x 2^-scaleFactor / divisor is
 * rounded to nearest with ties to even (Div_Round: rndMode 0 toward zero, 1 nearest
 * with ties to even, 2 nearest with ties away from zero) and saturated to the
 * destination type, for every scaleFactor and identically on every processor. For
 * 16sc the complex quotient n conj(d) / |d|^2 is rounded part by part. Example:
 * veksDiv_16s_Sfs with divisor 2 and dividends 3, 5, 7 gives 2, 2, 4.
 *
 * A zero divisor inside a vector gives the warning vekStsDivByZero; every other element
 * is still computed, and the element receives the destination's maximum for a positive
 * dividend, its minimum for a negative one and 0 for a zero one (16s: 32767, -32768, 0;
 * 8u/16u: 255/65535 or 0; 32s: 2147483647, -2147483648, 0; 16sc: 0 in both parts).
 * DivCRev_16u follows the same rule (val 0 gives zeros, 0/0 gives 0 with the warning).
 *
 * Floating quotients (Div_32f, Div_64f, DivCRev_32f) are correctly rounded IEEE
 * quotients in the caller's rounding mode. A zero divisor (+0.0 or -0.0) gives the
 * warning and +infinity or -infinity by the sign of the dividend alone, or the quiet
 * NaN (7FC00000, 7FF8000000000000) when the dividend is zero or a NaN. Div_32fc and
 * Div_64fc form (n.re d.re + n.im d.im, n.im d.re - n.re d.im) / |d|^2 (32fc in double
 * precision, rounded once); a zero divisor gives the warning and, part by part, the
 * substitute of the real division. DivC_32f/64f multiply by 1/val rounded once, DivC_32fc
 * /64fc by conj(val) / |val|^2 formed once in the element precision.
 *
 * DivC_64s_ISfs: a zero constant is the warning vekStsDivByZero and every non-zero
 * element becomes 9223372036854775807 or -9223372036854775808 by its sign (zeros stay 0).
 *
 * Status, in this order: vekStsNullPtrErr for a null pointer (in argument order),
 * vekStsSizeErr for len < 1, vekStsDivByZeroErr for a zero DivC constant (32f/64f:
 * val == 0.0; 32fc/64fc: re^2 + im^2 == 0; integers: val == 0; 16sc: both parts 0),
 * vekStsRoundModeErr for a Div_Round rndMode other than 0, 1, 2. Nothing is written on
 * an error.
 */
VEKS_API VekStatus veksDiv_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_16sc_Sfs(const Vek16sc* pSrc1, const Vek16sc* pSrc2, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_16sc_ISfs(const Vek16sc* pSrc, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_16u_Sfs(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_16u_ISfs(const Vek16u* pSrc, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksDiv_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksDiv_32fc(const Vek32fc* pSrc1, const Vek32fc* pSrc2, Vek32fc* pDst, int len);
VEKS_API VekStatus veksDiv_32fc_I(const Vek32fc* pSrc, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksDiv_32s_Sfs(const Vek32s* pSrc1, const Vek32s* pSrc2, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_32s_ISfs(const Vek32s* pSrc, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_32s16s_Sfs(const Vek32s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VEKS_API VekStatus veksDiv_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksDiv_64fc(const Vek64fc* pSrc1, const Vek64fc* pSrc2, Vek64fc* pDst, int len);
VEKS_API VekStatus veksDiv_64fc_I(const Vek64fc* pSrc, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksDiv_8u_Sfs(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_8u_ISfs(const Vek8u* pSrc, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDiv_Round_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksDiv_Round_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksDiv_Round_16u_Sfs(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksDiv_Round_16u_ISfs(const Vek16u* pSrc, Vek16u* pSrcDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksDiv_Round_8u_Sfs(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksDiv_Round_8u_ISfs(const Vek8u* pSrc, Vek8u* pSrcDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksDivC_16s_Sfs(const Vek16s* pSrc, Vek16s val, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_16s_ISfs(Vek16s val, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc val, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_16sc_ISfs(Vek16sc val, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_16u_Sfs(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_16u_ISfs(Vek16u val, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pDst, int len);
VEKS_API VekStatus veksDivC_32f_I(Vek32f val, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksDivC_32fc(const Vek32fc* pSrc, Vek32fc val, Vek32fc* pDst, int len);
VEKS_API VekStatus veksDivC_32fc_I(Vek32fc val, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksDivC_64f(const Vek64f* pSrc, Vek64f val, Vek64f* pDst, int len);
VEKS_API VekStatus veksDivC_64f_I(Vek64f val, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksDivC_64fc(const Vek64fc* pSrc, Vek64fc val, Vek64fc* pDst, int len);
VEKS_API VekStatus veksDivC_64fc_I(Vek64fc val, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksDivC_64s_ISfs(Vek64s val, Vek64s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_8u_Sfs(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivC_8u_ISfs(Vek8u val, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksDivCRev_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len);
VEKS_API VekStatus veksDivCRev_16u_I(Vek16u val, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksDivCRev_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pDst, int len);
VEKS_API VekStatus veksDivCRev_32f_I(Vek32f val, Vek32f* pSrcDst, int len);

/* ---- elementwise/arith_float.def --------------------------------------------- */
/*
 * Floating-point arithmetic: Add, AddC, Sub, SubC, SubCRev, Mul, MulC, Sqr, Abs,
 * AddProduct, AddProductC on 32f, 64f, 32fc, 64fc, and the mixed integer/float forms.
 *
 * Argument order as for the integer forms: Sub writes pSrc2[i] - pSrc1[i], SubC
 * pSrc[i] - val, SubCRev val - pSrc[i]; AddProduct pSrcDst[i] + pSrc1[i] x pSrc2[i] and
 * AddProductC pSrcDst[i] + pSrc[i] x val, each as one fused multiply-add (a single
 * rounding).
 *
 * Each result is the IEEE operation in the element precision under the caller's
 * rounding mode (and flush-to-zero/denormals-are-zero setting). Exceptions never trap
 * inside a call, and the caller's MXCSR, sticky flags included, is the same after the
 * call as before it. Complex products a x b (a = pSrc1[i] or pSrc[i], b = pSrc2[i] or
 * val) are re = fma(b.re, a.re, -(b.im a.im)) and im = fma(b.re, a.im, b.im a.re);
 * complex squares are a x a. Abs clears the sign bit (-0.0 gives +0.0, NaN payloads are
 * kept). Mul_32f32fc scales each complex element of pSrc2 by the real pSrc1[i].
 *
 * Mixed forms: Add_16s32f, Sub_16s32f and Mul_16s32f write the exact integer sum,
 * difference or product rounded to nearest single precision. MulC_32f16s_Sfs forms
 * k = val x 2^-scaleFactor once, rounded to single precision, and writes each
 * pSrc[i] x k rounded to nearest even and saturated to 16s, whatever the caller's
 * rounding mode; MulC_Low_32f16s writes pSrc[i] x val converted in the caller's
 * rounding mode and saturated. A NaN product gives 0. MulC_64f64s_ISfs writes the exact
 * product of each 64s element and the 64f constant, multiplied by 2^-scaleFactor,
 * rounded to nearest even and saturated to 64s (an infinite constant saturates every
 * non-zero element by sign, a NaN constant gives 0).
 *
 * Status: vekStsNullPtrErr for a null pointer (in argument order), then vekStsSizeErr
 * for len < 1; nothing is written on an error. Otherwise vekStsNoErr.
 */
VEKS_API VekStatus veksAdd_16s32f(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksAdd_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksAdd_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksAdd_32fc(const Vek32fc* pSrc1, const Vek32fc* pSrc2, Vek32fc* pDst, int len);
VEKS_API VekStatus veksAdd_32fc_I(const Vek32fc* pSrc, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksAdd_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VEKS_API VekStatus veksAdd_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksAdd_64fc(const Vek64fc* pSrc1, const Vek64fc* pSrc2, Vek64fc* pDst, int len);
VEKS_API VekStatus veksAdd_64fc_I(const Vek64fc* pSrc, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksAddC_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pDst, int len);
VEKS_API VekStatus veksAddC_32f_I(Vek32f val, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksAddC_32fc(const Vek32fc* pSrc, Vek32fc val, Vek32fc* pDst, int len);
VEKS_API VekStatus veksAddC_32fc_I(Vek32fc val, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksAddC_64f(const Vek64f* pSrc, Vek64f val, Vek64f* pDst, int len);
VEKS_API VekStatus veksAddC_64f_I(Vek64f val, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksAddC_64fc(const Vek64fc* pSrc, Vek64fc val, Vek64fc* pDst, int len);
VEKS_API VekStatus veksAddC_64fc_I(Vek64fc val, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksSub_16s32f(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksSub_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksSub_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksSub_32fc(const Vek32fc* pSrc1, const Vek32fc* pSrc2, Vek32fc* pDst, int len);
VEKS_API VekStatus veksSub_32fc_I(const Vek32fc* pSrc, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksSub_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VEKS_API VekStatus veksSub_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksSub_64fc(const Vek64fc* pSrc1, const Vek64fc* pSrc2, Vek64fc* pDst, int len);
VEKS_API VekStatus veksSub_64fc_I(const Vek64fc* pSrc, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksSubC_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pDst, int len);
VEKS_API VekStatus veksSubC_32f_I(Vek32f val, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksSubC_32fc(const Vek32fc* pSrc, Vek32fc val, Vek32fc* pDst, int len);
VEKS_API VekStatus veksSubC_32fc_I(Vek32fc val, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksSubC_64f(const Vek64f* pSrc, Vek64f val, Vek64f* pDst, int len);
VEKS_API VekStatus veksSubC_64f_I(Vek64f val, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksSubC_64fc(const Vek64fc* pSrc, Vek64fc val, Vek64fc* pDst, int len);
VEKS_API VekStatus veksSubC_64fc_I(Vek64fc val, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksSubCRev_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pDst, int len);
VEKS_API VekStatus veksSubCRev_32f_I(Vek32f val, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksSubCRev_32fc(const Vek32fc* pSrc, Vek32fc val, Vek32fc* pDst, int len);
VEKS_API VekStatus veksSubCRev_32fc_I(Vek32fc val, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksSubCRev_64f(const Vek64f* pSrc, Vek64f val, Vek64f* pDst, int len);
VEKS_API VekStatus veksSubCRev_64f_I(Vek64f val, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksSubCRev_64fc(const Vek64fc* pSrc, Vek64fc val, Vek64fc* pDst, int len);
VEKS_API VekStatus veksSubCRev_64fc_I(Vek64fc val, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksMul_16s32f(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksMul_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksMul_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksMul_32f32fc(const Vek32f* pSrc1, const Vek32fc* pSrc2, Vek32fc* pDst, int len);
VEKS_API VekStatus veksMul_32f32fc_I(const Vek32f* pSrc, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksMul_32fc(const Vek32fc* pSrc1, const Vek32fc* pSrc2, Vek32fc* pDst, int len);
VEKS_API VekStatus veksMul_32fc_I(const Vek32fc* pSrc, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksMul_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VEKS_API VekStatus veksMul_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksMul_64fc(const Vek64fc* pSrc1, const Vek64fc* pSrc2, Vek64fc* pDst, int len);
VEKS_API VekStatus veksMul_64fc_I(const Vek64fc* pSrc, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksMulC_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pDst, int len);
VEKS_API VekStatus veksMulC_32f_I(Vek32f val, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksMulC_32f16s_Sfs(const Vek32f* pSrc, Vek32f val, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_32fc(const Vek32fc* pSrc, Vek32fc val, Vek32fc* pDst, int len);
VEKS_API VekStatus veksMulC_32fc_I(Vek32fc val, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksMulC_64f(const Vek64f* pSrc, Vek64f val, Vek64f* pDst, int len);
VEKS_API VekStatus veksMulC_64f_I(Vek64f val, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksMulC_64f64s_ISfs(Vek64f val, Vek64s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_64fc(const Vek64fc* pSrc, Vek64fc val, Vek64fc* pDst, int len);
VEKS_API VekStatus veksMulC_64fc_I(Vek64fc val, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksMulC_Low_32f16s(const Vek32f* pSrc, Vek32f val, Vek16s* pDst, int len);
VEKS_API VekStatus veksSqr_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksSqr_32f_I(Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksSqr_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VEKS_API VekStatus veksSqr_32fc_I(Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksSqr_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksSqr_64f_I(Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksSqr_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VEKS_API VekStatus veksSqr_64fc_I(Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksAbs_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksAbs_32f_I(Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksAbs_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksAbs_64f_I(Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksAddProduct_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksAddProduct_32fc(const Vek32fc* pSrc1, const Vek32fc* pSrc2, Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksAddProduct_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksAddProduct_64fc(const Vek64fc* pSrc1, const Vek64fc* pSrc2, Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksAddProductC_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksAddProductC_64f(const Vek64f* pSrc, Vek64f val, Vek64f* pSrcDst, int len);

/* ---- elementwise/arith_int.def ----------------------------------------------- */
/*
 * Integer arithmetic: Add, AddC, Sub, SubC, SubCRev, Mul, MulC, Sqr, Abs, AddProduct.
 *
 * Arguments: binary (pSrc1, pSrc2, pDst, len), in place (pSrc, pSrcDst, len); with a
 * constant (pSrc, val, pDst, len), in place (val, pSrcDst, len); unary (pSrc, pDst, len),
 * in place (pSrcDst, len); AddProduct (pSrc1, pSrc2, pSrcDst, len). Sfs forms take
 * scaleFactor last. Sub writes pSrc2[i] - pSrc1[i] (in place pSrcDst[i] - pSrc[i]), SubC
 * pSrc[i] - val, SubCRev val - pSrc[i]; AddProduct pSrcDst[i] + pSrc1[i] x pSrc2[i].
 *
 * Every result is the exact value of the element operation (sums, differences and
 * products of 8/16-bit operands in 32 bits, except 16u and complex 16sc products in 64;
 * 32-bit operands in 64 bits, 32sc products and 64-bit operands in 128 bits), then
 * multiplied by 2^-scaleFactor: for scaleFactor > 0 divided with rounding to nearest,
 * ties to even; for scaleFactor < 0 shifted left. The result is saturated to the
 * destination type; forms without Sfs behave as scaleFactor 0. Any scaleFactor is
 * valid. Example: veksAdd_16s_Sfs of 1 and 2 with scaleFactor 1 gives 2 (1.5 to even),
 * of 32767 and 32767 with scaleFactor 2 gives 16384.
 *
 * Complex 16sc/32sc Add, Sub and the C forms act on the real and imaginary parts
 * separately; Mul, MulC and Sqr form re = a.re b.re - a.im b.im and
 * im = a.re b.im + a.im b.re exactly before scaling. Abs saturates: |-32768| = 32767,
 * |-2147483648| = 2147483647. MulC_64s_ISfs: 64s elements times a 64s constant.
 *
 * Status: vekStsNullPtrErr for a null pointer (in argument order), then vekStsSizeErr
 * for len < 1; nothing is written on an error. Otherwise vekStsNoErr.
 */
VEKS_API VekStatus veksAdd_16s(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len);
VEKS_API VekStatus veksAdd_16s_I(const Vek16s* pSrc, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksAdd_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_16s32s_I(const Vek16s* pSrc, Vek32s* pSrcDst, int len);
VEKS_API VekStatus veksAdd_16sc_Sfs(const Vek16sc* pSrc1, const Vek16sc* pSrc2, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_16sc_ISfs(const Vek16sc* pSrc, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_16u(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len);
VEKS_API VekStatus veksAdd_16u_Sfs(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_16u_ISfs(const Vek16u* pSrc, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_32s_Sfs(const Vek32s* pSrc1, const Vek32s* pSrc2, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_32s_ISfs(const Vek32s* pSrc, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_32sc_Sfs(const Vek32sc* pSrc1, const Vek32sc* pSrc2, Vek32sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_32sc_ISfs(const Vek32sc* pSrc, Vek32sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_32u(const Vek32u* pSrc1, const Vek32u* pSrc2, Vek32u* pDst, int len);
VEKS_API VekStatus veksAdd_32u_I(const Vek32u* pSrc, Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksAdd_64s_Sfs(const Vek64s* pSrc1, const Vek64s* pSrc2, Vek64s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_8u16u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek16u* pDst, int len);
VEKS_API VekStatus veksAdd_8u_Sfs(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAdd_8u_ISfs(const Vek8u* pSrc, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_16s_I(Vek16s val, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksAddC_16s_Sfs(const Vek16s* pSrc, Vek16s val, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_16s_ISfs(Vek16s val, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc val, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_16sc_ISfs(Vek16sc val, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_16u_Sfs(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_16u_ISfs(Vek16u val, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_32s_Sfs(const Vek32s* pSrc, Vek32s val, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_32s_ISfs(Vek32s val, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_32sc_Sfs(const Vek32sc* pSrc, Vek32sc val, Vek32sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_32sc_ISfs(Vek32sc val, Vek32sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_64s_Sfs(const Vek64s* pSrc, Vek64s val, Vek64s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_64u_Sfs(const Vek64u* pSrc, Vek64u val, Vek64u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_8u_Sfs(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddC_8u_ISfs(Vek8u val, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_16s(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len);
VEKS_API VekStatus veksSub_16s_I(const Vek16s* pSrc, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksSub_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_16sc_Sfs(const Vek16sc* pSrc1, const Vek16sc* pSrc2, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_16sc_ISfs(const Vek16sc* pSrc, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_16u_Sfs(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_16u_ISfs(const Vek16u* pSrc, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_32s_Sfs(const Vek32s* pSrc1, const Vek32s* pSrc2, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_32s_ISfs(const Vek32s* pSrc, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_32sc_Sfs(const Vek32sc* pSrc1, const Vek32sc* pSrc2, Vek32sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_32sc_ISfs(const Vek32sc* pSrc, Vek32sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_8u_Sfs(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSub_8u_ISfs(const Vek8u* pSrc, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_16s_I(Vek16s val, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksSubC_16s_Sfs(const Vek16s* pSrc, Vek16s val, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_16s_ISfs(Vek16s val, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc val, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_16sc_ISfs(Vek16sc val, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_16u_Sfs(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_16u_ISfs(Vek16u val, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_32s_Sfs(const Vek32s* pSrc, Vek32s val, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_32s_ISfs(Vek32s val, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_32sc_Sfs(const Vek32sc* pSrc, Vek32sc val, Vek32sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_32sc_ISfs(Vek32sc val, Vek32sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_8u_Sfs(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubC_8u_ISfs(Vek8u val, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_16s_Sfs(const Vek16s* pSrc, Vek16s val, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_16s_ISfs(Vek16s val, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_16sc_Sfs(const Vek16sc* pSrc, Vek16sc val, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_16sc_ISfs(Vek16sc val, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_16u_Sfs(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_16u_ISfs(Vek16u val, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_32s_Sfs(const Vek32s* pSrc, Vek32s val, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_32s_ISfs(Vek32s val, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_32sc_Sfs(const Vek32sc* pSrc, Vek32sc val, Vek32sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_32sc_ISfs(Vek32sc val, Vek32sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_8u_Sfs(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSubCRev_8u_ISfs(Vek8u val, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16s(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len);
VEKS_API VekStatus veksMul_16s_I(const Vek16s* pSrc, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksMul_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16s32s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16sc_Sfs(const Vek16sc* pSrc1, const Vek16sc* pSrc2, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16sc_ISfs(const Vek16sc* pSrc, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16u16s_Sfs(const Vek16u* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16u_Sfs(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_16u_ISfs(const Vek16u* pSrc, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_32s_Sfs(const Vek32s* pSrc1, const Vek32s* pSrc2, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_32s_ISfs(const Vek32s* pSrc, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_32sc_Sfs(const Vek32sc* pSrc1, const Vek32sc* pSrc2, Vek32sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_32sc_ISfs(const Vek32sc* pSrc, Vek32sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_8u16u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek16u* pDst, int len);
VEKS_API VekStatus veksMul_8u_Sfs(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMul_8u_ISfs(const Vek8u* pSrc, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_16s_I(Vek16s val, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksMulC_16s_Sfs(const Vek16s* pSrc, Vek16s val, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_16s_ISfs(Vek16s val, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc val, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_16sc_ISfs(Vek16sc val, Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_16u_Sfs(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_16u_ISfs(Vek16u val, Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_32s_Sfs(const Vek32s* pSrc, Vek32s val, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_32s_ISfs(Vek32s val, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_32sc_Sfs(const Vek32sc* pSrc, Vek32sc val, Vek32sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_32sc_ISfs(Vek32sc val, Vek32sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_64s_ISfs(Vek64s val, Vek64s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_8u_Sfs(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksMulC_8u_ISfs(Vek8u val, Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_8u_Sfs(const Vek8u* pSrc, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_8u_ISfs(Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_16sc_ISfs(Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_16u_Sfs(const Vek16u* pSrc, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqr_16u_ISfs(Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAbs_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VEKS_API VekStatus veksAbs_16s_I(Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksAbs_32s(const Vek32s* pSrc, Vek32s* pDst, int len);
VEKS_API VekStatus veksAbs_32s_I(Vek32s* pSrcDst, int len);
VEKS_API VekStatus veksAddProduct_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddProduct_16s32s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksAddProduct_32s_Sfs(const Vek32s* pSrc1, const Vek32s* pSrc2, Vek32s* pSrcDst, int len, int scaleFactor);

/* ---- elementwise/bitlogic.def ------------------------------------------------ */
/*
 * Bit logic and shifts.
 *
 * And, Or, Xor (pSrc1, pSrc2, pDst, len), in place (pSrc, pSrcDst, len): bitwise
 * operation of corresponding elements. AndC, OrC, XorC (pSrc, val, pDst, len), in
 * place (val, pSrcDst, len): with the constant val. Not (pSrc, pDst, len), in place
 * (pSrcDst, len): bitwise complement (XorC with the all-ones element).
 *
 * LShiftC, RShiftC (pSrc, val, pDst, len), in place (val, pSrcDst, len): shift by the
 * signed count val. Bits shifted out are lost; RShiftC is logical for 8u and 16u and
 * arithmetic (sign-filling) for 16s and 32s; LShiftC_16s acts on the bits as 16u does.
 * val = 0 copies (in place: nothing changes); val of the element width or more gives 0
 * (arithmetic right shifts: -1 for negative elements and 0 for the others).
 * Example: LShiftC_8u of 200 by 1 gives 144; RShiftC_16s of {-5, 5} by 20 gives {-1, 0}.
 *
 * Status: vekStsNullPtrErr for a null pointer (in argument order), then vekStsSizeErr
 * for len < 1, then vekStsShiftErr for a negative count; nothing is written on an error.
 */
VEKS_API VekStatus veksAnd_8u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len);
VEKS_API VekStatus veksAnd_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksAnd_16u(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len);
VEKS_API VekStatus veksAnd_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksAnd_32u(const Vek32u* pSrc1, const Vek32u* pSrc2, Vek32u* pDst, int len);
VEKS_API VekStatus veksAnd_32u_I(const Vek32u* pSrc, Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksAndC_8u(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len);
VEKS_API VekStatus veksAndC_8u_I(Vek8u val, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksAndC_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len);
VEKS_API VekStatus veksAndC_16u_I(Vek16u val, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksAndC_32u(const Vek32u* pSrc, Vek32u val, Vek32u* pDst, int len);
VEKS_API VekStatus veksAndC_32u_I(Vek32u val, Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksOr_8u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len);
VEKS_API VekStatus veksOr_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksOr_16u(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len);
VEKS_API VekStatus veksOr_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksOr_32u(const Vek32u* pSrc1, const Vek32u* pSrc2, Vek32u* pDst, int len);
VEKS_API VekStatus veksOr_32u_I(const Vek32u* pSrc, Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksOrC_8u(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len);
VEKS_API VekStatus veksOrC_8u_I(Vek8u val, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksOrC_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len);
VEKS_API VekStatus veksOrC_16u_I(Vek16u val, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksOrC_32u(const Vek32u* pSrc, Vek32u val, Vek32u* pDst, int len);
VEKS_API VekStatus veksOrC_32u_I(Vek32u val, Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksXor_8u(const Vek8u* pSrc1, const Vek8u* pSrc2, Vek8u* pDst, int len);
VEKS_API VekStatus veksXor_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksXor_16u(const Vek16u* pSrc1, const Vek16u* pSrc2, Vek16u* pDst, int len);
VEKS_API VekStatus veksXor_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksXor_32u(const Vek32u* pSrc1, const Vek32u* pSrc2, Vek32u* pDst, int len);
VEKS_API VekStatus veksXor_32u_I(const Vek32u* pSrc, Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksXorC_8u(const Vek8u* pSrc, Vek8u val, Vek8u* pDst, int len);
VEKS_API VekStatus veksXorC_8u_I(Vek8u val, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksXorC_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len);
VEKS_API VekStatus veksXorC_16u_I(Vek16u val, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksXorC_32u(const Vek32u* pSrc, Vek32u val, Vek32u* pDst, int len);
VEKS_API VekStatus veksXorC_32u_I(Vek32u val, Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksNot_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VEKS_API VekStatus veksNot_8u_I(Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksNot_16u(const Vek16u* pSrc, Vek16u* pDst, int len);
VEKS_API VekStatus veksNot_16u_I(Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksNot_32u(const Vek32u* pSrc, Vek32u* pDst, int len);
VEKS_API VekStatus veksNot_32u_I(Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksLShiftC_8u(const Vek8u* pSrc, int val, Vek8u* pDst, int len);
VEKS_API VekStatus veksLShiftC_8u_I(int val, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksLShiftC_16u(const Vek16u* pSrc, int val, Vek16u* pDst, int len);
VEKS_API VekStatus veksLShiftC_16u_I(int val, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksLShiftC_16s(const Vek16s* pSrc, int val, Vek16s* pDst, int len);
VEKS_API VekStatus veksLShiftC_16s_I(int val, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksLShiftC_32s(const Vek32s* pSrc, int val, Vek32s* pDst, int len);
VEKS_API VekStatus veksLShiftC_32s_I(int val, Vek32s* pSrcDst, int len);
VEKS_API VekStatus veksRShiftC_8u(const Vek8u* pSrc, int val, Vek8u* pDst, int len);
VEKS_API VekStatus veksRShiftC_8u_I(int val, Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksRShiftC_16u(const Vek16u* pSrc, int val, Vek16u* pDst, int len);
VEKS_API VekStatus veksRShiftC_16u_I(int val, Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksRShiftC_16s(const Vek16s* pSrc, int val, Vek16s* pDst, int len);
VEKS_API VekStatus veksRShiftC_16s_I(int val, Vek16s* pSrcDst, int len);
VEKS_API VekStatus veksRShiftC_32s(const Vek32s* pSrc, int val, Vek32s* pDst, int len);
VEKS_API VekStatus veksRShiftC_32s_I(int val, Vek32s* pSrcDst, int len);

/* ---- elementwise/convert.def ------------------------------------------------- */
/*
 * Conversions between element types.
 *
 * Arguments: (pSrc, pDst, len), then rndMode where the name takes one, then
 * scaleFactor for the Sfs forms. 24u and 24s vectors are passed as bytes: three per
 * element, least significant first, no padding.
 *
 * - Widenings (8s16s, 16s32s, 8s32f, 8u32f, 16s32f, 16u32f, 32s64f, 32f64f, 24u32u,
 *   24s32s, 24u32f, 24s32f, 16f32f) are exact, whatever the caller's FTZ/DAZ bits.
 * - 32s32f, 64s64f, 64f32f round once in the caller's rounding direction (64f32f gives
 *   infinity beyond the single range in round to nearest).
 * - 8s8u maps negative values to 0; 32s16s saturates to [-32768, 32767].
 * - 16s32f_Sfs, 32s32f_Sfs, 16s64f_Sfs, 32s64f_Sfs: x x 2^-scaleFactor rounded once to
 *   the destination in the caller's direction, for every scaleFactor.
 * - 32s16s_Sfs, 32s24s_Sfs, 32u24u_Sfs: the exact x / 2^scaleFactor rounded to nearest
 *   with ties to even (scaleFactor < 0: shifted left), saturated.
 * - 8u8s_Sfs, 16s8s_Sfs, 64s32s_Sfs: x / 2^scaleFactor rounded by rndMode (0 toward
 *   zero, 1 nearest with ties to even, any other value nearest with ties away from
 *   zero), saturated.
 * - Float to integer (32f and 64f to 8s, 8u, 16s, 16u, 32s; 64f to 64s): x x 2^-scaleFactor
 *   (an exact power of two, for every scaleFactor), rounded by rndMode (0 toward zero,
 *   1 nearest with ties to even, any other value ties away from zero: 2.5 gives 3,
 *   -2.5 gives -3), saturated to the destination. A NaN gives the destination's
 *   minimum (-128, 0, -32768, 0), for 32s and 64s the maximum when its sign bit is
 *   clear and the minimum when it is set. 32f24s_Sfs and 32f24u_Sfs round to nearest
 *   with ties to even.
 * - 32f16f: IEEE binary16 rounded to nearest even (rndMode 1) or toward zero (0 and any
 *   other value but 2); results in the binary16 subnormal range are produced, not
 *   flushed; beyond 65504 rounding to nearest gives infinity and truncation 65504;
 *   NaNs stay NaNs (quiet, sign and leading payload kept). 16s16f rounds the same way.
 *   16f16s_Sfs converts by the float-to-integer rule with rndMode 1 nearest even, any
 *   other accepted value toward zero.
 *
 * Status, in this order: vekStsNullPtrErr for a null pSrc or pDst, vekStsSizeErr for
 * len < 1, and for 32f16f, 16s16f and 16f16s_Sfs vekStsRoundModeErr for rndMode 2.
 * Nothing is written on an error; there are no warnings. Every converter leaves the
 * caller's MXCSR (rounding field, masks and sticky flags) as it found it.
 */
VEKS_API VekStatus veksConvert_8s16s(const Vek8s* pSrc, Vek16s* pDst, int len);
VEKS_API VekStatus veksConvert_16s32s(const Vek16s* pSrc, Vek32s* pDst, int len);
VEKS_API VekStatus veksConvert_8s32f(const Vek8s* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_16s32f(const Vek16s* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_16u32f(const Vek16u* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_32s64f(const Vek32s* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksConvert_32f64f(const Vek32f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksConvert_24u32u(const Vek8u* pSrc, Vek32u* pDst, int len);
VEKS_API VekStatus veksConvert_24s32s(const Vek8u* pSrc, Vek32s* pDst, int len);
VEKS_API VekStatus veksConvert_24u32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_24s32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_16f32f(const Vek16f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_32s32f(const Vek32s* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_64s64f(const Vek64s* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksConvert_64f32f(const Vek64f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksConvert_8s8u(const Vek8s* pSrc, Vek8u* pDst, int len);
VEKS_API VekStatus veksConvert_32s16s(const Vek32s* pSrc, Vek16s* pDst, int len);
VEKS_API VekStatus veksConvert_16s32f_Sfs(const Vek16s* pSrc, Vek32f* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_32s32f_Sfs(const Vek32s* pSrc, Vek32f* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_16s64f_Sfs(const Vek16s* pSrc, Vek64f* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_32s64f_Sfs(const Vek32s* pSrc, Vek64f* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_32s24s_Sfs(const Vek32s* pSrc, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_32u24u_Sfs(const Vek32u* pSrc, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_32f24s_Sfs(const Vek32f* pSrc, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_32f24u_Sfs(const Vek32f* pSrc, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksConvert_8u8s_Sfs(const Vek8u* pSrc, Vek8s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_16s8s_Sfs(const Vek16s* pSrc, Vek8s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_64s32s_Sfs(const Vek64s* pSrc, Vek32s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_32f8s_Sfs(const Vek32f* pSrc, Vek8s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_32f8u_Sfs(const Vek32f* pSrc, Vek8u* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_32f16s_Sfs(const Vek32f* pSrc, Vek16s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_32f16u_Sfs(const Vek32f* pSrc, Vek16u* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_32f32s_Sfs(const Vek32f* pSrc, Vek32s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_64f8s_Sfs(const Vek64f* pSrc, Vek8s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_64f8u_Sfs(const Vek64f* pSrc, Vek8u* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_64f16s_Sfs(const Vek64f* pSrc, Vek16s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_64f16u_Sfs(const Vek64f* pSrc, Vek16u* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_64f32s_Sfs(const Vek64f* pSrc, Vek32s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_64f64s_Sfs(const Vek64f* pSrc, Vek64s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_16f16s_Sfs(const Vek16f* pSrc, Vek16s* pDst, int len, int rndMode, int scaleFactor);
VEKS_API VekStatus veksConvert_32f16f(const Vek32f* pSrc, Vek16f* pDst, int len, int rndMode);
VEKS_API VekStatus veksConvert_16s16f(const Vek16s* pSrc, Vek16f* pDst, int len, int rndMode);

/* ---- elementwise/datamove.def ------------------------------------------------ */
/*
 * Copies, moves, fills, reversal, byte swaps and bit copies.
 *
 * Copy (pSrc, pDst, len): pDst[i] = pSrc[i]; the vectors must not overlap. Move: the
 * same, correct for overlapping vectors in either direction. Set (val, pDst, len):
 * pDst[i] = val (a complex val is the whole record). Zero (pDst, len): all bits zero.
 * Flip (pSrc, pDst, len): pDst[i] = pSrc[len - 1 - i], complex elements as whole
 * records; pSrc == pDst runs the in-place form. SwapBytes: reverses the bytes of each
 * element (24u: packed 3-byte elements, passed as bytes, len counts elements).
 *
 * CopyLE_1u / CopyBE_1u (pSrc, srcBitOffset, pDst, dstBitOffset, len) copy len bits
 * from bit srcBitOffset of pSrc to bit dstBitOffset of pDst; destination bits outside
 * the range keep their values. CopyLE numbers the bits of a byte from the most
 * significant (position 0 is 128), CopyBE from the least significant (position 0 is
 * 1); the string continues into the next byte. Offsets of 8 or more address the
 * following bytes. Example: source 0xF0, offsets 0 and 4, 4 bits, destination 0x00:
 * CopyLE gives 0x0F, CopyBE gives 0x00.
 *
 * Status: vekStsNullPtrErr for a null pointer (in argument order), then vekStsSizeErr
 * for len < 1 (bit copies: also for a negative offset); nothing is written on an error.
 */
VEKS_API VekStatus veksCopy_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VEKS_API VekStatus veksCopy_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VEKS_API VekStatus veksCopy_32s(const Vek32s* pSrc, Vek32s* pDst, int len);
VEKS_API VekStatus veksCopy_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksCopy_64s(const Vek64s* pSrc, Vek64s* pDst, int len);
VEKS_API VekStatus veksCopy_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksCopy_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VEKS_API VekStatus veksCopy_32sc(const Vek32sc* pSrc, Vek32sc* pDst, int len);
VEKS_API VekStatus veksCopy_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VEKS_API VekStatus veksCopy_64sc(const Vek64sc* pSrc, Vek64sc* pDst, int len);
VEKS_API VekStatus veksCopy_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VEKS_API VekStatus veksMove_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VEKS_API VekStatus veksMove_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VEKS_API VekStatus veksMove_32s(const Vek32s* pSrc, Vek32s* pDst, int len);
VEKS_API VekStatus veksMove_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksMove_64s(const Vek64s* pSrc, Vek64s* pDst, int len);
VEKS_API VekStatus veksMove_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksMove_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VEKS_API VekStatus veksMove_32sc(const Vek32sc* pSrc, Vek32sc* pDst, int len);
VEKS_API VekStatus veksMove_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VEKS_API VekStatus veksMove_64sc(const Vek64sc* pSrc, Vek64sc* pDst, int len);
VEKS_API VekStatus veksMove_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VEKS_API VekStatus veksSet_8u(Vek8u val, Vek8u* pDst, int len);
VEKS_API VekStatus veksSet_16s(Vek16s val, Vek16s* pDst, int len);
VEKS_API VekStatus veksSet_32s(Vek32s val, Vek32s* pDst, int len);
VEKS_API VekStatus veksSet_32f(Vek32f val, Vek32f* pDst, int len);
VEKS_API VekStatus veksSet_64s(Vek64s val, Vek64s* pDst, int len);
VEKS_API VekStatus veksSet_64f(Vek64f val, Vek64f* pDst, int len);
VEKS_API VekStatus veksSet_16sc(Vek16sc val, Vek16sc* pDst, int len);
VEKS_API VekStatus veksSet_32sc(Vek32sc val, Vek32sc* pDst, int len);
VEKS_API VekStatus veksSet_32fc(Vek32fc val, Vek32fc* pDst, int len);
VEKS_API VekStatus veksSet_64sc(Vek64sc val, Vek64sc* pDst, int len);
VEKS_API VekStatus veksSet_64fc(Vek64fc val, Vek64fc* pDst, int len);
VEKS_API VekStatus veksZero_8u(Vek8u* pDst, int len);
VEKS_API VekStatus veksZero_16s(Vek16s* pDst, int len);
VEKS_API VekStatus veksZero_32s(Vek32s* pDst, int len);
VEKS_API VekStatus veksZero_32f(Vek32f* pDst, int len);
VEKS_API VekStatus veksZero_64s(Vek64s* pDst, int len);
VEKS_API VekStatus veksZero_64f(Vek64f* pDst, int len);
VEKS_API VekStatus veksZero_16sc(Vek16sc* pDst, int len);
VEKS_API VekStatus veksZero_32sc(Vek32sc* pDst, int len);
VEKS_API VekStatus veksZero_32fc(Vek32fc* pDst, int len);
VEKS_API VekStatus veksZero_64sc(Vek64sc* pDst, int len);
VEKS_API VekStatus veksZero_64fc(Vek64fc* pDst, int len);
VEKS_API VekStatus veksFlip_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VEKS_API VekStatus veksFlip_8u_I(Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksFlip_16u(const Vek16u* pSrc, Vek16u* pDst, int len);
VEKS_API VekStatus veksFlip_16u_I(Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksFlip_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksFlip_32f_I(Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksFlip_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksFlip_64f_I(Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksFlip_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VEKS_API VekStatus veksFlip_32fc_I(Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksFlip_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VEKS_API VekStatus veksFlip_64fc_I(Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksSwapBytes_16u(const Vek16u* pSrc, Vek16u* pDst, int len);
VEKS_API VekStatus veksSwapBytes_16u_I(Vek16u* pSrcDst, int len);
VEKS_API VekStatus veksSwapBytes_32u(const Vek32u* pSrc, Vek32u* pDst, int len);
VEKS_API VekStatus veksSwapBytes_32u_I(Vek32u* pSrcDst, int len);
VEKS_API VekStatus veksSwapBytes_64u(const Vek64u* pSrc, Vek64u* pDst, int len);
VEKS_API VekStatus veksSwapBytes_64u_I(Vek64u* pSrcDst, int len);
VEKS_API VekStatus veksSwapBytes_24u(const Vek8u* pSrc, Vek8u* pDst, int len);
VEKS_API VekStatus veksSwapBytes_24u_I(Vek8u* pSrcDst, int len);
VEKS_API VekStatus veksCopyLE_1u(const Vek8u* pSrc, int srcBitOffset, Vek8u* pDst, int dstBitOffset, int len);
VEKS_API VekStatus veksCopyBE_1u(const Vek8u* pSrc, int srcBitOffset, Vek8u* pDst, int dstBitOffset, int len);

/* ---- transforms/dct.def ------------------------------------------------------ */
/*
 * Orthonormal DCT of any length N >= 1 (type II forward, type III inverse):
 *   forward y[k] = c_k sum_n x[n] cos(pi (2n + 1) k / (2N)), c_0 = 1/sqrt(N), c_k = sqrt(2/N)
 *   inverse x[n] = sum_k c_k y[k] cos(pi (2n + 1) k / (2N)), so the inverse undoes the forward.
 * Protocol: veksDCT{Fwd,Inv}GetSize_* (len, hint, pSpecSize, pSpecBufferSize, pBufferSize)
 * gives the bytes of the spec, of the buffer needed only during Init and of the work
 * buffer of each transform (0 when none is needed; the sizes include alignment slack).
 * veksDCT{Fwd,Inv}Init_* builds the spec in pSpec and stores its start into
 * *ppDCTSpec; the transforms take that pointer. pSrc may equal pDst (the _I forms).
 * Status: GetSize: len < 1 (vekStsSizeErr), a null output (vekStsNullPtrErr), len
 * beyond the DFT's range (vekStsSizeErr). Init: len < 1, then ppDCTSpec or pSpec null,
 * then len beyond range, then a null pSpecBuffer where one is needed. Transforms: a
 * null spec or data pointer (vekStsNullPtrErr), a spec of another direction or
 * precision (vekStsContextMatchErr), a null pBuffer where the length needs a work
 * buffer (vekStsNullPtrErr). Nothing is written on an error.
 */
typedef struct VeksDCTFwdSpec_32f VeksDCTFwdSpec_32f;
typedef struct VeksDCTInvSpec_32f VeksDCTInvSpec_32f;
typedef struct VeksDCTFwdSpec_64f VeksDCTFwdSpec_64f;
typedef struct VeksDCTInvSpec_64f VeksDCTInvSpec_64f;
VEKS_API VekStatus veksDCTFwdGetSize_32f(int len, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDCTFwdInit_32f(VeksDCTFwdSpec_32f** ppDCTSpec, int len, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDCTFwd_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDCTFwdSpec_32f* pDCTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDCTFwd_32f_I(Vek32f* pSrcDst, const VeksDCTFwdSpec_32f* pDCTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDCTInvGetSize_32f(int len, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDCTInvInit_32f(VeksDCTInvSpec_32f** ppDCTSpec, int len, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDCTInv_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDCTInvSpec_32f* pDCTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDCTInv_32f_I(Vek32f* pSrcDst, const VeksDCTInvSpec_32f* pDCTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDCTFwdGetSize_64f(int len, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDCTFwdInit_64f(VeksDCTFwdSpec_64f** ppDCTSpec, int len, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDCTFwd_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDCTFwdSpec_64f* pDCTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDCTFwd_64f_I(Vek64f* pSrcDst, const VeksDCTFwdSpec_64f* pDCTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDCTInvGetSize_64f(int len, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDCTInvInit_64f(VeksDCTInvSpec_64f** ppDCTSpec, int len, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDCTInv_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDCTInvSpec_64f* pDCTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDCTInv_64f_I(Vek64f* pSrcDst, const VeksDCTInvSpec_64f* pDCTSpec, Vek8u* pBuffer);

/* ---- transforms/fft/dft.def -------------------------------------------------- */
/*
 * Discrete Fourier transform of any length N >= 1.
 *
 * Complex: X[k] = s_f * sum_n x[n] * exp(-2 pi i n k / N); the inverse is
 * x[n] = s_i * sum_k X[k] * exp(+2 pi i n k / N). flag: vekFftScaleFwd (1) s_f = 1/N,
 * vekFftScaleInv (2) s_i = 1/N, vekFftScaleSqrt (4) both 1/sqrt(N), vekFftScaleNone (8)
 * both 1. The hint is accepted and recorded; results do not depend on it.
 * Real transforms store X[0..N/2] in one of the packed layouts:
 *   CCS  (N+2 values for even N, N+1 for odd): R0, 0, R1, I1, ..., [R(N/2), 0]
 *   Pack (N values): R0, R1, I1, ..., R(N/2-1), I(N/2-1), [R(N/2)]
 *   Perm (N values): R0, [R(N/2)], R1, I1, ...   (odd N: the same as Pack)
 * Protocol: veksDFTGetSize_* (len, flag, hint, pSpecSize, pSpecBufferSize, pBufferSize)
 * gives the byte sizes of the spec, of the buffer needed only during Init and of the
 * work buffer of each transform (each with slack, so no alignment is needed);
 * veksDFTInit_* (len, flag, hint, pSpec, pSpecBuffer) builds the spec in pSpec; the
 * transforms take that same pSpec. pSrc may equal pDst. A spec is read-only after
 * Init: threads may share it, each with its own work buffer.
 * GetSize checks: a null output pointer (vekStsNullPtrErr); len < 1, or len not a
 * power of two and at least 2^27 (vekStsSizeErr); flag not 1, 2, 4, 8
 * (vekStsFftFlagErr); sizes beyond 32 bits (vekStsErr). Init checks pSpec, then len,
 * then flag, then pSpecBuffer where its size needs one, and writes nothing on error.
 * Transforms check: pSpec (rounded up to 64) null (vekStsNullPtrErr); a spec of
 * another kind or not initialised (vekStsContextMatchErr); data pointers null
 * (vekStsNullPtrErr); a null work buffer where the length needs one
 * (vekStsNullPtrErr). Nothing is written on error.
 */
typedef struct VeksDFTSpec_C_32fc VeksDFTSpec_C_32fc;
typedef struct VeksDFTSpec_C_32f VeksDFTSpec_C_32f;
typedef struct VeksDFTSpec_R_32f VeksDFTSpec_R_32f;
typedef struct VeksDFTSpec_C_64fc VeksDFTSpec_C_64fc;
typedef struct VeksDFTSpec_C_64f VeksDFTSpec_C_64f;
typedef struct VeksDFTSpec_R_64f VeksDFTSpec_R_64f;
VEKS_API VekStatus veksDFTGetSize_C_32fc(int len, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDFTInit_C_32fc(int len, int flag, VekHint hint, VeksDFTSpec_C_32fc* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDFTGetSize_C_32f(int len, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDFTInit_C_32f(int len, int flag, VekHint hint, VeksDFTSpec_C_32f* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDFTGetSize_R_32f(int len, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDFTInit_R_32f(int len, int flag, VekHint hint, VeksDFTSpec_R_32f* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDFTGetSize_C_64fc(int len, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDFTInit_C_64fc(int len, int flag, VekHint hint, VeksDFTSpec_C_64fc* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDFTGetSize_C_64f(int len, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDFTInit_C_64f(int len, int flag, VekHint hint, VeksDFTSpec_C_64f* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDFTGetSize_R_64f(int len, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksDFTInit_R_64f(int len, int flag, VekHint hint, VeksDFTSpec_R_64f* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksDFTFwd_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksDFTSpec_C_32fc* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksDFTSpec_C_32fc* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksDFTSpec_C_64fc* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksDFTSpec_C_64fc* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm, const VeksDFTSpec_C_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm, const VeksDFTSpec_C_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm, const VeksDFTSpec_C_64f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm, const VeksDFTSpec_C_64f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_RToCCS_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_RToPack_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_RToPerm_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_CCSToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_PackToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_PermToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_RToCCS_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_RToPack_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTFwd_RToPerm_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_CCSToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_PackToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksDFTInv_PermToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);

/* ---- transforms/fft/fft.def -------------------------------------------------- */
/*
 * Fast Fourier transform of power-of-two length N = 2^order.
 *
 * Complex: X[k] = s_f * sum_n x[n] * exp(-2 pi i n k / N); the inverse is
 * x[n] = s_i * sum_k X[k] * exp(+2 pi i n k / N). flag: vekFftScaleFwd (1) s_f = 1/N,
 * vekFftScaleInv (2) s_i = 1/N, vekFftScaleSqrt (4) both 1/sqrt(N), vekFftScaleNone (8)
 * both 1. The hint is accepted and recorded; results do not depend on it. Orders
 * 0..28 in single precision, 0..27 in double precision.
 * Real transforms store X[0..N/2] in one of the packed layouts:
 *   CCS  (N+2 values): R0, 0, R1, I1, ..., R(N/2-1), I(N/2-1), R(N/2), 0
 *   Pack (N values):   R0, R1, I1, ..., R(N/2-1), I(N/2-1), R(N/2)
 *   Perm (N values):   R0, R(N/2), R1, I1, ..., R(N/2-1), I(N/2-1)
 * (N = 1: CCS is x0, 0; Pack and Perm are x0.) The in-place CCS forms need N + 2
 * elements.
 * Protocol: veksFFTGetSize_* (order, flag, hint, pSpecSize, pSpecBufferSize,
 * pBufferSize) gives the byte sizes of the spec, of the buffer needed only during Init
 * and of the work buffer of each transform (each with slack, so no alignment is
 * needed); veksFFTInit_* (ppFFTSpec, order, flag, hint, pSpec, pSpecBuffer) builds the
 * spec in pSpec and returns its aligned address through ppFFTSpec; the transforms take
 * that address. Complex transforms of up to 64 points and real ones of up to 32 need
 * no work buffer (size 0, pBuffer may be null). A spec is read-only after Init:
 * threads may share it, each with its own work buffer.
 * GetSize checks: order < 0 or > 30 (vekStsFftOrderErr); a null output pointer
 * (vekStsNullPtrErr); order above the precision's limit (vekStsFftOrderErr); flag not
 * 1, 2, 4, 8 (vekStsFftFlagErr); sizes beyond 32 bits (vekStsSizeOverflow).
 * Init checks ppFFTSpec, order, pSpec, flag, then pSpecBuffer where its size needs
 * one, and writes nothing on error.
 * Transforms check: the spec pointer null, and for the in-place forms the data
 * pointers too (vekStsNullPtrErr); a spec of another kind or not initialised
 * (vekStsContextMatchErr); out-of-place data pointers null (vekStsNullPtrErr); a null
 * work buffer where the order needs one (vekStsNullPtrErr). Nothing is written on
 * error.
 */
typedef struct VeksFFTSpec_C_32fc VeksFFTSpec_C_32fc;
typedef struct VeksFFTSpec_C_32f VeksFFTSpec_C_32f;
typedef struct VeksFFTSpec_R_32f VeksFFTSpec_R_32f;
typedef struct VeksFFTSpec_C_64fc VeksFFTSpec_C_64fc;
typedef struct VeksFFTSpec_C_64f VeksFFTSpec_C_64f;
typedef struct VeksFFTSpec_R_64f VeksFFTSpec_R_64f;
VEKS_API VekStatus veksFFTGetSize_C_32fc(int order, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksFFTInit_C_32fc(VeksFFTSpec_C_32fc** ppFFTSpec, int order, int flag, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksFFTGetSize_C_32f(int order, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksFFTInit_C_32f(VeksFFTSpec_C_32f** ppFFTSpec, int order, int flag, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksFFTGetSize_R_32f(int order, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksFFTInit_R_32f(VeksFFTSpec_R_32f** ppFFTSpec, int order, int flag, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksFFTGetSize_C_64fc(int order, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksFFTInit_C_64fc(VeksFFTSpec_C_64fc** ppFFTSpec, int order, int flag, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksFFTGetSize_C_64f(int order, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksFFTInit_C_64f(VeksFFTSpec_C_64f** ppFFTSpec, int order, int flag, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksFFTGetSize_R_64f(int order, int flag, VekHint hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VEKS_API VekStatus veksFFTInit_R_64f(VeksFFTSpec_R_64f** ppFFTSpec, int order, int flag, VekHint hint, Vek8u* pSpec, Vek8u* pSpecBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_32fc_I(Vek32fc* pSrcDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_32fc_I(Vek32fc* pSrcDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_64fc_I(Vek64fc* pSrcDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_64fc_I(Vek64fc* pSrcDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm, const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_32f_I(Vek32f* pSrcDstRe, Vek32f* pSrcDstIm, const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm, const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_32f_I(Vek32f* pSrcDstRe, Vek32f* pSrcDstIm, const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm, const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_CToC_64f_I(Vek64f* pSrcDstRe, Vek64f* pSrcDstIm, const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm, const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CToC_64f_I(Vek64f* pSrcDstRe, Vek64f* pSrcDstIm, const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToCCS_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToCCS_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPack_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPack_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPerm_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPerm_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CCSToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CCSToR_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PackToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PackToR_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PermToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PermToR_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToCCS_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToCCS_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPack_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPack_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPerm_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTFwd_RToPerm_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CCSToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_CCSToR_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PackToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PackToR_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PermToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksFFTInv_PermToR_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);

/* ---- transforms/goertz.def --------------------------------------------------- */
/*
 * Goertzel: one spectral value of a vector at a relative frequency rFreq (a fraction
 * of the sampling rate), without a spec:
 *   *pVal = sum_n pSrc[n] * exp(2 pi i rFreq (N - n)),
 * which for rFreq = k/N is bin k of the N-point forward DFT. The 16-bit forms write
 * the single-precision value multiplied by 2^-scaleFactor, rounded to nearest even
 * and saturated.
 * Status: vekStsNullPtrErr for a null pSrc or pVal, then vekStsSizeErr for len < 1,
 * then vekStsRelFreqErr unless 0 <= rFreq < 1 (a NaN frequency included); nothing is
 * written on an error.
 */
VEKS_API VekStatus veksGoertz_32f(const Vek32f* pSrc, int len, Vek32fc* pVal, Vek32f rFreq);
VEKS_API VekStatus veksGoertz_32fc(const Vek32fc* pSrc, int len, Vek32fc* pVal, Vek32f rFreq);
VEKS_API VekStatus veksGoertz_64f(const Vek64f* pSrc, int len, Vek64fc* pVal, Vek64f rFreq);
VEKS_API VekStatus veksGoertz_64fc(const Vek64fc* pSrc, int len, Vek64fc* pVal, Vek64f rFreq);
VEKS_API VekStatus veksGoertz_16s_Sfs(const Vek16s* pSrc, int len, Vek16sc* pVal, Vek32f rFreq, int scaleFactor);
VEKS_API VekStatus veksGoertz_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pVal, Vek32f rFreq, int scaleFactor);

/* ---- transforms/hilbert.def -------------------------------------------------- */
/*
 * Hilbert transform: the analytic signal pDst[n] = pSrc[n] + i h[n] of a block of N
 * real samples, h being the discrete Hilbert transform over the block (computed with
 * the DFT: positive frequencies doubled, negative ones cleared).
 * veksHilbertGetSize_32f32fc gives the spec and buffer bytes for length len;
 * veksHilbertInit_32f32fc builds the spec in pSpec using pBuffer during the build;
 * veksHilbert_32f32fc uses pBuffer as its work buffer. Lengths as for the DFT.
 * Status: GetSize: vekStsNullPtrErr for a null output, vekStsSizeErr for a bad len.
 * Init: vekStsNullPtrErr for a null pSpec or pBuffer, vekStsSizeErr for a bad len.
 * Transform: vekStsNullPtrErr for any null pointer, vekStsContextMatchErr for memory
 * that does not hold a Hilbert spec. Nothing is written on an error.
 */
typedef struct VeksHilbertSpec VeksHilbertSpec;
VEKS_API VekStatus veksHilbertGetSize_32f32fc(int len, VekHint hint, int* pSpecSize, int* pBufferSize);
VEKS_API VekStatus veksHilbertInit_32f32fc(int len, VekHint hint, VeksHilbertSpec* pSpec, Vek8u* pBuffer);
VEKS_API VekStatus veksHilbert_32f32fc(const Vek32f* pSrc, Vek32fc* pDst, const VeksHilbertSpec* pSpec, Vek8u* pBuffer);

/* ---- transforms/packed.def --------------------------------------------------- */
/*
 * Packed-spectrum arithmetic: products of two packed real spectra and their expansion
 * into the full conjugate-symmetric complex spectrum.
 *
 * len (lenDst) is the length N of the real signal. Layouts (R_k + i*I_k = X[k]):
 *   CCS  (N + 2 reals for even N, N + 1 for odd N): R_0, 0, R_1, I_1, ..., R_(N/2), 0
 *   Pack (N reals): R_0, R_1, I_1, ..., R_(N/2 - 1), I_(N/2 - 1), R_(N/2) (even N)
 *   Perm (N reals): R_0, R_(N/2), R_1, I_1, ... (even N); odd N: the same as Pack
 *
 * veksMulPack_*, veksMulPerm_*: pDst = pSrc1 x pSrc2 in that layout; the real slots
 * (R_0, and R_(N/2) for even N) are multiplied as reals, every pair as a complex
 * product with re = fma(ar, br, -(ai*bi)), im = fma(ar, bi, ai*br). The _I forms write
 * pSrcDst = pSrc x pSrcDst. If pDst equals pSrc2 (or else pSrc1), the call is the _I
 * form with the other source, before any check.
 * veksMulPackConj_*_I: pSrcDst = pSrc x conj(pSrcDst), Pack layout.
 * veksConjCcs_*, veksConjPack_*, veksConjPerm_*: pDst[0..lenDst-1] (complex) receives
 * X[0], X[1], ..., X[N-1] with X[N-k] = conj(X[k]); the sources are arrays of the real
 * type. The _I forms expand inside an array of lenDst complex elements that starts with
 * the packed form. ConjPack and ConjPerm with pSrc equal to pDst run the _I form.
 *
 * Statuses: vekStsNullPtrErr for a null pointer, then vekStsSizeErr for len < 1.
 * Example: N = 4, Pack (1, 2, 3, 4) x Pack (1, 1, 1, 1) = (1, -1, 5, 4).
 */
VEKS_API VekStatus veksMulPack_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksMulPack_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VEKS_API VekStatus veksMulPack_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksMulPack_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksMulPerm_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VEKS_API VekStatus veksMulPerm_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VEKS_API VekStatus veksMulPerm_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksMulPerm_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksMulPackConj_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksMulPackConj_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksConjCcs_32fc(const Vek32f* pSrc, Vek32fc* pDst, int lenDst);
VEKS_API VekStatus veksConjCcs_32fc_I(Vek32fc* pSrcDst, int lenDst);
VEKS_API VekStatus veksConjCcs_64fc(const Vek64f* pSrc, Vek64fc* pDst, int lenDst);
VEKS_API VekStatus veksConjCcs_64fc_I(Vek64fc* pSrcDst, int lenDst);
VEKS_API VekStatus veksConjPack_32fc(const Vek32f* pSrc, Vek32fc* pDst, int lenDst);
VEKS_API VekStatus veksConjPack_32fc_I(Vek32fc* pSrcDst, int lenDst);
VEKS_API VekStatus veksConjPack_64fc(const Vek64f* pSrc, Vek64fc* pDst, int lenDst);
VEKS_API VekStatus veksConjPack_64fc_I(Vek64fc* pSrcDst, int lenDst);
VEKS_API VekStatus veksConjPerm_32fc(const Vek32f* pSrc, Vek32fc* pDst, int lenDst);
VEKS_API VekStatus veksConjPerm_32fc_I(Vek32fc* pSrcDst, int lenDst);
VEKS_API VekStatus veksConjPerm_64fc(const Vek64f* pSrc, Vek64fc* pDst, int lenDst);
VEKS_API VekStatus veksConjPerm_64fc_I(Vek64fc* pSrcDst, int lenDst);

/* ---- vecmath/vecmath.def ----------------------------------------------------- */
/*
 * Transcendental vector math: Sqrt, Cubrt, Exp, Ln, Arctan.
 *
 * Floating forms: Sqrt_32f writes the square root within about one ulp (a refined
 * reciprocal-square-root estimate, the exact instruction for zeros, infinities,
 * negatives and NaN) in the caller's rounding mode; Sqrt_64f is correctly rounded. A
 * negative element gives NaN and the warning vekStsSqrtNegArg. Sqrt_32fc/64fc write
 * the principal square root (re >= 0 side, the sign of the imaginary part kept; 0 gives
 * 0 and an infinite imaginary part gives (+inf, im)). Cubrt_32f and Arctan are within a
 * few ulp, always vekStsNoErr. Exp writes +inf on overflow (vekStsOverflow) and a
 * subnormal or zero result on underflow (vekStsUnderflow); Ln writes -inf for +-0
 * (vekStsLnZeroArg) and NaN for a negative element or -inf (vekStsNanArg). The last
 * such element in index order decides the warning; every element is written.
 *
 * Integer forms write f(x) x 2^-scaleFactor saturated to the destination type:
 * Sqrt rounded to nearest (ties to even), a negative 16s/32s element gives 0 and
 * vekStsSqrtNegArg; Cubrt_32s16s converts to float, takes the float cube root and
 * rounds to nearest; Exp rounds to nearest with ties up (never negative); Ln_32s for
 * scaleFactor >= 0 rounds ln x to an integer and then shifts right by scaleFactor
 * (4 gives 1, 5 gives 2), for scaleFactor < 0 rounds ln(x) x 2^-scaleFactor to nearest;
 * Ln_16s rounds ln(x) x 2^-scaleFactor to nearest. A zero or negative Ln element writes
 * the type's minimum, and the first such element decides the warning (vekStsLnZeroArg
 * for zero, vekStsNanArg for negative).
 *
 * Status: vekStsNullPtrErr for a null pointer, then vekStsSizeErr for len < 1; nothing
 * is written on an error. Scale factors are never rejected.
 */
VEKS_API VekStatus veksSqrt_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksSqrt_32f_I(Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksSqrt_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksSqrt_64f_I(Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksSqrt_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VEKS_API VekStatus veksSqrt_32fc_I(Vek32fc* pSrcDst, int len);
VEKS_API VekStatus veksSqrt_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VEKS_API VekStatus veksSqrt_64fc_I(Vek64fc* pSrcDst, int len);
VEKS_API VekStatus veksSqrt_8u_Sfs(const Vek8u* pSrc, Vek8u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_8u_ISfs(Vek8u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_16u_Sfs(const Vek16u* pSrc, Vek16u* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_16u_ISfs(Vek16u* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_16sc_ISfs(Vek16sc* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksSqrt_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksCubrt_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksCubrt_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksExp_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksExp_32f_I(Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksExp_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksExp_64f_I(Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksExp_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksExp_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksExp_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksExp_32s_ISfs(Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksLn_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksLn_32f_I(Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksLn_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksLn_64f_I(Vek64f* pSrcDst, int len);
VEKS_API VekStatus veksLn_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksLn_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksLn_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int len, int scaleFactor);
VEKS_API VekStatus veksLn_32s_ISfs(Vek32s* pSrcDst, int len, int scaleFactor);
VEKS_API VekStatus veksArctan_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VEKS_API VekStatus veksArctan_32f_I(Vek32f* pSrcDst, int len);
VEKS_API VekStatus veksArctan_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VEKS_API VekStatus veksArctan_64f_I(Vek64f* pSrcDst, int len);

/* ==== GENERATED END ==== */

#ifdef __cplusplus
}
#endif

#endif /* VEKS_H */
