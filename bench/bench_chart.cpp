// SPDX-License-Identifier: BSD-3-Clause
// How long the control takes for what a user waits on: loading a history, and the full
// redraw (rulers, bars, overlays, three panes) of a window.

#include "Fixtures.h"
#include "data/HistoryFile.h"

#include <QGuiApplication>
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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
