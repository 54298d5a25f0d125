// SPDX-License-Identifier: BSD-3-Clause
#pragma once

class QComboBox;

namespace tk5 {

// From now on the chooser opens its list whenever it receives the keyboard focus, however
// the focus arrives (Tab, a click, a program). Focus that merely comes back to the chooser
// (from its own closing list, or when its window is activated again) does not reopen it;
// otherwise the list could never be closed.
void OpenListOnFocus(QComboBox& combo);

// While paused, focus arriving at the chooser leaves its list closed.
void PauseListOpening(QComboBox& combo, bool paused);

// Makes the opened list tall enough for twelve entries, so that all ten indicators show
// without scrolling, and exactly as wide as the chooser; the chooser itself stays where it
// is.
void WidenList(QComboBox& combo);

} // namespace tk5
