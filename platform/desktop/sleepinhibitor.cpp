#include "sleepinhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include <functional>

namespace {

const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Logind = QStringLiteral("org.freedesktop.login1");
const QString Screensaver = QStringLiteral("org.freedesktop.ScreenSaver");
// The portal's flags: suspending, and the session going idle.
constexpr uint Suspend = 4, Idle = 8;
// How long the end of the program waits for the bus to take a release.
constexpr int EndTimeout = 250;

// Calls and hands the answer on, or says that none came.
void ask(const QDBusConnection &bus, const QDBusMessage &call, QObject *context,
         std::function<void(const QDBusMessage &answer)> answered, std::function<void()> refused)
{
    if (!bus.isConnected()) {
        refused();
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [answered, refused](QDBusPendingCallWatcher *watcher) {
        const QDBusMessage answer = watcher->reply();
        watcher->deleteLater();
        if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty())
            answered(answer);
        else
            refused();
    });
}

void tell(const QDBusConnection &bus, const QDBusMessage &call, bool wait)
{
    if (wait)
        bus.call(call, QDBus::Block, EndTimeout);
    else
        bus.send(call);
}

QDBusMessage portalClose(const QDBusObjectPath &request)
{
    return QDBusMessage::createMethodCall(Portal, request.path(), QStringLiteral("org.freedesktop.portal.Request"),
                                          QStringLiteral("Close"));
}

QDBusMessage screensaverUninhibit(uint cookie)
{
    QDBusMessage call = QDBusMessage::createMethodCall(Screensaver, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                       Screensaver, QStringLiteral("UnInhibit"));
    return call << cookie;
}

} // namespace

SleepInhibitor::SleepInhibitor(QObject *parent) : QObject(parent) {}

SleepInhibitor::~SleepInhibitor()
{
    release(true);
}

void SleepInhibitor::inhibit(const QString &reason)
{
    release();
    m_reason = reason;
    m_wanted = true;
    ++m_generation;
    tryPortal();
}

bool SleepInhibitor::keep(quint64 generation)
{
    return m_wanted && generation == m_generation;
}

void SleepInhibitor::tryPortal()
{
    QDBusMessage call = QDBusMessage::createMethodCall(Portal, QStringLiteral("/org/freedesktop/portal/desktop"),
                                                       QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
    call << QString() << uint(Suspend | Idle) << QVariantMap{{QStringLiteral("reason"), m_reason}};
    const quint64 generation = m_generation;
    ask(QDBusConnection::sessionBus(), call, this,
        [this, generation](const QDBusMessage &answer) {
            const auto request = qvariant_cast<QDBusObjectPath>(answer.arguments().constFirst());
            if (!keep(generation))
                return tell(QDBusConnection::sessionBus(), portalClose(request), false);
            m_request = request;
            m_weg = Weg::Portal;
            emit changed();
        },
        [this, generation] {
            if (keep(generation))
                tryLogind();
        });
}

void SleepInhibitor::tryLogind()
{
    QDBusMessage call = QDBusMessage::createMethodCall(Logind, QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("idle") << QCoreApplication::applicationName() << m_reason << QStringLiteral("block");
    const quint64 generation = m_generation;
    ask(QDBusConnection::systemBus(), call, this,
        [this, generation](const QDBusMessage &answer) {
            // Held for as long as the descriptor is open.
            const auto lock = qvariant_cast<QDBusUnixFileDescriptor>(answer.arguments().constFirst());
            if (!keep(generation) || !lock.isValid())
                return;
            m_lock = lock;
            m_weg = Weg::Logind;
            emit changed();
        },
        [this, generation] {
            if (keep(generation))
                tryScreensaver();
        });
}

void SleepInhibitor::tryScreensaver()
{
    QDBusMessage call = QDBusMessage::createMethodCall(Screensaver, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                       Screensaver, QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << m_reason;
    const quint64 generation = m_generation;
    ask(QDBusConnection::sessionBus(), call, this,
        [this, generation](const QDBusMessage &answer) {
            const uint cookie = answer.arguments().constFirst().toUInt();
            if (!keep(generation))
                return tell(QDBusConnection::sessionBus(), screensaverUninhibit(cookie), false);
            m_cookie = cookie;
            m_weg = Weg::Bildschirmschoner;
            emit changed();
        },
        [] {});
}

void SleepInhibitor::release(bool wait)
{
    m_wanted = false;
    const Weg was = m_weg;
    switch (m_weg) {
    case Weg::Portal:
        tell(QDBusConnection::sessionBus(), portalClose(m_request), wait);
        break;
    case Weg::Logind:
        m_lock = QDBusUnixFileDescriptor();
        break;
    case Weg::Bildschirmschoner:
        tell(QDBusConnection::sessionBus(), screensaverUninhibit(m_cookie), wait);
        break;
    case Weg::Keiner:
        break;
    }
    m_weg = Weg::Keiner;
    if (was != Weg::Keiner)
        emit changed();
}
