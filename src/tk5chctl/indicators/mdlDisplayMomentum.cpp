#include "mdlDisplayMomentum.h"

#include "common/Formats.h"

#include <cmath>
#include <vector>

namespace tk5::indicators {

void DisplayMomentum(DrawingSurface& ruler, DrawingSurface& plot, const FloatDays& price_close,
                     std::int16_t starting_date, std::int16_t ending_date, std::int16_t P,
                     Color bandColor) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, bandColor);
    const long s = pane.s, e = pane.e;
    const double H = pane.H;

    plot.ForeColor = RGB(0, 0, 0);
    plot.DrawWidth = 1;
    pane.referenceLines();

    // The change of each shown day once: element i - s.
    std::vector<double> change;
    float M = 0;
    for (long i = s; i <= e; ++i) {
        change.push_back(static_cast<double>(price_close[i]) - price_close[i + P]);
        if (M < std::fabs(change.back())) M = toSingle(std::fabs(change.back()));
    }
    const float k = pane.centredK(M);

    plot.ForeColor = RGB(0, 70, 0);
    for (long i = e; i >= s; --i)
        pane.bar(i, H / 2, H / 2 - change[static_cast<size_t>(i - s)] * k);

    pane.centredRuler(formatFixed(M, 2));
    pane.bands();
}

} // namespace tk5::indicators
