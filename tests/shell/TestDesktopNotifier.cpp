// The desktop notification of a warning, against a real session bus: a dbus-daemon started in a
// temporary folder, with a small notification service on it that notes what it is sent and
// invokes actions as a desktop would. Without the service nothing is posted and nothing fails.

#include "cases/CaseFormOpener.h"
#include "framework/ApplicationMessage.h"
#include "shell/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

class RecordingOpener final : public CaseFormOpener {
public:
    void openCaseForm(FormRequest request, std::uint32_t caseNr, QWidget *) override
    {
        opened.append({request, caseNr});
    }
    QList<std::pair<FormRequest, std::uint32_t>> opened;
};

struct Posted {
    QString application;
    QString summary;
    QString body;
    QStringList actions;
};

} // namespace

// The desktop's side: Notify answers with a new id.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QList<Posted> posted;

public Q_SLOTS:
    uint Notify(const QString &application, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &, int)
    {
        posted.append({application, summary, body, actions});
        return uint(posted.size()) + 100;
    }
};

class TestDesktopNotifier : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void nothingWithoutAService();
    void postsAndOpensTheCase();

private:
    QDBusConnection connection(const QString &name) { return QDBusConnection::connectToBus(m_address, name); }
    void invoke(QDBusConnection &bus, uint id, const QString &action);

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

void TestDesktopNotifier::initTestCase()
{
    m_daemon.start(u"dbus-daemon"_s,
                   {u"--config-file=/usr/share/dbus-1/session.conf"_s,
                    u"--address=unix:path="_s + m_dir.filePath(u"bus"_s), u"--nofork"_s, u"--print-address"_s});
    QVERIFY2(m_daemon.waitForStarted(), "dbus-daemon (package dbus-daemon) did not start");
    QTRY_VERIFY(m_daemon.canReadLine());
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QVERIFY(connection(u"probe"_s).isConnected());
}

void TestDesktopNotifier::cleanupTestCase()
{
    for (const QString &name : {u"probe"_s, u"station"_s, u"desktop"_s, u"alone"_s})
        QDBusConnection::disconnectFromBus(name);
    m_daemon.terminate();
    m_daemon.waitForFinished();
}

void TestDesktopNotifier::invoke(QDBusConnection &bus, uint id, const QString &action)
{
    QDBusMessage signal =
        QDBusMessage::createSignal(DesktopNotifier::Path, DesktopNotifier::Interface, u"ActionInvoked"_s);
    signal << id << action;
    QVERIFY(bus.send(signal));
}

void TestDesktopNotifier::nothingWithoutAService()
{
    RecordingOpener opener;
    DesktopNotifier unconnected(opener, QDBusConnection(u"none"_s));
    unconnected.post(u"Case 7, Fase Esc1, will be overdue now !"_s, 7);

    QDBusConnection bus = connection(u"alone"_s);
    QVERIFY(!bus.interface()->isServiceRegistered(DesktopNotifier::Service));
    DesktopNotifier notifier(opener, bus);
    notifier.post(u"Case 7, Fase Esc1, will be overdue now !"_s, 7);
    QTest::qWait(200);
    QVERIFY(opener.opened.isEmpty());
}

void TestDesktopNotifier::postsAndOpensTheCase()
{
    QDBusConnection desktop = connection(u"desktop"_s);
    NotificationService service;
    QVERIFY(desktop.registerObject(DesktopNotifier::Path, &service, QDBusConnection::ExportAllSlots));
    QVERIFY(desktop.registerService(DesktopNotifier::Service));

    RecordingOpener opener;
    DesktopNotifier notifier(opener, connection(u"station"_s));
    notifier.post(u"Case 70001, Fase Esc1, will be overdue in 00:14 minutes"_s, 70001);
    notifier.post(u"Case 8, Fase Esc2, will be overdue now !"_s, 8);

    QTRY_COMPARE(service.posted.size(), 2);
    const Posted &first = service.posted[0];
    QCOMPARE(first.application, ApplicationMessage::Title);
    QCOMPARE(first.summary, ApplicationMessage::Title);
    QCOMPARE(first.body, u"Case 70001, Fase Esc1, will be overdue in 00:14 minutes"_s);
    QCOMPARE(first.actions, (QStringList{u"case"_s, u"Case 70001"_s}));
    QCOMPARE(service.posted[1].actions, (QStringList{u"case"_s, u"Case 8"_s}));
    QTest::qWait(100); // the ids come back before the desktop's user can click

    invoke(desktop, 999, u"case"_s);    // somebody else's notification
    invoke(desktop, 101, u"default"_s); // a click on the notification, not on its action
    invoke(desktop, 101, u"case"_s);
    QTRY_COMPARE(opener.opened, (QList<std::pair<FormRequest, std::uint32_t>>{{ChangeRequest, 70001u}}));

    // Once closed on the desktop, its action no longer counts.
    QDBusMessage closed =
        QDBusMessage::createSignal(DesktopNotifier::Path, DesktopNotifier::Interface, u"NotificationClosed"_s);
    closed << 102u << 2u;
    QVERIFY(desktop.send(closed));
    invoke(desktop, 102, u"case"_s);
    invoke(desktop, 101, u"case"_s);
    QTRY_COMPARE(opener.opened.size(), 2);
    QTest::qWait(100);
    QCOMPARE(opener.opened,
             (QList<std::pair<FormRequest, std::uint32_t>>{{ChangeRequest, 70001u}, {ChangeRequest, 70001u}}));
}

QTEST_GUILESS_MAIN(TestDesktopNotifier)
#include "TestDesktopNotifier.moc"
