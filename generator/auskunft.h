#pragma once

#include "outputfile.h"

#include <QString>

class Wartezeit;

// What the window tells the user, in German, of what a run costs: before it
// starts, and while it runs and after.
namespace Auskunft {

// For a target (cleaned, in capitals): the expected letters, the numbers by
// which it has appeared with 50 % and 95 %, the expected time at the given
// speed and the expected size of the log against the disk's free space.
QString zumZiel(const QString &ziel, double lettersPerSecond, const OutputFile::Space &disk);

// For a run so far: its speed, and the chance that a target like its own
// would have appeared within as many letters.
QString zumLauf(const Wartezeit &wartezeit, qint64 letters, double lettersPerSecond);

// A size in bytes, in German ("2,0 kB", "3,4 GB").
QString groesse(qint64 bytes);

} // namespace Auskunft
