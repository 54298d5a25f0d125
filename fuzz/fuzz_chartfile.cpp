// SPDX-License-Identifier: BSD-3-Clause
// The chart-file reader on arbitrary bytes, read into a chart unlike a new one, as opening a
// chart over the one shown. Checked for each input:
//  - a refused file throws ChartError (no other failure) naming the file, and the chart is
//    exactly as it was;
//  - a file read whole is applied whole: every item of the file is in the chart, the money-flow
//    periods and the buy and sell entries past the file's stay as they were;
//  - what was read, saved as a chart file and read again, is the same chart file;
//  - a short input made of digits, signs, points, exponent letters and blanks is also read as
//    the value of line 44 (the window's start) of a good file: when the C library's strtod
//    reads it whole as a decimal number, it must be read, rounded half to even, or refused as
//    an overflow when that lies outside -32768..32767; otherwise it must be refused as not a
//    number.

#include "FuzzCheck.h"

#include "chartfile/ChartFile.h"

#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

using namespace tk5;

namespace {

struct Harness {
    QTemporaryDir dir;
    QString input = dir.filePath(QStringLiteral("input.tkc"));
    QString again = dir.filePath(QStringLiteral("again.tkc"));
    Harness() { TK5_FUZZ_CHECK(dir.isValid()); }
};

Harness& harness() {
    static Harness h;
    return h;
}

// A chart whose every kept item differs from a new chart's and from its neighbours.
ChartState shownChart() {
    ChartState st;
    st.ticker_name = QStringLiteral("SHOWN");
    std::int16_t v = 300;
    for (IndicatorSettings& pane : st.pane_settings)
        pane = {++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v, ++v};
    st.starting_date_local = 11;
    st.ending_date_local = 222;
    st.buy_number = 3;
    st.sell_number = 2;
    for (long k = 1; k <= kTransactionCapacity; ++k) {
        st.buy_day[k] = static_cast<std::int16_t>(1000 + k);
        st.sell_day[k] = static_cast<std::int16_t>(2000 + k);
    }
    return st;
}

bool samePane(const IndicatorSettings& a, const IndicatorSettings& b) {
    return a.kind == b.kind && a.rsi_periods == b.rsi_periods && a.fs_periods_k == b.fs_periods_k &&
           a.fs_periods_d == b.fs_periods_d && a.ss_periods_k == b.ss_periods_k &&
           a.ss_periods_d == b.ss_periods_d && a.exp_ma_periods1 == b.exp_ma_periods1 &&
           a.exp_ma_periods2 == b.exp_ma_periods2 && a.macd_periods1 == b.macd_periods1 &&
           a.macd_periods2 == b.macd_periods2 && a.macd_periods3 == b.macd_periods3 &&
           a.momentum_periods == b.momentum_periods &&
           a.volatility_periods1 == b.volatility_periods1 &&
           a.volatility_periods2 == b.volatility_periods2;
}

bool sameChart(const ChartState& a, const ChartState& b) {
    for (size_t p = 0; p < 3; ++p)
        if (!samePane(a.pane_settings[p], b.pane_settings[p]) ||
            a.pane_settings[p].money_flow_periods != b.pane_settings[p].money_flow_periods)
            return false;
    for (long k = 1; k <= kTransactionCapacity; ++k)
        if (a.buy_day[k] != b.buy_day[k] || a.sell_day[k] != b.sell_day[k]) return false;
    return a.ticker_name == b.ticker_name && a.starting_date_local == b.starting_date_local &&
           a.ending_date_local == b.ending_date_local && a.buy_number == b.buy_number &&
           a.sell_number == b.sell_number;
}

// Puts back what a chart file holds, from `from`; the rest of a chart (its 5000-day series) is
// left alone, so that an input costs no copy of it.
void restoreKept(ChartState& to, const ChartState& from) {
    to.ticker_name = from.ticker_name;
    to.pane_settings = from.pane_settings;
    to.starting_date_local = from.starting_date_local;
    to.ending_date_local = from.ending_date_local;
    to.buy_number = from.buy_number;
    to.sell_number = from.sell_number;
    to.buy_day = from.buy_day;
    to.sell_day = from.sell_day;
}

bool sameFile(const ChartFile& a, const ChartFile& b) {
    for (size_t p = 0; p < 3; ++p)
        if (!samePane(a.panes[p], b.panes[p])) return false;
    return a.ticker_name == b.ticker_name && a.starting_date_local == b.starting_date_local &&
           a.ending_date_local == b.ending_date_local && a.buys == b.buys && a.sells == b.sells;
}

// Reads the file at path; on a refusal, the error's kind and the chart untouched.
std::optional<ChartFile> readFile(const QString& path, ChartError::Kind* refusal = nullptr) {
    try {
        return readChartFile(path);
    } catch (const ChartError& e) {
        const std::string start = "The chart cannot be opened from " + path.toStdString() + ": ";
        TK5_FUZZ_CHECK(std::string(e.what()).starts_with(start));
        if (refusal) *refusal = e.kind();
        return std::nullopt;
    }
}

// Opens the input over the shown chart: applied whole or not at all.
void openOverChart(const ChartState& shown) {
    Harness& h = harness();
    static ChartState st, expected;
    restoreKept(st, shown);
    const std::optional<ChartFile> file = readFile(h.input);
    if (!file) {
        TK5_FUZZ_CHECK(sameChart(st, shown));
        return;
    }
    TK5_FUZZ_CHECK(file->buys.size() <= kTransactionCapacity &&
                   file->sells.size() <= kTransactionCapacity);
    applyChartFile(st, *file);
    restoreKept(expected, shown);
    expected.ticker_name = file->ticker_name;
    for (size_t p = 0; p < 3; ++p) {
        const std::int16_t moneyFlow = expected.pane_settings[p].money_flow_periods;
        expected.pane_settings[p] = file->panes[p];
        expected.pane_settings[p].money_flow_periods = moneyFlow;
    }
    expected.starting_date_local = file->starting_date_local;
    expected.ending_date_local = file->ending_date_local;
    expected.buy_number = static_cast<std::int16_t>(file->buys.size());
    expected.sell_number = static_cast<std::int16_t>(file->sells.size());
    for (size_t k = 0; k < file->buys.size(); ++k)
        expected.buy_day[static_cast<long>(k + 1)] = file->buys[k];
    for (size_t k = 0; k < file->sells.size(); ++k)
        expected.sell_day[static_cast<long>(k + 1)] = file->sells[k];
    TK5_FUZZ_CHECK(sameChart(st, expected));

    fuzz::writeFile(h.again, chartFileText(*file));
    const std::optional<ChartFile> again = readFile(h.again);
    TK5_FUZZ_CHECK(again && sameFile(*again, *file));
}

// The text as the value of line 44 of a good file, against the C library's reading of it.
void readAsWindowStart(const QByteArray& text) {
    if (text.size() > 64) return;
    for (const char c : text) // only digits, signs, points, exponents and blanks
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E' ||
              c == ' '))
            return;
    // The whole text without its blanks, as strtod reads it (in the C locale: this program makes
    // no Qt application, which would set the user's).
    std::optional<double> number;
    const std::string trimmed = text.trimmed().toStdString();
    if (!trimmed.empty()) {
        char* end = nullptr;
        const double v = std::strtod(trimmed.c_str(), &end);
        if (end == trimmed.c_str() + trimmed.size()) number = v;
    }

    ChartFile good;
    good.ticker_name = QStringLiteral("T");
    QByteArray file = chartFileText(good);
    const QByteArray start = "Starting date index:" + QByteArray::number(good.starting_date_local);
    file.replace(start, "Starting date index:" + text);
    fuzz::writeFile(harness().input, file);
    ChartError::Kind refusal{};
    const std::optional<ChartFile> got = readFile(harness().input, &refusal);
    if (!number) {
        TK5_FUZZ_CHECK(!got && refusal == ChartError::Kind::TypeMismatch);
        return;
    }
    const double rounded = std::nearbyint(*number);
    if (rounded >= -32768.0 && rounded <= 32767.0)
        TK5_FUZZ_CHECK(got && got->starting_date_local == static_cast<std::int16_t>(rounded));
    else
        TK5_FUZZ_CHECK(!got && refusal == ChartError::Kind::Overflow);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ChartState shown = shownChart();
    const QByteArray bytes = fuzz::bytesOf(data, size);
    fuzz::writeFile(harness().input, bytes);
    openOverChart(shown);
    readAsWindowStart(bytes);
    return 0;
}
