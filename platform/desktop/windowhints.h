#pragma once

#include <QString>

class QWidget;

// What the window system needs to be told beyond Qt's window flags.
namespace WindowHints {

// Keeps a top-level window out of the task bar. Call it right after the
// window is first shown; on platforms other than X11 it does nothing.
void skipTaskbar(QWidget *window);

// Chooses X where a Wayland session also offers it (XWayland), as the
// window's hints (fixed size, centred, no task bar entry, boxes over the
// window) hold there and not on Wayland; a platform the user chose, given
// here or in QT_QPA_PLATFORM, stands. On Wayland itself Qt's own title bar
// is left off: it offers to maximize a fixed-size window, which the
// compositor answers by ending the program. Call it before the application
// object is made.
void choosePlatform(const QString &chosen);

} // namespace WindowHints
