#include "reserve.h"

#include <algorithm>

quint64 Reserve::roomBefore(const OutputFile::Space &space, quint64 span)
{
    const quint64 kept = std::min(space.total / 100 * 15, Maximum) + span;
    return space.available > kept ? space.available - kept : 0;
}
