// The client import on a real client file: one table of the import's rules (names, short names,
// duplicates, updates, rejected lines and the outcome text), the error log byte for byte, the
// chosen file read under its own name and left as it is, a second import that updates, a log
// that cannot be written, and the window from "&Select" to the outcome.

#include "ClientFixture.h"

#include "framework/RecordFile.h"
#include "reference/ClientImport.h"
#include "reference/ClientImportLine.h"
#include "reference/ClientImportWindow.h"
#include "reference/ImportErrorLog.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ClientFixture;

namespace {

// Column numbers of the address book, from 1.
enum : int { VNAAM = 1, ANAAM = 2, NAAM = 4, EMAIL = 6, THUISTEL = 12, MOBIEL = 14, TEL = 22, BEDRIJF = 25 };

const QString Header = u"Voornaam,Achternaam,Middelste naam,Naam,Bijnaam,E-mailadres"_s;

// A line of 29 quoted columns with the given texts.
QString line(const QMap<int, QString> &texts)
{
    QStringList columns;
    for (int column = 1; column <= 29; ++column)
        columns << u'"' + texts.value(column) + u'"';
    return columns.join(u',');
}

QString company(const QString &name, const QString &email, const QString &phone = {})
{
    return line({{BEDRIJF, name}, {NAAM, name + u" Desk"_s}, {EMAIL, email}, {TEL, phone}});
}

void write(const QString &path, const QStringList &lines)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QString &text : lines)
        file.write((text + u"\r\n"_s).toUtf8());
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ClientRecord client(const QString &shortName, const QString &fullName, const QString &email, const QString &phone = {})
{
    ClientRecord record;
    record.SName = shortName;
    record.LName = fullName;
    record.Email = email;
    record.Phone = phone;
    record.Contact = u"Kept"_s;
    return record;
}

// Every client as "short name|full name|e-mail|phone", by short name.
QStringList clients(Workstation &workstation)
{
    RecordFileOf<ClientRecord> file(workstation.database(), workstation.errors());
    QStringList rows;
    if (!file.open().ok())
        return rows;
    file.set(ClientRecord::SNameKey);
    while (file.next().ok()) {
        const ClientRecord &c = file.record();
        rows << QStringList{c.SName, c.LName, c.Email, c.Phone}.join(u'|');
    }
    return rows;
}

QList<ClientRecord> numberedClients(const QString &stem, int count)
{
    QList<ClientRecord> made;
    for (int number = 1; number <= count; ++number)
        made << client(stem + QString::number(number), u"Taken "_s + QString::number(number), {});
    return made;
}

} // namespace

class TestClientImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void importRules_data();
    void importRules();
    void errorLogLines();
    void chosenFileReadAsItIs();
    void secondImportUpdates();
    void missingFileImportsNothing();
    void unwritableLogIsToldOnce();
    void windowImports();

private:
    QTemporaryDir m_dir;
};

void TestClientImport::importRules_data()
{
    QTest::addColumn<QList<ClientRecord>>("existing");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("outcome");

    const QString all = ClientImport::AllImported;
    QTest::newRow("header only") << QList<ClientRecord>{} << QStringList{} << QStringList{} << all;
    QTest::newRow("company, then last, first and display name")
        << QList<ClientRecord>{}
        << QStringList{company(u"Acme Anvils  "_s, u"a@acme"_s), line({{ANAAM, u"Jones"_s}, {VNAAM, u"Tom"_s}}),
                       line({{VNAAM, u"Tom"_s}, {NAAM, u"Tom T."_s}}), line({{NAAM, u"Only Display"_s}})}
        << QStringList{u"Acme A|Acme Anvils|a@acme|"_s, u"Jones|Jones||"_s, u"Only D|Only Display||"_s, u"Tom|Tom||"_s}
        << all;
    QTest::newRow("business phone, else home phone")
        << QList<ClientRecord>{}
        << QStringList{line({{BEDRIJF, u"Home"_s}, {THUISTEL, u"555"_s}}),
                       line({{BEDRIJF, u"Work"_s}, {THUISTEL, u"555"_s}, {TEL, u"777"_s}})}
        << QStringList{u"Home|Home||555"_s, u"Work|Work||777"_s} << all;
    QTest::newRow("same company, two addresses")
        << QList<ClientRecord>{} << QStringList{company(u"Acme"_s, u"a@acme"_s), company(u"Acme"_s, u"b@acme"_s)}
        << QStringList{u"Acme|Acme|a@acme|"_s, u"Acme1|Acme1|b@acme|"_s} << all;
    QTest::newRow("short name taken: four letters and 1")
        << QList<ClientRecord>{client(u"Fenwic"_s, u"Fenwick Old"_s, {})}
        << QStringList{company(u"Fenwick Trading"_s, u"f@t"_s)}
        << QStringList{u"Fenw1|Fenwick Trading|f@t|"_s, u"Fenwic|Fenwick Old||"_s} << all;
    QTest::newRow("running number keeps six characters")
        << (numberedClients(u"Abcd"_s, 99) << client(u"Abcdef"_s, u"Abcdef Old"_s, {}))
        << QStringList{company(u"Abcdefgh"_s, u"x@y"_s)} << QStringList{u"Abc100|Abcdefgh|x@y|"_s} << all;
    QTest::newRow("same name and e-mail: updated, contact kept")
        << QList<ClientRecord>{client(u"ACME"_s, u"Acme"_s, u"a@acme"_s, u"111"_s)}
        << QStringList{company(u"Acme"_s, u"a@acme   "_s, u"222"_s)} << QStringList{u"ACME|Acme|a@acme|222"_s} << all;
    QTest::newRow("semicolon separators")
        << QList<ClientRecord>{} << QStringList{u"Acme;;;a@acme"_s} << QStringList{} << ClientImport::NothingImported;
    QTest::newRow("quote or apostrophe in a text")
        << QList<ClientRecord>{}
        << QStringList{company(u"Say \"\"hi\"\""_s, u"s@h"_s), company(u"O'Brien"_s, u"o@b"_s),
                       u"Plain,Line"_s + QString(u","_s).repeated(23) + u"Unquoted Co"_s}
        << QStringList{u"Unquot|Unquoted Co||"_s} << ClientImport::withErrors(2);
    QTest::newRow("no name at all: not matched with the line before")
        << QList<ClientRecord>{}
        << QStringList{company(u"Acme"_s, u"a@acme"_s, u"111"_s), line({{EMAIL, u"a@acme"_s}, {TEL, u"999"_s}})}
        << QStringList{u"Acme|Acme|a@acme|111"_s} << ClientImport::withErrors(1);
    QTest::newRow("numbered name taken by another: double key")
        << QList<ClientRecord>{client(u"ACME"_s, u"Acme"_s, u"a@acme"_s), client(u"ACME1"_s, u"Acme1"_s, u"z@acme"_s)}
        << QStringList{company(u"Acme"_s, u"b@acme"_s), line({{NAAM, u"Broken \"line"_s}})}
        << QStringList{u"ACME|Acme|a@acme|"_s, u"ACME1|Acme1|z@acme|"_s} << ClientImport::NothingImported;
    QTest::newRow("double key last") << QList<ClientRecord>{client(u"ACME"_s, u"Acme"_s, u"a@acme"_s),
                                                            client(u"ACME1"_s, u"Acme1"_s, u"z@acme"_s)}
                                     << QStringList{u"x;y"_s, company(u"Acme"_s, u"b@acme"_s)}
                                     << QStringList{u"ACME|Acme|a@acme|"_s, u"ACME1|Acme1|z@acme|"_s}
                                     << ClientImport::withErrors(2);
}

void TestClientImport::importRules()
{
    QFETCH(QList<ClientRecord>, existing);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QFETCH(QString, outcome);
    ClientFixture fixture;
    for (const ClientRecord &record : existing)
        fixture.addClient(record);
    const QString path = m_dir.filePath(u"book.csv"_s);
    write(path, QStringList{Header} + lines);
    QFile::remove(m_dir.filePath(ImportErrorLog::FileName));

    ClientImport import(fixture.workstation().database(), fixture.workstation().errors(), fixture.workstation().clock(),
                        fixture.messages());
    QVERIFY(import.run(path));
    QCOMPARE(import.outcome(), outcome);
    QStringList stored = clients(fixture.workstation());
    if (existing.size() > 50) // the numbered clients only make room
        stored.erase(std::remove_if(
                         stored.begin(), stored.end(),
                         [](const QString &row) { return row.contains(u"|Taken "_s) || row.startsWith(u"Abcdef|"_s); }),
                     stored.end());
    QCOMPARE(stored, expected);
    QCOMPARE(contents(m_dir.filePath(ImportErrorLog::FileName)).count('\n'), qsizetype(import.rejected()));
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestClientImport::errorLogLines()
{
    ClientFixture fixture;
    fixture.addClient(client(u"ACME"_s, u"Acme"_s, u"a@acme"_s));
    fixture.addClient(client(u"ACME1"_s, u"Acme1"_s, u"z@acme"_s));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"book.csv"_s);
    write(path, {Header, u"a;b"_s, line({{BEDRIJF, u"Acme"_s}, {NAAM, u"Ann Acme  "_s}, {EMAIL, u"b@acme  "_s}})});
    ClientImport import(fixture.workstation().database(), fixture.workstation().errors(), fixture.workstation().clock(),
                        fixture.messages());
    QVERIFY(import.run(path));
    QCOMPARE(contents(dir.filePath(u"ImportError.log"_s)),
             QByteArray("03/05/2004 - 09:06:00 - Error :No CSV Record                   \n"
                        "03/05/2004 - 09:06:00 - Error :Double key                       - Ann Acme - b@acme\n"));
    ImportErrorLog log(dir.path(), fixture.workstation().clock(), fixture.messages());
    QCOMPARE(log.line(ImportErrorLog::DoubleKey, QString(300, u'x')).size(), 255);
}

// The old import renamed the chosen file to "QVL.csv" and, when one was there, read that one.
void TestClientImport::chosenFileReadAsItIs()
{
    ClientFixture fixture;
    QTemporaryDir dir;
    const QString chosen = dir.filePath(u"contacts.csv"_s);
    write(chosen, {Header, company(u"New Co"_s, u"n@co"_s)});
    write(dir.filePath(u"QVL.csv"_s), {Header, company(u"Old Co"_s, u"o@co"_s)});
    const QByteArray before = contents(chosen);
    ClientImport import(fixture.workstation().database(), fixture.workstation().errors(), fixture.workstation().clock(),
                        fixture.messages());
    QVERIFY(import.run(chosen));
    QCOMPARE(clients(fixture.workstation()), QStringList{u"New Co|New Co|n@co|"_s});
    QCOMPARE(contents(chosen), before);
    QVERIFY(QFile::exists(dir.filePath(u"QVL.csv"_s)));
}

void TestClientImport::secondImportUpdates()
{
    ClientFixture fixture;
    const QString path = m_dir.filePath(u"twice.csv"_s);
    write(path, {Header, company(u"Acme"_s, u"a@acme"_s, u"1"_s), company(u"Acme"_s, u"b@acme"_s, u"2"_s)});
    for (int run = 0; run < 2; ++run) {
        ClientImport import(fixture.workstation().database(), fixture.workstation().errors(),
                            fixture.workstation().clock(), fixture.messages());
        QVERIFY(import.run(path));
        QCOMPARE(import.added(), run == 0 ? 2 : 0);
        QCOMPARE(import.updated(), run == 0 ? 0 : 2);
        QCOMPARE(import.outcome(), ClientImport::AllImported);
    }
    QCOMPARE(fixture.clientCount(), 2);
}

void TestClientImport::missingFileImportsNothing()
{
    ClientFixture fixture;
    ClientImport import(fixture.workstation().database(), fixture.workstation().errors(), fixture.workstation().clock(),
                        fixture.messages());
    fixture.messages().expect(u"File cannot be found in choosen directory"_s, ButtonOk);
    QVERIFY(!import.run(m_dir.filePath(u"gone.csv"_s)));
    QCOMPARE(fixture.messages().shown().last().caption, u"Quor Vellum 1.2"_s);
    QCOMPARE(import.added(), 0);
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestClientImport::unwritableLogIsToldOnce()
{
    ClientFixture fixture;
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(ImportErrorLog::FileName)); // a folder where the log would go
    const QString path = dir.filePath(u"book.csv"_s);
    write(path, {Header, u"a;b"_s, u"c;d"_s, company(u"Acme"_s, u"a@acme"_s)});
    fixture.messages().expect(u""_s, ButtonOk);
    ClientImport import(fixture.workstation().database(), fixture.workstation().errors(), fixture.workstation().clock(),
                        fixture.messages());
    QVERIFY(import.run(path));
    QCOMPARE(fixture.messages().shown().size(), 1);
    QVERIFY(!fixture.messages().shown().first().text.isEmpty());
    QCOMPARE(import.added(), 1);
    QCOMPARE(import.rejected(), 2);
    QVERIFY2(fixture.messages().failures().isEmpty(), qPrintable(fixture.messages().unexpected()));
}

void TestClientImport::windowImports()
{
    ClientFixture fixture;
    const QString path = m_dir.filePath(u"window.csv"_s);
    write(path, {Header, company(u"Acme"_s, u"a@acme"_s)});
    QPointer<ClientImportWindow> window = new ClientImportWindow(fixture.workstation());
    window->showBeside(nullptr);
    QCOMPARE(window->statusLabel()->text(), u"Select CSV-File Containing Client Data..."_s);
    QVERIFY(!window->importButton()->isEnabled());

    fixture.station().dialogs().answerOpenFile({});
    window->selectButton()->click();
    QVERIFY(!window->importButton()->isEnabled());
    fixture.station().dialogs().answerOpenFile(path);
    window->selectButton()->click();
    QCOMPARE(fixture.station().dialogs().requests().last().title, u"Select Import File"_s);
    QCOMPARE(fixture.station().dialogs().requests().last().filter, u"CSV|*.csv"_s);
    QCOMPARE(window->statusLabel()->text(), u"Press Import to Start Importing Data..."_s);

    window->importButton()->click();
    QCOMPARE(window->statusLabel()->text(), ClientImport::AllImported);
    QCOMPARE(window->windowTitle(), u"Quor Vellum 1.2 - Import"_s);
    QVERIFY(!window->importButton()->isEnabled());
    QCOMPARE(fixture.clientCount(), 1);
    QCOMPARE(window->helpTopic(), u"Import Client Data"_s);
    delete window;
}

QTEST_MAIN(TestClientImport)
#include "TestClientImport.moc"
