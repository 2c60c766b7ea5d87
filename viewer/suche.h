#pragma once

#include <QByteArray>

#include <array>
#include <atomic>
#include <stop_token>

class Logdatei;

// Work through a whole log, a block of lines at a time, on a thread of its
// own: it looks at the stop token between blocks and counts the lines it
// has done, for a progress bar.
namespace Suche {

enum class Richtung { Vorwaerts, Rueckwaerts };
constexpr qint64 BlockZeilen = 1 << 20; // 3 MiB read at a time

// The line (from 1) at which the letters start: the first at or after ab
// forwards, the last at or before ab backwards; 0 where there is none or
// the search was stopped.
qint64 finden(const Logdatei &log, const QByteArray &buchstaben, qint64 ab, Richtung richtung,
              std::stop_token stop, std::atomic<qint64> &geschafft, qint64 blockZeilen = BlockZeilen);

struct Zaehlung
{
    std::array<qint64, 26> je{}; // A to Z
    qint64 fremde = 0;           // lines that are no letter and CR LF
    bool vollstaendig = false;   // not stopped
};
Zaehlung zaehlen(const Logdatei &log, std::stop_token stop, std::atomic<qint64> &geschafft,
                 qint64 blockZeilen = BlockZeilen);

} // namespace Suche
