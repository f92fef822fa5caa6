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

/* ==== GENERATED END ==== */

#ifdef __cplusplus
}
#endif

#endif /* VEKS_H */
