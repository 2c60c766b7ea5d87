#pragma once

#include <QString>

// The runtime's file services that work on names rather than open files.
namespace Files {

// The directory of the running executable, without a trailing separator,
// unless redirected.
QString programDirectory();
// Redirects the program's own files, so that tests and benchmarks keep to
// a folder of their own.
void setProgramDirectory(const QString &directory);

// Whether an entry other than a directory stands under the name; a link
// counts as such an entry and is not followed.
bool exists(const QString &path);
// Removes the entry (a link, not its target); throws RuntimeError.
void remove(const QString &path);

} // namespace Files
