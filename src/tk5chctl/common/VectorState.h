// SPDX-License-Identifier: BSD-3-Clause
#pragma once

namespace tk5 {

// Qt's vectorised routines (image fills, text blending) can return with the upper halves of
// the AVX registers still marked in use. On some processors every later SSE instruction of
// code built without AVX, as this library is for any x86-64 machine, then pays for merging
// with those halves: the drawing code of a long window ran about a third slower. One
// vzeroupper ends that state. It is issued only on processors that have AVX, and only when
// this code is not itself built for AVX (the compiler keeps the registers in order then).
inline void releaseUpperVectorState() noexcept {
#if (defined(__x86_64__) || defined(__i386__)) && !defined(__AVX__) &&                             \
    (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) asm volatile("vzeroupper");
#endif
}

} // namespace tk5
