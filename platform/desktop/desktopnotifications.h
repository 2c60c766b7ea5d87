#pragma once

#include <QObject>
#include <QSet>
#include <QString>

// Notifications through the desktop's notification service on the session
// bus (org.freedesktop.Notifications), with the program's icon and one
// action, which the user takes by clicking the notification. Where no
// service answers, nothing happens and nothing is said.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifications(QObject *parent = nullptr);

    void send(const QString &summary, const QString &body);

signals:
    // The user clicked a notification this object sent.
    void activated();

private slots:
    void actionInvoked(uint id, const QString &key);

private:
    QSet<uint> m_sent;
};
