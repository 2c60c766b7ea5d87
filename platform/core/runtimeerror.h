#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// An error that ends the running handler and, through Program::runHandler,
// the program. Its text is German and names what failed, the file and the
// system's reason where there are such.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(const QString &failure, const QString &file = {},
                          const QString &reason = {});

    // With the reason taken from the system's error number.
    static RuntimeError fromErrno(const QString &failure, const QString &file, int errorNumber);

    QString text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
