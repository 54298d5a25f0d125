// SPDX-License-Identifier: BSD-3-Clause
#include "Numbers.h"

#include "DayArray.h"

#include <QLocale>
#include <QString>

#include <cstdlib>
#include <string>

#include <locale.h>

namespace tk5 {

std::string outsideMessage(long index, int capacity) {
    const std::string day = "day " + std::to_string(index);
    if (index < 1) return day + " is not a day of the chart: days are counted from 1, the newest";
    switch (capacity) {
    case kSeriesCapacity:
        return day + " is beyond the 5000 days a history holds";
    case kBufferCapacity:
        return day + " is beyond the 3000 days an average or indicator is worked out over";
    case kTransactionCapacity:
        return "entry " + std::to_string(index) + " is beyond the 250 buys or sells a chart keeps";
    default:
        return day + " is outside days 1 to " + std::to_string(capacity);
    }
}

double leadingNumber(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    std::string prefix;
    if (p < end && (*p == '+' || *p == '-')) prefix += *p++;
    int digits = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        prefix += *p++;
        ++digits;
    }
    if (p < end && *p == '.') {
        prefix += *p++;
        while (p < end && *p >= '0' && *p <= '9') {
            prefix += *p++;
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        std::string exponent(1, 'e');
        const char* q = p + 1;
        if (q < end && (*q == '+' || *q == '-')) exponent += *q++;
        bool any = false;
        while (q < end && *q >= '0' && *q <= '9') {
            exponent += *q++;
            any = true;
        }
        if (any) prefix += exponent;
    }
    // strtod reads the decimal point of the process's locale, which a Qt application sets to
    // the user's: under a comma locale "45.45" would read as 45. It reads here in the C locale.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const locale_t previous = uselocale(cLocale);
    const double value = std::strtod(prefix.c_str(), nullptr);
    uselocale(previous);
    return value;
}

namespace {

// The text with every digit the locale reads made a zero: a number keeps its form and becomes
// 0, which no double is too small for; anything else stays what it was.
QString zeroed(const QString& text, const QLocale& locale) {
    const QString zero = locale.zeroDigit();
    const char16_t native = zero.size() == 1 ? zero.front().unicode() : u'0';
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QLatin1Char('0');
        else if (c.unicode() >= native && c.unicode() <= native + 9)
            c = QChar(native);
    }
    return out;
}

} // namespace

std::optional<double> textToNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(t, &ok);
    if (ok && std::isfinite(v)) return v;
    // The locale refuses a number nearer 0 than the smallest double ("1e-400") as it refuses a
    // text that is no number; such a number reads as 0.
    if (v == 0.0) {
        locale.toDouble(zeroed(t, locale), &ok);
        if (ok) return 0.0;
    }
    return std::nullopt;
}

} // namespace tk5
