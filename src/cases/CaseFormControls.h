#pragma once
// The controls of the case form "ChangeCases" with their captions and tips, laid out on the form
// and bound to the case record where the user types the value. What the lifecycle steps decide
// (status, deadlines, "Done" boxes, history) is shown by the form from the record instead.

#include "CaseEvent.h"

#include <array>
#include <cstddef>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vellum {

class FormWindow;

// One escalation level's row: its deadline and its "Done" box.
struct EscalationRow {
    QWidget *row = nullptr;
    QLineEdit *date = nullptr;
    QLineEdit *time = nullptr;
    QCheckBox *done = nullptr;
};

// A note, call or mail: its button and its "&Action" item.
struct NoteControl {
    CaseEvent event = CaseEvent::ReviewNote;
    QPushButton *button = nullptr;
    QAction *item = nullptr;
};

struct CaseFormControls {
    static constexpr std::size_t NoteKinds = 5;

    QLineEdit *caseNr = nullptr;
    QLineEdit *client = nullptr;
    QPushButton *viewDetails = nullptr;
    QLineEdit *clientName = nullptr;
    QLineEdit *phone = nullptr;
    QLineEdit *product = nullptr;
    QLineEdit *productId = nullptr;
    QComboBox *problem = nullptr;
    QWidget *priorityRow = nullptr;
    QComboBox *priority = nullptr;
    QLabel *prioritySource = nullptr;
    QDateEdit *startDate = nullptr;
    QPushButton *pickDate = nullptr;
    QLineEdit *startTime = nullptr;
    std::array<EscalationRow, 3> escalation;
    QWidget *statusRow = nullptr;
    QComboBox *status = nullptr;
    QPlainTextEdit *history = nullptr;

    // "&Notes", "&Email Out", "E&mail In ", "Phone &Out", "Phone &In".
    std::array<NoteControl, NoteKinds> notes;
    QPushButton *yank = nullptr;
    QAction *yankItem = nullptr;
    QPushButton *print = nullptr;
    QAction *printItem = nullptr;

    QMenuBar *menu = nullptr;
    QAction *textColor = nullptr;
    QAction *background = nullptr;
    QAction *helpItem = nullptr;
    QAction *cancelItem = nullptr;
    QAction *okItem = nullptr;

    // Lays the controls out on the form, the bound ones bound to their fields.
    void addTo(FormWindow &form);

private:
    void addClientRows(FormWindow &form);
    void addCaseRows(FormWindow &form);
    void addEscalationRows(FormWindow &form);
    void addButtons(FormWindow &form);
    void addMenu(FormWindow &form);
};

} // namespace vellum
