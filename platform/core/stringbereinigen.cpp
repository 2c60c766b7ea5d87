#include "stringbereinigen.h"

#include "ansi.h"

QString Stringbereinigen(const QString &Zeile)
{
    QString result;
    result.reserve(Zeile.size());
    for (QChar c : Zeile) {
        const int code = Ansi::code(c);
        if ((code >= 65 && code <= 90) || (code >= 97 && code <= 122))
            result.append(c);
    }
    return result;
}
