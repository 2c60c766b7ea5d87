#pragma once

#include "naehe.h"
#include "outputfile.h"

#include <QString>

class Wartezeit;

// What the window tells the user, in the chosen language, of what a run
// costs: before it starts, and while it runs and after. A shortened number
// that claims that something holds by then is rounded so that the claim is
// true.
namespace Auskunft {

// A run with a log writes an entry of its record for each block of the
// second typist's and for the stretch of its own that the block breaks,
// and two a tick of the clock: one where its reading changes the key and
// one at the yield.
inline constexpr int BlockDesZweiten = 1 << 16;
inline constexpr double EintraegeMitLogJeSekunde = 2 * 250;

// What a run's costs are reckoned at.
struct Tempo
{
    Tempo(double mitLog = 0, double suchschritte = 0) : mitLog(mitLog), suchschritte(suchschritte) {}

    // Letters a second of a run with a log; 0 while not yet known.
    double mitLog = 0;
    // Windows a second that a compact run's search moves, on all that it
    // runs on; a target's places a second are these times its mean skip.
    // 0 while not yet known.
    double suchschritte = 0;
    // Where that search runs, in words ("auf 2 Kernen"); empty: unsaid.
    QString wo;
    // How fast a compact run's record grows, whatever the letters' pace.
    double eintraegeKompakt = 1000;
};

// For a target (cleaned, in capitals): the expected letters, the numbers by
// which it has appeared with 50 % and 95 %, the expected time of a run with
// a log and of a compact one at their paces; the expected size of the log
// against the disk's free space, and of the record, for a run that writes a
// log or (kompakt) its record alone; and where a run would more likely fill
// its record than reach the target, that it would.
QString zumZiel(const QString &ziel, const Tempo &tempo, const OutputFile::Space &disk, bool kompakt = false);

// Where a compact run's search runs, in words: on the card of the name
// given (none where empty) and so many cores; without a card, why.
QString wo(const QString &karte, int kerne, const QString &ohneKarte);

// A length of time as the tooltips give it.
QString dauer(double seconds);

// The expected size of a run's record, as a power of ten, for letters as a
// power of ten at the given speed (0 where it is not known), of a run with
// a log or of a compact one whose record grows by so many entries a second.
long double aufzeichnungLog10(long double log10Letters, double lettersPerSecond, double eintraegeKompakt = 0);

// For a run so far: its speed, the chance that a target like its own would
// have appeared within as many letters, and the closest it has come.
// From letter inLog on (where it is not negative), the letters are in the
// run's record only.
QString zumLauf(const QString &ziel, const Wartezeit &wartezeit, qint64 letters, double lettersPerSecond,
                const Naehe &naehe, qint64 inLog = -1);

} // namespace Auskunft
