#include "UserList.h"

#include "UserForm.h"
#include "UserLevels.h"
#include "data/UserPasswords.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = UserRecord::Col;

std::vector<BrowseColumn> columns(Workstation &workstation)
{
    std::vector<BrowseColumn> columns(UserList::ColumnCount);
    columns[UserList::NameColumn] = {Col::Name, u"Name"_s, 20, {}};
    // No password is shown, only whether there is one: looked up by the user's name, as the
    // hashes are no field of the record.
    const auto mask = [&workstation](const store::Value &name) {
        return UserPasswords(workstation.database()).isSet(store::asText(name)).value_or(false) ? UserPasswords::Mask
                                                                                                : QString();
    };
    columns[UserList::PassWordColumn] = {Col::Name, u"PassWord"_s, 20, mask};
    columns[UserList::QualificationColumn] = {Col::Qualification, u"Qualification"_s, 13, {}};
    return columns;
}

} // namespace

const QString UserList::ProcedureName = u"BrowseUsers"_s;
const QString UserList::HelpTopic = u"users"_s;

// The user file is never created by a list: a database comes with its users.
UserList::UserList(Workstation &workstation, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<UserRecord>>(workstation.database(), workstation.errors(), false), {},
                 workstation.settings(), parent),
      m_workstation(workstation)
{
    setWindowTitle(u"Vellum Users"_s);
    setColumns(columns(workstation));
    setOrders({{u"By Name"_s, UserRecord::KeyName, {}, true}});
    // A list left open after its administrator logged out only shows the users.
    setRights([this] { return UserLevels::mayAdminister(m_workstation.levelInForce()) ? AllButtons : Buttons(); });
    setBackgroundColor(workstation.run().browseColor);
    setHelpTopic(HelpTopic);
    setFormFactory([this](FormRequest) { return newForm(); });
}

FormWindow *UserList::newForm()
{
    return new UserForm(m_workstation, relations());
}

} // namespace vellum
