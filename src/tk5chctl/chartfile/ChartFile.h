// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace tk5 {

// A chart file keeps one chart: the ticker, each pane's indicator and periods, the window and
// the recorded buys and sells. It is plain Latin-1 text, one item per line, every line ended
// by CR LF:
//
//   line 1        the ticker, as it is
//   lines 2-15    pane 1: "Status:" kind, then its 13 periods, each as "<label>:<value>"
//   lines 16-29   pane 2, the same 14 lines
//   lines 30-43   pane 3, the same 14 lines
//   line 44       "Starting date index:" newest day of the window
//   line 45       "Ending date index:" oldest day of the window
//   then          "Buy #1:" day, "Buy #2:" day ... and "Sell #1:" day ...
//
// Numbers are 16-bit signed decimals ("-5", "150"). A chart without buys or sells is 45 lines.

// What a chart file holds.
struct ChartFile {
    QString ticker_name;
    std::array<IndicatorSettings, 3> panes{}; // money_flow_periods is not in the file
    std::int16_t starting_date_local = 1;
    std::int16_t ending_date_local = 200;
    std::vector<std::int16_t> buys;  // buy days in order
    std::vector<std::int16_t> sells; // sell days in order
};

// The file's content for the state: buys 1..buy_number and sells 1..sell_number of the state,
// leaving out entries whose day is 0. A count below 0 writes none; a count above 250 writes 250.
ChartFile chartFileOf(const ChartState& st);

// The exact bytes written (Latin-1, every line ended by CR LF). A ticker character outside
// Latin-1 is written as "?".
QByteArray chartFileText(const ChartFile& file);

// Writes the state's chart file at path. The text is written whole to a temporary file beside
// it and renamed over the old one, so a failure never leaves a truncated file and an old file
// stays byte for byte. Throws ChartError (File) naming the path and the reason when the file
// cannot be created, written, flushed or renamed, when the path is a folder or another thing
// than a regular file (a device such as /dev/full, a pipe), or when the ticker holds a line
// break (the file could not be read back).
void SaveChartInFile(const ChartState& st, const QString& path);

// Reads and checks the whole file at path. Each line is read as a text field: leading spaces
// are skipped and the field ends at the first comma or at the end of the line. Lines end at
// CR LF, at LF alone or at CR alone. Line 1 is the ticker; lines 2..45 are taken by their
// position (labels are not compared), each value being the text after the line's first colon
// (the whole field when there is none), blanks around it allowed, rounded half to even to a
// 16-bit integer. Values are not range checked: a window of -5 or a period of 0 is read as it
// is; a number may have a fraction and an exponent ("1.25e2"), "." being the decimal point.
// After line 45 a line holding "Buy" adds a buy and one holding "Sell" adds a sell, in order
// and with their numbering not used; the words are matched as written, capitalised ("buy" and
// "SELL" lines are skipped like any other line, as are lines shorter than 2 characters). A
// ticker with a comma, or leading spaces, therefore reads back shorter.
//
// Throws ChartError naming the path and the line: File for a file that cannot be read (missing,
// a folder, not a regular file, unreadable, larger than 1 MB, a line longer than 4096
// characters, a control character such as a NUL byte, or ending before line 45), TypeMismatch
// for a value that is not a number, Overflow for one outside -32768..32767, IndexOutOfRange
// for more than 250 buys or 250 sells. Nothing is returned unless the whole file is good.
ChartFile readChartFile(const QString& path);

// Applies a file read whole: ticker_name, each pane's kind and 13 periods (money_flow_periods
// kept), the window, buy_number and sell_number and buy_day/sell_day[1..n] (later entries are
// left as they were). A file with more than 250 buys or sells throws ChartError
// (IndexOutOfRange) and changes nothing.
void applyChartFile(ChartState& st, const ChartFile& file);

} // namespace tk5
