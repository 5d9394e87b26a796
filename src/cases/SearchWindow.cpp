#include "SearchWindow.h"

#include "SearchResultList.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/SettingsFile.h"
#include "framework/widgets/NamedButton.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString OptionSection = u"Config"_s;
const QString NoSubjectText = u"  No subject selected"_s;
const QString NoPhraseText = u"  No phrase to search for...."_s;
const QString NoHitText = u"No matching phrase found, new search?"_s;
constexpr int PhraseLength = 20;

} // namespace

const QString SearchWindow::ProcedureName = u"Search"_s;
const QString SearchWindow::HelpTopic = u"Search Options"_s;
const QString SearchWindow::OptionKey = u"SearchOption"_s;

SearchWindow::SearchWindow(Workstation &workstation, CaseFormOpener &caseForms, const QString &scope, QWidget *parent)
    : ProcedureWindow(ProcedureName, workstation.errors(), workstation.settings(), false, parent),
      m_workstation(workstation), m_caseForms(caseForms), m_scope(searchScopeOf(scope)),
      m_opener(new SearchHitOpener(workstation, caseForms, this))
{
    setHelpTopic(HelpTopic);
    setWindowTitle(titleFor(m_scope));
    m_progress = new QProgressBar;
    m_progress->setValue(0);
    m_phrase = new QLineEdit;
    m_phrase->setMaxLength(PhraseLength);
    m_phrase->setToolTip(u"Enter phrase and/or number"_s);
    auto *phraseLabel = new QLabel(u"Find Phrase:"_s);
    phraseLabel->setBuddy(m_phrase);
    auto *phraseRow = new QHBoxLayout;
    phraseRow->addWidget(phraseLabel);
    phraseRow->addWidget(m_phrase, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildSubjects());
    layout->addWidget(m_progress);
    layout->addLayout(phraseRow);
    layout->addWidget(buildButtons());
    m_steps.setInterval(0);
    connect(&m_steps, &QTimer::timeout, this, &SearchWindow::runStep);
    connect(m_opener, &SearchHitOpener::viewOpened, this, &SearchWindow::viewOpened);
    connect(this, &ProcedureWindow::finished, this, [this] {
        m_steps.stop();
        m_search.reset();
        m_rows.clear();
        storeOption();
    });
}

SearchWindow::~SearchWindow() = default;

QString SearchWindow::titleFor(SearchScope scope)
{
    switch (scope) {
    case SearchScope::Cases:
        return u"Searching in Current Cases"_s;
    case SearchScope::Archive:
        return u"Searching in Knowledge Base"_s;
    default:
        return u"Extended Search"_s;
    }
}

QWidget *SearchWindow::buildSubjects()
{
    auto *group = new QGroupBox(u"Subject"_s);
    group->setToolTip(u"Choose subject"_s);
    auto *options = new QVBoxLayout(group);
    auto *buttons = new QButtonGroup(group);
    for (const SearchSubject &subject : SearchSubjects::all()) {
        auto *option = new QRadioButton(subject.optionText);
        buttons->addButton(option, subject.number);
        options->addWidget(option);
        m_options[std::size_t(subject.number - 1)] = option;
        connect(option, &QRadioButton::clicked, m_phrase, [this] { m_phrase->setFocus(); });
    }
    return group;
}

QWidget *SearchWindow::buildButtons()
{
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_go = namedButton(u"go"_s, u"&Go"_s);
    m_go->setDefault(true);
    QPushButton *again = namedButton(u"newSearch"_s, u"&New search"_s);
    QPushButton *cancelButton = namedButton(u"cancel"_s, u"&Cancel"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    connect(m_go, &QPushButton::clicked, this, &SearchWindow::go);
    connect(again, &QPushButton::clicked, this, &SearchWindow::newSearch);
    connect(cancelButton, &QPushButton::clicked, this, &SearchWindow::cancel);
    connect(help, &QPushButton::clicked, this, &SearchWindow::requestHelp);
    for (QPushButton *button : {m_go, again, cancelButton, help})
        buttons->addWidget(button);
    return row;
}

// The subject last used comes back, kept as its number plus one.
bool SearchWindow::aboutToShow()
{
    const int kept = settings().readNumber(OptionSection, OptionKey) - 1;
    if (SearchSubjects::byNumber(kept))
        subjectOption(kept)->setChecked(true);
    m_phrase->setFocus();
    return true;
}

int SearchWindow::subject() const
{
    for (const SearchSubject &subject : SearchSubjects::all())
        if (subjectOption(subject.number)->isChecked())
            return subject.number;
    return 0;
}

void SearchWindow::storeOption()
{
    if (subject() != 0)
        static_cast<void>(settings().writeNumber(OptionSection, OptionKey, subject() + 1));
}

bool SearchWindow::mayGo()
{
    if (subject() == 0) {
        ApplicationMessage::show(m_workstation.messages(), NoSubjectText);
        return false;
    }
    if (SearchPhrase(m_phrase->text()).isEmpty()) {
        ApplicationMessage::show(m_workstation.messages(), NoPhraseText);
        m_phrase->setFocus();
        return false;
    }
    return true;
}

void SearchWindow::go()
{
    if (searching() || !mayGo())
        return;
    closeResults();
    m_rows.clear();
    const SearchSubject chosen = *SearchSubjects::byNumber(subject());
    if (chosen.byKey) {
        openCaseNumber();
        return;
    }
    m_search = std::make_unique<CaseSearch>(m_workstation.database(), m_workstation.errors(), m_scope, chosen,
                                            m_phrase->text());
    m_progress->setRange(0, int(std::min<std::int64_t>(m_search->total(), INT_MAX)));
    m_progress->setValue(0);
    m_go->setEnabled(false);
    m_steps.start();
}

void SearchWindow::openCaseNumber()
{
    const std::optional<QString> source =
        CaseSearch::findCaseNumber(m_workstation.database(), m_workstation.errors(), m_scope, m_phrase->text());
    Q_EMIT searchEnded();
    if (!source) {
        noHit();
        return;
    }
    m_opener->open(*source, SearchPhrase(m_phrase->text()).caseNumber(), this);
}

void SearchWindow::runStep()
{
    if (!m_search)
        return;
    const bool more = m_search->step(StepRecords);
    m_progress->setValue(int(std::min<std::int64_t>(m_search->read(), m_progress->maximum())));
    if (!more)
        searchDone();
}

void SearchWindow::searchDone()
{
    m_steps.stop();
    m_rows = m_search->rows();
    m_search.reset();
    m_progress->setValue(0);
    m_go->setEnabled(true);
    Q_EMIT searchEnded();
    if (m_rows.empty())
        noHit();
    else
        showResults(*SearchSubjects::byNumber(subject()));
}

void SearchWindow::showResults(const SearchSubject &subject)
{
    m_results = new SearchResultList(m_workstation, m_caseForms, m_rows, m_phrase->text(), subject);
    m_results->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_results, &SearchResultList::viewOpened, this, &SearchWindow::viewOpened);
    connect(m_results, &ProcedureWindow::helpRequested, this, &ProcedureWindow::helpRequested);
    m_results->showBeside(this);
}

void SearchWindow::noHit()
{
    if (ApplicationMessage::askYesNo(m_workstation.messages(), NoHitText))
        newSearch();
    else
        placedWindow()->close();
}

void SearchWindow::newSearch()
{
    if (searching())
        return;
    closeResults();
    m_rows.clear();
    m_phrase->clear();
    m_phrase->setFocus();
}

void SearchWindow::cancel()
{
    m_steps.stop();
    m_search.reset();
    m_progress->setValue(0);
    m_go->setEnabled(true);
    placedWindow()->close();
}

// A new search replaces the list of the one before.
void SearchWindow::closeResults()
{
    if (m_results)
        m_results->placedWindow()->close();
}

} // namespace vellum
