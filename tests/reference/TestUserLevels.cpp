// The level word and number kept side by side in the user file.

#include "reference/UserLevels.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

class TestUserLevels : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wordsInLevelOrder();
    void levelOfWord_data();
    void levelOfWord();
};

void TestUserLevels::wordsInLevelOrder()
{
    QCOMPARE(UserLevels::qualifications(), (QStringList{u"User"_s, u"Supervisor"_s, u"Administrator"_s}));
    QCOMPARE(UserLevels::qualificationOf(2), u"Administrator"_s);
    QCOMPARE(UserLevels::qualificationOf(3), QString());
    QCOMPARE(UserLevels::qualificationOf(-1), QString());
}

void TestUserLevels::levelOfWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("level");
    QTest::newRow("user") << u"User"_s << 0;
    QTest::newRow("supervisor") << u"Supervisor"_s << 1;
    QTest::newRow("administrator") << u"Administrator"_s << 2;
    QTest::newRow("letter case and blanks") << u" supervisor  "_s << 1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("other") << u"Admin"_s << -1;
}

void TestUserLevels::levelOfWord()
{
    QFETCH(QString, word);
    QFETCH(int, level);
    QCOMPARE(UserLevels::levelOf(word), level);
}

QTEST_GUILESS_MAIN(TestUserLevels)
#include "TestUserLevels.moc"
