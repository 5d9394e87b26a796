#pragma once
// "Case Data Export Information": shows the file the case export writes, lets the user choose
// another folder, asks before replacing an existing file and runs the export with its progress
// window. It closes once the file is complete; after a failure or Cancel it stays open.

#include "framework/widgets/ProcedureWindow.h"

class QLabel;
class QPushButton;

namespace vellum {

class Workstation;

class CaseExportWindow final : public ProcedureWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;
    static const QString ChooseTitle;
    static const QString OverwriteQuestion;

    explicit CaseExportWindow(Workstation &workstation, QWidget *parent = nullptr);

    QString folder() const { return m_folder; }
    QLabel *pathLabel() const { return m_path; }
    QPushButton *chooseButton() const { return m_choose; }
    QPushButton *exportButton() const { return m_export; }

protected:
    bool aboutToShow() override;

private:
    void showFolder(const QString &folder);
    void chooseFolder();
    void exportFile();
    // False when an existing file stays (the user said no, or it cannot be deleted).
    bool makeRoom();
    bool runExport();

    Workstation &m_workstation;
    QString m_folder;
    QLabel *m_path;
    QPushButton *m_choose;
    QPushButton *m_export;
};

} // namespace vellum
