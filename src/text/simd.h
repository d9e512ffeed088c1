#pragma once

// Whether the loops over many characters may use SSE2: every x86-64 target
// has it, and MSVC says so only by _M_X64. Elsewhere the plain loops run.

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
/// 1 when the SSE2 intrinsics of <emmintrin.h> are available, else 0.
#define PREXLE_SSE2 1
#else
#define PREXLE_SSE2 0
#endif
