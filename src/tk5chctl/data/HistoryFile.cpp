// SPDX-License-Identifier: BSD-3-Clause
#include "HistoryFile.h"

#include "common/ChartError.h"
#include "common/Formats.h"
#include "common/Numbers.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tk5 {

namespace {

// Reads a file line by line in fixed-size blocks. Each byte is looked at once, so a file
// is read in time proportional to its size however long its lines are. A line ends at LF;
// one CR before the LF (or before the end of the file) is dropped. A UTF-8 byte order mark
// at the very start of the file is not part of the first line. Only the first kMaxLineBytes
// bytes of a line are kept (far more than any row of a history needs); the rest of a longer
// line is read past without being stored, so memory stays small whatever the length of the
// file's lines. A line is given as its bytes (decodeLine makes it a text).
class LineReader {
public:
    explicit LineReader(QFile& file) : file_(file) {}

    // The next line's bytes, valid until the next call; nothing at the end of the file.
    std::optional<QByteArrayView> next() {
        // A line that lies within one block is given where it lies; one that crosses into the
        // next block is gathered in line_.
        line_.clear();
        for (;;) {
            if (pos_ == block_.size()) {
                if (!fill()) break;
            }
            const char* from = block_.constData() + pos_;
            const auto* nl = static_cast<const char*>(
                std::memchr(from, '\n', static_cast<size_t>(block_.size() - pos_)));
            const qsizetype length = nl != nullptr ? nl - from : block_.size() - pos_;
            if (nl != nullptr && line_.isEmpty()) {
                pos_ += length + 1;
                return withoutCR(QByteArrayView(from, std::min(length, kMaxLineBytes)));
            }
            line_.append(from, std::min(length, kMaxLineBytes - line_.size()));
            if (nl == nullptr) {
                pos_ = block_.size();
                continue;
            }
            pos_ += length + 1;
            return withoutCR(line_);
        }
        if (line_.isEmpty()) return std::nullopt; // nothing after the last line end
        return withoutCR(line_);
    }

private:
    bool fill() {
        if (atEnd_) return false;
        // One buffer for every block: reserved once, then only resized within its capacity.
        block_.reserve(kBlockSize);
        block_.resize(kBlockSize);
        block_.resize(std::max(file_.read(block_.data(), kBlockSize), qint64{0}));
        pos_ = 0;
        if (block_.isEmpty()) {
            atEnd_ = true;
            return false;
        }
        if (first_) {
            first_ = false;
            if (block_.startsWith("\xEF\xBB\xBF")) pos_ = 3;
            if (pos_ == block_.size()) return fill();
        }
        return true;
    }

    static QByteArrayView withoutCR(QByteArrayView line) {
        return line.endsWith('\r') ? line.chopped(1) : line;
    }

    static constexpr qint64 kBlockSize = qint64{64} * 1024;
    static constexpr qsizetype kMaxLineBytes = 4096;
    QFile& file_;
    QByteArray block_;
    QByteArray line_;
    qsizetype pos_ = 0;
    bool first_ = true;
    bool atEnd_ = false;
};

// A line as text: UTF-8 when it is valid UTF-8, otherwise byte for byte as Latin-1, so binary
// garbage (NUL bytes included) still gives a text.
QString decodeLine(QByteArrayView line) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(line);
    if (utf8.hasError()) text = QString::fromLatin1(line);
    return text;
}

bool isAscii(QByteArrayView bytes) {
    unsigned char all = 0;
    for (const char c : bytes)
        all |= static_cast<unsigned char>(c);
    return all < 0x80;
}

// The first fields of a line split at commas: at most maxFields, the last keeping the rest
// of the line, commas included.
QStringList splitFields(const QString& line, int maxFields) {
    QStringList fields;
    qsizetype from = 0;
    while (fields.size() < maxFields - 1) {
        const qsizetype comma = line.indexOf(QLatin1Char(','), from);
        if (comma < 0) break;
        fields << line.mid(from, comma - from);
        from = comma + 1;
    }
    fields << line.mid(from);
    return fields;
}

// Whether a ticker can only name a file directly inside the history folder.
bool isSafeTicker(const QString& ticker) {
    if (ticker.isEmpty() || ticker.contains(QLatin1String(".."))) return false;
    for (const QChar c : ticker) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c.unicode() == 0x7f)
            return false;
    }
    return true;
}

// Opens the history file of a ticker for reading; -1 when there is none. The file is opened
// first and what was opened is checked afterwards, so nothing swapped in between slips
// through: a symbolic link is not followed, a pipe or device opens without blocking and is
// refused as not a regular file, and the opened file must lie directly inside the real
// history folder.
int openHistoryFile(const QString& ticker, const QString& histDir) {
    const QString path = historyFilePath(ticker, histDir);
    const QString folder = QFileInfo(histDir).canonicalFilePath();
    if (path.isEmpty() || folder.isEmpty()) return -1;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    const QString real =
        QFileInfo(QStringLiteral("/proc/self/fd/") + QString::number(fd)).symLinkTarget();
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || !real.startsWith(prefix) ||
        real.indexOf(QLatin1Char('/'), prefix.size()) >= 0 || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The values of one day, as a row is read over them.
struct DayValues {
    QString date;
    float high = 0, low = 0, close = 0;
    std::int32_t volume = 0;
};

DayValues dayOf(const PriceSeries& s, long day) {
    return {s.price_date[day], s.price_high[day], s.price_low[day], s.price_close[day],
            s.price_volume[day]};
}

void storeDay(PriceSeries& s, long day, DayValues v) {
    s.price_date.set(day, std::move(v.date));
    s.price_high[day] = v.high;
    s.price_low[day] = v.low;
    s.price_close[day] = v.close;
    s.price_volume[day] = v.volume;
}

// Reads one data row over a day's values. Each column is one step: a field the row does not
// have, or a number that does not fit its column, leaves that column as it was. Answers
// whether the row has both a high and a low field.
bool readRow(DayValues& v, const QString& line, bool longHeader) {
    // Long header: date, high, low, close, volume. Short header: date, open, high, low,
    // close, volume.
    const int fieldCount = longHeader ? 5 : 6;
    const int first = longHeader ? 1 : 2; // field of the high price
    const QStringList fields = splitFields(line, fieldCount);
    auto field = [&](int i) -> const QString& {
        if (i >= fields.size())
            throw ChartError(ChartError::Kind::IndexOutOfRange, "field missing from the row");
        return fields[i];
    };
    skipOnError(
        [&] { v.date = longHeader ? field(0) : convert_trading_date(field(0)).toString(); });
    skipOnError([&] { v.high = toSingle(leadingNumber(field(first))); });
    skipOnError([&] { v.low = toSingle(leadingNumber(field(first + 1))); });
    skipOnError([&] { v.close = toSingle(leadingNumber(field(first + 2))); });
    skipOnError([&] { v.volume = toInt32(leadingNumber(field(first + 3))); });
    return fields.size() > first + 1;
}

// Where the field starting at p ends: at the next comma or at the end of the line.
const char* fieldEnd(const char* p, const char* end) {
    if (p == end) return end; // an empty line may have no bytes to point at
    const auto* comma = static_cast<const char*>(std::memchr(p, ',', static_cast<size_t>(end - p)));
    return comma != nullptr ? comma : end;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the number the field starting at p begins with, as leadingNumber reads it; the last
// field keeps the rest of the line. Answers where the field ends. A field that starts with a
// plain decimal (an optional minus sign, a digit, more digits and at most one point, no more
// than kMaxPlainLength characters) ending the field or followed by a comma is read by
// from_chars straight from the bytes: strtod reads it the same, and it is never too large or
// too small for a double. Any other field is read as text.
const char* readNumberField(const char* p, const char* end, bool last, double& value) {
    constexpr qsizetype kMaxPlainLength = 24;
    if (p < end && (isDigit(*p) || (*p == '-' && end - p > 1 && isDigit(p[1])))) {
        const std::from_chars_result read =
            std::from_chars(p, end, value, std::chars_format::fixed);
        if (read.ec == std::errc() && read.ptr - p <= kMaxPlainLength &&
            (read.ptr == end || *read.ptr == ','))
            return last ? end : read.ptr;
    }
    const char* const e = last ? end : fieldEnd(p, end);
    value = leadingNumber(QString::fromLatin1(p, e - p));
    return e;
}

// readRow for a line of ASCII bytes, which is the same text whether read as UTF-8 or as
// Latin-1: the fields are found in the bytes, and only the date becomes a text.
bool readAsciiRow(DayValues& v, QByteArrayView line, bool longHeader) {
    const int last = longHeader ? 4 : 5; // the volume, which keeps the rest of the line
    const int first = longHeader ? 1 : 2;
    const char* p = line.data();
    const char* const end = p + line.size();
    const char* e = fieldEnd(p, end);
    const QString date = QString::fromLatin1(p, e - p);
    v.date = longHeader ? date : convert_trading_date(date).toString();
    int fields = 1;
    if (!longHeader && e != end) { // the open price, not read
        e = fieldEnd(e + 1, end);
        ++fields;
    }
    std::array<float*, 3> prices{&v.high, &v.low, &v.close};
    for (int i = first; i <= last && e != end; ++i) {
        ++fields;
        double value = 0;
        e = readNumberField(e + 1, end, i == last, value);
        if (i < last)
            skipOnError([&] { *prices[static_cast<size_t>(i - first)] = toSingle(value); });
        else
            skipOnError([&] { v.volume = toInt32(value); });
    }
    return fields > first + 1;
}

} // namespace

QString histDirectory() {
    QString fromEnv = qEnvironmentVariable("TK5CHCTL_HIST_DIR");
    if (!fromEnv.isEmpty()) return fromEnv;
    // The file this function was loaded from: the shared library, or the executable that
    // links the library statically.
    QString binary;
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&histDirectory), &info) != 0 &&
        info.dli_fname != nullptr)
        binary = QString::fromLocal8Bit(info.dli_fname);
    // For the main executable the loader reports argv[0], which need not be a full path.
    if (binary.isEmpty() || QFileInfo(binary).isRelative())
        binary = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    const QFileInfo where(binary);
    const QString folder =
        where.canonicalPath().isEmpty() ? where.absolutePath() : where.canonicalPath();
    return folder + QStringLiteral("/hist");
}

QString historyFilePath(const QString& ticker, const QString& histDir) {
    if (!isSafeTicker(ticker)) return {};
    QString name = ticker;
    name.replace(QLatin1Char(':'), QLatin1Char('_'));
    name = name.toUpper() + QStringLiteral(".csv");
    return QDir(histDir).filePath(name);
}

QString ReadDataFile(ChartState& st, const QString& ticker, bool& b_Today_flag,
                     const QString& histDir, RowReading reading) {
    b_Today_flag = false;
    st.ticker_name = ticker;

    const int fd = openHistoryFile(ticker, histDir);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0) ::close(fd); // QFile did not take it
        // Nothing to read: no day is loaded, the caption is emptied, the company name and
        // the stored values stay as they were.
        st.series.day_count = 0;
        return QString();
    }

    LineReader reader(file);
    // A line that the file does not have reads as empty text.
    auto nextLine = [&reader] { return decodeLine(reader.next().value_or(QByteArrayView())); };

    const QString header = nextLine();
    const bool longHeader = header.size() >= 40;
    QString caption;
    if (longHeader) {
        nextLine();
        const QString nameLine = nextLine();
        // A line of fewer than 4 characters has no name to cut: the company name stays.
        if (nameLine.size() >= 4) st.company_name = nameLine.left(nameLine.size() - 4);
        caption = st.company_name;
        nextLine();
        nextLine();
    }

    PriceSeries& s = st.series;
    long n = 1;      // the day the next accepted row becomes
    QByteArray held; // a short line, kept while the line after it is read
    while (std::optional<QByteArrayView> line = reader.next()) {
        // A line of ASCII bytes has one character per byte.
        bool ascii = isAscii(*line);
        if ((ascii ? line->size() : decodeLine(*line).size()) < 17) {
            // A short line is replaced by the next one, once; at the end of the file the
            // short line itself is parsed.
            held = line->toByteArray();
            line = reader.next();
            if (line)
                ascii = isAscii(*line);
            else
                line = QByteArrayView(held);
        }
        if (n > kSeriesCapacity) continue; // read and ignored
        // A row without a high or a low (a blank last line, say) counts as a zero high or
        // low and is rejected, whatever the day held before. A rejected row changes nothing:
        // its day is the next row's, or beyond day_count, keeping what it held.
        DayValues day = dayOf(s, n);
        const bool hasPrices = reading == RowReading::Fast && ascii
                                   ? readAsciiRow(day, *line, longHeader)
                                   : readRow(day, decodeLine(*line), longHeader);
        if (hasPrices && day.high != 0.0f && day.low != 0.0f) storeDay(s, n++, std::move(day));
    }
    s.day_count = static_cast<std::int16_t>(n - 1);
    return caption;
}

std::int16_t ConvertDateToInteger(const PriceSeries& series, const QString& str_date) {
    const std::optional<QDate> wanted = readDate(str_date);
    const long count = series.day_count;
    if (!wanted || count < 1 || count > kSeriesCapacity) return 0;
    const QDate d = *wanted;

    // A stored date that is not a date takes part in no comparison.
    if (const std::optional<QDate> oldest = series.price_date.date(count); oldest && d < *oldest)
        return static_cast<std::int16_t>(count);
    if (const std::optional<QDate> newest = series.price_date.date(1); newest && d > *newest)
        return 1;

    // Three tries, each a scan from day 1 for d, then d - 1, then d - 2 calendar days. One
    // pass notes the first day matching each of the three dates, taking each stored date
    // once; it stops as soon as d itself is found, since that answers the first try.
    std::array<std::int16_t, 3> firstMatch{0, 0, 0};
    const DayDates::Reader dates = series.price_date.reader();
    for (long day = 1; day <= count; ++day) {
        const std::optional<QDate> date = dates.date(day);
        if (!date) continue;
        const qint64 back = date->daysTo(d);
        if (back < 0 || back > 2 || firstMatch[static_cast<size_t>(back)] != 0) continue;
        firstMatch[static_cast<size_t>(back)] = static_cast<std::int16_t>(day);
        if (back == 0) break;
    }
    for (const std::int16_t day : firstMatch)
        if (day != 0) return day;
    return 0;
}

QVariant convert_trading_date(const QString& input_date) { return input_date; }

} // namespace tk5
