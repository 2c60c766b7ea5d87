#include "desktopnotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

DesktopNotifications::DesktopNotifications(QObject *parent) : QObject(parent)
{
    QDBusConnection::sessionBus().connect(Service, Path, Service, QStringLiteral("ActionInvoked"), this,
                                          SLOT(actionInvoked(uint, QString)));
}

void DesktopNotifications::send(const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral(DOVEVAD_APP_ID)}};
    notify << QCoreApplication::applicationName() << uint(0) << QStringLiteral(DOVEVAD_APP_ID) << summary << body
           << QStringList{QStringLiteral("default"), QCoreApplication::translate("DesktopNotifications", "Zeigen")} << hints
           << qint32(-1);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<uint> reply = *call;
        if (!reply.isError())
            m_sent.insert(reply.value());
        call->deleteLater();
    });
}

void DesktopNotifications::actionInvoked(uint id, const QString &key)
{
    Q_UNUSED(key); // the one action, or the click on the notification itself
    if (m_sent.remove(id))
        emit activated();
}
