#include "ClientForm.h"

#include "ClientFormRules.h"
#include "data/CaseFileLinks.h"
#include "data/ClientRecord.h"
#include "data/Workstation.h"
#include "framework/FileRelations.h"
#include "framework/RecordFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = ClientRecord::Col;

constexpr int WidestEntryShown = 40; // longer entries scroll within this many characters

// Every client form in the order it was opened; the limit counts those of one workstation.
std::vector<QPointer<ClientForm>> &openedForms()
{
    static std::vector<QPointer<ClientForm>> forms;
    return forms;
}

} // namespace

// A form opened for a case's client reads that client itself.
struct ClientForm::OwnedFile {
    explicit OwnedFile(Workstation &workstation)
        : file(workstation.database(), workstation.errors()), relations(file, caseFileRelations())
    {
    }

    RecordFileOf<ClientRecord> file;
    FileRelations relations;
};

const QString ClientForm::ProcedureName = u"Updateclient"_s;
const QString ClientForm::HelpTopic = u"Inserting Clients"_s;

ClientForm::ClientForm(Workstation &workstation, FileRelations &clients, QWidget *parent)
    : ClientForm(workstation, &clients, nullptr, {}, parent)
{
}

ClientForm::ClientForm(Workstation &workstation, const QString &shortName, QWidget *parent)
    : ClientForm(workstation, nullptr, std::make_unique<OwnedFile>(workstation), shortName, parent)
{
}

ClientForm::ClientForm(Workstation &workstation, FileRelations *clients, std::unique_ptr<OwnedFile> owned,
                       const QString &shortName, QWidget *parent)
    : FormWindow(ProcedureName, clients != nullptr ? *clients : owned->relations, workstation.settings(), parent),
      m_workstation(workstation), m_owned(std::move(owned)), m_shortName(shortName.trimmed())
{
    setWindowTitle(u"Update the client File"_s);
    setCaptions(u"Adding a Client Record"_s, u"Changing a Client Record"_s);
    setHelpTopic(HelpTopic);
    FormController::Rules rules;
    rules.cancelAction = 0;
    setRules(rules);
    addEntries();
    connect(this, &ProcedureWindow::finished, this, &ClientForm::handBack);
}

ClientForm::~ClientForm()
{
    if (m_owned && m_owned->file.isOpen())
        m_owned->relations.close();
}

void ClientForm::addEntries()
{
    QLineEdit *shortName = addEntry(u"Name ID:"_s, Col::SName, 6, u"Key Client"_s);
    addEntry(u"Full Name"_s, Col::LName, 80, u"Long client name"_s);
    addEntry(u"Contact:"_s, Col::Contact, 30);
    addEntry(u"Phone:"_s, Col::Phone, 29);
    addEntry(u"Mobile:"_s, Col::Phone2, 20);
    addEntry(u"Email:"_s, Col::Email, 99);
    addPriority();
    addEntry(u"Fax:"_s, Col::Fax, 29);
    addEntry(u"Address:"_s, Col::Address, 30);
    addEntry(u"ZIP:"_s, Col::ZIPCode, 10);
    addEntry(u"City:"_s, Col::City, 30);
    addEntry(u"State:"_s, Col::State, 30);
    addEntry(u"Remarks:"_s, Col::Remarks, 255);
    // The form starts on its first bound entry: for a case's client that is the full name.
    if (forCaseClient()) {
        bindings().text(Col::SName, shortName);
        shortName->setEnabled(false);
    }
}

// An entry is as wide as the form says (up to a limit, then it scrolls) and takes only what its
// field stores, so that nothing typed is cut when the client is written.
QLineEdit *ClientForm::addEntry(const QString &label, int field, int width, const QString &tip)
{
    auto *entry = new QLineEdit;
    entry->setObjectName(QString::fromLatin1(ClientRecord::table().fields[std::size_t(field)].column()));
    entry->setToolTip(tip);
    if (field != Col::SName || !forCaseClient())
        bindings().text(field, entry);
    entry->setMinimumWidth(entry->fontMetrics().averageCharWidth() * (std::min(width, WidestEntryShown) + 2));
    addField(label, entry);
    m_entries.emplace_back(field, entry);
    return entry;
}

void ClientForm::addPriority()
{
    m_priorityGroup = new QGroupBox(u"Client Priority"_s);
    m_priorityGroup->setObjectName(u"clientPriority"_s);
    m_priorityBox = new QCheckBox(u"Set Priority "_s);
    m_priorityBox->setObjectName(u"PriorityFix"_s);
    m_priorityList = new QComboBox;
    m_priorityList->setObjectName(u"Priority"_s);
    m_priorityList->addItems(ClientFormRules::priorities());
    m_priorityList->setMinimumContentsLength(7);
    m_priorityList->setCurrentIndex(-1);
    auto *row = new QHBoxLayout(m_priorityGroup);
    row->addWidget(m_priorityBox);
    row->addWidget(m_priorityList);
    row->addStretch();
    bindings().check(Col::PriorityFix, m_priorityBox);
    bindings().choice(Col::Priority, m_priorityList);
    connect(m_priorityBox, &QCheckBox::toggled, m_priorityList, &QWidget::setVisible);
    addField(m_priorityGroup);
}

QLineEdit *ClientForm::entry(int field) const
{
    const auto found =
        std::find_if(m_entries.begin(), m_entries.end(), [field](const auto &entry) { return entry.first == field; });
    return found == m_entries.end() ? nullptr : found->second;
}

bool ClientForm::beforeOpen(FormRequest *request)
{
    if (*request != SelectRequest && !admitted())
        return false;
    if (forCaseClient()) {
        if (!readCaseClient())
            return false;
        *request = ChangeRequest;
    }
    openedForms().emplace_back(this);
    return true;
}

// A further client form brings the newest open one to the front instead.
bool ClientForm::admitted()
{
    std::vector<QPointer<ClientForm>> &forms = openedForms();
    std::erase_if(forms, [](const QPointer<ClientForm> &form) { return form.isNull() || !form->isOpen(); });
    ClientForm *newest = nullptr;
    int open = 0;
    for (const QPointer<ClientForm> &form : forms) {
        if (&form->m_workstation == &m_workstation && form != this) {
            newest = form;
            ++open;
        }
    }
    if (open < MostOpen)
        return true;
    newest->bringToFront();
    return false;
}

bool ClientForm::readCaseClient()
{
    RecordFileOf<ClientRecord> &clients = m_owned->file;
    if (!clients.isOpen() && m_owned->relations.open() != RecordResult::Ok)
        return false;
    clients.record() = {};
    clients.record().SName = m_shortName;
    if (clients.fetch(ClientRecord::SNameKey) == RecordResult::Ok) {
        m_clientRead = true;
        return true;
    }
    if (clients.lastError() == 0)
        ClientFormRules::showClientGone(m_workstation.messages());
    return false;
}

void ClientForm::recordShown()
{
    applyRights();
    m_priorityList->setVisible(m_priorityBox->isChecked());
}

// The priority is set by the user logged on now: a form left open across a logout no longer sets it.
void ClientForm::applyRights()
{
    FormWindow::applyRights();
    m_priorityGroup->setEnabled(ClientFormRules::priorityEditable(m_workstation.levelInForce(), forCaseClient()));
}

bool ClientForm::controlsAccepted()
{
    if (!ClientFormRules::priorityMissing(m_priorityBox->isChecked(), m_priorityList->currentText()))
        return true;
    m_priorityList->setFocus();
    return false;
}

void ClientForm::handBack()
{
    if (!m_clientRead)
        return;
    const ClientFormRules::HandedBack values = ClientFormRules::handedBack(fromRow<ClientRecord>(file().readRow()));
    Q_EMIT handedBack(values.fullName, values.phone);
}

} // namespace vellum
