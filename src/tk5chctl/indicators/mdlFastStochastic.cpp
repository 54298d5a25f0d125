#include "mdlFastStochastic.h"

#include "PriceExtremes.h"
#include "StochasticLines.h"

namespace tk5::indicators {

void FastStochastic(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                    const FloatDays& price_high, const FloatDays& price_low,
                    std::int16_t starting_date, std::int16_t ending_date, std::int16_t K,
                    std::int16_t D, Color bandColor) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, bandColor);

    FloatDays percentK(kBufferCapacity);
    float LL = 0, HH = 0;
    for (long i = pane.s; i <= pane.e + D; ++i) {
        skipOnError([&] { LL = LowestValue(price_low, i, K); });
        skipOnError([&] { HH = HighestValue(price_high, i, K); });
        skipOnError([&] {
            percentK[i] = toSingle(
                divide(static_cast<double>(price_close[i]) - LL, static_cast<double>(HH) - LL) *
                100);
        });
    }

    pane.oscillatorRuler();
    plot.ForeColor = RGB(0, 0, 0);
    plot.DrawWidth = 1;
    pane.referenceLines();
    drawStochasticLines(pane, percentK, D);
}

} // namespace tk5::indicators
