// SPDX-License-Identifier: BSD-3-Clause
#include "PriceRuler.h"

#include "Geometry.h"

#include "calc/WindowExtremes.h"
#include "common/Formats.h"
#include "common/Numbers.h"

namespace tk5 {

float GetMaximumPrice(const PriceSeries& series, std::int16_t s, std::int16_t e) {
    return WindowMaximum(series.price_high, s, e);
}

float GetMinimumPrice(const PriceSeries& series, std::int16_t s, std::int16_t e) {
    return WindowMinimum(series.price_low, s, e);
}

float priceStepFor(float range) {
    // The limits are compared in double precision, so a range held as the float nearest
    // to 0.1 (slightly above it) already counts as 0.1.
    struct Row {
        double from;
        float step;
    };
    static constexpr Row kTable[] = {
        {5000, 1000.0f}, {2500, 500.0f}, {1500, 250.0f}, {1000, 150.0f},
        {500, 100.0f},   {250, 50.0f},   {150, 25.0f},   {100, 15.0f},
        {50, 10.0f},     {25, 5.0f},     {10, 2.5f},     {5, 1.0f},
        {2.5, 0.5f},     {1, 0.2f},      {0.5, 0.1f},    {0.1, 0.05f},
    };
    const double r = range;
    for (const Row& row : kTable)
        if (r >= row.from) return row.step;
    return 0.02f;
}

namespace {

// More ticks than a 16-bit counter could count cannot be told apart on any screen; such a
// scale (prices in the tens of millions) gets no ticks rather than a drawing that never
// ends.
constexpr double kMaxTicks = 32767;

} // namespace

void DrawPriceRuler(ChartState& st, const ChartSurfaces& sf, std::int16_t s, std::int16_t e) {
    DrawingSurface& ruler = *sf.PriceRuler;
    DrawingSurface& chart = *sf.Picture1;

    st.starting_date_local = s;
    st.ending_date_local = e;

    float lo = 0, hi = 0, range = 0;
    skipOnError(
        [&] { lo = GetMinimumPrice(st.series, st.starting_date_local, st.ending_date_local); });
    skipOnError(
        [&] { hi = GetMaximumPrice(st.series, st.starting_date_local, st.ending_date_local); });
    skipOnError([&] { range = toSingle(static_cast<double>(hi) - lo); });
    skipOnError([&] { st.price_step = priceStepFor(range); });
    ruler.FontSize = 8;

    // A top on an even multiple of the step stays, one on an odd multiple goes one step up
    // (halves round to even); the bottom likewise.
    skipOnError([&] { st.ruler_top = toSingle(roundHalfEven(divide(hi, st.price_step) + 0.5)); });
    skipOnError(
        [&] { st.ruler_bottom = toSingle(roundHalfEven(divide(lo, st.price_step) - 0.5)); });

    const double H = ruler.Height();
    // With top equal to bottom the division fails and the previous scale stays.
    skipOnError([&] {
        st.price_scale = toSingle(divide(
            H - 100.0, (static_cast<double>(st.ruler_top) - st.ruler_bottom) * st.price_step));
    });

    const double bottom = st.ruler_bottom;
    const double top = st.ruler_top;
    if (!(top - bottom <= kMaxTicks)) return;
    const double step = st.price_step;
    const double scale = st.price_scale;
    const float chartWidth = chart.Width();

    // The ticks are counted with an integer: past 2^53 a double no longer grows by one, so
    // a loop that stepped the tick value itself would never end on such prices.
    const long ticks = top >= bottom ? static_cast<long>(top - bottom) : -1;
    for (long n = 0; n <= ticks; ++n) {
        const double k = bottom + static_cast<double>(n);
        const double y = H - 50.0 - (k - bottom) * step * scale;
        const float yk = static_cast<float>(y);

        skipOnError([&] { ruler.CurrentX = 10; });
        skipOnError(
            [&] { ruler.CurrentY = toSingle(H - 250.0 - (k - bottom) * step * scale + 20.0); });
        // A label that would begin in the top 45 twips is left out.
        skipOnError([&] {
            if (ruler.CurrentY > 45.0f)
                ruler.Print(QStringLiteral("$ ") + formatGeneral(toSingle(k * step)));
        });
        skipOnError([&] { ruler.Line(50, yk, 650, yk); });

        if (isSet(st.show_horizontal_grid)) drawGridLine(chart, 0, yk, chartWidth, yk);

        // Nine minor ticks up to the next step; those above the top tick fall outside.
        for (int m = 1; m <= 9; ++m) {
            skipOnError([&] {
                const float ym = toSingle(H - 50.0 - (k + 0.1 * m - bottom) * step * scale);
                ruler.Line(550, ym, 650, ym);
            });
        }
    }
}

} // namespace tk5
