// What a record form decides whatever its window: the requests it refuses, delete after
// "Confirm Delete", OK that writes nothing when nothing changed, the retry question after a
// failed change, the conflict with another workstation, the cancel guard by cancel action,
// and the number a cancelled new record gives back.

#include "RecordStation.h"

#include "framework/ErrorTable.h"
#include "framework/FileRelations.h"
#include "framework/FormController.h"
#include "framework/RecordFile.h"

#include "support/SetUpStep.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;
using Step = vellum::FormController::Step;

Q_DECLARE_METATYPE(vellum::FormController::Step)

namespace {

const QString ConfirmDelete = u"Confirm Delete: Are you sure you want to delete the highlighted record?"_s;
// A change that meets another user's name; %1: the user file.
const QString DuplicateName = u"Record was not updated: An error (duplicate entry for the key: IDE:KeyName (2067)) "
                              u"was experienced when making changes to the %1 file."_s;
const QString UpdateAgain =
    u"Record Update Error: An error was experienced changing this record. Do you want to try to save again?"_s;
const QString SaveRecord = u"Save Record: Do you want to save the changes to this record?"_s;
const QString ChangesLost = u"Changes will be lost!: Are you sure you want to cancel?"_s;
const QString Deleted = u"Record Was Not Updated: Sorry. This record was deleted by another station while you were "
                        u"changing it, so your changes cannot be stored."_s;
const QString ChangedByOther =
    u"Record Was Not Updated: Sorry. During your Update this record was changed by another station. Those changes "
    u"will now be displayed. Please write/paste your update again, if still necessary."_s;

// One workstation's user file as a form sees it: read (or primed) by its caller, then edited.
struct UserForm {
    explicit UserForm(Workstation &station)
        : users(station.database(), station.errors(), false), relations(users, {}), controller(relations)
    {
        test::setUpStep(relations.open(), "open the user file");
    }

    void read(const QString &name)
    {
        users.record().Name = name;
        QCOMPARE(users.fetch(UserRecord::KeyName), 0);
    }

    RecordFileOf<UserRecord> users;
    FileRelations relations;
    FormController controller;
};

// Both stations change Anna's password; the other one saves "theirs" first, then the first one
// presses OK on "mine" and is told of the conflict.
Step okAfterAnotherStationSaved(UserForm &first, UserForm &other, RecordStation &station)
{
    first.read(u"Anna"_s);
    other.read(u"Anna"_s);
    first.controller.open(ChangeRequest);
    other.controller.open(ChangeRequest);
    other.users.record().Position = u"theirs"_s;
    if (other.controller.ok() != Step::Close)
        return Step::Close;
    first.users.record().Position = u"mine"_s;
    station.messages().expect(u"Record Was Not Updated"_s, ButtonOk);
    return first.controller.ok();
}

} // namespace

class TestFormController : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void refusedRequestCloses_data();
    void refusedRequestCloses();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void okWithoutChangeWritesNothing();
    void failedChangeAsksToRetry_data();
    void failedChangeAsksToRetry();
    void concurrentChangeShowsStoredVersion();
    void failedStartAfterAConflictKeepsTheChange();
    void recordDeletedMeanwhileIsNeverStored();
    void emptyKeyFieldKeepsTheFormOpen_data();
    void emptyKeyFieldKeepsTheFormOpen();
    void cancelGuardsChanges_data();
    void cancelGuardsChanges();
    void cancelledInsertGivesBackItsNumber();
    void historyHoldsValuesOfLastOk();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
};

void TestFormController::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"first"_s);
    m_station->addUserWithText(u"Anna"_s, u"pass"_s, 0);
    m_station->addUserWithText(u"Boris"_s, u"word"_s, 1);
}

void TestFormController::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_station.reset();
    m_dir.reset();
}

void TestFormController::refusedRequestCloses_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<QString>("message");
    QTest::newRow("insert") << int(InsertRequest) << u"Invalid Request: This form cannot be used to insert a record"_s;
    QTest::newRow("delete") << int(DeleteRequest) << u"Invalid Request: This form cannot be used to delete a record"_s;
}

void TestFormController::refusedRequestCloses()
{
    QFETCH(int, request);
    QFETCH(QString, message);
    UserForm form(m_station->station());
    form.read(u"Anna"_s);
    form.controller.setRules({false, true, false, FormController::DefaultCancelAction});
    m_station->messages().expect(u"Invalid Request"_s, ButtonOk);

    QCOMPARE(form.controller.open(FormRequest(request)), Step::Close);

    QCOMPARE(form.controller.response(), RequestCancelled);
    QCOMPARE(m_station->shown(), QStringList{message});
    QCOMPARE(m_station->userCount(), 2);
}

void TestFormController::deleteAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("response");
    QTest::addColumn<int>("usersLeft");
    QTest::newRow("yes") << int(ButtonYes) << int(RequestCompleted) << 1;
    QTest::newRow("no") << int(ButtonNo) << int(RequestCancelled) << 2;
}

void TestFormController::deleteAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(int, response);
    QFETCH(int, usersLeft);
    UserForm form(m_station->station());
    form.read(u"Boris"_s);
    m_station->messages().expect(u"Confirm Delete"_s, answer);

    QCOMPARE(form.controller.open(DeleteRequest), Step::Close);

    QCOMPARE(int(form.controller.response()), response);
    QCOMPARE(m_station->shown(), QStringList{ConfirmDelete});
    QCOMPARE(m_station->userCount(), usersLeft);
}

void TestFormController::okWithoutChangeWritesNothing()
{
    UserForm form(m_station->station());
    form.read(u"Anna"_s);
    std::int64_t before = 0;
    m_station->storedUser(u"Anna"_s, &before);
    QCOMPARE(form.controller.open(ChangeRequest), Step::Show);

    QCOMPARE(form.controller.ok(), Step::Close);

    std::int64_t after = 0;
    m_station->storedUser(u"Anna"_s, &after);
    QCOMPARE(after, before);
    QCOMPARE(form.controller.response(), RequestCompleted);
    QCOMPARE(m_station->shown(), QStringList());
}

void TestFormController::failedChangeAsksToRetry_data()
{
    QTest::addColumn<QList<int>>("answers"); // to the retry question, in turn
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("response");
    QTest::newRow("cancel stays") << QList<int>{ButtonCancel} << Step::Stay << int(RequestCancelled);
    QTest::newRow("no closes unsaved") << QList<int>{ButtonNo} << Step::Close << int(RequestCancelled);
    QTest::newRow("yes tries again") << QList<int>{ButtonYes, ButtonCancel} << Step::Stay << int(RequestCancelled);
}

// Another user's name makes the write fail without any concurrency.
void TestFormController::failedChangeAsksToRetry()
{
    QFETCH(QList<int>, answers);
    QFETCH(Step, step);
    QFETCH(int, response);
    UserForm form(m_station->station());
    form.read(u"Anna"_s);
    form.controller.open(ChangeRequest);
    form.users.record().Name = u"Boris"_s;
    QStringList expected;
    for (int answer : answers) {
        m_station->messages().expect(u"duplicate entry for the key"_s, ButtonOk);
        m_station->messages().expect(u"Record Update Error"_s, answer);
        expected << DuplicateName.arg(QDir(m_dir->path()).filePath(u"Ide.tps"_s)) << UpdateAgain;
    }

    QCOMPARE(form.controller.ok(), step);

    QCOMPARE(int(form.controller.response()), response);
    QCOMPARE(m_station->shown(), expected);
    const MessageRequest &question = m_station->messages().shown().last();
    QCOMPARE(question.buttons, ButtonYes | ButtonNo | ButtonCancel);
    QCOMPARE(question.defaultButton, int(ButtonCancel));
    QCOMPARE(m_station->storedUser(u"Anna"_s).Position, u"pass"_s);
}

void TestFormController::concurrentChangeShowsStoredVersion()
{
    RecordStation second(m_dir->path(), u"second"_s);
    UserForm first(m_station->station());
    UserForm other(second.station());

    QCOMPARE(okAfterAnotherStationSaved(first, other, *m_station), Step::ShowStored);

    QCOMPARE(m_station->shown(), QStringList{ChangedByOther});
    QCOMPARE(first.users.record().Position, u"theirs"_s);
    QVERIFY(!first.controller.changed());
    QCOMPARE(first.controller.historyValue(UserRecord::Col::Position), store::Value(u"mine"_s));
    first.users.record().Position = u"mine"_s;
    QCOMPARE(first.controller.ok(), Step::Close);
    QCOMPARE(first.controller.response(), RequestCompleted);
    QCOMPARE(m_station->storedUser(u"Anna"_s).Position, u"mine"_s);
    QVERIFY2(second.messages().failures().isEmpty(), qPrintable(second.messages().unexpected()));
}

// After a conflict the user types the change again. A transaction that cannot start then is not a
// second conflict: the change stays the user's, Cancel still asks, and the next OK stores it.
void TestFormController::failedStartAfterAConflictKeepsTheChange()
{
    RecordStation second(m_dir->path(), u"second"_s);
    UserForm first(m_station->station());
    UserForm other(second.station());
    QCOMPARE(okAfterAnotherStationSaved(first, other, *m_station), Step::ShowStored);
    first.users.record().Position = u"mine"_s;
    {
        // Another workstation writes to the user file and does not let go in time.
        store::Database holder(m_dir->path());
        QVERIFY(holder.open(UserRecord::table(), store::OpenMode::ReadWrite, false));
        QVERIFY(holder.begin({&UserRecord::table()}));
        m_station->messages().expect(u"Transaction cancelled"_s, ButtonOk);

        QCOMPARE(first.controller.ok(), Step::ShowStored);

        holder.rollback();
    }
    QCOMPARE(first.users.lastError(), ErrorId::TransactionFailed);
    QCOMPARE(first.users.record().Position, u"mine"_s);
    QVERIFY(first.controller.changed());
    m_station->messages().expect(u"Save Record"_s, ButtonCancel);
    QCOMPARE(first.controller.cancel(), Step::Stay);
    QCOMPARE(first.controller.ok(), Step::Close);
    QCOMPARE(first.controller.response(), RequestCompleted);
    QCOMPARE(m_station->storedUser(u"Anna"_s).Position, u"mine"_s);
    QVERIFY2(second.messages().failures().isEmpty(), qPrintable(second.messages().unexpected()));
}

// Another workstation deletes the record the form changes: no OK reports it stored.
void TestFormController::recordDeletedMeanwhileIsNeverStored()
{
    RecordStation second(m_dir->path(), u"second"_s);
    UserForm first(m_station->station());
    UserForm other(second.station());
    first.read(u"Anna"_s);
    first.controller.open(ChangeRequest);
    other.read(u"Anna"_s);
    second.messages().expect(u"Confirm Delete"_s, ButtonYes);
    QCOMPARE(other.controller.open(DeleteRequest), Step::Close);
    first.users.record().Position = u"mine"_s;
    m_station->messages().expect(u"deleted by another station"_s, ButtonOk);
    m_station->messages().expect(u"deleted by another station"_s, ButtonOk);

    QCOMPARE(first.controller.ok(), Step::Stay);
    QCOMPARE(first.controller.ok(), Step::Stay);

    QCOMPARE(first.controller.response(), RequestCancelled);
    QCOMPARE(m_station->shown(), (QStringList{Deleted, Deleted}));
    QCOMPARE(first.users.record().Position, u"mine"_s);
    QVERIFY(first.controller.changed());
    QCOMPARE(m_station->storedUser(u"Anna"_s).Level, std::uint8_t(0xFF));
    QCOMPARE(m_station->userCount(), 1);
    m_station->messages().expect(u"Save Record"_s, ButtonNo);
    QCOMPARE(first.controller.cancel(), Step::Close);
    QCOMPARE(first.controller.response(), RequestCancelled);
    QVERIFY2(second.messages().failures().isEmpty(), qPrintable(second.messages().unexpected()));
}

void TestFormController::emptyKeyFieldKeepsTheFormOpen_data()
{
    QTest::addColumn<int>("request");
    QTest::newRow("insert") << int(InsertRequest);
    QTest::newRow("change") << int(ChangeRequest);
}

// A name left empty is refused before anything is written, and not offered to be saved again:
// the form stays open for the user to fill it in.
void TestFormController::emptyKeyFieldKeepsTheFormOpen()
{
    QFETCH(int, request);
    UserForm form(m_station->station());
    if (request == InsertRequest)
        QCOMPARE(form.users.primeRecord(), 0);
    else
        form.read(u"Anna"_s);
    QCOMPARE(form.controller.open(FormRequest(request)), Step::Show);
    form.users.record().Name = u"  "_s;
    form.users.record().Position = u"typed"_s;
    m_station->messages().expect(u"Field Required"_s, ButtonOk);

    QCOMPARE(form.controller.ok(), Step::Stay);

    QCOMPARE(form.controller.invalidField(), int(UserRecord::Col::Name));
    QCOMPARE(form.controller.response(), RequestCancelled);
    QCOMPARE(m_station->shown(),
             QStringList{u"Field Required: IDE:Name must be filled in: the record cannot be stored without it."_s});
    QCOMPARE(m_station->userCount(), request == InsertRequest ? 3 : 2);
    form.users.record().Name = u"Carla"_s;
    QCOMPARE(form.controller.ok(), Step::Close);
    QCOMPARE(form.controller.invalidField(), -1);
    QCOMPARE(form.controller.response(), RequestCompleted);
    QCOMPARE(m_station->storedUser(u"Carla"_s).Position, u"typed"_s);
    QCOMPARE(m_station->userCount(), request == InsertRequest ? 3 : 2);
}

void TestFormController::cancelGuardsChanges_data()
{
    QTest::addColumn<int>("cancelAction");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("response");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");

    const int both = FormController::DefaultCancelAction;
    QTest::newRow("unchanged") << both << false << 0 << Step::Close << int(RequestCancelled) << QString() << u"pass"_s;
    QTest::newRow("save: yes") << both << true << int(ButtonYes) << Step::Close << int(RequestCompleted) << SaveRecord
                               << u"new"_s;
    QTest::newRow("save: no") << both << true << int(ButtonNo) << Step::Close << int(RequestCancelled) << SaveRecord
                              << u"pass"_s;
    QTest::newRow("save: cancel") << both << true << int(ButtonCancel) << Step::Stay << int(RequestCancelled)
                                  << SaveRecord << u"pass"_s;
    QTest::newRow("lost: yes") << 0 << true << int(ButtonYes) << Step::Close << int(RequestCancelled) << ChangesLost
                               << u"pass"_s;
    QTest::newRow("lost: no") << 0 << true << int(ButtonNo) << Step::Stay << int(RequestCancelled) << ChangesLost
                              << u"pass"_s;
    QTest::newRow("save unasked") << int(FormController::CancelOfferSave) << true << 0 << Step::Close
                                  << int(RequestCompleted) << QString() << u"new"_s;
}

void TestFormController::cancelGuardsChanges()
{
    QFETCH(int, cancelAction);
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(Step, step);
    QFETCH(int, response);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    UserForm form(m_station->station());
    form.read(u"Anna"_s);
    form.controller.setRules({true, true, true, cancelAction});
    form.controller.open(ChangeRequest);
    if (changed)
        form.users.record().Position = u"new"_s;
    if (answer != 0)
        m_station->messages().expect(message.section(u':', 0, 0), answer);

    QCOMPARE(form.controller.cancel(), step);

    QCOMPARE(int(form.controller.response()), response);
    QCOMPARE(m_station->shown(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m_station->storedUser(u"Anna"_s).Position, stored);
}

void TestFormController::cancelledInsertGivesBackItsNumber()
{
    UserForm form(m_station->station());
    QCOMPARE(form.users.primeRecord(), 0);
    QCOMPARE(form.users.record().IdNr, std::uint16_t(3));
    QCOMPARE(m_station->userCount(), 3);
    QCOMPARE(form.controller.open(InsertRequest), Step::Show);

    QCOMPARE(form.controller.cancel(), Step::Close);

    QCOMPARE(form.controller.response(), RequestCancelled);
    QCOMPARE(m_station->userCount(), 2);
    QCOMPARE(form.users.primeRecord(), 0);
    QCOMPARE(form.users.record().IdNr, std::uint16_t(3));
}

void TestFormController::historyHoldsValuesOfLastOk()
{
    UserForm form(m_station->station());
    QCOMPARE(form.users.primeRecord(), 0);
    form.controller.open(InsertRequest);
    QCOMPARE(form.controller.historyValue(UserRecord::Col::Name), std::nullopt);
    form.users.record().Name = u"Anna"_s;
    m_station->messages().expect(u"Duplicate Key Error"_s, ButtonOk);

    QCOMPARE(form.controller.ok(), Step::Stay);
    form.users.record().Name = u"Carla"_s;

    QCOMPARE(form.controller.historyValue(UserRecord::Col::Name), store::Value(u"Anna"_s));
    QCOMPARE(form.controller.ok(), Step::Close);
    QCOMPARE(form.controller.response(), RequestCompleted);
    QCOMPARE(m_station->storedUser(u"Carla"_s).IdNr, std::uint16_t(3));
}

QTEST_GUILESS_MAIN(TestFormController)
#include "TestFormController.moc"
