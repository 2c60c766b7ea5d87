#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the requests to end that come as signals (SIGTERM, SIGHUP and
// SIGINT, as at the end of a desktop session or on Ctrl+C in a terminal)
// into a Qt signal, delivered by the event loop where any handler may run.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
};
