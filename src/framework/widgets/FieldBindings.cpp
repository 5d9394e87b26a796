#include "FieldBindings.h"

#include "EntryValidators.h"
#include "framework/DateTime.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

namespace vellum {

namespace {

const QDate NoDateShown(1800, 12, 31); // the day before the first day a record holds

void limitToField(QLineEdit *entry, int capacity)
{
    entry->setMaxLength(capacity);
    entry->setValidator(new TextBytesValidator(capacity, entry));
}

// A long text (a remark) opens at its start, not scrolled to its end.
void showText(QLineEdit *entry, const QString &text)
{
    entry->setText(text);
    entry->setCursorPosition(0);
}

} // namespace

FieldBindings::FieldBindings(const store::TableDefinition &table) : m_table(table)
{
}

int FieldBindings::capacity(int field) const
{
    return m_table.fields[std::size_t(field)].textCapacity();
}

void FieldBindings::text(int field, QLineEdit *entry)
{
    limitToField(entry, capacity(field));
    custom(
        field, entry, [entry] { return store::Value(entry->text()); },
        [entry](const store::Value &value) { showText(entry, store::asText(value)); });
}

void FieldBindings::choice(int field, QComboBox *list)
{
    if (list->lineEdit() != nullptr)
        limitToField(list->lineEdit(), capacity(field));
    custom(
        field, list, [list] { return store::Value(list->currentText()); },
        [list](const store::Value &value) {
            const QString text = store::asText(value);
            const int index = list->findText(text.trimmed(), Qt::MatchFixedString);
            if (list->isEditable())
                list->setEditText(index >= 0 ? list->itemText(index) : text);
            else
                list->setCurrentIndex(index);
        });
}

void FieldBindings::check(int field, QCheckBox *box, store::Value on, store::Value off)
{
    custom(
        field, box, [box, on, off] { return box->isChecked() ? on : off; },
        [box, on](const store::Value &value) { box->setChecked(value == on); });
}

void FieldBindings::number(int field, QSpinBox *box)
{
    custom(
        field, box, [box] { return store::Value(std::int64_t(box->value())); },
        [box](const store::Value &value) { box->setValue(int(store::asInt(value))); });
}

void FieldBindings::date(int field, QDateEdit *entry)
{
    entry->setMinimumDate(NoDateShown);
    entry->setSpecialValueText(QStringLiteral(" "));
    custom(
        field, entry,
        [entry] {
            const QDate shown = entry->date();
            return store::Value(std::int64_t(shown == NoDateShown ? DateTime::NoDate : DateTime::dayNumber(shown)));
        },
        [entry](const store::Value &value) {
            const QDate date = DateTime::toDate(std::int32_t(store::asInt(value)));
            entry->setDate(date.isValid() ? date : NoDateShown);
        },
        [entry]() -> QString {
            if (entry->hasAcceptableInput())
                return QString();
            const QString format = entry->displayFormat();
            const QDate first = entry->minimumDate().addDays(1); // the minimum stands for no date
            return first.toString(format) + QStringLiteral(" and ") + entry->maximumDate().toString(format);
        });
}

void FieldBindings::time(int field, QLineEdit *entry)
{
    entry->setMaxLength(5);
    entry->setValidator(new TimeEntryValidator(entry));
    custom(
        field, entry, [entry] { return store::Value(std::int64_t(DateTime::parseHoursMinutes(entry->text()))); },
        [entry](const store::Value &value) {
            entry->setText(DateTime::formatHourMinute(std::int32_t(store::asInt(value))));
        },
        [entry] {
            const QString text = entry->text();
            const bool value = text.trimmed().isEmpty() || DateTime::parseHoursMinutes(text) != DateTime::NoTime;
            return value ? QString() : QStringLiteral("0:00 and 23:59");
        });
}

void FieldBindings::custom(int field, QWidget *control, Reader read, Writer write, Check check)
{
    m_bindings.push_back({field, control, std::move(read), std::move(write), std::move(check)});
}

QWidget *FieldBindings::firstUnacceptable(QString *range) const
{
    range->clear();
    for (const Binding &binding : m_bindings) {
        if (binding.check)
            *range = binding.check();
        if (!range->isEmpty())
            return binding.control;
    }
    return nullptr;
}

QString FieldBindings::unacceptable(const QWidget *control) const
{
    for (const Binding &binding : m_bindings)
        if (binding.control == control && binding.check)
            return binding.check();
    return {};
}

void FieldBindings::show(const store::Row &row) const
{
    for (const Binding &binding : m_bindings)
        if (std::size_t(binding.field) < row.size())
            binding.write(row[std::size_t(binding.field)]);
}

void FieldBindings::store(store::Row *row) const
{
    for (const Binding &binding : m_bindings)
        if (std::size_t(binding.field) < row->size())
            (*row)[std::size_t(binding.field)] = binding.read();
}

int FieldBindings::fieldOf(const QWidget *control) const
{
    const auto found = std::find_if(m_bindings.begin(), m_bindings.end(), [control](const Binding &binding) {
        return binding.control == control || (control != nullptr && binding.control->isAncestorOf(control));
    });
    return found == m_bindings.end() ? -1 : found->field;
}

void FieldBindings::showValue(int field, const store::Value &value) const
{
    for (const Binding &binding : m_bindings)
        if (binding.field == field)
            binding.write(value);
}

QWidget *FieldBindings::controlOf(int field) const
{
    const auto found = std::find_if(m_bindings.begin(), m_bindings.end(),
                                    [field](const Binding &binding) { return binding.field == field; });
    return found == m_bindings.end() ? nullptr : found->control;
}

QWidget *FieldBindings::firstControl() const
{
    return m_bindings.empty() ? nullptr : m_bindings.front().control;
}

std::vector<QWidget *> FieldBindings::controls() const
{
    std::vector<QWidget *> controls;
    for (const Binding &binding : m_bindings)
        controls.push_back(binding.control);
    return controls;
}

} // namespace vellum
