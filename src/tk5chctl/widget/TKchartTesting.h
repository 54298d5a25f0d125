// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QRectF>
#include <QString>

class TKchart;

// What the tests read of a control beyond its public interface. Not installed.
namespace tk5::testing {

// The place (left, top, width, height in twips) the layout last gave the named child
// (Picture1, SSTab1, ListView1, Frame2, ...); children of the tab strip are relative to the
// tab strip, Command1 to Frame2. Before the first layout SumGain and CumGain report their
// designed place and the other children a null rectangle.
QRectF childTwipGeometry(const TKchart& chart, const QString& objectName);

} // namespace tk5::testing
