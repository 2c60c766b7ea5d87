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

// Whether the folder is where the program was installed: under /usr, or
// beside the share folder that holds its desktop entry (any prefix, a
// package unpacked into another root too). Programs never write there.
bool isInstallationFolder(const QString &folder);
// Whether the user may create and remove files in the directory.
bool isWritableDirectory(const QString &path);
// The user's data folder for the program, created where it is missing. Its
// path is returned even where it could not be created, so that a file opened
// there later reports the failure with the place it concerns.
QString userDataDirectory();

// Whether an entry other than a directory stands under the name; a link
// counts as such an entry and is not followed.
bool exists(const QString &path);
// Removes the entry (a link, not its target); throws RuntimeError.
void remove(const QString &path);

// Creates the file or empties it, and opens it for writing: the log's and
// the record's one way in. A symbolic link under the name is refused, never
// followed. Throws RuntimeError.
int openForWriting(const QString &path);
// Closes a file that was written; a failure throws RuntimeError, as the
// last of what was written may not have reached the disk.
void closeWritten(int fd, const QString &path);

// Reads at an offset of an open file, as much as is there: the end, or an
// error, ends what comes. How many bytes came.
qint64 readAt(int fd, qint64 offset, char *buffer, qint64 size);

} // namespace Files
