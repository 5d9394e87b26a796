#pragma once
// "Assign Agent": hands the case to another agent with a remark for its history. The drop list
// holds every user but the one logged on, by name, and starts on the agent chosen last time on
// this workstation; the window keeps its place and that choice in the settings file.

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vellum {

class CaseQueueSteps;
class Workstation;

class AssignAgentWindow final : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName; // also the settings section of its place
    static constexpr int RemarkLength = 255;

    AssignAgentWindow(Workstation &workstation, CaseQueueSteps &steps, std::uint32_t caseNr, QWidget *parent = nullptr);

    QComboBox *agentList() const { return m_agents; }
    QLineEdit *remarkField() const { return m_remark; }
    QPushButton *okButton() const { return m_ok; }

    void done(int result) override;

private:
    void fillAgents();
    void restorePlace();
    void savePlace();
    void assign();

    Workstation &m_workstation;
    CaseQueueSteps &m_steps;
    std::uint32_t m_caseNr;
    QComboBox *m_agents;
    QLineEdit *m_remark;
    QPushButton *m_ok;
};

} // namespace vellum
