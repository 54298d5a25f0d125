// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayRSI.h"

#include <vector>

namespace tk5 {

double CalculateRSI(const FloatDays& price_close, long d, std::int16_t N) {
    // A and B are the weighted sums of gains and losses, oldest change first.
    double A = 0, B = 0;
    for (long k = 2; k <= N; ++k) {
        const long j = d + N - k;
        // A change reaching outside the series is skipped: no gain and no loss. The test is
        // made up front because near the end of the series most changes of a day fail.
        double gain = 0, loss = 0;
        if (price_close.contains(j) && price_close.contains(j + 1)) {
            const double change = static_cast<double>(price_close[j]) - price_close[j + 1];
            if (change >= 0)
                gain = change;
            else
                loss = -change;
        }
        A = (N - 1) * A / N + gain;
        B = (N - 1) * B / N + loss;
    }
    double rsi = 0;
    skipOnError([&] { rsi = 100.0 - divide(100.0, 1.0 + divide(A, B)); });
    return rsi;
}

namespace indicators {

void DisplayRSI(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                std::int16_t starting_date, std::int16_t ending_date, std::int16_t N,
                Color bandColor) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, bandColor);
    const long s = pane.s, e = pane.e;

    pane.referenceLines();
    pane.oscillatorRuler();

    const float k = pane.oscillatorK();
    // Each day's value once: days s .. e + 1, element i - s.
    std::vector<double> rsi;
    for (long i = s; i <= e + 1; ++i)
        rsi.push_back(CalculateRSI(price_close, i, N));
    pane.line([&](long i) { return pane.oscillatorY(rsi[static_cast<size_t>(i - s)], k); });

    pane.bands();
}

} // namespace indicators
} // namespace tk5
