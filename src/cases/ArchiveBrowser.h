#pragma once
// "BrowseArchive", the knowledge base: every archived case by number. "&Properties", a
// double-click or Enter opens the highlighted case in its view; "&Delete" is for every level
// but the agents'. The title counts the cases once, as the list opens.

#include "ArchiveCaseView.h"
#include "framework/widgets/BrowseList.h"

namespace vellum {

class Workstation;

class ArchiveBrowser final : public BrowseList {
    Q_OBJECT

public:
    static const QString ProcedureName; // "BrowseArchive"
    static const QString HelpTopic;     // "Browse Archive"

    explicit ArchiveBrowser(Workstation &workstation, QWidget *parent = nullptr);

Q_SIGNALS:
    // Before a view opens: its opener connects the view's help and print. A view lives on its own
    // and may outlast the list.
    void viewOpened(vellum::ArchiveCaseView *view);

protected:
    bool aboutToShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takeRequest(FormRequest request);
    bool openView();
    bool deleteHighlighted();
    void addPopupItems();

    Workstation &m_workstation;
};

} // namespace vellum
