#include "SearchResultList.h"

#include "SearchPhrase.h"
#include "SearchSubject.h"
#include "data/Workstation.h"
#include "framework/BrowseColor.h"
#include "framework/widgets/BgrColor.h"
#include "framework/widgets/ColumnLayout.h"
#include "framework/widgets/NamedButton.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString LayoutSection = u"Browses"_s;
const QString HelpTopic = u"Search Options"_s;
// The characters each column opens with before a layout is kept.
constexpr std::array<int, SearchResultTable::ColumnCount> ColumnCharacters{4, 6, 6, 30, 16, 30, 40, 7};

} // namespace

const QString SearchResultList::ProcedureName = u"SearchResult"_s;
const QString SearchResultList::LayoutKey = u"SearchList"_s;

SearchResultList::SearchResultList(Workstation &workstation, CaseFormOpener &caseForms,
                                   std::vector<SearchResultRow> rows, const QString &phrase,
                                   const SearchSubject &subject, QWidget *parent)
    : ProcedureWindow(ProcedureName, workstation.errors(), workstation.settings(), true, parent),
      m_workstation(workstation), m_opener(new SearchHitOpener(workstation, caseForms, this)),
      m_table(new SearchResultTable(std::move(rows), subject.number, this)), m_view(new QTableView)
{
    setHelpTopic(HelpTopic);
    setWindowTitle(titleFor(subject.name, phrase, std::size_t(m_table->rowCount())));
    m_view->setObjectName(u"Browse Search Results"_s);
    m_view->setAccessibleName(u"Browse Search Results"_s);
    m_view->setModel(m_table);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->verticalHeader()->hide();
    m_view->installEventFilter(this);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, m_table, &SearchResultTable::sortByClick);
    connect(m_view, &QTableView::doubleClicked, this, &SearchResultList::openHighlighted);
    connect(m_opener, &SearchHitOpener::viewOpened, this, &SearchResultList::viewOpened);
    connect(this, &ProcedureWindow::finished, this,
            [this] { ColumnLayout::store(m_view->horizontalHeader(), settings(), LayoutSection, LayoutKey); });
    buildPopup();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(buildButtons());
}

QString SearchResultList::titleFor(const QString &subjectName, const QString &phrase, std::size_t hits)
{
    return u"Search result of "_s + SearchPhrase::withoutTrailingBlanks(subjectName) + u": "_s
           + SearchPhrase::withoutTrailingBlanks(phrase) + u" -- "_s + QString::number(hits) + u" found"_s;
}

QWidget *SearchResultList::buildButtons()
{
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    QPushButton *properties = namedButton(u"properties"_s, u"&Properties"_s);
    QPushButton *close = namedButton(u"close"_s, u"&Close"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    connect(properties, &QPushButton::clicked, this, &SearchResultList::openHighlighted);
    connect(close, &QPushButton::clicked, this, &SearchResultList::close);
    connect(help, &QPushButton::clicked, this, &SearchResultList::requestHelp);
    buttons->addWidget(properties);
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(help);
    return row;
}

void SearchResultList::buildPopup()
{
    m_popup = new QMenu(this);
    m_popup->addAction(u"&Properties"_s, this, &SearchResultList::openHighlighted);
    m_popup->addSeparator();
    m_popup->addAction(u"&Help"_s, this, &SearchResultList::requestHelp);
    m_popup->addSeparator();
    m_popup->addAction(u"&Close"_s, this, &SearchResultList::close);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup->popup(m_view->viewport()->mapToGlobal(at)); });
}

void SearchResultList::close()
{
    placedWindow()->close();
}

bool SearchResultList::aboutToShow()
{
    for (int column = 0; column < SearchResultTable::ColumnCount; ++column)
        m_view->setColumnWidth(column,
                               ColumnLayout::initialWidth(m_view, column, ColumnCharacters[std::size_t(column)]));
    ColumnLayout::restore(m_view->horizontalHeader(), settings(), LayoutSection, LayoutKey);
    BgrColor::setListBackground(m_view, BrowseColor::read(settings()));
    if (m_table->rowCount() > 0)
        m_view->selectRow(0);
    m_view->setFocus();
    return true;
}

bool SearchResultList::openHighlighted()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return false;
    const SearchResultRow &hit = m_table->row(current.row());
    m_opener->open(hit.FromFile, hit.CaseNr, this);
    m_view->setFocus();
    return true;
}

bool SearchResultList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            openHighlighted();
            return true;
        }
    }
    return ProcedureWindow::eventFilter(watched, event);
}

} // namespace vellum
