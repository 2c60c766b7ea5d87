#pragma once

#include "aufzeichnung.h"
#include "muster.h"

#include <QtGlobal>

// Finds letters among the letters of one stretch of a record, which are a
// function of their place alone: only the letters that a window's move
// depends on are computed, a few of every eight places for an eight-letter
// pattern, and none in between. The one search of the run and the viewer.
namespace Stellensuche {

constexpr quint64 Keine = ~quint64(0);

// The windows of the pattern wholly inside the stretch (the anzahl letters
// drawn with a key from a counter) whose leading place
// (forwards a window's last, backwards its first, counted from the
// stretch's first letter) lies in [von, bis), taken in the pattern's
// direction: forwards from von up, backwards from bis - 1 down. The leading
// place of the first window that holds the pattern, or Keine.
quint64 finden(quint64 schluessel, quint64 zaehler, quint64 anzahl, const Muster &muster, quint64 von, quint64 bis);
inline quint64 finden(const Aufzeichnung::Strecke &strecke, const Muster &muster, quint64 von, quint64 bis)
{
    return finden(strecke.schluessel, strecke.zaehler, strecke.anzahl, muster, von, bis);
}

} // namespace Stellensuche
