#include "ArchiveCaseView.h"

#include "data/Workstation.h"
#include "framework/widgets/BgrColor.h"
#include "framework/widgets/NamedButton.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

// The fields of the tab in their order; the start (no member) is shown as date and time.
struct ShownField {
    QString label;
    QString name;
    QString ArchiveRecord::*member;
};

const ShownField ShownFields[] = {
    {u"Client ID :"_s, u"SName"_s, &ArchiveRecord::SName},
    {u"Name :"_s, u"LName"_s, &ArchiveRecord::LName},
    {u"Phone:"_s, u"Phone"_s, &ArchiveRecord::Phone},
    {u"Product ID : "_s, u"IDProduct"_s, &ArchiveRecord::IDProduct},
    {u"Product:"_s, u"Product"_s, &ArchiveRecord::Product},
    {u"Problem :"_s, u"SProblem"_s, &ArchiveRecord::SProblem},
    {u"Status :"_s, u"Status"_s, &ArchiveRecord::Status},
    {u"Started :"_s, u"Started"_s, nullptr},
    {u"Owner:"_s, u"Owner"_s, &ArchiveRecord::Owner},
};

QLineEdit *shownEntry(const QString &name)
{
    auto *entry = new QLineEdit;
    entry->setObjectName(name);
    entry->setReadOnly(true);
    return entry;
}

} // namespace

const QString ArchiveCaseView::ProcedureName = u"ViewArchive"_s;
const QString ArchiveCaseView::HelpTopic = u"View Archive"_s;

ArchiveCaseView::ArchiveCaseView(Workstation &workstation, std::uint32_t caseNr, const ArchiveRecord &current,
                                 QWidget *parent)
    : ProcedureWindow(ProcedureName, workstation.errors(), workstation.settings(), true, parent), m_reader(workstation),
      m_colors(workstation.settings(), workstation.dialogs(), workstation.messages(), ProcedureName), m_caseNr(caseNr)
{
    m_reader.setCurrent(current);
    setHelpTopic(HelpTopic);
    setWindowTitle(ArchiveCaseReader::titleFor(caseNr != 0 ? caseNr : current.CaseNr));
    auto *tabs = new QTabWidget;
    tabs->addTab(buildGeneralTab(), u"General"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(buildButtons());
    buildMenu(layout);
    showColors();
}

QWidget *ArchiveCaseView::buildGeneralTab()
{
    auto *general = new QWidget;
    auto *rows = new QFormLayout(general);
    for (const ShownField &shown : ShownFields) {
        QLineEdit *entry = shownEntry(shown.name);
        rows->addRow(shown.label, entry);
        if (shown.member != nullptr)
            m_fields.emplace_back(shown.member, entry);
        else
            m_started = entry;
    }
    m_history = new QPlainTextEdit;
    m_history->setObjectName(u"History"_s);
    m_history->setReadOnly(true);
    rows->addRow(u"History :"_s, m_history);
    return general;
}

QWidget *ArchiveCaseView::buildButtons()
{
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_print = namedButton(u"print"_s, u"&Print"_s);
    m_print->setEnabled(false);
    QPushButton *close = namedButton(u"close"_s, u"&Close"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    connect(m_print, &QPushButton::clicked, this, &ArchiveCaseView::print);
    connect(close, &QPushButton::clicked, this, [this] { placedWindow()->close(); });
    connect(help, &QPushButton::clicked, this, &ArchiveCaseView::requestHelp);
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(help);
    return row;
}

void ArchiveCaseView::buildMenu(QLayout *layout)
{
    auto *bar = new QMenuBar;
    QMenu *window = bar->addMenu(u"&Window"_s);
    QMenu *colors = window->addMenu(u"Colo&r"_s);
    colors->addAction(u"&Text Color"_s, this, &ArchiveCaseView::chooseTextColor);
    colors->addAction(u"&Background"_s, this, &ArchiveCaseView::chooseBackgroundColor);
    window->addAction(u"&Help"_s, this, &ArchiveCaseView::requestHelp);
    window->addAction(u"&Close"_s, this, [this] { placedWindow()->close(); });
    layout->setMenuBar(bar);
}

void ArchiveCaseView::setPrintHook(PrintHook hook)
{
    m_printHook = std::move(hook);
    m_print->setEnabled(bool(m_printHook));
}

// The case is looked for as the window opens; a number no case has is told, and the window
// opens all the same.
bool ArchiveCaseView::aboutToShow()
{
    if (!m_reader.open())
        return false;
    m_reader.read(m_caseNr);
    showRecord();
    return true;
}

void ArchiveCaseView::showRecord()
{
    const ArchiveRecord &shown = m_reader.record();
    for (const auto &[member, entry] : m_fields)
        entry->setText(shown.*member);
    m_started->setText(ArchiveCaseReader::started(shown));
    m_history->setPlainText(shown.History);
}

void ArchiveCaseView::print()
{
    if (!m_printHook)
        return;
    const std::uint32_t caseNr = m_reader.record().CaseNr;
    m_printHook(caseNr);
    m_reader.read(caseNr);
    showRecord();
}

void ArchiveCaseView::chooseTextColor()
{
    m_colors.chooseText();
    showColors();
}

void ArchiveCaseView::chooseBackgroundColor()
{
    m_colors.chooseBackground();
    showColors();
}

void ArchiveCaseView::showColors()
{
    BgrColor::setTextColors(m_history, m_colors.text(), m_colors.background());
}

} // namespace vellum
