// SPDX-License-Identifier: BSD-3-Clause
#include "NamesTable.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <utility>

namespace tk5names {

namespace {

// One field of a line from `pos` on; `pos` ends on the comma after it, or past the end.
QString nextField(QStringView line, qsizetype& pos) {
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    if (pos < line.size() && line[pos] == u'"') {
        QString text;
        for (++pos;;) {
            const qsizetype quote = line.indexOf(u'"', pos);
            if (quote < 0) { // no closing quote: the field runs to the end of the line
                text += line.sliced(pos);
                pos = line.size();
                return text;
            }
            text += line.sliced(pos, quote - pos);
            pos = quote + 1;
            if (pos < line.size() && line[pos] == u'"') {
                text += u'"';
                ++pos;
            } else {
                break;
            }
        }
        // Anything after the closing quote up to the comma is ignored.
        const qsizetype comma = line.indexOf(u',', pos);
        pos = comma < 0 ? line.size() : comma;
        return text;
    }
    const qsizetype comma = line.indexOf(u',', pos);
    const qsizetype end = comma < 0 ? line.size() : comma;
    QString text = line.sliced(pos, end - pos).trimmed().toString();
    pos = end;
    return text;
}

} // namespace

bool NamesTable::addLine(QStringView line) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) return false;
    qsizetype pos = 0;
    QString ticker = nextField(line, pos);
    if (pos >= line.size()) return false; // no comma after the ticker
    ++pos;
    QString name = nextField(line, pos);
    if (ticker.isEmpty() || name.isEmpty()) return false;
    names_.emplace(std::move(ticker).toUpper(), std::move(name)); // replaces an earlier name
    return true;
}

QString NamesTable::name(QStringView ticker) const {
    return names_.value(ticker.toString().toUpper());
}

NamesTable::Loaded NamesTable::load(const QString& path) {
    Loaded loaded;
    const QFileInfo info(path);
    QFile file(path);
    if (!info.exists()) {
        loaded.error = QStringLiteral("the names table %1 does not exist").arg(path);
        return loaded;
    }
    if (!info.isFile()) {
        loaded.error = QStringLiteral("the names table %1 is not a file").arg(path);
        return loaded;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.error =
            QStringLiteral("cannot read the names table %1: %2").arg(path, file.errorString());
        return loaded;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loaded.error =
            QStringLiteral("cannot read the names table %1: %2").arg(path, file.errorString());
        return loaded;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);

    NamesTable table;
    table.names_.reserve(bytes.count('\n') + 1);
    const QStringView all(text);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf(u'\n', start);
        if (end < 0) end = all.size();
        const QStringView line = all.sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        if (!table.addLine(line)) ++loaded.skippedLines;
    }
    loaded.table = std::move(table);
    return loaded;
}

} // namespace tk5names
