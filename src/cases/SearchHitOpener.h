#pragma once
// Opens one hit of a search: a current case in the case form with the change request, a
// knowledge-base case in "ViewArchive". The search window and its result list each hold one.

#include "ArchiveCaseView.h"
#include "CaseFormOpener.h"

#include <QObject>

#include <cstdint>

namespace vellum {

class Workstation;

class SearchHitOpener final : public QObject {
    Q_OBJECT

public:
    SearchHitOpener(Workstation &workstation, CaseFormOpener &caseForms, QObject *parent = nullptr);

    // source is "Case" or "Archive".
    void open(const QString &source, std::uint32_t caseNr, QWidget *caller);

Q_SIGNALS:
    // Before a view opens: its opener connects the view's help and print.
    void viewOpened(vellum::ArchiveCaseView *view);

private:
    Workstation &m_workstation;
    CaseFormOpener &m_caseForms;
};

} // namespace vellum
