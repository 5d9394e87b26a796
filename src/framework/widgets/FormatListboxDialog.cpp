#include "FormatListboxDialog.h"

#include "NamedButton.h"
#include "framework/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int Largest = 10000;
const QStringList Justifications{u"Left"_s, u"Centre"_s, u"Right"_s, u"Decimal"_s};

QSpinBox *spinBox(const QString &name, int lowest, int highest)
{
    auto *box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(lowest, highest);
    return box;
}

QCheckBox *checkBox(const QString &name, const QString &text)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(name);
    return box;
}

QComboBox *justifyBox(Justify justify)
{
    auto *box = new QComboBox;
    box->addItems(Justifications);
    box->setCurrentIndex(int(justify));
    return box;
}

} // namespace

FormatListboxDialog::FormatListboxDialog(const BrowseLayout &layout, BrowseLayout designed, Dialogs &dialogs,
                                         QWidget *parent)
    : QDialog(parent), m_designed(std::move(designed)), m_dialogs(dialogs), m_table(new QTableWidget(0, CellCount)),
      m_x(spinBox(u"x"_s, -Largest, Largest)), m_y(spinBox(u"y"_s, -Largest, Largest)),
      m_width(spinBox(u"width"_s, 0, Largest)), m_height(spinBox(u"height"_s, 0, Largest)),
      m_lineHeight(spinBox(u"lineHeight"_s, 0, 200)), m_font(new QFontComboBox), m_point(spinBox(u"point"_s, 0, 96)),
      m_bold(checkBox(u"bold"_s, u"Bold"_s)), m_italic(checkBox(u"italic"_s, u"Italic"_s)),
      m_hscroll(checkBox(u"hscroll"_s, u"Horizontal Scroll Bar"_s)),
      m_vscroll(checkBox(u"vscroll"_s, u"Vertical Scroll Bar"_s))
{
    setWindowTitle(u"Format Listbox"_s);
    m_table->setObjectName(u"columns"_s);
    m_table->setHorizontalHeaderLabels({u"Header"_s, u"Header Offset"_s, u"Data Offset"_s, u"Header Justification"_s,
                                        u"Data Justification"_s, u"Width"_s, u"Shown"_s, u"Fixed"_s});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_font->setObjectName(u"font"_s);

    QPushButton *left = namedButton(u"moveLeft"_s, u"Move &Left"_s);
    QPushButton *right = namedButton(u"moveRight"_s, u"Move &Right"_s);
    connect(left, &QPushButton::clicked, this, [this] { moveColumn(-1); });
    connect(right, &QPushButton::clicked, this, [this] { moveColumn(1); });
    auto *moves = new QHBoxLayout;
    moves->addWidget(left);
    moves->addWidget(right);
    moves->addStretch();

    QPushButton *standard = namedButton(u"default"_s, u"&Default"_s);
    QPushButton *ok = namedButton(u"ok"_s, u"&OK"_s);
    QPushButton *cancel = namedButton(u"cancel"_s, u"Cancel"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    ok->setDefault(true);
    connect(standard, &QPushButton::clicked, this, &FormatListboxDialog::restoreDefault);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &FormatListboxDialog::helpRequested);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(standard);
    buttons->addStretch();
    for (QPushButton *button : {ok, cancel, help})
        buttons->addWidget(button);

    auto *lower = new QHBoxLayout;
    lower->addWidget(listBox());
    lower->addWidget(colorBox());
    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(m_table, 1);
    layoutBox->addLayout(moves);
    layoutBox->addLayout(lower);
    layoutBox->addLayout(buttons);
    fill(layout);
}

QWidget *FormatListboxDialog::listBox()
{
    auto *box = new QGroupBox(u"List"_s);
    auto *form = new QFormLayout(box);
    auto *position = new QHBoxLayout;
    position->addWidget(m_x);
    position->addWidget(m_y);
    auto *size = new QHBoxLayout;
    size->addWidget(m_width);
    size->addWidget(m_height);
    auto *font = new QHBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{m_font, m_point, m_bold, m_italic})
        font->addWidget(widget);
    form->addRow(u"Position"_s, position);
    form->addRow(u"Size"_s, size);
    form->addRow(u"Line Height"_s, m_lineHeight);
    form->addRow(u"Font"_s, font);
    form->addRow(m_hscroll);
    form->addRow(m_vscroll);
    return box;
}

QWidget *FormatListboxDialog::colorBox()
{
    auto *box = new QGroupBox(u"Column Colors"_s);
    auto *column = new QVBoxLayout(box);
    const QString texts[] = {u"Background"_s, u"Text"_s, u"Selected Background"_s, u"Selected Text"_s};
    for (int which = 0; which < 4; ++which) {
        QPushButton *button = namedButton(u"color%1"_s.arg(which), texts[which] + u"..."_s);
        connect(button, &QPushButton::clicked, this, [this, which] { chooseColor(which); });
        column->addWidget(button);
    }
    return box;
}

void FormatListboxDialog::fill(const BrowseLayout &layout)
{
    m_list = layout;
    m_styles = layout.columns;
    m_table->setRowCount(int(m_styles.size()));
    for (int row = 0; row < int(m_styles.size()); ++row)
        fillRow(row, m_styles[std::size_t(row)]);
    m_table->selectRow(0);
    m_x->setValue(layout.x);
    m_y->setValue(layout.y);
    m_width->setValue(layout.width);
    m_height->setValue(layout.height);
    m_lineHeight->setValue(layout.lineHeight);
    if (!layout.font.isEmpty())
        m_font->setCurrentFont(QFont(layout.font));
    m_point->setValue(layout.point);
    m_bold->setChecked(layout.fontStyle & BrowseLayout::FontBold);
    m_italic->setChecked(layout.fontStyle & BrowseLayout::FontItalic);
    m_hscroll->setChecked(layout.horizontalScroll);
    m_vscroll->setChecked(layout.verticalScroll);
}

void FormatListboxDialog::fillRow(int row, const ColumnStyle &style)
{
    m_table->setItem(row, HeaderCell, new QTableWidgetItem(style.header));
    const auto number = [&](Cell cell, int value, int highest) {
        QSpinBox *box = spinBox({}, 0, highest);
        box->setValue(value);
        m_table->setCellWidget(row, cell, box);
    };
    number(HeaderOffsetCell, style.headerOffset, 500);
    number(DataOffsetCell, style.dataOffset, 500);
    number(WidthCell, style.width, Largest);
    m_table->setCellWidget(row, HeaderJustifyCell, justifyBox(style.headerJustify));
    m_table->setCellWidget(row, DataJustifyCell, justifyBox(style.dataJustify));
    const auto flag = [&](Cell cell, bool on) {
        auto *item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, cell, item);
    };
    flag(ShownCell, !style.hidden);
    flag(FixedCell, style.fixed);
}

ColumnStyle FormatListboxDialog::rowStyle(int row) const
{
    ColumnStyle style = m_styles[std::size_t(row)];
    style.header = m_table->item(row, HeaderCell)->text();
    const auto number = [&](Cell cell) { return qobject_cast<QSpinBox *>(m_table->cellWidget(row, cell))->value(); };
    const auto justify = [&](Cell cell) {
        return Justify(qobject_cast<QComboBox *>(m_table->cellWidget(row, cell))->currentIndex());
    };
    style.headerOffset = number(HeaderOffsetCell);
    style.dataOffset = number(DataOffsetCell);
    style.width = number(WidthCell);
    style.headerJustify = justify(HeaderJustifyCell);
    style.dataJustify = justify(DataJustifyCell);
    style.hidden = m_table->item(row, ShownCell)->checkState() != Qt::Checked;
    style.fixed = m_table->item(row, FixedCell)->checkState() == Qt::Checked;
    return style;
}

BrowseLayout FormatListboxDialog::result() const
{
    BrowseLayout layout = m_list;
    layout.columns.clear();
    for (int row = 0; row < m_table->rowCount(); ++row)
        layout.columns.push_back(rowStyle(row));
    layout.x = m_x->value();
    layout.y = m_y->value();
    layout.width = m_width->value();
    layout.height = m_height->value();
    layout.lineHeight = m_lineHeight->value();
    layout.font = m_font->currentFont().family();
    layout.point = m_point->value();
    layout.fontStyle = (m_bold->isChecked() ? BrowseLayout::FontBold : 0)
                       | (m_italic->isChecked() ? BrowseLayout::FontItalic : 0)
                       | (m_list.fontStyle & BrowseLayout::FontUnderline);
    layout.horizontalScroll = m_hscroll->isChecked();
    layout.verticalScroll = m_vscroll->isChecked();
    return layout;
}

// The table's rows are the columns in the order shown: moving a row moves the column.
void FormatListboxDialog::moveColumn(int step)
{
    const int row = m_table->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_table->rowCount())
        return;
    BrowseLayout layout = result();
    std::swap(layout.columns[std::size_t(row)], layout.columns[std::size_t(target)]);
    fill(layout);
    m_table->selectRow(target);
}

void FormatListboxDialog::restoreDefault()
{
    BrowseLayout layout = m_designed;
    fill(layout);
}

void FormatListboxDialog::chooseColor(int which)
{
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    BrowseLayout layout = result();
    ColumnStyle &style = layout.columns[std::size_t(row)];
    int *colors[] = {&style.background, &style.text, &style.selectedBackground, &style.selectedText};
    bool chosen = false;
    const int color = m_dialogs.chooseColor(u"Column Colors"_s, std::max(0, *colors[which]), &chosen);
    if (!chosen)
        return;
    *colors[which] = color;
    fill(layout);
    m_table->selectRow(row);
}

} // namespace vellum
