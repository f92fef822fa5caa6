/* vekcore.h - companion core library of libveksh9.
 *
 * Aligned memory blocks, the size of the processor's largest data cache and the
 * processor feature mask. Every call is thread-safe and keeps no state beyond what
 * the C runtime's allocator keeps.
 */
#ifndef VEKCORE_H
#define VEKCORE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#  define VEKCORE_API __declspec(dllimport)
#elif defined(__GNUC__)
#  define VEKCORE_API __attribute__((visibility("default")))
#else
#  define VEKCORE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Blocks are aligned to 64 bytes. A length below 1 gives null. */
VEKCORE_API void* vekMalloc(int length);
VEKCORE_API void* vekMalloc_L(ptrdiff_t length);
/* Frees a block from vekMalloc or vekMalloc_L; null is ignored. */
VEKCORE_API void vekFree(void* ptr);
/* Rounds ptr up to the next multiple of alignBytes (a power of two). */
VEKCORE_API void* vekAlignPtr(void* ptr, int alignBytes);
/* Writes the size in bytes of the largest data cache; returns 0 on success, -1 when
 * no size is known (nothing written then) and -8 for a null pointer. */
VEKCORE_API int vekGetMaxCacheSizeB(int* pSizeByte);

/* Feature bits of ownGetFeature. */
#define vekCPUID_MMX        0x00000001ULL
#define vekCPUID_SSE        0x00000002ULL
#define vekCPUID_SSE2       0x00000004ULL
#define vekCPUID_SSE3       0x00000008ULL
#define vekCPUID_SSSE3      0x00000010ULL
#define vekCPUID_MOVBE      0x00000020ULL
#define vekCPUID_SSE41      0x00000040ULL
#define vekCPUID_SSE42      0x00000080ULL
#define vekCPUID_AVX        0x00000100ULL
#define vekAVX_ENABLEDBYOS  0x00000200ULL
#define vekCPUID_AES        0x00000400ULL
#define vekCPUID_CLMUL      0x00000800ULL
#define vekCPUID_ABR        0x00001000ULL
#define vekCPUID_RDRAND     0x00002000ULL
#define vekCPUID_F16C       0x00004000ULL
#define vekCPUID_AVX2       0x00008000ULL
#define vekCPUID_ADCOX      0x00010000ULL
#define vekCPUID_RDSEED     0x00020000ULL
#define vekCPUID_PREFETCHW  0x00040000ULL
#define vekCPUID_SHA        0x00080000ULL
#define vekCPUID_AVX512F    0x00100000ULL
#define vekCPUID_FMA        0x00200000ULL
#define vekCPUID_BMI1       0x00400000ULL
#define vekCPUID_BMI2       0x00800000ULL

/* Returns non-zero when every feature of mask is present (and usable: AVX state
 * enabled by the operating system), zero otherwise. The answer is computed from
 * CPUID on each call; nothing is cached. */
VEKCORE_API int ownGetFeature(uint64_t mask);

#ifdef __cplusplus
}
#endif

#endif /* VEKCORE_H */
