#include "UserForm.h"

#include "LastAdministrator.h"
#include "UserLevels.h"
#include "data/UserPasswords.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/ErrorTable.h"
#include "framework/RecordFile.h"
#include "store/Transaction.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vellum {

const QString UserForm::ProcedureName = u"UpdateUsers"_s;

UserForm::UserForm(Workstation &workstation, FileRelations &users, QWidget *parent)
    : FormWindow(ProcedureName, users, workstation.settings(), parent), m_workstation(workstation),
      m_name(new QLineEdit), m_password(new QLineEdit), m_level(new QComboBox)
{
    using Col = UserRecord::Col;
    setCaptions(u"Adding a User Record"_s, u"Changing a User Record"_s);
    setSaveRight([&workstation] { return UserLevels::mayAdminister(workstation.levelInForce()); });
    m_name->setObjectName(u"name"_s);
    m_password->setObjectName(u"password"_s);
    m_password->setEchoMode(QLineEdit::Password);
    m_level->setObjectName(u"level"_s);
    m_level->addItems(UserLevels::qualifications());
    addField(u"Name"_s, m_name);
    addField(u"Password"_s, m_password);
    addField(u"Level:"_s, m_level);
    bindings().text(Col::Name, m_name);
    bindings().choice(Col::Qualification, m_level);
    connect(m_password, &QLineEdit::textChanged, this, [this] { m_passwordTyped = true; });
    connect(this, &ProcedureWindow::finished, this, &UserForm::storePassword);
}

// A new user (no qualification yet) is offered the lowest level.
void UserForm::recordShown()
{
    if (m_level->currentIndex() < 0)
        m_level->setCurrentIndex(0);
    const UserRecord user = fromRow<UserRecord>(file().buffer());
    const bool set = request() != InsertRequest
                     && UserPasswords(m_workstation.database()).isSet(file().rowId(), user).value_or(false);
    m_password->setText(set ? UserPasswords::Mask : QString());
    m_passwordTyped = false;
}

bool UserForm::beforeOpen(FormRequest *request)
{
    return *request != DeleteRequest || keepsAnAdministrator(LastAdministrator::Deleted);
}

bool UserForm::controlsAccepted()
{
    if (m_level->currentIndex() < 0) {
        m_workstation.messages().beep();
        m_level->setFocus();
        return false;
    }
    if (request() == ChangeRequest && !keepsAnAdministrator(UserLevels::levelOf(m_level->currentText()))) {
        m_level->setFocus();
        return false;
    }
    return true;
}

// The user as stored, not as typed, decides whether the last administrator is about to go.
bool UserForm::keepsAnAdministrator(int newLevel)
{
    const std::optional<bool> refused = LastAdministrator::refuses(file(), file().rowId(), file().readRow(), newLevel);
    if (refused.value_or(false)) {
        const QString name = store::asText(file().readRow()[UserRecord::Col::Name]);
        LastAdministrator::showRefusal(m_workstation.messages(), name, newLevel);
    }
    return refused == false;
}

// IDE:PassWord is always written empty: a password typed, or a clear text an older version left
// there, goes into the hashes after the save.
void UserForm::completeRecord(store::Row *row)
{
    const QString clearText = store::asText((*row)[UserRecord::Col::PassWord]);
    (*row)[UserRecord::Col::PassWord] = QString();
    if (m_passwordTyped)
        m_newPassword = m_password->text();
    else if (!clearText.isEmpty())
        m_newPassword = clearText;
    else
        m_newPassword.reset();
    const int level = UserLevels::levelOf(store::asText((*row)[UserRecord::Col::Qualification]));
    if (level >= 0)
        (*row)[UserRecord::Col::Level] = std::int64_t(level);
}

void UserForm::storePassword(int response)
{
    if (response != RequestCompleted || !m_newPassword || request() == DeleteRequest)
        return;
    store::Transaction transaction(m_workstation.database(), {&UserRecord::table()});
    store::StoreStatus result = transaction.started();
    if (result)
        result = UserPasswords(m_workstation.database()).store(file().rowId(), *m_newPassword);
    if (result)
        result = transaction.commit();
    if (!result)
        static_cast<void>(file().fail(ErrorId::UpdateError, result, true));
}

} // namespace vellum
