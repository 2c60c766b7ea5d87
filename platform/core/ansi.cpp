#include "ansi.h"

#include "runtimeerror.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace {

// Codes 0x80 to 0x9F; the five unassigned ones keep their C1 control value.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

int Ansi::codeOfNonAscii(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return c;
    const auto *hit = std::find(HighControlRange.begin(), HighControlRange.end(), c);
    return hit != HighControlRange.end() ? 0x80 + int(hit - HighControlRange.begin()) : '?';
}

QChar Ansi::characterOfNonAscii(int code)
{
    if (code < 0 || code > 255)
        throw RuntimeError(QCoreApplication::translate("Laufzeit", "Ungültiger Zeichencode %1.").arg(code));
    if (code >= 0x80 && code < 0xA0)
        return QChar(HighControlRange[code - 0x80]);
    return QChar(char16_t(code));
}

QByteArray Ansi::fromUnicode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), bytes.begin(), [](QChar c) { return char(code(c)); });
    return bytes;
}
