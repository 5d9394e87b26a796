#include "ClientList.h"

#include "ClientForm.h"
#include "UserLevels.h"
#include "data/CaseFileLinks.h"
#include "data/ClientRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include "framework/widgets/ListTools.h"

#include <QAction>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = ClientRecord::Col;

std::vector<BrowseColumn> columns()
{
    std::vector<BrowseColumn> columns(ClientList::ColumnCount);
    columns[ClientList::NameColumn] = {Col::SName, u"Name"_s, 6, {}};
    columns[ClientList::FullNameColumn] = {Col::LName, u"Full Name"_s, 80, {}};
    columns[ClientList::ContactColumn] = {Col::Contact, u"Contact"_s, 30, {}};
    columns[ClientList::PhoneColumn] = {Col::Phone, u"Phone"_s, 29, {}};
    columns[ClientList::EmailColumn] = {Col::Email, u"Email"_s, 99, {}};
    columns[ClientList::AddressColumn] = {Col::Address, u"Address"_s, 30, {}};
    columns[ClientList::ZipCodeColumn] = {Col::ZIPCode, u"ZIP Code"_s, 10, {}};
    columns[ClientList::CityColumn] = {Col::City, u"City"_s, 30, {}};
    columns[ClientList::StateColumn] = {Col::State, u"State"_s, 30, {}};
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

const QString ClientList::ProcedureName = u"BrowsClients"_s;
const QString ClientList::HelpTopic = u"Browse Clients"_s;

ClientList::ClientList(Workstation &workstation, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<ClientRecord>>(workstation.database(), workstation.errors()),
                 caseFileRelations(), workstation.settings(), parent),
      m_workstation(workstation), m_import(addButton(u"Im&port"_s))
{
    setWindowTitle(u"Clients"_s);
    setColumns(columns());
    setOrders(orders());
    ListTools::personalise(this, {workstation.settings(), workstation.messages(), workstation.dialogs(),
                                  workstation.clock(), workstation.run().programFolder});
    setButtons(AllButtons);
    setBackgroundColor(workstation.run().browseColor);
    setHelpTopic(HelpTopic);
    setFormFactory([this](FormRequest) { return newForm(); });
    m_import->setObjectName(u"import"_s);
    connect(m_import, &QPushButton::clicked, this, &ClientList::openImport);
    addOwnItems();
    applyRights();
}

void ClientList::applyRights()
{
    BrowseList::applyRights();
    m_import->setVisible(UserLevels::mayAdminister(m_workstation.levelInForce()));
}

void ClientList::addOwnItems()
{
    connect(addMenuItem(u"Close"_s), &QAction::triggered, this, [this] { placedWindow()->close(); });
    connect(addMenuItem(u"Help"_s), &QAction::triggered, this, &ClientList::requestHelp);
}

FormWindow *ClientList::newForm()
{
    return new ClientForm(m_workstation, relations());
}

// One import window at a time; the list reads its page again after each import.
void ClientList::openImport()
{
    if (m_importWindow != nullptr) {
        m_importWindow->bringToFront();
        return;
    }
    m_importWindow = new ClientImportWindow(m_workstation);
    connect(m_importWindow, &ClientImportWindow::imported, this, &ClientList::refresh);
    connect(m_importWindow, &ProcedureWindow::helpRequested, this, &ProcedureWindow::helpRequested);
    m_importWindow->showBeside(this);
}

} // namespace vellum
