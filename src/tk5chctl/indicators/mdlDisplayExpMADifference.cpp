#include "mdlDisplayExpMADifference.h"

#include "common/Formats.h"
#include "mdlCalculateExpMA.h"

#include <cmath>
#include <vector>

namespace tk5::indicators {

void DisplayExpMADifference(DrawingSurface& ruler, DrawingSurface& plot,
                            const FloatDays& price_close, std::int16_t starting_date,
                            std::int16_t ending_date, std::int16_t N1, std::int16_t N2,
                            Color bandColor) {
    PaneFrame pane(ruler, plot, starting_date, ending_date, bandColor);
    const long s = pane.s, e = pane.e;
    const double H = pane.H;

    plot.ForeColor = RGB(0, 0, 0);
    plot.DrawWidth = 1;
    pane.referenceLines();

    // The difference of each shown day once: element i - s.
    std::vector<double> diff;
    float M = 0;
    for (long i = s; i <= e; ++i) {
        diff.push_back(static_cast<double>(CalculateExpMA(price_close, i, N1)) -
                       CalculateExpMA(price_close, i, N2));
        if (std::fabs(diff.back()) > M) M = toSingle(std::fabs(diff.back()));
    }
    const float k = pane.centredK(M);

    plot.ForeColor = RGB(0, 200, 0);
    plot.DrawWidth = 1;
    for (long i = e; i >= s; --i)
        pane.bar(i, H / 2, H / 2 - diff[static_cast<size_t>(i - s)] * k);

    pane.centredRuler(formatFixed(M, 2));
    pane.bands();
}

} // namespace tk5::indicators
