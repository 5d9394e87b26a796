#include "UserForm.h"

#include "LastAdministrator.h"
#include "UserLevels.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

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
    bindings().text(Col::PassWord, m_password);
    bindings().choice(Col::Qualification, m_level);
}

// A new user (no qualification yet) is offered the lowest level.
void UserForm::recordShown()
{
    if (m_level->currentIndex() < 0)
        m_level->setCurrentIndex(0);
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

void UserForm::completeRecord(store::Row *row)
{
    const int level = UserLevels::levelOf(store::asText((*row)[UserRecord::Col::Qualification]));
    if (level >= 0)
        (*row)[UserRecord::Col::Level] = std::int64_t(level);
}

} // namespace vellum
