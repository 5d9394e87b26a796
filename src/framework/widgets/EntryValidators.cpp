#include "EntryValidators.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int LastHour = 23;
constexpr int LastMinute = 59;

} // namespace

TextBytesValidator::TextBytesValidator(int capacity, QObject *parent) : QValidator(parent), m_capacity(capacity)
{
}

QValidator::State TextBytesValidator::validate(QString &input, int &) const
{
    return input.toUtf8().size() <= m_capacity ? Acceptable : Invalid;
}

TimeEntryValidator::TimeEntryValidator(QObject *parent) : QValidator(parent)
{
}

QValidator::State TimeEntryValidator::validate(QString &input, int &) const
{
    static const QRegularExpression typed(u"^ ?(\\d{0,2})(:(\\d{0,2}))?$"_s);
    const QRegularExpressionMatch match = typed.match(input);
    if (!match.hasMatch())
        return Invalid;
    const QString hours = match.captured(1);
    const QString minutes = match.captured(3);
    // A first minute digit past 5 can only end past 59.
    const int mostMinutes = minutes.size() == 1 ? LastMinute / 10 : LastMinute;
    if ((hours.size() == 2 && hours.toInt() > LastHour) || (!minutes.isEmpty() && minutes.toInt() > mostMinutes))
        return Invalid;
    if (input.trimmed().isEmpty() || (!hours.isEmpty() && minutes.size() == 2))
        return Acceptable;
    return Intermediate;
}

} // namespace vellum
