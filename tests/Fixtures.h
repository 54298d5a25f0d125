// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// Shared test fixtures: series built in code, recording surfaces, sample histories, a locale.

#include "core/ChartCore.h"
#include "model/ChartState.h"
#include "surface/ImageSurface.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace tk5::test {

inline void useEnglishLocale() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// The sample histories of the project.
inline QString sampleHistDir() { return qEnvironmentVariable("TK5_HIST"); }
struct Day {
    float high, low, close;
    std::int32_t volume = 1000;
};

// Fills days 1..n (newest first) of a series, dated one weekday apart backwards from
// newest.
inline void fillSeries(PriceSeries& s, const std::vector<Day>& days,
                       QDate newest = QDate(2014, 12, 31)) {
    QDate d = newest;
    for (size_t i = 0; i < days.size(); ++i) {
        const long day = static_cast<long>(i + 1);
        s.price_date.set(day, d.toString(QStringLiteral("yyyy-MM-dd")));
        s.price_high[day] = days[i].high;
        s.price_low[day] = days[i].low;
        s.price_close[day] = days[i].close;
        s.price_volume[day] = days[i].volume;
        d = d.addDays(d.dayOfWeek() == 1 ? -3 : d.dayOfWeek() == 7 ? -2 : -1); // a weekday
    }
    s.day_count = static_cast<std::int16_t>(days.size());
}

// A series of n days whose close follows a gentle wave, highs and lows one above and below.
inline std::vector<Day> waveDays(int n, float base = 50.0f) {
    std::vector<Day> v;
    for (int i = 0; i < n; ++i) {
        const float c = base + static_cast<float>((i * 37) % 23) * 0.5f - 5.0f;
        v.push_back({c + 1.0f, c - 1.0f, c, 1000 + (i * 7919) % 5000});
    }
    return v;
}

// n days whose closes swing irregularly, with ranges and volumes that vary on their own, so
// that averages, extremes and changes over them differ from day to day.
inline std::vector<Day> roughDays(int n) {
    std::vector<Day> v;
    for (int d = 1; d <= n; ++d) {
        const float c = 50.0f + float((d * 37) % 23) * 0.75f - float((d * 11) % 7);
        v.push_back({c + 0.5f + float(d % 5) * 0.5f, c - 0.25f - float((d * 3) % 4) * 0.5f, c,
                     1000 + (d * 7919) % 5000});
    }
    return v;
}

// The sum of f(d) over days from .. to.
inline double sumOver(long from, long to, const std::function<double(long)>& f) {
    double sum = 0;
    for (long d = from; d <= to; ++d)
        sum += f(d);
    return sum;
}

// A drawn position in twips against one worked out in the test: float drawing arithmetic stays
// within a fiftieth of a twip, far below a pixel (15 twips).
#define COMPARE_TWIPS(actual, expected)                                                            \
    QVERIFY2(std::fabs(double(actual) - double(expected)) < 0.02,                                  \
             qPrintable(QString::number(actual) + " instead of " + QString::number(expected)))

// Nine recording surfaces sized as the layout places them in a 12000 x 9000 twip control.
struct Surfaces {
    RecordingSurface Picture1{QStringLiteral("Picture1"), 8745, 5475};
    RecordingSurface PriceRuler{QStringLiteral("PriceRuler"), 645, 5475};
    RecordingSurface DateRuler{QStringLiteral("DateRuler"), 8745, 300};
    RecordingSurface Picture2{QStringLiteral("Picture2"), 8745, 1005};
    RecordingSurface Picture3{QStringLiteral("Picture3"), 8745, 1005};
    RecordingSurface Picture4{QStringLiteral("Picture4"), 8745, 1005};
    RecordingSurface TechRuler1{QStringLiteral("TechRuler1"), 645, 1005};
    RecordingSurface TechRuler2{QStringLiteral("TechRuler2"), 645, 1005};
    RecordingSurface TechRuler3{QStringLiteral("TechRuler3"), 645, 1005};

    ChartSurfaces all() {
        return {&Picture1, &PriceRuler, &DateRuler,  &Picture2,  &Picture3,
                &Picture4, &TechRuler1, &TechRuler2, &TechRuler3};
    }
    void clearLogs() {
        for (RecordingSurface* r : {&Picture1, &PriceRuler, &DateRuler, &Picture2, &Picture3,
                                    &Picture4, &TechRuler1, &TechRuler2, &TechRuler3})
            r->calls().clear();
    }
};

// The calls of one kind in a log, or on a surface.
inline std::vector<DrawCall> callsOf(const DrawLog& log, DrawCall::Op op) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : log.calls())
        if (c.op == op) out.push_back(c);
    return out;
}
inline std::vector<DrawCall> callsOf(const RecordingSurface& s, DrawCall::Op op) {
    return callsOf(s.calls(), op);
}

// The texts printed on a surface, in order.
inline QStringList printed(const RecordingSurface& s) {
    QStringList out;
    for (const DrawCall& c : s.calls().calls())
        if (c.op == DrawCall::Op::Print) out << c.text;
    return out;
}

// A core wired to a fresh set of recording surfaces and an in-memory settings store.
struct CoreFixture {
    Surfaces surfaces;
    MemorySettingsStore store;
    OverlaySettings overlays;
    ChartCore core{overlays};
    CoreFixture() {
        core.setSurfaces(surfaces.all());
        core.setSettingsStore(&store);
    }
};

} // namespace tk5::test
