#include "Fixtures.h"

#include "common/Formats.h"
#include "common/Numbers.h"

#include <QtTest>

using namespace tk5;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::useEnglishLocale(); }
    void placeholder() { QCOMPARE(formatFixed(1.5, 2), QStringLiteral("1.50")); }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
