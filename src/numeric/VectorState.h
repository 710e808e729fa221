#pragma once

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

//! vzeroupper, compiled for AVX whatever the rest of the program is compiled for; called only
//! where the processor has AVX.
__attribute__((target("avx"))) inline void ZeroUpperVectorHalves()
{
    _mm256_zeroupper();
}
#endif

//! Clears the upper halves of the processor's vector registers (vzeroupper) where it has them.
//! A library that leaves them in use after its own AVX code (one the windowing system loads
//! does) makes every later floating-point instruction of the program's SSE code wait on them:
//! the night's astronomy ran seven times slower after the first window was made. The long
//! computations call this first; it costs a cycle.
inline void ClearVectorState()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        ZeroUpperVectorHalves();
#endif
}
