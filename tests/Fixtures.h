#pragma once

// Shared test fixtures: series built in code, a full set of recording surfaces, the sample
// histories, and a locale fixed to English so texts compare exactly.

#include "core/ChartCore.h"
#include "model/ChartState.h"
#include "surface/ImageSurface.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>

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
        s.price_date[day] = d.toString(QStringLiteral("yyyy-MM-dd"));
        s.price_high[day] = days[i].high;
        s.price_low[day] = days[i].low;
        s.price_close[day] = days[i].close;
        s.price_volume[day] = days[i].volume;
        do {
            d = d.addDays(-1);
        } while (d.dayOfWeek() > 5);
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
        ChartSurfaces s;
        s.Picture1 = &Picture1;
        s.PriceRuler = &PriceRuler;
        s.DateRuler = &DateRuler;
        s.Picture2 = &Picture2;
        s.Picture3 = &Picture3;
        s.Picture4 = &Picture4;
        s.TechRuler1 = &TechRuler1;
        s.TechRuler2 = &TechRuler2;
        s.TechRuler3 = &TechRuler3;
        return s;
    }
    void clearLogs() {
        for (RecordingSurface* r : {&Picture1, &PriceRuler, &DateRuler, &Picture2, &Picture3,
                                    &Picture4, &TechRuler1, &TechRuler2, &TechRuler3})
            r->calls().clear();
    }
};

// The calls of one kind on a surface.
inline std::vector<DrawCall> callsOf(const RecordingSurface& s, DrawCall::Op op) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : s.calls().calls())
        if (c.op == op) out.push_back(c);
    return out;
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
