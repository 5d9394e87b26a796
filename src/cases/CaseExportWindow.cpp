#include "CaseExportWindow.h"

#include "CaseExport.h"
#include "ExportFolder.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/FormRequest.h"
#include "framework/widgets/NamedButton.h"
#include "framework/widgets/ProgressWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int PathLength = 255;

} // namespace

const QString CaseExportWindow::ProcedureName = u"WindowExportFile"_s;
const QString CaseExportWindow::HelpTopic = u"Export Case Data"_s;
const QString CaseExportWindow::ChooseTitle = u"Choose Export Directory"_s;
const QString CaseExportWindow::OverwriteQuestion = u" File already Exists.. \r\n Overwrite current file..?"_s;

CaseExportWindow::CaseExportWindow(Workstation &workstation, QWidget *parent)
    : ProcedureWindow(ProcedureName, workstation.errors(), workstation.settings(), false, parent),
      m_workstation(workstation), m_path(new QLabel(this)),
      m_choose(namedButton(u"choose"_s, u"..."_s, u"Choose another folder"_s)),
      m_export(namedButton(u"exportFile"_s, u"&Export File"_s))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Case Data Export Information"_s);
    setHelpTopic(HelpTopic);
    m_path->setObjectName(u"path"_s);
    QPushButton *cancel = namedButton(u"cancel"_s, u"&Cancel"_s, u"Exit window"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_choose);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *pushed : {m_export, cancel, help})
        buttons->addWidget(pushed);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Case  data will be exported to the following folder and file:"_s, this));
    layout->addLayout(pathRow);
    layout->addLayout(buttons);
    connect(m_choose, &QPushButton::clicked, this, &CaseExportWindow::chooseFolder);
    connect(m_export, &QPushButton::clicked, this, &CaseExportWindow::exportFile);
    connect(cancel, &QPushButton::clicked, this, [this] { finish(RequestCancelled); });
    connect(help, &QPushButton::clicked, this, &CaseExportWindow::requestHelp);
}

bool CaseExportWindow::aboutToShow()
{
    showFolder(
        ExportFolder::settle(m_workstation.settings(), m_workstation.messages(), m_workstation.run().programFolder));
    return true;
}

void CaseExportWindow::showFolder(const QString &folder)
{
    m_folder = folder;
    m_path->setText(ExportFolder::filePath(folder).left(PathLength));
}

void CaseExportWindow::chooseFolder()
{
    const QString answer = m_workstation.dialogs().chooseFolder(ChooseTitle, m_folder);
    if (!answer.isEmpty())
        showFolder(ExportFolder::choose(m_workstation.settings(), answer));
}

void CaseExportWindow::exportFile()
{
    if (makeRoom() && runExport())
        finish(RequestCompleted);
}

bool CaseExportWindow::makeRoom()
{
    QFile existing(ExportFolder::filePath(m_folder));
    if (!existing.exists())
        return true;
    if (!ApplicationMessage::askYesNo(m_workstation.messages(), OverwriteQuestion)) {
        chooseFolder();
        return false;
    }
    if (existing.remove())
        return true;
    ApplicationMessage::show(m_workstation.messages(), CaseExport::HeldMessage, MessageIcon::Exclamation);
    return false;
}

bool CaseExportWindow::runExport()
{
    CaseExport caseExport(m_workstation.database(), m_workstation.errors(), m_workstation.clock(),
                          m_workstation.messages(), ExportFolder::filePath(m_folder));
    if (!caseExport.open())
        return false;
    ProgressWindow progress(caseExport.process(), this);
    progress.describe(u"Processing Records"_s, u"Copying data to ASCII file"_s);
    progress.run();
    return caseExport.finish();
}

} // namespace vellum
