// SPDX-License-Identifier: BSD-3-Clause
// Placing the children of the control on every resize, and the redraw that follows.

#include "TKchartPrivate.h"

#include "ClickLabel.h"
#include "PictureBox.h"
#include "TabPage.h"

#include "common/ChartError.h"
#include "common/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace tk5 {

QRectF TKchartPrivate::twipsOf(QWidget* child) const {
    const auto it = placed.constFind(child->objectName());
    if (it != placed.constEnd()) return *it;
    return pixelsToTwips(child->geometry());
}

void TKchartPrivate::place(QWidget* child, double left, double top, double width, double height) {
    if (width < 0 || height < 0)
        throw ChartError(ChartError::Kind::Overflow,
                         "negative size for " + child->objectName().toStdString());
    const QRectF twips(left, top, width, height);
    if (auto* box = qobject_cast<PictureBox*>(child)) {
        box->moveTwips(left, top, width, height);
    } else if (auto* page = dynamic_cast<TabPage*>(child->parentWidget())) {
        page->place(child, twips);
    } else {
        child->setGeometry(twipsToPixels(twips));
    }
    placed.insert(child->objectName(), twips);
}

void TKchartPrivate::layout(double W, double H) {
    // Each statement on its own: one that fails (a negative size on a small control) is
    // skipped and the next one runs.
    QPushButton* Command1 = Frame2->applyButton();
    const double twoThirds = 2.0 * H / 3.0;
    const double ninth = H / 9.0;
    // Switching tabs takes the focus from a chooser and gives it back: that is not the user
    // moving the focus there, so the chooser's list stays closed meanwhile.
    Frame2->pauseListOpening(true);

    skipOnError([&] { place(SSTab1, W - 2500, 0, 2500, H); });
    // A tab strip places only the children of the tab shown, so each tab is shown while
    // its children are placed; tab 0 stays showing.
    skipOnError([&] { SSTab1->setCurrentIndex(1); });
    skipOnError([&] { place(ListView1, 30, 345, 2415, H - 1475); });
    skipOnError([&] {
        const QRectF g = twipsOf(SumGain);
        place(SumGain, g.left(), H - 900, g.width(), g.height());
    });
    skipOnError([&] {
        const QRectF g = twipsOf(CumGain);
        place(CumGain, g.left(), H - 500, g.width(), g.height());
    });
    skipOnError([&] { SSTab1->setCurrentIndex(0); });
    skipOnError([&] { place(Frame2, 100, 400, 2300, H - 500); });
    skipOnError([&] {
        if (!Command1) return;
        const QRectF g = twipsOf(Command1);
        place(Command1, g.left(), H - 1000, g.width(), g.height());
    });
    skipOnError([&] { SSTab1->setCurrentIndex(0); });
    Frame2->pauseListOpening(false);
    skipOnError([&] { place(CaptionLabel, 0, 0, W - 5000, 220); });
    skipOnError([&] { place(ChangeLabel, W - 5000, 0, 2400, 220); });
    skipOnError([&] { place(Picture1, 650, 220, W - 3250, twoThirds - 520); });
    skipOnError([&] { place(Picture2, 650, twoThirds, W - 3250, ninth); });
    skipOnError([&] { place(Picture3, 650, 7.0 * H / 9.0, W - 3250, ninth); });
    skipOnError([&] { place(Picture4, 650, 8.0 * H / 9.0, W - 3250, ninth); });
    skipOnError([&] { place(PriceRuler, 0, 220, 650, twoThirds - 520); });
    skipOnError([&] { place(DateRuler, 650, twoThirds - 300, W - 3250, 300); });
    skipOnError([&] { place(TimeForward, 326, twoThirds - 300, 320, 300); });
    skipOnError([&] { place(TimeBackward, 0, twoThirds - 300, 325, 300); });
    skipOnError([&] { place(TechRuler1, 0, twoThirds, 650, ninth); });
    skipOnError([&] { place(TechRuler2, 0, 7.0 * H / 9.0, 650, ninth); });
    skipOnError([&] { place(TechRuler3, 0, 8.0 * H / 9.0, 650, ninth); });
}

void TKchartPrivate::redrawAtEvent() {
    try {
        core.FullRedraw();
    } catch (...) {
        // What was drawn before the failure stays; the host goes on.
    }
}

void TKchartPrivate::applyIndicatorSettings(const PaneSettings& panes) {
    try {
        core.applyIndicatorSettings(panes);
    } catch (const std::exception& error) {
        prompts->message(QStringLiteral("The new periods are saved, but the chart could not be "
                                        "drawn with them, so the indicator choices were not "
                                        "saved.\n\n") +
                             QString::fromStdString(error.what()),
                         MessageIcon::Exclamation);
    }
}

} // namespace tk5
