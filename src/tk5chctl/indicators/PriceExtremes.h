#pragma once

#include "common/DayArray.h"

#include <cstdint>

namespace tk5 {

// The lowest (highest) value of a series over day i and the n - 1 older days; with n = 1 the
// value of day i itself. Throws ChartError when a day falls outside the series.
float LowestValue(const FloatDays& series, long i, std::int16_t n);
float HighestValue(const FloatDays& series, long i, std::int16_t n);

// The mean of LowestValue (HighestValue) with n periods at days i, i + 1 and i + 2, as
// LL(i) / 3 + LL(i + 1) / 3 + LL(i + 2) / 3. Throws ChartError like the above.
float AverageLowest(const FloatDays& series, long i, std::int16_t n);
float AverageHighest(const FloatDays& series, long i, std::int16_t n);

} // namespace tk5
