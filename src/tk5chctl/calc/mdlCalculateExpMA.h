// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayArray.h"

#include <cstdint>
#include <vector>

namespace tk5 {

// The one-step exponential average with N periods at day d of a series (a price column or a
// scratch buffer): alpha x series[d] + (1 - alpha) x the simple mean of days d + 1 .. d + N,
// alpha = 2 / (N + 1). Each value is computed from those N + 1 days alone. When day
// d + N + 1 lies past the series' capacity the result is 0; a value that cannot be computed
// is 0 as well. Never throws.
float CalculateExpMA(const FloatDays& series, long d, std::int16_t N);

// CalculateExpMA of every day first .. last (element d - first), the same values to the bit,
// worked out together: the days' sums share one pass over the series. Empty when last is
// before first. Never throws.
std::vector<float> CalculateExpMAs(const FloatDays& series, long first, long last, std::int16_t N);

} // namespace tk5
