// SPDX-License-Identifier: BSD-3-Clause
#include "HostRules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace tkchart {

std::pair<qint16, qint16> windowInside(qint16 first, qint16 last, qint16 days) {
    if (days < 1 || first <= days) return {first, last};
    const int length = last - first;
    const int newFirst = std::max(1, days - length);
    return {static_cast<qint16>(newFirst), static_cast<qint16>(newFirst + length)};
}

QStringList openableTickers(const QString& folder) {
    QStringList tickers;
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QStringLiteral("*.csv")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& f : files) {
        const QString base = f.fileName().chopped(4);
        if (f.fileName().endsWith(QLatin1String(".csv")) && !base.isEmpty() &&
            base == base.toUpper() && !base.contains(QLatin1String("..")))
            tickers << base;
    }
    return tickers;
}

std::pair<qint16, qint16> windowKept(std::pair<qint16, qint16> asked,
                                     std::pair<qint16, qint16> shown, qint16 days) {
    if (days < 1) return asked; // nothing loaded: nothing the user chose
    const bool onlyLowered =
        shown.first == asked.first && asked.second > days && shown.second == days;
    return onlyLowered ? asked : shown;
}

std::variant<DayRange, DateRefusal> timeRange(const QString& fromText, qint16 fromDay,
                                              const QString& toText, qint16 toDay,
                                              const QString& ticker) {
    struct Field {
        DateRefusal::Field field;
        const char* name;
        QString text;
        qint16 day;
    };
    for (const Field& f : {Field{DateRefusal::Field::From, "From", fromText.trimmed(), fromDay},
                           Field{DateRefusal::Field::To, "To", toText.trimmed(), toDay}}) {
        const QString name = QString::fromLatin1(f.name);
        if (f.text.isEmpty())
            return DateRefusal{f.field, QStringLiteral("Enter a date in the %1 field.").arg(name)};
        if (f.day < 1)
            return DateRefusal{f.field,
                               QStringLiteral("%1: \u201C%2\u201D is not a trading day in %3's "
                                              "history.")
                                   .arg(name, f.text, ticker)};
    }
    return DayRange{std::min(fromDay, toDay), std::max(fromDay, toDay)};
}

std::optional<float> twipsFromText(const QString& text) {
    bool ok = false;
    const float v = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace tkchart
