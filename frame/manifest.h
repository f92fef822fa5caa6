// manifest.h - the vocabulary of the family manifests (*.def).
//
// A manifest lists every export of one family, one macro per export:
//
//   VEKFN(Copy_8u, (const Vek8u* pSrc, Vek8u* pDst, int len), (pSrc, pDst, len),
//         ew::copy<Vek8u>)
//
// names veksCopy_8u with that parameter list and says which kernel expression is
// called with which arguments. VEKFNR is the same with an explicit return type;
// VEKOPAQUE declares an opaque spec/state type for the public header. Shape macros
// (VEK_UNARY and kin, below) spell the common argument lists once.
//
// The manifest is read in two modes:
//  - VEK_MANIFEST_DECL (scripts/genapi.py runs the preprocessor in this mode): each
//    entry becomes one "@@FN" line from which the public header and the linker's
//    export list are written.
//  - otherwise (a family's .cpp includes its manifest): each entry becomes the
//    exported extern "C" definition, a direct call of the kernel.
#pragma once

#ifdef VEK_MANIFEST_DECL
#  define VEKFNR(ret, name, params, args, ...) @@FN ret | veks##name | params
#  define VEKOPAQUE(type) @@TYPE type
#else
#  define VEKFNR(ret, name, params, args, ...)                                     \
    extern "C" __attribute__((visibility("default"))) ret veks##name params {      \
        return __VA_ARGS__ args;                                                 \
    }
#  define VEKOPAQUE(type)
#endif

#define VEKFN(name, params, args, ...) VEKFNR(VekStatus, name, params, args, __VA_ARGS__)

// ---- shapes of the elementwise families -----------------------------------------
// unary:               (pSrc, pDst, len)
#define VEK_UNARY(name, TS, TD, ...) \
    VEKFN(name, (const TS* pSrc, TD* pDst, int len), (pSrc, pDst, len), __VA_ARGS__)
// unary in place:      (pSrcDst, len)
#define VEK_UNARY_I(name, T, ...) \
    VEKFN(name, (T* pSrcDst, int len), (pSrcDst, len), __VA_ARGS__)
// binary:              (pSrc1, pSrc2, pDst, len)
#define VEK_BINARY(name, T1, T2, TD, ...)                                              \
    VEKFN(name, (const T1* pSrc1, const T2* pSrc2, TD* pDst, int len),                \
          (pSrc1, pSrc2, pDst, len), __VA_ARGS__)
// binary in place:     (pSrc, pSrcDst, len)
#define VEK_BINARY_I(name, TS, TD, ...) \
    VEKFN(name, (const TS* pSrc, TD* pSrcDst, int len), (pSrc, pSrcDst, len), __VA_ARGS__)
// with constant:       (pSrc, val, pDst, len)
#define VEK_CONST(name, TS, TV, TD, ...) \
    VEKFN(name, (const TS* pSrc, TV val, TD* pDst, int len), (pSrc, val, pDst, len), __VA_ARGS__)
// constant in place:   (val, pSrcDst, len)
#define VEK_CONST_I(name, TV, T, ...) \
    VEKFN(name, (TV val, T* pSrcDst, int len), (val, pSrcDst, len), __VA_ARGS__)
// fill:                (val, pDst, len)
#define VEK_FILL(name, TV, T, ...) \
    VEKFN(name, (TV val, T* pDst, int len), (val, pDst, len), __VA_ARGS__)
// destination only:    (pDst, len)
#define VEK_DST(name, T, ...) VEKFN(name, (T* pDst, int len), (pDst, len), __VA_ARGS__)

// The same shapes with a trailing scale factor.
#define VEK_UNARY_SFS(name, TS, TD, ...)                                              \
    VEKFN(name, (const TS* pSrc, TD* pDst, int len, int scaleFactor),                 \
          (pSrc, pDst, len, scaleFactor), __VA_ARGS__)
#define VEK_UNARY_ISFS(name, T, ...) \
    VEKFN(name, (T* pSrcDst, int len, int scaleFactor), (pSrcDst, len, scaleFactor), __VA_ARGS__)
#define VEK_BINARY_SFS(name, T1, T2, TD, ...)                                          \
    VEKFN(name, (const T1* pSrc1, const T2* pSrc2, TD* pDst, int len, int scaleFactor), \
          (pSrc1, pSrc2, pDst, len, scaleFactor), __VA_ARGS__)
#define VEK_BINARY_ISFS(name, TS, TD, ...)                                             \
    VEKFN(name, (const TS* pSrc, TD* pSrcDst, int len, int scaleFactor),               \
          (pSrc, pSrcDst, len, scaleFactor), __VA_ARGS__)
#define VEK_CONST_SFS(name, TS, TV, TD, ...)                                           \
    VEKFN(name, (const TS* pSrc, TV val, TD* pDst, int len, int scaleFactor),          \
          (pSrc, val, pDst, len, scaleFactor), __VA_ARGS__)
#define VEK_CONST_ISFS(name, TV, T, ...)                                               \
    VEKFN(name, (TV val, T* pSrcDst, int len, int scaleFactor),                        \
          (val, pSrcDst, len, scaleFactor), __VA_ARGS__)
