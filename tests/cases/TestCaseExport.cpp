// The case export on real case files: the line of each case (the sample case char for char, the
// date and time forms, blanks, quotes read back through the CSV reader), the file (empty, case 0
// left out, CR LF), the failures that leave no file, the window (folder fallback, overwrite
// question, folder choice) and the admin command's file, byte for byte the window's.

#include "CaseDesks.h"
#include "cases/CaseExport.h"
#include "cases/CaseExportLine.h"
#include "cases/CaseExportWindow.h"
#include "cases/ExportFolder.h"
#include "framework/CsvLine.h"
#include "framework/widgets/ProgressWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(vellum::CaseRecord)

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

std::int32_t day(int year, int month, int dayOfMonth)
{
    return DateTime::dayNumber(QDate(year, month, dayOfMonth));
}

// Case 3 as the sample line shows it.
CaseRecord sampleCase()
{
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = 3;
    record.SName = u"Name 1"_s;
    record.LName = u"Antartic Expedition 2002"_s;
    record.IDProduct = u"Dummy Product 01"_s;
    record.Product = u"Digital Camera 3.2i"_s;
    record.SProblem = u"Penguins devour 7 men at Antarctic!"_s;
    record.Owner = u"Boss"_s;
    record.Status = u"Active"_s;
    record.Priority = u"Minimal"_s;
    record.SDate = day(2004, 4, 15);
    record.STime = DateTime::fromHoursMinutes(12, 56);
    record.FirstEscDate = day(2004, 4, 20);
    record.FirstEscTime = DateTime::fromHoursMinutes(13, 56);
    record.SecEscDate = day(2004, 4, 27);
    record.SecEscTime = DateTime::fromHoursMinutes(14, 56);
    record.ThirdEscDate = day(2004, 5, 3);
    record.ThirdEscTime = DateTime::fromHoursMinutes(10, 56);
    record.FirstAction = record.SecAction = record.ThirdAction = u"N"_s;
    return record;
}

const QString SampleLine =
    uR"(3,"Name 1","Antartic Expedition 2002","Dummy Product 01","Digital Camera 3.2i","Penguins devour 7 men at Antarctic!","Boss","Active","  /  /","Minimal","15/04/04","12:56","20/04/04","13:56","N","27/04/04","14:56","N"," 3/05/04","10:56","N")"_s;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class TestCaseExport : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void lineOfCase_data();
    void lineOfCase();
    void textsReadBack();
    void fileOfCases_data();
    void fileOfCases();
    void failuresLeaveNoFile_data();
    void failuresLeaveNoFile();
    void cancelledExportLeavesNoFile();
    void windowFallsBackToLocalDatabase();
    void windowAsksBeforeReplacing();
    void adminWritesTheWindowsFile();

private:
    QString exportFolder();
    std::unique_ptr<Desk> administrator();
};

QString TestCaseExport::exportFolder()
{
    const QString path = folder() + u"/Export"_s;
    QDir().mkpath(path);
    return path;
}

std::unique_ptr<Desk> TestCaseExport::administrator()
{
    auto admin = desk(u"Admin"_s, LevelAdministrator);
    admin->station->run().programFolder = folder();
    return admin;
}

void TestCaseExport::lineOfCase_data()
{
    QTest::addColumn<CaseRecord>("record");
    QTest::addColumn<QString>("line");
    QTest::newRow("sample case") << sampleCase() << SampleLine;

    CaseRecord closed = sampleCase();
    closed.Cdate = day(2004, 12, 31);
    closed.STime = DateTime::fromHoursMinutes(9, 6);
    QTest::newRow("closing date, one-digit hour")
        << closed
        << QString(SampleLine).replace(u"\"  /  /\""_s, u"\"31/12/04\""_s).replace(u"\"12:56\""_s, u"\" 9:06\""_s);

    CaseRecord blanks = sampleCase();
    blanks.LName = u" Two  blanks inside   "_s;
    blanks.Owner = u"Boss                "_s;
    QTest::newRow("trailing blanks cut, others kept")
        << blanks << QString(SampleLine).replace(u"Antartic Expedition 2002"_s, u" Two  blanks inside"_s);

    CaseRecord empty;
    QTest::newRow("nothing set")
        << empty << uR"(0,"","","","","","","","  /  /","","  /  /","","  /  /","","","  /  /","","","  /  /","","")"_s;
}

void TestCaseExport::lineOfCase()
{
    QFETCH(CaseRecord, record);
    QFETCH(QString, line);
    QCOMPARE(CaseExportLine::line(record), line);
}

void TestCaseExport::textsReadBack()
{
    CaseRecord record = sampleCase();
    record.SProblem = u"Lens says \"no\", then \"\"yes\"\""_s;
    record.LName = u"Smith, Jones & \"Partners\""_s;
    const std::optional<QStringList> fields = CsvLine::fields(CaseExportLine::line(record));
    QVERIFY(fields.has_value());
    QCOMPARE(fields->size(), 21);
    QCOMPARE(fields->at(2), record.LName);
    QCOMPARE(fields->at(5), record.SProblem);
    QCOMPARE(fields->at(8), u"  /  /"_s);
}

void TestCaseExport::fileOfCases_data()
{
    QTest::addColumn<QList<std::uint32_t>>("stored");
    QTest::addColumn<QList<std::uint32_t>>("exported");
    QTest::newRow("empty case file") << QList<std::uint32_t>{} << QList<std::uint32_t>{};
    QTest::newRow("only case 0") << QList<std::uint32_t>{0} << QList<std::uint32_t>{};
    QTest::newRow("case 0 left out, record order") << QList<std::uint32_t>{7, 0, 3} << QList<std::uint32_t>{7, 3};
}

void TestCaseExport::fileOfCases()
{
    QFETCH(QList<std::uint32_t>, stored);
    QFETCH(QList<std::uint32_t>, exported);
    QString expected;
    for (const std::uint32_t number : stored) {
        CaseRecord record = sampleCase();
        record.CaseNr = number;
        store(record);
        if (number != 0)
            expected += CaseExportLine::line(record) + CrLf;
    }
    auto admin = administrator();
    const QString path = exportFolder() + u"/cases.csv"_s;
    CaseExport caseExport(admin->station->database(), admin->station->errors(), admin->station->clock(), messages(),
                          path);
    QVERIFY(caseExport.open());
    caseExport.process().runToEnd();
    QVERIFY(caseExport.finish());
    QCOMPARE(contents(path), expected.toUtf8());
    QCOMPARE(caseExport.linesWritten(), exported.size());
}

void TestCaseExport::failuresLeaveNoFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("opens");
    QTest::newRow("folder gone") << u"/nonexistent-folder/cases.csv"_s << CaseExport::HeldMessage << false;
    QTest::newRow("disk full") << u"/dev/full"_s << u" Unable to write Export file - "_s << true;
}

void TestCaseExport::failuresLeaveNoFile()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    QFETCH(bool, opens);
    store(sampleCase());
    auto admin = administrator();
    CaseExport caseExport(admin->station->database(), admin->station->errors(), admin->station->clock(), messages(),
                          path);
    messages().expect(message, ButtonOk);
    QCOMPARE(caseExport.open(), opens);
    if (opens) {
        caseExport.process().runToEnd();
        QVERIFY(!caseExport.finish());
    }
    QCOMPARE(messages().shown().last().caption, u"Quor Vellum 1.2"_s);
}

// Cancel in "Processing Records" ends the export unfinished: no partial file is left.
void TestCaseExport::cancelledExportLeavesNoFile()
{
    for (const std::uint32_t number : {1U, 2U, 3U}) {
        CaseRecord record = sampleCase();
        record.CaseNr = number;
        store(record);
    }
    auto admin = administrator();
    const QString path = exportFolder() + u"/cases.csv"_s;
    CaseExport caseExport(admin->station->database(), admin->station->errors(), admin->station->clock(), messages(),
                          path);
    QVERIFY(caseExport.open());
    ProgressWindow progress(caseExport.process());
    progress.describe(u"Processing Records"_s, u"Copying data to ASCII file"_s);
    QCOMPARE(progress.textLabel()->text(), u"Copying data to ASCII file"_s);
    QCOMPARE(progress.percentLabel()->text(), u"0% Completed"_s);
    QVERIFY(caseExport.process().start());
    progress.reject();
    QVERIFY(!caseExport.finish());
    QVERIFY(!QFile::exists(path));
}

void TestCaseExport::windowFallsBackToLocalDatabase()
{
    auto admin = administrator();
    admin->station->settings().writeText(ExportFolder::Section, ExportFolder::Key, folder() + u"/gone"_s);
    messages().expect(u" Export folder not found..\r\n File Export set to Local Database. "_s, ButtonOk);
    QPointer<CaseExportWindow> window = new CaseExportWindow(*admin->station);
    window->showBeside(nullptr);
    const QString local = folder() + u"/DataBase"_s;
    QCOMPARE(window->pathLabel()->text(), local + u"/cases.csv"_s);
    QCOMPARE(admin->station->settings().readText(ExportFolder::Section, ExportFolder::Key), local);
    QCOMPARE(window->helpTopic(), u"Export Case Data"_s);
    delete window;
}

// "&No" opens the folder dialog and exports nothing; in the new folder the export runs and the
// window closes; "&Yes" replaces the file.
void TestCaseExport::windowAsksBeforeReplacing()
{
    store(sampleCase());
    auto admin = administrator();
    const QString first = exportFolder();
    const QString second = folder() + u"/Second"_s;
    QVERIFY(QDir().mkpath(second));
    admin->station->settings().writeText(ExportFolder::Section, ExportFolder::Key, first);
    QFile old(first + u"/cases.csv"_s);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();

    QPointer<CaseExportWindow> window = new CaseExportWindow(*admin->station);
    window->showBeside(nullptr);
    messages().expect(u" File already Exists.. \r\n Overwrite current file..?"_s, ButtonNo);
    dialogs().answerFolder(second + u"/"_s);
    window->exportButton()->click();
    QCOMPARE(contents(first + u"/cases.csv"_s), QByteArray("old"));
    QCOMPARE(dialogs().requests().last().title, u"Choose Export Directory"_s);
    QCOMPARE(window->pathLabel()->text(), second + u"/cases.csv"_s);
    QCOMPARE(admin->station->settings().readText(ExportFolder::Section, ExportFolder::Key), second);

    window->exportButton()->click();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(contents(second + u"/cases.csv"_s), (SampleLine + CrLf).toUtf8());

    admin->station->settings().writeText(ExportFolder::Section, ExportFolder::Key, first);
    window = new CaseExportWindow(*admin->station);
    window->showBeside(nullptr);
    messages().expect(u"Overwrite current file..?"_s, ButtonYes);
    window->exportButton()->click();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(contents(first + u"/cases.csv"_s), (SampleLine + CrLf).toUtf8());
    QVERIFY2(dialogs().failures().isEmpty(), qPrintable(dialogs().unexpected()));
}

void TestCaseExport::adminWritesTheWindowsFile()
{
    CaseRecord other = sampleCase();
    other.CaseNr = 4;
    other.LName = u"Comma, \"quoted\"  name"_s;
    other.Cdate = day(2004, 5, 3);
    for (const CaseRecord &record : {sampleCase(), other})
        store(record);
    auto admin = administrator();
    admin->station->settings().writeText(ExportFolder::Section, ExportFolder::Key, exportFolder());
    QPointer<CaseExportWindow> window = new CaseExportWindow(*admin->station);
    window->showBeside(nullptr);
    window->exportButton()->click();
    QTRY_VERIFY(window.isNull());

    const QString adminFile = folder() + u"/admin.csv"_s;
    QProcess admin2;
    admin2.start(QStringLiteral(VELLUM_ADMIN_PROGRAM), {u"export"_s, folder(), adminFile});
    QVERIFY(admin2.waitForFinished(60000));
    QCOMPARE(admin2.exitCode(), 0);
    QCOMPARE(contents(adminFile), contents(exportFolder() + u"/cases.csv"_s));
    QCOMPARE(contents(adminFile).count("\r\n"), 2);
}

QTEST_MAIN(TestCaseExport)
#include "TestCaseExport.moc"
