// SPDX-License-Identifier: BSD-3-Clause
#include "mdlCalculateMA.h"

#include "common/Numbers.h"

namespace tk5 {

void CalculateMA(const FloatDays& input, FloatDays& output, std::int16_t start, std::int16_t end,
                 std::int16_t periods) {
    const double p = periods;
    float sum = 0;
    for (long j = start; j <= static_cast<long>(start) + periods - 1; ++j)
        sum = toSingle(sum + divide(input[j], p));
    output[start] = sum;
    // Each value follows from the one before: rounding drift accumulates along the window,
    // as users of this average are used to seeing.
    for (long i = static_cast<long>(start) + 1; i <= end; ++i)
        output[i] = toSingle(static_cast<double>(output[i - 1]) - divide(input[i - 1], p) +
                             divide(input[i + periods - 1], p));
}

} // namespace tk5
