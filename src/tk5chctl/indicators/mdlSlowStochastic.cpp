#include "mdlSlowStochastic.h"

#include "PriceExtremes.h"
#include "StochasticLines.h"

namespace tk5::indicators {

void SlowStochastic(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                    const FloatDays& price_high, const FloatDays& price_low,
                    std::int16_t starting_date, std::int16_t ending_date, std::int16_t K,
                    std::int16_t D, Color bandColor) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, bandColor);

    FloatDays percentK(kBufferCapacity);
    float aLL = 0, aHH = 0;
    for (long i = pane.s; i <= pane.e + D; ++i) {
        skipOnError([&] { aLL = AverageLowest(price_low, i, K); });
        skipOnError([&] { aHH = AverageHighest(price_high, i, K); });
        skipOnError([&] {
            const double close3 = (static_cast<double>(price_close[i]) / 3 +
                                   static_cast<double>(price_close[i + 1]) / 3) +
                                  static_cast<double>(price_close[i + 2]) / 3;
            percentK[i] = toSingle(divide(close3 - aLL, static_cast<double>(aHH) - aLL) * 100);
        });
    }

    plot.ForeColor = RGB(0, 0, 0);
    plot.DrawWidth = 1;
    pane.referenceLines();
    pane.oscillatorRuler();
    drawStochasticLines(pane, percentK, D);
}

} // namespace tk5::indicators
