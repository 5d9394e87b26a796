// `vellum-admin report`: every record of a list report's file in a PDF, written without a
// display; exit status 0 only when the PDF is there, and no PDF at all after a failure.

#include "data/LogRecord.h"
#include "framework/DateTime.h"
#include "framework/RecordLayout.h"
#include "store/Database.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

int admin(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"QT_QPA_PLATFORM"_s); // the command needs no display of its own
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(VELLUM_ADMIN_PROGRAM), arguments);
    process.waitForFinished(120000);
    return process.exitCode();
}

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

class TestAdminReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesEveryRecord();
    void failures_data();
    void failures();
};

void TestAdminReport::writesEveryRecord()
{
    QTemporaryDir dir;
    {
        store::Database database(dir.path());
        QVERIFY(database.open(LogRecord::table(), store::OpenMode::ReadWrite, true));
        const std::int32_t day = DateTime::dayNumber(QDate(2004, 5, 3));
        QVERIFY(database.insert(LogRecord::table(), toRow(LogRecord{1, 1, u"Boss"_s, 7, u"Closed"_s, day, 0})));
        QVERIFY(database.insert(LogRecord::table(), toRow(LogRecord{2, 1, u"Admin"_s, 0, u"Created"_s, day, 0})));
    }
    const QString pdf = dir.filePath(u"weekly.pdf"_s);
    QCOMPARE(admin({u"report"_s, u"PrintLog"_s, dir.path(), pdf}), 0);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(u"Log-Report of All Activities"_s), qPrintable(text));
    // Key order is by agent name; no selection.
    const qsizetype admin = text.indexOf(u"Admin"_s);
    const qsizetype boss = text.indexOf(u"Boss"_s);
    QVERIFY(admin > 0 && boss > admin);
    QVERIFY(text.contains(u"Page 1"_s));
}

void TestAdminReport::failures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("unknown report") << u"PrintEverything"_s << true << 2;
    QTest::newRow("no such folder") << u"PrintAllCases"_s << false << 1;
    QTest::newRow("no case file in the folder") << u"PrintAllCases"_s << true << 1;
}

void TestAdminReport::failures()
{
    QFETCH(QString, name);
    QFETCH(bool, folderExists);
    QFETCH(int, exitCode);

    QTemporaryDir dir;
    const QString folder = folderExists ? dir.path() : dir.filePath(u"missing"_s);
    const QString pdf = dir.filePath(u"out.pdf"_s);
    QCOMPARE(admin({u"report"_s, name, folder, pdf}), exitCode);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(!QFile::exists(dir.filePath(u"Sercase.tps"_s))); // nothing created by a report
}

QTEST_GUILESS_MAIN(TestAdminReport)
#include "TestAdminReport.moc"
