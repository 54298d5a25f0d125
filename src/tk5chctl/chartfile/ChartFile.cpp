// SPDX-License-Identifier: BSD-3-Clause
#include "ChartFile.h"

#include "common/ChartError.h"
#include "common/DayArray.h"
#include "common/Numbers.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <utility>

#include <unistd.h>

namespace tk5 {

namespace {

using Kind = ChartError::Kind;
using Field = std::int16_t IndicatorSettings::*;

// The 14 lines of a pane block, in file order.
constexpr std::array<std::pair<const char*, Field>, 14> kPaneLines = {{
    {"Status", &IndicatorSettings::kind},
    {"Relative strength periods", &IndicatorSettings::rsi_periods},
    {"Fast stochastic K periods", &IndicatorSettings::fs_periods_k},
    {"Fast stochastic D periods", &IndicatorSettings::fs_periods_d},
    {"Slow stochastic K periods", &IndicatorSettings::ss_periods_k},
    {"Slow stochastic D periods", &IndicatorSettings::ss_periods_d},
    {"Exponential moving average difference first periods", &IndicatorSettings::exp_ma_periods1},
    {"Exponential moving average difference second periods", &IndicatorSettings::exp_ma_periods2},
    {"MACD first periods", &IndicatorSettings::macd_periods1},
    {"MACD second periods", &IndicatorSettings::macd_periods2},
    {"MACD signal periods", &IndicatorSettings::macd_periods3},
    {"Momentum periods", &IndicatorSettings::momentum_periods},
    {"Volatility first periods", &IndicatorSettings::volatility_periods1},
    {"Volatility second periods", &IndicatorSettings::volatility_periods2},
}};
constexpr int kPaneLineCount = static_cast<int>(kPaneLines.size());
constexpr const char* kStartLabel = "Starting date index";
constexpr const char* kEndLabel = "Ending date index";
constexpr int kFixedLines = 1 + 3 * kPaneLineCount + 2; // 45

constexpr qint64 kMaxFileBytes = qint64{1} << 20;
constexpr qsizetype kMaxLineBytes = 4096;
constexpr size_t kMaxTransactions = kTransactionCapacity;

// ---- Reading ----------------------------------------------------------------------------

[[noreturn]] void readFailed(Kind kind, const QString& path, const QString& reason) {
    throw ChartError(kind, QString(QStringLiteral("The chart cannot be opened from ") % path %
                                   QStringLiteral(": ") % reason)
                               .toStdString());
}

// What line n holds, in the user's words: "line 17 (pane 2, Relative strength periods)".
QString lineName(int n) {
    QString line = QStringLiteral("line ") + QString::number(n);
    if (n == 1) return line + QStringLiteral(" (the ticker)");
    if (n <= 1 + 3 * kPaneLineCount) {
        const int pane = (n - 2) / kPaneLineCount + 1;
        const char* label = kPaneLines.at(static_cast<size_t>((n - 2) % kPaneLineCount)).first;
        return line % QStringLiteral(" (pane ") % QString::number(pane) % QStringLiteral(", ") %
               QLatin1String(label) % QLatin1Char(')');
    }
    if (n == kFixedLines - 1)
        return line % QStringLiteral(" (") % QLatin1String(kStartLabel) % QLatin1Char(')');
    if (n == kFixedLines)
        return line % QStringLiteral(" (") % QLatin1String(kEndLabel) % QLatin1Char(')');
    return line;
}

// The bytes of the file at path: a regular file of at most kMaxFileBytes.
QByteArray fileBytes(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty()) readFailed(Kind::File, path, QStringLiteral("no file name was given"));
    if (!info.exists()) readFailed(Kind::File, path, QStringLiteral("there is no such file"));
    if (info.isDir()) readFailed(Kind::File, path, QStringLiteral("it is a folder"));
    if (!info.isFile()) readFailed(Kind::File, path, QStringLiteral("it is not a regular file"));
    const QString tooLarge = QStringLiteral("the file is larger than 1 MB: not a chart file");
    if (info.size() > kMaxFileBytes) readFailed(Kind::File, path, tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) readFailed(Kind::File, path, file.errorString());
    // Bounded even when the file has grown since it was looked at; while it has not, no more
    // memory is taken than the file needs (a read reserves all it may be asked for).
    QByteArray bytes;
    const qint64 block = std::max(info.size(), qint64{4096}) + 1;
    while (bytes.size() <= kMaxFileBytes) {
        const QByteArray more = file.read(std::min(block, kMaxFileBytes + 1 - bytes.size()));
        if (file.error() != QFileDevice::NoError) readFailed(Kind::File, path, file.errorString());
        if (more.isEmpty()) break;
        bytes += more;
    }
    if (bytes.size() > kMaxFileBytes) readFailed(Kind::File, path, tooLarge);
    return bytes;
}

// The lines of the file, each ended by CR LF, LF or CR (the last one may have no end). A line
// longer than kMaxLineBytes or holding a control character other than a tab is refused.
QList<QByteArray> splitLines(const QByteArray& bytes, const QString& path) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    auto endLine = [&](qsizetype end) {
        if (end - start > kMaxLineBytes)
            readFailed(Kind::File, path,
                       lineName(static_cast<int>(lines.size() + 1)) %
                           QStringLiteral(" is longer than 4096 characters: not a chart file"));
        lines.append(bytes.mid(start, end - start));
    };
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\n' || c == '\r') {
            endLine(i);
            if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        } else if ((c < 0x20 && c != '\t') || c == 0x7f) {
            readFailed(Kind::File, path,
                       lineName(static_cast<int>(lines.size() + 1)) %
                           QStringLiteral(" holds the control character 0x") %
                           QString::number(c, 16).rightJustified(2, QLatin1Char('0')) %
                           QStringLiteral(": not a chart file"));
        }
    }
    if (start < size) endLine(size);
    return lines;
}

// A line read as a text field: leading spaces skipped, ending at the first comma.
QString fieldOf(const QByteArray& line) {
    QString field = QString::fromLatin1(line);
    qsizetype from = 0;
    while (from < field.size() && field.at(from) == QLatin1Char(' '))
        ++from;
    const qsizetype comma = field.indexOf(QLatin1Char(','), from);
    return field.mid(from, comma < 0 ? -1 : comma - from);
}

// The value of a field: the text after its first colon (the whole field without one) as a
// 16-bit integer, rounded half to even.
std::int16_t valueOf(const QString& field, int n, const QString& path) {
    const qsizetype colon = field.indexOf(QLatin1Char(':'));
    const QString text = (colon < 0 ? field : field.mid(colon + 1)).trimmed();
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!number.match(text).hasMatch())
        readFailed(Kind::TypeMismatch, path,
                   lineName(n) % QStringLiteral(" holds \"") % text.left(40) %
                       QStringLiteral("\", which is not a number"));
    // Of a number, the conversion refuses only one beyond a double, giving an infinity (an
    // overflow below), and one nearer 0 than the smallest double, which is 0.
    bool ok = false;
    double v = text.toDouble(&ok);
    if (!ok && !std::isinf(v)) v = 0.0;
    const double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        readFailed(Kind::Overflow, path,
                   lineName(n) % QStringLiteral(" holds ") % text.left(40) %
                       QStringLiteral(", outside -32768 to 32767"));
    return static_cast<std::int16_t>(r);
}

// ---- Writing ----------------------------------------------------------------------------

[[noreturn]] void saveFailed(const QString& path, const QString& reason) {
    throw ChartError(Kind::File, QString(QStringLiteral("The chart cannot be saved to ") % path %
                                         QStringLiteral(": ") % reason)
                                     .toStdString());
}

// Entries 1..count of days, leaving out days of 0.
std::vector<std::int16_t> recorded(const DayArray<std::int16_t>& days, std::int16_t count) {
    std::vector<std::int16_t> out;
    for (long k = 1; k <= recordedCount(count); ++k)
        if (days[k] != 0) out.push_back(days[k]);
    return out;
}

} // namespace

ChartFile chartFileOf(const ChartState& st) {
    ChartFile file;
    file.ticker_name = st.ticker_name;
    file.panes = st.pane_settings;
    file.starting_date_local = st.starting_date_local;
    file.ending_date_local = st.ending_date_local;
    file.buys = recorded(st.buy_day, st.buy_number);
    file.sells = recorded(st.sell_day, st.sell_number);
    return file;
}

QByteArray chartFileText(const ChartFile& file) {
    QByteArray out;
    auto line = [&out](const char* label, std::int16_t value) {
        out += QByteArray(label) % ':' % QByteArray::number(value) % "\r\n";
    };
    out += file.ticker_name.toLatin1() % "\r\n";
    for (const IndicatorSettings& pane : file.panes)
        for (const auto& [label, field] : kPaneLines)
            line(label, pane.*field);
    line(kStartLabel, file.starting_date_local);
    line(kEndLabel, file.ending_date_local);
    size_t k = 0;
    for (const std::int16_t day : file.buys)
        out += "Buy #" % QByteArray::number(++k) % ':' % QByteArray::number(day) % "\r\n";
    k = 0;
    for (const std::int16_t day : file.sells)
        out += "Sell #" % QByteArray::number(++k) % ':' % QByteArray::number(day) % "\r\n";
    return out;
}

void SaveChartInFile(const ChartState& st, const QString& path) {
    if (path.isEmpty()) saveFailed(path, QStringLiteral("no file name was given"));
    if (st.ticker_name.contains(QLatin1Char('\n')) || st.ticker_name.contains(QLatin1Char('\r')))
        saveFailed(path, QStringLiteral("the ticker holds a line break"));
    const QByteArray bytes = chartFileText(chartFileOf(st));
    const QFileInfo target(path);
    if (target.isDir()) saveFailed(path, QStringLiteral("it is a folder"));
    // A device, pipe or socket is never replaced by a file.
    if (target.exists() && !target.isFile())
        saveFailed(path, QStringLiteral("it is not a regular file"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) saveFailed(path, file.errorString());
    // The text is flushed and synced here, each step checked: commit() alone would rename a
    // file whose buffered tail could not be written (a full disk) over the old one.
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written || ::fsync(file.handle()) != 0) {
        const QString reason = written ? qt_error_string(errno) : file.errorString();
        file.cancelWriting();
        saveFailed(path, reason);
    }
    if (!file.commit()) saveFailed(path, file.errorString());
}

ChartFile readChartFile(const QString& path) {
    const QList<QByteArray> lines = splitLines(fileBytes(path), path);
    if (lines.size() < kFixedLines)
        readFailed(Kind::File, path,
                   QStringLiteral("the file ends before ") %
                       lineName(static_cast<int>(lines.size() + 1)));

    ChartFile file;
    int n = 1;
    file.ticker_name = fieldOf(lines[0]);
    auto next = [&] {
        ++n;
        return valueOf(fieldOf(lines[n - 1]), n, path);
    };
    for (IndicatorSettings& pane : file.panes)
        for (const auto& entry : kPaneLines)
            pane.*entry.second = next();
    file.starting_date_local = next();
    file.ending_date_local = next();

    while (n < lines.size()) {
        ++n;
        const QString field = fieldOf(lines[n - 1]);
        if (field.size() < 2) continue;
        const bool buy = field.contains(QLatin1String("Buy"));
        if (!buy && !field.contains(QLatin1String("Sell"))) continue;
        std::vector<std::int16_t>& list = buy ? file.buys : file.sells;
        if (list.size() == kMaxTransactions)
            readFailed(Kind::IndexOutOfRange, path,
                       QStringLiteral("line ") % QString::number(n) % QStringLiteral(" is one ") %
                           (buy ? QStringLiteral("buy") : QStringLiteral("sell")) %
                           QStringLiteral(" more than the 250 a chart keeps"));
        list.push_back(valueOf(field, n, path));
    }
    return file;
}

void applyChartFile(ChartState& st, const ChartFile& file) {
    if (file.buys.size() > kMaxTransactions || file.sells.size() > kMaxTransactions)
        throw ChartError(Kind::IndexOutOfRange,
                         "a chart keeps at most 250 buys and 250 sells: the chart is unchanged");
    st.ticker_name = file.ticker_name;
    for (size_t p = 0; p < file.panes.size(); ++p)
        for (const auto& entry : kPaneLines)
            st.pane_settings.at(p).*entry.second = file.panes.at(p).*entry.second;
    st.starting_date_local = file.starting_date_local;
    st.ending_date_local = file.ending_date_local;
    st.buy_number = static_cast<std::int16_t>(file.buys.size());
    st.sell_number = static_cast<std::int16_t>(file.sells.size());
    for (size_t k = 0; k < file.buys.size(); ++k)
        st.buy_day[static_cast<long>(k + 1)] = file.buys[k];
    for (size_t k = 0; k < file.sells.size(); ++k)
        st.sell_day[static_cast<long>(k + 1)] = file.sells[k];
}

} // namespace tk5
