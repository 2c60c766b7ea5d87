#include "auskunft.h"

#include "generator.h"
#include "wartezeit.h"

#include <QLocale>

#include <cmath>

namespace {

const QLocale German(QLocale::German);

QString number(long double log10)
{
    return Grosszahl::fromLog10(log10).text();
}

QString speed(double lettersPerSecond)
{
    return number(std::log10((long double)lettersPerSecond)) + QStringLiteral(" Zeichen pro Sekunde");
}

QString duration(long double log10Seconds)
{
    struct Unit
    {
        long double seconds;
        long double below; // in seconds
        const char *name;
    };
    static constexpr Unit Units[] = {
        {1e-3L, 1, "Millisekunden"}, {1, 120, "Sekunden"},        {60, 7200, "Minuten"},
        {3600, 172800, "Stunden"},   {86400, 63115200, "Tage"},   {31557600, 0, "Jahre"},
    };
    if (log10Seconds < -3)
        return QStringLiteral("unter einer Millisekunde");
    for (const Unit &unit : Units) {
        if (unit.below == 0 || log10Seconds < std::log10(unit.below))
            return number(log10Seconds - std::log10(unit.seconds)) + u' ' + QLatin1String(unit.name);
    }
    return {};
}

QString bytes(long double log10Bytes)
{
    if (log10Bytes < 15)
        return Auskunft::groesse(std::llround(std::pow(10.0L, log10Bytes)));
    return number(log10Bytes) + QStringLiteral(" Byte");
}

QString percent(double chance)
{
    if (chance <= 0)
        return QStringLiteral("0 %");
    if (chance > 0.999)
        return QStringLiteral("über 99,9 %");
    return number(std::log10(100.0L * chance)) + QStringLiteral(" %");
}

} // namespace

QString Auskunft::zumZiel(const QString &ziel, double lettersPerSecond, const OutputFile::Space &disk)
{
    if (ziel.isEmpty())
        return QStringLiteral("Eine leere Zeichenfolge ist sofort gefunden, ohne ein einziges Zeichen.");
    const Wartezeit wartezeit(ziel);
    const long double expected = wartezeit.expected().log10();
    const long double logBytes = expected + std::log10(3.0L); // a letter, CR and LF
    QStringList lines = {
        QStringLiteral("Erwartet: %1 Zeichen").arg(wartezeit.expected().text()),
        QStringLiteral("Gefunden mit 50 % Wahrscheinlichkeit nach %1 Zeichen, mit 95 % nach %2")
            .arg(wartezeit.mark(0.5).text(), wartezeit.mark(0.95).text()),
        QStringLiteral("Erwartete Dauer: %1 bei %2")
            .arg(duration(expected - std::log10((long double)lettersPerSecond)), speed(lettersPerSecond)),
        QStringLiteral("Erwartete Größe der Logdatei: %1, frei sind %2")
            .arg(bytes(logBytes), bytes(std::log10((long double)std::max<quint64>(disk.available, 1)))),
    };
    if (logBytes > std::log10((long double)std::max<quint64>(Generator::roomBeforeReserve(disk), 1)))
        lines << QStringLiteral("Warnung: So viel Platz ist nicht frei; der Lauf hält vorher an, "
                                "damit der Datenträger nicht vollläuft.");
    return lines.join(u'\n');
}

QString Auskunft::zumLauf(const Wartezeit &wartezeit, qint64 letters, double lettersPerSecond)
{
    return speed(lettersPerSecond) + u'\n'
        + QStringLiteral("Eine Zeichenfolge dieser Art wäre nach %1 Zeichen mit %2 Wahrscheinlichkeit "
                         "schon erschienen.")
              .arg(Grosszahl((unsigned __int128)letters).text(), percent(wartezeit.chance(letters)));
}

QString Auskunft::groesse(qint64 bytes)
{
    if (bytes < 1000)
        return QStringLiteral("%1 Byte").arg(bytes);
    return German.formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}
