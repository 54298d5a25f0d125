// The Indicators tab: choosing a pane's indicator, the period rows it shows, checking the
// period boxes, "Apply now" (store, save, redraw) and the two chooser-list behaviours.

#include "Fixtures.h"

#include "common/ChartError.h"
#include "tk5chctl/Prompts.h"
#include "ui/IndicatorSettingsTab.h"
#include "ui/mdlValidation.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <vector>

using namespace tk5;

Q_DECLARE_METATYPE(tk5::MessageIcon)

namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

// Records every message with the boxes painted red while it is shown.
class TestPrompts : public Prompts {
public:
    struct Shown {
        QString text;
        MessageIcon icon;
        QStringList redBoxes;
    };
    std::vector<Shown> shown;
    QList<QLineEdit*> boxes;

    void message(const QString& text, MessageIcon icon) override {
        QStringList red;
        for (QLineEdit* b : boxes)
            if (b->palette().color(QPalette::Base) == kRed) red << b->objectName();
        shown.push_back({text, icon, red});
    }
    bool confirm(const QString&) override { return false; }

    QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }
};

// Keeps the order in which keys are written.
class OrderedStore : public MemorySettingsStore {
public:
    QStringList order;
    void setValue(const QString& key, const QString& text) override {
        order << key;
        MemorySettingsStore::setValue(key, text);
    }
};

// Every period field of a pane given a value of its own, so a row shows which field it
// reads.
void markFields(IndicatorSettings& s) {
    s.rsi_periods = 21;
    s.fs_periods_k = 31;
    s.fs_periods_d = 32;
    s.ss_periods_k = 41;
    s.ss_periods_d = 42;
    s.macd_periods1 = 51;
    s.macd_periods2 = 52;
    s.macd_periods3 = 53;
    s.exp_ma_periods1 = 61;
    s.exp_ma_periods2 = 62;
    s.momentum_periods = 71;
    s.volatility_periods1 = 81;
    s.volatility_periods2 = 82;
    s.money_flow_periods = 101;
}

// A control after start-up (choosers filled, pane kinds selected) with the default kinds
// 1, 3, 6.
struct Tab {
    test::CoreFixture f;
    TestPrompts prompts;
    IndicatorSettingsTab tab{f.core, prompts};
    ChartState& st = f.core.state();

    explicit Tab(std::int16_t k1 = 1, std::int16_t k2 = 3, std::int16_t k3 = 6) {
        st.pane(1).kind = k1;
        st.pane(2).kind = k2;
        st.pane(3).kind = k3;
        tab.fillChoosers();
        tab.selectPaneKinds();
        prompts.boxes = tab.findChildren<QLineEdit*>();
    }
    template <typename W> W* child(const QString& name) {
        W* w = tab.findChild<W*>(name);
        if (!w) qFatal("no child %s", qPrintable(name));
        return w;
    }
    QComboBox* combo(int p) { return child<QComboBox>(QStringLiteral("Combo_%1").arg(p)); }
    QLabel* label(int r, int p) {
        return child<QLabel>(QStringLiteral("Label%1_%2").arg(r).arg(p));
    }
    QLineEdit* text(int r, int p) {
        return child<QLineEdit>(QStringLiteral("Text%1_%2").arg(r).arg(p));
    }
    bool rowShown(int r, int p) {
        return label(r, p)->isVisibleTo(&tab) && text(r, p)->isVisibleTo(&tab);
    }
    bool rowHidden(int r, int p) {
        return !label(r, p)->isVisibleTo(&tab) && !text(r, p)->isVisibleTo(&tab);
    }
    void pick(int p, int kind) { combo(p)->setCurrentIndex(kind - 1); }
    void apply() { tab.applyButton()->click(); }
    bool nothingDrawn() {
        for (const RecordingSurface* s :
             {&f.surfaces.Picture1, &f.surfaces.Picture2, &f.surfaces.Picture3,
              &f.surfaces.Picture4, &f.surfaces.TechRuler1})
            if (!s->calls().calls().empty()) return false;
        return true;
    }
};

} // namespace

class TestUi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::useEnglishLocale(); }

    void frameLayout_data();
    void frameLayout();
    void startUpFillsChoosers();
    void choosingIndicator_data();
    void choosingIndicator();
    void pickingSameEntryAgainRewritesRows();
    void selectPaneKinds_data();
    void selectPaneKinds();
    void selectingUnchangedPositionShowsNewValues();

    void applyEntry_data();
    void applyEntry();
    void validateFieldBounds_data();
    void validateFieldBounds();
    void faultsInPanes1And3GiveTwoMessages();
    void nonNumberEndsValidation_data();
    void nonNumberEndsValidation();
    void hugeFieldValuesAreRejected();
    void successfulApplySavesAndRedraws();
    void applyWithoutSettingsStore();
    void failingDrawingEndsApplyQuietly();

    void focusOpensList_data();
    void focusOpensList();
    void focusComingBackKeepsListClosed_data();
    void focusComingBackKeepsListClosed();
    void listsWidenOnlyOnce();
};

// ---- layout and choosing ----------------------------------------------------------------

void TestUi::frameLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    // twips / 15: 120, 420, 2265, 6825 -> 8, 28, 151, 455
    QTest::newRow("frame") << "Frame2" << QRect(8, 28, 151, 455);
    // 180, 1905, 1935, 315
    QTest::newRow("chooser 2") << "Combo_2" << QRect(12, 127, 129, 21);
    // 240, 780, 1215, 195
    QTest::newRow("label 1 of pane 1") << "Label1_1" << QRect(16, 52, 81, 13);
    // 240, 4440, 1215, 255
    QTest::newRow("label 2 of pane 3") << "Label2_3" << QRect(16, 296, 81, 17);
    // 1560, 3105, 495, 285
    QTest::newRow("text 3 of pane 2") << "Text3_2" << QRect(104, 207, 33, 19);
    // 240, 6180, 1815, 315
    QTest::newRow("apply button") << "Command1" << QRect(16, 412, 121, 21);
}

void TestUi::frameLayout() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    Tab t;
    QWidget* w = name == QLatin1String("Frame2") ? &t.tab : t.child<QWidget>(name);
    QCOMPARE(w->geometry(), pixels);
    QCOMPARE(t.tab.title(), QStringLiteral("Indicators"));
    QCOMPARE(t.tab.applyButton()->text(), QStringLiteral("Apply now"));
}

void TestUi::startUpFillsChoosers() {
    test::CoreFixture f;
    TestPrompts prompts;
    IndicatorSettingsTab tab(f.core, prompts);
    f.core.state().pane(1).kind = 5;
    f.core.state().pane(2).kind = 7;
    f.core.state().pane(3).kind = 10;
    tab.fillChoosers();
    const QStringList entries = {"Volume",          "RSI",        "Fast Stochastic",
                                 "Slow Stochastic", "MACD",       "Exp. MA Difference",
                                 "Momentum",        "Volatility", "On Balance Volume",
                                 "Money Flow Index"};
    for (int p = 1; p <= 3; ++p) {
        QComboBox* c = tab.chooser(p);
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        QCOMPARE(items, entries);
        // Filling selects nothing and so does not change the kinds read at start-up.
        QCOMPARE(c->currentIndex(), -1);
    }
    QCOMPARE(f.core.state().pane(1).kind, std::int16_t(5));
    QCOMPARE(f.core.state().pane(2).kind, std::int16_t(7));
    QCOMPARE(f.core.state().pane(3).kind, std::int16_t(10));
}

void TestUi::choosingIndicator_data() {
    QTest::addColumn<int>("pane");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("captions"); // empty: the row is hidden
    QTest::addColumn<QStringList>("values");
    // Field values set by markFields().
    QTest::newRow("volume") << 1 << 1 << QStringList{"", "", ""} << QStringList{"", "", ""};
    QTest::newRow("rsi") << 1 << 2 << QStringList{"RSI periods", "", ""}
                         << QStringList{"21", "", ""};
    QTest::newRow("fast stochastic")
        << 1 << 3 << QStringList{"%K periods fast", "%D periods fast", ""}
        << QStringList{"31", "32", ""};
    QTest::newRow("slow stochastic")
        << 1 << 4 << QStringList{"%K periods slow", "%D periods slow", ""}
        << QStringList{"41", "42", ""};
    QTest::newRow("macd") << 1 << 5
                          << QStringList{"First MA per.", "Second MA per.", "Signal MA per."}
                          << QStringList{"51", "52", "53"};
    QTest::newRow("ema difference")
        << 1 << 6 << QStringList{"1st periods", "2nd periods", ""} << QStringList{"61", "62", ""};
    QTest::newRow("momentum") << 1 << 7 << QStringList{"Momentum per.", "", ""}
                              << QStringList{"71", "", ""};
    QTest::newRow("volatility") << 1 << 8 << QStringList{"1st periods", "2nd periods", ""}
                                << QStringList{"81", "82", ""};
    QTest::newRow("on balance volume")
        << 1 << 9 << QStringList{"", "", ""} << QStringList{"", "", ""};
    QTest::newRow("money flow has the momentum caption")
        << 1 << 10 << QStringList{"Momentum per.", "", ""} << QStringList{"101", "", ""};
    QTest::newRow("pane 2 macd") << 2 << 5
                                 << QStringList{"First MA per.", "Second MA per.", "Signal MA per."}
                                 << QStringList{"51", "52", "53"};
    QTest::newRow("pane 3 volume") << 3 << 1 << QStringList{"", "", ""} << QStringList{"", "", ""};
}

void TestUi::choosingIndicator() {
    QFETCH(int, pane);
    QFETCH(int, kind);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, values);
    Tab t;
    markFields(t.st.pane(pane));
    // Start from MACD (all three rows shown) unless MACD is the choice itself.
    t.pick(pane, kind == 5 ? 2 : 5);
    const std::array<std::int16_t, 3> before = {t.st.pane(1).kind, t.st.pane(2).kind,
                                                t.st.pane(3).kind};
    t.pick(pane, kind);

    QCOMPARE(t.st.pane(pane).kind, std::int16_t(kind));
    for (int r = 1; r <= 3; ++r) {
        const QString caption = captions.at(r - 1);
        if (caption.isEmpty()) {
            QVERIFY2(t.rowHidden(r, pane), qPrintable(QStringLiteral("row %1").arg(r)));
        } else {
            QVERIFY2(t.rowShown(r, pane), qPrintable(QStringLiteral("row %1").arg(r)));
            QCOMPARE(t.label(r, pane)->text(), caption);
            QCOMPARE(t.text(r, pane)->text(), values.at(r - 1));
        }
    }
    for (int p = 1; p <= 3; ++p)
        if (p != pane) QCOMPARE(t.st.pane(p).kind, before[static_cast<size_t>(p - 1)]);
    // Choosing alone neither redraws nor saves.
    QVERIFY(t.nothingDrawn());
    QVERIFY(t.f.store.values().isEmpty());
}

void TestUi::pickingSameEntryAgainRewritesRows() {
    Tab t(2, 3, 6);
    t.text(1, 1)->setText(QStringLiteral("99"));
    // The user opens the list and picks "RSI", the entry already selected.
    QComboBox* c = t.combo(1);
    emit c->activated(1);
    QCOMPARE(t.text(1, 1)->text(), QStringLiteral("14"));
    QCOMPARE(t.st.pane(1).kind, std::int16_t(2));
}

void TestUi::selectPaneKinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("row1");
    QTest::newRow("volume") << 1 << 0 << false;
    QTest::newRow("money flow") << 10 << 9 << true;
    QTest::newRow("zero") << 0 << -1 << false;
    QTest::newRow("eleven") << 11 << -1 << false;
    QTest::newRow("twelve") << 12 << -1 << false;
    QTest::newRow("negative") << -1 << -1 << false;
    QTest::newRow("largest") << 32767 << -1 << false;
}

void TestUi::selectPaneKinds() {
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(bool, row1);
    // Pane 2 shows MACD first, so a pane left unselected must hide rows it showed before.
    Tab t(2, 5, 7);
    t.st.pane(2).kind = static_cast<std::int16_t>(kind);
    t.tab.selectPaneKinds();

    QCOMPARE(t.combo(2)->currentIndex(), position);
    QCOMPARE(t.st.pane(2).kind, std::int16_t(kind)); // never rewritten by an empty choice
    QCOMPARE(t.rowShown(1, 2), row1);
    QVERIFY(t.rowHidden(2, 2));
    QVERIFY(t.rowHidden(3, 2));
    // The other panes are selected as before.
    QCOMPARE(t.combo(1)->currentIndex(), 1);
    QCOMPARE(t.combo(3)->currentIndex(), 6);
    QVERIFY(t.rowShown(1, 3));
}

void TestUi::selectingUnchangedPositionShowsNewValues() {
    Tab t(1, 5, 6);
    // A chart file brings new periods for the same indicator: the chooser's position stays
    // at MACD, yet the rows must show the new values.
    t.st.pane(2).macd_periods1 = 77;
    t.st.pane(2).macd_periods3 = 9;
    t.tab.selectPaneKinds();
    QCOMPARE(t.text(1, 2)->text(), QStringLiteral("77"));
    QCOMPARE(t.text(2, 2)->text(), QStringLiteral("26"));
    QCOMPARE(t.text(3, 2)->text(), QStringLiteral("9"));
}

// ---- validation and "Apply now" --------------------------------------------------------

void TestUi::applyEntry_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<int>("stored");
    const QString nan = QStringLiteral("Numeric expression required");
    const QString greater = QStringLiteral("The value has to be greater than 1");
    const QString less = QStringLiteral("The value has to be less than 300");
    const MessageIcon none = MessageIcon::None;
    const MessageIcon excl = MessageIcon::Exclamation;
    // A failing entry leaves the default of 14.
    QTest::newRow("empty") << "" << nan << excl << 14;
    QTest::newRow("blank before") << " 5"
                                  << "" << none << 5;
    QTest::newRow("group separator") << "2,5" << nan << excl << 14;
    QTest::newRow("exponent") << "1e2"
                              << "" << none << 100;
    QTest::newRow("letters") << "abc" << nan << excl << 14;
    QTest::newRow("lowest") << "1"
                            << "" << none << 1;
    QTest::newRow("highest") << "300"
                             << "" << none << 300;
    QTest::newRow("zero") << "0" << greater << none << 14;
    QTest::newRow("above") << "301" << less << none << 14;
    QTest::newRow("negative") << "-1" << greater << none << 14;
    QTest::newRow("half rounds down to even") << "2.5"
                                              << "" << none << 2;
    QTest::newRow("half rounds up to even") << "3.5"
                                            << "" << none << 4;
    QTest::newRow("fraction below one") << "0.5" << greater << none << 14;
    QTest::newRow("fraction above 300") << "300.4" << less << none << 14;
    QTest::newRow("huge") << "99999999999" << less << none << 14;
    QTest::newRow("overflowing double") << "1e400" << nan << excl << 14;
}

void TestUi::applyEntry() {
    QFETCH(QString, entry);
    QFETCH(QString, message);
    QFETCH(MessageIcon, icon);
    QFETCH(int, stored);
    // Pane 1 RSI; panes 2 and 3 show indicators without periods.
    Tab t(2, 1, 9);
    test::fillSeries(t.st.series, test::waveDays(250));
    t.text(1, 1)->setText(entry);
    QSignalSpy applied(&t.tab, &IndicatorSettingsTab::applied);
    t.apply();

    QCOMPARE(t.st.pane(1).rsi_periods, std::int16_t(stored));
    if (message.isEmpty()) {
        QVERIFY(t.prompts.shown.empty());
        QCOMPARE(t.f.store.value(QStringLiteral("1RSI_periods")), QString::number(stored));
        QCOMPARE(applied.count(), 1);
    } else {
        QCOMPARE(t.prompts.texts(), QStringList{message});
        QCOMPARE(t.prompts.shown[0].icon, icon);
        // Red while the message is up, white afterwards.
        QCOMPARE(t.prompts.shown[0].redBoxes, QStringList{"Text1_1"});
        QCOMPARE(t.text(1, 1)->palette().color(QPalette::Base), kWhite);
        QVERIFY(t.f.store.values().isEmpty());
        QVERIFY(t.nothingDrawn());
        QCOMPARE(applied.count(), 0);
    }
}

void TestUi::validateFieldBounds_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("message");
    QTest::newRow("lower bound") << "en_US"
                                 << "-5" << true << "";
    QTest::newRow("upper bound") << "en_US"
                                 << "5" << true << "";
    QTest::newRow("below negative min") << "en_US"
                                        << "-6" << false << "The value has to be greater than -5";
    QTest::newRow("above max") << "en_US"
                               << "5.01" << false << "The value has to be less than 5";
    QTest::newRow("blanks around") << "en_US"
                                   << "  -2  " << true << "";
    QTest::newRow("comma is the decimal separator") << "de_DE"
                                                    << "2,5" << true << "";
    QTest::newRow("point is a group separator") << "de_DE"
                                                << "2.5" << false << "Numeric expression required";
}

void TestUi::validateFieldBounds() {
    QFETCH(QString, locale);
    QFETCH(QString, entry);
    QFETCH(bool, valid);
    QFETCH(QString, message);
    QLocale::setDefault(QLocale(locale));
    QLineEdit box;
    box.setText(entry);
    TestPrompts prompts;
    prompts.boxes = {&box};
    const bool answer = ValidateField(box, -5, 5, prompts);
    test::useEnglishLocale();
    QCOMPARE(answer, valid);
    QCOMPARE(prompts.texts(), valid ? QStringList{} : QStringList{message});
    if (!valid) QCOMPARE(prompts.shown[0].redBoxes.size(), 1);
    QCOMPARE(box.text(), entry); // the box keeps what the user typed
}

void TestUi::faultsInPanes1And3GiveTwoMessages() {
    Tab t(2, 1, 7); // RSI, Volume, Momentum
    t.text(1, 1)->setText(QStringLiteral("0"));
    t.text(1, 3)->setText(QStringLiteral("400"));
    t.apply();
    QCOMPARE(t.prompts.texts(), (QStringList{"The value has to be greater than 1",
                                             "The value has to be less than 300"}));
    QCOMPARE(t.prompts.shown[0].redBoxes, QStringList{"Text1_1"});
    QCOMPARE(t.prompts.shown[1].redBoxes, QStringList{"Text1_3"});
    QCOMPARE(t.st.pane(1).rsi_periods, std::int16_t(14));
    QCOMPARE(t.st.pane(3).momentum_periods, std::int16_t(12));
    QVERIFY(t.f.store.values().isEmpty());
    QVERIFY(t.nothingDrawn());
}

void TestUi::nonNumberEndsValidation_data() {
    QTest::addColumn<int>("kind1");
    QTest::addColumn<QStringList>("rows1");
    QTest::addColumn<QString>("pane3");
    QTest::addColumn<QStringList>("messages");
    const QString nan = QStringLiteral("Numeric expression required");
    QTest::newRow("pane 1 stops before pane 3")
        << 2 << QStringList{"abc"} << "400" << QStringList{nan};
    // Inside one pane: the first row is checked, the second stops the run, the third is not
    // checked.
    QTest::newRow("macd rows") << 5 << QStringList{"0", "x", "400"} << "400"
                               << QStringList{"The value has to be greater than 1", nan};
    QTest::newRow("valid rows before")
        << 5 << QStringList{"10", "20", ""} << "400" << QStringList{nan};
}

void TestUi::nonNumberEndsValidation() {
    QFETCH(int, kind1);
    QFETCH(QStringList, rows1);
    QFETCH(QString, pane3);
    QFETCH(QStringList, messages);
    Tab t(static_cast<std::int16_t>(kind1), 1, 7);
    for (int r = 0; r < rows1.size(); ++r)
        t.text(r + 1, 1)->setText(rows1[r]);
    t.text(1, 3)->setText(pane3);
    t.apply();
    QCOMPARE(t.prompts.texts(), messages);
    QCOMPARE(t.st.pane(1).macd_periods1, std::int16_t(12));
    QVERIFY(t.f.store.values().isEmpty());
    QVERIFY(t.nothingDrawn());
}

void TestUi::hugeFieldValuesAreRejected() {
    // Fields at the ends of the 16-bit range, as a chart file or another host may leave them.
    Tab t(1, 7, 5);
    t.st.pane(2).momentum_periods = 32767;
    t.st.pane(3).macd_periods2 = -32768;
    t.tab.selectPaneKinds();
    QCOMPARE(t.text(1, 2)->text(), QStringLiteral("32767"));
    QCOMPARE(t.text(2, 3)->text(), QStringLiteral("-32768"));
    t.apply();
    QCOMPARE(t.prompts.texts(), (QStringList{"The value has to be less than 300",
                                             "The value has to be greater than 1"}));
    QCOMPARE(t.st.pane(2).momentum_periods, std::int16_t(32767));
    QVERIFY(t.f.store.values().isEmpty());
}

void TestUi::successfulApplySavesAndRedraws() {
    Tab t(1, 1, 1);
    OrderedStore store;
    t.f.core.setSettingsStore(&store);
    // close[i] = 400 - i: the close rises by one every day, so momentum over P days is P on
    // every shown day and the pane's scale top M is P.
    std::vector<test::Day> days;
    for (int i = 1; i <= 300; ++i) {
        const float c = static_cast<float>(400 - i);
        days.push_back({c + 1.0f, c - 1.0f, c, 1000 + i});
    }
    test::fillSeries(t.st.series, days);
    int drawn = 0;
    t.f.core.onDrawComplete = [&drawn] { ++drawn; };

    t.pick(1, 7);
    t.pick(2, 2);
    t.pick(3, 7);
    t.text(1, 1)->setText(QStringLiteral("7"));
    t.text(1, 2)->setText(QStringLiteral("20"));
    t.text(1, 3)->setText(QStringLiteral("25.5")); // stored as 26
    QSignalSpy applied(&t.tab, &IndicatorSettingsTab::applied);
    t.apply();

    QVERIFY(t.prompts.shown.empty());
    QCOMPARE(t.st.pane(1).momentum_periods, std::int16_t(7));
    QCOMPARE(t.st.pane(2).rsi_periods, std::int16_t(20));
    QCOMPARE(t.st.pane(3).momentum_periods, std::int16_t(26));

    // 14 periods per pane in their fixed order, then the three kinds: 45 keys.
    const QStringList names = {"RSI_periods",        "FS_periodsD",     "FS_periodsK",
                               "SS_periodsD",        "SS_periodsK",     "ExpMAperiods1",
                               "ExpMAperiods2",      "MACDperiods1",    "MACDperiods2",
                               "MACDperiods3",       "Momentumperiods", "Volatilityperiods1",
                               "Volatilityperiods2", "MoneyFlowperiods"};
    QStringList expected;
    for (int p = 1; p <= 3; ++p)
        for (const QString& n : names)
            expected << QString::number(p) + n;
    expected << "Tech1"
             << "Tech2"
             << "Tech3";
    QCOMPARE(store.order, expected);
    QCOMPARE(store.values().size(), 45);
    QCOMPARE(store.value("1Momentumperiods"), QStringLiteral("7"));
    QCOMPARE(store.value("2RSI_periods"), QStringLiteral("20"));
    QCOMPARE(store.value("3Momentumperiods"), QStringLiteral("26"));
    // Fields not shown are saved with their current values.
    QCOMPARE(store.value("1RSI_periods"), QStringLiteral("14"));
    QCOMPARE(store.value("2MACDperiods2"), QStringLiteral("26"));
    QCOMPARE(store.value("3FS_periodsD"), QStringLiteral("5"));
    QCOMPARE(store.value("3MoneyFlowperiods"), QStringLiteral("10"));
    QCOMPARE(store.value("Tech1"), QStringLiteral("7"));
    QCOMPARE(store.value("Tech2"), QStringLiteral("2"));
    QCOMPARE(store.value("Tech3"), QStringLiteral("7"));

    // The chart was cleared and drawn again, the panes with their new periods.
    const auto& s = t.f.surfaces;
    QVERIFY(!test::callsOf(s.Picture1, DrawCall::Op::Cls).empty());
    QVERIFY(!test::callsOf(s.Picture1, DrawCall::Op::Line).empty());
    QVERIFY(!test::callsOf(s.Picture3, DrawCall::Op::Line).empty());
    QCOMPARE(test::printed(s.TechRuler1), (QStringList{"7.00", "0", "-7.00"}));
    QCOMPARE(test::printed(s.TechRuler3), (QStringList{"26.00", "0", "-26.00"}));
    QCOMPARE(drawn, 1);
    QCOMPARE(applied.count(), 1);
}

void TestUi::applyWithoutSettingsStore() {
    Tab t(7, 1, 1);
    t.f.core.setSettingsStore(nullptr);
    test::fillSeries(t.st.series, test::waveDays(250));
    int drawn = 0;
    t.f.core.onDrawComplete = [&drawn] { ++drawn; };
    t.text(1, 1)->setText(QStringLiteral("9"));
    t.apply();
    QCOMPARE(t.st.pane(1).momentum_periods, std::int16_t(9));
    QCOMPARE(drawn, 1);
    QVERIFY(t.f.store.values().isEmpty());
}

void TestUi::failingDrawingEndsApplyQuietly() {
    Tab t(7, 1, 1);
    test::fillSeries(t.st.series, test::waveDays(250));
    // The last drawing step fails.
    t.f.core.onDrawComplete = [] {
        throw ChartError(ChartError::Kind::IndexOutOfRange, "day out of range");
    };
    t.text(1, 1)->setText(QStringLiteral("9"));
    QSignalSpy applied(&t.tab, &IndicatorSettingsTab::applied);
    t.apply(); // must not throw out of the click
    QCOMPARE(t.st.pane(1).momentum_periods, std::int16_t(9));
    // The periods were saved before the redraw; the kinds would have come after it.
    QCOMPARE(t.f.store.values().size(), 42);
    QCOMPARE(t.f.store.value("1Momentumperiods"), QStringLiteral("9"));
    QVERIFY(t.f.store.value("Tech1").isNull());
    QCOMPARE(applied.count(), 1);
}

// ---- the chooser lists -------------------------------------------------------------------

void TestUi::focusOpensList_data() {
    QTest::addColumn<int>("pane");
    QTest::addColumn<Qt::FocusReason>("reason");
    QTest::newRow("tab key") << 1 << Qt::TabFocusReason;
    QTest::newRow("back tab") << 2 << Qt::BacktabFocusReason;
    QTest::newRow("mouse") << 3 << Qt::MouseFocusReason;
    QTest::newRow("program") << 2 << Qt::OtherFocusReason;
}

void TestUi::focusOpensList() {
    QFETCH(int, pane);
    QFETCH(Qt::FocusReason, reason);
    Tab t;
    t.tab.show();
    t.tab.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t.tab));
    t.tab.applyButton()->setFocus();
    QVERIFY(!t.combo(pane)->view()->isVisible());
    t.combo(pane)->setFocus(reason);
    QTRY_VERIFY(t.combo(pane)->view()->isVisible());
    t.combo(pane)->hidePopup();
}

void TestUi::focusComingBackKeepsListClosed_data() {
    QTest::addColumn<Qt::FocusReason>("reason");
    // As the list closes, the focus returns to the chooser from the list.
    QTest::newRow("list closed") << Qt::PopupFocusReason;
    // The user comes back to the window, whose focus was on the chooser.
    QTest::newRow("window activated") << Qt::ActiveWindowFocusReason;
}

void TestUi::focusComingBackKeepsListClosed() {
    QFETCH(Qt::FocusReason, reason);
    Tab t;
    t.tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.tab));
    QComboBox* c = t.combo(1);
    // The focus event the platform delivers to the chooser in that case.
    QFocusEvent back(QEvent::FocusIn, reason);
    QApplication::sendEvent(c, &back);
    QTest::qWait(20);
    QVERIFY(!c->view()->isVisible());
    // The same event for focus that arrives opens the list.
    QFocusEvent arrives(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(c, &arrives);
    QTRY_VERIFY(c->view()->isVisible());
    c->hidePopup();
}

void TestUi::listsWidenOnlyOnce() {
    Tab t;
    t.tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.tab));
    QCOMPARE(t.st.combos_extended, kFalse);
    t.tab.widenListsOnce();
    QCOMPARE(t.st.combos_extended, kTrue);
    for (int p = 1; p <= 3; ++p) {
        QComboBox* c = t.combo(p);
        QVERIFY(c->maxVisibleItems() >= 10);
        QCOMPARE(c->view()->minimumWidth(), c->width());
    }
    // The opened list shows all ten entries without scrolling.
    QComboBox* c = t.combo(2);
    c->showPopup();
    QTRY_VERIFY(c->view()->isVisible());
    QCOMPARE(c->view()->verticalScrollBar()->maximum(), 0);
    c->hidePopup();

    // Later tab clicks change nothing, even after the lists were narrowed again.
    t.combo(1)->setMaxVisibleItems(5);
    t.tab.widenListsOnce();
    QCOMPARE(t.combo(1)->maxVisibleItems(), 5);
    QCOMPARE(t.st.combos_extended, kTrue);
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
