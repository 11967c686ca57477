#pragma once
// Whether the SSE2 blocks are compiled. Each has a plain twin beside it that
// gives the same bytes; -DGLYPHSMITH_NO_SIMD=ON builds the twins instead, so
// that `make check` keeps them tested.
#if defined(__SSE2__) && !defined(GLYPHSMITH_NO_SIMD)
#define GS_SSE2 1
#include <emmintrin.h>
#else
#define GS_SSE2 0
#endif
