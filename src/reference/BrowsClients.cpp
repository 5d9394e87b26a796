#include "BrowsClients.h"

#include "Updateclient.h"
#include "UserLevels.h"
#include "data/CaseFileLinks.h"
#include "data/ClientRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QAction>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = ClientRecord::Col;

std::vector<BrowseColumn> columns()
{
    std::vector<BrowseColumn> columns(BrowsClients::ColumnCount);
    columns[BrowsClients::NameColumn] = {Col::SName, u"Name"_s, 6, {}};
    columns[BrowsClients::FullNameColumn] = {Col::LName, u"Full Name"_s, 80, {}};
    columns[BrowsClients::ContactColumn] = {Col::Contact, u"Contact"_s, 30, {}};
    columns[BrowsClients::PhoneColumn] = {Col::Phone, u"Phone"_s, 29, {}};
    columns[BrowsClients::EmailColumn] = {Col::Email, u"Email"_s, 99, {}};
    columns[BrowsClients::AddressColumn] = {Col::Address, u"Address"_s, 30, {}};
    columns[BrowsClients::ZipCodeColumn] = {Col::ZIPCode, u"ZIP Code"_s, 10, {}};
    columns[BrowsClients::CityColumn] = {Col::City, u"City"_s, 30, {}};
    columns[BrowsClients::StateColumn] = {Col::State, u"State"_s, 30, {}};
    return columns;
}

std::vector<BrowseOrder> orders()
{
    return {
        {u"Name ID"_s, ClientRecord::SNameKey, {}, true},
        {u"Full Name"_s, ClientRecord::KeyFullName, {}, true},
        {u"City"_s, ClientRecord::KeyCity, {}, true},
        {u"Contact"_s, ClientRecord::KeyContact, {}, true},
    };
}

} // namespace

const QString BrowsClients::ProcedureName = u"BrowsClients"_s;
const QString BrowsClients::HelpTopic = u"Browse Clients"_s;

BrowsClients::BrowsClients(Workstation &workstation, QWidget *parent)
    : BrowseList(ProcedureName, std::make_unique<RecordFileOf<ClientRecord>>(workstation.database(), workstation.errors()),
                 caseFileRelations(), workstation.settings(), parent),
      m_workstation(workstation), m_import(addButton(u"Im&port"_s))
{
    setWindowTitle(u"Clients"_s);
    setColumns(columns());
    setOrders(orders());
    setButtons(AllButtons);
    setBackgroundColor(workstation.run().browseColor);
    setHelpTopic(HelpTopic);
    setFormFactory([this](FormRequest) { return newForm(); });
    // The import itself comes with the client import window; until then the button cannot be pressed.
    m_import->setObjectName(u"import"_s);
    m_import->setEnabled(false);
    addOwnItems();
    applyRights();
}

void BrowsClients::applyRights()
{
    BrowseList::applyRights();
    m_import->setVisible(UserLevels::mayAdminister(m_workstation.levelInForce()));
}

void BrowsClients::addOwnItems()
{
    connect(addMenuItem(u"Close"_s), &QAction::triggered, this, [this] { placedWindow()->close(); });
    connect(addMenuItem(u"Help"_s), &QAction::triggered, this, &BrowsClients::requestHelp);
}

FormWindow *BrowsClients::newForm()
{
    return new Updateclient(m_workstation, relations());
}

} // namespace vellum
