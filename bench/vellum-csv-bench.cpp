// vellum-csv-bench: the case export of 100,000 cases against the sqlite3 shell's CSV output of
// the same columns, and the client import of 10,000 address-book lines into a client file of
// 10,000 clients, half of them updates. One line per figure as "name: value unit".

#include "cases/CaseExport.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "framework/Clock.h"
#include "framework/ErrorReporter.h"
#include "reference/ClientImport.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr int CaseCount = 100000;
constexpr int ClientCount = 10000;
const std::int32_t FirstDay = DateTime::dayNumber(QDate(2004, 5, 3));

CaseRecord caseNumbered(int number)
{
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = std::uint32_t(number);
    record.SName = u"C%1"_s.arg(number % 1000, 5, 10, QChar(u'0'));
    record.LName = u"Client %1 Ltd"_s.arg(number % 1000);
    record.IDProduct = u"Product %1"_s.arg(number % 50);
    record.Product = u"Digital Camera 3.2i"_s;
    record.SProblem = u"Lens does not open, \"error 7\" shown"_s;
    record.Owner = u"Employee %1"_s.arg(number % 4);
    record.Status = number % 3 == 0 ? u"Closed"_s : u"Active"_s;
    record.Cdate = number % 3 == 0 ? FirstDay + number % 90 : DateTime::NoDate;
    record.SDate = FirstDay + number % 90;
    record.STime = DateTime::fromHoursMinutes(8 + number % 10, number % 60);
    record.FirstEscDate = record.SecEscDate = record.ThirdEscDate = record.SDate + 2;
    record.FirstEscTime = record.SecEscTime = record.ThirdEscTime = record.STime;
    record.FirstAction = record.SecAction = record.ThirdAction = u"N"_s;
    return record;
}

ClientRecord clientNumbered(int number)
{
    ClientRecord record;
    record.SName = u"K%1"_s.arg(number, 5, 10, QChar(u'0'));
    record.LName = u"Company %1"_s.arg(number);
    record.Email = u"desk@company%1.example"_s.arg(number);
    record.Phone = u"555-0100"_s;
    return record;
}

QString exportColumns()
{
    using Col = CaseRecord::Col;
    QStringList names;
    for (int field :
         {Col::CaseNr,       Col::SName,        Col::LName,       Col::IDProduct,  Col::Product,    Col::SProblem,
          Col::Owner,        Col::Status,       Col::Cdate,       Col::Priority,   Col::SDate,      Col::STime,
          Col::FirstEscDate, Col::FirstEscTime, Col::FirstAction, Col::SecEscDate, Col::SecEscTime, Col::SecAction,
          Col::ThirdEscDate, Col::ThirdEscTime, Col::ThirdAction}) {
        const auto column = CaseRecord::table().fields[std::size_t(field)].column();
        names << QString::fromUtf8(column.data(), qsizetype(column.size()));
    }
    return names.join(u", "_s);
}

void benchExport()
{
    QTemporaryDir folder;
    store::Database database(folder.path());
    if (const auto opened = database.open(CaseRecord::table(), store::OpenMode::ReadWrite, true); !opened)
        die(u"open"_s, opened);
    insertNumbered(database, CaseRecord::table(), CaseCount, caseNumbered);
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int) { std::exit(1); });
    const SystemClock clock;
    const QString path = folder.filePath(u"cases.csv"_s);
    const double exportMs = bestOf(3, [&] {
        CaseExport caseExport(database, errors, clock, messages, path);
        if (!caseExport.open())
            die(u"the export file could not be made"_s);
        caseExport.process().runToEnd();
        if (!caseExport.finish() || caseExport.linesWritten() != CaseCount)
            die(u"the export did not complete"_s);
    });
    figure("export_100k_ms", exportMs, "ms");

    const QString select = u"SELECT %1 FROM SER"_s.arg(exportColumns());
    const QString file = database.pathOf(CaseRecord::table());
    const double shellMs = bestOf(3, [&] {
        QProcess shell;
        shell.setStandardOutputFile(folder.filePath(u"shell.csv"_s));
        shell.start(u"sqlite3"_s, {u"-readonly"_s, u"-csv"_s, file, select});
        if (!shell.waitForFinished(600000) || shell.exitCode() != 0)
            die(u"sqlite3 failed: "_s + QString::fromLocal8Bit(shell.readAllStandardError()));
    });
    note(u"sqlite3 .mode csv of the same columns: %1 ms"_s.arg(shellMs));
    figure("export_vs_sqlite3_csv", exportMs / shellMs, "ratio");
}

// Line i of the address book: the even ones are clients of the file (same name and e-mail, a new
// phone), the odd ones new companies.
QByteArray addressBook()
{
    QByteArray text = "Voornaam,Achternaam,Middelste naam,Naam,Bijnaam,E-mailadres\r\n";
    for (int line = 1; line <= ClientCount; ++line) {
        const int number = line % 2 == 0 ? line : ClientCount + line;
        QStringList columns(29);
        columns[3] = u"Desk %1"_s.arg(number);
        columns[5] = u"desk@company%1.example"_s.arg(number);
        columns[15] = u"Main Street %1"_s.arg(line);
        columns[21] = u"555-%1"_s.arg(line);
        columns[24] = u"Company %1"_s.arg(number);
        for (QString &column : columns)
            column = u'"' + column + u'"';
        text += (columns.join(u',') + u"\r\n"_s).toUtf8();
    }
    return text;
}

void benchImport()
{
    QTemporaryDir folder;
    store::Database database(folder.path());
    if (const auto opened = database.open(ClientRecord::table(), store::OpenMode::ReadWrite, true); !opened)
        die(u"open"_s, opened);
    insertNumbered(database, ClientRecord::table(), ClientCount, clientNumbered);
    const QString path = folder.filePath(u"book.csv"_s);
    QFile book(path);
    if (!book.open(QIODevice::WriteOnly) || book.write(addressBook()) < 0)
        die(u"the address book could not be written"_s);
    book.close();
    PrintingMessages messages;
    ErrorReporter errors(messages, [](int) { std::exit(1); });
    const SystemClock clock;
    ClientImport import(database, errors, clock, messages);
    QElapsedTimer timer;
    timer.start();
    if (!import.run(path) || import.added() != ClientCount / 2 || import.updated() != ClientCount / 2)
        die(u"the import did not complete: %1 added, %2 updated"_s.arg(import.added()).arg(import.updated()));
    figure("import_10k_ms", elapsedMs(timer), "ms");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchExport();
    benchImport();
    return 0;
}
