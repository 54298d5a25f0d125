// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayOBV.h"

#include "calc/WindowExtremes.h"

#include <cmath>

namespace tk5::indicators {

void DisplayOBV(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                const DayArray<std::int32_t>& price_volume, std::int16_t starting_date,
                std::int16_t ending_date, const PaneLook& look) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, look);
    const long s = pane.s, e = pane.e;
    const double H = pane.H;

    FloatDays obv(kBufferCapacity);
    skipOnError([&] { obv[e] = 0; });
    for (long i = e - 1; i >= s; --i) {
        // A day whose step would reach outside the series or the buffer is skipped up front.
        if (!price_close.contains(i) || !price_close.contains(i + 1) || !obv.contains(i) ||
            !obv.contains(i + 1))
            continue;
        skipOnError([&] {
            if (price_close[i] > price_close[i + 1])
                obv[i] = toSingle(static_cast<double>(obv[i + 1]) + price_volume[i]);
            else if (price_close[i] < price_close[i + 1])
                obv[i] = toSingle(static_cast<double>(obv[i + 1]) - price_volume[i]);
            else
                obv[i] = obv[i + 1];
        });
    }

    float M = 0;
    skipOnError([&] { M = WindowAbsMaximum(obv, s, e); });

    pane.referenceLines();
    plot.ForeColor = RGB(0, 128, 0);
    for (long i = s; i <= e; ++i) {
        if (!pane.reaches(i) || (M != 0 && !obv.contains(i))) continue;
        skipOnError([&] {
            const double y =
                M == 0 ? H / 2 : H / 2 - (H / 2 - 50) * obv[i] / static_cast<double>(M);
            pane.bar(i, H / 2, y);
        });
    }

    pane.centredRuler(pane.countLabel(M));
    pane.bands();
}

} // namespace tk5::indicators
