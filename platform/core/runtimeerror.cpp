#include "runtimeerror.h"

#include <QCoreApplication>

#include <cstring>

RuntimeError::RuntimeError(const QString &failure, const QString &file, const QString &reason)
    : m_text(failure)
{
    if (!file.isEmpty())
        m_text += QCoreApplication::translate("Laufzeit", "\n\nDatei: ") + file;
    if (!reason.isEmpty())
        m_text += QCoreApplication::translate("Laufzeit", "\nGrund: ") + reason;
    m_utf8 = m_text.toUtf8();
}

RuntimeError RuntimeError::fromErrno(const QString &failure, const QString &file, int errorNumber)
{
    return RuntimeError(failure, file, QString::fromLocal8Bit(std::strerror(errorNumber)));
}
