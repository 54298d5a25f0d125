// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "tk5chctl/tk5chctl_export.h"

#include <QMap>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <memory>
#include <stdexcept>
#include <string>

class QPagedPaintDevice;

namespace tk5 {
class Prompts;
class SettingsStore;
class TKchartPrivate;
} // namespace tk5

/// The one failure a member of TKchart reports to its host.
///
/// A member that cannot finish (for instance a drawing whose overlay needs a day beyond its
/// work buffers, or a day index outside the 5000 days a history holds) throws this; what it
/// drew before stays on the surfaces. what() says what failed in the user's words. The
/// control's own event handlers (resizing, tab clicks, buttons) never throw: they catch every
/// failure so the host keeps running.
class TK5CHCTL_EXPORT TKchartError : public std::runtime_error {
public:
    /// What kind of failure ended the member.
    enum class Kind {
        IndexOutOfRange, ///< a day or element outside the capacity of a series or buffer
        Overflow,        ///< a value that does not fit its type
        DivisionByZero,  ///< a division by zero or an undefined floating-point result
        TypeMismatch,    ///< a text that is not a number or a date
        File,            ///< a file that cannot be written or read as a whole
        OutOfMemory,     ///< the memory the member needed could not be had
        Printer,         ///< no printer to print on, or one that refused the page
    };
    TKchartError(Kind kind, const std::string& what);
    /// The kind of the failure.
    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

/// The stock-chart control: a price chart with its price and date rulers, three indicator
/// panes, a caption line, and a tab strip with the indicator settings and the transactions.
///
/// A host creates it, names a ticker with ReadDataFile() and shows a window of days with the
/// full redraw: Clear(), DrawPriceRuler(), DrawDateRuler(), DisplayChart() and
/// DisplayTechnicalIndicators(TechInd1(), TechInd2(), TechInd3()), or all five at once with
/// redraw(). Every resize lays the children out again and performs that redraw over
/// starting_date_local..ending_date_local.
///
/// Colours and the panes' indicators and periods come from a settings store: by default the
/// user's own (application "Tavik5", section "Settings"); the constructor taking a map, or
/// useSettings(), puts the control on an in-memory store instead, which never reads or writes
/// the user's settings.
///
/// The properties and invokable methods appear in the meta-object in the control's published
/// member order. Members whose behaviour adjusts an argument (ReadDataFile's b_Today_flag,
/// DisplayChart's ending_date) take it by reference and write the new value back into the
/// caller's variable, from C++ and through QMetaObject::invokeMethod with Q_ARG(qint16&, v)
/// alike; a second overload takes values (literals, constants) for C++ callers. Members that
/// can fail throw TKchartError, also through the meta-object.
///
/// Values out of range. A host may write any 16-bit value into the window and the counts, any
/// float into the crosshair positions, and call any member in any order, before or after a
/// load, with any stored periods (settings outside 16 bits count as their defaults). What
/// happens, member by member:
/// - starting_date_local, ending_date_local: kept as written (setting them draws nothing).
///   The drawing members draw the loaded days the window covers: none when it covers none
///   or ends before it starts. A step that needs a day beyond the history's 5000 or the
///   3000-day work buffers throws TKchartError (IndexOutOfRange) after drawing what it
///   could; 16-bit day arithmetic that overflows throws (Overflow). MaximumPrice and
///   MinimumPrice then read 0.
/// - GoBackward, GoForward, ZoomIn, ZoomOut, the `<<` `>>` buttons and the keys: a new
///   window leaving 16 bits is refused with TKchartError (Overflow) naming the window; the
///   window stays.
/// - buy_number, sell_number: kept as written. The marks, FillListView(), the gains, the
///   chart file and the printed page use the first 0..250 records (a negative count as
///   none). RecordBuy() and RecordSell() refuse with a message when the count is outside
///   0..249.
/// - OldVerticalLineX, OldHorizontalLineY and the two "displayed" flags: kept; the next
///   crosshair move inverts the old line where written, which is nothing off the picture.
/// - x of UpdateCaption, RecordBuy, RecordSell, DrawBuy, DrawSell: any float (NaN and the
///   infinities too); a position on no loaded day changes nothing. xOfDay() throws
///   TKchartError when the window gives the day no position.
/// - The days of DrawPriceRuler, DisplayChart, DrawDateRuler, DisplayTechnicalIndicators,
///   GetMaximumPrice and GetMinimumPrice: as for the window above; indicator kinds outside
///   1..10 leave a pane empty.
/// - Periods 0, negative or up to 32767: the Indicators tab refuses them outside 1..300;
///   stored ones are used as they stand: an indicator draws what its periods give (nothing
///   where they reach beyond the history) or throws TKchartError naming the pane.
///
/// No member reads outside the series, the work buffers or the 250-entry transaction arrays,
/// and none takes longer than a full redraw of the largest window.
class TK5CHCTL_EXPORT TKchart : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString ticker_name READ ticker_name WRITE setTicker_name)
    Q_PROPERTY(qint16 buy_number READ buy_number WRITE setBuy_number)
    Q_PROPERTY(qint16 sell_number READ sell_number WRITE setSell_number)
    Q_PROPERTY(qint16 starting_date_local READ starting_date_local WRITE setStarting_date_local)
    Q_PROPERTY(qint16 ending_date_local READ ending_date_local WRITE setEnding_date_local)
    Q_PROPERTY(float OldVerticalLineX READ OldVerticalLineX WRITE setOldVerticalLineX)
    Q_PROPERTY(float OldHorizontalLineY READ OldHorizontalLineY WRITE setOldHorizontalLineY)
    Q_PROPERTY(
        bool isVerticalLineDisplayed READ isVerticalLineDisplayed WRITE setIsVerticalLineDisplayed)
    Q_PROPERTY(bool isHorizontalLineDisplayed READ isHorizontalLineDisplayed WRITE
                   setIsHorizontalLineDisplayed)
    Q_PROPERTY(float MaximumPrice READ MaximumPrice)
    Q_PROPERTY(float MinimumPrice READ MinimumPrice)
    Q_PROPERTY(qint16 TechInd1 READ TechInd1)
    Q_PROPERTY(qint16 TechInd2 READ TechInd2)
    Q_PROPERTY(qint16 TechInd3 READ TechInd3)
    Q_PROPERTY(QString StartingDate READ StartingDate)
    Q_PROPERTY(QString EndingDate READ EndingDate)
    Q_PROPERTY(QString CompanyName READ CompanyName)
    Q_PROPERTY(bool MA10 READ MA10)
    Q_PROPERTY(bool MA50 READ MA50)
    Q_PROPERTY(bool MA200 READ MA200)
    Q_PROPERTY(bool MACustom READ MACustom)
    Q_PROPERTY(qint16 MaximumInput READ MaximumInput WRITE setMaximumInput)

public:
    /// Runs the start-up on the user's settings store.
    explicit TKchart(QWidget* parent = nullptr);
    /// Runs the start-up on an in-memory store holding these key/value texts (keys as the
    /// settings store names them: "BkgChart", "Tech2", "2RSI_periods", ...). The user's
    /// settings are neither read nor written.
    explicit TKchart(const QMap<QString, QString>& settings, QWidget* parent = nullptr);
    ~TKchart() override;

    // ---- published members, in interface order ---------------------------------------

    /// @name 1..9: the public variables
    /// @{
    /// The ticker exactly as last passed to ReadDataFile().
    QString ticker_name() const;
    void setTicker_name(const QString& value);
    /// The number of recorded buys and sells.
    qint16 buy_number() const;
    void setBuy_number(qint16 value);
    qint16 sell_number() const;
    void setSell_number(qint16 value);
    /// The shown window: newest (starting) and oldest (ending) shown day, 1 and 200 after
    /// start-up. Setting them redraws nothing.
    qint16 starting_date_local() const;
    void setStarting_date_local(qint16 value);
    qint16 ending_date_local() const;
    void setEnding_date_local(qint16 value);
    /// The crosshair lines last drawn (twips) and whether they are on the picture now.
    float OldVerticalLineX() const;
    void setOldVerticalLineX(float value);
    float OldHorizontalLineY() const;
    void setOldHorizontalLineY(float value);
    bool isVerticalLineDisplayed() const;
    void setIsVerticalLineDisplayed(bool value);
    bool isHorizontalLineDisplayed() const;
    void setIsHorizontalLineDisplayed(bool value);
    /// @}

    /// 10: loads the ticker's history file (newest day first) and sets the caption; draws
    /// nothing. Sets the caller's b_Today_flag to false. A file that cannot be read loads no
    /// day (loadedDays() is then 0). The result is an empty value.
    Q_INVOKABLE QVariant ReadDataFile(const QString& Ticker, bool& b_Today_flag);
    Q_INVOKABLE QVariant ReadDataFile(const QString& Ticker);
    /// 11: computes the price scale of the window and draws the price ruler (and the
    /// horizontal grid).
    Q_INVOKABLE void DrawPriceRuler(qint16 starting_date, qint16 ending_date);
    /// 12: draws the bars, overlays and buy/sell marks of the window on the price chart. An
    /// ending_date beyond the loaded days is lowered to the oldest loaded day, in the
    /// caller's variable too. Throws TKchartError when an overlay needs a day beyond its
    /// work buffers (for instance a window older than day 2999 with the averages on).
    Q_INVOKABLE void DisplayChart(qint16& starting_date, qint16& ending_date);
    Q_INVOKABLE void DisplayChart(const qint16& starting_date, const qint16& ending_date);
    /// 13, 14: highest high and lowest low of the shown window. These property reads never
    /// throw: a window whose prices cannot be read (a day outside the loaded history's
    /// 1..5000, say) gives 0.
    float MaximumPrice() const;
    float MinimumPrice() const;
    /// 15, 16: highest high and lowest low of days starting_date..ending_date.
    Q_INVOKABLE float GetMaximumPrice(qint16 starting_date, qint16 ending_date) const;
    Q_INVOKABLE float GetMinimumPrice(qint16 starting_date, qint16 ending_date) const;
    /// 17: clears the price chart and the five rulers; both crosshair lines are then gone.
    Q_INVOKABLE void Clear();
    /// 18: the day labels of the window on the date ruler (and the vertical grid).
    Q_INVOKABLE void DrawDateRuler(qint16 starting_date, qint16 ending_date);
    /// 19: the caption line for the day under x (twips from the chart's left edge): company,
    /// high, low, close and date in the caption, the change against the day before in the
    /// change label (green for a rise, red otherwise). A day outside the loaded days keeps the
    /// caption's text; a day without a day before it leaves the change text empty.
    Q_INVOKABLE void UpdateCaption(float x);
    /// 20: records a buy on the loaded day under x (twips from the chart's left edge): its
    /// mark (a green arrow under the day's low; near the bottom edge while the chart is
    /// hidden), a row "B", the close and the date in the transaction list, buy_number + 1. A
    /// position on no loaded day does nothing; a 251st buy is refused with a message.
    Q_INVOKABLE void RecordBuy(float x);
    /// 21: records a sell the same way (a red arrow over the day's high, a row "S" with the
    /// gain against the newest buy), then computes both gains. A sell older than the newest
    /// buy, or without a buy, is refused with "You can't sell the security before you bought
    /// it" (the gains are computed all the same); a 251st sell is refused with a message.
    Q_INVOKABLE void RecordSell(float x);
    /// 22, 23: a buy (sell) mark on the day under x (twips from the chart's left edge).
    Q_INVOKABLE void DrawBuy(float x);
    Q_INVOKABLE void DrawSell(float x);
    /// 24: forgets every buy and sell, empties the list, redraws the chart and resets the gain
    /// labels to "Summarized gain" and "Cumulative gain".
    Q_INVOKABLE void ClearBuysSells();
    /// 25: clears the three panes and draws indicator kinds 1..10 in panes 1, 2, 3 (other
    /// codes leave a pane empty) with each pane's own periods; then emits DrawComplete().
    /// Throws TKchartError naming the pane when its indicator needs a day beyond the history
    /// or its work buffers.
    Q_INVOKABLE void DisplayTechnicalIndicators(qint16 indicator1, qint16 indicator2,
                                                qint16 indicator3);
    /// 26..28: the indicator kind of pane 1, 2, 3.
    qint16 TechInd1() const;
    qint16 TechInd2() const;
    qint16 TechInd3() const;
    /// 29: writes the chart file at filepath: the ticker, each pane's indicator and periods
    /// (not the money-flow periods), the window and the buys and sells, one item per line
    /// with CR LF. The file is written whole and then put in place, so a failing save (a
    /// full disk, a missing or read-only folder) leaves any earlier file as it was and throws
    /// TKchartError (File) naming the file and the reason.
    Q_INVOKABLE void SaveChartInFile(const QString& filepath);
    /// 30: reads a chart file into the control: ticker_name, the panes' indicators and periods
    /// (shown on the Indicators tab), the window and the buys and sells. It draws nothing and
    /// leaves the transaction list and the gains as they are; load the history, redraw and
    /// call FillListView(), CalculateSumGain() and CalculateCumGain() after it. The whole file
    /// is checked first: a file that cannot be read, is cut short, holds a value that is not a
    /// 16-bit number, more than 250 buys or sells, binary data, a line over 4096 characters or
    /// more than 1 MB throws TKchartError naming the file and the line, and changes nothing.
    Q_INVOKABLE void OpenChartFromFile(const QString& filepath);
    /// 31: appends a row for every recorded buy and, paired with the k-th buy, the k-th sell
    /// (the list is not emptied first).
    Q_INVOKABLE void FillListView();
    /// 32: prints the chart on one landscape page: a title line with the company, the framed
    /// price chart with its own price ruler, date labels, bars, the 10, 50 and 200-day
    /// averages and the buy and sell marks, a legend column at the right and the three panes'
    /// indicators in bands under the chart. The page goes where setPrintTarget() directs it:
    /// a PDF file, or else the system's default printer. Throws TKchartError (Printer) when
    /// there is no printer and no PDF file is set, and (File) naming the file and the reason
    /// when the PDF cannot be written (an earlier file of that name then stays as it was).
    /// The page is drawn from the chart as it stands (the window and price scale of the last
    /// drawing); printing changes nothing in the control. With no history drawn the page
    /// holds the frame, the title and the legend.
    Q_INVOKABLE void PrintEntireChart();
    /// 33, 34: the window one width further back (forward) in time, kept inside the loaded
    /// days with its width, then the full redraw.
    Q_INVOKABLE void GoBackward();
    Q_INVOKABLE void GoForward();
    /// 35: the oldest 30 % of the window drop off (two days is the narrowest), then the full
    /// redraw.
    Q_INVOKABLE void ZoomIn();
    /// 36: the window three times as wide around its middle, cut at the loaded days, then
    /// the full redraw.
    Q_INVOKABLE void ZoomOut();
    /// 37: the day index of a calendar date; 0 when none matches or the text is not a date.
    Q_INVOKABLE qint16 ConvertDateToInteger(const QString& str_date) const;
    /// 38, 39: the date texts of the newest and oldest shown day; empty when not loaded.
    QString StartingDate() const;
    QString EndingDate() const;
    /// 40: the transactions report: the company, one line per list row, an empty line and the
    /// two gain labels as they stand; every line ends in a line feed.
    Q_INVOKABLE QString PrintTransactionsReport() const;
    /// 41, 42: the summarized (summed) and cumulative (compounded) gain of the list's pairs,
    /// shown in the labels under the list ("Summarized gain: 20.0 %").
    Q_INVOKABLE void CalculateSumGain();
    Q_INVOKABLE void CalculateCumGain();
    /// 43: the hook history dates pass through; returns its input.
    Q_INVOKABLE QVariant convert_trading_date(const QString& input_date) const;
    /// 44: shows the message "data updated" (an OK button, no icon); nothing else changes.
    Q_INVOKABLE void UpdateHistData();
    /// 45: re-reads the colour settings (defaults: pale yellow chart and panes, light grey
    /// transaction list, black rulers with white text) and applies them. Redraws nothing: a
    /// surface whose back colour is set is painted plain in that colour until the next draw.
    Q_INVOKABLE void SetColors();
    /// 46: when the caption label holds fewer than 3 characters, asks the lookup service for
    /// the company's name: GET http://HOST/cgi-bin/ticker.pl?TICKER, HOST being the settings
    /// value "LookupHost" (default 127.0.0.1:8017). A reply r sets the caption to r without
    /// its last 2 characters (its CR LF) and one space; an empty reply sets it to the ticker;
    /// a reply of fewer than 2 characters (such as "0" when the service cannot be reached)
    /// leaves it. company_name then takes the caption, and CompanyNameResolved() is emitted,
    /// also when no lookup was needed. The user interface keeps running while the control
    /// waits (5 s at most without data; a body is read up to 1 MB) under a busy cursor; the
    /// host may close or delete the control meanwhile.
    Q_INVOKABLE void DrawLabel();
    /// 47: the same lookup without the event: r without its last character and one space,
    /// then every carriage return and line feed removed ("0" thus gives a single space).
    Q_INVOKABLE void DrawLabelNoEvent();
    /// 48: the text of the caption label above the chart.
    QString CompanyName() const;
    /// 49..52: whether the 10, 50, 200-day and custom moving averages are shown.
    bool MA10() const;
    bool MA50() const;
    bool MA200() const;
    bool MACustom() const;
    /// 53: always reads 0; writing has no effect.
    qint16 MaximumInput() const;
    void setMaximumInput(qint16 value);

    // ---- host conveniences (not published members) -----------------------------------

    /// The full redraw in one call: Clear(), DrawPriceRuler(), DrawDateRuler(),
    /// DisplayChart() and DisplayTechnicalIndicators() with the panes' kinds, over
    /// starting_date_local..ending_date_local (DisplayChart may lower the end to the oldest
    /// loaded day). Throws TKchartError when a step fails; what was drawn stays.
    void redraw();
    /// Puts the control on an in-memory store holding these values (the user's settings are
    /// no longer read or written), reads colours, indicators and periods from it again,
    /// selects the panes' indicators on the Indicators tab and redraws.
    void useSettings(const QMap<QString, QString>& settings);
    /// The folder the history files are read from.
    QString historyFolder() const;
    /// The number of days the last ReadDataFile() loaded (0 when its file could not be read).
    qint16 loadedDays() const;
    /// Every message box and question goes through prompts from now on (not owned; it must
    /// outlive its use). Null restores the control's own message boxes.
    void setPrompts(tk5::Prompts* prompts);
    /// The x (twips from the price chart's left edge) of a day of the shown window: the
    /// position RecordBuy(), RecordSell(), DrawBuy(), DrawSell() and UpdateCaption() take for
    /// that day. Throws TKchartError when the window gives the day no position.
    float xOfDay(qint16 day) const;
    /// Directs PrintEntireChart() to a PDF file of this page size (A4, or US Letter where the
    /// system's measures are the US ones, when none is given); an empty path directs it back
    /// to the system's default printer.
    void setPrintTarget(const QString& pdfPath, const QPageSize& pageSize = QPageSize());
    /// The PDF file PrintEntireChart() writes; empty when it prints on the default printer.
    QString printTarget() const;
    /// Prints the page of PrintEntireChart() on a device the host set up: a QPrinter the user
    /// chose in a QPrintDialog, a QPdfWriter. The page is turned to landscape. Throws
    /// TKchartError (Printer) when the device refuses the page.
    void printOn(QPagedPaintDevice& device);
    /// Records the drawing calls of all nine surfaces from now on, one text line per call
    /// (surface, operation, arguments in twips or pixels as the call takes them, colour,
    /// style, width, mode), forgetting earlier ones. Printed pages are recorded too, as the
    /// surface "Printer" in page units of 1/300 inch.
    void startRecording();
    /// Stops recording; the calls recorded so far stay readable.
    void stopRecording();
    /// The calls recorded, in call order.
    QStringList recordedDrawCalls() const;
    /// Empties the transaction list and resets the gain labels, keeping the recorded buys and
    /// sells: what a host calls before FillListView() after OpenChartFromFile(), so that the
    /// list shows the opened records only.
    void clearTransactionList();

Q_SIGNALS:
    /// A drawing of the chart and the panes has finished.
    void DrawComplete();
    /// DrawLabel() has stored the company's name (read it with CompanyName()).
    void CompanyNameResolved();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Both public constructors: the start-up on the store given.
    TKchart(std::unique_ptr<tk5::SettingsStore> settings, QWidget* parent);
    friend class tk5::TKchartPrivate;
    const std::unique_ptr<tk5::TKchartPrivate> d;
};
