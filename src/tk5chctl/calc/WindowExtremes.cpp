// SPDX-License-Identifier: BSD-3-Clause
#include "WindowExtremes.h"

#include "common/Numbers.h"

#include <cmath>

namespace tk5 {

namespace {

template <typename Series, typename Better>
float extreme(const Series& series, long first, long last, Better better) {
    float m = static_cast<float>(series[first]);
    for (long i = first; i <= last; ++i)
        if (better(static_cast<double>(series[i]), m)) m = static_cast<float>(series[i]);
    return m;
}

constexpr auto kAbove = [](double v, float m) { return v > m; };
constexpr auto kBelow = [](double v, float m) { return v < m; };

float averageOfThree(float (*extremeOf)(const FloatDays&, long, std::int16_t),
                     const FloatDays& series, long i, std::int16_t n) {
    const double a = extremeOf(series, i, n), b = extremeOf(series, i + 1, n),
                 c = extremeOf(series, i + 2, n);
    return toSingle(a / 3 + b / 3 + c / 3);
}

} // namespace

float WindowMaximum(const FloatDays& series, long first, long last) {
    return extreme(series, first, last, kAbove);
}

float WindowMaximum(const DayArray<std::int32_t>& series, long first, long last) {
    return extreme(series, first, last, kAbove);
}

float WindowMinimum(const FloatDays& series, long first, long last) {
    return extreme(series, first, last, kBelow);
}

float WindowAbsMaximum(const FloatDays& series, long first, long last) {
    float m = series[first];
    for (long i = first; i <= last; ++i)
        if (std::fabs(series[i]) > m) m = std::fabs(series[i]);
    return m;
}

float AverageLowest(const FloatDays& series, long i, std::int16_t n) {
    return averageOfThree(LowestValue, series, i, n);
}

float AverageHighest(const FloatDays& series, long i, std::int16_t n) {
    return averageOfThree(HighestValue, series, i, n);
}

} // namespace tk5
