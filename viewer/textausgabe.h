#pragma once

#include <QString>

// A run's record as text on standard output, byte for byte the log of the
// same run, for cmp, grep and the rest; what kept it from its end, on
// standard error.
namespace Textausgabe {

// The status to end with: 0, or 1 where the file is no record, standard
// output took no more, or the record is cut short or damaged.
int schreiben(const QString &path);

} // namespace Textausgabe
