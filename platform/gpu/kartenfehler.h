#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The card failed under a search: lost, out of memory, or silent past the
// wait's limit. Its text is one German sentence for the user.
class Kartenfehler : public std::exception
{
public:
    explicit Kartenfehler(const QString &text) : m_text(text), m_utf8(text.toUtf8()) {}

    QString text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
