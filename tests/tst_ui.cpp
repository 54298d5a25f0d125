// SPDX-License-Identifier: BSD-3-Clause

#include "Fixtures.h"

#include "ui/IndicatorSettingsTab.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace tk5;

namespace {

// Records every message as "<boxes painted red while it is shown>: <text>[ (!) exclamation]".
struct TestPrompts : Prompts {
    QStringList shown;
    QList<QLineEdit*> boxes;
    void message(const QString& text, MessageIcon icon) override {
        QStringList red;
        for (QLineEdit* b : boxes)
            if (b->palette().color(QPalette::Base) == QColor(255, 0, 0)) red << b->objectName();
        const int i = icon == MessageIcon::None ? 0 : icon == MessageIcon::Exclamation ? 1 : 2;
        shown << red.join(',') + ": " + text + QStringList{"", " (!)", " (other)"}[i];
    }
    bool confirm(const QString&, const QString&, MessageIcon) override { return false; }
};

struct Tab {
    std::shared_ptr<TestPrompts> prompts = std::make_shared<TestPrompts>();
    IndicatorSettingsTab tab{prompts};
    PaneSettings panes{};
    QSignalSpy chosen{&tab, &IndicatorSettingsTab::kindChosen};
    QSignalSpy applied{&tab, &IndicatorSettingsTab::applyRequested};

    explicit Tab(std::int16_t k1 = 1, std::int16_t k2 = 3, std::int16_t k3 = 6) {
        std::tie(panes[0].kind, panes[1].kind, panes[2].kind) = std::tie(k1, k2, k3);
        tab.fillChoosers();
        tab.showPanes(panes);
        chosen.clear();
        prompts->boxes = tab.findChildren<QLineEdit*>();
    }
    template <typename W> W* child(const QString& name) { return tab.findChild<W*>(name); }
    QComboBox* combo(int p) { return child<QComboBox>(QString("Combo_%1").arg(p)); }
    QLineEdit* text(int r, int p) { return child<QLineEdit>(QString("Text%1_%2").arg(r).arg(p)); }
    // Rows 1|2|3 of a pane: "caption=value" for a shown row, "" for a hidden one.
    QString rows(int p) {
        QStringList out;
        for (int r = 1; r <= 3; ++r) {
            const QLabel* l = child<QLabel>(QString("Label%1_%2").arg(r).arg(p));
            const bool shown = l->isVisibleTo(&tab), half = shown != text(r, p)->isVisibleTo(&tab);
            out << (half ? "half shown" : shown ? l->text() + '=' + text(r, p)->text() : "");
        }
        return out.join('|');
    }
};

} // namespace

class TestUi : public QObject {
    Q_OBJECT
private slots:
    void init() { test::useEnglishLocale(); }

    // pane#kind#entry#rows 1|2|3
    void choosingIndicator_data() {
        QTest::addColumn<QStringList>("f");
        for (const char* r :
             {"1#1#Volume#||", "1#2#RSI#RSI periods=21||",
              "1#3#Fast Stochastic#%K periods fast=31|%D periods fast=32|",
              "1#4#Slow Stochastic#%K periods slow=41|%D periods slow=42|",
              "1#5#MACD#First MA per.=51|Second MA per.=52|Signal MA per.=53",
              "1#6#Exp. MA Difference#1st periods=61|2nd periods=62|",
              "1#7#Momentum#Momentum per.=71||", "1#8#Volatility#1st periods=81|2nd periods=82|",
              "1#9#On Balance Volume#||", "1#10#Money Flow Index#Momentum per.=101||",
              "3#1#Volume#||"})
            QTest::newRow(r) << QString(r).split('#');
    }
    void choosingIndicator() {
        QFETCH(QStringList, f);
        const int pane = f[0].toInt(), kind = f[1].toInt();
        Tab t;
        // kind, rsi, fs K/D, ss K/D, ema 1/2, macd 1/2/3, momentum, volatility 1/2, money flow
        t.panes[pane - 1] = {0, 21, 31, 32, 41, 42, 61, 62, 51, 52, 53, 71, 81, 82, 101};
        t.tab.showPanes(t.panes);
        t.combo(pane)->setCurrentIndex(kind == 5 ? 1 : 4); // from RSI's one row or MACD's three
        t.combo(pane)->setCurrentIndex(kind - 1);
        QCOMPARE(t.chosen.last(), QVariantList({pane, qint16(kind)}));
        QCOMPARE(t.combo(pane)->currentText(), f[2]);
        QCOMPARE(t.tab.panes()[size_t(pane - 1)].kind, std::int16_t(kind));
        QCOMPARE(t.rows(pane), f[3]);
        QVERIFY(t.applied.isEmpty()); // choosing alone applies nothing
        t.text(1, pane)->setText(QString("99"));
        Q_EMIT t.combo(pane)->activated(kind - 1); // picking it again shows the fields again
        QCOMPARE(t.rows(pane), f[3]);
    }

    // kind#chooser position#pane's rows
    void showPanes_data() {
        QTest::addColumn<QStringList>("f");
        for (const char* r : {"1#0#||", "10#9#Momentum per.=10||", "0#-1#||", "11#-1#||"})
            QTest::newRow(r) << QString(r).split('#');
    }
    void showPanes() {
        QFETCH(QStringList, f);
        Tab t(2, 5, 7); // pane 2 shows MACD's three rows first
        t.panes[1].kind = f[0].toShort();
        t.panes[0].rsi_periods = 32767; // pane 1 stays at RSI, its row must show the new value
        t.tab.showPanes(t.panes);
        QCOMPARE(t.tab.panes()[1].kind, f[0].toShort()); // never rewritten by an empty choice
        QVERIFY(t.chosen.isEmpty());                     // showing is not choosing
        QCOMPARE(t.rows(2) + ' ' + t.rows(1), f[2] + " RSI periods=32767||");
        QCOMPARE(QList<int>({t.combo(2)->count(), t.combo(1)->currentIndex(),
                             t.combo(2)->currentIndex(), t.combo(3)->currentIndex()}),
                 QList<int>({10, 1, f[1].toInt(), 6}));
    }

    // name#typed#MACD's first period stored (12: unchanged)#"red box: message" joined by '|',
    // N: not a number, O: over 1, U: under 300.
    void validation_data() {
        QTest::addColumn<QStringList>("f");
        for (const char* row :
             {"empty##12#Text1_1: N", "blanks# 5 #5#", "group sep#2,5#12#Text1_1: N",
              "exponent#1e2#100#", "lowest#1#1#", "highest#300#300#", "zero#0#12#Text1_1: O",
              "above#301#12#Text1_1: U", "2.5 to 2#2.5#2#", "3.5 to 4#3.5#4#",
              "below 1#0.5#12#Text1_1: O", "above 300#300.4#12#Text1_1: U",
              "huge#99999999999#12#Text1_1: U", "1e400#1e400#12#Text1_1: N",
              "1e-400#1e-400#12#Text1_1: O", "infinity#inf#12#Text1_1: N", "german comma#2,5#2#",
              "german point#2.5#12#Text1_1: N",
              "panes 1 and 3#0;Text1_3=400#12#Text1_1: O|Text1_3: U",
              // A non-number ends validation: no later row or pane is checked.
              "pane 1 stops pane 3#abc;Text1_3=400#12#Text1_1: N",
              "row 2 stops row 3#0;Text2_1=x;Text3_1=400;Text1_3=400#12#Text1_1: O|Text2_1: N",
              "valid rows first#10;Text2_1=20;Text3_1=;Text1_3=400#12#Text3_1: N"})
            QTest::newRow(QByteArray(row).split('#')[0]) << QString(row).split('#');
    }
    void validation() {
        QFETCH(QStringList, f);
        const QString shown = QString(f[3])
                                  .replace(": N", ": Numeric expression required (!)")
                                  .replace(": O", ": The value has to be greater than 1")
                                  .replace(": U", ": The value has to be less than 300");
        if (QByteArray(QTest::currentDataTag()).startsWith("german"))
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Tab t(5, 1, 7);                            // MACD, Volume, Momentum
        const QStringList typed = f[1].split(';'); // box=text, a bare text goes to Text1_1
        const auto box = [&](const QString& e) {
            return t.child<QLineEdit>(e.contains('=') ? e.section('=', 0, 0) : "Text1_1");
        };
        for (const QString& e : typed)
            box(e)->setText(e.section('=', -1));
        t.tab.applyButton()->click();
        QCOMPARE(t.prompts->shown.join('|'), shown);
        for (const QString& e : typed) // each box keeps what was typed, in white
            QCOMPARE(box(e)->text() + box(e)->palette().color(QPalette::Base).name(),
                     e.section('=', -1) + "#ffffff");
        QCOMPARE(t.applied.size(), shown.isEmpty() ? 1 : 0); // not even the valid rows on a failure
        const std::int16_t stored = f[2].toShort();
        QCOMPARE(t.tab.panes()[0].macd_periods1, stored);
        if (shown.isEmpty())
            QCOMPARE(t.applied[0][0].value<PaneSettings>()[0].macd_periods1, stored);
    }

    // A list opens as focus comes by tab key or mouse, not as the list closes or with the window.
    // Widened once, a list is as wide as its chooser and shows all ten entries unscrolled.
    void lists() {
        Tab t;
        t.tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.tab));
        for (auto [pane, reason] : {std::pair{1, Qt::TabFocusReason},
                                    {3, Qt::MouseFocusReason},
                                    {1, Qt::PopupFocusReason},
                                    {3, Qt::ActiveWindowFocusReason}}) {
            const bool opens = reason == Qt::TabFocusReason || reason == Qt::MouseFocusReason;
            QComboBox* c = t.combo(pane);
            QVERIFY(!c->view()->isVisible());
            QFocusEvent focusIn(QEvent::FocusIn, reason); // as the platform delivers it
            QApplication::sendEvent(c, &focusIn);
            QCOMPARE(c->view()->isVisible(), opens);
            c->hidePopup();
        }
        t.tab.widenListsOnce();
        QCOMPARE(t.combo(2)->maxVisibleItems(), 12);
        QComboBox* c = t.combo(2);
        QCOMPARE(c->view()->minimumWidth(), c->width());
        c->showPopup();
        QTRY_VERIFY(c->view()->isVisible());
        QCOMPARE(c->view()->verticalScrollBar()->maximum(), 0);
        c->hidePopup();
        t.combo(1)->setMaxVisibleItems(5); // later tab clicks change nothing, even narrowed lists
        t.tab.widenListsOnce();
        QCOMPARE(t.combo(1)->maxVisibleItems(), 5);
    }
};

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
