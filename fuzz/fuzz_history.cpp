// SPDX-License-Identifier: BSD-3-Clause
// The history-file reader on arbitrary bytes, in either layout (the input's own first line
// decides). Every input is loaded over a chart that already holds a 5000-day sample, as a
// control that showed a long history and then opens a shorter one. Checked after each load:
//  - the load answers, clears the "today" flag and names the ticker;
//  - day_count lies within 0..5000 and is no more than the input's lines;
//  - every loaded day has a non-zero high and low, and no price is infinite or not a number;
//  - every day beyond day_count holds exactly what the sample left there;
//  - the caption is the company name, or empty with the sample's company name kept;
//  - the general row reading loads exactly the same chart as the fast one, bit for bit.
// Time and memory per input are bounded by the run's -timeout and -rss_limit_mb.

#include "FuzzCheck.h"

#include "data/HistoryFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <type_traits>

using namespace tk5;

namespace {

const QString kTicker = QStringLiteral("fuzz");

// A long-header history of 5000 days, every value its own.
QByteArray sampleHistory() {
    QByteArray out = QByteArray(40, '=') + "\nExchange: sample\nSample Holdings Inc USD\n" +
                     "Date,High,Low,Close,Volume\n----------\n";
    for (int d = 1; d <= kSeriesCapacity; ++d)
        out += "sample-day-" + QByteArray::number(d) + ',' + QByteArray::number(d + 0.75) + ',' +
               QByteArray::number(d + 0.25) + ',' + QByteArray::number(d + 0.5) + ',' +
               QByteArray::number(d * 7) + '\n';
    return out;
}

struct Harness {
    QTemporaryDir dir;
    QString hist = dir.filePath(QStringLiteral("hist"));
    QString input = hist + QStringLiteral("/FUZZ.csv");
    ChartState sample; // a chart after loading the sample

    Harness() {
        TK5_FUZZ_CHECK(dir.isValid() && QDir().mkpath(hist));
        fuzz::writeFile(hist + QStringLiteral("/SAMPLE.csv"), sampleHistory());
        bool today = true;
        ReadDataFile(sample, QStringLiteral("sample"), today, hist);
        TK5_FUZZ_CHECK(sample.series.day_count == kSeriesCapacity);
        TK5_FUZZ_CHECK(sample.company_name == QStringLiteral("Sample Holdings Inc"));
    }
};

Harness& harness() {
    static Harness h;
    return h;
}

// Whether days from..to of two columns hold the same bits (one comparison for the whole
// range: this runs for every input).
template <typename T>
bool sameDays(const DayArray<T>& a, const DayArray<T>& b, long from, long to) {
    static_assert(std::is_trivially_copyable_v<T>);
    if (from > to) return true;
    return std::memcmp(&a[from], &b[from], sizeof(T) * size_t(to - from + 1)) == 0;
}

bool sameDays(const PriceSeries& a, const PriceSeries& b, long from, long to) {
    for (long d = from; d <= to; ++d)
        if (a.price_date[d] != b.price_date[d]) return false;
    return sameDays(a.price_high, b.price_high, from, to) &&
           sameDays(a.price_low, b.price_low, from, to) &&
           sameDays(a.price_close, b.price_close, from, to) &&
           sameDays(a.price_volume, b.price_volume, from, to);
}

// Puts back into a chart the days a load changed, and the company name.
void restore(ChartState& st, const ChartState& sample) {
    PriceSeries& s = st.series;
    const PriceSeries& before = sample.series;
    for (long d = 1; d <= s.day_count; ++d) {
        s.price_date.set(d, before.price_date[d]);
        s.price_high[d] = before.price_high[d];
        s.price_low[d] = before.price_low[d];
        s.price_close[d] = before.price_close[d];
        s.price_volume[d] = before.price_volume[d];
    }
    s.day_count = before.day_count;
    st.company_name = sample.company_name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness& h = harness();
    const QByteArray bytes = fuzz::bytesOf(data, size);
    fuzz::writeFile(h.input, bytes);

    // The charts are copied from the sample once; after each load the days it changed are put
    // back, as copying 5000 days for every input would cost more than the load itself.
    static ChartState st = h.sample;
    static ChartState general = h.sample;
    bool today = true;
    const QString caption = ReadDataFile(st, kTicker, today, h.hist);
    PriceSeries& s = st.series;
    const PriceSeries& before = h.sample.series;

    TK5_FUZZ_CHECK(!today);
    TK5_FUZZ_CHECK(st.ticker_name == kTicker);
    TK5_FUZZ_CHECK(s.day_count >= 0 && s.day_count <= kSeriesCapacity);
    TK5_FUZZ_CHECK(s.day_count <= bytes.count('\n') + 1);
    for (long d = 1; d <= s.day_count; ++d) {
        TK5_FUZZ_CHECK(s.price_high[d] != 0.0f && s.price_low[d] != 0.0f);
        TK5_FUZZ_CHECK(std::isfinite(s.price_high[d]) && std::isfinite(s.price_low[d]) &&
                       std::isfinite(s.price_close[d]));
    }
    TK5_FUZZ_CHECK(sameDays(s, before, s.day_count + 1, kSeriesCapacity));
    TK5_FUZZ_CHECK(caption == st.company_name ||
                   (caption.isEmpty() && st.company_name == h.sample.company_name));

    const QString generalCaption =
        ReadDataFile(general, kTicker, today, h.hist, RowReading::General);
    TK5_FUZZ_CHECK(generalCaption == caption && general.company_name == st.company_name);
    TK5_FUZZ_CHECK(general.series.day_count == s.day_count);
    TK5_FUZZ_CHECK(sameDays(general.series, s, 1, kSeriesCapacity));

    restore(st, h.sample);
    restore(general, h.sample);
    return 0;
}
