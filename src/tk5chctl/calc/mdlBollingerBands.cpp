// SPDX-License-Identifier: BSD-3-Clause
#include "mdlBollingerBands.h"

#include "common/Numbers.h"

#include <cmath>

namespace tk5 {

void BollingerBands(const FloatDays& close, const FloatDays& ma, FloatDays& out, std::int16_t start,
                    std::int16_t end, float periods, float width) {
    const double p = periods;
    for (long i = start; i <= end; ++i) {
        // Each day's spread is measured against that day's own average.
        float sum = 0;
        const long upTo = toInt16(static_cast<double>(i) + p - 1.0);
        for (long j = i; j <= upTo; ++j) {
            const double diff = static_cast<double>(close[j]) - ma[j];
            sum = toSingle(sum + diff * diff);
        }
        out[i] = toSingle(width * std::sqrt(divide(sum, p)));
    }
}

} // namespace tk5
