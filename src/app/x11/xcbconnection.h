#pragma once

#include <xcb/xcb.h>

namespace App {

// A connection to the X server with the root window of its screen. Either opened here, and
// closed with this object, or borrowed from Qt's xcb platform, which keeps it open.
class XcbConnection
{
public:
    enum class Source
    {
        Own,        // a connection of our own to $DISPLAY
        Application // the one the application's windows use; none when Qt is not on xcb
    };

    explicit XcbConnection(Source source);
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    // False when the server could not be reached or the connection broke since.
    bool isUsable() const;
    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    // The atom named `name`, created when the server has none yet; XCB_ATOM_NONE on failure.
    xcb_atom_t atom(const char* name) const;

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    bool m_owned = false;
};

} // namespace App
