#pragma once

#include "generator.h"
#include "outputfile.h"

#include <QString>

class Wartezeit;

// What the window tells the user, in the chosen language, of what a run costs: before it
// starts, and while it runs and after. A shortened number that claims that
// something holds by then is rounded so that the claim is true.
namespace Auskunft {

// For a target (cleaned, in capitals): the expected letters, the numbers by
// which it has appeared with 50 % and 95 %, the expected time at the given
// speed (0 while it is not yet known) and, where the search's steps a second
// on all its cores are known, of a compact run; the expected size of the
// log against the disk's free space, and of the record, for a run that
// writes a log or (kompakt) its record alone; and where a run would more
// likely reach the end of the counter than the target, that it would.
QString zumZiel(const QString &ziel, double lettersPerSecond, const OutputFile::Space &disk, bool kompakt = false,
                double suchschritteProSekunde = 0);

// A length of time as the tooltips give it.
QString dauer(double seconds);

// The expected size of a run's record, as a power of ten, for letters as a
// power of ten at the given speed (0 where it is not known), of a run with
// a log or of a compact one.
long double aufzeichnungLog10(long double log10Letters, double lettersPerSecond, bool kompakt = false);

// For a run so far: its speed, the chance that a target like its own would
// have appeared within as many letters, and the closest it has come.
// From letter inLog on (where it is not negative), the letters are in the
// run's record only.
QString zumLauf(const QString &ziel, const Wartezeit &wartezeit, qint64 letters, double lettersPerSecond,
                const Generator::Naehe &naehe, qint64 inLog = -1);

} // namespace Auskunft
