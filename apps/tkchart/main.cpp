// SPDX-License-Identifier: BSD-3-Clause
// tkchart: shows the stock-chart control in a window, or renders it headless to a PNG file.

#include "HostRules.h"
#include "TimeRangeDialog.h"

#include <tk5chctl/TKchart.h>

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QStyle>
#include <QTextStream>
#include <QToolBar>

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
    std::optional<float> captionAt; // headless: the caption line for the day under x (twips)
    bool headless = false;
    QMap<QString, QString> settings;
    bool ownSettings = false; // settings given on the command line: keep the user's untouched
};

[[noreturn]] void fail(const QString& text, int code) {
    std::fprintf(stderr, "tkchart: %s\n", qPrintable(text));
    std::exit(code);
}

// A whole decimal number in [low, high], or nothing.
std::optional<int> wholeNumber(const QString& text, int low, int high) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return std::nullopt;
    return v;
}

// Whether the command line asks for a PNG, or there is no display to show a window on.
bool wantsHeadless(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--png") == 0 || std::strncmp(argv[i], "--png=", 6) == 0)
            return true;
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen")) return true;
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

Options parseOptions(const QStringList& arguments, bool headless) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows the stock chart of a ticker; renders it to a PNG file when there is no display "
        "or --png is given."));
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
    parser.addOptions({ticker, window, size, png, panes, setting, record, captionAt});

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
    if (headless) o.png = parser.isSet(png) ? parser.value(png) : QStringLiteral("tkchart.png");
    if (parser.isSet(record)) {
        if (!headless) fail(QStringLiteral("--record needs a headless render (give --png)"), 2);
        o.record = parser.value(record);
    }
    if (parser.isSet(captionAt)) {
        if (!headless) fail(QStringLiteral("--caption-at needs a headless render (give --png)"), 2);
        o.captionAt = tkchart::twipsFromText(parser.value(captionAt));
        if (!o.captionAt)
            fail(QStringLiteral("--caption-at must be a position in twips, a number, not '%1'")
                     .arg(parser.value(captionAt)),
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

// Loads the ticker; false (with a message) when its file gives no day.
bool load(TKchart& chart, const QString& ticker, QString* error) {
    chart.ReadDataFile(ticker);
    if (chart.loadedDays() > 0) return true;
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

int renderHeadless(const Options& o) {
    TKchart chart(o.settings);
    chart.resize(o.width, o.height);
    chart.show(); // lays the children out (and draws the empty chart)
    QCoreApplication::processEvents();

    QString error;
    if (!load(chart, o.ticker, &error)) fail(error, 1);
    if (o.first > chart.loadedDays())
        fail(QStringLiteral("--window starts at day %1, but %2 has only %3 days")
                 .arg(o.first)
                 .arg(o.ticker)
                 .arg(chart.loadedDays()),
             1);

    if (!o.record.isEmpty()) chart.startRecording();
    try {
        redraw(chart, o.first, o.last);
    } catch (const TKchartError& e) {
        std::fprintf(stderr, "tkchart: the chart could not be drawn completely: %s\n", e.what());
    }
    chart.stopRecording();

    int code = 0;
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

    const QPixmap picture = chart.grab();
    if (!picture.save(o.png, "PNG"))
        fail(QStringLiteral("cannot write the picture to %1").arg(o.png), 1);
    if (!o.record.isEmpty()) {
        QFile f(o.record);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            fail(QStringLiteral("cannot write the record to %1").arg(o.record), 1);
        QTextStream out(&f);
        for (const QString& line : chart.recordedDrawCalls())
            out << line << '\n';
    }
    return code;
}

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(const Options& o)
        : chart_(o.ownSettings ? new TKchart(o.settings, this) : new TKchart(this)),
          first_(o.first), last_(o.last) {
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
        QAction* save = file->addAction(QStringLiteral("&Save picture..."));
        save->setShortcut(QKeySequence::Save);
        connect(save, &QAction::triggered, this, [this] { savePicture(); });
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

    const TKchart& chart() const { return *chart_; }

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

    void savePicture() {
        const QString file = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save picture"), chart_->ticker_name() + QStringLiteral(".png"),
            QStringLiteral("PNG pictures (*.png)"));
        if (!file.isEmpty() && !chart_->grab().save(file, "PNG"))
            QMessageBox::warning(this, QStringLiteral("tkchart"),
                                 QStringLiteral("Cannot write %1").arg(file));
    }

    TKchart* chart_;
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
    if (!window.showTicker(o.ticker, false)) return 1;
    if (o.first > window.chart().loadedDays())
        fail(QStringLiteral("--window starts at day %1, but %2 has only %3 days")
                 .arg(o.first)
                 .arg(o.ticker)
                 .arg(window.chart().loadedDays()),
             1);
    window.show();
    return QApplication::exec();
}
