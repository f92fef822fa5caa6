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

/* ---- transforms/dft.def ------------------------------------------------------ */
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

/* ==== GENERATED END ==== */

#ifdef __cplusplus
}
#endif

#endif /* VEKS_H */
