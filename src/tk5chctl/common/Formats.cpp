// SPDX-License-Identifier: BSD-3-Clause
#include "Formats.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace tk5 {

namespace {

QLocale plainLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

// Swaps the "." of a C-formatted number for the locale's decimal separator.
QString localised(const char* cText) {
    QString s = QString::fromLatin1(cText);
    const QString sep = QLocale().decimalPoint();
    if (sep != QLatin1String(".")) s.replace(QLatin1Char('.'), sep);
    return s;
}

QString general(double value, int significant) {
    if (value == 0.0) return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", significant, value);
    QString s = QString::fromLatin1(buf);
    // Upper-case exponent without a padded zero: 1E+07.
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mantissa = s.left(e);
        QString exponent = s.mid(e + 1);
        const QChar sign = exponent.at(0);
        exponent = exponent.mid(1);
        while (exponent.size() > 2 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        s = mantissa + QLatin1Char('E') + sign + exponent;
    }
    return localised(s.toLatin1().constData());
}

// Month names compared without case and without a trailing abbreviation dot ("janv.").
QString monthKey(const QString& name) {
    QString key = name.toLower();
    while (key.endsWith(QLatin1Char('.')))
        key.chop(1);
    return key;
}

// The month (1..12) a name denotes, in English or in the user's locale; 0 for none. The
// names of the current locale are looked up once and kept, so reading many dates stays
// cheap.
int monthFromName(const QString& name) {
    struct Names {
        QString locale;
        QHash<QString, int> months;
    };
    thread_local Names cache;
    const QLocale here;
    if (cache.months.isEmpty() || cache.locale != here.name()) {
        cache.locale = here.name();
        cache.months.clear();
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        // The user's names go in last, so they win where a name means another month in
        // English.
        for (const QLocale& loc : {english, here}) {
            for (int m = 1; m <= 12; ++m) {
                for (const QString& n :
                     {loc.monthName(m, QLocale::ShortFormat), loc.monthName(m, QLocale::LongFormat),
                      loc.standaloneMonthName(m, QLocale::ShortFormat),
                      loc.standaloneMonthName(m, QLocale::LongFormat)}) {
                    const QString key = monthKey(n);
                    if (!key.isEmpty()) cache.months.insert(key, m);
                }
            }
        }
    }
    return cache.months.value(monthKey(name), 0);
}

int fullYear(const QString& token) {
    const int y = token.toInt();
    if (token.size() <= 2) return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

// ASCII digits only: other scripts' digits are not read as numbers here.
bool isDigits(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// Whether the user's locale writes numeric dates day first (31/1/2001) rather than month
// first (1/31/2001).
bool localeIsDayFirst() {
    const QString f = QLocale().dateFormat(QLocale::ShortFormat);
    const qsizetype d = f.indexOf(QLatin1Char('d'));
    const qsizetype m = f.indexOf(QLatin1Char('M'));
    return d >= 0 && m >= 0 && d < m;
}

} // namespace

QString formatFixed(double value, int decimals) {
    return plainLocale().toString(value, 'f', decimals);
}

QString formatNoLeadingZero(double value) {
    QString s = formatFixed(value, 2);
    const QString zeroSep = QStringLiteral("0") + QLocale().decimalPoint();
    if (s.startsWith(zeroSep))
        s.remove(0, 1);
    else if (s.startsWith(QStringLiteral("-") + zeroSep))
        s.remove(1, 1);
    return s;
}

QString formatGeneral(float value) { return general(static_cast<double>(value), 7); }
QString formatGeneral(double value) { return general(value, 15); }

std::optional<QDate> readDate(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[-/., ]+"));
    const QStringList parts = text.trimmed().split(separators, Qt::SkipEmptyParts);
    if (parts.size() != 3) return std::nullopt;
    const QString &a = parts[0], &b = parts[1], &c = parts[2];
    // Day and month numbers have one or two digits; a year has two (or one) or four.
    auto small = [](const QString& t) { return isDigits(t) && t.size() <= 2; };
    auto year = [](const QString& t) {
        return isDigits(t) && (t.size() <= 2 || t.size() == 4) ? fullYear(t) : 0;
    };
    int y = 0, m = 0, d = 0;
    if (isDigits(a) && a.size() == 4 && small(b) && small(c)) { // 2001-01-31
        y = a.toInt();
        m = b.toInt();
        d = c.toInt();
    } else if (small(a) && !isDigits(b) && isDigits(c)) { // 31-Jan-01
        d = a.toInt();
        m = monthFromName(b);
        y = year(c);
    } else if (!isDigits(a) && small(b) && isDigits(c)) { // Jan 31 2001
        m = monthFromName(a);
        d = b.toInt();
        y = year(c);
    } else if (small(a) && small(b) && isDigits(c)) {
        if (localeIsDayFirst()) { // 31/1/2001
            d = a.toInt();
            m = b.toInt();
        } else { // 1/31/2001
            m = a.toInt();
            d = b.toInt();
        }
        y = year(c);
    } else {
        return std::nullopt;
    }
    // Years before 100 are not calendar years a date text can name.
    if (y < 100 || m == 0) return std::nullopt;
    const QDate date(y, m, d);
    if (!date.isValid()) return std::nullopt;
    return date;
}

QString formatDate(const QDate& date, const QString& pattern) {
    if (!date.isValid()) return {};
    const QLocale locale;
    QString out;
    qsizetype i = 0;
    auto run = [&](QChar ch) {
        qsizetype n = 0;
        while (i + n < pattern.size() && pattern.at(i + n).toLower() == ch)
            ++n;
        return n;
    };
    while (i < pattern.size()) {
        const QChar ch = pattern.at(i).toLower();
        if (ch == QLatin1Char('d')) {
            const qsizetype n = run(ch);
            out += n >= 2 ? QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'))
                          : QString::number(date.day());
            i += n;
        } else if (ch == QLatin1Char('m')) {
            const qsizetype n = run(ch);
            if (n >= 4)
                out += locale.monthName(date.month(), QLocale::LongFormat);
            else if (n == 3)
                out += locale.monthName(date.month(), QLocale::ShortFormat);
            else if (n == 2)
                out += QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
            else
                out += QString::number(date.month());
            i += n;
        } else if (ch == QLatin1Char('y')) {
            const qsizetype n = run(ch);
            out += n >= 4 ? QString::number(date.year())
                          : QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
            i += n;
        } else {
            out += pattern.at(i);
            ++i;
        }
    }
    return out;
}

} // namespace tk5
