// SPDX-License-Identifier: BSD-3-Clause
#include "BenchCommon.h"

#include "data/HistoryFile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tk5::bench {

namespace {
double lowest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double highest(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }
} // namespace

void withStats(benchmark::internal::Benchmark* b) {
    b->ComputeStatistics("min", lowest)->ComputeStatistics("max", highest);
}

void windows(benchmark::internal::Benchmark* b, std::initializer_list<int> days) {
    for (int n : days)
        b->Arg(n);
    withStats(b);
}

ShownControl::ShownControl(int days, const QMap<QString, QString>& settings) : chart(settings) {
    qputenv("TK5CHCTL_HIST_DIR", TK5_SAMPLE_HIST);
    chart.setAttribute(Qt::WA_DontShowOnScreen);
    chart.ReadDataFile(QStringLiteral("ORCL"));
    chart.setStarting_date_local(1);
    chart.setEnding_date_local(static_cast<qint16>(std::min(days, kAveragesLimit)));
    chart.resize(kWidth, kHeight);
    chart.show();
    QCoreApplication::processEvents();
    if (!averagesFor(days)) {
        for (const char* item : {"mnuPopupMA10Days", "mnuPopupMA50Days", "mnuPopupMA200Days"})
            setOverlay(item, false);
        chart.setEnding_date_local(static_cast<qint16>(days));
    }
}

void ShownControl::setOverlay(const char* item, bool on) {
    const ChartState& st = d.core.state();
    const QString name = QString::fromLatin1(item);
    const Flag shown = name == QLatin1String("mnuPopupMA10Days")   ? st.show_ma10
                       : name == QLatin1String("mnuPopupMA50Days") ? st.show_ma50
                                                                   : st.show_ma200;
    if ((shown != kFalse) != on) d.mnuPopup->findChild<QAction*>(name)->trigger();
    QCoreApplication::processEvents();
}

QImage ShownControl::picture() { return chart.grab().toImage(); }

const ChartState& orcl() {
    static const ChartState st = [] {
        ChartState s;
        bool today = false;
        ReadDataFile(s, QStringLiteral("ORCL"), today, QStringLiteral(TK5_SAMPLE_HIST));
        return s;
    }();
    return st;
}

namespace {

// The average of the closes of days d..d+n-1; NaN when the history ends before.
double average(const PriceSeries& s, long d, long n) {
    if (d + n - 1 > s.day_count) return std::numeric_limits<double>::quiet_NaN();
    double sum = 0;
    for (long i = d; i < d + n; ++i)
        sum += s.price_close[i];
    return sum / static_cast<double>(n);
}

// Fast stochastic %K over n days ending at day d.
double stochasticK(const PriceSeries& s, long d, long n) {
    if (d + n - 1 > s.day_count) return std::numeric_limits<double>::quiet_NaN();
    double hi = s.price_high[d], lo = s.price_low[d];
    for (long i = d; i < d + n; ++i) {
        hi = std::max(hi, double(s.price_high[i]));
        lo = std::min(lo, double(s.price_low[i]));
    }
    return hi > lo ? 100.0 * (s.price_close[d] - lo) / (hi - lo) : 50.0;
}

// Exponential averages of the closes from the oldest day on, by day.
std::vector<double> expAverage(const PriceSeries& s, int n) {
    std::vector<double> e(static_cast<size_t>(s.day_count) + 2, 0.0);
    const double k = 2.0 / (n + 1.0);
    double v = s.price_close[s.day_count];
    for (long d = s.day_count; d >= 1; --d) {
        v += k * (s.price_close[d] - v);
        e[static_cast<size_t>(d)] = v;
    }
    return e;
}

} // namespace

WindowData windowData(int days) {
    const PriceSeries& s = orcl().series;
    WindowData w;
    w.days = days;
    const std::vector<double> ema10 = expAverage(s, 10), ema15 = expAverage(s, 15);
    w.priceLow = std::numeric_limits<double>::max();
    w.priceHigh = std::numeric_limits<double>::lowest();
    for (long d = days; d >= 1; --d) {
        w.key << double(days - d);
        w.high << s.price_high[d];
        w.low << s.price_low[d];
        w.close << s.price_close[d];
        w.open << (d < s.day_count ? s.price_close[d + 1] : s.price_close[d]);
        w.priceLow = std::min(w.priceLow, w.low.back());
        w.priceHigh = std::max(w.priceHigh, w.high.back());
        if (averagesFor(days)) {
            w.ma10 << average(s, d, 10);
            w.ma50 << average(s, d, 50);
            w.ma200 << average(s, d, 200);
        }
        w.volume << double(s.price_volume[d]);
        w.stochK << stochasticK(s, d, 5);
        double sumK = 0;
        for (long i = d; i < d + 5; ++i)
            sumK += stochasticK(s, i, 5);
        w.stochD << sumK / 5.0;
        w.emaDiff << ema10[static_cast<size_t>(d)] - ema15[static_cast<size_t>(d)];
    }
    return w;
}

void savePictureOnce(const QString& name, const QImage& picture) {
    static QSet<QString> saved;
    const QString dir = qEnvironmentVariable("TK5_BENCH_PNG");
    if (dir.isEmpty() || saved.contains(name)) return;
    saved.insert(name);
    QDir().mkpath(dir);
    picture.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace tk5::bench
