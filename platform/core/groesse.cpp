#include "groesse.h"

#include "zahlen.h"

#include <QCoreApplication>

#include <cmath>

QString groesse(quint64 bytes)
{
    if (bytes < 1000)
        return QCoreApplication::translate("Groesse", "%n Byte", nullptr, int(bytes));
    static constexpr const char *Units[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
    long double value = (long double)bytes;
    for (const char *unit : Units) {
        value /= 1000;
        const long double tenths = std::round(value * 10);
        if (tenths < 10000 || unit == Units[std::size(Units) - 1])
            return Zahlen::schreibweise().toString(double(tenths / 10), 'f', 1) + u' ' + QLatin1String(unit);
    }
    return {};
}
