// SPDX-License-Identifier: BSD-3-Clause
#include "PaneFrame.h"

#include "mdlValueToLabel.h"

#include "common/ChartError.h"
#include "common/Formats.h"

#include <cmath>
#include <vector>

namespace tk5::indicators {

PaneFrame::PaneFrame(DrawingSurface& rulerSurface, DrawingSurface& plotSurface,
                     std::int16_t starting_date, std::int16_t ending_date, const PaneLook& look)
    : ruler(rulerSurface), plot(plotSurface), s(starting_date), e(ending_date),
      W(plotSurface.Width()), H(plotSurface.Height()), axis_(W, s, e), look_(look) {}

float PaneFrame::oscillatorK() const { return static_cast<float>((H - 100.0) / 100.0); }

float PaneFrame::centredK(float M) const {
    return M != 0.0f ? toSingle(divide(H - 100.0, 2.0 * M)) : 0.0f;
}

void PaneFrame::referenceLines() {
    plot.ForeColor = RGB(0, 0, 0);
    plot.DrawWidth = 1;
    const float w = static_cast<float>(W), h = static_cast<float>(H);
    plot.Line(0, h / 2, w, h / 2);
    plot.Line(0, h - 50, w, h - 50);
    plot.Line(0, 50, w, 50);
}

void PaneFrame::bar(long day, double y0, double y1) {
    const float xd = x(day);
    const float top = toSingle(y0), bottom = toSingle(y1);
    if (look_.page) {
        plot.Box(xd - look_.barWidth / 2, top, xd + look_.barWidth / 2, bottom);
        return;
    }
    for (const float dx : {-15.0f, 0.0f, 15.0f})
        plot.Line(xd + dx, top, xd + dx, bottom);
    if (e - s < 130) {
        plot.Line(xd - 30, top, xd - 30, bottom);
        plot.Line(xd + 30, top, xd + 30, bottom);
    }
}

void PaneFrame::line(const std::function<double(long)>& yOf, bool tolerant,
                     const std::function<bool(long)>& defined) {
    for (long i = e; i >= s; --i) {
        if (tolerant &&
            (!reaches(i) || !reaches(i + 1) || (defined && !(defined(i + 1) && defined(i)))))
            continue; // the step would fail before drawing
        auto step = [&] {
            const double yOlder = yOf(i + 1), yDay = yOf(i);
            const float x1 = x(i + 1), x0 = x(i);
            plot.Line(x1, toSingle(yOlder), x0, toSingle(yDay));
        };
        if (tolerant)
            skipOnError(step);
        else
            step();
    }
}

void PaneFrame::centredBars(const std::function<double(long)>& valueOf, Color color) {
    referenceLines();
    // Each shown day's value once: element i - s.
    std::vector<double> values;
    float M = 0;
    for (long i = s; i <= e; ++i) {
        values.push_back(valueOf(i));
        if (std::fabs(values.back()) > M) M = toSingle(std::fabs(values.back()));
    }
    const float k = centredK(M);
    plot.ForeColor = color;
    for (long i = e; i >= s; --i)
        bar(i, H / 2, centredY(values[static_cast<size_t>(i - s)], k));
    centredRuler(amountLabel(M));
    bands();
}

QString PaneFrame::amountLabel(float v) const { return formatFixed(v, look_.page ? 1 : 2); }

QString PaneFrame::countLabel(float v) const {
    // On paper a count in the millions keeps ValueToLabel's short form ("86.7 M"): its digits
    // would not fit the printed ruler.
    const QString label = ValueToLabel(v);
    return look_.page && label.isEmpty() ? formatFixed(v, 1) : label;
}

void PaneFrame::tick(float x0, double y) {
    ruler.Line(x0, static_cast<float>(y), static_cast<float>(W), static_cast<float>(y));
}

void PaneFrame::label(double y, const QString& text) {
    ruler.CurrentX = 50;
    ruler.CurrentY = static_cast<float>(y);
    ruler.Print(text);
}

void PaneFrame::oscillatorRuler() {
    tick(250, H - 50);
    tick(350, H / 2);
    tick(450, 50);
    label(0, QStringLiteral("100"));
    label(H / 2 - 100, QStringLiteral("50"));
    label(H - 200, QStringLiteral("0"));
}

void PaneFrame::centredRuler(const QString& topText) {
    tick(550, H - 50);
    tick(550, H / 2);
    tick(550, 50);
    label(25, topText);
    label(H / 2 - 100, QStringLiteral("0"));
    label(H - 200, QStringLiteral("-") + topText);
}

void PaneFrame::volumeRuler(const QString& topText, const QString& middleText) {
    tick(300, H - 50);
    tick(550, H / 2);
    tick(550, 50);
    label(25, topText);
    label(H / 2 - 100, middleText);
    label(H - 200, QStringLiteral("0"));
}

void PaneFrame::bands() {
    if (look_.page) return;
    const float w = static_cast<float>(W), h = static_cast<float>(H);
    plot.Box(0, 0, w, 50, look_.band);
    plot.Box(0, h, w, h - 50, look_.band);
}

} // namespace tk5::indicators
