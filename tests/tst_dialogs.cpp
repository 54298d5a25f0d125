// SPDX-License-Identifier: BSD-3-Clause
// The overlay dialogs: what OK stores and refuses, their geometry (Cancel: through the menu).

#include "tk5chctl/Prompts.h"
#include "ui/OverlayDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

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

// A dialog shown (not modally) and active, over settings 17 (custom), 18 and 9 (envelopes).
struct Shown {
    OverlaySettings settings;
    TestPrompts prompts;
    std::unique_ptr<QDialog> dialog;

    explicit Shown(bool envelopes) {
        settings.custom_ma_periods = 17, settings.envelope_periods = 18;
        settings.envelope_percent = 9;
        dialog.reset(envelopes ? static_cast<QDialog*>(new EnvelopesDialog(settings, prompts))
                               : new CustomMAperiodsDialog(settings, prompts));
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    // Types the texts into Text1 (and Text2), then clicks OK with the focus on it.
    void ok(const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i)
            dialog->findChild<QLineEdit*>("Text" + QString::number(i + 1))->setText(texts[i]);
        auto* button = dialog->findChild<QPushButton*>("OKButton");
        button->setFocus();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString stored() const {
        return QString::asprintf("%d %d %d", settings.custom_ma_periods, settings.envelope_periods,
                                 settings.envelope_percent);
    }
    // The messages shown, then "accepted" or "rejected" when closed, else the focused widget.
    QString after() const {
        const QWidget* f = QApplication::focusWidget();
        return prompts.shown.join(',') + '>' +
               (dialog->isVisible()                     ? f ? f->objectName() : "none"
                : dialog->result() == QDialog::Accepted ? "accepted"
                                                        : "rejected");
    }
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // texts: Text1 of the custom dialog, or Text1|Text2 of the envelopes dialog. Out of the
    // 16-bit range a value is refused without a word, the focus left on OK.
    void ok_data() {
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("stored"); // custom periods, envelope periods, percent
        QTest::addColumn<QString>("after");
        auto row = [](const char* tag, const QString& t, const char* st, bool m, const char* a) {
            QTest::newRow(tag) << t << QString(st) << (m ? kNan : "") + '>' + a;
        };
        row("empty", "", "17 18 9", true, "Text1");
        row("letters", "abc", "17 18 9", true, "Text1");
        row("overflowing double", "1e400", "17 18 9", true, "Text1");
        row("group separator", "2,5", "17 18 9", true, "Text1");
        row("1000 nines", QString(1000, '9'), "17 18 9", true, "Text1");
        row("minus zero", "-0", "0 18 9", false, "accepted");
        row("half down to even", "2.5", "2 18 9", false, "accepted");
        row("half up to even", "3.5", "4 18 9", false, "accepted");
        row("blanks around", " 30 ", "30 18 9", false, "accepted");
        row("lowest after rounding", "-32768.5", "-32768 18 9", false, "accepted");
        row("above range", "40000", "17 18 9", false, "OKButton");
        row("above after rounding", "32767.5", "17 18 9", false, "OKButton");
        row("envelopes", "15|7", "17 15 7", false, "accepted");
        row("env periods not a number", "x|7", "17 18 9", true, "Text1");
        row("env percent not a number", "15|x", "17 15 9", true, "Text1");
        row("env periods out of range", "40000|x", "17 18 9", false, "OKButton");
    }
    void ok() {
        QFETCH(QString, texts);
        Shown s(texts.contains('|'));
        s.ok(texts.split('|'));
        QTEST(s.stored(), "stored");
        QTEST(s.after(), "after");
    }

    void geometry() {
        auto describe = [](bool envelopes, const char* child) {
            Shown s(envelopes);
            const QDialog& d = *s.dialog;
            const auto* w = d.findChild<QWidget*>(child);
            const QRect r = w ? w->geometry() : QRect();
            const QSize z = d.size(), lo = d.minimumSize(), hi = d.maximumSize();
            return d.objectName() + '|' + d.windowTitle() + '|' +
                   QString::asprintf("%d %d, %d %d, %d %d|%d|%d %d %d %d|", z.width(), z.height(),
                                     lo.width(), lo.height(), hi.width(), hi.height(),
                                     d.font().pixelSize(), r.x(), r.y(), r.width(), r.height()) +
                   (w ? w->property("text").toString() : "?");
        };
        QCOMPARE(describe(false, "CancelButton"),
                 "frmCustomMAperiods|Enter periods|206 89, 206 89, 206 89|11|112 48 81 25|Cancel");
        QCOMPARE(
            describe(true, "Label2"),
            "frmEnvelopes|Enter Envelopes Settings|227 121, 227 121, 227 121|11|21 45 117 17|Percentage difference");
    }

    // A message box that fails leaves the dialog open and nothing escapes to the caller.
    void failingPrompts() {
        Shown s(false);
        s.prompts.failing = true;
        s.ok({"abc"});
        QVERIFY(s.dialog->isVisible());
        QCOMPARE(s.stored() + ' ' + s.prompts.shown.join(','), "17 18 9 " + kNan);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
