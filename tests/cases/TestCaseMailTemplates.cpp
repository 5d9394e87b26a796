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
    void editing();
    void storedAndReadBack();
    void damagedSettingsFallBack();
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

// An empty subject or name is not taken; texts are cut at their widths; only the chosen template changes.
void TestCaseMailTemplates::editing()
{
    CaseMailTemplates templates;
    templates.choose(2);
    templates.setText({});
    templates.rename({});
    QCOMPARE(templates.subject(2), u"Uw supportaanvraag is geregistreerd onder Case Nr. : "_s);
    QCOMPARE(templates.name(2), u"Dutch"_s);

    templates.setText(QString(80, u's'));
    templates.rename(u"Nederlands"_s);
    QCOMPARE(templates.subject(2), QString(63, u's'));
    QCOMPARE(templates.name(2), u"Nederlan"_s);
    QCOMPARE(templates.choiceNames(),
             (QStringList{u"English"_s, u"Nederlan"_s, u"Spanish"_s, u"Default 4"_s, u"Entry"_s, u"Problem"_s}));

    templates.choose(CaseMailTemplates::Problem);
    templates.rename(u"Mine"_s);
    QCOMPARE(templates.name(CaseMailTemplates::Problem), u"Problem"_s);
    QCOMPARE(templates.subject(1), u"Your Support Call - Registrated under Case Nr. : "_s);
}

void TestCaseMailTemplates::storedAndReadBack()
{
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(u"vellum12.ini"_s));
    CaseMailTemplates written;
    written.choose(3);
    written.setText(u"Su caso"_s);
    written.rename(u"Espanol"_s);
    written.addProblem = true;
    written.addSignature = true;
    written.store(settings);

    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"Title"_s), 3);
    QCOMPARE(settings.readText(u"AddNotes"_s, u"TitleText3"_s), u"Espanol"_s);
    QCOMPARE(settings.readText(u"AddNotes"_s, u"Subject3"_s), u"Su caso"_s);
    QCOMPARE(settings.readText(u"AddNotes"_s, u"Subject1"_s), u"Your Support Call - Registrated under Case Nr. : "_s);
    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"AddProblem"_s), 1);
    QCOMPARE(settings.readNumber(u"AddNotes"_s, u"AddSig"_s), 1);

    SettingsFile again(settings.path());
    CaseMailTemplates read;
    read.load(again);
    QCOMPARE(read.choice(), 3);
    QCOMPARE(read.choiceNames(), written.choiceNames());
    QCOMPARE(read.header(CaseNr, {}), u"Su caso 12"_s);
    QVERIFY(read.addProblem);
    QVERIFY(read.addSignature);
}

// Keys not there keep their defaults; a choice out of range is the first template; the header
// stays within its width whatever the file holds.
void TestCaseMailTemplates::damagedSettingsFallBack()
{
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(u"vellum12.ini"_s));
    settings.writeNumber(u"AddNotes"_s, u"Title"_s, 9);
    settings.writeText(u"AddNotes"_s, u"TitleText4"_s, u"Much too long"_s);
    settings.writeText(u"AddNotes"_s, u"Subject4"_s, QString(100, u'z'));
    settings.writeNumber(u"AddNotes"_s, u"AddSig"_s, 2);

    CaseMailTemplates templates;
    templates.load(settings);
    QCOMPARE(templates.choice(), 1);
    QCOMPARE(templates.name(4), u"Much too long"_s);
    templates.choose(4);
    QCOMPARE(templates.header(12, {}), QString(70, u'z'));
    QCOMPARE(templates.name(1), u"English"_s);
    QVERIFY(!templates.addProblem);
    QVERIFY(!templates.addSignature);
}

QTEST_APPLESS_MAIN(TestCaseMailTemplates)
#include "TestCaseMailTemplates.moc"
