#pragma once
// What a bound entry takes while the user types. A text entry takes no more than its field
// stores, counted in the stored (UTF-8) bytes, so nothing typed is cut when the record is
// written. A time entry takes only what can still become a time of the day as "hh:mm": "25" or
// "9:7" are refused as they are typed; "9:" is taken and waits for its minutes.

#include <QValidator>

namespace vellum {

class TextBytesValidator final : public QValidator {
public:
    TextBytesValidator(int capacity, QObject *parent);
    State validate(QString &input, int &position) const override;

private:
    int m_capacity;
};

class TimeEntryValidator final : public QValidator {
public:
    explicit TimeEntryValidator(QObject *parent);
    State validate(QString &input, int &position) const override;
};

} // namespace vellum
