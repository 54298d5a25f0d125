// SPDX-License-Identifier: BSD-3-Clause
// How long the control takes for what a user waits on: loading a history, the full redraw
// (rulers, bars, overlays, three panes) of a window, a crosshair move and the printed page.
// The peers drawing the same chart in this binary are in bench_peers.cpp, the plain-QPainter
// floor of the same picture in bench_floor.cpp.

#include "BenchCommon.h"
#include "Fixtures.h"
#include "chart/Crosshair.h"
#include "data/HistoryFile.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QPageSize>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using tk5::bench::ShownControl;

// ---- loading ---------------------------------------------------------------------------

void BM_ReadDataFile(benchmark::State& state) {
    tk5::ChartState st;
    for (auto _ : state) {
        bool today = false;
        tk5::ReadDataFile(st, QStringLiteral("ORCL"), today, QStringLiteral(TK5_SAMPLE_HIST));
        benchmark::DoNotOptimize(st.series.day_count);
    }
}
BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond)->Apply(tk5::bench::withStats);

// The floor of loading: the same file's bytes read and parsed with std::from_chars into a
// date text and four numbers per row, for as many rows as a history holds.
void BM_ReadDataFileFloor(benchmark::State& state) {
    const std::string path = std::string(TK5_SAMPLE_HIST) + "/ORCL.csv";
    std::vector<QString> dates;
    std::vector<float> open, high, low, close;
    std::vector<std::int64_t> volume;
    std::string bytes;
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        dates.clear(), open.clear(), high.clear(), low.clear(), close.clear(), volume.clear();
        const char* p = bytes.data();
        const char* const end = p + bytes.size();
        p = std::find(p, end, '\n'); // the header
        while (p < end && dates.size() < static_cast<size_t>(tk5::kSeriesCapacity)) {
            ++p;
            const char* comma = std::find(p, end, ',');
            if (comma == end) break;
            dates.push_back(QString::fromLatin1(p, static_cast<qsizetype>(comma - p)));
            p = comma + 1;
            float f[4] = {};
            for (float& v : f)
                p = std::from_chars(p, end, v).ptr + 1;
            std::int64_t vol = 0;
            p = std::from_chars(p, end, vol).ptr;
            open.push_back(f[0]), high.push_back(f[1]), low.push_back(f[2]);
            close.push_back(f[3]), volume.push_back(vol);
            p = std::find(p, end, '\n');
        }
        benchmark::DoNotOptimize(dates.data());
        benchmark::DoNotOptimize(close.data());
    }
    state.counters["rows"] = static_cast<double>(dates.size());
}
BENCHMARK(BM_ReadDataFileFloor)->Unit(benchmark::kMillisecond)->Apply(tk5::bench::withStats);

// ---- the full redraw ---------------------------------------------------------------------

// One full redraw of the shown control and the repaint it schedules; a redraw that fails ends
// the benchmark with its message.
bool redrawn(ShownControl& c, benchmark::State& state) {
    try {
        c.chart.redraw();
    } catch (const TKchartError& e) {
        state.SkipWithError(e.what());
        return false;
    }
    QCoreApplication::processEvents();
    return true;
}

// The shown control's full redraw through its public member, with the repaint it schedules
// (processed before the next redraw): days 1..N, the default panes, the averages on (off
// beyond 3000 days).
void BM_WidgetRedraw(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    ShownControl c(days);
    for (auto _ : state)
        if (!redrawn(c, state)) break;
    tk5::bench::savePictureOnce(QStringLiteral("control-%1").arg(days), c.picture());
}
BENCHMARK(BM_WidgetRedraw)->Unit(benchmark::kMillisecond)->Apply([](auto* b) {
    tk5::bench::windows(b, {200, 1000, 2700, 2900, 5000});
});

// The same with the heaviest panes: slow stochastic, MACD and money flow, every period 300
// (MACD's first 299), set through the settings the control is given. 2700 days is the longest
// window whose 300-day MACD still fits the 3000 days an indicator is worked out over.
QMap<QString, QString> heavyPanes() {
    return {{QStringLiteral("Tech1"), QStringLiteral("4")},
            {QStringLiteral("1SS_periodsK"), QStringLiteral("300")},
            {QStringLiteral("1SS_periodsD"), QStringLiteral("300")},
            {QStringLiteral("Tech2"), QStringLiteral("5")},
            {QStringLiteral("2MACDperiods1"), QStringLiteral("299")},
            {QStringLiteral("2MACDperiods2"), QStringLiteral("300")},
            {QStringLiteral("2MACDperiods3"), QStringLiteral("300")},
            {QStringLiteral("Tech3"), QStringLiteral("10")},
            {QStringLiteral("3MoneyFlowperiods"), QStringLiteral("300")}};
}

void BM_WidgetRedrawHeavy(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    ShownControl c(days, heavyPanes());
    for (auto _ : state)
        if (!redrawn(c, state)) break;
    tk5::bench::savePictureOnce(QStringLiteral("control-heavy-%1").arg(days), c.picture());
}
BENCHMARK(BM_WidgetRedrawHeavy)->Unit(benchmark::kMillisecond)->Apply([](auto* b) {
    tk5::bench::windows(b, {200, 1000, 2700});
});

// The core's full redraw alone, on the nine surfaces of a 12000 x 9000 twip control without
// a drawing log and without widgets: what the drawing code costs before the screen.
void BM_FullRedraw(benchmark::State& state) {
    tk5::test::CoreFixture f;
    for (tk5::RecordingSurface* r :
         {&f.surfaces.Picture1, &f.surfaces.PriceRuler, &f.surfaces.DateRuler, &f.surfaces.Picture2,
          &f.surfaces.Picture3, &f.surfaces.Picture4, &f.surfaces.TechRuler1,
          &f.surfaces.TechRuler2, &f.surfaces.TechRuler3})
        r->setLog(nullptr);
    f.core.setHistDir(QStringLiteral(TK5_SAMPLE_HIST));
    bool today = false;
    f.core.ReadDataFile(QStringLiteral("ORCL"), today);
    f.core.state().starting_date_local = 1;
    f.core.state().ending_date_local = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state)
        f.core.FullRedraw();
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond)->Apply([](auto* b) {
    tk5::bench::windows(b, {200, 1000});
});

// ---- the crosshair -------------------------------------------------------------------------

// Only the inverted lines of a vertical move: the old line off and the new one on, on the
// price chart, the three panes and the date ruler.
void BM_CrosshairLines(benchmark::State& state) {
    ShownControl c;
    tk5::ChartState& st = c.d.core.state();
    int64_t i = 0;
    for (auto _ : state)
        tk5::moveVerticalLine(st, c.d.core.surfaces(), ShownControl::x(i++), nullptr);
}
BENCHMARK(BM_CrosshairLines)->Unit(benchmark::kMicrosecond)->Apply(tk5::bench::withStats);

// The whole vertical move a drag makes: the lines and the caption line with its change.
void BM_CrosshairMove(benchmark::State& state) {
    ShownControl c;
    int64_t i = 0;
    for (auto _ : state)
        c.d.core.moveVerticalLine(ShownControl::x(i++));
}
BENCHMARK(BM_CrosshairMove)->Unit(benchmark::kMicrosecond)->Apply(tk5::bench::withStats);

// The dashed horizontal line dragged on the price ruler.
void BM_HorizontalLineMove(benchmark::State& state) {
    ShownControl c;
    int64_t i = 0;
    for (auto _ : state)
        c.d.core.moveHorizontalLine(static_cast<float>(300 + (i++ % 300) * 15));
}
BENCHMARK(BM_HorizontalLineMove)->Unit(benchmark::kMicrosecond)->Apply(tk5::bench::withStats);

// ---- the printed page ----------------------------------------------------------------------

// The page of the window drawn last, written as a PDF file through the public members.
void BM_PrintPdf(benchmark::State& state) {
    ShownControl c(static_cast<int>(state.range(0)));
    c.chart.redraw();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    c.chart.setPrintTarget(path, QPageSize(QPageSize::A4));
    for (auto _ : state)
        c.chart.PrintEntireChart();
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
}
BENCHMARK(BM_PrintPdf)->Unit(benchmark::kMillisecond)->Apply([](auto* b) {
    tk5::bench::windows(b, {200, 2900});
});

// ---- the run's context ---------------------------------------------------------------------

std::string loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly)) return "unknown";
    return f.readAll().trimmed().toStdString();
}

// The JSON file with the machine's load at the end of the run beside its benchmarks, since
// the context is written before the first one.
class JsonWithEndLoad : public benchmark::JSONReporter {
public:
    void Finalize() override {
        GetOutputStream() << "\n  ],\n  \"context_end\": {\n    \"load_avg_end\": \""
                          << loadAverage() << "\"\n  }\n}\n";
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    bool toFile = false; // before Initialize takes the benchmark flags out of argv
    for (int i = 1; i < argc; ++i)
        toFile = toFile || std::string(argv[i]).rfind("--benchmark_out=", 0) == 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::AddCustomContext("load_avg_start", loadAverage());
    benchmark::AddCustomContext("cores", std::to_string(std::thread::hardware_concurrency()));
    benchmark::AddCustomContext("picture", std::to_string(tk5::bench::kWidth) + "x" +
                                               std::to_string(tk5::bench::kHeight));
    JsonWithEndLoad json;
    if (toFile)
        benchmark::RunSpecifiedBenchmarks(nullptr, &json);
    else
        benchmark::RunSpecifiedBenchmarks();
    std::printf("load average at the end: %s\n", loadAverage().c_str());
    benchmark::Shutdown();
    return 0;
}
