#pragma once

#include "laufende.h"

#include <QString>
#include <QtGlobal>

// Everything a run touches of the window. The window provides it and puts
// what the run tells into words; tests and benchmarks provide their own so
// they can drive a run without one.
class RunView
{
public:
    virtual ~RunView() = default;

    virtual QString targetText() const = 0;
    virtual void showCount(const QString &caption) = 0;
    virtual void processPendingEvents() = 0;
    // The run has found its target, all of it on disk: told before the run
    // goes on to close its files, and back once the user has taken it in.
    virtual void found() = 0;
    // From letter inLog on the letters go to the record alone, as the disk's
    // reserve is near: told while the run goes on, waiting for nobody.
    virtual void recordOnly(qint64 inLog, const QString &recordPath) = 0;
    // Ends the run as the stop button does, for a run that stops itself.
    virtual void endRun() = 0;
    // The run is over and its files are closed: what it came to, for the
    // desktop or the viewer to show.
    virtual void finished(const Laufende &ende) = 0;
};
