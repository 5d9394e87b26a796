#include "UpdateUsers.h"

#include "UserLevels.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace vellum {

const QString UpdateUsers::ProcedureName = u"UpdateUsers"_s;

UpdateUsers::UpdateUsers(Workstation &workstation, FileRelations &users, QWidget *parent)
    : FormWindow(ProcedureName, users, workstation.settings(), parent), m_workstation(workstation),
      m_name(new QLineEdit), m_password(new QLineEdit), m_level(new QComboBox)
{
    using Col = UserRecord::Col;
    setCaptions(u"Adding a User Record"_s, u"Changing a User Record"_s);
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
void UpdateUsers::recordShown()
{
    if (m_level->currentIndex() < 0)
        m_level->setCurrentIndex(0);
}

bool UpdateUsers::controlsAccepted()
{
    if (m_level->currentIndex() >= 0)
        return true;
    m_workstation.messages().beep();
    m_level->setFocus();
    return false;
}

void UpdateUsers::completeRecord(store::Row *row)
{
    const int level = UserLevels::levelOf(store::asText((*row)[UserRecord::Col::Qualification]));
    if (level >= 0)
        (*row)[UserRecord::Col::Level] = std::int64_t(level);
}

} // namespace vellum
