// SPDX-License-Identifier: BSD-3-Clause
// The Indicators tab: choosing a pane's indicator, the period rows it shows, checking the
// period boxes on "Apply now" and the two chooser-list behaviours.

#include "Fixtures.h"

#include "tk5chctl/Prompts.h"
#include "ui/IndicatorSettingsTab.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace tk5;

namespace {

const QColor kRed(255, 0, 0);
// As recorded: " (!)" marks the exclamation icon, the bounds messages have none.
const QString kNan = QStringLiteral("Numeric expression required (!)");
const QString kOver1 = QStringLiteral("The value has to be greater than 1");
const QString kUnder300 = QStringLiteral("The value has to be less than 300");

// Records every message as "<boxes painted red while it is shown>: <text><icon>".
struct TestPrompts : Prompts {
    QStringList shown;
    QList<QLineEdit*> boxes;
    void message(const QString& text, MessageIcon icon) override {
        QStringList red;
        for (QLineEdit* b : boxes)
            if (b->palette().color(QPalette::Base) == kRed) red << b->objectName();
        shown << red.join(',') + ": " + text +
                     (icon == MessageIcon::None          ? ""
                      : icon == MessageIcon::Exclamation ? " (!)"
                                                         : " (other icon)");
    }
    bool confirm(const QString&, const QString&, MessageIcon) override { return false; }
};

// A tab after start-up (choosers filled, pane kinds shown), by default kinds 1, 3, 6, with
// what it reports.
struct Tab {
    std::shared_ptr<TestPrompts> prompts = std::make_shared<TestPrompts>();
    IndicatorSettingsTab tab{prompts};
    PaneSettings panes{};
    QList<std::pair<int, int>> chosen; // pane, kind
    QList<PaneSettings> applied;

    explicit Tab(std::int16_t k1 = 1, std::int16_t k2 = 3, std::int16_t k3 = 6) {
        panes[0].kind = k1;
        panes[1].kind = k2;
        panes[2].kind = k3;
        tab.fillChoosers();
        tab.showPanes(panes);
        prompts->boxes = tab.findChildren<QLineEdit*>();
        QObject::connect(&tab, &IndicatorSettingsTab::kindChosen, [this](int p, qint16 k) {
            chosen.append({p, k});
        });
        QObject::connect(&tab, &IndicatorSettingsTab::applyRequested,
                         [this](const PaneSettings& a) { applied.append(a); });
    }
    template <typename W> W* child(const QString& name) { return tab.findChild<W*>(name); }
    QComboBox* combo(int p) { return child<QComboBox>(QStringLiteral("Combo_%1").arg(p)); }
    QLineEdit* text(int r, int p) {
        return child<QLineEdit>(QStringLiteral("Text%1_%2").arg(r).arg(p));
    }
    // "caption=value" for a shown row, "" for a hidden one.
    QString row(int r, int p) {
        const QLabel* l = child<QLabel>(QStringLiteral("Label%1_%2").arg(r).arg(p));
        if (l->isVisibleTo(&tab) != text(r, p)->isVisibleTo(&tab)) return "half shown";
        return l->isVisibleTo(&tab) ? l->text() + '=' + text(r, p)->text() : QString();
    }
    void apply() { tab.applyButton()->click(); }
};

} // namespace

class TestUi : public QObject {
    Q_OBJECT
private slots:
    void init() { test::useEnglishLocale(); }

    void choosingIndicator_data() {
        QTest::addColumn<int>("pane");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("rows"); // rows 1|2|3, empty when hidden; the tag: the entry
        QTest::newRow("Volume") << 1 << 1 << "||";
        QTest::newRow("RSI") << 1 << 2 << "RSI periods=21||";
        QTest::newRow("Fast Stochastic") << 1 << 3 << "%K periods fast=31|%D periods fast=32|";
        QTest::newRow("Slow Stochastic") << 1 << 4 << "%K periods slow=41|%D periods slow=42|";
        QTest::newRow("MACD") << 1 << 5 << "First MA per.=51|Second MA per.=52|Signal MA per.=53";
        QTest::newRow("Exp. MA Difference") << 1 << 6 << "1st periods=61|2nd periods=62|";
        QTest::newRow("Momentum") << 1 << 7 << "Momentum per.=71||";
        QTest::newRow("Volatility") << 1 << 8 << "1st periods=81|2nd periods=82|";
        QTest::newRow("On Balance Volume") << 1 << 9 << "||";
        QTest::newRow("Money Flow Index") << 1 << 10 << "Momentum per.=101||";
        QTest::newRow("pane 3: Volume") << 3 << 1 << "||";
    }
    void choosingIndicator() {
        QFETCH(int, pane);
        QFETCH(int, kind);
        QFETCH(QString, rows);
        Tab t;
        // kind, rsi, fs K/D, ss K/D, ema 1/2, macd 1/2/3, momentum, volatility 1/2, money flow
        t.panes[size_t(pane - 1)] =
            IndicatorSettings{0, 21, 31, 32, 41, 42, 61, 62, 51, 52, 53, 71, 81, 82, 101};
        t.tab.showPanes(t.panes);
        t.combo(pane)->setCurrentIndex(kind == 5 ? 1 : 4); // from RSI's one row or MACD's three
        t.combo(pane)->setCurrentIndex(kind - 1);
        QCOMPARE(t.chosen.last(), std::make_pair(pane, kind));
        QCOMPARE(t.combo(pane)->currentText(), QString(QTest::currentDataTag()).section(": ", -1));
        QCOMPARE(t.tab.panes()[size_t(pane - 1)].kind, std::int16_t(kind));
        QCOMPARE(t.row(1, pane) + '|' + t.row(2, pane) + '|' + t.row(3, pane), rows);
        // Choosing alone applies nothing.
        QVERIFY(t.applied.isEmpty());
        // Picking the entry already selected is a click too: the rows show the fields again.
        t.text(1, pane)->setText(QStringLiteral("99"));
        Q_EMIT t.combo(pane)->activated(kind - 1);
        QCOMPARE(t.row(1, pane) + '|' + t.row(2, pane) + '|' + t.row(3, pane), rows);
    }

    void showPanes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("row1");
        QTest::newRow("volume") << 1 << 0 << "";
        QTest::newRow("money flow") << 10 << 9 << "Momentum per.=10";
        QTest::newRow("zero") << 0 << -1 << "";
        QTest::newRow("eleven") << 11 << -1 << "";
        QTest::newRow("negative") << -1 << -1 << "";
    }
    void showPanes() {
        QFETCH(int, kind);
        QFETCH(int, position);
        QFETCH(QString, row1);
        Tab t(2, 5, 7); // pane 2 shows MACD's three rows first
        t.panes[1].kind = static_cast<std::int16_t>(kind);
        // Pane 1 stays at RSI, yet its row must show a value changed meanwhile.
        t.panes[0].rsi_periods = 32767;
        t.tab.showPanes(t.panes);
        QCOMPARE(t.tab.panes()[1].kind, std::int16_t(kind)); // never rewritten by an empty choice
        QVERIFY(t.chosen.isEmpty());                         // showing is not choosing
        QCOMPARE(t.combo(2)->count(), 10);
        QCOMPARE(t.row(1, 2) + '|' + t.row(2, 2) + '|' + t.row(3, 2), row1 + "||");
        QCOMPARE(t.row(1, 1), QStringLiteral("RSI periods=32767"));
        QCOMPARE(QList<int>({t.combo(1)->currentIndex(), t.combo(2)->currentIndex(),
                             t.combo(3)->currentIndex()}),
                 QList<int>({1, position, 6}));
    }

    void validation_data() {
        QTest::addColumn<QString>("entries"); // box=text;... (a bare text goes to Text1_1)
        QTest::addColumn<int>("stored");      // MACD's first period; 12 unless accepted
        QTest::addColumn<QString>("shown");   // "red box: message", joined by '|'
        const QString nan = "Text1_1: " + kNan, over1 = "Text1_1: " + kOver1;
        const QString under300 = "Text1_1: " + kUnder300;
        QTest::newRow("empty") << "" << 12 << nan;
        QTest::newRow("blanks around") << " 5 " << 5 << "";
        QTest::newRow("group separator") << "2,5" << 12 << nan;
        QTest::newRow("exponent") << "1e2" << 100 << "";
        QTest::newRow("letters") << "abc" << 12 << nan;
        QTest::newRow("lowest") << "1" << 1 << "";
        QTest::newRow("highest") << "300" << 300 << "";
        QTest::newRow("zero") << "0" << 12 << over1;
        QTest::newRow("above") << "301" << 12 << under300;
        QTest::newRow("half down to even") << "2.5" << 2 << "";
        QTest::newRow("half up to even") << "3.5" << 4 << "";
        QTest::newRow("fraction below 1") << "0.5" << 12 << over1;
        QTest::newRow("fraction above 300") << "300.4" << 12 << under300;
        QTest::newRow("huge") << "99999999999" << 12 << under300;
        QTest::newRow("overflowing double") << "1e400" << 12 << nan;
        QTest::newRow("infinity") << "inf" << 12 << nan;
        QTest::newRow("german decimal comma") << "2,5" << 2 << "";
        QTest::newRow("german group point") << "2.5" << 12 << nan;
        QTest::newRow("panes 1 and 3") << "0;Text1_3=400" << 12 << over1 + "|Text1_3: " + kUnder300;
        // A non-number ends validation: no later row or pane is checked.
        QTest::newRow("pane 1 stops pane 3") << "abc;Text1_3=400" << 12 << nan;
        QTest::newRow("macd row 2 stops row 3")
            << "0;Text2_1=x;Text3_1=400;Text1_3=400" << 12 << over1 + "|Text2_1: " + kNan;
        QTest::newRow("valid rows before")
            << "10;Text2_1=20;Text3_1=;Text1_3=400" << 12 << "Text3_1: " + kNan;
    }
    void validation() {
        QFETCH(QString, entries);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        if (QByteArray(QTest::currentDataTag()).startsWith("german"))
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Tab t(5, 1, 7); // MACD, Volume, Momentum
        QList<std::pair<QLineEdit*, QString>> typed;
        for (const QString& e : entries.split(';')) {
            typed.append({t.child<QLineEdit>(e.contains('=') ? e.section('=', 0, 0) : "Text1_1"),
                          e.section('=', -1)});
            typed.last().first->setText(typed.last().second);
        }
        t.apply();
        QCOMPARE(t.prompts->shown.join('|'), shown);
        for (const auto& [box, text] : typed) // each box keeps what was typed, in white
            QCOMPARE(box->text() + box->palette().color(QPalette::Base).name(), text + "#ffffff");
        // Nothing is applied, not even the valid rows, when a box fails.
        QCOMPARE(t.applied.size(), shown.isEmpty() ? 1 : 0);
        QCOMPARE(t.tab.panes()[0].macd_periods1, std::int16_t(stored));
        if (shown.isEmpty()) QCOMPARE(t.applied[0][0].macd_periods1, std::int16_t(stored));
    }

    void focusOpensList_data() {
        QTest::addColumn<int>("pane");
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<bool>("opens");
        QTest::newRow("tab key") << 1 << Qt::TabFocusReason << true;
        QTest::newRow("mouse") << 3 << Qt::MouseFocusReason << true;
        // Focus coming back as the list closes, or with the window: the list stays closed.
        QTest::newRow("list closed") << 1 << Qt::PopupFocusReason << false;
        QTest::newRow("window activated") << 3 << Qt::ActiveWindowFocusReason << false;
    }
    void focusOpensList() {
        QFETCH(int, pane);
        QFETCH(Qt::FocusReason, reason);
        QFETCH(bool, opens);
        Tab t;
        t.tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.tab));
        QComboBox* c = t.combo(pane);
        QVERIFY(!c->view()->isVisible());
        QFocusEvent focusIn(QEvent::FocusIn, reason); // as the platform delivers it
        QApplication::sendEvent(c, &focusIn);
        QCOMPARE(c->view()->isVisible(), opens);
        c->hidePopup();
    }

    void listsWidenOnlyOnce() {
        Tab t;
        t.tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t.tab));
        t.tab.widenListsOnce();
        QCOMPARE(t.combo(2)->maxVisibleItems(), 12);
        // The opened list is as wide as the chooser and shows all ten entries without scrolling.
        QComboBox* c = t.combo(2);
        QCOMPARE(c->view()->minimumWidth(), c->width());
        c->showPopup();
        QTRY_VERIFY(c->view()->isVisible());
        QCOMPARE(c->view()->verticalScrollBar()->maximum(), 0);
        c->hidePopup();
        // Later tab clicks change nothing, even after the lists were narrowed again.
        t.combo(1)->setMaxVisibleItems(5);
        t.tab.widenListsOnce();
        QCOMPARE(t.combo(1)->maxVisibleItems(), 5);
    }
};

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
