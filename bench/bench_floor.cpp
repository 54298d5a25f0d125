// SPDX-License-Identifier: BSD-3-Clause
// The floor of the full redraw: the control's own drawing calls for a window, recorded once,
// painted again with batched QPainter calls (one drawLines per surface, colour, style, width
// and mode; fillRect, drawPolygon, drawText) on images of the nine surfaces' pixel sizes.
// That is what a plain-QPainter implementation of the same picture costs.

#include "BenchCommon.h"
#include "core/ChartCore.h"
#include "model/SettingsStore.h"
#include "surface/ImageSurface.h"
#include "widget/PictureBox.h"

#include <QFontMetrics>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <array>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace {

using tk5::DrawCall;
using tk5::twipsToPixels;

constexpr std::array<const char*, 9> kSurfaces = {"Picture1",   "PriceRuler", "DateRuler",
                                                  "Picture2",   "Picture3",   "Picture4",
                                                  "TechRuler1", "TechRuler2", "TechRuler3"};

// A core on nine recording surfaces of the shown control's sizes and colours, its window
// drawn once; the calls stay in the surfaces' logs.
struct RecordedControl {
    std::vector<std::unique_ptr<tk5::RecordingSurface>> surfaces;
    std::vector<QPoint> offsets; // where each surface is on the shown control
    tk5::MemorySettingsStore store;
    tk5::OverlaySettings overlays;
    tk5::ChartCore core{overlays};

    explicit RecordedControl(int days) {
        tk5::bench::ShownControl shown(days);
        const tk5::ChartSurfaces& s = shown.d.core.surfaces();
        const std::array<tk5::DrawingSurface*, 9> from = {s.Picture1,   s.PriceRuler, s.DateRuler,
                                                          s.Picture2,   s.Picture3,   s.Picture4,
                                                          s.TechRuler1, s.TechRuler2, s.TechRuler3};
        for (size_t i = 0; i < from.size(); ++i) {
            auto r = std::make_unique<tk5::RecordingSurface>(QString::fromLatin1(kSurfaces[i]),
                                                             from[i]->Width(), from[i]->Height());
            r->BackColor = from[i]->BackColor;
            r->ForeColor = from[i]->ForeColor;
            r->FontName = from[i]->FontName;
            r->FontSize = from[i]->FontSize;
            r->FontBold = from[i]->FontBold;
            const auto* box = shown.chart.findChild<tk5::PictureBox*>(kSurfaces[i]);
            offsets.push_back(box ? box->mapTo(&shown.chart, QPoint(0, 0)) : QPoint());
            surfaces.push_back(std::move(r));
        }
        core.setSurfaces({surfaces[0].get(), surfaces[1].get(), surfaces[2].get(),
                          surfaces[3].get(), surfaces[4].get(), surfaces[5].get(),
                          surfaces[6].get(), surfaces[7].get(), surfaces[8].get()});
        core.setSettingsStore(&store);
        core.setHistDir(QStringLiteral(TK5_SAMPLE_HIST));
        bool today = false;
        core.ReadDataFile(QStringLiteral("ORCL"), today);
        tk5::ChartState& st = core.state();
        st.starting_date_local = 1;
        st.ending_date_local = static_cast<std::int16_t>(days);
        if (!tk5::bench::averagesFor(days))
            st.show_ma10 = st.show_ma50 = st.show_ma200 = tk5::kFalse;
        for (auto& r : surfaces)
            r->calls().clear();
        core.FullRedraw();
    }
};

QColor colorOf(tk5::Color c) { return tk5::toQColor(c); }

Qt::PenStyle penStyle(int style) {
    return style == tk5::kDashed   ? Qt::DashLine
           : style == tk5::kDotted ? Qt::DotLine
                                   : Qt::SolidLine;
}

// "Arial 8.25 bold" as the font a surface prints with.
QFont fontOf(const QString& text) {
    QStringList parts = text.split(QLatin1Char(' '));
    const bool bold = parts.size() > 2 && parts.back() == QLatin1String("bold");
    if (bold) parts.removeLast();
    const float size = parts.takeLast().toFloat();
    return tk5::ImageSurface::fontFor(parts.join(QLatin1Char(' ')), size, bold);
}

// One surface's picture as batches of QPainter calls.
struct SurfacePlan {
    QImage image;
    QPoint offset;
    std::vector<std::pair<QRect, QColor>> boxes; // clears first, in call order
    struct Lines {
        QPen pen;
        bool invert = false;
        std::vector<QLine> lines;
    };
    std::vector<Lines> lines;
    std::vector<std::pair<QPolygon, QColor>> polygons;
    struct Text {
        QPoint at; // the baseline's start
        QString text;
        QFont font;
        QColor color;
        bool invert = false;
    };
    std::vector<Text> texts;

    void paint() {
        QPainter p(&image);
        for (const auto& [r, c] : boxes)
            p.fillRect(r, c);
        for (const Lines& g : lines) {
            p.setCompositionMode(g.invert ? QPainter::RasterOp_SourceXorDestination
                                          : QPainter::CompositionMode_SourceOver);
            p.setPen(g.pen);
            p.drawLines(g.lines.data(), static_cast<int>(g.lines.size()));
        }
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(Qt::NoPen);
        for (const auto& [poly, c] : polygons) {
            p.setBrush(c);
            p.drawPolygon(poly);
        }
        for (const Text& t : texts) {
            p.setCompositionMode(t.invert ? QPainter::RasterOp_SourceXorDestination
                                          : QPainter::CompositionMode_SourceOver);
            p.setFont(t.font);
            p.setPen(t.color);
            p.drawText(t.at, t.text);
        }
    }
};

SurfacePlan planOf(const tk5::RecordingSurface& s, QPoint offset) {
    SurfacePlan plan;
    plan.image = QImage(twipsToPixels(s.Width()), twipsToPixels(s.Height()), QImage::Format_RGB32);
    plan.offset = offset;
    std::map<std::tuple<QRgb, int, int, int>, size_t> group; // colour, style, width, mode
    auto px = [](float twips) { return twipsToPixels(twips); };
    for (const DrawCall& c : s.calls().calls()) {
        switch (c.op) {
        case DrawCall::Op::Cls:
            plan.boxes.emplace_back(plan.image.rect(), colorOf(c.color));
            break;
        case DrawCall::Op::Box:
            plan.boxes.emplace_back(
                QRect(QPoint(px(c.x1), px(c.y1)), QPoint(px(c.x2), px(c.y2))).normalized(),
                colorOf(c.color));
            break;
        case DrawCall::Op::Line:
        case DrawCall::Op::PenLine: {
            const auto key = std::make_tuple(colorOf(c.color).rgb(), c.style, c.width, c.mode);
            auto [it, added] = group.try_emplace(key, plan.lines.size());
            if (added) {
                QPen pen(colorOf(c.color), c.width > 1 ? c.width : 0, penStyle(c.style));
                plan.lines.push_back({pen, c.mode == tk5::kDrawInvert, {}});
            }
            const bool pixels = c.op == DrawCall::Op::PenLine;
            auto at = [&](float x, float y) {
                return pixels ? QPoint(static_cast<int>(x), static_cast<int>(y))
                              : QPoint(px(x), px(y));
            };
            plan.lines[it->second].lines.emplace_back(at(c.x1, c.y1), at(c.x2, c.y2));
            break;
        }
        case DrawCall::Op::Polygon: {
            QPolygon poly;
            for (const QPoint& q : c.points)
                poly << q;
            plan.polygons.emplace_back(poly, colorOf(c.color));
            break;
        }
        case DrawCall::Op::Print: {
            const QFont font = fontOf(c.font);
            const QFontMetrics fm(font, &plan.image);
            plan.texts.push_back({QPoint(px(c.x1), px(c.y1) + fm.ascent()), c.text, font,
                                  colorOf(c.color), c.mode == tk5::kDrawInvert});
            break;
        }
        }
    }
    return plan;
}

void BM_Floor(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    std::vector<SurfacePlan> plans;
    {
        RecordedControl recorded(days);
        for (size_t i = 0; i < recorded.surfaces.size(); ++i)
            plans.push_back(planOf(*recorded.surfaces[i], recorded.offsets[i]));
    }
    size_t lines = 0, texts = 0;
    for (const SurfacePlan& p : plans) {
        for (const auto& g : p.lines)
            lines += g.lines.size();
        texts += p.texts.size();
    }
    for (auto _ : state)
        for (SurfacePlan& p : plans)
            p.paint();
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["texts"] = static_cast<double>(texts);
    if (!qEnvironmentVariableIsEmpty("TK5_BENCH_PNG")) {
        QImage all(tk5::bench::kWidth, tk5::bench::kHeight, QImage::Format_RGB32);
        all.fill(Qt::gray);
        QPainter p(&all);
        for (const SurfacePlan& s : plans)
            p.drawImage(s.offset, s.image);
        p.end();
        tk5::bench::savePictureOnce(QStringLiteral("floor-%1").arg(days), all);
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond)->Apply([](auto* b) {
    tk5::bench::windows(b, {200, 1000, 2900, 5000});
});

} // namespace
