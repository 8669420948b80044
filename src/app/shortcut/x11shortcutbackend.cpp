#include "app/shortcut/x11shortcutbackend.h"

#include "app/x11/xcbconnection.h"
#include "app/x11/xcbreply.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QKeySequence>
#include <QLoggingCategory>

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace App {

namespace {

Q_LOGGING_CATEGORY(lcShortcut, "org.veltqorv.VeltQorv.GlobalShortcut")

// Keys that are not characters, by their X keysym names.
xkb_keysym_t namedKeysym(Qt::Key key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return xkb_keysym_from_name(qPrintable(QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1)),
                                    XKB_KEYSYM_NO_FLAGS);
    static const QHash<Qt::Key, const char*> names{
        {Qt::Key_Escape, "Escape"}, {Qt::Key_Tab, "Tab"},        {Qt::Key_Backspace, "BackSpace"},
        {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "KP_Enter"}, {Qt::Key_Insert, "Insert"},
        {Qt::Key_Delete, "Delete"}, {Qt::Key_Pause, "Pause"},    {Qt::Key_Print, "Print"},
        {Qt::Key_Home, "Home"},     {Qt::Key_End, "End"},        {Qt::Key_Left, "Left"},
        {Qt::Key_Up, "Up"},         {Qt::Key_Right, "Right"},    {Qt::Key_Down, "Down"},
        {Qt::Key_PageUp, "Prior"},  {Qt::Key_PageDown, "Next"},  {Qt::Key_Menu, "Menu"},
    };
    const char* name = names.value(key);
    return name ? xkb_keysym_from_name(name, XKB_KEYSYM_NO_FLAGS) : XKB_KEY_NoSymbol;
}

// Qt's key codes to X keysyms. Qt names letters by their upper case; the key itself types the
// lower case.
xkb_keysym_t keysymForKey(Qt::Key key)
{
    if (key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis)
        return xkb_utf32_to_keysym(QChar::toLower(static_cast<char32_t>(key)));
    return namedKeysym(key);
}

quint16 x11Modifiers(Qt::KeyboardModifiers modifiers)
{
    quint16 mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

struct ContextDeleter
{
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};
struct KeymapDeleter
{
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
using Keymap = std::unique_ptr<xkb_keymap, KeymapDeleter>;

// The server's current keyboard layout, read afresh for each grab so that a layout switched
// since start counts.
Keymap currentKeymap(xcb_connection_t* connection)
{
    if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr,
                                     nullptr))
        return nullptr;
    const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    const std::unique_ptr<xkb_context, ContextDeleter> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (device < 0 || !context)
        return nullptr;
    return Keymap(
        xkb_x11_keymap_new_from_device(context.get(), connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

struct KeyLocation
{
    xkb_keycode_t keycode = XKB_KEYCODE_INVALID;
    bool shifted = false; // reached only with Shift ("!" on the "1" key)
};

// The key of the first layout that types `keysym`, plain rather than shifted where both exist.
KeyLocation locate(xkb_keymap* keymap, xkb_keysym_t keysym)
{
    struct Search
    {
        xkb_keysym_t keysym;
        KeyLocation plain;
        KeyLocation shifted;
    } search{keysym, {}, {}};
    xkb_keymap_key_for_each(
        keymap,
        [](xkb_keymap* map, xkb_keycode_t keycode, void* data) {
            auto* state = static_cast<Search*>(data);
            for (xkb_level_index_t level = 0; level < 2; ++level) {
                const xkb_keysym_t* syms = nullptr;
                const int count = xkb_keymap_key_get_syms_by_level(map, keycode, 0, level, &syms);
                KeyLocation& found = level == 0 ? state->plain : state->shifted;
                if (found.keycode == XKB_KEYCODE_INVALID &&
                    std::find(syms, syms + count, state->keysym) != syms + count)
                    found = {keycode, level == 1};
            }
        },
        &search);
    return search.plain.keycode != XKB_KEYCODE_INVALID ? search.plain : search.shifted;
}

// The modifier bit that Num Lock sets on this keyboard (Mod2 on nearly every layout).
quint16 numLockMask(xcb_connection_t* connection, xkb_keymap* keymap)
{
    const xkb_keycode_t numLock = locate(keymap, XKB_KEY_Num_Lock).keycode;
    const XcbReply<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (numLock == XKB_KEYCODE_INVALID || !mapping)
        return XCB_MOD_MASK_2;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            if (codes[modifier * perModifier + i] == numLock)
                return static_cast<quint16>(1u << modifier);
        }
    }
    return XCB_MOD_MASK_2;
}

} // namespace

X11ShortcutBackend::~X11ShortcutBackend()
{
    ungrab();
    if (m_filterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11ShortcutBackend::start()
{
    if (!m_filterInstalled && QCoreApplication::instance()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filterInstalled = true;
    }
}

void X11ShortcutBackend::bind(const QString& id, const QString& description, QKeyCombination combination)
{
    Q_UNUSED(id)
    Q_UNUSED(description)
    ungrab();
    Q_EMIT statusChanged(unavailableReason() ? GlobalShortcut::Status::Unavailable : grab(combination));
}

void X11ShortcutBackend::release()
{
    ungrab();
}

std::optional<QString> X11ShortcutBackend::unavailableReason() const
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") && XcbConnection(XcbConnection::Source::Application).isUsable())
        return std::nullopt;
    return tr("Global shortcuts are not available on this display (%1).").arg(platform);
}

QString X11ShortcutBackend::activeText(const QString& keys) const
{
    return tr("Press %1 anywhere to show or hide the main window.").arg(keys);
}

GlobalShortcut::Status X11ShortcutBackend::grab(const QKeyCombination& combination)
{
    const XcbConnection x11(XcbConnection::Source::Application);
    xcb_connection_t* connection = x11.get();
    const xcb_window_t root = x11.root();
    const xkb_keysym_t keysym = keysymForKey(combination.key());
    if (keysym == XKB_KEY_NoSymbol || root == XCB_WINDOW_NONE)
        return GlobalShortcut::Status::Invalid;

    const Keymap keymap = currentKeymap(connection);
    if (!keymap)
        return GlobalShortcut::Status::Invalid;
    const KeyLocation key = locate(keymap.get(), keysym);
    // Core X requests carry 8-bit keycodes.
    if (key.keycode == XKB_KEYCODE_INVALID || key.keycode > 255)
        return GlobalShortcut::Status::Invalid;
    const auto keycode = static_cast<xcb_keycode_t>(key.keycode);

    quint16 modifiers = x11Modifiers(combination.keyboardModifiers());
    // A symbol reached only with Shift arrives with Shift held.
    if (key.shifted)
        modifiers |= XCB_MOD_MASK_SHIFT;
    const quint16 numLock = numLockMask(connection, keymap.get());
    m_modifiers = modifiers;
    m_ignoredModifiers = numLock | XCB_MOD_MASK_LOCK;

    // Grab once for each state of the lock keys, or the shortcut dies whenever Num Lock is on.
    const quint16 lockStates[] = {0, XCB_MOD_MASK_LOCK, numLock,
                                  static_cast<quint16>(numLock | XCB_MOD_MASK_LOCK)};
    QList<xcb_void_cookie_t> cookies;
    for (const quint16 locks : lockStates) {
        const quint16 mask = modifiers | locks;
        cookies.append(xcb_grab_key_checked(connection, 1, root, mask, keycode, XCB_GRAB_MODE_ASYNC,
                                            XCB_GRAB_MODE_ASYNC));
        m_grabs.append({keycode, mask});
    }
    bool taken = false;
    bool failed = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        const XcbReply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
        if (!error)
            continue;
        if (error->error_code == XCB_ACCESS)
            taken = true;
        else
            failed = true;
    }
    if (taken || failed) {
        ungrab();
        qCInfo(lcShortcut) << "could not grab"
                           << QKeySequence(combination).toString(QKeySequence::PortableText)
                           << (taken ? "(held by another program)" : "(refused by the display)");
        return taken ? GlobalShortcut::Status::Taken : GlobalShortcut::Status::Invalid;
    }
    return GlobalShortcut::Status::Active;
}

void X11ShortcutBackend::ungrab()
{
    if (m_grabs.isEmpty())
        return;
    const XcbConnection x11(XcbConnection::Source::Application);
    if (x11.isUsable()) {
        for (const Grab& grab : std::as_const(m_grabs))
            xcb_ungrab_key(x11.get(), grab.keycode, x11.root(), grab.modifiers);
        xcb_flush(x11.get());
    }
    m_grabs.clear();
    m_pressed = false;
}

bool X11ShortcutBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result)
{
    Q_UNUSED(result)
    if (m_grabs.isEmpty() || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const quint8 type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    const quint16 relevant = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4 |
                             XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_5;
    if (key->detail != m_grabs.first().keycode)
        return false;
    if (type == XCB_KEY_PRESS) {
        const quint16 state = key->state & relevant & ~m_ignoredModifiers;
        if (state != m_modifiers)
            return false;
        m_pressed = true;
        return true;
    }
    // The show/hide acts when the key is let go (the modifiers may already be up), so that its
    // release does not land in the window that has just come up.
    if (!m_pressed)
        return false;
    m_pressed = false;
    Q_EMIT activated();
    return true;
}

} // namespace App
