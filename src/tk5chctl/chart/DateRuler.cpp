// SPDX-License-Identifier: BSD-3-Clause
#include "DateRuler.h"

#include "Geometry.h"

#include "common/Formats.h"
#include "common/Numbers.h"

#include <QDate>

#include <optional>

namespace tk5 {

namespace {

// One call's drawing on the ruler and the chart; every statement that can fail is run
// through skipOnError by the caller.
class DateRulerPainter {
public:
    DateRulerPainter(const ChartState& st, const ChartSurfaces& sf)
        : st_(st), ruler_(*sf.DateRuler), chart_(*sf.Picture1) {}

    void shortTick(float x) {
        skipOnError([&] { ruler_.Line(x, 0, x, 100); });
    }
    void longTick(float x) {
        skipOnError([&] { ruler_.Line(x, 0, x, 150); });
    }
    void tickExtension(float x) {
        skipOnError([&] { ruler_.Line(x, 100, x, 130); });
    }

    void gridLine(float x) {
        if (isSet(st_.show_vertical_grid)) drawGridLine(chart_, x, 0, x, chart_.Height());
    }

    // Prints the text that makeText gives, starting `offset` twips left of where the last
    // tick left the print position. A text that cannot be made prints nothing.
    template <typename MakeText> void label(float offset, MakeText&& makeText) {
        skipOnError([&] {
            const QString text = makeText();
            ruler_.CurrentX = toSingle(static_cast<double>(ruler_.CurrentX) - offset);
            ruler_.Print(text);
        });
    }

private:
    const ChartState& st_;
    DrawingSurface& ruler_;
    DrawingSurface& chart_;
};

// The calendar date of a day; none for an index outside the series or a text that is not a
// date.
std::optional<QDate> dateOfDay(const PriceSeries& series, const DayDates::Reader& dates, long day) {
    if (!series.price_date.contains(day)) return std::nullopt;
    return dates.date(day);
}

} // namespace

QString monthInitial(int m) {
    static const char* const kInitials[12] = {"J", "F", "M", "A", "M", "J",
                                              "J", "A", "S", "O", "N", "D"};
    if (m < 1 || m > 12) throw ChartError(ChartError::Kind::IndexOutOfRange, "no such month");
    return QString::fromLatin1(kInitials[m - 1]);
}

void DrawDateRuler(const ChartState& st, const ChartSurfaces& sf, std::int16_t s, std::int16_t e) {
    constexpr float px = DrawingSurface::TwipsPerPixelX;
    DrawingSurface& ruler = *sf.DateRuler;
    DateRulerPainter paint(st, sf);

    std::int16_t n = 0;
    float step = 0;
    skipOnError([&] { n = add16(add16(e, -static_cast<long>(s)), 1); });
    const double W = ruler.Width();
    skipOnError([&] { step = toSingle(divide(W, n + 1.0)); });
    const DayAxis axis = DayAxis::withSlotWidth(W, s, step);

    std::int16_t prev = 0; // day of the month of the day handled before
    std::int16_t d = 0;    // the current day's day of the month and month; a date that does
    std::int16_t m = 0;    // not convert keeps those of the day before
    const DayDates::Reader dates = st.series.price_date.reader();
    for (long i = e; i >= s; --i) {
        // Days without a position or a date are told up front rather than by a failing step.
        float x = 0;
        if (axis.reaches(i)) skipOnError([&] { x = axis.x(i); });

        if (n <= 8) {
            paint.shortTick(x);
            paint.gridLine(x);
            if (st.series.price_date.contains(i))
                paint.label(20 * px, [&] { return st.series.price_date[i]; });
            continue;
        }

        const std::optional<QDate> date = dateOfDay(st.series, dates, i);
        if (date) {
            int year = 0, month = 0, day = 0;
            date->getDate(&year, &month, &day); // one calendar conversion for both
            d = static_cast<std::int16_t>(day);
            m = static_cast<std::int16_t>(month);
        }
        auto formatted = [&](const QString& pattern) {
            return [&date, pattern] {
                if (!date) throw ChartError(ChartError::Kind::TypeMismatch, "not a date");
                return formatDate(*date, pattern);
            };
        };
        auto initialAndYear = [&]() -> QString {
            if (!date) throw ChartError(ChartError::Kind::TypeMismatch, "not a date");
            return monthInitial(m) + QLatin1Char(',') + formatDate(*date, QStringLiteral("yy"));
        };
        // The day of the month fell against the day before: the first trading day of a
        // month. The first day of the window never is one (prev is 0).
        const bool newMonth = d < prev;

        if (n <= 29) {
            paint.shortTick(x);
            paint.gridLine(x);
            if (d > prev)
                paint.label(7 * px, formatted(QStringLiteral("d")));
            else
                paint.label(10 * px, formatted(QStringLiteral("mmm")));
        } else if (n <= 299) {
            paint.shortTick(x);
            if (newMonth) {
                if (m == 1 || m == 7)
                    paint.label(150, formatted(QStringLiteral("mmm,yy")));
                else
                    paint.label(8 * px, formatted(QStringLiteral("mmm")));
                paint.longTick(x);
                paint.gridLine(x);
            }
        } else if (n <= 499) {
            if (newMonth) {
                paint.shortTick(x);
                if (m == 1) {
                    paint.label(120, initialAndYear);
                    paint.gridLine(x);
                } else if (m == 4 || m == 7 || m == 10) {
                    paint.gridLine(x);
                    paint.label(120, formatted(QStringLiteral("mmm")));
                } else {
                    paint.label(120, formatted(QStringLiteral("mmm")));
                }
            }
        } else {
            if (newMonth) {
                paint.shortTick(x);
                if (m == 1) {
                    paint.label(120, initialAndYear);
                    paint.gridLine(x);
                    paint.tickExtension(x);
                } else if (m == 4 || m == 7 || m == 10) {
                    paint.gridLine(x);
                    paint.label(1 * px, [&] { return monthInitial(m); });
                    paint.tickExtension(x);
                }
            }
        }
        prev = d;
    }
}

} // namespace tk5
