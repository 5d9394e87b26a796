#include "ClientFixture.h"

#include "data/CaseRecord.h"
#include "data/ProblemRecord.h"
#include "framework/RecordFile.h"
#include "support/SetUpStep.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

template<class R>
void insert(Workstation &workstation, const R &record)
{
    RecordFileOf<R> file(workstation.database(), workstation.errors(), true);
    test::setUpStep(file.open(), "open the file");
    file.record() = record;
    if (file.insert() != 0)
        QTest::qFail("the record could not be added", __FILE__, __LINE__);
}

QMap<std::uint32_t, QString> caseField(Workstation &workstation, QString CaseRecord::*field)
{
    RecordFileOf<CaseRecord> cases(workstation.database(), workstation.errors(), true);
    test::setUpStep(cases.open(), "open the case file");
    cases.set(CaseRecord::CaseNrKey);
    QMap<std::uint32_t, QString> values;
    while (cases.next() == 0)
        values.insert(cases.record().CaseNr, cases.record().*field);
    return values;
}

} // namespace

ClientFixture::ClientFixture() : m_station(std::make_unique<RecordStation>(m_dir.path(), u"station"_s))
{
    RecordFileOf<ClientRecord> clients(workstation().database(), workstation().errors(), true);
    RecordFileOf<ProblemRecord> problems(workstation().database(), workstation().errors(), true);
    RecordFileOf<CaseRecord> cases(workstation().database(), workstation().errors(), true);
    if (clients.open() != 0 || problems.open() != 0 || cases.open() != 0)
        QTest::qFail("the client, problem and case files could not be created", __FILE__, __LINE__);
}

ClientFixture::~ClientFixture() = default;

ClientRecord ClientFixture::addClient(const QString &shortName, const QString &fullName, const QString &phone)
{
    ClientRecord client;
    client.SName = shortName;
    client.LName = fullName;
    client.Phone = phone;
    addClient(client);
    return client;
}

void ClientFixture::addClient(const ClientRecord &client)
{
    insert(workstation(), client);
}

void ClientFixture::addProblem(const QString &text)
{
    insert(workstation(), ProblemRecord{text});
}

void ClientFixture::addCase(std::uint32_t number, const QString &client, const QString &problem)
{
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = number;
    record.SName = client;
    record.SProblem = problem;
    insert(workstation(), record);
}

ClientRecord ClientFixture::storedClient(const QString &shortName)
{
    store::StoredRow row;
    if (!workstation().database().fetch(ClientRecord::table(), ClientRecord::SNameKey, {shortName}, &row).ok())
        return {};
    return fromRow<ClientRecord>(row.values);
}

int ClientFixture::clientCount()
{
    std::int64_t count = 0;
    test::setUpStep(workstation().database().count(ClientRecord::table(), &count), "count the clients");
    return int(count);
}

QStringList ClientFixture::problems()
{
    RecordFileOf<ProblemRecord> file(workstation().database(), workstation().errors(), true);
    test::setUpStep(file.open(), "open the problem file");
    file.set(ProblemRecord::KeyProblem);
    QStringList texts;
    while (file.next() == 0)
        texts << file.record().PROBLEM;
    return texts;
}

QMap<std::uint32_t, QString> ClientFixture::caseClients()
{
    return caseField(workstation(), &CaseRecord::SName);
}

QMap<std::uint32_t, QString> ClientFixture::caseProblems()
{
    return caseField(workstation(), &CaseRecord::SProblem);
}

} // namespace vellum::test
