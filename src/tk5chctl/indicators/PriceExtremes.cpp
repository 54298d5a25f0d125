#include "PriceExtremes.h"

#include "common/Numbers.h"

namespace tk5 {

float LowestValue(const FloatDays& series, long i, std::int16_t n) {
    float m = series[i];
    for (long j = i + 1; j <= i + n - 1; ++j)
        if (m > series[j]) m = series[j];
    return m;
}

float HighestValue(const FloatDays& series, long i, std::int16_t n) {
    float m = series[i];
    for (long j = i + 1; j <= i + n - 1; ++j)
        if (m < series[j]) m = series[j];
    return m;
}

float AverageLowest(const FloatDays& series, long i, std::int16_t n) {
    const double a = LowestValue(series, i, n), b = LowestValue(series, i + 1, n),
                 c = LowestValue(series, i + 2, n);
    return toSingle(a / 3 + b / 3 + c / 3);
}

float AverageHighest(const FloatDays& series, long i, std::int16_t n) {
    const double a = HighestValue(series, i, n), b = HighestValue(series, i + 1, n),
                 c = HighestValue(series, i + 2, n);
    return toSingle(a / 3 + b / 3 + c / 3);
}

} // namespace tk5
