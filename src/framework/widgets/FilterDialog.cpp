#include "FilterDialog.h"

#include "NamedButton.h"
#include "framework/BrowseFilter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

FilterDialog::FilterDialog(const std::vector<std::pair<int, QString>> &columns, int column, Search search,
                           QWidget *parent)
    : QDialog(parent), m_columns(columns), m_search(std::move(search)), m_column(new QComboBox),
      m_operator(new QComboBox), m_value(new QLineEdit)
{
    setWindowTitle(u"Filter"_s);
    m_column->setObjectName(u"column"_s);
    m_operator->setObjectName(u"operator"_s);
    m_value->setObjectName(u"value"_s);
    for (const auto &[index, header] : m_columns) {
        m_column->addItem(header);
        if (index == column)
            m_column->setCurrentIndex(m_column->count() - 1);
    }
    m_operator->addItems(BrowseFilter::operatorNames());
    auto *form = new QFormLayout;
    form->addRow(u"Column"_s, m_column);
    form->addRow(u"Operator"_s, m_operator);
    form->addRow(u"Value"_s, m_value);
    QPushButton *searchButton = namedButton(u"search"_s, u"Search"_s);
    QPushButton *cancel = namedButton(u"cancel"_s, u"Cancel"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    searchButton->setDefault(true);
    connect(searchButton, &QPushButton::clicked, this, &FilterDialog::search);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &FilterDialog::helpRequested);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {searchButton, cancel, help})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void FilterDialog::search()
{
    const int row = m_column->currentIndex();
    if (row < 0 || row >= int(m_columns.size()))
        return;
    const std::optional<store::CompareOp> op = BrowseFilter::operatorNamed(m_operator->currentText());
    if (op && m_search(m_columns[std::size_t(row)].first, int(*op), m_value->text()))
        accept();
}

} // namespace vellum
