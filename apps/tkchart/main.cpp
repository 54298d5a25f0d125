// SPDX-License-Identifier: BSD-3-Clause
// tkchart: shows the stock-chart control in a window, or renders it headless to a PNG file.

#include "HostRules.h"
#include "ScriptRunner.h"
#include "TimeRangeDialog.h"

#include <tk5chctl/Prompts.h>
#include <tk5chctl/TKchart.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCommandLineParser>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSize>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

namespace {

struct Options {
    QString ticker = QStringLiteral("ORCL");
    qint16 first = 1;
    qint16 last = 200;
    int width = 1280;
    int height = 800;
    QString png;
    QString record;
    QString pdf;            // headless: the printed page written to this PDF file after the render
    QPageSize paper;        // of the PDF; invalid means the control's default (A4 or US Letter)
    QString script;         // a JavaScript file run with the control as `chart` after the render
    int scriptTimeout = 30; // seconds
    std::optional<float> captionAt; // headless: the caption line for the day under x (twips)
    QString openChart;              // headless: a chart file applied before the render
    QString saveChart;              // headless: a chart file written after the render
    bool report = false;            // headless: print the transactions report
    bool headless = false;
    QMap<QString, QString> settings;
    bool ownSettings = false; // settings given on the command line: keep the user's untouched
};

[[noreturn]] void fail(const QString& text, int code) {
    std::fprintf(stderr, "tkchart: %s\n", qPrintable(text));
    std::exit(code);
}

// Writes bytes as the whole content of a file. Empty when every byte reached the file and it
// closed cleanly, else why not.
QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return f.errorString();
    if (f.write(bytes) != bytes.size() || !f.flush()) return f.errorString();
    f.close();
    return f.error() == QFileDevice::NoError ? QString() : f.errorString();
}

// A picture as PNG bytes; empty when it cannot be encoded.
QByteArray pngBytes(const QPixmap& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return {};
    return bytes;
}

// Writes a picture as a PNG file; empty when it was written whole, else why not.
QString writePng(const QString& path, const QPixmap& picture) {
    const QByteArray bytes = pngBytes(picture);
    if (bytes.isEmpty()) return QStringLiteral("the picture cannot be encoded as PNG");
    return writeWholeFile(path, bytes);
}

// A whole decimal number in [low, high], or nothing.
std::optional<int> wholeNumber(const QString& text, int low, int high) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return std::nullopt;
    return v;
}

// Whether the command line asks for a PNG or a PDF, or there is no display to show a window
// on.
bool wantsHeadless(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"--png", "--pdf"})
            if (std::strcmp(argv[i], option) == 0 ||
                (std::strncmp(argv[i], option, 5) == 0 && argv[i][5] == '='))
                return true;
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen")) return true;
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

Options parseOptions(const QStringList& arguments, bool headless) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows the stock chart of a ticker; renders it to a PNG file when there is no display "
        "or --png is given, and prints its page to a PDF file with --pdf."));
    parser.addHelpOption();
    const QCommandLineOption ticker(QStringLiteral("ticker"),
                                    QStringLiteral("Ticker to load (default ORCL)."),
                                    QStringLiteral("T"));
    const QCommandLineOption window(QStringLiteral("window"),
                                    QStringLiteral("Days shown, newest:oldest (default 1:200)."),
                                    QStringLiteral("S:E"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("Size in pixels (default 1280x800)."),
                                  QStringLiteral("WxH"));
    const QCommandLineOption png(
        QStringLiteral("png"),
        QStringLiteral("Render headless to this file (default tkchart.png)."),
        QStringLiteral("FILE"));
    const QCommandLineOption pdf(
        QStringLiteral("pdf"),
        QStringLiteral("Render headless and print the chart's page to this PDF file after the "
                       "render (a PNG is written too when --png is given)."),
        QStringLiteral("FILE"));
    const QCommandLineOption paper(
        QStringLiteral("paper"),
        QStringLiteral("Paper of the printed page: a4 or letter (default by the system's "
                       "measures)."),
        QStringLiteral("SIZE"));
    const QCommandLineOption script(
        QStringLiteral("script"),
        QStringLiteral("Run this JavaScript file with the control as `chart` after the first "
                       "render (headless: before the PNG, the PDF and the record are written)."),
        QStringLiteral("FILE"));
    const QCommandLineOption scriptTimeout(
        QStringLiteral("script-timeout"),
        QStringLiteral("Stop a script still running after this many seconds (default 30)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption panes(
        QStringLiteral("panes"),
        QStringLiteral("Indicator kinds of panes 1, 2, 3 (default from settings: 1,3,6)."),
        QStringLiteral("K1,K2,K3"));
    const QCommandLineOption setting(
        QStringLiteral("setting"),
        QStringLiteral("A settings value for this run, e.g. 2RSI_periods=9 (repeatable)."),
        QStringLiteral("KEY=VALUE"));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Write every drawing call of the render to this file, one per line."),
        QStringLiteral("FILE"));
    const QCommandLineOption captionAt(
        QStringLiteral("caption-at"),
        QStringLiteral("Headless only: after the render, show the caption line for the day under "
                       "X (twips from the price chart's left edge) and print the caption and the "
                       "change texts, one line each."),
        QStringLiteral("X"));
    const QCommandLineOption openChart(
        QStringLiteral("open-chart"),
        QStringLiteral("Open this chart file (ticker, panes, window, buys and sells) instead of "
                       "--ticker and --window; headless, before the render."),
        QStringLiteral("FILE"));
    const QCommandLineOption saveChart(
        QStringLiteral("save-chart"),
        QStringLiteral("Headless only: write the chart file of the render to this file."),
        QStringLiteral("FILE"));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Headless only: print the transactions report after the render."));
    parser.addOptions({ticker, window, size, png, pdf, paper, panes, setting, record, captionAt,
                       openChart, saveChart, report, script, scriptTimeout});

    if (!parser.parse(arguments)) fail(parser.errorText(), 2);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty())
        fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()),
             2);

    Options o;
    o.headless = headless;
    if (parser.isSet(ticker)) {
        o.ticker = parser.value(ticker).trimmed();
        if (o.ticker.isEmpty()) fail(QStringLiteral("--ticker needs a ticker name"), 2);
    }
    if (parser.isSet(window)) {
        const QStringList parts = parser.value(window).split(QLatin1Char(':'));
        const auto s = parts.size() == 2 ? wholeNumber(parts[0], 1, 5000) : std::nullopt;
        const auto e = parts.size() == 2 ? wholeNumber(parts[1], 1, 5000) : std::nullopt;
        if (!s || !e || *s > *e)
            fail(QStringLiteral("--window must be S:E with whole days 1 <= S <= E <= 5000, "
                                "not '%1'")
                     .arg(parser.value(window)),
                 2);
        o.first = static_cast<qint16>(*s);
        o.last = static_cast<qint16>(*e);
    }
    if (parser.isSet(size)) {
        const QStringList parts = parser.value(size).toLower().split(QLatin1Char('x'));
        const auto w = parts.size() == 2 ? wholeNumber(parts[0], 1, 10000) : std::nullopt;
        const auto h = parts.size() == 2 ? wholeNumber(parts[1], 1, 10000) : std::nullopt;
        if (!w || !h)
            fail(QStringLiteral("--size must be WxH in pixels, each 1 to 10000, not '%1'")
                     .arg(parser.value(size)),
                 2);
        o.width = *w;
        o.height = *h;
    }
    if (parser.isSet(png) && parser.value(png).isEmpty())
        fail(QStringLiteral("--png needs a file name"), 2);
    if (headless && (parser.isSet(png) || !parser.isSet(pdf)))
        o.png = parser.isSet(png) ? parser.value(png) : QStringLiteral("tkchart.png");
    // Options that only a headless render takes.
    for (const QCommandLineOption* option : {&record, &captionAt, &saveChart, &report})
        if (parser.isSet(*option) && !headless)
            fail(QStringLiteral("--%1 needs a headless render (give --png)")
                     .arg(option->names().first()),
                 2);
    // Options that name a file.
    for (const auto& [option, target] :
         {std::pair{&record, &o.record}, std::pair{&openChart, &o.openChart},
          std::pair{&saveChart, &o.saveChart}, std::pair{&pdf, &o.pdf},
          std::pair{&script, &o.script}}) {
        if (!parser.isSet(*option)) continue;
        *target = parser.value(*option);
        if (target->isEmpty())
            fail(QStringLiteral("--%1 needs a file name").arg(option->names().first()), 2);
    }
    if (parser.isSet(captionAt)) {
        o.captionAt = tkchart::twipsFromText(parser.value(captionAt));
        if (!o.captionAt)
            fail(QStringLiteral("--caption-at must be a position in twips, a number, not '%1'")
                     .arg(parser.value(captionAt)),
                 2);
    }
    o.report = parser.isSet(report);
    if (parser.isSet(scriptTimeout)) {
        const auto seconds = wholeNumber(parser.value(scriptTimeout), 1, 86400);
        if (!seconds)
            fail(QStringLiteral("--script-timeout must be whole seconds from 1 to 86400, not '%1'")
                     .arg(parser.value(scriptTimeout)),
                 2);
        o.scriptTimeout = *seconds;
    }
    if (parser.isSet(paper)) {
        const QString name = parser.value(paper).trimmed().toLower();
        if (name == QLatin1String("a4"))
            o.paper = QPageSize(QPageSize::A4);
        else if (name == QLatin1String("letter"))
            o.paper = QPageSize(QPageSize::Letter);
        else
            fail(QStringLiteral("--paper must be a4 or letter, not '%1'").arg(parser.value(paper)),
                 2);
    }
    for (const QString& kv : parser.values(setting)) {
        const qsizetype eq = kv.indexOf(QLatin1Char('='));
        if (eq <= 0) fail(QStringLiteral("--setting must be KEY=VALUE, not '%1'").arg(kv), 2);
        o.settings.insert(kv.left(eq), kv.mid(eq + 1));
        o.ownSettings = true;
    }
    if (parser.isSet(panes)) {
        const QStringList parts = parser.value(panes).split(QLatin1Char(','));
        if (parts.size() != 3)
            fail(QStringLiteral("--panes must be three indicator kinds K1,K2,K3, not '%1'")
                     .arg(parser.value(panes)),
                 2);
        for (int p = 0; p < 3; ++p) {
            const auto k = wholeNumber(parts[p], -32768, 32767);
            if (!k) fail(QStringLiteral("--panes: '%1' is not an indicator kind").arg(parts[p]), 2);
            o.settings.insert(QStringLiteral("Tech%1").arg(p + 1), QString::number(*k));
        }
        o.ownSettings = true;
    }
    // A headless render never touches the user's settings.
    if (headless) o.ownSettings = true;
    return o;
}

// Loads the ticker and, when its file names no company, asks the lookup service for the name
// (the caption stays as it is when no service answers); false (with a message) when the file
// gives no day.
bool load(TKchart& chart, const QString& ticker, QString* error) {
    chart.ReadDataFile(ticker);
    if (chart.loadedDays() > 0) {
        chart.DrawLabel();
        return true;
    }
    *error = QStringLiteral("cannot read the history file of ticker '%1' in %2")
                 .arg(ticker, QDir::toNativeSeparators(chart.historyFolder()));
    return false;
}

// Shows days first..last (the chart lowers last to the oldest loaded day).
void redraw(TKchart& chart, qint16 first, qint16 last) {
    chart.setStarting_date_local(first);
    chart.setEnding_date_local(last);
    chart.redraw();
}

// Headless, nobody can answer a message box: messages go to stderr and questions are
// answered Cancel.
class StderrPrompts : public tk5::Prompts {
public:
    void message(const QString& text, tk5::MessageIcon) override {
        std::fprintf(stderr, "tkchart: the control says: %s\n", qPrintable(text));
    }
    bool confirm(const QString& text, const QString&, tk5::MessageIcon) override {
        std::fprintf(stderr, "tkchart: the control asks (answered Cancel): %s\n", qPrintable(text));
        return false;
    }
};

int renderHeadless(const Options& o) {
    TKchart chart(o.settings);
    StderrPrompts prompts;
    chart.setPrompts(&prompts);
    chart.resize(o.width, o.height);
    chart.show(); // lays the children out (and draws the empty chart)
    QCoreApplication::processEvents();

    Options shown = o;
    if (!o.openChart.isEmpty()) {
        try {
            chart.OpenChartFromFile(o.openChart);
        } catch (const TKchartError& e) {
            fail(QString::fromUtf8(e.what()), 1);
        }
        shown.ticker = chart.ticker_name();
        shown.first = chart.starting_date_local();
        shown.last = chart.ending_date_local();
    }
    QString error;
    if (!load(chart, shown.ticker, &error)) fail(error, 1);
    if (!o.openChart.isEmpty()) {
        // The opened records in the list, with their gains, as a host shows them.
        chart.clearTransactionList();
        chart.FillListView();
        chart.CalculateSumGain();
        chart.CalculateCumGain();
    }
    if (shown.first < 1 || shown.first > chart.loadedDays())
        fail(QStringLiteral("--window starts at day %1, but %2 has only %3 days")
                 .arg(shown.first)
                 .arg(shown.ticker)
                 .arg(chart.loadedDays()),
             1);

    if (!o.record.isEmpty()) chart.startRecording();
    try {
        redraw(chart, shown.first, shown.last);
    } catch (const TKchartError& e) {
        std::fprintf(stderr, "tkchart: the chart could not be drawn completely: %s\n", e.what());
    }
    int code = 0;
    if (!o.script.isEmpty())
        if (const QString why = tkchart::runScript(chart, o.script, o.scriptTimeout);
            !why.isEmpty()) {
            std::fprintf(stderr, "tkchart: %s\n", qPrintable(why));
            code = 1;
        }
    if (!o.pdf.isEmpty()) {
        chart.setPrintTarget(o.pdf, o.paper);
        try {
            chart.PrintEntireChart();
        } catch (const TKchartError& e) {
            std::fprintf(stderr, "tkchart: the page could not be printed: %s\n", e.what());
            code = 1;
        }
    }
    chart.stopRecording();

    if (o.captionAt) {
        try {
            chart.UpdateCaption(*o.captionAt);
            const auto* change = chart.findChild<QLabel*>(QStringLiteral("ChangeLabel"));
            QTextStream out(stdout);
            out << chart.CompanyName() << '\n' << (change ? change->text() : QString()) << '\n';
        } catch (const TKchartError& e) {
            std::fprintf(stderr, "tkchart: the caption line could not be shown: %s\n", e.what());
            code = 1;
        }
    }

    if (o.report) std::fputs(chart.PrintTransactionsReport().toUtf8().constData(), stdout);
    if (!o.saveChart.isEmpty()) {
        try {
            chart.SaveChartInFile(o.saveChart);
        } catch (const TKchartError& e) {
            fail(QString::fromUtf8(e.what()), 1);
        }
    }
    if (!o.png.isEmpty())
        if (const QString why = writePng(o.png, chart.grab()); !why.isEmpty())
            fail(QStringLiteral("cannot write the picture to %1: %2").arg(o.png, why), 1);
    if (!o.record.isEmpty()) {
        QString text;
        for (const QString& line : chart.recordedDrawCalls())
            text += line + QLatin1Char('\n');
        if (const QString why = writeWholeFile(o.record, text.toUtf8()); !why.isEmpty())
            fail(QStringLiteral("cannot write the record to %1: %2").arg(o.record, why), 1);
    }
    return code;
}

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(const Options& o)
        : chart_(o.ownSettings ? new TKchart(o.settings, this) : new TKchart(this)),
          paper_(o.paper), first_(o.first), last_(o.last) {
        setCentralWidget(chart_);
        chart_->setStarting_date_local(first_);
        chart_->setEnding_date_local(last_);
        // Below this the caption, the chart column and the tab strip no longer fit side by
        // side.
        setMinimumSize(640, 480);
        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        QAction* open = file->addAction(QStringLiteral("&Open ticker..."));
        open->setShortcut(QKeySequence::Open);
        connect(open, &QAction::triggered, this, [this] { chooseTicker(); });
        QAction* openChart = file->addAction(QStringLiteral("Open &chart..."));
        connect(openChart, &QAction::triggered, this, [this] { chooseChartFile(); });
        QAction* saveChart = file->addAction(QStringLiteral("Save c&hart..."));
        connect(saveChart, &QAction::triggered, this, [this] { saveChartFile(); });
        file->addSeparator();
        QAction* save = file->addAction(QStringLiteral("&Save picture..."));
        save->setShortcut(QKeySequence::Save);
        connect(save, &QAction::triggered, this, [this] { savePicture(); });
        file->addSeparator();
        QAction* print = file->addAction(QIcon::fromTheme(QStringLiteral("document-print")),
                                         QStringLiteral("&Print..."));
        print->setShortcut(QKeySequence::Print);
        connect(print, &QAction::triggered, this, [this] { printChart(); });
        QAction* pdfAction = file->addAction(QStringLiteral("&Export PDF..."));
        connect(pdfAction, &QAction::triggered, this, [this] { exportPdf(); });
        file->addSeparator();
        QAction* quit = file->addAction(QStringLiteral("&Quit"));
        quit->setShortcut(QKeySequence::Quit);
        connect(quit, &QAction::triggered, this, &QWidget::close);
        addViewActions();
        // The chart's own keys, wheel and buttons move the window too: the next ticker opens
        // on what the user sees.
        connect(chart_, &TKchart::DrawComplete, this, [this] { keepWindow(); });
        resize(o.width, o.height);
    }

    // Loads and draws a ticker; a failure is told on stderr and, when the user chose the
    // ticker, in a message box. A ticker that loads no day leaves the chart showing the
    // previous one; a history shorter than the window start moves the window inside it.
    bool showTicker(const QString& ticker, bool userChose) {
        QString error;
        if (!load(*chart_, ticker, &error)) {
            std::fprintf(stderr, "tkchart: %s\n", qPrintable(error));
            if (!shown_.isEmpty()) load(*chart_, shown_, &error); // the previous chart again
            if (userChose) QMessageBox::warning(this, QStringLiteral("tkchart"), error);
            return false;
        }
        shown_ = ticker;
        setWindowTitle(QStringLiteral("tkchart - %1").arg(ticker));
        std::tie(first_, last_) = tkchart::windowInside(first_, last_, chart_->loadedDays());
        try {
            redraw(*chart_, first_, last_);
        } catch (const TKchartError& e) {
            QMessageBox::warning(this, QStringLiteral("tkchart"),
                                 QStringLiteral("The chart could not be drawn completely.\n\n%1")
                                     .arg(QString::fromStdString(e.what())));
        }
        return true;
    }

    // Opens a chart file as a host does: the file's records, panes and window, then its
    // ticker's history, the redraw, the list of its buys and sells and both gains. A file that
    // cannot be opened is told and changes nothing.
    bool openChart(const QString& file) {
        try {
            chart_->OpenChartFromFile(file);
        } catch (const TKchartError& e) {
            std::fprintf(stderr, "tkchart: %s\n", e.what());
            QMessageBox::warning(this, QStringLiteral("tkchart"), QString::fromUtf8(e.what()));
            return false;
        }
        first_ = chart_->starting_date_local();
        last_ = chart_->ending_date_local();
        const bool shown = showTicker(chart_->ticker_name(), true);
        chart_->clearTransactionList();
        chart_->FillListView();
        chart_->CalculateSumGain();
        chart_->CalculateCumGain();
        return shown;
    }

    TKchart& chart() const { return *chart_; }

protected:
    // The chart's "Time Range" menu item posts Ctrl+T, which reaches the window as a key
    // press that bypasses the shortcut; a real Ctrl+T is taken by the action's shortcut and
    // never arrives here.
    void keyPressEvent(QKeyEvent* event) override {
        if (QKeySequence(event->keyCombination()) == timeRange_->shortcut()) {
            timeRange_->trigger();
            event->accept();
            return;
        }
        QMainWindow::keyPressEvent(event);
    }

private:
    void addViewActions() {
        QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
        QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
        bar->setObjectName(QStringLiteral("NavigationBar"));
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        const auto add = [&](const QString& text, const QIcon& icon,
                             const QList<QKeySequence>& keys, const QString& tip,
                             void (TKchart::*member)()) {
            QAction* a = view->addAction(icon, text);
            a->setShortcuts(keys);
            a->setToolTip(QStringLiteral("%1 (%2)").arg(
                tip, keys.first().toString(QKeySequence::NativeText)));
            bar->addAction(a);
            connect(a, &QAction::triggered, this, [this, member] { navigate(member); });
        };
        add(QStringLiteral("&Back"), style()->standardIcon(QStyle::SP_ArrowBack),
            {QKeySequence(Qt::ALT | Qt::Key_Left)},
            QStringLiteral("One window width further back in time"), &TKchart::GoBackward);
        add(QStringLiteral("&Forward"), style()->standardIcon(QStyle::SP_ArrowForward),
            {QKeySequence(Qt::ALT | Qt::Key_Right)},
            QStringLiteral("One window width forward in time"), &TKchart::GoForward);
        view->addSeparator();
        bar->addSeparator();
        add(QStringLiteral("Zoom &In"), QIcon::fromTheme(QStringLiteral("zoom-in")),
            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
            QStringLiteral("Fewer days: the oldest 30 % drop off"), &TKchart::ZoomIn);
        add(QStringLiteral("Zoom &Out"), QIcon::fromTheme(QStringLiteral("zoom-out")),
            {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, QStringLiteral("Three times as many days"),
            &TKchart::ZoomOut);
        view->addSeparator();
        bar->addSeparator();
        timeRange_ = view->addAction(QIcon::fromTheme(QStringLiteral("x-office-calendar")),
                                     QStringLiteral("&Time Range..."));
        QAction* report = view->addAction(QStringLiteral("Transactions &report..."));
        connect(report, &QAction::triggered, this, [this] { showReport(); });
        timeRange_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
        timeRange_->setToolTip(QStringLiteral("Show the days between two dates (%1)")
                                   .arg(timeRange_->shortcut().toString(QKeySequence::NativeText)));
        bar->addAction(timeRange_);
        connect(timeRange_, &QAction::triggered, this, [this] { chooseTimeRange(); });
    }

    // Moves or resizes the shown window with a member of the chart; a failure is told.
    void navigate(void (TKchart::*member)()) {
        try {
            (chart_->*member)();
        } catch (const TKchartError& e) {
            keepWindow(); // the window moved even when its drawing failed
            QMessageBox::warning(this, QStringLiteral("tkchart"), QString::fromUtf8(e.what()));
        }
    }

    // The window for the next ticker: what the chart shows now, unless it only cut the end.
    void keepWindow() {
        std::tie(first_, last_) = tkchart::windowKept(
            {first_, last_}, {chart_->starting_date_local(), chart_->ending_date_local()},
            chart_->loadedDays());
    }

    void chooseTimeRange() {
        if (timeRangeOpen_) return; // a second Ctrl+T while the dialog is up
        timeRangeOpen_ = true;
        tkchart::TimeRangeDialog dialog(*chart_, this);
        const bool chosen = dialog.exec() == QDialog::Accepted;
        timeRangeOpen_ = false;
        if (!chosen) return;
        first_ = dialog.range().newest;
        last_ = dialog.range().oldest;
        try {
            redraw(*chart_, first_, last_);
        } catch (const TKchartError& e) {
            QMessageBox::warning(this, QStringLiteral("tkchart"),
                                 QStringLiteral("The chart could not be drawn completely.\n\n%1")
                                     .arg(QString::fromUtf8(e.what())));
        }
    }

    void chooseTicker() {
        const QString folder = chart_->historyFolder();
        const QStringList tickers = tkchart::openableTickers(folder);
        if (tickers.isEmpty()) {
            QMessageBox::information(
                this, QStringLiteral("tkchart"),
                QStringLiteral("No history files in %1").arg(QDir::toNativeSeparators(folder)));
            return;
        }
        bool ok = false;
        const QString ticker = QInputDialog::getItem(
            this, QStringLiteral("Open ticker"), QStringLiteral("Ticker:"), tickers,
            static_cast<int>(std::max<qsizetype>(0, tickers.indexOf(shown_))), false, &ok);
        if (ok) showTicker(ticker, true);
    }

    void chooseChartFile() {
        const QString file =
            QFileDialog::getOpenFileName(this, QStringLiteral("Open chart"), {},
                                         QStringLiteral("Chart files (*.tkc);;All files (*)"));
        if (!file.isEmpty()) openChart(file);
    }

    void saveChartFile() {
        const QString file = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save chart"), chart_->ticker_name() + QStringLiteral(".tkc"),
            QStringLiteral("Chart files (*.tkc);;All files (*)"));
        if (file.isEmpty()) return;
        try {
            chart_->SaveChartInFile(file);
        } catch (const TKchartError& e) {
            QMessageBox::warning(this, QStringLiteral("tkchart"), QString::fromUtf8(e.what()));
        }
    }

    // The transactions report in a read-only window with a Copy button.
    void showReport() {
        QDialog dialog(this);
        dialog.setWindowTitle(QStringLiteral("Transactions report"));
        auto* text = new QPlainTextEdit(chart_->PrintTransactionsReport(), &dialog);
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
        QPushButton* copy =
            buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
        connect(copy, &QPushButton::clicked, &dialog,
                [text] { QGuiApplication::clipboard()->setText(text->toPlainText()); });
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(text);
        layout->addWidget(buttons);
        dialog.resize(560, 360);
        dialog.exec();
    }

    void savePicture() {
        const QString file = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save picture"), chart_->ticker_name() + QStringLiteral(".png"),
            QStringLiteral("PNG pictures (*.png)"));
        if (file.isEmpty()) return;
        if (const QString why = writePng(file, chart_->grab()); !why.isEmpty())
            QMessageBox::warning(this, QStringLiteral("tkchart"),
                                 QStringLiteral("Cannot write %1: %2").arg(file, why));
    }

    // The platform's print dialog, then the page on the printer the user chose.
    void printChart() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Print chart"));
        if (dialog.exec() != QDialog::Accepted) return;
        try {
            chart_->printOn(printer);
        } catch (const TKchartError& e) {
            QMessageBox::warning(this, QStringLiteral("tkchart"), QString::fromUtf8(e.what()));
        }
    }

    // The printed page as a PDF file the user names.
    void exportPdf() {
        const QString file = QFileDialog::getSaveFileName(
            this, QStringLiteral("Export PDF"), chart_->ticker_name() + QStringLiteral(".pdf"),
            QStringLiteral("PDF documents (*.pdf)"));
        if (file.isEmpty()) return;
        const QString before = chart_->printTarget();
        chart_->setPrintTarget(file, paper_);
        try {
            chart_->PrintEntireChart();
        } catch (const TKchartError& e) {
            QMessageBox::warning(this, QStringLiteral("tkchart"), QString::fromUtf8(e.what()));
        }
        chart_->setPrintTarget(before, paper_);
    }

    TKchart* chart_;
    QPageSize paper_;
    QAction* timeRange_ = nullptr;
    bool timeRangeOpen_ = false;
    QString shown_; // the ticker the chart shows
    qint16 first_;
    qint16 last_;
};

} // namespace

int main(int argc, char** argv) {
    const bool headless = wantsHeadless(argc, argv);
    if (headless) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tkchart"));
    const Options o = parseOptions(QApplication::arguments(), headless);
    if (o.headless) return renderHeadless(o);

    MainWindow window(o);
    if (!o.openChart.isEmpty()) {
        if (!window.openChart(o.openChart)) return 1;
        window.show();
        return QApplication::exec();
    }
    if (!window.showTicker(o.ticker, false)) return 1;
    if (o.first > window.chart().loadedDays())
        fail(QStringLiteral("--window starts at day %1, but %2 has only %3 days")
                 .arg(o.first)
                 .arg(o.ticker)
                 .arg(window.chart().loadedDays()),
             1);
    window.show();
    if (!o.script.isEmpty())
        QTimer::singleShot(0, &window, [&window, &o] {
            if (const QString why = tkchart::runScript(window.chart(), o.script, o.scriptTimeout);
                !why.isEmpty())
                std::fprintf(stderr, "tkchart: %s\n", qPrintable(why));
        });
    return QApplication::exec();
}
