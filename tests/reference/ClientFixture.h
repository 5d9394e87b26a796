#pragma once
// A workstation on a folder of its own with the client, problem category and case files, for
// the client form and lists and the problem categories: records are written through the
// record layer and read back as the store holds them.

#include "framework/RecordStation.h"

#include "data/ClientRecord.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vellum::test {

class ClientFixture {
public:
    ClientFixture();
    ~ClientFixture();

    RecordStation &station() { return *m_station; }
    Workstation &workstation() { return m_station->station(); }
    ScriptedMessages &messages() { return m_station->messages(); }
    void setLevel(int level) { workstation().user().level = level; }

    ClientRecord addClient(const QString &shortName, const QString &fullName, const QString &phone = {});
    void addClient(const ClientRecord &client);
    void addProblem(const QString &text);
    void addCase(std::uint32_t number, const QString &client, const QString &problem);

    // The stored client of that short name; an empty short name when there is none.
    ClientRecord storedClient(const QString &shortName);
    int clientCount();
    // The category texts in key order.
    QStringList problems();
    // Case number -> client short name, and case number -> problem text, of every case.
    QMap<std::uint32_t, QString> caseClients();
    QMap<std::uint32_t, QString> caseProblems();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<RecordStation> m_station;
};

} // namespace vellum::test
