#pragma once
// "SearchResult": the hits of one search, "Browse Search Results". "&Properties", a double-click
// or Enter opens the highlighted hit; a header click sorts by its column. The column layout is
// kept under "SearchList", the background is the workstation's list colour.

#include "SearchHitOpener.h"
#include "SearchResultTable.h"
#include "SearchSubject.h"
#include "framework/widgets/ProcedureWindow.h"

#include <vector>

class QMenu;
class QTableView;

namespace vellum {

class Workstation;

class SearchResultList final : public ProcedureWindow {
    Q_OBJECT

public:
    static const QString ProcedureName; // "SearchResult"
    static const QString LayoutKey;     // "SearchList"

    SearchResultList(Workstation &workstation, CaseFormOpener &caseForms, std::vector<SearchResultRow> rows,
                     const QString &phrase, const SearchSubject &subject, QWidget *parent = nullptr);

    static QString titleFor(const QString &subjectName, const QString &phrase, std::size_t hits);

    QTableView *view() const { return m_view; }
    SearchResultTable *table() const { return m_table; }
    QMenu *popupMenu() const { return m_popup; }
    // The highlighted hit, opened as its source says; false on an empty list.
    bool openHighlighted();

Q_SIGNALS:
    void viewOpened(vellum::ArchiveCaseView *view);

protected:
    bool aboutToShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildButtons();
    void buildPopup();
    void close();

    Workstation &m_workstation;
    SearchHitOpener *m_opener;
    SearchResultTable *m_table;
    QTableView *m_view;
    QMenu *m_popup = nullptr;
};

} // namespace vellum
