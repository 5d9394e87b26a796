#include "AssignAgentWindow.h"

#include "CaseQueueSteps.h"
#include "CaseRights.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString ConfigSection = u"Config"_s;
const QString AgentKey = u"AssignAgent"_s;
const QString DefaultAgent = u"Boss"_s;
const QString XKey = u"XPosition"_s;
const QString YKey = u"YPosition"_s;
constexpr int DefaultX = 110;
constexpr int DefaultY = 55;

} // namespace

const QString AssignAgentWindow::ProcedureName = u"AssignWindow"_s;

AssignAgentWindow::AssignAgentWindow(Workstation &workstation, CaseQueueSteps &steps, std::uint32_t caseNr,
                                     QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_steps(steps), m_caseNr(caseNr), m_agents(new QComboBox),
      m_remark(new QLineEdit)
{
    setWindowTitle(u"Assign Agent to Case Nr. "_s + QString::number(caseNr));
    m_agents->setObjectName(u"agent"_s);
    m_remark->setObjectName(u"remark"_s);
    m_remark->setMaxLength(RemarkLength);
    auto *fields = new QFormLayout;
    fields->addRow(u"Agent :"_s, m_agents);
    fields->addRow(u"Remark :"_s, m_remark);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &AssignAgentWindow::assign);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    fillAgents();
    restorePlace();
}

// A user file that cannot be read leaves the list empty: OK then only beeps.
void AssignAgentWindow::fillAgents()
{
    RecordFileOf<UserRecord> users(m_workstation.database(), m_workstation.errors());
    if (users.open() == 0) {
        users.set(UserRecord::KeyName);
        while (users.next() == 0) {
            const QString name = users.record().Name.trimmed();
            if (!CaseRights::sameName(name, m_workstation.user().name))
                m_agents->addItem(name);
        }
    }
    QString last = m_workstation.settings().readText(ConfigSection, AgentKey).trimmed();
    if (last.isEmpty())
        last = DefaultAgent;
    m_agents->setCurrentIndex(m_agents->findText(last, Qt::MatchFixedString));
}

void AssignAgentWindow::restorePlace()
{
    const SettingsFile &settings = m_workstation.settings();
    const int x = settings.contains(ProcedureName, XKey) ? settings.readNumber(ProcedureName, XKey) : DefaultX;
    const int y = settings.contains(ProcedureName, YKey) ? settings.readNumber(ProcedureName, YKey) : DefaultY;
    move(x, y);
}

void AssignAgentWindow::savePlace()
{
    SettingsFile &settings = m_workstation.settings();
    settings.writeText(ConfigSection, AgentKey, m_agents->currentText());
    settings.writeNumber(ProcedureName, XKey, pos().x());
    settings.writeNumber(ProcedureName, YKey, pos().y());
}

void AssignAgentWindow::done(int result)
{
    savePlace();
    QDialog::done(result);
}

// Refused or failed, the window stays open for another choice.
void AssignAgentWindow::assign()
{
    const CaseStep step = m_steps.assignCase(m_caseNr, m_agents->currentText(), m_remark->text());
    step.tell(m_workstation.messages());
    if (step.done)
        accept();
}

} // namespace vellum
