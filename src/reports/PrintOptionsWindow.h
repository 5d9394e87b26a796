#pragma once
// The options window of a selecting report ("Printing Cases", "Printing Knowledge Base Cases",
// "Printing Activity Log"): the agent group with its pick list, the second group (status,
// activity or property) with the knowledge base's product and client lists. It opens on the
// choices remembered on the workstation and writes them back whenever it closes, Cancel too.
// "&OK" without the pick-list entry a choice needs beeps and puts the cursor into that list.

#include "ListReport.h"
#include "PrintOptions.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QLabel;
class QListWidget;
class QRadioButton;

namespace vellum {

class Workstation;

class PrintOptionsWindow final : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;

    PrintOptionsWindow(Workstation &workstation, ListReport report, QWidget *parent = nullptr);

    // The choices as they stand.
    PrintOptions options() const;

    QRadioButton *agentButton(int choice) const;  // 1 or 2
    QRadioButton *secondButton(int choice) const; // 1 to 4
    QListWidget *agentList() const { return m_agents; }
    QListWidget *productList() const { return m_products; }
    QListWidget *clientList() const { return m_clients; }

    void accept() override;
    void done(int result) override;

Q_SIGNALS:
    void helpRequested(const QString &topic);

private:
    QWidget *buildAgentGroup();
    QWidget *buildSecondGroup();
    QWidget *buildButtons();
    QWidget *pickList(const QString &caption, QListWidget *&list, QLabel *&label);
    void restore();
    void showLists();
    static void select(QListWidget *list, const QString &entry);
    static QString selected(const QListWidget *list);
    // The list a choice needs that has no entry selected, else none.
    QListWidget *missingChoice() const;

    Workstation &m_workstation;
    ListReport m_report;
    PrintOptions m_remembered;
    QButtonGroup *m_agentChoice;
    QButtonGroup *m_secondChoice;
    QListWidget *m_agents = nullptr;
    QListWidget *m_products = nullptr;
    QListWidget *m_clients = nullptr;
    QLabel *m_agentsLabel = nullptr;
    QLabel *m_productsLabel = nullptr;
    QLabel *m_clientsLabel = nullptr;
};

} // namespace vellum
