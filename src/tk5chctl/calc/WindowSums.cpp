// SPDX-License-Identifier: BSD-3-Clause
#include "WindowSums.h"

#include <cmath>
#include <cstring>

namespace tk5 {

namespace {

// Plain float additions, one start at a time.
void sumsOneByOne(const float* x, long count, long n, float* out) {
    for (long k = 0; k < count; ++k) {
        float acc = 0;
        for (long j = 0; j < n; ++j)
            acc += x[k + j];
        out[k] = acc;
    }
}

} // namespace

#if defined(__GNUC__)

// Four starts in one register: lane l of a step adds x[k + l + j] to the sum of start k + l,
// an ordinary float addition for each lane. Eight registers keep eight independent chains of
// additions going, enough to hide the latency of one addition.
void SumsOfWindows(const float* x, long count, long n, float* out) {
    using Lanes = float __attribute__((vector_size(16)));
    constexpr long kWidth = 4, kRegisters = 8, kBlock = kWidth * kRegisters;
    auto load = [](const float* p) {
        Lanes v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    long k = 0;
    for (; k + kBlock <= count; k += kBlock) {
        Lanes acc[kRegisters] = {};
        const float* from = x + k;
        for (long j = 0; j < n; ++j)
            for (long r = 0; r < kRegisters; ++r)
                acc[r] += load(from + j + r * kWidth);
        std::memcpy(out + k, acc, sizeof acc);
    }
    for (; k + kWidth <= count; k += kWidth) {
        Lanes acc = {};
        for (long j = 0; j < n; ++j)
            acc += load(x + k + j);
        std::memcpy(out + k, &acc, sizeof acc);
    }
    sumsOneByOne(x + k, count - k, n, out + k);
}

#else

void SumsOfWindows(const float* x, long count, long n, float* out) {
    sumsOneByOne(x, count, n, out);
}

#endif

bool SumsStayFinite(const float* x, long length) {
    // A float sum of at most 32767 values lies within (1 + 2^-24)^32767 < 1.002 of the sum of
    // their absolute values; 1e38 leaves the largest float (3.4e38) far out of reach.
    double total = 0;
    for (long j = 0; j < length; ++j) {
        if (!std::isfinite(x[j])) return false;
        total += std::fabs(static_cast<double>(x[j]));
    }
    return total < 1e38;
}

} // namespace tk5
