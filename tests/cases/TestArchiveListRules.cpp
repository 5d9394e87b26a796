// The knowledge-base list's rules: the title counts the cases (none too), and only agents may
// not delete.

#include "cases/ArchiveListRules.h"
#include "data/CurrentUser.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

class TestArchiveListRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void title_data();
    void title();
    void deleteByLevel_data();
    void deleteByLevel();
};

void TestArchiveListRules::title_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty base") << qint64(0) << u"Browse Knowlegde Base : 0 records available"_s;
    QTest::newRow("one case") << qint64(1) << u"Browse Knowlegde Base : 1 records available"_s;
    QTest::newRow("beyond 32 bits") << qint64(5000000000) << u"Browse Knowlegde Base : 5000000000 records available"_s;
}

void TestArchiveListRules::title()
{
    QFETCH(qint64, count);
    QFETCH(QString, title);
    QCOMPARE(ArchiveListRules::titleFor(count), title);
}

void TestArchiveListRules::deleteByLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("mayDelete");
    QTest::newRow("agent") << int(LevelUser) << false;
    QTest::newRow("supervisor") << int(LevelSupervisor) << true;
    QTest::newRow("administrator") << int(LevelAdministrator) << true;
    QTest::newRow("level out of the table") << -1 << false;
}

void TestArchiveListRules::deleteByLevel()
{
    QFETCH(int, level);
    QFETCH(bool, mayDelete);
    QCOMPARE(ArchiveListRules::mayDelete(level), mayDelete);
}

QTEST_GUILESS_MAIN(TestArchiveListRules)
#include "TestArchiveListRules.moc"
