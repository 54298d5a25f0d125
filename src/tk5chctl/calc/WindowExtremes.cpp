// SPDX-License-Identifier: BSD-3-Clause
#include "WindowExtremes.h"

#include "common/Numbers.h"

#include <algorithm>
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
    return AverageOfThree(extremeOf(series, i, n), extremeOf(series, i + 1, n),
                          extremeOf(series, i + 2, n));
}

// The scan of each window keeps its first value and takes a later one only when it is
// strictly better: the result is the value of the window's first day when that is not a
// number, otherwise the value of the earliest day holding the best value (0 and -0 count as
// equal, values that are not numbers are never taken). A queue of candidate days, earliest
// first, gives the same: a day that is not a number never enters it; a new day removes the
// candidates before it that are strictly worse, so equal values keep the earlier day first.
template <typename Better>
std::vector<float> slidingExtremes(const FloatDays& series, long first, long last, std::int16_t n,
                                   Better better) {
    std::vector<float> out;
    if (last < first) return out;
    const long width = std::max<long>(n, 1); // n <= 0 reads day i alone
    const long end = last + width - 1;
    (void)series[first]; // a window outside the series fails as its scan would
    (void)series[end];
    out.reserve(static_cast<size_t>(last - first + 1));
    // The queue is candidates[head ..]: days leave it at the front by moving head on.
    std::vector<long> candidates;
    size_t head = 0;
    for (long j = first; j <= end; ++j) {
        const float v = series[j];
        if (!std::isnan(v)) {
            while (candidates.size() > head && better(v, series[candidates.back()]))
                candidates.pop_back();
            candidates.push_back(j);
        }
        const long i = j - width + 1; // the window i .. j is complete
        if (i < first) continue;
        while (candidates.size() > head && candidates[head] < i)
            ++head;
        // A window whose first day is a number holds that day or a better one in the queue.
        const float start = series[i];
        out.push_back(std::isnan(start) ? start : series[candidates[head]]);
    }
    return out;
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

std::vector<float> LowestValues(const FloatDays& series, long first, long last, std::int16_t n) {
    return slidingExtremes(series, first, last, n, [](float v, float m) { return v < m; });
}

std::vector<float> HighestValues(const FloatDays& series, long first, long last, std::int16_t n) {
    return slidingExtremes(series, first, last, n, [](float v, float m) { return v > m; });
}

float AverageOfThree(double a, double b, double c) {
    // Each third in double precision, added in this order.
    return toSingle(a / 3 + b / 3 + c / 3);
}

float AverageLowest(const FloatDays& series, long i, std::int16_t n) {
    return averageOfThree(LowestValue, series, i, n);
}

float AverageHighest(const FloatDays& series, long i, std::int16_t n) {
    return averageOfThree(HighestValue, series, i, n);
}

} // namespace tk5
