#pragma once

#include "runtimeerror.h"

#include <QCoreApplication>
#include <QString>

#include <new>

class QWidget;

// Ending the program, and the runtime's handling of an error that escapes
// an event handler: a German message box, then the end with status 1.
namespace Program {

using EndHandler = void (*)(int status);

// Stops at once: open files are written and closed, the lock file goes, no
// later statement runs and the window raises no further events.
[[noreturn]] void end(int status);

// Stops at once from any thread: the lock file goes; open files are left
// to the system to close, as another thread may be writing them.
[[noreturn]] void endFromAnyThread(int status);

// Lets tests see the end instead of it; the handler must not return.
void setEndHandler(EndHandler handler);

[[noreturn]] void failAndEnd(QWidget *parent, const QString &message);

// Runs an event handler under the default error handling.
template <typename Handler>
void runHandler(QWidget *parent, Handler &&handler)
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        failAndEnd(parent, error.text());
    } catch (const std::bad_alloc &) {
        failAndEnd(parent, QCoreApplication::translate("Laufzeit", "Nicht genügend Arbeitsspeicher."));
    } catch (const std::exception &error) {
        failAndEnd(parent, QString::fromLocal8Bit(error.what()));
    }
}

} // namespace Program
