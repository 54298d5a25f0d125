// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QString>

class TKchart;

namespace tkchart {

// Runs a JavaScript file with the control as the global object `chart`: its published
// properties read and write, its published methods are callable (arguments are converted to
// the member's types; a wrong count or type, or a 16-bit number out of range, is a TypeError
// or RangeError naming the member), chart.xOfDay(day) gives a day's position, and print(...)
// writes its arguments, separated by spaces, as one line on standard output. A failure of a
// member becomes a JavaScript error with the member's message. A script still running after
// timeoutSeconds is stopped. Empty when the script ran to its end, else what went wrong
// ("FILE:LINE: message"). With `printed` given, print() appends its lines there instead.
QString runScript(TKchart& chart, const QString& file, int timeoutSeconds,
                  QStringList* printed = nullptr);

} // namespace tkchart
