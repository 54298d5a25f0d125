// SPDX-License-Identifier: BSD-3-Clause
#include "mdlCalculateExpMA.h"

#include "common/Numbers.h"

namespace tk5 {

float CalculateExpMA(const FloatDays& series, long d, std::int16_t N) {
    float alpha = 0;
    skipOnError([&] { alpha = toSingle(divide(2.0, N + 1.0)); });
    if (d + N + 1 > series.capacity()) return 0;
    // Without day d itself the result is 0; with it, days d + 1 .. d + N all exist.
    if (!series.contains(d)) return 0;
    float sum = 0;
    for (long j = d + 1; j <= d + N; ++j) {
        // A sum that no longer fits a float keeps its previous value.
        const double next = static_cast<double>(sum) + series[j];
        if (fitsSingle(next)) sum = static_cast<float>(next);
    }
    double sma = 0;
    skipOnError([&] { sma = divide(sum, N); });
    float result = 0;
    skipOnError(
        [&] { result = toSingle(static_cast<double>(alpha) * series[d] + (1.0 - alpha) * sma); });
    return result;
}

} // namespace tk5
