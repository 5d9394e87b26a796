#include "ClientImportWindow.h"

#include "ClientImport.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/FormRequest.h"
#include "framework/widgets/NamedButton.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

const QString ClientImportWindow::ProcedureName = u"ImportClients"_s;
const QString ClientImportWindow::HelpTopic = u"Import Client Data"_s;
const QString ClientImportWindow::SelectTitle = u"Select Import File"_s;
const QString ClientImportWindow::SelectFilter = u"CSV|*.csv"_s;
const QString ClientImportWindow::SelectText = u"Select CSV-File Containing Client Data..."_s;
const QString ClientImportWindow::ReadyText = u"Press Import to Start Importing Data..."_s;
const QString ClientImportWindow::ImportingCaption = u"Importing data, please wait..."_s;

ClientImportWindow::ClientImportWindow(Workstation &workstation, QWidget *parent)
    : ProcedureWindow(ProcedureName, workstation.errors(), workstation.settings(), false, parent),
      m_workstation(workstation), m_status(new QLabel(SelectText, this)), m_progress(new QProgressBar(this)),
      m_select(namedButton(u"select"_s, u"&Select"_s, u"Select CSV file"_s)),
      m_import(namedButton(u"import"_s, u"&Import"_s, u"Start Import"_s))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Import Client Data"_s);
    setHelpTopic(HelpTopic);
    m_status->setObjectName(u"status"_s);
    m_progress->setFormat(u"%v"_s);
    m_progress->setValue(m_progress->minimum());
    m_import->setEnabled(false);
    QPushButton *close = namedButton(u"close"_s, u"&Close"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *pushed : {m_select, m_import, close, help})
        buttons->addWidget(pushed);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    connect(m_select, &QPushButton::clicked, this, &ClientImportWindow::selectFile);
    connect(m_import, &QPushButton::clicked, this, &ClientImportWindow::importFile);
    connect(close, &QPushButton::clicked, this, [this] { finish(RequestCompleted); });
    connect(help, &QPushButton::clicked, this, &ClientImportWindow::requestHelp);
}

void ClientImportWindow::selectFile()
{
    const QString folder = m_file.isEmpty() ? QString() : QFileInfo(m_file).absolutePath();
    m_file = m_workstation.dialogs().openFile(SelectTitle, folder, SelectFilter);
    if (!m_file.isEmpty())
        m_status->setText(ReadyText);
    m_import->setEnabled(!m_file.isEmpty());
}

void ClientImportWindow::importFile()
{
    m_import->setEnabled(false);
    setWindowTitle(ImportingCaption);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ClientImport import(m_workstation.database(), m_workstation.errors(), m_workstation.clock(),
                        m_workstation.messages());
    const bool ran = import.run(m_file, [this](int line, int lines) {
        m_progress->setMaximum(lines);
        m_progress->setValue(line);
    });
    QApplication::restoreOverrideCursor();
    m_progress->reset();
    setWindowTitle(ApplicationMessage::Title + u" - Import"_s);
    if (!ran)
        return;
    m_status->setText(import.outcome());
    if (import.added() + import.updated() > 0)
        Q_EMIT imported();
}

} // namespace vellum
