// The user form reached from the user list: a new user at level "User", the level word setting
// the level number, a name that exists refused, a beep on an empty level, "Save Record" on a
// cancelled change, OK without a change writing nothing, a delete asked without the form, two
// workstations changing the same user, the last administrator kept, and a form left open
// across a logout that saves nothing.

#include "framework/RecordStation.h"

#include "data/UserPasswords.h"
#include "framework/RecordFile.h"
#include "reference/UserForm.h"
#include "reference/UserList.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

const QString ChangedByOther =
    u"Record Was Not Updated: Sorry. During your Update this record was changed by another station. Those changes "
    u"will now be displayed. Please write/paste your update again, if still necessary."_s;

// One station's user list, opened by an administrator and with the named user highlighted.
std::unique_ptr<UserList> listOn(RecordStation &station, const QString &highlighted = {})
{
    station.station().user().level = LevelAdministrator;
    auto list = std::make_unique<UserList>(station.station());
    list->resize(500, 400);
    list->showBeside(nullptr);
    for (int row = 0; row < list->model()->rowCount(); ++row)
        if (list->model()->data(list->model()->index(row, UserList::NameColumn)).toString() == highlighted)
            list->setCurrentRow(row);
    return list;
}

UserForm *formOf(const UserList &list)
{
    return static_cast<UserForm *>(list.form());
}

} // namespace

class TestUserForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void newUserAtLevelUser();
    void untouchedNewUserCancelsQuietly();
    void levelWordSetsNumber_data();
    void levelWordSetsNumber();
    void existingNameRefused();
    void emptyLevelBeeps();
    void cancelOffersSaveRecord();
    void passwordAloneIsKeptAsHashes_data();
    void passwordAloneIsKeptAsHashes();
    void okWithoutChangeWritesNothing();
    void deleteAsksWithoutForm();
    void twoStationsChangeOneUser();
    void lastAdministratorKept_data();
    void lastAdministratorKept();
    void formLeftOpenAcrossLogoutSavesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
};

void TestUserForm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"first"_s);
    m_station->addUser(u"Admin"_s, u"Secret"_s, 2);
    m_station->addUser(u"Boss"_s, u"chief"_s, 1);
    m_station->addUser(u"Employee"_s, u"agent"_s, 0);
}

void TestUserForm::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_station.reset();
    m_dir.reset();
}

void TestUserForm::newUserAtLevelUser()
{
    auto list = listOn(*m_station);

    QTest::keyClick(list->view(), Qt::Key_Insert);
    UserForm *form = formOf(*list);
    QCOMPARE(form->windowTitle(), u"Adding a User Record"_s);
    QCOMPARE(form->levelList()->currentText(), u"User"_s);
    QCOMPARE(form->passwordEntry()->echoMode(), QLineEdit::Password);
    QCOMPARE(form->passwordEntry()->text(), QString());
    QCOMPARE(form->nameEntry()->maxLength(), 20);
    QTest::keyClicks(form->nameEntry(), u"Newcomer"_s);
    QTest::keyClicks(form->passwordEntry(), u"fresh"_s);
    form->okButton()->click();

    const UserRecord stored = m_station->storedUser(u"Newcomer"_s);
    QCOMPARE(stored.IdNr, std::uint16_t(4));
    QCOMPARE(stored.PassWord, QString());
    QVERIFY(m_station->passwordIs(u"Newcomer"_s, u"fresh"_s));
    QCOMPARE(stored.Qualification, u"User"_s);
    QCOMPARE(stored.Level, std::uint8_t(0));
    QCOMPARE(list->model()->data(list->model()->index(list->currentRow(), UserList::NameColumn)).toString(),
             u"Newcomer"_s);
}

// The level the list offers a new user is no change of the user's own.
void TestUserForm::untouchedNewUserCancelsQuietly()
{
    auto list = listOn(*m_station, u"Boss"_s);
    QTest::keyClick(list->view(), Qt::Key_Insert);
    QCOMPARE(m_station->userCount(), 4);

    formOf(*list)->cancelButton()->click();

    QCOMPARE(list->form(), nullptr);
    QCOMPARE(m_station->shown(), QStringList());
    QCOMPARE(m_station->userCount(), 3);
    QCOMPARE(list->model()->data(list->model()->index(list->currentRow(), UserList::NameColumn)).toString(), u"Boss"_s);
}

void TestUserForm::levelWordSetsNumber_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("level");
    QTest::newRow("supervisor to administrator") << u"Boss"_s << u"Administrator"_s << 2;
    QTest::newRow("administrator to user") << u"Admin"_s << u"User"_s << 0; // another one is left
    QTest::newRow("user to supervisor") << u"Employee"_s << u"Supervisor"_s << 1;
}

void TestUserForm::levelWordSetsNumber()
{
    QFETCH(QString, user);
    QFETCH(QString, chosen);
    QFETCH(int, level);
    m_station->addUser(u"Root"_s, u"root"_s, LevelAdministrator);
    auto list = listOn(*m_station, user);
    QTest::keyClick(list->view(), Qt::Key_Return, Qt::ControlModifier);
    UserForm *form = formOf(*list);
    QCOMPARE(form->windowTitle(), u"Changing a User Record"_s);

    form->levelList()->setCurrentText(chosen);
    form->okButton()->click();

    const UserRecord stored = m_station->storedUser(user);
    QCOMPARE(stored.Qualification, chosen);
    QCOMPARE(int(stored.Level), level);
}

void TestUserForm::existingNameRefused()
{
    auto list = listOn(*m_station);
    QTest::keyClick(list->view(), Qt::Key_Insert);
    UserForm *form = formOf(*list);
    form->nameEntry()->setText(u"boss"_s);
    m_station->messages().expect(u"Duplicate Key Error"_s, ButtonOk);

    form->okButton()->click();

    QVERIFY(form->isVisible());
    QCOMPARE(
        m_station->shown(),
        QStringList{u"Duplicate Key Error: Adding this record creates a duplicate entry for the key: IDE:KeyName"_s});
    QCOMPARE(m_station->userCount(), 4); // the new user's number is still taken
    m_station->messages().expect(u"Save Record"_s, ButtonNo);
    form->cancelButton()->click();
    QCOMPARE(list->form(), nullptr);
    QCOMPARE(m_station->userCount(), 3);
    QVERIFY(m_station->passwordIs(u"Boss"_s, u"chief"_s));
}

void TestUserForm::emptyLevelBeeps()
{
    auto list = listOn(*m_station, u"Boss"_s);
    QTest::keyClick(list->view(), Qt::Key_Return, Qt::ControlModifier);
    UserForm *form = formOf(*list);
    form->levelList()->setCurrentIndex(-1);

    form->okButton()->click();

    QCOMPARE(m_station->messages().beeps(), 1);
    QVERIFY(form->isVisible());
    QCOMPARE(m_station->storedUser(u"Boss"_s).Qualification, u"Supervisor"_s);
    form->levelList()->setCurrentIndex(1);
    form->okButton()->click();
    QCOMPARE(list->form(), nullptr);
}

void TestUserForm::cancelOffersSaveRecord()
{
    auto list = listOn(*m_station, u"Employee"_s);
    QTest::keyClick(list->view(), Qt::Key_Return, Qt::ControlModifier);
    UserForm *form = formOf(*list);
    QCOMPARE(form->passwordEntry()->text(), UserPasswords::Mask);
    form->passwordEntry()->setText(u"changed"_s);
    form->levelList()->setCurrentText(u"Supervisor"_s);
    m_station->messages().expect(u"Save Record"_s, ButtonNo);

    form->cancelButton()->click();

    QCOMPARE(m_station->shown(), QStringList{u"Save Record: Do you want to save the changes to this record?"_s});
    const MessageRequest &question = m_station->messages().shown().first();
    QCOMPARE(question.buttons, ButtonYes | ButtonNo | ButtonCancel);
    QCOMPARE(question.defaultButton, int(ButtonCancel));
    QCOMPARE(list->form(), nullptr);
    QVERIFY(m_station->passwordIs(u"Employee"_s, u"agent"_s));
}

// A password alone changes no field: OK keeps it as hashes, Cancel drops it without asking.
void TestUserForm::passwordAloneIsKeptAsHashes_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("kept");
    QTest::newRow("new one") << u"Employee"_s << u"Other Word"_s << true << u"Other Word"_s;
    QTest::newRow("cancelled") << u"Employee"_s << u"Other Word"_s << false << u"agent"_s;
    QTest::newRow("blanks empty it") << u"Employee"_s << u"  "_s << true << QString();
    QTest::newRow("untouched mask") << u"Employee"_s << QString() << true << u"agent"_s;
    QTest::newRow("empty one given") << u"Nobody"_s << u"first"_s << true << u"first"_s;
}

void TestUserForm::passwordAloneIsKeptAsHashes()
{
    QFETCH(QString, user);
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QString, kept);
    m_station->addUser(u"Nobody"_s, QString(), 0);
    std::int64_t before = 0;
    m_station->storedUser(user, &before);
    auto list = listOn(*m_station, user);
    QCOMPARE(list->model()->data(list->model()->index(list->currentRow(), UserList::PassWordColumn)).toString(),
             user == u"Nobody"_s ? QString() : UserPasswords::Mask);
    QTest::keyClick(list->view(), Qt::Key_Return, Qt::ControlModifier);
    UserForm *form = formOf(*list);
    QCOMPARE(form->passwordEntry()->text(), user == u"Nobody"_s ? QString() : UserPasswords::Mask);
    if (!typed.isEmpty())
        form->passwordEntry()->setText(typed);

    (ok ? form->okButton() : form->cancelButton())->click();

    QCOMPARE(list->form(), nullptr);
    QVERIFY(m_station->passwordIs(user, kept));
    QVERIFY(!m_station->passwordIs(user, u"wrong"_s));
    std::int64_t after = 0;
    QCOMPARE(m_station->storedUser(user, &after).PassWord, QString());
    QCOMPARE(after, before);
    QCOMPARE(m_station->shown(), QStringList());
}

void TestUserForm::okWithoutChangeWritesNothing()
{
    std::int64_t before = 0;
    m_station->storedUser(u"Boss"_s, &before);
    auto list = listOn(*m_station, u"Boss"_s);
    QTest::keyClick(list->view(), Qt::Key_Return, Qt::ControlModifier);

    formOf(*list)->okButton()->click();

    std::int64_t after = 0;
    m_station->storedUser(u"Boss"_s, &after);
    QCOMPARE(after, before);
    QCOMPARE(list->form(), nullptr);
    QCOMPARE(m_station->shown(), QStringList());
}

void TestUserForm::deleteAsksWithoutForm()
{
    auto list = listOn(*m_station, u"Boss"_s);
    m_station->messages().expect(u"Confirm Delete"_s, ButtonYes);

    QTest::keyClick(list->view(), Qt::Key_Delete);

    QCOMPARE(m_station->shown(),
             QStringList{u"Confirm Delete: Are you sure you want to delete the highlighted record?"_s});
    QCOMPARE(list->form(), nullptr);
    QVERIFY(list->findChildren<UserForm *>().isEmpty());
    QCOMPARE(m_station->storedUser(u"Boss"_s).Level, std::uint8_t(255));
    QCOMPARE(list->model()->rowCount(), 2);
}

// The second station's OK meets the first one's change; its form then shows the first one's
// values, Ctrl+' brings back what it had chosen, and a second OK stores that. A password is no
// field: it is typed again.
void TestUserForm::twoStationsChangeOneUser()
{
    RecordStation second(m_dir->path(), u"second"_s);
    auto firstList = listOn(*m_station, u"Employee"_s);
    auto secondList = listOn(second, u"Employee"_s);
    QTest::keyClick(firstList->view(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(secondList->view(), Qt::Key_Return, Qt::ControlModifier);
    UserForm *firstForm = formOf(*firstList);
    UserForm *secondForm = formOf(*secondList);
    firstForm->passwordEntry()->setText(u"alpha"_s);
    firstForm->levelList()->setCurrentText(u"Supervisor"_s);
    firstForm->okButton()->click();
    QCOMPARE(firstList->form(), nullptr);
    QVERIFY(m_station->passwordIs(u"Employee"_s, u"alpha"_s));
    secondForm->passwordEntry()->setText(u"beta"_s);
    secondForm->levelList()->setCurrentText(u"Administrator"_s);
    second.messages().expect(u"Record Was Not Updated"_s, ButtonOk);

    secondForm->okButton()->click();

    QCOMPARE(second.shown(), QStringList{ChangedByOther});
    QVERIFY(secondForm->isVisible());
    QCOMPARE(secondForm->passwordEntry()->text(), UserPasswords::Mask);
    QCOMPARE(secondForm->levelList()->currentText(), u"Supervisor"_s);
    QVERIFY(m_station->passwordIs(u"Employee"_s, u"alpha"_s));
    QTest::keyClick(secondForm->levelList(), Qt::Key_Apostrophe, Qt::ControlModifier);
    QCOMPARE(secondForm->levelList()->currentText(), u"Administrator"_s);
    secondForm->passwordEntry()->setText(u"beta"_s);
    secondForm->okButton()->click();
    QCOMPARE(secondList->form(), nullptr);
    const UserRecord stored = m_station->storedUser(u"Employee"_s);
    QVERIFY(m_station->passwordIs(u"Employee"_s, u"beta"_s));
    QCOMPARE(stored.PassWord, QString());
    QCOMPARE(stored.Qualification, u"Administrator"_s);
    QCOMPARE(stored.Level, std::uint8_t(2));
    QVERIFY2(second.messages().failures().isEmpty(), qPrintable(second.messages().unexpected()));
}

void TestUserForm::lastAdministratorKept_data()
{
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("deleted") << true << u"cannot be deleted"_s;
    QTest::newRow("made supervisor") << false << u"must keep the level Administrator"_s;
}

// The only administrator, working on their own user.
void TestUserForm::lastAdministratorKept()
{
    QFETCH(bool, deleting);
    QFETCH(QString, refusal);
    auto list = listOn(*m_station, u"Admin"_s);
    m_station->messages().expect(refusal, ButtonOk);

    if (deleting) {
        QTest::keyClick(list->view(), Qt::Key_Delete);
        QCOMPARE(list->form(), nullptr);
    } else {
        QTest::keyClick(list->view(), Qt::Key_Return, Qt::ControlModifier);
        formOf(*list)->levelList()->setCurrentText(u"Supervisor"_s);
        formOf(*list)->okButton()->click();
        QVERIFY(formOf(*list)->isVisible());
        QCOMPARE(formOf(*list)->focusWidget(), formOf(*list)->levelList());
    }

    QCOMPARE(m_station->shown(), QStringList{u"Quor Vellum 1.2: \"Admin\" is the only Administrator and "_s + refusal
                                             + u".\r\nGive another user the level Administrator first."_s});
    QCOMPARE(m_station->messages().shown().first().icon, MessageIcon::Exclamation);
    const UserRecord stored = m_station->storedUser(u"Admin"_s);
    QCOMPARE(stored.Level, std::uint8_t(LevelAdministrator));
    QCOMPARE(stored.Qualification, u"Administrator"_s);
    QCOMPARE(m_station->userCount(), 3);
    if (list->form() != nullptr) {
        m_station->messages().expect(u"Save Record"_s, ButtonNo);
        list->form()->reject();
    }
}

void TestUserForm::formLeftOpenAcrossLogoutSavesNothing()
{
    auto list = listOn(*m_station, u"Employee"_s);
    QTest::keyClick(list->view(), Qt::Key_Return, Qt::ControlModifier);
    UserForm *form = formOf(*list);
    form->passwordEntry()->setText(u"taken over"_s);
    form->levelList()->setCurrentText(u"Supervisor"_s);
    QVERIFY(form->okButton()->isEnabled());

    m_station->station().run().loggedOut = true;
    form->okButton()->click();
    QTest::keyClick(form->passwordEntry(), Qt::Key_Return);

    QVERIFY(form->isVisible());
    QVERIFY(!form->okButton()->isEnabled());
    QVERIFY(m_station->passwordIs(u"Employee"_s, u"agent"_s));
    m_station->messages().expect(u"Changes will be lost!"_s, ButtonYes); // no "Save Record" to offer
    form->cancelButton()->click();
    QCOMPARE(list->form(), nullptr);
    QVERIFY(m_station->passwordIs(u"Employee"_s, u"agent"_s));
    QCOMPARE(m_station->storedUser(u"Employee"_s).Level, std::uint8_t(0));
}

QTEST_MAIN(TestUserForm)
#include "TestUserForm.moc"
