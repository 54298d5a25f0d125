// SPDX-License-Identifier: BSD-3-Clause
// How long the control takes for what a user waits on: loading a history, the full redraw
// (rulers, bars, overlays, three panes) of a window, and a crosshair move.

#include "Fixtures.h"
#include "chart/Crosshair.h"
#include "data/HistoryFile.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QApplication>
#include <QLocale>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The nine surfaces of a 12000 x 9000 twip control, painting without keeping a log.
struct Control {
    tk5::test::CoreFixture f;
    tk5::ChartCore& core = f.core;

    Control() {
        for (tk5::RecordingSurface* r :
             {&f.surfaces.Picture1, &f.surfaces.PriceRuler, &f.surfaces.DateRuler,
              &f.surfaces.Picture2, &f.surfaces.Picture3, &f.surfaces.Picture4,
              &f.surfaces.TechRuler1, &f.surfaces.TechRuler2, &f.surfaces.TechRuler3})
            r->setLog(nullptr);
        for (tk5::RecordingSurface* r :
             {&f.surfaces.PriceRuler, &f.surfaces.DateRuler, &f.surfaces.TechRuler1,
              &f.surfaces.TechRuler2, &f.surfaces.TechRuler3}) {
            r->BackColor = 0;
            r->ForeColor = 0xFFFFFF;
        }
        core.setHistDir(QStringLiteral(TK5_SAMPLE_HIST));
        bool today = false;
        core.ReadDataFile(QStringLiteral("ORCL"), today);
    }
};

void BM_ReadDataFile(benchmark::State& state) {
    tk5::ChartState st;
    for (auto _ : state) {
        bool today = false;
        tk5::ReadDataFile(st, QStringLiteral("ORCL"), today, QStringLiteral(TK5_SAMPLE_HIST));
        benchmark::DoNotOptimize(st.series.day_count);
    }
}
BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond);

// Full redraw of days 1..N with the default panes (volume, fast stochastic, EMA difference).
void BM_FullRedraw(benchmark::State& state) {
    Control c;
    c.core.state().starting_date_local = 1;
    c.core.state().ending_date_local = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state)
        c.core.FullRedraw();
}
BENCHMARK(BM_FullRedraw)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// The heaviest panes: every period at 300, RSI, slow stochastic and MACD over the window.
void BM_FullRedrawLongPeriods(benchmark::State& state) {
    Control c;
    c.core.state().ending_date_local = static_cast<std::int16_t>(state.range(0));
    for (int p = 1; p <= 3; ++p) {
        auto& ps = c.core.state().pane(p);
        ps.rsi_periods = ps.ss_periods_k = ps.ss_periods_d = 300;
        ps.macd_periods1 = ps.macd_periods2 = ps.macd_periods3 = 300;
    }
    c.core.state().pane(1).kind = tk5::RSI;
    c.core.state().pane(2).kind = tk5::SlowStochastic;
    c.core.state().pane(3).kind = tk5::MACD;
    for (auto _ : state)
        c.core.FullRedraw();
}
BENCHMARK(BM_FullRedrawLongPeriods)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// A shown 1280 x 800 control (picture boxes, caption labels) with ORCL's newest 1000 days.
struct ShownControl {
    TKchart chart{QMap<QString, QString>{}};
    tk5::TKchartPrivate& d = tk5::TKchartPrivate::of(chart);
    ShownControl() {
        qputenv("TK5CHCTL_HIST_DIR", TK5_SAMPLE_HIST);
        chart.setAttribute(Qt::WA_DontShowOnScreen);
        chart.ReadDataFile(QStringLiteral("ORCL"));
        chart.setEnding_date_local(1000);
        chart.resize(1280, 800);
        chart.show();
        QCoreApplication::processEvents();
    }
    // Pointer positions a few pixels apart across the chart, as a drag produces them.
    float x(int64_t i) const { return static_cast<float>(1500 + (i % 600) * 15); }
};

// Only the inverted lines of a vertical move: the old line off and the new one on, on the
// price chart, the three panes and the date ruler.
void BM_CrosshairLines(benchmark::State& state) {
    ShownControl c;
    tk5::ChartState& st = c.d.core.state();
    int64_t i = 0;
    for (auto _ : state)
        tk5::moveVerticalLine(st, c.d.core.surfaces(), c.x(i++), nullptr);
}
BENCHMARK(BM_CrosshairLines)->Unit(benchmark::kMicrosecond);

// The whole vertical move a drag makes: the lines and the caption line with its change.
void BM_CrosshairMove(benchmark::State& state) {
    ShownControl c;
    int64_t i = 0;
    for (auto _ : state)
        c.d.core.moveVerticalLine(c.x(i++));
}
BENCHMARK(BM_CrosshairMove)->Unit(benchmark::kMicrosecond);

// The shown control's full redraw through its public member, with the repaints it schedules
// (processed before the next redraw).
void BM_WidgetRedraw(benchmark::State& state) {
    ShownControl c;
    c.chart.setStarting_date_local(1);
    c.chart.setEnding_date_local(static_cast<qint16>(state.range(0)));
    for (auto _ : state) {
        c.chart.redraw();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WidgetRedraw)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

// The dashed horizontal line dragged on the price ruler.
void BM_HorizontalLineMove(benchmark::State& state) {
    ShownControl c;
    int64_t i = 0;
    for (auto _ : state)
        c.d.core.moveHorizontalLine(static_cast<float>(300 + (i++ % 300) * 15));
}
BENCHMARK(BM_HorizontalLineMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
