// SPDX-License-Identifier: BSD-3-Clause
#include "TKchartPlugin.h"

#include <tk5chctl/TKchart.h>

#include <QIcon>

QString TKchartPlugin::name() const { return QStringLiteral("TKchart"); }
QString TKchartPlugin::group() const { return QStringLiteral("tk5chctl"); }
QString TKchartPlugin::toolTip() const { return QStringLiteral("Stock chart"); }
QString TKchartPlugin::whatsThis() const {
    return QStringLiteral("A stock chart: high-low-close bars with rulers, moving averages and "
                          "three indicator panes, with its Indicators and Transactions tabs.");
}
QString TKchartPlugin::includeFile() const { return QStringLiteral("tk5chctl/TKchart.h"); }
QIcon TKchartPlugin::icon() const { return {}; }
bool TKchartPlugin::isContainer() const { return false; }

// On a form the control keeps the user's settings untouched: it starts on an empty
// in-memory store.
QWidget* TKchartPlugin::createWidget(QWidget* parent) {
    return new TKchart(QMap<QString, QString>{}, parent);
}

void TKchartPlugin::initialize(QDesignerFormEditorInterface* core) {
    Q_UNUSED(core);
    initialized_ = true;
}

QString TKchartPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="TKchart" name="chart">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>800</width><height>600</height></rect>
  </property>
 </widget>
</ui>
)");
}
