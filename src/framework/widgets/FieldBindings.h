#pragma once
// Ties a form's controls to the fields of its record: each binding reads a field's value into
// its control and writes the control's value back, so a form only says which control shows
// which field. Text entries take no more than their field stores (in stored bytes) and show a
// text from its start; time and date entries take only valid values, and say what an entry
// left half typed must lie between.

#include "store/TableDefinition.h"
#include "store/Value.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace vellum {

class FieldBindings {
public:
    using Reader = std::function<store::Value()>;
    using Writer = std::function<void(const store::Value &)>;
    // What the control's text must lie between, for its message; empty while it is acceptable.
    using Check = std::function<QString()>;

    explicit FieldBindings(const store::TableDefinition &table);

    void text(int field, QLineEdit *entry);
    // The chosen entry's text; an editable list takes what is typed.
    void choice(int field, QComboBox *list);
    void check(int field, QCheckBox *box, store::Value on = std::int64_t(1), store::Value off = std::int64_t(0));
    void number(int field, QSpinBox *box);
    // A day number; the entry's lowest date shows as blank and stands for no date.
    void date(int field, QDateEdit *entry);
    // A time value typed as "hh:mm"; an empty entry is no time.
    void time(int field, QLineEdit *entry);
    void custom(int field, QWidget *control, Reader read, Writer write, Check check = {});

    void show(const store::Row &row) const; // the record into the controls
    void store(store::Row *row) const;      // the controls into the record

    // The field a control (or the entry inside an editable list) shows; -1 when none.
    int fieldOf(const QWidget *control) const;
    // Puts a value back into the control that shows the field.
    void showValue(int field, const store::Value &value) const;
    // The control that shows the field; nullptr when none does.
    QWidget *controlOf(int field) const;
    QWidget *firstControl() const;
    std::vector<QWidget *> controls() const;
    // The first control whose text is no value of its field yet, and what it must lie between.
    QWidget *firstUnacceptable(QString *range) const;
    // What a bound control must lie between while its text is no value; empty when it is one.
    QString unacceptable(const QWidget *control) const;

private:
    struct Binding {
        int field;
        QWidget *control;
        Reader read;
        Writer write;
        Check check;
    };

    int capacity(int field) const;

    const store::TableDefinition &m_table;
    std::vector<Binding> m_bindings;
};

} // namespace vellum
