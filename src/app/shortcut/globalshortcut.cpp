#include "app/shortcut/globalshortcut.h"

#include "engine/preferences.h"
#include "app/shortcut/portaltrigger.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace App {

namespace {

Q_LOGGING_CATEGORY(lcShortcut, "org.veltqorv.VeltQorv.GlobalShortcut")

constexpr xcb_keysym_t noKeysym = 0;
constexpr xcb_keysym_t numLockKeysym = 0xff7f;

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t* connection)
{
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    return screens.rem > 0 ? screens.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

// Qt's key codes to X keysyms. Latin-1 keys share their codes (letters as lower case).
xcb_keysym_t keysymForKey(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<xcb_keysym_t>(key - Qt::Key_A + 'a');
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return static_cast<xcb_keysym_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return static_cast<xcb_keysym_t>(0xffbe + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Backspace:
        return 0xff08;
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Enter:
        return 0xff8d;
    case Qt::Key_Insert:
        return 0xff63;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Pause:
        return 0xff13;
    case Qt::Key_Print:
        return 0xff61;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_End:
        return 0xff57;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    case Qt::Key_PageUp:
        return 0xff55;
    case Qt::Key_PageDown:
        return 0xff56;
    case Qt::Key_Menu:
        return 0xff67;
    default:
        return noKeysym;
    }
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

struct KeySymbolsDeleter
{
    void operator()(xcb_key_symbols_t* symbols) const { xcb_key_symbols_free(symbols); }
};
struct FreeDeleter
{
    void operator()(void* memory) const { std::free(memory); }
};

// The modifier bit that Num Lock sets on this keyboard (Mod2 on nearly every layout).
quint16 numLockMask(xcb_connection_t* connection, xcb_key_symbols_t* symbols)
{
    std::unique_ptr<xcb_keycode_t, FreeDeleter> numLockCodes(
        xcb_key_symbols_get_keycode(symbols, numLockKeysym));
    std::unique_ptr<xcb_get_modifier_mapping_reply_t, FreeDeleter> mapping(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!numLockCodes || !mapping)
        return XCB_MOD_MASK_2;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t code = codes[modifier * perModifier + i];
            for (const xcb_keycode_t* n = numLockCodes.get(); code != 0 && *n != XCB_NO_SYMBOL; ++n) {
                if (*n == code)
                    return static_cast<quint16>(1u << modifier);
            }
        }
    }
    return XCB_MOD_MASK_2;
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

Engine::PreferenceKey<std::optional<QString>> GlobalShortcut::preferenceKey(const QString& name)
{
    return {QStringLiteral("shortcuts/") + name, [] { return std::optional<QString>(); }};
}

GlobalShortcut::GlobalShortcut(Engine::Preferences& preferences, QString name, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_name(std::move(name))
{
    if (onWayland())
        usePortal(QDBusConnection::sessionBus());
}

GlobalShortcut::GlobalShortcut(Engine::Preferences& preferences, QString name,
                               const QDBusConnection& portalBus, QObject* parent)
    : QObject(parent), m_preferences(preferences), m_name(std::move(name))
{
    usePortal(portalBus);
}

void GlobalShortcut::usePortal(const QDBusConnection& bus)
{
    m_portal = new GlobalShortcutsPortal(bus, this);
    connect(m_portal, &GlobalShortcutsPortal::present, this, [this] {
        if (std::exchange(m_portalMissing, false))
            setStatus(m_status);
    });
    connect(m_portal, &GlobalShortcutsPortal::bound, this, [this](const QString& id, const QString& trigger) {
        if (id != m_name)
            return;
        m_portalMissing = false;
        m_portalTrigger = trigger;
        setStatus(Status::Active);
    });
    connect(m_portal, &GlobalShortcutsPortal::failed, this, &GlobalShortcut::portalFailed);
    connect(m_portal, &GlobalShortcutsPortal::activated, this, [this](const QString& id) {
        if (id == m_name && m_status == Status::Active)
            Q_EMIT activated();
    });
}

GlobalShortcut::~GlobalShortcut()
{
    ungrab();
    if (m_filterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<QString> GlobalShortcut::unavailableReason() const
{
    if (m_portal) {
        if (!m_portalMissing)
            return std::nullopt;
        return QStringLiteral(
            "Global shortcuts are not available in a Wayland session: the desktop does not let "
            "applications listen for keys pressed in other windows. Use your desktop's own "
            "keyboard settings to run \"veltqorv\" instead.");
    }
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") && x11Connection())
        return std::nullopt;
    return QStringLiteral("Global shortcuts are not available on this display (%1).").arg(platform);
}

void GlobalShortcut::start()
{
    if (!m_portal && !m_filterInstalled && QCoreApplication::instance()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filterInstalled = true;
    }
    m_preferences.subscribe<std::optional<QString>>(
        preferenceKey(m_name), this, [this](const std::optional<QString>& stored) {
            setKeySequence(stored ? QKeySequence::fromString(*stored, QKeySequence::PortableText)
                                  : QKeySequence());
        });
    // With a combination stored, binding it has already asked; without, the settings still need
    // to know whether recording one can work.
    if (m_portal && m_sequence.isEmpty())
        m_portal->probe();
}

void GlobalShortcut::setKeySequence(const QKeySequence& sequence)
{
    ungrab();
    m_sequence = sequence;
    if (sequence.isEmpty()) {
        if (m_portal)
            m_portal->release();
        setStatus(Status::NotSet);
        return;
    }
    if (m_portal) {
        bindThroughPortal(sequence[0]);
        return;
    }
    if (unavailableReason()) {
        setStatus(Status::Unavailable);
        return;
    }
    // A global shortcut is one combination; a longer recorded sequence uses its first.
    setStatus(grab(sequence[0]));
}

void GlobalShortcut::bindThroughPortal(const QKeyCombination& combination)
{
    const std::optional<QString> trigger = PortalTrigger::fromCombination(combination);
    if (!trigger) {
        m_portal->release();
        setStatus(Status::Invalid);
        return;
    }
    m_portalTrigger.clear();
    setStatus(Status::Pending);
    const QString description =
        m_name == toggleMainWindowName() ? QStringLiteral("Show or hide the VeltQorv window") : m_name;
    m_portal->bind(m_name, description, *trigger);
}

void GlobalShortcut::portalFailed(GlobalShortcutsPortal::Failure failure)
{
    switch (failure) {
    case GlobalShortcutsPortal::Failure::Missing:
        m_portalMissing = true;
        setStatus(m_sequence.isEmpty() ? Status::NotSet : Status::Unavailable);
        return;
    case GlobalShortcutsPortal::Failure::Declined:
        setStatus(Status::Declined);
        return;
    case GlobalShortcutsPortal::Failure::Refused:
        setStatus(Status::Refused);
        return;
    }
}

void GlobalShortcut::setStatus(Status status)
{
    m_status = status;
    Q_EMIT statusChanged(status);
}

GlobalShortcut::Status GlobalShortcut::grab(const QKeyCombination& combination)
{
    xcb_connection_t* connection = x11Connection();
    const xcb_window_t root = rootWindow(connection);
    const xcb_keysym_t keysym = keysymForKey(combination.key());
    if (keysym == noKeysym || root == XCB_WINDOW_NONE)
        return Status::Invalid;

    std::unique_ptr<xcb_key_symbols_t, KeySymbolsDeleter> symbols(xcb_key_symbols_alloc(connection));
    if (!symbols)
        return Status::Invalid;
    std::unique_ptr<xcb_keycode_t, FreeDeleter> keycodes(xcb_key_symbols_get_keycode(symbols.get(), keysym));
    if (!keycodes || *keycodes == XCB_NO_SYMBOL)
        return Status::Invalid;
    const xcb_keycode_t keycode = *keycodes;

    quint16 modifiers = x11Modifiers(combination.keyboardModifiers());
    // A symbol reached only with Shift ("!" on the "1" key) arrives with Shift held.
    if (xcb_key_symbols_get_keysym(symbols.get(), keycode, 0) != keysym &&
        xcb_key_symbols_get_keysym(symbols.get(), keycode, 1) == keysym)
        modifiers |= XCB_MOD_MASK_SHIFT;
    const quint16 numLock = numLockMask(connection, symbols.get());
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
        std::unique_ptr<xcb_generic_error_t, FreeDeleter> error(xcb_request_check(connection, cookie));
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
        return taken ? Status::Taken : Status::Invalid;
    }
    return Status::Active;
}

void GlobalShortcut::ungrab()
{
    if (m_grabs.isEmpty())
        return;
    if (xcb_connection_t* connection = x11Connection()) {
        const xcb_window_t root = rootWindow(connection);
        for (const Grab& grab : std::as_const(m_grabs))
            xcb_ungrab_key(connection, grab.keycode, root, grab.modifiers);
        xcb_flush(connection);
    }
    m_grabs.clear();
    m_pressed = false;
}

QString GlobalShortcut::statusText() const
{
    if (const std::optional<QString> reason = unavailableReason())
        return *reason;
    const QString keys =
        m_sequence.isEmpty() ? QString() : QKeySequence(m_sequence[0]).toString(QKeySequence::NativeText);
    switch (m_status) {
    case Status::NotSet:
        return QStringLiteral("No shortcut recorded.");
    case Status::Active:
        if (!m_portal)
            return QStringLiteral("Press %1 anywhere to show or hide the main window.").arg(keys);
        // The desktop may have assigned other keys than those recorded; its own text is the truth.
        if (m_portalTrigger.isEmpty())
            return QStringLiteral("The desktop accepted the shortcut but assigned it no keys. Choose them in "
                                  "your desktop's keyboard settings.");
        return QStringLiteral("Press %1 anywhere to show or hide the main window.").arg(m_portalTrigger);
    case Status::Pending:
        return QStringLiteral("Waiting for the desktop to accept %1…").arg(keys);
    case Status::Declined:
        return QStringLiteral("The shortcut was declined in the desktop's prompt, so %1 does nothing. Record "
                              "another combination, or clear it and record it again, to be asked once more.")
            .arg(keys);
    case Status::Refused:
        return QStringLiteral(
                   "The desktop did not accept %1 as a global shortcut. Record another combination, "
                   "or assign one in your desktop's keyboard settings.")
            .arg(keys);
    case Status::Taken:
        return QStringLiteral("%1 is already used by another program. Record another combination.").arg(keys);
    case Status::Invalid:
        return QStringLiteral("%1 cannot be used as a global shortcut. Record another combination.")
            .arg(keys);
    case Status::Unavailable:
        return unavailableReason().value_or(QString());
    }
    return {};
}

bool GlobalShortcut::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result)
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
