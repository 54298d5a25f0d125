// SPDX-License-Identifier: BSD-3-Clause
// Date reading on arbitrary text. The first byte picks the user's locale by its value modulo 4
// (the seed corpus uses the digits 0 to 3): month-first en_US, day-first en_GB, de_DE and
// fr_FR with their own month names. The rest is the text, as UTF-8.
// Checked for each input:
//  - a date read is a valid calendar date in years 100..9999;
//  - it reads back the same from each documented form: 2001-01-31, 31-Jan-2001 (the locale's
//    month name), the locale's numeric form (1/31/2001 or 31/1/2001), and 31-Jan-01 when its
//    year lies in 1930..2029; blanks around the text change nothing;
//  - on a week of trading days, the day index of the text is 0 when it is no date, 1 after
//    the newest day, the oldest day before the oldest, and otherwise a trading day on the date
//    or one of the two calendar days before it.

#include "FuzzCheck.h"

#include "common/Formats.h"
#include "data/HistoryFile.h"

#include <QLocale>

#include <array>
#include <optional>

using namespace tk5;

namespace {

struct Locale {
    QLocale locale;
    bool dayFirst;
};

const std::array<Locale, 4>& locales() {
    static const std::array<Locale, 4> all{{
        {QLocale(QLocale::English, QLocale::UnitedStates), false},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), true},
        {QLocale(QLocale::German, QLocale::Germany), true},
        {QLocale(QLocale::French, QLocale::France), true},
    }};
    return all;
}

QString padded(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool readsAs(const QString& text, const QDate& date) {
    const std::optional<QDate> read = readDate(text);
    return read && *read == date;
}

// Trading days, newest first: Tue 13, Fri 9, Thu 8, Wed 7, Tue 6, Mon 5, Fri 2 January 2015;
// Monday 12 January is a holiday.
const PriceSeries& week() {
    static const PriceSeries series = [] {
        PriceSeries s;
        const std::array<int, 7> days{13, 9, 8, 7, 6, 5, 2};
        for (size_t i = 0; i < days.size(); ++i)
            s.price_date.set(static_cast<long>(i + 1),
                             QDate(2015, 1, days[i]).toString(QStringLiteral("dd-MMM-yy")));
        s.day_count = static_cast<std::int16_t>(days.size());
        return s;
    }();
    return series;
}

void checkDayIndex(const QString& text, const std::optional<QDate>& date) {
    const PriceSeries& s = week();
    const std::int16_t day = ConvertDateToInteger(s, text);
    TK5_FUZZ_CHECK(day >= 0 && day <= s.day_count);
    if (!date) {
        TK5_FUZZ_CHECK(day == 0);
        return;
    }
    const QDate newest(2015, 1, 13), oldest(2015, 1, 2);
    if (*date > newest) {
        TK5_FUZZ_CHECK(day == 1);
    } else if (*date < oldest) {
        TK5_FUZZ_CHECK(day == s.day_count);
    } else if (day != 0) {
        const std::optional<QDate> trading = readDate(s.price_date[day]);
        TK5_FUZZ_CHECK(trading && trading->daysTo(*date) >= 0 && trading->daysTo(*date) <= 2);
    } else {
        // No trading day on the date or the two days before it.
        for (long d = 1; d <= s.day_count; ++d) {
            const qint64 back = readDate(s.price_date[d])->daysTo(*date);
            TK5_FUZZ_CHECK(back < 0 || back > 2);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Locale& here = locales()[data[0] % locales().size()];
    QLocale::setDefault(here.locale);
    const QString text = QString::fromUtf8(fuzz::bytesOf(data + 1, size - 1));

    const std::optional<QDate> date = readDate(text);
    TK5_FUZZ_CHECK(readDate(QStringLiteral(" \t") + text + QStringLiteral("  ")) == date);
    checkDayIndex(text, date);
    if (!date) return 0;
    TK5_FUZZ_CHECK(date->isValid() && date->year() >= 100 && date->year() <= 9999);

    const int y = date->year(), m = date->month(), d = date->day();
    const QString year = padded(y, 4);
    TK5_FUZZ_CHECK(readsAs(year + '-' + padded(m, 2) + '-' + padded(d, 2), *date));
    TK5_FUZZ_CHECK(readsAs(formatDate(*date, QStringLiteral("dd-mmm-")) + year, *date));
    const QString numeric = here.dayFirst ? QString::number(d) + '/' + QString::number(m)
                                          : QString::number(m) + '/' + QString::number(d);
    TK5_FUZZ_CHECK(readsAs(numeric + '/' + year, *date));
    if (y >= 1930 && y <= 2029)
        TK5_FUZZ_CHECK(readsAs(formatDate(*date, QStringLiteral("dd-mmm-yy")), *date));
    return 0;
}
