#pragma once

#include "outputfile.h"

#include <QtGlobal>

// A run leaves free the smaller of 15 % of the log's file system and 4 GiB,
// as the system journal does, so that other programs can still save their
// files. It checks at every yield, a few milliseconds apart, in which no
// disk takes anywhere near CheckSpan; so it ends once the next CheckSpan
// would eat into the reserve, and the reserve stays whole.
namespace Reserve {

constexpr quint64 Maximum = quint64(4) << 30;
constexpr quint64 CheckSpan = quint64(64) << 20;
// A run's record grows by kilobytes a second: this much before the reserve
// is far more than it writes between two checks.
constexpr quint64 RecordSpan = quint64(1) << 20;

// What a run may still write on the disk before it ends, checking every
// span bytes at most.
quint64 roomBefore(const OutputFile::Space &space, quint64 span = CheckSpan);
inline bool eatenInto(const OutputFile::Space &space, quint64 span = CheckSpan)
{
    return roomBefore(space, span) == 0;
}

} // namespace Reserve
