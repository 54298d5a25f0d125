#include "StochasticLines.h"

#include "chart/mdlCalculateMA.h"

namespace tk5::indicators {

namespace {

void drawLine(PaneFrame& pane, const FloatDays& values) {
    const double H = pane.H;
    for (long i = pane.e; i >= pane.s; --i) {
        skipOnError([&] {
            pane.segment(i, H - 50 - values[i + 1] * (H - 100) / 100,
                         H - 50 - values[i] * (H - 100) / 100);
        });
    }
}

} // namespace

void drawStochasticLines(PaneFrame& pane, const FloatDays& percentK, std::int16_t D) {
    drawLine(pane, percentK);

    FloatDays percentD(kBufferCapacity);
    skipOnError([&] {
        CalculateMA(percentK, percentD, static_cast<std::int16_t>(pane.s), add16(pane.e, 1), D);
    });
    pane.plot.ForeColor = RGB(200, 0, 0);
    drawLine(pane, percentD);

    pane.bands();
}

} // namespace tk5::indicators
