// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "common/DayArray.h"
#include "common/Formats.h"
#include "common/Numbers.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tk5 {

// The date texts of a series' days, each kept beside the calendar date readDate gives for it.
// A text is written only through set, which forgets the date kept for the old text. A date is
// read on first use, so loading a history reads none; as readDate follows the user's locale
// (month names, day-first order), the kept dates are read again once QLocale() is no longer
// the locale they were read in. Reading a date writes the kept one: a series is used from one
// thread at a time.
class DayDates {
public:
    explicit DayDates(int capacity) : texts_(capacity), kept_(static_cast<size_t>(capacity)) {}

    int capacity() const noexcept { return texts_.capacity(); }
    bool contains(long day) const noexcept { return texts_.contains(day); }

    // The text of a day. Reading or writing a day outside 1..capacity throws ChartError.
    const QString& operator[](long day) const { return texts_[day]; }
    void set(long day, QString text) {
        texts_[day] = std::move(text);
        kept_[static_cast<size_t>(day - 1)].reading = 0;
    }

    // readDate of a day's text in the current locale: none when the text is not a date.
    std::optional<QDate> date(long day) const {
        followLocale();
        return keptDate(day);
    }

    // Reads the dates of many days (a window, a scan) with one look at the current locale;
    // meant for one loop, not to be kept across a change of locale.
    class Reader {
    public:
        std::optional<QDate> date(long day) const { return dates_.keptDate(day); }

    private:
        friend class DayDates;
        explicit Reader(const DayDates& dates) : dates_(dates) { dates.followLocale(); }
        const DayDates& dates_;
    };
    Reader reader() const { return Reader(*this); }

private:
    // A change of the default locale starts a new reading of every day.
    void followLocale() const {
        if (const QLocale here; here != locale_) {
            locale_ = here;
            ++reading_;
        }
    }
    std::optional<QDate> keptDate(long day) const {
        const QString& text = texts_[day];
        Kept& k = kept_[static_cast<size_t>(day - 1)];
        if (k.reading != reading_) {
            k.date = readDate(text).value_or(QDate());
            k.reading = reading_;
        }
        return k.date.isValid() ? std::optional<QDate>(k.date) : std::nullopt;
    }

    struct Kept {
        QDate date;                // invalid: the text is not a date
        std::uint64_t reading = 0; // the reading it belongs to; 0: none
    };
    DayArray<QString> texts_;
    mutable std::vector<Kept> kept_;
    mutable QLocale locale_;            // the locale of the current reading
    mutable std::uint64_t reading_ = 1; // counts the locales the dates were read in
};

// A ticker's daily history, newest day first: day 1 is the newest loaded day, day
// day_count the oldest. Elements beyond day_count keep whatever an earlier, longer load
// left there (zero on a new control).
struct PriceSeries {
    DayDates price_date{kSeriesCapacity};
    FloatDays price_high{kSeriesCapacity};
    FloatDays price_low{kSeriesCapacity};
    FloatDays price_close{kSeriesCapacity};
    DayArray<std::int32_t> price_volume{kSeriesCapacity};
    std::int16_t day_count = 0;
};

// What a pane shows and with which periods. Codes outside 1..10 leave the pane empty.
enum IndicatorKind : std::int16_t {
    Volume = 1,
    RSI = 2,
    FastStochastic = 3,
    SlowStochastic = 4,
    MACD = 5,
    ExpMADifference = 6,
    Momentum = 7,
    Volatility = 8,
    OnBalanceVolume = 9,
    MoneyFlowIndex = 10,
};

// The name of an indicator kind as the choosers list it ("Volume" .. "Money Flow Index"); empty
// for a code outside 1..10.
inline QString indicatorName(std::int16_t kind) {
    static constexpr const char* kNames[10] = {
        "Volume",          "RSI",        "Fast Stochastic",
        "Slow Stochastic", "MACD",       "Exp. MA Difference",
        "Momentum",        "Volatility", "On Balance Volume",
        "Money Flow Index"};
    return kind >= 1 && kind <= 10 ? QString::fromLatin1(kNames[kind - 1]) : QString();
}

struct IndicatorSettings {
    std::int16_t kind = 0;
    std::int16_t rsi_periods = 14;
    std::int16_t fs_periods_k = 5;
    std::int16_t fs_periods_d = 5;
    std::int16_t ss_periods_k = 5;
    std::int16_t ss_periods_d = 5;
    std::int16_t exp_ma_periods1 = 10;
    std::int16_t exp_ma_periods2 = 15;
    std::int16_t macd_periods1 = 12;
    std::int16_t macd_periods2 = 26;
    std::int16_t macd_periods3 = 5;
    std::int16_t momentum_periods = 12;
    std::int16_t volatility_periods1 = 10;
    std::int16_t volatility_periods2 = 10;
    std::int16_t money_flow_periods = 10;
};

// The panes' indicators when the settings name none: Volume, Fast Stochastic and Exp. MA
// Difference.
inline constexpr std::array<std::int16_t, 3> kDefaultKinds = {Volume, FastStochastic,
                                                              ExpMADifference};

// The overlay settings of the two overlay dialogs. The drawing takes them as an argument: one
// set is shared by every chart control of the running library (the widget owns it) and each
// control's start-up resets it.
struct OverlaySettings {
    std::int16_t custom_ma_periods = 20;
    std::int16_t envelope_periods = 20;
    std::int16_t envelope_percent = 5;
    float bands_periods = 20;
    float bands_width = 2;
};

// The records a count stands for: a count a host wrote beyond the records kept means all of
// them, a negative one none.
inline long recordedCount(std::int16_t count) {
    return std::clamp<long>(count, 0, kTransactionCapacity);
}

// Everything one chart control knows about its chart, by the names its programming interface
// uses. What only the widgets need (captions, the state of the choosers, the mouse) lives with
// the widgets.
struct ChartState {
    PriceSeries series;
    QString ticker_name;
    QString company_name;

    // The window: newest and oldest shown day.
    std::int16_t starting_date_local = 1;
    std::int16_t ending_date_local = 200;

    // Price scale, written by the price ruler; day_width by the chart.
    float price_step = 0;
    float ruler_bottom = 0;
    float ruler_top = 0;
    float price_scale = 0;
    float day_width = 0;

    Flag show_envelopes = kFalse;
    Flag show_bands = kFalse;
    Flag show_ma10 = kTrue;
    Flag show_ma50 = kTrue;
    Flag show_ma200 = kTrue;
    Flag show_ma_custom = kFalse;
    Flag show_vertical_grid = kTrue;
    Flag show_horizontal_grid = kTrue;
    Flag show_high_low_close = kTrue;
    Flag chart_hidden = kFalse;

    // Panes 1..3 at elements 0..2.
    std::array<IndicatorSettings, 3> pane_settings{
        {{.kind = kDefaultKinds[0]}, {.kind = kDefaultKinds[1]}, {.kind = kDefaultKinds[2]}}};

    std::int16_t buy_number = 0;
    std::int16_t sell_number = 0;
    DayArray<std::int16_t> buy_day{kTransactionCapacity};
    DayArray<std::int16_t> sell_day{kTransactionCapacity};

    float OldVerticalLineX = 0;
    float OldHorizontalLineY = 0;
    Flag isVerticalLineDisplayed = kFalse;
    Flag isHorizontalLineDisplayed = kFalse;

    IndicatorSettings& pane(int p) { return pane_settings.at(static_cast<size_t>(p - 1)); }
    const IndicatorSettings& pane(int p) const {
        return pane_settings.at(static_cast<size_t>(p - 1));
    }
};

} // namespace tk5
