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
// speed (0 while it is not yet known) and the expected size of the log
// against the disk's free space.
QString zumZiel(const QString &ziel, double lettersPerSecond, const OutputFile::Space &disk);

// For a run so far: its speed, the chance that a target like its own would
// have appeared within as many letters, and the closest it has come.
QString zumLauf(const QString &ziel, const Wartezeit &wartezeit, qint64 letters, double lettersPerSecond,
                const Generator::Naehe &naehe);

} // namespace Auskunft
