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

// What a run may still write on the disk before it ends.
quint64 roomBefore(const OutputFile::Space &space);
inline bool eatenInto(const OutputFile::Space &space)
{
    return roomBefore(space) == 0;
}

} // namespace Reserve
