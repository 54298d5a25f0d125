// SPDX-License-Identifier: BSD-3-Clause
// The same chart drawn by two plotting libraries a host could use instead: QCustomPlot and
// Qt Charts. Each iteration gives the library the window's values (computed once, as a host
// holding them would) and renders the whole picture into a kWidth x kHeight image: prices as
// bars, the 10, 50 and 200-day averages, and three panes below (volume bars, the two fast
// stochastic lines, the exponential-average difference as bars). Neither antialiases, like
// the control.

#include "BenchCommon.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCandlestickSeries>
#include <QCandlestickSet>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

using tk5::bench::kHeight;
using tk5::bench::kWidth;
using tk5::bench::WindowData;

const QColor kChartBack(255, 255, 225);
const QColor kMa10(Qt::blue), kMa50(Qt::red), kMa200(Qt::darkGreen);

// ---- QCustomPlot ---------------------------------------------------------------------------

struct CustomPlotChart {
    QCustomPlot plot;
    QCPFinancial* prices = nullptr;
    QCPGraph* ma[3] = {};
    QCPBars* volume = nullptr;
    QCPGraph* stochK = nullptr;
    QCPGraph* stochD = nullptr;
    QCPBars* emaDiff = nullptr;

    CustomPlotChart() {
        plot.resize(kWidth, kHeight);
        plot.setNotAntialiasedElements(QCP::aeAll);
        plot.setBackground(kChartBack);
        QCPAxisRect* price = plot.axisRect();
        auto* group = new QCPMarginGroup(&plot);
        price->setMarginGroup(QCP::msLeft | QCP::msRight, group);
        QCPAxisRect* panes[3];
        for (int i = 0; i < 3; ++i) {
            panes[i] = new QCPAxisRect(&plot);
            plot.plotLayout()->addElement(i + 1, 0, panes[i]);
            panes[i]->setMarginGroup(QCP::msLeft | QCP::msRight, group);
            panes[i]->axis(QCPAxis::atBottom)->setTickLabels(false);
        }
        plot.plotLayout()->setRowStretchFactors({6.0, 1.0, 1.0, 1.0});
        plot.plotLayout()->setRowSpacing(0);
        auto x = [](QCPAxisRect* r) { return r->axis(QCPAxis::atBottom); };
        auto y = [](QCPAxisRect* r) { return r->axis(QCPAxis::atLeft); };
        prices = new QCPFinancial(x(price), y(price));
        prices->setChartStyle(QCPFinancial::csOhlc);
        prices->setWidth(0.6);
        prices->setPen(QPen(Qt::black));
        const QColor colours[3] = {kMa10, kMa50, kMa200};
        for (int i = 0; i < 3; ++i) {
            ma[i] = plot.addGraph(x(price), y(price));
            ma[i]->setPen(QPen(colours[i]));
        }
        volume = new QCPBars(x(panes[0]), y(panes[0]));
        volume->setWidth(0.8);
        volume->setPen(Qt::NoPen);
        volume->setBrush(Qt::darkBlue);
        stochK = plot.addGraph(x(panes[1]), y(panes[1]));
        stochK->setPen(QPen(Qt::blue));
        stochD = plot.addGraph(x(panes[1]), y(panes[1]));
        stochD->setPen(QPen(Qt::red));
        emaDiff = new QCPBars(x(panes[2]), y(panes[2]));
        emaDiff->setWidth(0.8);
        emaDiff->setPen(Qt::NoPen);
        emaDiff->setBrush(Qt::darkMagenta);
    }

    void setData(const WindowData& w) {
        prices->setData(w.key, w.open, w.high, w.low, w.close, true);
        const QVector<double>* averages[3] = {&w.ma10, &w.ma50, &w.ma200};
        for (int i = 0; i < 3; ++i) {
            ma[i]->setVisible(!averages[i]->isEmpty());
            if (!averages[i]->isEmpty()) ma[i]->setData(w.key, *averages[i], true);
        }
        volume->setData(w.key, w.volume, true);
        stochK->setData(w.key, w.stochK, true);
        stochD->setData(w.key, w.stochD, true);
        emaDiff->setData(w.key, w.emaDiff, true);
        plot.rescaleAxes(true);
    }
};

void BM_QCustomPlot(benchmark::State& state) {
    const WindowData w = tk5::bench::windowData(static_cast<int>(state.range(0)));
    CustomPlotChart chart;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    auto render = [&] {
        chart.setData(w);
        QCPPainter painter(&image);
        chart.plot.toPainter(&painter, kWidth, kHeight);
    };
    render(); // shown once before, as the control is
    for (auto _ : state)
        render();
    tk5::bench::savePictureOnce(QStringLiteral("qcustomplot-%1").arg(w.days), image);
}
BENCHMARK(BM_QCustomPlot)->Unit(benchmark::kMillisecond)->Apply([](auto* b) {
    tk5::bench::windows(b, {200, 1000, 2900, 5000});
});

// ---- Qt Charts -----------------------------------------------------------------------------

// A chart of the scene at this place, with value axes and no legend.
QChart* addChart(QGraphicsScene& scene, const QRectF& place, QValueAxis*& x, QValueAxis*& y) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundBrush(kChartBack);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setGeometry(place);
    x = new QValueAxis;
    y = new QValueAxis;
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    scene.addItem(chart);
    return chart;
}

template <class Series> Series* attach(QChart* chart, QValueAxis* x, QValueAxis* y, Series* s) {
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
    return s;
}

QList<QPointF> points(const QVector<double>& keys, const QVector<double>& values) {
    QList<QPointF> out;
    for (qsizetype i = 0; i < values.size(); ++i)
        if (!std::isnan(values[i])) out.append({keys[i], values[i]});
    return out;
}

std::pair<double, double> rangeOf(const QVector<double>& v) {
    double lo = 0, hi = 0;
    for (double d : v)
        if (!std::isnan(d)) lo = std::min(lo, d), hi = std::max(hi, d);
    return {lo, hi};
}

struct QtChartsChart {
    QGraphicsScene scene{0, 0, kWidth, kHeight};
    QChart* charts[4] = {};
    QValueAxis* xs[4] = {};
    QValueAxis* ys[4] = {};
    QCandlestickSeries* prices = nullptr;
    QLineSeries* ma[3] = {};
    QBarSeries* volume = nullptr;
    QLineSeries* stochK = nullptr;
    QLineSeries* stochD = nullptr;
    QBarSeries* emaDiff = nullptr;
    // The values as the series take them.
    QList<QPointF> maPoints[3], kPoints, dPoints;
    QList<qreal> volumes, diffs;
    std::pair<double, double> priceRange, volumeRange, diffRange;

    explicit QtChartsChart(const WindowData& w) {
        const double priceHeight = kHeight * 0.6, paneHeight = (kHeight - priceHeight) / 3;
        scene.setBackgroundBrush(kChartBack);
        charts[0] = addChart(scene, {0, 0, double(kWidth), priceHeight}, xs[0], ys[0]);
        QFont small = ys[0]->labelsFont();
        small.setPixelSize(9);
        for (int i = 1; i < 4; ++i) {
            charts[i] =
                addChart(scene, {0, priceHeight + (i - 1) * paneHeight, double(kWidth), paneHeight},
                         xs[i], ys[i]);
            xs[i]->setLabelsVisible(false);
            ys[i]->setLabelsFont(small);
            ys[i]->setTickCount(3);
        }
        prices = attach(charts[0], xs[0], ys[0], new QCandlestickSeries);
        prices->setIncreasingColor(Qt::white);
        prices->setDecreasingColor(Qt::black);
        prices->setBodyOutlineVisible(true);
        const QColor colours[3] = {kMa10, kMa50, kMa200};
        for (int i = 0; i < 3; ++i) {
            ma[i] = attach(charts[0], xs[0], ys[0], new QLineSeries);
            ma[i]->setPen(QPen(colours[i]));
        }
        volume = attach(charts[1], xs[1], ys[1], new QBarSeries);
        stochK = attach(charts[2], xs[2], ys[2], new QLineSeries);
        stochK->setPen(QPen(Qt::blue));
        stochD = attach(charts[2], xs[2], ys[2], new QLineSeries);
        stochD->setPen(QPen(Qt::red));
        emaDiff = attach(charts[3], xs[3], ys[3], new QBarSeries);
        for (QBarSeries* b : {volume, emaDiff})
            b->setBarWidth(0.8);

        const QVector<double>* averages[3] = {&w.ma10, &w.ma50, &w.ma200};
        for (int i = 0; i < 3; ++i)
            maPoints[i] = points(w.key, *averages[i]);
        kPoints = points(w.key, w.stochK);
        dPoints = points(w.key, w.stochD);
        volumes = QList<qreal>(w.volume.begin(), w.volume.end());
        diffs = QList<qreal>(w.emaDiff.begin(), w.emaDiff.end());
        priceRange = {w.priceLow, w.priceHigh};
        for (const QList<QPointF>& line : maPoints)
            for (const QPointF& p : line)
                priceRange = {std::min(priceRange.first, p.y()),
                              std::max(priceRange.second, p.y())};
        volumeRange = rangeOf(w.volume);
        diffRange = rangeOf(w.emaDiff);
    }

    void setData(const WindowData& w) {
        QList<QCandlestickSet*> sets;
        sets.reserve(w.key.size());
        for (qsizetype i = 0; i < w.key.size(); ++i)
            sets.append(new QCandlestickSet(w.open[i], w.high[i], w.low[i], w.close[i], w.key[i]));
        prices->clear();
        prices->append(sets);
        for (int i = 0; i < 3; ++i)
            ma[i]->replace(maPoints[i]);
        auto bars = [](QBarSeries* s, const QList<qreal>& values, const QColor& c) {
            s->clear();
            auto* set = new QBarSet(QString());
            set->setColor(c);
            set->setBorderColor(c);
            set->append(values);
            s->append(set);
        };
        bars(volume, volumes, Qt::darkBlue);
        bars(emaDiff, diffs, Qt::darkMagenta);
        stochK->replace(kPoints);
        stochD->replace(dPoints);
        for (QValueAxis* x : xs)
            x->setRange(-1, w.days);
        ys[0]->setRange(priceRange.first, priceRange.second);
        ys[1]->setRange(volumeRange.first, volumeRange.second);
        ys[2]->setRange(0, 100);
        ys[3]->setRange(diffRange.first, diffRange.second);
    }

    void render(QImage& image) {
        QCoreApplication::processEvents(); // the charts lay their items out
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, kWidth, kHeight), scene.sceneRect());
    }
};

void BM_QtCharts(benchmark::State& state) {
    const WindowData w = tk5::bench::windowData(static_cast<int>(state.range(0)));
    QtChartsChart chart(w);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    chart.setData(w); // shown once before, as the control is
    chart.render(image);
    for (auto _ : state) {
        chart.setData(w);
        chart.render(image);
    }
    tk5::bench::savePictureOnce(QStringLiteral("qtcharts-%1").arg(w.days), image);
}
BENCHMARK(BM_QtCharts)->Unit(benchmark::kMillisecond)->Apply([](auto* b) {
    tk5::bench::windows(b, {200, 1000, 2900, 5000});
});

} // namespace
