#pragma once

#include <QString>

#include <optional>

// The command line, read before Qt starts, so that --help and --version
// work in a terminal without a display. Qt's own options (-platform,
// -style, ...) are left to Qt.
namespace Befehlszeile {

// Prints what was asked for, or what is wrong, and returns the status the
// program ends with; nothing where the window is to open.
std::optional<int> auswerten(int argc, const char *const argv[]);
// Whether runs are to write their record alone (--kompakt).
bool kompakt(int argc, const char *const argv[]);
// The platform chosen with -platform, or nothing.
QString plattform(int argc, const char *const argv[]);

} // namespace Befehlszeile
