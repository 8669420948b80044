#include "app/x11/xcbconnection.h"

#include "app/x11/xcbreply.h"

#include <QGuiApplication>

#include <cstring>

namespace App {

XcbConnection::XcbConnection(Source source)
{
    int screenNumber = 0;
    if (source == Source::Own) {
        m_connection = xcb_connect(nullptr, &screenNumber);
        m_owned = true; // xcb_connect returns an object to disconnect even when it fails
    } else if (auto* x11 =
                   qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        m_connection = x11->connection();
    }
    if (!isUsable())
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem > 0)
        m_root = screens.data->root;
}

XcbConnection::~XcbConnection()
{
    if (m_owned && m_connection)
        xcb_disconnect(m_connection); // takes our windows, grabs and selections with it
}

bool XcbConnection::isUsable() const
{
    return m_connection && !xcb_connection_has_error(m_connection);
}

xcb_atom_t XcbConnection::atom(const char* name) const
{
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, length, name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

} // namespace App
