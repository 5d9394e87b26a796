#pragma once
// The date picker window: the month's title, the "Month" and "Year" fields and the 37 day cells
// under the weekday headings. Keys, clicks and typed fields go to CalendarMonth, which decides
// what is shown. A click on a day picks it; Esc, a right click or closing the window cancels.

#include "CalendarMonth.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QGridLayout;
class QLineEdit;
class QToolButton;

namespace vellum {

class Workstation;

class DatePicker final : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;

    // 0 as the start day opens at today's month.
    DatePicker(Workstation &workstation, std::int32_t startDay, QWidget *parent = nullptr);

    // Runs the window and returns the picked day number, or the start date (today when it was 0)
    // when the user cancelled.
    static std::int32_t pickDate(Workstation &workstation, QWidget *parent, std::int32_t startDay);

    std::int32_t chosenDay() const;
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLayout *fieldRow();
    QWidget *dayGrid();
    QLineEdit *numberField(const QString &name, int highest);
    void addHeadings(QGridLayout *grid);
    void addCells(QGridLayout *grid);

    void cellClicked(int cell);
    void monthEntered();
    void yearEntered();
    void refresh();

    Workstation &m_workstation;
    CalendarMonth m_calendar;
    std::int32_t m_picked = DateTime::NoDate;
    QLineEdit *m_monthField = nullptr;
    QLineEdit *m_yearField = nullptr;
    std::array<QToolButton *, CalendarMonth::Cells> m_cells{};
};

} // namespace vellum
