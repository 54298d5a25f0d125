// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayAxis.h"
#include "common/Numbers.h"
#include "surface/DrawingSurface.h"

#include <QString>

#include <cstdint>
#include <functional>

// The display routines of the panes live in tk5::indicators: two of them carry the same
// names (FastStochastic, SlowStochastic) as the IndicatorKind codes that choose them.
namespace tk5::indicators {

// How a pane is drawn. On screen (the look a band colour makes): value labels "####0.00" or
// ValueToLabel for counts, bars of one-pixel lines, margin bands in the band colour. In a band
// of the printed page: value labels "####0.0" (counts from a hundred thousand up as
// ValueToLabel has them), bars as filled boxes barWidth wide (in the plot's units), no margin
// bands.
struct PaneLook {
    PaneLook(Color bandColor) : band(bandColor) {} // NOLINT(google-explicit-constructor)
    static PaneLook printed(float barWidth) {
        PaneLook look(RGB(255, 255, 255));
        look.page = true;
        look.barWidth = barWidth;
        return look;
    }
    Color band;
    bool page = false;
    float barWidth = 0;
};

// What every indicator pane shares: the ruler and plot surfaces, the window s..e, the plot's
// size W x H in twips, the day positions, the reference lines, the ruler ticks and labels of
// the three scale families, bars, line segments and the two margin bands.
class PaneFrame {
public:
    PaneFrame(DrawingSurface& ruler, DrawingSurface& plot, std::int16_t starting_date,
              std::int16_t ending_date, const PaneLook& look);

    DrawingSurface& ruler;
    DrawingSurface& plot;
    const long s;   // newest shown day
    const long e;   // oldest shown day
    const double W; // the plot's width
    const double H; // the plot's height

    // x of a day: W - (day - s + 1) x W / (e - s + 2). Day s lies one step left of the right
    // edge, day e + 1 at x = 0. Throws ChartError when the 16-bit day arithmetic overflows
    // or the window has no width.
    float x(long day) const { return axis_.x(day); }
    // Whether x(day) gives a position; tolerant steps that need it ask first.
    bool reaches(long day) const noexcept { return axis_.reaches(day); }

    // The scale of the 0..100 oscillators: (H - 100) / 100 twips per point.
    float oscillatorK() const;
    // H - 50 - v x k.
    double oscillatorY(double v, float k) const { return H - 50.0 - v * k; }
    // The scale of the centred family for a largest value M: (H - 100) / (2 x M), and 0 when
    // M is 0 (every value then lies on the centre line).
    float centredK(float M) const;
    // H/2 - v x k.
    double centredY(double v, float k) const { return H / 2 - v * k; }

    // Sets the plot's pen to black, one pixel wide, and draws its three reference lines at
    // H/2, H - 50 and 50.
    void referenceLines();

    // The bar of a day from y0 to y1 in the plot's ForeColor: one-pixel vertical lines at
    // x - 15, x, x + 15 and, while the window spans fewer than 130 days (e - s < 130), also
    // at x - 30 and x + 30; printed, a box of the look's bar width centred on x.
    void bar(long day, double y0, double y1);
    // A line plot in the plot's ForeColor, one segment a day from day e down to day s: from
    // (x(i + 1), yOf(i + 1)) to (x(i), yOf(i)), so it starts at x = 0. A tolerant line skips
    // a segment whose step fails; otherwise the failure ends the drawing. `defined`, when
    // given, tells the days whose yOf can be worked out at all: a tolerant line skips a
    // segment that lacks one of its two days without trying it.
    void line(const std::function<double(long)>& yOf, bool tolerant = false,
              const std::function<bool(long)>& defined = {});

    // The whole pane of one value per shown day as bars around the centre line: reference
    // lines, valueOf of days s .. e once each and in that order, their largest absolute value
    // M, bars of days e .. s in `color` scaled by centredK(M), the ruler labelled "####0.00"
    // of M, and the bands. A failing value ends the drawing after the reference lines.
    void centredBars(const std::function<double(long)>& valueOf, Color color);

    // The ruler text of a value: an amount "####0.00", a count as ValueToLabel gives it;
    // printed, an amount "####0.0" and a count too when ValueToLabel gives no text.
    QString amountLabel(float v) const;
    QString countLabel(float v) const;

    // Ruler ticks and labels of the scale families; a tick runs from its x to W on the ruler.
    void oscillatorRuler();                    // 0..100: "100", "50", "0"
    void centredRuler(const QString& topText); // +-M: top text, "0", "-" + top text
    void volumeRuler(const QString& topText, const QString& middleText); // 0..M

    // The two margin bands, (0, 0)-(W, 50) and (0, H)-(W, H - 50), filled in the band colour;
    // drawn last, over whatever was plotted there. None on the printed page.
    void bands();

private:
    void tick(float x0, double y);
    void label(double y, const QString& text);

    DayAxis axis_;
    PaneLook look_;
};

} // namespace tk5::indicators
