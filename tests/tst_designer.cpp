// SPDX-License-Identifier: BSD-3-Clause
// The Designer plugin loads, describes the control and creates a working one.

#include <QPluginLoader>
#include <QTest>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class TestDesigner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createsTheControl() {
        QPluginLoader loader(QStringLiteral(TK5_DESIGNER_PLUGIN));
        QObject* instance = loader.instance();
        QVERIFY2(instance, qPrintable(loader.errorString()));
        auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
        QVERIFY(plugin);
        QCOMPARE(plugin->name(), QStringLiteral("TKchart"));
        QCOMPARE(plugin->includeFile(), QStringLiteral("tk5chctl/TKchart.h"));
        QVERIFY(!plugin->isContainer());
        QVERIFY(plugin->domXml().contains(QStringLiteral("<widget class=\"TKchart\"")));
        QWidget form;
        QWidget* chart = plugin->createWidget(&form);
        QVERIFY(chart);
        QCOMPARE(chart->parentWidget(), &form);
        QCOMPARE(chart->metaObject()->className(), "TKchart");
        // Its writable properties, as the property editor sets them.
        QVERIFY(chart->setProperty("ending_date_local", QVariant::fromValue<qint16>(120)));
        QCOMPARE(chart->property("ending_date_local").value<qint16>(), qint16(120));
        QVERIFY(!chart->setProperty("MA10", false)); // read-only
        const QMetaObject* mo = chart->metaObject();
        QVERIFY(mo->property(mo->indexOfProperty("starting_date_local")).isDesignable());
    }
};

QTEST_MAIN(TestDesigner)
#include "tst_designer.moc"
