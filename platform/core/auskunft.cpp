#include "auskunft.h"

#include "aufzeichnung.h"
#include "groesse.h"
#include "logzeile.h"
#include "muster.h"
#include "reserve.h"
#include "wartezeit.h"
#include "zahlen.h"

#include <QCoreApplication>

#include <cmath>

namespace {

using Rundung = Grosszahl::Rundung;

QString number(long double log10, Rundung rundung = Rundung::Naechst)
{
    return Grosszahl::fromLog10(log10).text(rundung);
}

QString speed(double lettersPerSecond)
{
    return number(std::log10((long double)lettersPerSecond)) + QCoreApplication::translate("Auskunft", " Zeichen pro Sekunde");
}

QString duration(long double log10Seconds)
{
    struct Unit
    {
        long double seconds;
        long double below; // in seconds
        const char *one;
        const char *many;
    };
    static constexpr Unit Units[] = {
        {1e-3L, 1, QT_TRANSLATE_NOOP("Auskunft", "Millisekunde"), QT_TRANSLATE_NOOP("Auskunft", "Millisekunden")},
        {1, 120, QT_TRANSLATE_NOOP("Auskunft", "Sekunde"), QT_TRANSLATE_NOOP("Auskunft", "Sekunden")},
        {60, 7200, QT_TRANSLATE_NOOP("Auskunft", "Minute"), QT_TRANSLATE_NOOP("Auskunft", "Minuten")},
        {3600, 172800, QT_TRANSLATE_NOOP("Auskunft", "Stunde"), QT_TRANSLATE_NOOP("Auskunft", "Stunden")},
        {86400, 63115200, QT_TRANSLATE_NOOP("Auskunft", "Tag"), QT_TRANSLATE_NOOP("Auskunft", "Tage")},
        {31557600, 0, QT_TRANSLATE_NOOP("Auskunft", "Jahr"), QT_TRANSLATE_NOOP("Auskunft", "Jahre")},
    };
    if (log10Seconds < -3)
        return QCoreApplication::translate("Auskunft", "unter einer Millisekunde");
    for (const Unit &unit : Units) {
        const long double log10Value = log10Seconds - std::log10(unit.seconds);
        // What reads as 1.000 of a unit reads in the next.
        const bool fits = unit.below == 0
            || (log10Seconds < std::log10(unit.below)
                && Grosszahl::dreiStellen(std::pow(10.0L, log10Value), Rundung::Naechst) < 1000);
        if (fits) {
            const QString value = number(log10Value);
            return value + u' ' + QCoreApplication::translate("Auskunft", value == u"1" ? unit.one : unit.many);
        }
    }
    return {};
}

QString bytes(long double log10Bytes)
{
    if (log10Bytes < 18)
        return groesse(quint64(std::llround(std::pow(10.0L, log10Bytes))));
    return number(log10Bytes) + QCoreApplication::translate("Auskunft", " Byte");
}

// A chance is never claimed higher than it is.
QString percent(long double log10Chance)
{
    if (std::isinf(log10Chance))
        return QStringLiteral("0 %");
    if (log10Chance > std::log10(0.999L))
        return QCoreApplication::translate("Auskunft", "über 99,9 %");
    return number(log10Chance + 2, Rundung::Ab) + QStringLiteral(" %");
}

QString closest(const QString &ziel, const Naehe &naehe)
{
    if (naehe.buchstaben == 0)
        return QCoreApplication::translate("Auskunft", "Am nächsten bisher: noch kein Buchstabe der Zeichenfolge");
    constexpr int Shown = 40;
    const QString letters = naehe.buchstaben <= Shown ? ziel.left(naehe.buchstaben) : ziel.left(Shown) + u'…';
    const QLocale zahlen = Zahlen::schreibweise();
    return QCoreApplication::translate("Auskunft", "Am nächsten bisher: %1, %2 von %3 Buchstaben, nach %4 Zeichen")
        .arg(letters, zahlen.toString(naehe.buchstaben), zahlen.toString(qlonglong(ziel.size())),
             zahlen.toString(naehe.nachZeichen));
}

} // namespace

QString Auskunft::wo(const QString &karte, int kerne, const QString &ohneKarte)
{
    const QString kernen = kerne == 1 ? QCoreApplication::translate("Auskunft", "einem Kern")
                                      : QCoreApplication::translate("Auskunft", "%1 Kernen").arg(kerne);
    if (!karte.isEmpty())
        return QCoreApplication::translate("Auskunft", "auf der Grafikkarte „%1“ und %2").arg(karte, kernen);
    const QString aufKernen = QCoreApplication::translate("Auskunft", "auf %1").arg(kernen);
    return ohneKarte.isEmpty() ? aufKernen
                               : QCoreApplication::translate("Auskunft", "%1; ohne Grafikkarte: %2").arg(aufKernen, ohneKarte);
}

QString Auskunft::dauer(double seconds)
{
    return duration(std::log10((long double)std::max(seconds, 1e-9)));
}

long double Auskunft::aufzeichnungLog10(long double log10Letters, double lettersPerSecond, double eintraegeKompakt)
{
    if (eintraegeKompakt > 0 && lettersPerSecond > 0)
        return log10Letters + std::log10(eintraegeKompakt / lettersPerSecond * Aufzeichnung::Groesse);
    constexpr long double EntriesPerLetter = 2.0L / BlockDesZweiten;
    const long double perLetter = EntriesPerLetter + (lettersPerSecond > 0 ? EintraegeMitLogJeSekunde / lettersPerSecond : 0);
    return log10Letters + std::log10(perLetter * Aufzeichnung::Groesse);
}

namespace {

// The places a second of a compact run's search, which skips letters by the
// target's mean skip; 0 while its pace is not known.
double kompaktProSekunde(const QString &ziel, const Auskunft::Tempo &tempo)
{
    const QByteArray letters = ziel.toLatin1();
    return tempo.suchschritte * Muster(std::string_view(letters.constData(), size_t(letters.size()))).mittlererSprung();
}

// How long a run takes, with a log and compact, at the paces known so far.
QStringList dauerZeilen(long double expected, const Auskunft::Tempo &tempo, bool kompakt, double kompaktTempo)
{
    const auto dauerBei = [expected](double proSekunde) {
        return QCoreApplication::translate("Auskunft", "%1 bei %2")
            .arg(duration(expected - std::log10((long double)proSekunde)), speed(proSekunde));
    };
    const QString mitLog = tempo.mitLog > 0 ? dauerBei(tempo.mitLog) : QString();
    QString nurAufzeichnung = kompaktTempo > 0 ? dauerBei(kompaktTempo) : QString();
    if (!nurAufzeichnung.isEmpty() && !tempo.wo.isEmpty())
        nurAufzeichnung += QStringLiteral(", ") + tempo.wo;
    const QString dauer = kompakt ? nurAufzeichnung : mitLog;
    QStringList lines{dauer.isEmpty() ? QCoreApplication::translate("Auskunft", "Erwartete Dauer: wird noch gemessen")
                                      : QCoreApplication::translate("Auskunft", "Erwartete Dauer: %1").arg(dauer)};
    if (!kompakt && !nurAufzeichnung.isEmpty())
        lines << QCoreApplication::translate("Auskunft", "Kompakt, nur mit Aufzeichnung: %1").arg(nurAufzeichnung);
    else if (kompakt && !mitLog.isEmpty())
        lines << QCoreApplication::translate("Auskunft", "Mit Logdatei: %1").arg(mitLog);
    return lines;
}

// What the log and the record will take, and where the disk has no room for it.
QStringList groessenZeilen(long double expected, const Auskunft::Tempo &tempo, const OutputFile::Space &disk,
                           bool kompakt, double kompaktTempo)
{
    const long double logBytes = expected + std::log10((long double)Logzeile::Laenge);
    const long double recordBytes = kompakt ? Auskunft::aufzeichnungLog10(expected, kompaktTempo, tempo.eintraegeKompakt)
                                            : Auskunft::aufzeichnungLog10(expected, tempo.mitLog);
    QStringList lines;
    if (!kompakt)
        lines << QCoreApplication::translate("Auskunft", "Erwartete Größe der Logdatei: %1, frei sind %2").arg(bytes(logBytes), groesse(disk.available));
    lines << QCoreApplication::translate("Auskunft", "Erwartete Größe der Aufzeichnung: %1").arg(bytes(recordBytes));
    const auto fits = [&disk](long double log10Size, quint64 span) {
        return log10Size <= std::log10((long double)std::max<quint64>(Reserve::roomBefore(disk, span), 1));
    };
    if (!fits(recordBytes, Reserve::RecordSpan))
        lines << QCoreApplication::translate("Auskunft", "Warnung: So viel Platz ist nicht frei; der Lauf hält vorher an, "
                                                         "damit der Datenträger nicht vollläuft.");
    else if (!kompakt && !fits(logBytes, Reserve::CheckSpan))
        lines << QCoreApplication::translate("Auskunft", "So viel Platz ist nicht frei: Bevor der Datenträger vollläuft, "
                                                         "schreibt der Lauf nur noch seine Aufzeichnung weiter.");
    return lines;
}

} // namespace

QString Auskunft::zumZiel(const QString &ziel, const Tempo &tempo, const OutputFile::Space &disk, bool kompakt)
{
    if (ziel.isEmpty())
        return QCoreApplication::translate("Auskunft", "Eine leere Zeichenfolge ist sofort gefunden, ohne ein einziges Zeichen.");
    const Wartezeit wartezeit(ziel);
    const long double expected = wartezeit.expected().log10();
    QStringList lines = {
        QCoreApplication::translate("Auskunft", "Erwartet: %1 Zeichen").arg(wartezeit.expected().text()),
        QCoreApplication::translate("Auskunft", "Gefunden mit 50 % Wahrscheinlichkeit nach %1 Zeichen, mit 95 % nach %2")
            .arg(wartezeit.mark(1, 2).text(Rundung::Auf), wartezeit.mark(19, 20).text(Rundung::Auf)),
    };
    const double kompaktTempo = kompaktProSekunde(ziel, tempo);
    lines << dauerZeilen(expected, tempo, kompakt, kompaktTempo);
    // A run ends where its record can say no more letters, found or not.
    constexpr quint64 Ende = Aufzeichnung::HoechstensZeichen;
    if (const long double chance = wartezeit.log10Chance(qint64(Ende)); chance < std::log10(0.5L))
        lines << QCoreApplication::translate("Auskunft", "Geringe Aussicht: Bis die Aufzeichnung nach %1 Zeichen voll ist, "
                                                         "erscheint sie nur mit %2 Wahrscheinlichkeit.")
                     .arg(Grosszahl((unsigned __int128)Ende).text(Rundung::Ab), percent(chance));
    lines << groessenZeilen(expected, tempo, disk, kompakt, kompaktTempo);
    return lines.join(u'\n');
}

QString Auskunft::zumLauf(const QString &ziel, const Wartezeit &wartezeit, qint64 letters, double lettersPerSecond,
                          const Naehe &naehe, qint64 inLog)
{
    const QString where = inLog < 0 ? QString()
        : inLog == 0 ? QCoreApplication::translate("Auskunft", "Die Zeichen stehen nur in der Aufzeichnung, nicht in der Logdatei.") + u'\n'
                     : QCoreApplication::translate("Auskunft", "Nach Zeichen %1 stehen die Zeichen nur in der Aufzeichnung, nicht in der Logdatei.")
                               .arg(Zahlen::schreibweise().toString(inLog)) + u'\n';
    return where + speed(lettersPerSecond) + u'\n'
        + QCoreApplication::translate("Auskunft", "Eine Zeichenfolge dieser Art wäre nach %1 Zeichen mit %2 "
                                                  "Wahrscheinlichkeit schon erschienen.")
              .arg(Grosszahl((unsigned __int128)letters).text(Rundung::Auf), percent(wartezeit.log10Chance(letters)))
        + u'\n' + closest(ziel, naehe);
}
