#include "CaseListDesk.h"

#include "data/CaseVocabulary.h"
#include "framework/RecordFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

CaseListDesk::CaseListDesk() : m_settings(std::make_unique<SettingsFile>(m_dir.filePath(u"vellum12.ini"_s)))
{
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    m_station->useDatabaseFolder(m_dir.path());
    RecordFileOf<CaseRecord> cases(m_station->database(), m_station->errors());
    QCOMPARE(cases.open(), 0);
    logOn(u"Marta"_s, LevelUser);
}

void CaseListDesk::logOn(const QString &name, int level)
{
    m_station->user().name = name;
    m_station->user().level = level;
    m_station->run().loggedOut = false;
}

CaseRecord CaseListDesk::openCase(std::uint32_t caseNr, const QString &owner, std::int32_t day, std::int32_t time)
{
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = caseNr;
    record.Owner = owner;
    record.SName = u"C%1"_s.arg(caseNr);
    record.SProblem = u"Problem of case %1"_s.arg(caseNr);
    record.Status = CaseVocabulary::Active;
    record.FirstAction = CaseVocabulary::Open;
    record.SecAction = record.ThirdAction = CaseVocabulary::NotInUse;
    record.FirstEscDate = day;
    record.FirstEscTime = time;
    record.History = u"Case CREATED"_s;
    return record;
}

void CaseListDesk::store(const CaseRecord &record)
{
    QVERIFY(m_station->database().insert(CaseRecord::table(), toRow(record)));
}

} // namespace vellum::test
