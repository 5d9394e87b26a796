// The logon: the attempts and their outcome, the current user it fills, the duties after it,
// the "LogOut" entry, and the logon window itself.

#include "LogonFixture.h"

#include "data/UserPasswords.h"
#include "framework/RecordFile.h"
#include "framework/WindowPlacement.h"
#include "shell/LogonDuties.h"
#include "shell/LogonRules.h"
#include "shell/LogonWindow.h"
#include "shell/LogoutEntry.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::LogonFixture;
using Outcome = vellum::LogonRules::Outcome;
using Light = vellum::LogonRules::Light;

Q_DECLARE_METATYPE(vellum::LogonRules::Outcome)

namespace {

const QString AccessDenied = u"     Access Denied...   "_s;

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage picture(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestLogon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void passwordInAnyLetterCaseLogsOn_data();
    void passwordInAnyLetterCaseLogsOn();
    void currentUserTakesSignatureCut();
    void clearTextIsConvertedAtLogonAndWrittenNowhere();
    void namesInNameOrderAdminPreselectedFirst();
    void failuresChangeLightAndThirdEnds_data();
    void failuresChangeLightAndThirdEnds();
    void dutiesNoteLogonWhenConfigurationSaysSo_data();
    void dutiesNoteLogonWhenConfigurationSaysSo();
    void logonNoteFailureIsShown();
    void logoutEntryOnlyWhenDue_data();
    void logoutEntryOnlyWhenDue();
    void windowLogsOnAfterAFailure();
    void windowKeepsItsPlacement();
};

void TestLogon::passwordInAnyLetterCaseLogsOn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::newRow("as stored") << u"Admin"_s << u"Secret"_s;
    QTest::newRow("capitals, trailing blanks") << u"Admin"_s << u"SECRET  "_s;
    QTest::newRow("name in other case") << u"admin"_s << u"sEcReT"_s;
}

void TestLogon::passwordInAnyLetterCaseLogsOn()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    LogonFixture fixture;
    fixture.logOn(name, password);

    const CurrentUser &user = fixture.station().user();
    QCOMPARE(user.name, u"Admin"_s);
    QCOMPARE(user.number, std::uint16_t(1));
    QCOMPARE(user.level, int(LevelAdministrator));
    QCOMPARE(fixture.settings().readText(u"Registration"_s, u"LastLogon"_s), u"Admin"_s);
    QCOMPARE(fixture.shownTexts(), QStringList());
}

void TestLogon::currentUserTakesSignatureCut()
{
    LogonFixture fixture;
    fixture.logOn(u"Agent"_s, u"blue sky"_s);

    const CurrentUser &user = fixture.station().user();
    QCOMPARE(user.level, int(LevelUser));
    QCOMPARE(user.greet, u"Kind regards,"_s);
    QCOMPARE(user.fullName, u"Alexandra Konstantin"_s);
    QCOMPARE(user.position, u"Second-line support"_s);
    QCOMPARE(user.company, u"Vellum Ltd"_s);
    QCOMPARE(user.email, u"agent@example.org"_s);
    QCOMPARE(user.phone, u"+44 (0)20 7946 0"_s);
    QCOMPARE(user.fax, u"+44 (0)20 7946 0001"_s);
}

// A user file of an older version: the logon converts it, and no password shows up anywhere.
void TestLogon::clearTextIsConvertedAtLogonAndWrittenNowhere()
{
    LogonFixture fixture;
    {
        RecordFileOf<UserRecord> users(fixture.station().database(), fixture.station().errors());
        QCOMPARE(users.open(), 0);
        users.record() = {0, u"Old"_s, u"Harbour Light"_s, 0, u"User"_s, LevelUser, {}, {}, {}, {}, {}, {}, {}};
        QCOMPARE(users.insert(), 0);
    }
    const QString users = fixture.station().database().pathOf(UserRecord::table());
    QVERIFY(bytesOf(users).contains("Harbour Light"));
    LogonRules rules(fixture.station());
    QVERIFY(rules.openUsers());
    QCOMPARE(rules.attempt(u"Old"_s, u"harbour"_s), Outcome::WrongPassword);
    QCOMPARE(rules.attempt(u"Old"_s, u"HARBOUR LIGHT"_s), Outcome::LoggedOn);
    QCOMPARE(LogonDuties(fixture.station(), [] {}).afterLogon(), u"User : Old"_s);
    QCOMPARE(rules.attempt(u"Old"_s, u"Harbour Light "_s), Outcome::LoggedOn);
    QCOMPARE(rules.attempt(u"Admin"_s, u"secret"_s), Outcome::LoggedOn);
    QCOMPARE(rules.attempt(u"Admin"_s, u"Harbour Light"_s), Outcome::WrongPassword);

    QCOMPARE(fixture.storedUser(u"Old"_s).PassWord, QString());
    QCOMPARE(fixture.logEntries().size(), 1);
    const QString database = fixture.station().database().folder();
    for (const QString &file : QStringList{users, database + u"/Log.tps"_s, fixture.settings().path()}) {
        const QByteArray bytes = bytesOf(file);
        QVERIFY2(!bytes.isEmpty(), qPrintable(file));
        QVERIFY2(!bytes.contains("Harbour") && !bytes.contains("HARBOUR"), qPrintable(file));
        QVERIFY2(!bytes.contains("Secret") && !bytes.contains("SECRET"), qPrintable(file));
    }
    QCOMPARE(fixture.shownTexts(), QStringList());
}

void TestLogon::namesInNameOrderAdminPreselectedFirst()
{
    LogonFixture fixture;
    fixture.addUser({0, u"aaron"_s, u"x"_s, 0, u"User"_s, LevelUser, {}, {}, {}, {}, {}, {}, {}});
    LogonRules rules(fixture.station());
    QVERIFY(rules.openUsers());

    QCOMPARE(rules.userNames(), (QStringList{u"aaron"_s, u"Admin"_s, u"Agent"_s, u"Boss"_s}));
    QCOMPARE(rules.lastLogon(), u"Admin"_s);
    QCOMPARE(rules.attempt(u"Boss"_s, QString()), Outcome::LoggedOn);
    QCOMPARE(rules.lastLogon(), u"Boss"_s);
}

void TestLogon::failuresChangeLightAndThirdEnds_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<Outcome>>("outcomes");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("wrong passwords") << QStringList{u"Admin"_s, u"Admin"_s, u"Admin"_s}
                                     << QList<Outcome>{Outcome::WrongPassword, Outcome::WrongPassword, Outcome::Denied}
                                     << QStringList{AccessDenied};
    QTest::newRow("unknown names count alike")
        << QStringList{u"Nobody"_s, QString(), u"Admin"_s}
        << QList<Outcome>{Outcome::UnknownUser, Outcome::UnknownUser, Outcome::Denied}
        << QStringList{u"Unknown User"_s, u"Unknown User"_s, AccessDenied};
}

void TestLogon::failuresChangeLightAndThirdEnds()
{
    QFETCH(QStringList, names);
    QFETCH(QList<Outcome>, outcomes);
    QFETCH(QStringList, messages);
    LogonFixture fixture;
    for (const QString &text : messages)
        fixture.messages().expect(text, ButtonOk);
    LogonRules rules(fixture.station());
    QVERIFY(rules.openUsers());
    QCOMPARE(rules.light(), Light::Green);

    const QList<Light> lights{Light::Amber, Light::Red, Light::Red};
    for (qsizetype i = 0; i < names.size(); ++i) {
        QCOMPARE(rules.attempt(names[i], u"Secrets"_s), outcomes[i]);
        QCOMPARE(rules.light(), lights[i]);
    }

    QCOMPARE(fixture.shownTexts(), messages);
    QVERIFY(fixture.station().user().name.isEmpty());
    QVERIFY(!fixture.settings().contains(u"Registration"_s, u"LastLogon"_s));
}

void TestLogon::dutiesNoteLogonWhenConfigurationSaysSo_data()
{
    QTest::addColumn<int>("doLog");
    QTest::addColumn<bool>("noted");
    QTest::newRow("logging on") << 1 << true;
    QTest::newRow("logging off") << 0 << false;
    QTest::newRow("only 1 is on") << 2 << false;
}

// The configuration the duties load first decides; only a noted logon keeps the program
// running after a later failed logon.
void TestLogon::dutiesNoteLogonWhenConfigurationSaysSo()
{
    QFETCH(int, doLog);
    QFETCH(bool, noted);
    LogonFixture fixture(0);
    fixture.logOn(u"Agent"_s, u"blue sky"_s);
    LogonDuties duties(fixture.station(), [&] { fixture.setDoLog(doLog); });

    QCOMPARE(duties.afterLogon(), u"User : Agent"_s);

    QCOMPARE(fixture.station().run().loggedOnMark, noted);
    QCOMPARE(LogonDuties::programEndsAfterFailedLogon(fixture.station().run()), !noted);
    const auto logon = LogRecord{1, 2, u"Agent"_s, 0, u"Logon"_s, LogonFixture::Today, LogonFixture::Now};
    QCOMPARE(fixture.logEntries(), noted ? QList<LogRecord>{logon} : QList<LogRecord>());
    QCOMPARE(fixture.shownTexts(), QStringList());
}

void TestLogon::logonNoteFailureIsShown()
{
    LogonFixture fixture;
    fixture.logOn(u"Admin"_s, u"Secret"_s);
    fixture.reopenWithReadOnlyLog();
    fixture.messages().expect(u"Activity Log Update Failure"_s, ButtonOk);

    QCOMPARE(LogonDuties(fixture.station(), [] {}).afterLogon(), u"User : Admin"_s);

    QVERIFY(fixture.station().run().loggedOnMark);
    QCOMPARE(fixture.shownTexts(), QStringList{u"Activity Log Update Failure"_s});
}

void TestLogon::logoutEntryOnlyWhenDue_data()
{
    QTest::addColumn<bool>("marked");
    QTest::addColumn<int>("doLog");
    QTest::addColumn<bool>("logHasEntries");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("written");

    QTest::newRow("due") << true << 1 << true << false << true;
    QTest::newRow("logon not noted") << false << 1 << true << false << false;
    QTest::newRow("logging switched off since") << true << 0 << true << false << false;
    QTest::newRow("empty log") << true << 1 << false << false << false;
    QTest::newRow("due, log not writable") << true << 1 << true << true << false;
}

void TestLogon::logoutEntryOnlyWhenDue()
{
    QFETCH(bool, marked);
    QFETCH(int, doLog);
    QFETCH(bool, logHasEntries);
    QFETCH(bool, readOnly);
    QFETCH(bool, written);
    LogonFixture fixture{doLog};
    fixture.logOn(u"Boss"_s, QString());
    fixture.station().run().loggedOnMark = marked;
    if (logHasEntries)
        fixture.addLogEntry(u"Created"_s);
    if (readOnly) {
        fixture.reopenWithReadOnlyLog();
        fixture.messages().expect(u"Activity Log update failure"_s, ButtonOk);
    }

    QCOMPARE(LogoutEntry(fixture.station()).write(), written);

    const QList<LogRecord> entries = fixture.logEntries();
    QCOMPARE(entries.size(), int(logHasEntries) + int(written));
    if (written)
        QCOMPARE(entries.last(), (LogRecord{2, 3, u"Boss"_s, 0, u"LogOut"_s, LogonFixture::Today, LogonFixture::Now}));
    QCOMPARE(fixture.shownTexts(), readOnly ? QStringList{u"Activity Log update failure"_s} : QStringList());
}

void TestLogon::windowLogsOnAfterAFailure()
{
    LogonFixture fixture;
    fixture.settings().writeText(u"Registration"_s, u"LastLogon"_s, u"agent"_s);
    LogonWindow window(fixture.station());
    auto *names = window.findChild<QComboBox *>(u"name"_s);
    auto *password = window.findChild<QLineEdit *>(u"password"_s);
    auto *ok = window.findChild<QPushButton *>(u"ok"_s);
    auto *light = window.findChild<QLabel *>(u"light"_s);
    QVERIFY(names && password && ok && light);
    QCOMPARE(window.windowTitle(), u"Quor Vellum 1.2 - Logon"_s);
    QCOMPARE(names->currentText(), u"Agent"_s);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(picture(light->pixmap()), picture(QPixmap(u":/icons/Trffc10a.png"_s)));

    window.show();
    QTest::keyClicks(password, u"red sky"_s);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(password->text().isEmpty());
    QCOMPARE(picture(light->pixmap()), picture(QPixmap(u":/icons/Trffc10b.png"_s)));

    QTimer::singleShot(0, &window, [&] {
        QTest::keyClicks(password, u"BLUE SKY"_s);
        QTest::mouseClick(ok, Qt::LeftButton);
        if (window.isVisible())
            window.done(-1); // not accepted: end the test rather than wait
    });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QCOMPARE(fixture.station().user().name, u"Agent"_s);
}

void TestLogon::windowKeepsItsPlacement()
{
    LogonFixture fixture;
    WindowPlacement{false, 41, 33, 0, 0, true, false}.write(fixture.settings(), u"Logon"_s, false);
    LogonWindow window(fixture.station());
    QCOMPARE(LogonFixture::openMoveAndClose(window, {67, 52}, u"exit"_s), QPoint(41, 33));
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(WindowPlacement::read(fixture.settings(), u"Logon"_s),
             (WindowPlacement{false, 67, 52, 0, 0, true, false}));
}

QTEST_MAIN(TestLogon)
#include "TestLogon.moc"
