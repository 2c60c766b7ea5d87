#pragma once

#include "keinfund.h"
#include "muster.h"
#include "richtung.h"
#include "strecke.h"

#include <QtGlobal>

#include <atomic>
#include <stop_token>
#include <string_view>

class Aufzeichnungsleser;

// Finds letters among a run's places, whose letters are a function of the
// place alone: only the letters that a window's move depends on are
// computed, a few of every eight places for an eight-letter pattern, and
// none in between. The one search of the run and the viewer, through one
// stretch, and through a record's stretches on every core.
namespace Stellensuche {

// The windows of the pattern wholly inside the stretch whose leading place
// (forwards a window's last, backwards its first, counted from the
// stretch's first letter) lies in [von, bis), taken in the pattern's
// direction: forwards from von up, backwards from bis - 1 down. The leading
// place of the first window that holds the pattern, or KeinFund.
quint64 finden(const Strecke &strecke, const Muster &muster, quint64 von, quint64 bis);

// Where a record's letters spell buchstaben (capitals): the place (from 0)
// at which they start, the first at or after ab forwards, the last at or
// before ab backwards; KeinFund where there is none or the search was
// stopped. It searches pieces of stueck places on every core, counting
// them in geschafft.
quint64 finden(const Aufzeichnungsleser &leser, std::string_view buchstaben, quint64 ab, Richtung richtung,
               std::stop_token stop, std::atomic<qint64> &geschafft, qint64 stueck);

} // namespace Stellensuche
