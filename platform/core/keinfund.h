#pragma once

#include <QtGlobal>

// Nothing found: the one answer of every search, of a run's places, a
// text's letters and a record's entries, where there is none.
inline constexpr quint64 KeinFund = ~quint64(0);
