// The mail header of every choice and the templates as section "AddNotes" keeps them.

#include "cases/CaseMailTemplates.h"
#include "framework/SettingsFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

constexpr std::uint32_t CaseNr = 12;
const QString Problem = u"  Printer jams   "_s;

} // namespace

class TestCaseMailTemplates : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void header_data();
    void header();
    void storedAndReadBack();
};

void TestCaseMailTemplates::header_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("typed"); // the subject or entry text given first; empty: none
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("source");
    QTest::newRow("1 English") << 1 << QString() << u"Your Support Call - Registrated under Case Nr. : 12"_s
                               << u"Your Support Call - Registrated under Case Nr. :"_s;
    QTest::newRow("2 Dutch") << 2 << QString() << u"Uw supportaanvraag is geregistreerd onder Case Nr. : 12"_s
                             << u"Uw supportaanvraag is geregistreerd onder Case Nr. :"_s;
    QTest::newRow("3 Spanish") << 3 << QString() << u"Su Llamada del Apoyo - Registrated bajo el Caso Nr. : 12"_s
                               << u"Su Llamada del Apoyo - Registrated bajo el Caso Nr. :"_s;
    QTest::newRow("4 default") << 4 << QString() << u"Default 4 : 12"_s << u"Default 4 :"_s;
    QTest::newRow("template edited") << 4 << u"  Ticket  "_s << u"Ticket 12"_s << u"Ticket"_s;
    QTest::newRow("5 entry") << 5 << u"  Call me back  "_s << u"Call me back 12"_s << u"Call me back"_s;
    QTest::newRow("5 entry not typed") << 5 << QString() << u" 12"_s << QString();
    QTest::newRow("6 problem") << 6 << QString() << u"Printer jams - Case Nr. 12"_s << u"Printer jams"_s;
    QTest::newRow("6 problem, typing ignored")
        << 6 << u"Other"_s << u"Printer jams - Case Nr. 12"_s << u"Printer jams"_s;
    QTest::newRow("cut at 70") << 1 << QString(63, u'x') << QString(63, u'x') + u" 12"_s << QString(63, u'x');
    QTest::newRow("entry cut at 70") << 5 << QString(69, u'y') << QString(69, u'y') + u' ' << QString(69, u'y');
}

void TestCaseMailTemplates::header()
{
    QFETCH(int, choice);
    QFETCH(QString, typed);
    QFETCH(QString, header);
    QFETCH(QString, source);
    CaseMailTemplates templates;
    templates.choose(choice);
    if (!typed.isEmpty())
        templates.setText(typed);

    QCOMPARE(templates.header(CaseNr, Problem), header);
    QVERIFY(templates.header(CaseNr, Problem).size() <= CaseMailTemplates::HeaderWidth);
    QCOMPARE(templates.source(Problem), source);
}

// What the user edits reaches the file (an empty subject or name is not taken, typed texts are cut
// at their widths) and comes back; a damaged choice falls back to the first template.
void TestCaseMailTemplates::storedAndReadBack()
{
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(u"vellum12.ini"_s));
    CaseMailTemplates written;
    written.choose(3);
    written.setText({});
    written.rename({});
    QCOMPARE(written.header(CaseNr, {}), u"Su Llamada del Apoyo - Registrated bajo el Caso Nr. : 12"_s);
    written.setText(QString(80, u's'));
    written.rename(u"Espanolito"_s);
    written.addSignature = true;
    written.store(settings);

    QCOMPARE(settings.readText(u"AddNotes"_s, u"TitleText3"_s), u"Espanoli"_s);
    QCOMPARE(settings.readText(u"AddNotes"_s, u"Subject3"_s), QString(63, u's'));
    QCOMPARE(settings.readText(u"AddNotes"_s, u"Subject1"_s), u"Your Support Call - Registrated under Case Nr. : "_s);
    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"AddProblem"_s), 0);
    CaseMailTemplates read;
    read.load(SettingsFile(settings.path()));
    QCOMPARE(read.choice(), 3);
    QCOMPARE(read.choiceNames(),
             (QStringList{u"English"_s, u"Dutch"_s, u"Espanoli"_s, u"Default 4"_s, u"Entry"_s, u"Problem"_s}));
    QVERIFY(read.addSignature && !read.addProblem);

    settings.writeNumber(u"AddNotes"_s, u"Title"_s, 9);
    read.load(settings);
    QCOMPARE(read.choice(), 1);
}

QTEST_APPLESS_MAIN(TestCaseMailTemplates)
#include "TestCaseMailTemplates.moc"
