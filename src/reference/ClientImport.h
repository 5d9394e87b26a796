#pragma once
// Loads clients from an address-book export: the file is read as it is, under its own name, its
// first line (the header) skipped. Each line adds a client or, when a client of that full name
// and e-mail address exists, updates that client's contact data; a name already taken by a
// client with another e-mail address gets the import's next duplicate number. Lines that cannot
// be used go to the error log beside the file, and the import goes on.

#include "ClientImportLine.h"
#include "ImportErrorLog.h"
#include "data/ClientRecord.h"
#include "framework/RecordFile.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

namespace vellum {

class Clock;
class Messages;

class ClientImport {
public:
    static const QString NotFoundMessage;
    static const QString AllImported;
    static const QString NothingImported;
    static QString withErrors(int rejected);

    // Told the number of the line being read, and how many lines the file has.
    using Progress = std::function<void(int line, int lines)>;

    ClientImport(store::Database &database, ErrorReporter &errors, const Clock &clock, Messages &messages);

    // False, and the user told, when the file or the client file cannot be read: nothing imported.
    bool run(const QString &path, const Progress &progress = {});
    // The status text of the import's outcome.
    QString outcome() const;
    int added() const { return m_added; }
    int updated() const { return m_updated; }
    int rejected() const { return m_rejected; }

private:
    enum class Rejection { None, DoubleKey, NoCsvRecord };
    enum class Match { None, SameEmail, OtherEmail, ReadFailed };

    struct Batch {
        int added = 0;
        int updated = 0;
        bool open = false;
    };

    void beginBatch();
    void commitBatch();
    void importLine(QStringView text);
    // Reads the client of that full name into the buffer.
    Match match(const QString &fullName, const QString &email);
    // Adds or updates; false when the client could not be stored.
    bool store(const ClientImportLine &line);
    bool insert(const ClientImportLine &line, const QString &fullName);
    bool update(const ClientImportLine &line);
    QString uniqueShortName(const QString &fullName);
    bool shortNameTaken(const QString &shortName);
    void reject(Rejection why, const ClientImportLine *line);

    RecordFileOf<ClientRecord> m_clients;
    RecordFileOf<ClientRecord> m_probe; // short-name look-ups, apart from the client being stored
    const Clock &m_clock;
    Messages &m_messages;
    std::unique_ptr<ImportErrorLog> m_log;
    int m_duplicates = 0;
    int m_added = 0;
    int m_updated = 0;
    int m_rejected = 0;
    Rejection m_lastRejection = Rejection::None;
    Batch m_batch;
    QHash<QString, int> m_nextNumber; // first six characters, folded -> the number to try first
};

} // namespace vellum
