// SPDX-License-Identifier: BSD-3-Clause
#include "Numbers.h"

#include "DayArray.h"

#include <QLocale>
#include <QString>

#include <cstdlib>
#include <string>

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
    return std::strtod(prefix.c_str(), nullptr);
}

std::optional<double> textToNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace tk5
