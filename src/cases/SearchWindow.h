#pragma once
// "Search": one subject and a phrase, searched in the current cases, the knowledge base or both
// (the scope its opener passes, "1", "2" or "0"). "&Go" runs the search in steps driven by a
// timer, the progress bar over the records in scope, so that the window stays responsive and
// "&Cancel" stops it. The hits open in a "SearchResult" list; a case number opens its case.
// The subject in use is kept as "SearchOption" when the window closes.

#include "CaseSearch.h"
#include "SearchHitOpener.h"
#include "SearchResultList.h"
#include "framework/widgets/ProcedureWindow.h"

#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vellum {

class Workstation;

class SearchWindow final : public ProcedureWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;      // "Search"
    static const QString HelpTopic;          // "Search Options"
    static const QString OptionKey;          // "SearchOption", section "Config"
    static constexpr int StepRecords = 2000; // records read per timer event

    SearchWindow(Workstation &workstation, CaseFormOpener &caseForms, const QString &scope, QWidget *parent = nullptr);
    ~SearchWindow() override;

    static QString titleFor(SearchScope scope);

    QRadioButton *subjectOption(int number) const { return m_options[std::size_t(number - 1)]; }
    QLineEdit *phraseEntry() const { return m_phrase; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *goButton() const { return m_go; }
    // The subject chosen, 1 to 7; 0 when none is.
    int subject() const;
    bool searching() const { return m_search != nullptr; }
    // The hits of the last search; empty again after "&New search" and at closing.
    const std::vector<SearchResultRow> &rows() const { return m_rows; }
    SearchResultList *resultList() const { return m_results; }

    void go();
    void newSearch();
    // Stops a running search and closes the window.
    void cancel();

Q_SIGNALS:
    void viewOpened(vellum::ArchiveCaseView *view);
    // A search ran to its end (hit or none).
    void searchEnded();

protected:
    bool aboutToShow() override;

private:
    QWidget *buildSubjects();
    QWidget *buildButtons();
    bool mayGo();
    void openCaseNumber();
    void runStep();
    void searchDone();
    void showResults(const SearchSubject &subject);
    void noHit();
    void closeResults();
    void storeOption();

    Workstation &m_workstation;
    CaseFormOpener &m_caseForms;
    SearchScope m_scope;
    SearchHitOpener *m_opener;
    std::array<QRadioButton *, 7> m_options{};
    QProgressBar *m_progress = nullptr;
    QLineEdit *m_phrase = nullptr;
    QPushButton *m_go = nullptr;
    QTimer m_steps;
    std::unique_ptr<CaseSearch> m_search;
    std::vector<SearchResultRow> m_rows;
    QPointer<SearchResultList> m_results;
};

} // namespace vellum
