#pragma once
// Bit scans and forced inlining for the dab's inner loops, in standard C++17 with the
// compilers' own intrinsics where they have them.

#include <cstdint>

#if defined(_MSC_VER)
#include <intrin.h>
#define KV_FORCE_INLINE __forceinline
#elif defined(__GNUC__)
#define KV_FORCE_INLINE inline __attribute__((always_inline))
#else
#define KV_FORCE_INLINE inline
#endif

// Index of the lowest set bit; `bits` must not be 0.
inline int countTrailingZeros(std::uint64_t bits) {
#if defined(_MSC_VER) && defined(_M_X64)
    unsigned long index;
    _BitScanForward64(&index, bits);
    return static_cast<int>(index);
#elif defined(__GNUC__)
    return __builtin_ctzll(bits);
#else
    int index = 0;
    for (; (bits & 1u) == 0; bits >>= 1)
        ++index;
    return index;
#endif
}
