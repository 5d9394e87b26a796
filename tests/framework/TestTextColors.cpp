// The colours of a text box: chosen, refused when equal to the other one, kept in the window's section.

#include "framework/SettingsFile.h"
#include "framework/TextColors.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

const QString Section = u"AddNotes"_s;
constexpr int Red = 0x0000FF;
constexpr int White = 0xFFFFFF;
constexpr int Black = 0x000000;

} // namespace

class TestTextColors : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choice_data();
    void choice();
};

void TestTextColors::choice_data()
{
    QTest::addColumn<bool>("background"); // which item: "&Background", else "&Text Color"
    QTest::addColumn<int>("answer");      // -1: the dialog is cancelled
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("backgroundColor");
    QTest::newRow("text taken") << false << Red << QString() << Red << White;
    QTest::newRow("background taken") << true << Red << QString() << Black << Red;
    QTest::newRow("text as background") << false << White << u"Text Color cannot be the same as Background Color"_s
                                        << Black << White;
    QTest::newRow("background as text") << true << Black << u"Background Color cannot be the same as Text Color"_s
                                        << Black << White;
    QTest::newRow("cancelled") << false << -1 << QString() << Black << White;
}

void TestTextColors::choice()
{
    QFETCH(bool, background);
    QFETCH(int, answer);
    QFETCH(QString, refusal);
    QFETCH(int, text);
    QFETCH(int, backgroundColor);
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(u"vellum12.ini"_s));
    ScriptedMessages messages;
    ScriptedDialogs dialogs;
    if (answer < 0)
        dialogs.cancelColor();
    else
        dialogs.answerColor(answer);
    if (!refusal.isEmpty())
        messages.expect(refusal, ButtonOk);
    TextColors colors(settings, dialogs, messages, Section);
    QCOMPARE(colors.text(), TextColors::DefaultText);
    QCOMPARE(colors.background(), TextColors::DefaultBackground);

    const bool taken = background ? colors.chooseBackground() : colors.chooseText();

    QCOMPARE(taken, refusal.isEmpty() && answer >= 0);
    QCOMPARE(dialogs.requests().first().title, background ? u"Choose Background Color"_s : u"Choose Text Color"_s);
    QCOMPARE(colors.text(), text);
    QCOMPARE(colors.background(), backgroundColor);
    QCOMPARE(settings.contains(Section, background ? u"BgrColor"_s : u"TextColor"_s), taken);
    // Another window of the same section starts with what was kept.
    const TextColors again(settings, dialogs, messages, Section);
    QCOMPARE(again.text(), text);
    QCOMPARE(again.background(), backgroundColor);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QVERIFY2(dialogs.failures().isEmpty(), qPrintable(dialogs.unexpected()));
}

QTEST_APPLESS_MAIN(TestTextColors)
#include "TestTextColors.moc"
