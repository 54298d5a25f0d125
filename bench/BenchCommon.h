// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// What the benchmarks of the control and of its peers share: the picture size, the shown
// control, the statistics every benchmark reports, ORCL's history and the values a host
// would hold for a window of it.

#include "model/ChartState.h"
#include "widget/TKchartPrivate.h"

#include <tk5chctl/TKchart.h>

#include <QImage>
#include <QString>
#include <QVector>

#include <benchmark/benchmark.h>

namespace tk5::bench {

// Every contender draws a picture of this many pixels.
inline constexpr int kWidth = 1300;
inline constexpr int kHeight = 900;

// The windows (days 1..N) the redraws are measured at; beyond 3000 days no average can be
// drawn, so the widest window is drawn without them.
inline constexpr int kAveragesLimit = 3000;
inline bool averagesFor(int days) { return days <= kAveragesLimit; }

// Repetition statistics beside Google Benchmark's own: the fastest and the slowest run.
void withStats(benchmark::internal::Benchmark* b);

// Registers a windowed benchmark at each of these windows, with the statistics.
void windows(benchmark::internal::Benchmark* b, std::initializer_list<int> days);

// A shown control (offscreen, kWidth x kHeight) on an in-memory store holding these
// settings, with ORCL loaded and days 1..days as its window. Beyond kAveragesLimit days the
// three averages are switched off through the control's popup menu.
struct ShownControl {
    TKchart chart;
    TKchartPrivate& d = TKchartPrivate::of(chart);
    explicit ShownControl(int days = 1000, const QMap<QString, QString>& settings = {});
    // Switches an overlay of the popup menu ("mnuPopupMA10Days", ...) on or off.
    void setOverlay(const char* item, bool on);
    // Pointer positions a few pixels apart across the chart, as a drag produces them.
    static float x(int64_t i) { return static_cast<float>(1500 + (i % 600) * 15); }
    // The whole control as it is on screen.
    QImage picture();
};

// ORCL's history as the control reads it, loaded once.
const ChartState& orcl();

// What a host holding the values of a window would give a plotting library: days 1..N as
// keys 0..N-1 from the oldest to the newest, prices, the three averages (NaN where an
// average has too few days, empty when they are off), and the three default panes.
struct WindowData {
    int days = 0;
    QVector<double> key, open, high, low, close;
    QVector<double> ma10, ma50, ma200;
    QVector<double> volume, stochK, stochD, emaDiff;
    double priceLow = 0, priceHigh = 0;
};
WindowData windowData(int days);

// When TK5_BENCH_PNG names a folder, the picture is written there once under this name (to
// look at what each contender draws); otherwise nothing happens.
void savePictureOnce(const QString& name, const QImage& picture);

} // namespace tk5::bench
