#include "FrameFixture.h"

#include "data/PasswordHash.h"
#include "support/AllRecords.h"

#include "data/UserRecord.h"
#include "framework/RecordFile.h"
#include "shell/StarterDatabase.h"
#include "shell/UserDetails.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

const std::int32_t FrameFixture::Today = DateTime::dayNumber(QDate(2004, 5, 3));
const std::int32_t FrameFixture::Now = DateTime::timeValue(QTime(9, 6, 5));

FrameFixture::FrameFixture()
{
    PasswordHash::useMinimumLimits();
    m_settings = std::make_unique<SettingsFile>(m_dir.filePath(u"vellum12.ini"_s));
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    const QString folder = m_dir.filePath(u"DataBase"_s);
    QCOMPARE(StarterDatabase(m_clock).create(folder, m_station->errors()), 0);
    m_station->useDatabaseFolder(folder);
    m_station->run().programFolder = m_dir.path();
    configure([](SystemRecord &) {});
}

FrameFixture::~FrameFixture() = default;

void FrameFixture::configure(const std::function<void(SystemRecord &)> &change)
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    QCOMPARE(system.open(), 0);
    system.record().ID = 1;
    QCOMPARE(system.fetch(SystemRecord::KeyID), 0);
    change(system.record());
    QCOMPARE(system.update(), 0);
    m_station->run().configuration = system.record();
}

QList<LogRecord> FrameFixture::logEntries()
{
    return test::allRecords<LogRecord>(m_station->database(), m_station->errors(), LogRecord::KeyNr);
}

QStringList FrameFixture::logActions()
{
    QStringList actions;
    for (const LogRecord &entry : logEntries())
        actions.append(entry.Name + u' ' + entry.Action);
    return actions;
}

bool FrameFixture::logOnFromUserFile(Workstation &workstation, const QString &name)
{
    RecordFileOf<UserRecord> users(workstation.database(), workstation.errors(), false);
    users.record().Name = name;
    if (name.isEmpty() || users.open() != 0 || users.fetch(UserRecord::KeyName) != 0)
        return false;
    UserDetails::takeOver(users.record(), workstation.user());
    return true;
}

MainFrame::LogonStep FrameFixture::logonStep()
{
    return [this](Workstation &workstation, QWidget *) {
        ++m_logonsAsked;
        return !m_logons.isEmpty() && logOnFromUserFile(workstation, m_logons.takeFirst());
    };
}

std::unique_ptr<MainFrame> FrameFixture::openFrame(const QString &user)
{
    auto frame = std::make_unique<MainFrame>(*m_station, logonStep());
    queueLogons({user});
    if (frame->session().logOn() != FrameSession::LogonResult::LoggedOn)
        return nullptr;
    frame->restorePlacement();
    frame->openForUser();
    return frame;
}

} // namespace vellum::test
