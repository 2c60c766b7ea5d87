#pragma once

#include <QString>
#include <QtGlobal>

// Everything a run touches of the window. The window provides it; tests
// and benchmarks provide their own so they can drive a run without one.
class RunView
{
public:
    virtual ~RunView() = default;

    virtual QString targetText() const = 0;
    virtual void showCount(const QString &caption) = 0;
    virtual quintptr nativeHandle() const = 0;
    virtual void showMessage(const QString &prompt, int style, const QString &title) = 0;
    // Tells the user something while the run goes on, waiting for nobody.
    virtual void showNotice(const QString &prompt, const QString &title) = 0;
    virtual void processPendingEvents() = 0;
    // Ends the run as the stop button does, for a run that stops itself.
    virtual void endRun() = 0;
    // The run has ended by itself, the target found or the disk full,
    // before it tells so in a box.
    virtual void runEnded(bool found) = 0;
};
