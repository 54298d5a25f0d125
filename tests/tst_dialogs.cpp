// SPDX-License-Identifier: BSD-3-Clause
// The two overlay dialogs: what they show when they open, what OK stores and refuses, their
// geometry (Cancel and the modal show are driven through the chart's menu).

#include "tk5chctl/Prompts.h"
#include "ui/OverlayDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>

using namespace tk5;

namespace {

const QString kNan = QStringLiteral("Numeric expression required (!)");

// Records every message as "<text> (!)" for the exclamation icon; can be made to fail.
struct TestPrompts : Prompts {
    QStringList shown;
    bool failing = false;
    void message(const QString& text, MessageIcon icon) override {
        shown << text + (icon == MessageIcon::Exclamation ? " (!)" : " (other icon)");
        if (failing) throw std::runtime_error("no message box");
    }
    bool confirm(const QString&, const QString&, MessageIcon) override { return false; }
};

// Settings whose every value differs from what the tests type.
OverlaySettings startSettings() {
    OverlaySettings s;
    s.custom_ma_periods = 17;
    s.envelope_periods = 18;
    s.envelope_percent = 9;
    return s;
}

// A dialog shown (not modally) and active, with the focus on OK as after a click on it.
struct Shown {
    OverlaySettings settings = startSettings();
    TestPrompts prompts;
    std::unique_ptr<QDialog> dialog;

    explicit Shown(bool envelopes) {
        if (envelopes)
            dialog = std::make_unique<EnvelopesDialog>(settings, prompts);
        else
            dialog = std::make_unique<CustomMAperiodsDialog>(settings, prompts);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    QLineEdit* box(const char* name) { return dialog->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    // "closed" (accepted or rejected), or the name of the widget with the focus.
    QString after() {
        if (!dialog->isVisible())
            return dialog->result() == QDialog::Accepted ? "accepted" : "rejected";
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none";
    }
    void ok() {
        button("OKButton")->setFocus();
        QTest::mouseClick(button("OKButton"), Qt::LeftButton);
    }
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void customOK_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored"); // 17 when nothing is stored
        QTest::addColumn<bool>("message");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty") << "" << 17 << true << "Text1";
        QTest::newRow("letters") << "abc" << 17 << true << "Text1";
        QTest::newRow("overflowing double") << "1e400" << 17 << true << "Text1";
        QTest::newRow("group separator") << "2,5" << 17 << true << "Text1";
        QTest::newRow("1000 nines") << QString(1000, '9') << 17 << true << "Text1";
        QTest::newRow("minus zero") << "-0" << 0 << false << "accepted";
        QTest::newRow("half down to even") << "2.5" << 2 << false << "accepted";
        QTest::newRow("half up to even") << "3.5" << 4 << false << "accepted";
        QTest::newRow("blanks around") << " 30 " << 30 << false << "accepted";
        QTest::newRow("negative") << "-7" << -7 << false << "accepted";
        QTest::newRow("lowest after rounding") << "-32768.5" << -32768 << false << "accepted";
        // Out of range: refused without a word, the focus left where it was.
        QTest::newRow("above range") << "40000" << 17 << false << "OKButton";
        QTest::newRow("above after rounding") << "32767.5" << 17 << false << "OKButton";
    }
    void customOK() {
        QFETCH(QString, text);
        QFETCH(int, stored);
        QFETCH(bool, message);
        QFETCH(QString, after);
        Shown s(false);
        s.box("Text1")->setText(text);
        s.ok();
        QCOMPARE(s.settings.custom_ma_periods, std::int16_t(stored));
        QCOMPARE(s.prompts.shown, message ? QStringList({kNan}) : QStringList());
        QCOMPARE(s.after(), after);
        const OverlaySettings untouched = startSettings();
        QCOMPARE(s.settings.envelope_periods, untouched.envelope_periods);
        QCOMPARE(s.settings.envelope_percent, untouched.envelope_percent);
    }

    void envelopesOK_data() {
        QTest::addColumn<QStringList>("texts"); // Text1, Text2
        QTest::addColumn<int>("periods");       // 18 at the start
        QTest::addColumn<int>("percent");       // 9 at the start
        QTest::addColumn<bool>("message");
        QTest::addColumn<QString>("after");
        QTest::newRow("both") << QStringList({"15", "7"}) << 15 << 7 << false << "accepted";
        QTest::newRow("periods not a number")
            << QStringList({"x", "7"}) << 18 << 9 << true << "Text1";
        // The periods are stored before the percentage is read; the focus goes to Text1.
        QTest::newRow("percent not a number")
            << QStringList({"15", "x"}) << 15 << 9 << true << "Text1";
        QTest::newRow("periods out of range")
            << QStringList({"40000", "x"}) << 18 << 9 << false << "OKButton";
    }
    void envelopesOK() {
        QFETCH(QStringList, texts);
        QFETCH(int, periods);
        QFETCH(int, percent);
        QFETCH(bool, message);
        QFETCH(QString, after);
        Shown s(true);
        s.box("Text1")->setText(texts[0]);
        s.box("Text2")->setText(texts[1]);
        s.ok();
        QCOMPARE(s.settings.envelope_periods, std::int16_t(periods));
        QCOMPARE(s.settings.envelope_percent, std::int16_t(percent));
        QCOMPARE(s.prompts.shown, message ? QStringList({kNan}) : QStringList());
        QCOMPARE(s.after(), after);
        QCOMPARE(s.settings.custom_ma_periods, startSettings().custom_ma_periods);
    }

    void geometry_data() {
        QTest::addColumn<bool>("envelopes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("child"); // name=text
        QTest::newRow("custom") << false << "frmCustomMAperiods" << QSize(206, 89)
                                << "Enter periods" << QRect(112, 48, 81, 25)
                                << "CancelButton=Cancel";
        QTest::newRow("envelopes")
            << true << "frmEnvelopes" << QSize(227, 121) << "Enter Envelopes Settings"
            << QRect(21, 45, 117, 17) << "Label2=Percentage difference";
    }
    void geometry() {
        QFETCH(bool, envelopes);
        QFETCH(QString, name);
        QFETCH(QSize, client);
        QFETCH(QString, title);
        QFETCH(QRect, rect);
        QFETCH(QString, child);
        Shown s(envelopes);
        QCOMPARE(s.dialog->objectName(), name);
        QCOMPARE(s.dialog->windowTitle(), title);
        QCOMPARE(s.dialog->size(), client);
        QCOMPARE(s.dialog->minimumSize(), client); // the user cannot resize it
        QCOMPARE(s.dialog->maximumSize(), client);
        QCOMPARE(s.dialog->font().pixelSize(), 11);
        auto* w = s.dialog->findChild<QWidget*>(child.section('=', 0, 0));
        QVERIFY(w);
        QCOMPARE(w->geometry(), rect);
        const auto* label = qobject_cast<QLabel*>(w);
        const auto* button = qobject_cast<QPushButton*>(w);
        QCOMPARE(label ? label->text() : button ? button->text() : "", child.section('=', 1));
    }

    void failingPrompts() {
        // A message box that fails leaves the dialog open and nothing escapes to the caller.
        Shown s(false);
        s.prompts.failing = true;
        s.box("Text1")->setText("abc");
        s.ok();
        QCOMPARE(s.prompts.shown, QStringList({kNan}));
        QVERIFY(s.dialog->isVisible());
        QCOMPARE(s.settings.custom_ma_periods, startSettings().custom_ma_periods);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
