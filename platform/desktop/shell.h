#pragma once

#include <QString>

// Hands a file to the desktop, which opens it in the viewer associated with
// its type. Returns whether the desktop took the request.
namespace Shell {

bool open(const QString &path);
// Shows the file in the desktop's file manager, picked out where the file
// manager can (org.freedesktop.FileManager1), else its folder; a failure
// comes back as the folder's open does.
void showInFolder(const QString &path);

} // namespace Shell
