#pragma once

#include "keinfund.h"
#include "richtung.h"

#include <QByteArray>

#include <atomic>
#include <stop_token>

class Logdatei;

// Finds letters in a log's text, a block of lines at a time, on a thread of
// its own: it looks at the stop token between blocks and counts the lines
// it has done, for a progress bar. A record's letters are found by their
// places instead (Stellensuche).
namespace Textsuche {

constexpr qint64 BlockZeilen = 1 << 20; // 3 MiB read at a time

// The place (from 0) at which the letters start: the first at or after ab
// forwards, the last at or before ab backwards; KeinFund where there is
// none or the search was stopped. A record's through its places, in pieces
// of 16 blocks.
quint64 finden(const Logdatei &log, const QByteArray &buchstaben, quint64 ab, Richtung richtung,
               std::stop_token stop, std::atomic<qint64> &geschafft, qint64 blockZeilen = BlockZeilen);

} // namespace Textsuche
