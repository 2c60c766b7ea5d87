#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Starts the program's own log viewer, which lies beside the program,
// detached, so that it stays open after the program ends.
namespace ViewerStart {

// The viewer as a user types it in a terminal: its name where the search
// path finds it there, else its path.
QString command();
// Whether the viewer started.
bool start(const QStringList &arguments);
// Sends every start to the handler instead, as QDesktopServices::setUrlHandler
// does for opens; an empty one restores the real start.
void setHandler(std::function<bool(const QStringList &arguments)> handler);

} // namespace ViewerStart
