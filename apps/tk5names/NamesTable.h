// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// The company names tk5names answers with: a table read from a CSV file of `TICKER,Name`
// lines, looked up by ticker without regard to case.

#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>

namespace tk5names {

class NamesTable {
public:
    // What loading a file gave: the table, or why there is none.
    struct Loaded;

    // Reads a table file. One record per line (LF or CR LF); the first field is the ticker,
    // the second the name, each trimmed of surrounding blanks; a field in double quotes may
    // hold commas, and "" in it stands for one quote; further fields are ignored. Empty
    // lines, lines starting with #, lines without a comma and lines whose ticker or name is
    // empty are skipped. A ticker given twice keeps its last name. The file is read as UTF-8
    // (a byte order mark is allowed), or as Latin-1 when it is not valid UTF-8.
    static Loaded load(const QString& path);

    // The name of a ticker, matched without regard to case; empty for an unknown ticker.
    QString name(QStringView ticker) const;
    qsizetype size() const { return names_.size(); }

    // Adds one line of a table file; false when it is skipped.
    bool addLine(QStringView line);

private:
    QHash<QString, QString> names_; // by upper-cased ticker
};

struct NamesTable::Loaded {
    std::optional<NamesTable> table; // none when the file cannot be read
    QString error;                   // why not, naming the file
    qsizetype skippedLines = 0;      // lines that held no record, beside empty ones and comments
};

} // namespace tk5names
