#pragma once
// Shows the rows of the error table: fills their placeholders from the error context that the
// raising code set, and acts on the row's severity (ask, notify, or end the application).

#include "ErrorSeverity.h"
#include "ErrorTable.h"
#include "Messages.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <span>

namespace vellum {

namespace store {
struct StoreStatus;
}

class ErrorReporter {
public:
    // Called with the error id after the user confirmed a fatal message; the application ends
    // itself there, tests only record the call.
    using FatalHandler = std::function<void(int errorId)>;

    ErrorReporter(Messages &messages, FatalHandler onFatal, std::span<const ErrorRow> table = errorTable());

    void setField(const QString &field);
    void setFile(const QString &file);
    void setMessage(const QString &message);
    void setError(const store::StoreStatus &status);
    void clear(); // the context only; the procedure names stay

    // Every window adds its name when it opens and removes it when it closes.
    void addProcedure(const QString &name);
    void removeProcedure(const QString &name);
    QString currentProcedure() const;

    ErrorSeverity throwError(int id);
    ErrorSeverity throwMessage(int id, const QString &message);

    // Asks a row as an explicit question with chosen buttons; returns the button pressed.
    int message(int id, int buttons, int defaultButton);

    QString fillText(const QString &text) const;
    int lastErrorId() const;

private:
    struct Found {
        ErrorSeverity severity;
        QString title;
        QString text;
    };

    Found find(int id) const;
    ErrorSeverity ask(const Found &row);
    ErrorSeverity notify(const Found &row);
    ErrorSeverity endApplication(const Found &row);
    int show(const Found &row, MessageIcon icon, int buttons, int defaultButton);

    Messages &m_messages;
    FatalHandler m_onFatal;
    std::span<const ErrorRow> m_table;
    QString m_field;
    QString m_file;
    QString m_message;
    int m_errorCode = 0;
    QString m_errorText;
    int m_fileErrorCode = 0;
    QString m_fileErrorText;
    QStringList m_procedures;
    int m_lastErrorId = 0;
};

} // namespace vellum
