#include "DatePicker.h"

#include "data/Workstation.h"
#include "framework/DateTime.h"
#include "framework/widgets/WindowPlacer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr bool Resizable = false;
constexpr int DaysPerRow = 7;
constexpr int CellWidth = 34;
constexpr int CellHeight = 26;
// One step past either end, so that a typed month can wrap into the neighbouring year.
constexpr int HighestTypedMonth = 13;
constexpr int HighestTypedYear = 9999;

// True once per change: a field counts as entered when it is confirmed or left after typing.
bool takeEntered(QLineEdit *field)
{
    if (!field->isModified())
        return false;
    field->setModified(false);
    return true;
}

} // namespace

const QString DatePicker::ProcedureName = u"PickDate"_s;

DatePicker::DatePicker(Workstation &workstation, std::int32_t startDay, QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_calendar(workstation.messages(), workstation.clock(), startDay)
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fieldRow());
    QWidget *days = dayGrid();
    layout->addWidget(days);
    days->setFocus();
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
    WindowPlacer::restore(this, m_workstation.settings(), ProcedureName, Resizable);
}

std::int32_t DatePicker::pickDate(Workstation &workstation, QWidget *parent, std::int32_t startDay)
{
    DatePicker picker(workstation, startDay, parent);
    picker.exec();
    return picker.chosenDay();
}

std::int32_t DatePicker::chosenDay() const
{
    return m_picked != DateTime::NoDate ? m_picked : m_calendar.startDay();
}

void DatePicker::done(int result)
{
    WindowPlacer::store(this, m_workstation.settings(), ProcedureName, Resizable);
    QDialog::done(result);
}

// The keys reach the window from the day grid and, but for Left and Right, from the fields.
void DatePicker::keyPressEvent(QKeyEvent *event)
{
    if (m_calendar.pressKey(event->key())) {
        refresh();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The day cells leave right clicks to the window.
void DatePicker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        reject();
        return;
    }
    QDialog::mousePressEvent(event);
}

QLayout *DatePicker::fieldRow()
{
    m_monthField = numberField(u"month"_s, HighestTypedMonth);
    m_yearField = numberField(u"year"_s, HighestTypedYear);
    connect(m_monthField, &QLineEdit::editingFinished, this, &DatePicker::monthEntered);
    connect(m_yearField, &QLineEdit::editingFinished, this, &DatePicker::yearEntered);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(u"Month"_s));
    row->addWidget(m_monthField);
    row->addStretch();
    row->addWidget(new QLabel(u"Year"_s));
    row->addWidget(m_yearField);
    return row;
}

QLineEdit *DatePicker::numberField(const QString &name, int highest)
{
    auto *field = new QLineEdit;
    field->setObjectName(name);
    field->setValidator(new QIntValidator(0, highest, field));
    field->setMaxLength(int(QString::number(highest).size()));
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(u"00000"_s) + CellWidth / 2);
    return field;
}

// The grid takes the focus, so that the arrow keys move the month as soon as the window opens.
QWidget *DatePicker::dayGrid()
{
    auto *box = new QWidget;
    box->setObjectName(u"days"_s);
    box->setFocusPolicy(Qt::StrongFocus);
    auto *grid = new QGridLayout(box);
    grid->setSpacing(1);
    addHeadings(grid);
    addCells(grid);
    return box;
}

void DatePicker::addHeadings(QGridLayout *grid)
{
    const QStringList headings = CalendarMonth::columnHeadings();
    for (int column = 0; column < headings.size(); ++column) {
        auto *heading = new QLabel(headings[column]);
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, column);
    }
}

void DatePicker::addCells(QGridLayout *grid)
{
    for (int cell = 0; cell < CalendarMonth::Cells; ++cell) {
        auto *button = new QToolButton;
        button->setObjectName(u"cell%1"_s.arg(cell));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(CellWidth, CellHeight);
        connect(button, &QToolButton::clicked, this, [this, cell] { cellClicked(cell); });
        grid->addWidget(button, 1 + cell / DaysPerRow, cell % DaysPerRow);
        m_cells[std::size_t(cell)] = button;
    }
}

void DatePicker::cellClicked(int cell)
{
    const std::int32_t day = m_calendar.dateOfCell(cell);
    if (day == DateTime::NoDate)
        return;
    m_picked = day;
    accept();
}

void DatePicker::monthEntered()
{
    if (!takeEntered(m_monthField))
        return;
    m_calendar.setMonth(m_monthField->text().toInt());
    refresh();
}

void DatePicker::yearEntered()
{
    if (!takeEntered(m_yearField))
        return;
    m_calendar.setYear(m_yearField->text().toInt());
    refresh();
}

// The start date stands out in bold when its month is shown.
void DatePicker::refresh()
{
    setWindowTitle(m_calendar.title());
    m_monthField->setText(QString::number(m_calendar.month()));
    m_yearField->setText(QString::number(m_calendar.year()));
    for (int cell = 0; cell < CalendarMonth::Cells; ++cell) {
        QToolButton *button = m_cells[std::size_t(cell)];
        const int day = m_calendar.dayInCell(cell);
        button->setText(day == 0 ? QString() : QString::number(day));
        QFont font = button->font();
        font.setBold(day != 0 && m_calendar.dateOfCell(cell) == m_calendar.startDay());
        button->setFont(font);
    }
}

} // namespace vellum
