// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayArray.h"

#include <cstdint>
#include <vector>

namespace tk5 {

// The extremes of a series over the days first .. last, starting from the value of day first:
// with last before first, the value of day first itself. A day outside the series fails with
// ChartError.
float WindowMaximum(const FloatDays& series, long first, long last);
float WindowMaximum(const DayArray<std::int32_t>& series, long first, long last);
float WindowMinimum(const FloatDays& series, long first, long last);
// The largest absolute value, starting from the value of day first as it is (not its absolute
// value).
float WindowAbsMaximum(const FloatDays& series, long first, long last);

// The lowest (highest) value of day i and the n - 1 older days; with n = 1 the value of day i.
inline float LowestValue(const FloatDays& series, long i, std::int16_t n) {
    return WindowMinimum(series, i, i + n - 1);
}
inline float HighestValue(const FloatDays& series, long i, std::int16_t n) {
    return WindowMaximum(series, i, i + n - 1);
}

// LowestValue (HighestValue) with n periods of every day first .. last (element i - first),
// the same values to the bit, in one pass over days first .. last + n - 1 instead of n days
// for each. Empty when last is before first. Throws ChartError when a day the windows read
// lies outside the series.
std::vector<float> LowestValues(const FloatDays& series, long first, long last, std::int16_t n);
std::vector<float> HighestValues(const FloatDays& series, long first, long last, std::int16_t n);

// The mean of three extremes as AverageLowest and AverageHighest take it:
// a / 3 + b / 3 + c / 3 in double precision, a 32-bit float. Throws ChartError when it does
// not fit a float.
float AverageOfThree(double a, double b, double c);

// LowestValue (HighestValue) with n periods at days i, i + 1 and i + 2 as
// LL(i) / 3 + LL(i + 1) / 3 + LL(i + 2) / 3, a 32-bit float.
float AverageLowest(const FloatDays& series, long i, std::int16_t n);
float AverageHighest(const FloatDays& series, long i, std::int16_t n);

} // namespace tk5
