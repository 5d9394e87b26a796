#pragma once
// Posts each escalation warning to the desktop's notification service as well
// (org.freedesktop.Notifications on the session bus), with an action "Case N" that opens the
// case. Without a session bus or a notification service nothing is posted and nothing is said:
// the warning window alone remains.

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

#include <cstdint>

class QDBusPendingCallWatcher;

namespace vellum {

class CaseFormOpener;

class DesktopNotifier final : public QObject {
    Q_OBJECT

public:
    static const QString Service;
    static const QString Path;
    static const QString Interface;
    static const QString CaseAction; // the key of the "Case N" action

    DesktopNotifier(CaseFormOpener &opener, const QDBusConnection &bus, QObject *parent = nullptr);
    // On the session bus.
    explicit DesktopNotifier(CaseFormOpener &opener, QObject *parent = nullptr);

public Q_SLOTS:
    // Does not wait for the service: a warning window may be waiting for the user meanwhile.
    void post(const QString &text, std::uint32_t caseNr);

private Q_SLOTS:
    void actionInvoked(uint id, const QString &action);
    void notificationClosed(uint id, uint reason);

private:
    void posted(QDBusPendingCallWatcher *call, std::uint32_t caseNr);

    CaseFormOpener &m_opener;
    QDBusConnection m_bus;
    QHash<uint, std::uint32_t> m_cases; // the case of each notification still shown
};

} // namespace vellum
