#include "ErrorReporter.h"

#include "store/StoreStatus.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr qsizetype WorkAreaLength = 2000;

QString withCode(const QString &text, int code)
{
    return u"%1 (%2)"_s.arg(text).arg(code);
}

} // namespace

ErrorReporter::ErrorReporter(Messages &messages, FatalHandler onFatal, std::span<const ErrorRow> table)
    : m_messages(messages), m_onFatal(std::move(onFatal)), m_table(table)
{
}

void ErrorReporter::setField(const QString &field)
{
    m_field = field;
}

void ErrorReporter::setFile(const QString &file)
{
    m_file = file;
}

void ErrorReporter::setMessage(const QString &message)
{
    m_message = message;
}

void ErrorReporter::setError(const store::StoreStatus &status)
{
    m_errorCode = status.errorCode;
    m_errorText = status.errorText;
    m_fileErrorCode = status.fileErrorCode;
    m_fileErrorText = status.fileErrorText;
}

void ErrorReporter::clear()
{
    m_field.clear();
    m_file.clear();
    m_message.clear();
    setError(store::StoreStatus::success());
}

void ErrorReporter::addProcedure(const QString &name)
{
    m_procedures.append(name);
}

void ErrorReporter::removeProcedure(const QString &name)
{
    // Windows may close in any order: drop the latest entry of that name.
    const qsizetype index = m_procedures.lastIndexOf(name);
    if (index >= 0)
        m_procedures.removeAt(index);
}

QString ErrorReporter::currentProcedure() const
{
    return m_procedures.isEmpty() ? QString() : m_procedures.last();
}

ErrorSeverity ErrorReporter::throwError(int id)
{
    m_lastErrorId = id;
    const Found row = find(id);
    switch (row.severity) {
    case ErrorSeverity::Silent:
        return ErrorSeverity::Silent;
    case ErrorSeverity::Question:
    case ErrorSeverity::Cancelled:
        return ask(row);
    case ErrorSeverity::Notify:
        return notify(row);
    case ErrorSeverity::ProgramError:
    case ErrorSeverity::Fatal:
        break;
    }
    return endApplication(row);
}

ErrorSeverity ErrorReporter::throwMessage(int id, const QString &message)
{
    setMessage(message);
    return throwError(id);
}

int ErrorReporter::message(int id, int buttons, int defaultButton)
{
    m_lastErrorId = id;
    return show(find(id), MessageIcon::Exclamation, buttons, defaultButton);
}

QString ErrorReporter::fillText(const QString &text) const
{
    // The order is part of the behaviour: %File goes first, so "%FileError" never survives it.
    const QString errorText =
        m_fileErrorCode != 0 ? withCode(m_fileErrorText, m_fileErrorCode) : withCode(m_errorText, m_errorCode);
    QString filled = text;
    filled.replace(u"%File"_s, m_file)
        .replace(u"%ErrorCode"_s, QString::number(m_errorCode))
        .replace(u"%ErrorText"_s, errorText)
        .replace(u"%Error"_s, m_errorText)
        .replace(u"%FileErrorCode"_s, QString::number(m_fileErrorCode))
        .replace(u"%FileError"_s, m_fileErrorText)
        .replace(u"%Message"_s, m_message)
        .replace(u"%Field"_s, m_field)
        .replace(u"%Procedure"_s, currentProcedure());
    filled.truncate(WorkAreaLength);
    return filled;
}

int ErrorReporter::lastErrorId() const
{
    return m_lastErrorId;
}

ErrorReporter::Found ErrorReporter::find(int id) const
{
    const ErrorRow *found = nullptr;
    QString previous;
    for (const std::span<const ErrorRow> rows : {m_table, ownErrorRows()}) {
        for (const ErrorRow &row : rows) {
            if (row.id != id)
                continue;
            if (found)
                previous = found->text;
            found = &row;
        }
    }
    if (!found) {
        return {ErrorSeverity::ProgramError, u"Unknown Error"_s, u"Error %1 is not in the error table."_s.arg(id)};
    }
    QString text = found->text;
    text.replace(u"%Previous"_s, previous);
    return {found->severity, found->title, fillText(text)};
}

ErrorSeverity ErrorReporter::ask(const Found &row)
{
    const int answer = show(row, MessageIcon::Exclamation, ButtonYes | ButtonNo, ButtonYes);
    return answer == ButtonYes ? ErrorSeverity::Silent : ErrorSeverity::Cancelled;
}

ErrorSeverity ErrorReporter::notify(const Found &row)
{
    show(row, MessageIcon::Information, ButtonOk, ButtonOk);
    return ErrorSeverity::Notify;
}

ErrorSeverity ErrorReporter::endApplication(const Found &row)
{
    Found ending = row;
    ending.text += u"  Press OK to end this application"_s;
    show(ending, MessageIcon::Information, ButtonOk, ButtonOk);
    if (m_onFatal)
        m_onFatal(m_lastErrorId);
    return ErrorSeverity::Fatal;
}

int ErrorReporter::show(const Found &row, MessageIcon icon, int buttons, int defaultButton)
{
    return m_messages.show({row.title, row.text, icon, buttons, defaultButton, {}});
}

} // namespace vellum
