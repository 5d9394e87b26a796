#pragma once
// "Import Client Data": the administrator picks an address-book export and imports it into the
// client file; the status text tells what to do next and how the import ended, the bar counts the
// lines. The file is read as it is, under its own name.

#include "framework/widgets/ProcedureWindow.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vellum {

class Workstation;

class ClientImportWindow final : public ProcedureWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;
    static const QString SelectTitle;
    static const QString SelectFilter;
    static const QString SelectText;
    static const QString ReadyText;
    static const QString ImportingCaption;

    explicit ClientImportWindow(Workstation &workstation, QWidget *parent = nullptr);

    QLabel *statusLabel() const { return m_status; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *selectButton() const { return m_select; }
    QPushButton *importButton() const { return m_import; }
    QString chosenFile() const { return m_file; }

Q_SIGNALS:
    // After an import that added or changed clients: the list reads its page again.
    void imported();

private:
    void selectFile();
    void importFile();

    Workstation &m_workstation;
    QString m_file;
    QLabel *m_status;
    QProgressBar *m_progress;
    QPushButton *m_select;
    QPushButton *m_import;
};

} // namespace vellum
