// The password and signature window: the old password with its letter case, the new one and
// its repetition, the signature written to the user record and taken over by the current user.

#include "LogonFixture.h"

#include "framework/RecordFile.h"
#include "framework/WindowPlacement.h"
#include "shell/PasswordChangeRules.h"
#include "shell/PasswordChangeWindow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::LogonFixture;
using OldPassword = vellum::PasswordChangeRules::OldPassword;

namespace {

const QString WrongRepetition = u"Wrong repetetion : try again"_s;
const PasswordChangeRules::Signature NewSignature{
    u"Cheers,"_s,          u"Alexandra Konstantinopoulou"_s, u"Team lead"_s,       u"Vellum plc"_s,
    u"alex@example.org"_s, u"+44 20 7946 0999 ext 7"_s,      u"+44 20 7946 0998"_s};

} // namespace

class TestPasswordChange : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void userNotFoundCloses();
    void oldPasswordMustMatchLetterCase_data();
    void oldPasswordMustMatchLetterCase();
    void passwordStoredAfterRepetition_data();
    void passwordStoredAfterRepetition();
    void signatureStoredAndTakenOverCut();
    void recordChangedElsewhereIsNotWritten();
    void windowChangesPassword();
    void windowKeepsItsPlacement();
};

void TestPasswordChange::userNotFoundCloses()
{
    LogonFixture fixture;
    fixture.station().user().name = u"Ghost"_s;
    fixture.messages().expect(u"User Not Found"_s, ButtonOk);

    PasswordChangeWindow window(fixture.station());

    QCOMPARE(window.windowTitle(), u"Pass/Data change of Ghost"_s);
    QCOMPARE(window.exec(), int(QDialog::Rejected));
    QCOMPARE(fixture.shownTexts(), QStringList{u"User Not Found"_s});
}

void TestPasswordChange::oldPasswordMustMatchLetterCase_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("as stored, trailing blanks") << u"blue sky  "_s << true;
    QTest::newRow("capitals") << u"BLUE SKY"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestPasswordChange::oldPasswordMustMatchLetterCase()
{
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    LogonFixture fixture;
    fixture.logOn(u"Agent"_s, u"BLUE SKY"_s);
    PasswordChangeRules rules(fixture.station());
    QVERIFY(rules.open());

    QCOMPARE(rules.enterOldPassword(typed), matches ? OldPassword::Matches : OldPassword::Wrong);

    QCOMPARE(fixture.messages().beeps(), matches ? 0 : 1);
    QCOMPARE(fixture.shownTexts(), QStringList());
}

void TestPasswordChange::passwordStoredAfterRepetition_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("before"); // the password the fixture gave
    QTest::addColumn<QString>("old");    // typed as the old password; empty: not typed at all
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QStringList>("repetitions");
    QTest::addColumn<QString>("stored");

    QTest::newRow("OK at once") << u"Agent"_s << u"blue sky"_s << QString() << QString()
                                << QStringList{QString(), u"blue sky"_s} << u"blue sky"_s;
    QTest::newRow("OK at once, no password")
        << u"Boss"_s << QString() << QString() << QString() << QStringList{QString()} << QString();
    QTest::newRow("new one repeated") << u"Agent"_s << u"blue sky"_s << u"blue sky"_s << u"Green Field"_s
                                      << QStringList{u"green field"_s, u"Green Field "_s} << u"Green Field"_s;
    QTest::newRow("no new one keeps the old")
        << u"Agent"_s << u"blue sky"_s << u"blue sky"_s << u"   "_s << QStringList{QString()} << u"blue sky"_s;
}

// Each repetition but the last is wrong and keeps the window open.
void TestPasswordChange::passwordStoredAfterRepetition()
{
    QFETCH(QString, user);
    QFETCH(QString, before);
    QFETCH(QString, old);
    QFETCH(QString, newPassword);
    QFETCH(QStringList, repetitions);
    QFETCH(QString, stored);
    LogonFixture fixture;
    fixture.logOn(user, before);
    PasswordChangeRules rules(fixture.station());
    QVERIFY(rules.open());
    if (!old.isEmpty()) {
        QCOMPARE(rules.enterOldPassword(old), OldPassword::Matches);
        QCOMPARE(rules.enterNewPassword(newPassword), !newPassword.trimmed().isEmpty());
    }
    QStringList wrong;
    for (qsizetype i = 0; i + 1 < repetitions.size(); ++i) {
        fixture.messages().expect(WrongRepetition, ButtonOk);
        QVERIFY(!rules.finish(repetitions[i], rules.signature()));
        wrong << WrongRepetition;
    }
    QVERIFY(fixture.passwordIs(user, before));

    QVERIFY(rules.finish(repetitions.last(), rules.signature()));

    QVERIFY(fixture.passwordIs(user, stored));
    QCOMPARE(fixture.storedUser(user).PassWord, QString());
    QCOMPARE(fixture.shownTexts(), wrong);
}

void TestPasswordChange::signatureStoredAndTakenOverCut()
{
    LogonFixture fixture;
    fixture.logOn(u"Boss"_s, QString());
    PasswordChangeRules rules(fixture.station());
    QVERIFY(rules.open());

    QVERIFY(rules.finish(QString(), NewSignature));

    const UserRecord stored = fixture.storedUser(u"Boss"_s);
    QCOMPARE(stored.FullName, NewSignature.fullName);
    QCOMPARE(stored.Phone, NewSignature.phone);
    const CurrentUser &user = fixture.station().user();
    QCOMPARE(user.greet, u"Cheers,"_s);
    QCOMPARE(user.fullName, u"Alexandra Konstantin"_s);
    QCOMPARE(user.position, u"Team lead"_s);
    QCOMPARE(user.company, u"Vellum plc"_s);
    QCOMPARE(user.email, u"alex@example.org"_s);
    QCOMPARE(user.phone, u"+44 20 7946 0999"_s);
    QCOMPARE(user.fax, u"+44 20 7946 0998"_s);
}

// Another workstation changed the user meanwhile: the watch refuses the write, the new password
// with it, and the current user keeps the signature it had.
void TestPasswordChange::recordChangedElsewhereIsNotWritten()
{
    LogonFixture fixture;
    fixture.logOn(u"Agent"_s, u"blue sky"_s);
    PasswordChangeRules rules(fixture.station());
    QVERIFY(rules.open());
    QCOMPARE(rules.enterOldPassword(u"blue sky"_s), OldPassword::Matches);
    QVERIFY(rules.enterNewPassword(u"fresh"_s));
    RecordFileOf<UserRecord> users(fixture.station().database(), fixture.station().errors(), false);
    QCOMPARE(users.open(), 0);
    users.record().Name = u"Agent"_s;
    QCOMPARE(users.fetch(UserRecord::KeyName), 0);
    users.record().Position = u"Moved on"_s;
    QCOMPARE(users.update(), 0);
    fixture.messages().expect(u"Error Updating User Data"_s, ButtonOk);

    QVERIFY(rules.finish(u"fresh"_s, NewSignature));

    QCOMPARE(fixture.storedUser(u"Agent"_s).Position, u"Moved on"_s);
    QVERIFY(fixture.passwordIs(u"Agent"_s, u"blue sky"_s));
    QCOMPARE(fixture.station().user().position, u"Second-line support"_s);
    QCOMPARE(fixture.shownTexts(), QStringList{u"Error Updating User Data"_s});
}

void TestPasswordChange::windowChangesPassword()
{
    LogonFixture fixture;
    fixture.logOn(u"Agent"_s, u"blue sky"_s);
    PasswordChangeWindow window(fixture.station());
    auto *old = window.findChild<QLineEdit *>(u"oldPassword"_s);
    auto *newPassword = window.findChild<QLineEdit *>(u"newPassword"_s);
    auto *repeat = window.findChild<QLineEdit *>(u"repeat"_s);
    auto *signature = window.findChild<QGroupBox *>(u"signature"_s);
    auto *ok = window.findChild<QPushButton *>(u"ok"_s);
    QVERIFY(old && newPassword && repeat && signature && ok);
    QCOMPARE(window.windowTitle(), u"Pass/Data change of Agent"_s);
    window.show();
    QVERIFY(newPassword->isHidden() && repeat->isHidden() && !signature->isEnabled());

    QTest::keyClicks(old, u"BLUE SKY"_s);
    QTest::keyClick(old, Qt::Key_Return);
    QCOMPARE(fixture.messages().beeps(), 1);
    QVERIFY(old->text().isEmpty() && newPassword->isHidden());

    QTest::keyClicks(old, u"blue sky"_s);
    QTest::keyClick(old, Qt::Key_Return);
    QVERIFY(!newPassword->isHidden() && repeat->isHidden() && signature->isEnabled());
    QCOMPARE(signature->title(), u"Change Signature"_s);
    QTest::keyClicks(newPassword, u"green"_s);
    QTest::keyClick(newPassword, Qt::Key_Return);
    QVERIFY(!repeat->isHidden() && window.isVisible());

    QTimer::singleShot(0, &window, [&] {
        QTest::keyClicks(repeat, u"green"_s);
        QTest::mouseClick(ok, Qt::LeftButton);
        if (window.isVisible())
            window.done(-1); // not accepted: end the test rather than wait
    });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QVERIFY(fixture.passwordIs(u"Agent"_s, u"green"_s));
    QVERIFY(!fixture.passwordIs(u"Agent"_s, u"GREEN"_s));
    QCOMPARE(fixture.storedUser(u"Agent"_s).PassWord, QString());
    QCOMPARE(fixture.shownTexts(), QStringList());
}

void TestPasswordChange::windowKeepsItsPlacement()
{
    LogonFixture fixture;
    fixture.logOn(u"Agent"_s, u"blue sky"_s);
    WindowPlacement{false, 45, 36, 0, 0, true, false}.write(fixture.settings(), u"UpdatePass"_s, false);
    PasswordChangeWindow window(fixture.station());
    QCOMPARE(LogonFixture::openMoveAndClose(window, {71, 58}, u"cancel"_s), QPoint(45, 36));
    QCOMPARE(WindowPlacement::read(fixture.settings(), u"UpdatePass"_s),
             (WindowPlacement{false, 71, 58, 0, 0, true, false}));
}

QTEST_MAIN(TestPasswordChange)
#include "TestPasswordChange.moc"
