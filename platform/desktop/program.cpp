#include "program.h"

#include "instancelock.h"
#include "msgbox.h"
#include "outputfile.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

Program::EndHandler s_endHandler = nullptr;

} // namespace

void Program::end(int status)
{
    OutputFile::closeAllOnExit();
    InstanceLock::releaseOnEnd();
    if (s_endHandler)
        s_endHandler(status);
    std::fflush(nullptr);
    std::_Exit(status);
}

void Program::endFromAnyThread(int status)
{
    InstanceLock::releaseOnEnd();
    std::fflush(stderr);
    std::_Exit(status);
}

void Program::setEndHandler(EndHandler handler)
{
    s_endHandler = handler;
}

void Program::failAndEnd(QWidget *parent, const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    MsgBox::show(parent, message, MsgBox::Critical,
                 QCoreApplication::applicationName() + QCoreApplication::translate("Laufzeit", " – Fehler"));
    end(1);
}
