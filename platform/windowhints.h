#pragma once

class QWidget;

// What the window system needs to be told beyond Qt's window flags.
namespace WindowHints {

// Keeps a top-level window out of the task bar. Call it before the window
// is first shown; on platforms other than X11 it does nothing.
void skipTaskbar(QWidget *window);

} // namespace WindowHints
