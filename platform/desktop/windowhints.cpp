#include "windowhints.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

xcb_connection_t *x11Connection()
{
    // The offscreen platform offers the interface too, without a connection.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    return x11->connection();
}

} // namespace

void WindowHints::choosePlatform(const QString &chosen)
{
    QString platform = chosen.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : chosen;
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (platform.isEmpty() && wayland && qEnvironmentVariableIsSet("DISPLAY")) {
        platform = QStringLiteral("xcb");
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    const bool onWayland = platform.startsWith(QLatin1String("wayland")) || (platform.isEmpty() && wayland);
    if (onWayland && !qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}

void WindowHints::skipTaskbar(QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE || !screen)
        return;
    // Asked of the window manager once the window is mapped, as a change of
    // state: a window that carries the state from before its first map is
    // taken by some (openbox) as one never to give the focus to.
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = xcb_window_t(window->winId());
    request.type = state;
    request.data.data32[0] = 1; // add
    request.data.data32[1] = skip;
    request.data.data32[3] = 1; // asked by an application
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(connection);
}
