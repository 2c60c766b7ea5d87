#pragma once

#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

// Asks the desktop not to suspend the machine for idleness while a long
// job works: the desktop portal's Inhibit where it answers (GNOME, KDE
// Plasma and the desktops whose portal has an Inhibit backend), else
// logind's idle inhibitor on the system bus, else the freedesktop
// screensaver interface (Xfce, LXQt, MATE, older KDE). Every call is
// asynchronous; a refusal or no answer changes nothing.
class SleepInhibitor : public QObject
{
    Q_OBJECT

public:
    enum class Weg { Keiner, Portal, Logind, Bildschirmschoner };

    explicit SleepInhibitor(QObject *parent = nullptr);
    // Lets go of what is held, waiting a moment for the bus to take it.
    ~SleepInhibitor() override;

    void inhibit(const QString &reason);
    // Lets go; where the answer to inhibit() is still on its way, of what it brings.
    // With wait, returns once the bus has taken the release: for the end
    // of the program, after which nothing more is sent.
    void release(bool wait = false);

    // Who holds the inhibition now.
    Weg weg() const { return m_weg; }

signals:
    void changed();

private:
    void tryPortal();
    void tryLogind();
    void tryScreensaver();
    // Takes what an answer brought, unless a release came first.
    bool keep(quint64 generation);

    QString m_reason;
    quint64 m_generation = 0; // of the latest inhibit()
    bool m_wanted = false;
    Weg m_weg = Weg::Keiner;
    QDBusObjectPath m_request;
    QDBusUnixFileDescriptor m_lock;
    uint m_cookie = 0;
};
