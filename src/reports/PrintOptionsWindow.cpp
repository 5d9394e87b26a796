#include "PrintOptionsWindow.h"

#include "PrintPickLists.h"

#include "data/Workstation.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

struct Texts {
    QString title;
    QString group;
    std::array<QString, 4> choices;
};

Texts textsOf(ListReport report)
{
    switch (report) {
    case ListReport::Archive:
        return {
            u"Printing Knowledge Base Cases"_s, u"Property"_s, {u"A&ll"_s, u"&Product"_s, u"&Client"_s, u"&Closed"_s}};
    case ListReport::Log:
        return {u"Printing Activity Log"_s, u"Activity"_s, {u"&All"_s, u"&Created"_s, u"&On Hold"_s, u"&Closed"_s}};
    default:
        return {u"Printing Cases"_s, u"Status"_s, {u"A&ll"_s, u"Ac&tive"_s, u"On &Hold"_s, u"&Closed"_s}};
    }
}

constexpr int AgentListCharacters = 20;

} // namespace

const QString PrintOptionsWindow::ProcedureName = u"PrintOptions"_s;
const QString PrintOptionsWindow::HelpTopic = u"Print Options"_s;

PrintOptionsWindow::PrintOptionsWindow(Workstation &workstation, ListReport report, QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_report(report),
      m_remembered(PrintOptions::load(workstation.settings(), report)), m_agentChoice(new QButtonGroup(this)),
      m_secondChoice(new QButtonGroup(this))
{
    setWindowTitle(textsOf(report).title);
    auto *layout = new QVBoxLayout(this);
    auto *groups = new QHBoxLayout;
    groups->addWidget(buildAgentGroup());
    groups->addWidget(buildSecondGroup());
    layout->addLayout(groups);
    layout->addWidget(buildButtons());
    restore();
    connect(m_agentChoice, &QButtonGroup::idClicked, this, &PrintOptionsWindow::showLists);
    connect(m_secondChoice, &QButtonGroup::idClicked, this, &PrintOptionsWindow::showLists);
}

QWidget *PrintOptionsWindow::pickList(const QString &caption, QListWidget *&list, QLabel *&label)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    label = new QLabel(caption);
    list = new QListWidget;
    list->setAccessibleName(caption);
    label->setBuddy(list);
    layout->addWidget(label);
    layout->addWidget(list);
    return box;
}

QWidget *PrintOptionsWindow::buildAgentGroup()
{
    auto *group = new QGroupBox(u"Agent"_s);
    auto *layout = new QVBoxLayout(group);
    const std::array<QString, 2> texts{u"&All Agents"_s, u"&Of Agent"_s};
    for (int choice = 1; choice <= 2; ++choice) {
        auto *button = new QRadioButton(texts.at(std::size_t(choice - 1)));
        m_agentChoice->addButton(button, choice);
        layout->addWidget(button);
    }
    layout->addWidget(pickList(u"Pick Agent"_s, m_agents, m_agentsLabel));
    m_agents->setMinimumWidth(m_agents->fontMetrics().averageCharWidth() * AgentListCharacters);
    m_agents->addItems(PrintPickLists::agents(m_workstation.database(), m_workstation.errors()));
    return group;
}

QWidget *PrintOptionsWindow::buildSecondGroup()
{
    const Texts texts = textsOf(m_report);
    auto *group = new QGroupBox(texts.group);
    auto *layout = new QVBoxLayout(group);
    for (int choice = 1; choice <= 4; ++choice) {
        auto *button = new QRadioButton(texts.choices.at(std::size_t(choice - 1)));
        m_secondChoice->addButton(button, choice);
        layout->addWidget(button);
    }
    if (m_report == ListReport::Archive) {
        layout->addWidget(pickList(u"Select Product"_s, m_products, m_productsLabel));
        layout->addWidget(pickList(u"Select Client"_s, m_clients, m_clientsLabel));
        m_products->addItems(PrintPickLists::products(m_workstation.database(), m_workstation.errors()));
        m_clients->addItems(PrintPickLists::clients(m_workstation.database(), m_workstation.errors()));
    }
    return group;
}

QWidget *PrintOptionsWindow::buildButtons()
{
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(u"&OK"_s, QDialogButtonBox::AcceptRole);
    buttons->addButton(u"&Cancel"_s, QDialogButtonBox::RejectRole);
    QPushButton *help = buttons->addButton(u"&Help"_s, QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintOptionsWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrintOptionsWindow::reject);
    connect(help, &QPushButton::clicked, this, [this] { Q_EMIT helpRequested(HelpTopic); });
    return buttons;
}

void PrintOptionsWindow::restore()
{
    agentButton(m_remembered.agentChoice)->setChecked(true);
    secondButton(m_remembered.secondChoice)->setChecked(true);
    select(m_agents, m_remembered.agent);
    select(m_products, m_remembered.product);
    select(m_clients, m_remembered.client);
    showLists();
}

void PrintOptionsWindow::showLists()
{
    const bool oneAgent = m_agentChoice->checkedId() == PrintOptions::OneAgent;
    m_agents->setVisible(oneAgent);
    m_agentsLabel->setVisible(oneAgent);
    if (m_report != ListReport::Archive)
        return;
    const int property = m_secondChoice->checkedId();
    for (QWidget *widget : {static_cast<QWidget *>(m_products), static_cast<QWidget *>(m_productsLabel)})
        widget->setVisible(property == PrintOptions::ByProduct);
    for (QWidget *widget : {static_cast<QWidget *>(m_clients), static_cast<QWidget *>(m_clientsLabel)})
        widget->setVisible(property == PrintOptions::ByClient);
}

void PrintOptionsWindow::select(QListWidget *list, const QString &entry)
{
    if (list == nullptr)
        return;
    const QList<QListWidgetItem *> found = list->findItems(entry.trimmed(), Qt::MatchFixedString);
    list->setCurrentItem(found.isEmpty() ? nullptr : found.first());
}

QString PrintOptionsWindow::selected(const QListWidget *list)
{
    if (list == nullptr || list->currentItem() == nullptr || !list->currentItem()->isSelected())
        return {};
    return list->currentItem()->text();
}

QRadioButton *PrintOptionsWindow::agentButton(int choice) const
{
    return static_cast<QRadioButton *>(m_agentChoice->button(choice));
}

QRadioButton *PrintOptionsWindow::secondButton(int choice) const
{
    return static_cast<QRadioButton *>(m_secondChoice->button(choice));
}

PrintOptions PrintOptionsWindow::options() const
{
    PrintOptions chosen = m_remembered;
    chosen.agentChoice = m_agentChoice->checkedId();
    chosen.secondChoice = m_secondChoice->checkedId();
    // A list without a choice keeps what was remembered.
    if (const QString agent = selected(m_agents); !agent.isEmpty())
        chosen.agent = agent;
    if (const QString product = selected(m_products); !product.isEmpty())
        chosen.product = product;
    if (const QString client = selected(m_clients); !client.isEmpty())
        chosen.client = client;
    return chosen;
}

QListWidget *PrintOptionsWindow::missingChoice() const
{
    if (m_agentChoice->checkedId() == PrintOptions::OneAgent && selected(m_agents).isEmpty())
        return m_agents;
    if (m_report != ListReport::Archive)
        return nullptr;
    if (m_secondChoice->checkedId() == PrintOptions::ByProduct && selected(m_products).isEmpty())
        return m_products;
    if (m_secondChoice->checkedId() == PrintOptions::ByClient && selected(m_clients).isEmpty())
        return m_clients;
    return nullptr;
}

void PrintOptionsWindow::accept()
{
    if (QListWidget *list = missingChoice()) {
        m_workstation.messages().beep();
        list->setFocus();
        return;
    }
    QDialog::accept();
}

void PrintOptionsWindow::done(int result)
{
    // A settings file that cannot be written keeps the choices for this run only.
    static_cast<void>(options().save(m_workstation.settings(), m_report));
    QDialog::done(result);
}

} // namespace vellum
