#include "DesktopNotifier.h"

#include "cases/CaseFormOpener.h"
#include "framework/ApplicationMessage.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace vellum {

const QString DesktopNotifier::Service = u"org.freedesktop.Notifications"_s;
const QString DesktopNotifier::Path = u"/org/freedesktop/Notifications"_s;
const QString DesktopNotifier::Interface = u"org.freedesktop.Notifications"_s;
const QString DesktopNotifier::CaseAction = u"case"_s;

namespace {

constexpr int ServerDecidesTimeout = -1;

} // namespace

DesktopNotifier::DesktopNotifier(CaseFormOpener &opener, const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_opener(opener), m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(Service, Path, Interface, u"ActionInvoked"_s, this, SLOT(actionInvoked(uint, QString)));
    m_bus.connect(Service, Path, Interface, u"NotificationClosed"_s, this, SLOT(notificationClosed(uint, uint)));
}

DesktopNotifier::DesktopNotifier(CaseFormOpener &opener, QObject *parent)
    : DesktopNotifier(opener, QDBusConnection::sessionBus(), parent)
{
}

void DesktopNotifier::post(const QString &text, std::uint32_t caseNr)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(Service, Path, Interface, u"Notify"_s);
    const QStringList actions{CaseAction, u"Case "_s + QString::number(caseNr)};
    notify << ApplicationMessage::Title << 0u << QString() << ApplicationMessage::Title << text << actions
           << QVariantMap() << ServerDecidesTimeout;
    auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, caseNr](QDBusPendingCallWatcher *finished) { posted(finished, caseNr); });
}

void DesktopNotifier::posted(QDBusPendingCallWatcher *call, std::uint32_t caseNr)
{
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    // No service (or one that failed): the warning window is all there is.
    if (reply.isError())
        return;
    m_cases.insert(reply.value(), caseNr);
}

void DesktopNotifier::actionInvoked(uint id, const QString &action)
{
    const auto found = m_cases.constFind(id);
    if (found == m_cases.cend() || action != CaseAction)
        return;
    m_opener.openCaseForm(ChangeRequest, found.value(), nullptr);
}

void DesktopNotifier::notificationClosed(uint id, uint)
{
    m_cases.remove(id);
}

} // namespace vellum
