#include "CaseDesks.h"

#include "data/ArchiveRecord.h"
#include "data/LogRecord.h"

#include "support/SetUpStep.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

CaseRecord storedCase(const QString &owner, const QString &status, std::uint16_t marker)
{
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = CaseNr;
    record.Owner = owner;
    record.Status = status;
    record.UpdateFlag = marker;
    record.SDate = DateTime::dayNumber(QDate(2004, 5, 1));
    record.STime = DateTime::fromHoursMinutes(8, 0);
    record.FirstAction = record.SecAction = record.ThirdAction = CaseVocabulary::Open;
    record.Cdate = status == Closed ? DateTime::dayNumber(QDate(2004, 4, 30)) : DateTime::NoDate;
    record.History = Creation;
    return record;
}

QString padded(const QString &name)
{
    return name.leftJustified(20, u' ');
}

void CaseDesks::setUpDesks()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<SettingsFile>(m_dir->filePath(u"vellum12.ini"_s));
    m_messages = std::make_unique<ScriptedMessages>();
    m_setup = desk(u"Setup"_s, LevelAdministrator);
    QCOMPARE(RecordFileOf<ArchiveRecord>(m_setup->station->database(), m_setup->station->errors()).open(), 0);
    QCOMPARE(RecordFileOf<LogRecord>(m_setup->station->database(), m_setup->station->errors()).open(), 0);
}

void CaseDesks::tearDownDesks()
{
    QVERIFY2(m_messages->failures().isEmpty(), qPrintable(m_messages->unexpected()));
    m_setup.reset();
}

std::unique_ptr<Desk> CaseDesks::desk(const QString &name, int level, int doLog)
{
    auto made = std::make_unique<Desk>();
    made->station = std::make_unique<Workstation>(*m_settings, *m_messages, m_dialogs, m_clock,
                                                  [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    made->station->useDatabaseFolder(m_dir->path());
    made->station->run().configuration.DoLog = std::uint8_t(doLog);
    made->station->user().name = name;
    made->station->user().number = std::uint16_t(level + 1);
    made->station->user().level = level;
    made->cases = std::make_unique<RecordFileOf<CaseRecord>>(made->station->database(), made->station->errors());
    test::setUpStep(made->cases->open(), "open the case file");
    made->flow = std::make_unique<CaseWorkflow>(*made->station, *made->cases);
    made->queue = std::make_unique<CaseQueueSteps>(*made->station, *made->cases);
    return made;
}

void CaseDesks::store(const CaseRecord &record)
{
    QVERIFY(m_setup->station->database().insert(CaseRecord::table(), toRow(record)));
}

void CaseDesks::archive(std::uint32_t caseNr)
{
    ArchiveRecord record;
    record.CaseNr = caseNr;
    archive(record);
}

void CaseDesks::archive(const ArchiveRecord &record)
{
    QVERIFY(m_setup->station->database().insert(ArchiveRecord::table(), toRow(record)));
}

CaseRecord CaseDesks::read(std::uint32_t caseNr)
{
    RecordFileOf<CaseRecord> cases(m_setup->station->database(), m_setup->station->errors());
    test::setUpStep(cases.open(), "open the case file");
    cases.record().CaseNr = caseNr;
    return cases.fetch(CaseRecord::CaseNrKey) == 0 ? cases.record() : CaseRecord{};
}

ArchiveRecord CaseDesks::archived(std::uint32_t caseNr)
{
    RecordFileOf<ArchiveRecord> copies(m_setup->station->database(), m_setup->station->errors());
    copies.record().CaseNr = caseNr;
    return copies.open() == 0 && copies.fetch(ArchiveRecord::CaseNrKey) == 0 ? copies.record() : ArchiveRecord{};
}

QList<std::uint32_t> CaseDesks::caseNumbers()
{
    QList<std::uint32_t> found;
    RecordFileOf<CaseRecord> cases(m_setup->station->database(), m_setup->station->errors());
    test::setUpStep(cases.open(), "open the case file");
    cases.set(CaseRecord::CaseNrKey);
    while (cases.next() == 0)
        found.append(cases.record().CaseNr);
    return found;
}

QStringList CaseDesks::logActions()
{
    QStringList found;
    RecordFileOf<LogRecord> log(m_setup->station->database(), m_setup->station->errors());
    test::setUpStep(log.open(), "open the log");
    log.set(LogRecord::KeyNr);
    while (log.next() == 0)
        found.append(log.record().Action + u'/' + QString::number(log.record().CaseNr));
    return found;
}

} // namespace vellum::test
