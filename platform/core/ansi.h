#pragma once

#include <QByteArray>
#include <QChar>
#include <QStringView>

// The Western European code page (Windows-1252) in which the program's
// character codes and log lines are expressed.
namespace Ansi {

int codeOfNonAscii(char16_t c);

// The character's code; '?' (63) where the code page has none.
inline int code(QChar c)
{
    return c.unicode() < 0x80 ? c.unicode() : codeOfNonAscii(c.unicode());
}

QChar characterOfNonAscii(int code);

// The character with the given code; throws RuntimeError outside 0 to 255.
inline QChar character(int code)
{
    return code >= 0 && code < 0x80 ? QChar(char16_t(code)) : characterOfNonAscii(code);
}

QByteArray fromUnicode(QStringView text);

} // namespace Ansi
