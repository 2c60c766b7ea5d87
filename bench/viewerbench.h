#pragma once

#include <QString>

// The log viewer on a 3 GB log: how long from its start to the last row
// painted, how long a backward search from the end takes to find letters
// at the very start, and its peak memory. The viewer runs in a process of
// its own, this benchmark started again with --viewer LOG. Then a record of
// 10^12 letters: from the viewer's start to its rows painted
// (--viewer-open RECORD), and the letters a second of a search through it
// against one through the log.
namespace ViewerBench {

void run(const QString &folder, const QString &benchProgram);
int child(const QString &log, bool find = true);

} // namespace ViewerBench
