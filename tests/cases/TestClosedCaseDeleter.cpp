// "Delete Clo&sed" on real record files: after Yes, every closed case goes with its "Deleted"
// entry; a case the file refuses to give up is passed over and named at the end, with every
// other one that stayed.

#include "CaseDesks.h"
#include "cases/ClosedCaseDeleter.h"
#include "store/TextCollation.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

using Numbers = QList<std::uint32_t>;

namespace {

// Another program on the case file that keeps some cases from being deleted.
void refuseDeleting(const QString &path, const Numbers &kept)
{
    if (kept.isEmpty())
        return;
    QStringList numbers;
    for (const std::uint32_t caseNr : kept)
        numbers.append(QString::number(caseNr));
    const QByteArray sql = "CREATE TRIGGER Keep BEFORE DELETE ON SER WHEN old.CaseNr IN ("
                           + numbers.join(u',').toLatin1() + ") BEGIN SELECT RAISE(ABORT, 'kept'); END";
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    store::registerTextCollation(db);
    const int created = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    QCOMPARE(created, SQLITE_OK);
}

} // namespace

class TestClosedCaseDeleter : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void deletesEveryClosedCase_data();
    void deletesEveryClosedCase();
};

void TestClosedCaseDeleter::deletesEveryClosedCase_data()
{
    QTest::addColumn<QStringList>("statuses"); // of cases 1, 2, ...
    QTest::addColumn<Numbers>("refused");
    QTest::addColumn<int>("answer");
    QTest::addColumn<Numbers>("left");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("message"); // after the question; empty for none

    const QStringList mixed{Closed, Active, Closed, OnHold, Closed};
    QTest::newRow("closed ones go") << mixed << Numbers() << int(ButtonYes) << Numbers{2, 4}
                                    << QStringList{u"Deleted/1"_s, u"Deleted/3"_s, u"Deleted/5"_s} << QString();
    QTest::newRow("answered No") << mixed << Numbers() << int(ButtonNo) << Numbers{1, 2, 3, 4, 5} << QStringList()
                                 << QString();
    QTest::newRow("nothing closed") << QStringList{Active, OnHold} << Numbers() << int(ButtonYes) << Numbers{1, 2}
                                    << QStringList() << u"There's nothing to delete..."_s;
    QTest::newRow("empty file") << QStringList() << Numbers() << int(ButtonYes) << Numbers() << QStringList()
                                << u"There's nothing to delete..."_s;
    // The last case goes: every failure before it is still named.
    QTest::newRow("failures named, last deleted")
        << mixed << Numbers{1, 3} << int(ButtonYes) << Numbers{1, 2, 3, 4} << QStringList{u"Deleted/5"_s}
        << u"Error : Case Nr. : 1, 3 is not deleted..."_s;
    QTest::newRow("only the last fails") << mixed << Numbers{5} << int(ButtonYes) << Numbers{2, 4, 5}
                                         << QStringList{u"Deleted/1"_s, u"Deleted/3"_s}
                                         << u"Error : Case Nr. : 5 is not deleted..."_s;
}

void TestClosedCaseDeleter::deletesEveryClosedCase()
{
    QFETCH(QStringList, statuses);
    QFETCH(Numbers, refused);
    QFETCH(int, answer);
    QFETCH(QString, message);
    for (qsizetype i = 0; i < statuses.size(); ++i) {
        CaseRecord record = storedCase(u"Marta"_s, statuses[i]);
        record.CaseNr = std::uint32_t(i + 1);
        store(record);
    }
    refuseDeleting(folder() + u"/Sercase.tps"_s, refused);
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    messages().expect(ClosedCaseDeleter::questionText(), answer);
    if (!message.isEmpty())
        messages().expect(message, ButtonOk);

    const ClosedCaseDeleter::Result result = ClosedCaseDeleter(*boss->station).deleteClosedCases();

    QTEST(caseNumbers(), "left");
    QTEST(logActions(), "log");
    QCOMPARE(result.notDeleted, refused);
    QCOMPARE(messages().shown().size(), message.isEmpty() ? 1 : 2);
    QCOMPARE(messages().shown().constFirst().buttonTexts, (QStringList{u"&Yes"_s, u"&No"_s}));
    if (!message.isEmpty())
        QCOMPARE(messages().shown().constLast().text, message);
}

QTEST_GUILESS_MAIN(TestClosedCaseDeleter)
#include "TestClosedCaseDeleter.moc"
