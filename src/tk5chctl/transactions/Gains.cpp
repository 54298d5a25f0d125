// SPDX-License-Identifier: BSD-3-Clause
#include "Gains.h"

#include "common/Formats.h"

#include <optional>

namespace tk5 {

namespace {

// The prices of pair k (rows 2k-1 and 2k): bought, sold. None when a row is missing or its
// price is no number, or the buy price is 0.
std::optional<std::pair<double, double>> pairPrices(const TransactionList& list, long k) {
    const size_t buyRow = static_cast<size_t>(2 * k - 2);
    if (buyRow + 1 >= list.rows.size()) return std::nullopt;
    const std::optional<double> b = textToNumber(list.rows[buyRow].price);
    const std::optional<double> s = textToNumber(list.rows[buyRow + 1].price);
    if (!b || !s || *b == 0.0) return std::nullopt;
    return std::make_pair(*b, *s);
}

QString gainCaption(const QString& words, const ChartState& st, float percent) {
    if (st.sell_number < 0) return words + QStringLiteral(": ");
    return words + QStringLiteral(": ") + formatFixed(percent, 1) + QStringLiteral(" %");
}

} // namespace

void CalculateSumGain(const ChartState& st, TransactionList& list) {
    float sum = 0;
    for (long k = 1; k <= st.sell_number; ++k)
        if (const auto p = pairPrices(list, k)) {
            const auto g = static_cast<float>(p->second / p->first - 1.0);
            sum = g * 100.0f + sum;
        }
    list.sumGain = gainCaption(kSumGainStart, st, sum);
}

void CalculateCumGain(const ChartState& st, TransactionList& list) {
    float product = 1;
    for (long k = 1; k <= st.sell_number; ++k)
        if (const auto p = pairPrices(list, k)) product *= static_cast<float>(p->second / p->first);
    list.cumGain = gainCaption(kCumGainStart, st, (product - 1.0f) * 100.0f);
}

QString PrintTransactionsReport(const ChartState& st, const TransactionList& list) {
    const QChar lf(u'\n');
    const QChar tab(u'\t');
    QString out = st.company_name + lf;
    for (const TransactionRow& r : list.rows) {
        out += (r.kind == QLatin1String("B") ? QStringLiteral("Bought on:   ")
                                             : QStringLiteral("Sold on:     ")) +
               r.date + tab + tab + QStringLiteral(" at: $") + r.price;
        if (!r.gain.isEmpty()) out += tab + QStringLiteral(" Gain:") + r.gain + QLatin1Char('%');
        out += lf;
    }
    out += lf + list.sumGain + lf + list.cumGain + lf;
    return out;
}

bool isDeletable(const TransactionList& list, int row) {
    return row >= 0 && static_cast<size_t>(row) + 1 == list.rows.size();
}

namespace {

bool lastRowIs(const TransactionList& list, const char* kind) {
    return !list.rows.empty() && list.rows.back().kind == QLatin1String(kind);
}

// One record fewer; a count is never taken below 0.
void dropOne(std::int16_t& count) {
    if (count > 0) --count;
}

} // namespace

int deleteLastTransaction(ChartState& st, TransactionList& list, int row) {
    int changes = 0;
    if (isDeletable(list, row) && lastRowIs(list, "S")) {
        list.rows.pop_back();
        // The buy it closes; a second sell after one buy closes none of its own.
        if (lastRowIs(list, "B")) {
            list.rows.pop_back();
            dropOne(st.buy_number);
        }
        dropOne(st.sell_number);
        ++changes;
        row = static_cast<int>(list.rows.size()) - 1;
    }
    if (isDeletable(list, row) && lastRowIs(list, "B")) {
        list.rows.pop_back();
        dropOne(st.buy_number);
        ++changes;
    }
    return changes;
}

} // namespace tk5
