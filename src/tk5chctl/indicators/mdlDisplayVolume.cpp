// SPDX-License-Identifier: BSD-3-Clause
#include "mdlDisplayVolume.h"

#include "calc/WindowExtremes.h"

namespace tk5::indicators {

void DisplayVolume(DrawingSurface& ruler, DrawingSurface& plot,
                   const DayArray<std::int32_t>& price_volume, std::int16_t starting_date,
                   std::int16_t ending_date, const PaneLook& look) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, look);
    const long s = pane.s, e = pane.e;
    const double H = pane.H;

    float M = 0;
    skipOnError([&] { M = WindowMaximum(price_volume, s, e); });
    const float half = M / 2;

    plot.DrawWidth = 1;
    plot.ForeColor = RGB(0, 128, 0);
    for (long i = s; i <= e; ++i) {
        // A day without a position or a volume is skipped without trying it.
        if (!pane.reaches(i) || (M != 0 && !price_volume.contains(i))) continue;
        skipOnError([&] {
            const double y =
                M == 0 ? H - 50 : (H - 50) - price_volume[i] * 0.9 * H / static_cast<double>(M);
            pane.bar(i, H - 50, y);
        });
    }

    plot.ForeColor = RGB(0, 0, 0);
    plot.Line(0, static_cast<float>(H - 50), static_cast<float>(pane.W),
              static_cast<float>(H - 50));

    pane.volumeRuler(pane.countLabel(M), pane.countLabel(half));
    pane.bands();
}

} // namespace tk5::indicators
