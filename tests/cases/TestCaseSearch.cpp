// The search on real case and knowledge-base files: the matching rule on both of its paths, the
// case number read from the phrase and fetched by key, scopes with the numbering continued, a
// stopped search, and random histories against a plain scan written here.

#include "CaseDesks.h"
#include "cases/CaseSearch.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

class TestCaseSearch : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpDesks(); }
    void cleanup() { tearDownDesks(); }
    void matching_data();
    void matching();
    void everyCharacterFoldsAsQStringFolds();
    void caseNumber_data();
    void caseNumber();
    void scopes_data();
    void scopes();
    void caseNumberByKey_data();
    void caseNumberByKey();
    void stopKeepsHitsFound();
    void randomHistoriesAsPlainScan();

private:
    void storeFenwickCases();
    QStringList found(Desk &user, SearchScope scope, int subject, const QString &phrase, int stepSize = 3);
};

void TestCaseSearch::matching_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("hit");
    QTest::newRow("case blind") << u"abc"_s << u"The ABC Company"_s << true;
    QTest::newRow("letters apart") << u"abc"_s << u"A B C"_s << false;
    QTest::newRow("leading blank kept") << u" abc"_s << u"x abc"_s << true;
    QTest::newRow("leading blank needs one") << u" abc"_s << u"xabc"_s << false;
    QTest::newRow("trailing blanks go") << u"abc   "_s << u"xabcx"_s << true;
    QTest::newRow("at the very end") << u"pany"_s << u"The ABC Company"_s << true;
    QTest::newRow("empty field") << u"a"_s << QString() << false;
    QTest::newRow("umlaut folds") << u"ÄRGER"_s << u"viel ärger heute"_s << true;
    QTest::newRow("umlaut is no plain letter") << u"arger"_s << u"viel ärger"_s << false;
    QTest::newRow("sharp s never two letters") << u"STRASSE"_s << u"Hauptstraße"_s << false;
    QTest::newRow("capital sharp s") << u"STRAẞE"_s << u"Hauptstraße"_s << true;
    QTest::newRow("final sigma") << u"ς"_s << u"ΟΔΟΣ"_s << true;
    QTest::newRow("kelvin sign in phrase, ASCII field") << u"\u212Aey"_s << u"A KEY"_s << true;
    QTest::newRow("kelvin sign in field") << u"key"_s << u"a \u212Aey"_s << true;
    QTest::newRow("long s among other letters") << u"aSt"_s << u"Straße: aſt"_s << true;
    QTest::newRow("ASCII phrase across a letter beyond") << u"ab"_s << u"aäb"_s << false;
    QTest::newRow("non-ASCII phrase, ASCII field") << u"é"_s << u"cafe"_s << false;
}

// The bytes as the file holds them and the text give one answer: the search takes the bytes.
void TestCaseSearch::matching()
{
    QFETCH(QString, phrase);
    QFETCH(QString, field);
    QFETCH(bool, hit);
    const SearchPhrase searched(phrase);
    QCOMPARE(searched.foundIn(field), hit);
    const QByteArray utf8 = field.toUtf8();
    QCOMPARE(searched.foundIn(std::string_view(utf8.constData(), std::size_t(utf8.size()))), hit);
}

// The folding of the bytes against QString's, for every character Unicode can hold, and bytes
// that are no UTF-8 read as QString reads them.
void TestCaseSearch::everyCharacterFoldsAsQStringFolds()
{
    std::string folded;
    for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        const QString text = u"Ab"_s + QString::fromUcs4(&codePoint, 1) + u"Cdefghijk"_s;
        const QByteArray utf8 = text.toUtf8();
        QVERIFY(SearchPhrase::foldUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())), &folded));
        if (QByteArray::fromStdString(folded) != text.toCaseFolded().toUtf8())
            QFAIL(qPrintable(u"U+"_s + QString::number(uint(codePoint), 16) + u" folds apart"_s));
    }
    for (const char *bytes : {"caf\xC3", "\xC3(x", "\xED\xA0\x80x", "\xF8\x88\x80\x80\x80x", "\xC0\xAFx"}) {
        QVERIFY(!SearchPhrase::foldUtf8(bytes, &folded));
        const SearchPhrase x(u"x"_s);
        QCOMPARE(x.foundIn(std::string_view(bytes)), x.foundIn(QString::fromUtf8(bytes)));
    }
}

void TestCaseSearch::caseNumber_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<uint>("caseNr");
    QTest::newRow("number") << u"12"_s << 12U;
    QTest::newRow("trailing blanks") << u"007  "_s << 7U;
    QTest::newRow("not a number") << u"12x"_s << 0U;
    QTest::newRow("blanks") << u"   "_s << 0U;
    QTest::newRow("past 32 bits") << u"4294967296"_s << 0U;
    QTest::newRow("negative") << u"-3"_s << 0U;
}

void TestCaseSearch::caseNumber()
{
    QFETCH(QString, phrase);
    QFETCH(uint, caseNr);
    QCOMPARE(SearchPhrase(phrase).caseNumber(), caseNr);
}

// Current cases 5 and 3 (stored in that order) and knowledge-base cases 9 and 4 name a printer;
// case 6 and knowledge-base case 8 do not.
void TestCaseSearch::storeFenwickCases()
{
    for (const auto &[caseNr, problem] :
         {std::pair{5U, u"Printer jams"_s}, {6U, u"Screen dark"_s}, {3U, u"Laser PRINTER"_s}}) {
        CaseRecord record;
        record.CaseNr = caseNr;
        record.SName = u"FENWIC"_s;
        record.LName = u"Fenwick Ltd"_s;
        record.SProblem = problem;
        record.History = u"History of "_s + problem;
        store(record);
    }
    for (const auto &[caseNr, problem] :
         {std::pair{9U, u"printer offline"_s}, {8U, u"Mouse"_s}, {4U, u"Printer toner"_s}}) {
        ArchiveRecord record;
        record.CaseNr = caseNr;
        record.LName = u"Archived Client"_s;
        record.SProblem = problem;
        record.History = u"Old history: "_s + problem;
        archive(record);
    }
}

QStringList TestCaseSearch::found(Desk &user, SearchScope scope, int subject, const QString &phrase, int stepSize)
{
    CaseSearch search(user.station->database(), user.station->errors(), scope, *SearchSubjects::byNumber(subject),
                      phrase);
    while (search.step(stepSize)) {
    }
    QStringList rows;
    for (const SearchResultRow &row : search.rows())
        rows << QString::number(row.Nr) + u':' + QString::number(row.CaseNr) + u':' + row.FromFile;
    return rows;
}

void TestCaseSearch::scopes_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<int>("subject");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("both, numbering continued")
        << int(SearchScope::Both) << 6 << u"printer"_s
        << QStringList{u"1:5:Case"_s, u"2:3:Case"_s, u"3:9:Archive"_s, u"4:4:Archive"_s};
    QTest::newRow("cases") << int(SearchScope::Cases) << 6 << u"PRINTER "_s
                           << QStringList{u"1:5:Case"_s, u"2:3:Case"_s};
    QTest::newRow("knowledge base") << int(SearchScope::Archive) << 7 << u"history: printer"_s
                                    << QStringList{u"1:9:Archive"_s, u"2:4:Archive"_s};
    QTest::newRow("client name") << int(SearchScope::Both) << 3 << u"wick"_s
                                 << QStringList{u"1:5:Case"_s, u"2:6:Case"_s, u"3:3:Case"_s};
    QTest::newRow("client id") << int(SearchScope::Both) << 2 << u"fen"_s
                               << QStringList{u"1:5:Case"_s, u"2:6:Case"_s, u"3:3:Case"_s};
    QTest::newRow("no hit") << int(SearchScope::Both) << 6 << u"modem"_s << QStringList{};
}

void TestCaseSearch::scopes()
{
    QFETCH(int, scope);
    QFETCH(int, subject);
    QFETCH(QString, phrase);
    QFETCH(QStringList, rows);
    storeFenwickCases();
    auto agent = desk(u"Dana"_s, LevelUser);
    QCOMPARE(found(*agent, SearchScope(scope), subject, phrase), rows);
    QCOMPARE(found(*agent, SearchScope(scope), subject, phrase, 1000), rows);
}

void TestCaseSearch::caseNumberByKey_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("source");
    QTest::newRow("both, current first") << int(SearchScope::Both) << u"12"_s << SearchSource::Case;
    QTest::newRow("both, knowledge base") << int(SearchScope::Both) << u"40 "_s << SearchSource::Archive;
    QTest::newRow("knowledge base only") << int(SearchScope::Archive) << u"12"_s << SearchSource::Archive;
    QTest::newRow("cases only") << int(SearchScope::Cases) << u"40"_s << QString();
    QTest::newRow("not a number reads 0") << int(SearchScope::Both) << u"12x"_s << QString();
    QTest::newRow("no such case") << int(SearchScope::Both) << u"13"_s << QString();
}

void TestCaseSearch::caseNumberByKey()
{
    QFETCH(int, scope);
    QFETCH(QString, phrase);
    QFETCH(QString, source);
    store(storedCase(u"Marta"_s, Active));
    archive(CaseNr);
    archive(40);
    auto agent = desk(u"Dana"_s, LevelUser);
    const std::optional<QString> where =
        CaseSearch::findCaseNumber(agent->station->database(), agent->station->errors(), SearchScope(scope), phrase);
    QCOMPARE(where.value_or(QString()), source);
    QVERIFY(messages().shown().isEmpty());
}

void TestCaseSearch::stopKeepsHitsFound()
{
    storeFenwickCases();
    auto agent = desk(u"Dana"_s, LevelUser);
    CaseSearch search(agent->station->database(), agent->station->errors(), SearchScope::Both,
                      *SearchSubjects::byNumber(6), u"printer"_s);
    QCOMPARE(search.total(), 6);
    QVERIFY(search.step(2));
    QCOMPARE(search.read(), 2);
    search.stop();
    QVERIFY(search.finished());
    QVERIFY(!search.step(10));
    QCOMPARE(search.read(), 2);
    QCOMPARE(search.rows().size(), 1U);
}

namespace {

const QString Letters = u"abcABC xyzXYZ äÄöÖßẞσΣςǅǆǄ\u212Ak K-.sSſ"_s;

QString randomText(QRandomGenerator &random, int length)
{
    QString text;
    for (int i = 0; i < length; ++i)
        text += Letters.at(random.bounded(Letters.size()));
    return text;
}

// A piece of a stored text with its letters' case changed at random, or random letters.
QString randomPhrase(QRandomGenerator &random, const QStringList &texts)
{
    const QString &text = texts.at(random.bounded(texts.size()));
    if (random.bounded(4) == 0 || text.size() < 2)
        return randomText(random, 1 + random.bounded(4));
    const qsizetype from = random.bounded(text.size() - 1);
    QString phrase = text.mid(from, 1 + random.bounded(5));
    for (QChar &c : phrase)
        c = random.bounded(2) ? c.toUpper() : c.toLower();
    return random.bounded(5) == 0 ? phrase + u"  "_s : phrase;
}

ArchiveRecord archiveCopy(const CaseRecord &record)
{
    ArchiveRecord copy;
    copy.CaseNr = record.CaseNr;
    copy.LName = record.LName;
    copy.SProblem = record.SProblem;
    copy.History = record.History;
    return copy;
}

// The definition, on every record read in full: the folded phrase within the folded field.
QStringList plainScan(store::Database &database, SearchScope scope, const SearchSubject &subject, const QString &phrase)
{
    const QString folded = SearchPhrase::withoutTrailingBlanks(phrase).toCaseFolded();
    QStringList rows;
    const auto scanFile = [&](const store::TableDefinition &table, int field, const QString &source) {
        store::WalkRequest all;
        all.limit = 1000000;
        all.withMemos = true;
        std::vector<store::StoredRow> stored;
        if (!database.isOpen(table))
            QVERIFY(database.open(table, store::OpenMode::ReadWrite, true));
        QVERIFY(database.walk(table, all, &stored));
        for (const store::StoredRow &row : stored) {
            if (std::get<QString>(row.values[std::size_t(field)]).toCaseFolded().contains(folded))
                rows << QString::number(rows.size() + 1) + u':'
                            + QString::number(std::get<std::int64_t>(row.values[CaseRecord::Col::CaseNr])) + u':'
                            + source;
        }
    };
    if (scope != SearchScope::Archive)
        scanFile(CaseRecord::table(), subject.caseField, SearchSource::Case);
    if (scope != SearchScope::Cases)
        scanFile(ArchiveRecord::table(), subject.archiveField, SearchSource::Archive);
    return rows;
}

} // namespace

void TestCaseSearch::randomHistoriesAsPlainScan()
{
    QRandomGenerator random(20261207);
    QStringList texts;
    for (std::uint32_t caseNr = 1; caseNr <= 80; ++caseNr) {
        CaseRecord record;
        record.CaseNr = caseNr;
        record.LName = randomText(random, 1 + random.bounded(30));
        record.SProblem = randomText(random, random.bounded(40));
        record.History = randomText(random, random.bounded(600));
        texts << record.LName << record.SProblem << record.History;
        if (caseNr % 2)
            store(record);
        else
            archive(archiveCopy(record));
    }
    auto agent = desk(u"Dana"_s, LevelUser);
    for (int round = 0; round < 300; ++round) {
        const auto scope = SearchScope(random.bounded(3));
        const SearchSubject subject = *SearchSubjects::byNumber(random.bounded(2, 8));
        const QString phrase = randomPhrase(random, texts);
        if (SearchPhrase(phrase).isEmpty())
            continue;
        const QStringList plain = plainScan(agent->station->database(), scope, subject, phrase);
        QCOMPARE(found(*agent, scope, subject.number, phrase, 1 + random.bounded(50)), plain);
    }
}

QTEST_GUILESS_MAIN(TestCaseSearch)
#include "TestCaseSearch.moc"
