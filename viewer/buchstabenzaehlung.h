#pragma once

#include <QtGlobal>

#include <array>
#include <atomic>
#include <stop_token>

class Logdatei;

// How often each letter stands in a whole log, counted a block of lines at
// a time on a thread of its own, which looks at the stop token between
// blocks and counts the lines done, for a progress bar.
struct Buchstabenzaehlung
{
    static constexpr qint64 BlockZeilen = 1 << 20; // 3 MiB read at a time

    std::array<qint64, 26> je{}; // A to Z
    qint64 fremde = 0;           // lines that are no letter and CR LF
    bool vollstaendig = false;   // not stopped

    static Buchstabenzaehlung zaehlen(const Logdatei &log, std::stop_token stop, std::atomic<qint64> &geschafft,
                                      qint64 blockZeilen = BlockZeilen);
};
