#pragma once

#include <QString>

// Hands a file to the desktop, which opens it in the viewer associated with
// its type. Returns whether the desktop took the request.
namespace Shell {

bool open(const QString &path);

} // namespace Shell
