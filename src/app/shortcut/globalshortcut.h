#pragma once

#include "engine/preferencekey.h"
#include "app/shortcut/globalshortcutsportal.h"

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <QList>
#include <QObject>

#include <optional>

namespace Engine {
class Preferences;
}

namespace App {

// A system-wide key combination recorded under a name and stored in the preferences; while the
// application runs it is grabbed (X11: a passive key grab on the root window, once per
// combination of the Caps Lock and Num Lock states) and activated() fires when it is released.
// Wayland offers applications no key grabs; there the desktop portal's global shortcuts take the
// combination as a wish, the desktop decides the keys, and without that portal the shortcut
// reports itself unavailable.
class GlobalShortcut : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    enum class Status
    {
        NotSet,      // nothing recorded
        Active,      // grabbed; presses arrive
        Taken,       // another program holds the combination
        Invalid,     // a combination that cannot be grabbed (no such key on this keyboard, modifiers only)
        Unavailable, // the session cannot grab keys at all (see unavailableReason())
        Pending,     // asked the desktop portal, which may be showing the user a prompt
        Declined,    // the user said no in the desktop's prompt
        Refused      // the desktop portal rejected the shortcut
    };
    Q_ENUM(Status)

    // The one name the application uses.
    static QString toggleMainWindowName() { return QStringLiteral("toggleMainWindow"); }

    // The key under which the combination named `name` is stored, in portable text; absent when
    // none is recorded.
    static Engine::PreferenceKey<std::optional<QString>> preferenceKey(const QString& name);

    // Grabs keys on X11, goes through the portal on the session bus under Wayland.
    GlobalShortcut(Engine::Preferences& preferences, QString name, QObject* parent = nullptr);
    // Always goes through the portal on `portalBus`, whatever the display.
    GlobalShortcut(Engine::Preferences& preferences, QString name, const QDBusConnection& portalBus,
                   QObject* parent = nullptr);
    ~GlobalShortcut() override;

    // Follows the stored combination from now on, grabbing each new one.
    void start();

    QString name() const { return m_name; }
    QKeySequence keySequence() const { return m_sequence; }
    Status status() const { return m_status; }
    // What the settings show under the recorder.
    QString statusText() const;

    // Why no global shortcut can work here, or nothing when one can (or may, while the portal
    // has not answered yet).
    std::optional<QString> unavailableReason() const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    void activated();
    void statusChanged(App::GlobalShortcut::Status status);

private:
    struct Grab
    {
        quint8 keycode = 0;
        quint16 modifiers = 0;
    };

    void usePortal(const QDBusConnection& bus);
    void setKeySequence(const QKeySequence& sequence);
    void bindThroughPortal(const QKeyCombination& combination);
    void portalFailed(GlobalShortcutsPortal::Failure failure);
    void setStatus(Status status);
    Status grab(const QKeyCombination& combination);
    void ungrab();

    Engine::Preferences& m_preferences;
    QString m_name;
    QKeySequence m_sequence;
    Status m_status = Status::NotSet;
    QList<Grab> m_grabs;
    quint16 m_modifiers = 0;        // the combination's own modifiers
    quint16 m_ignoredModifiers = 0; // Caps Lock and Num Lock
    bool m_filterInstalled = false;
    bool m_pressed = false;
    GlobalShortcutsPortal* m_portal = nullptr;
    bool m_portalMissing = false;
    QString m_portalTrigger; // the desktop's own text for the keys it assigned
};

} // namespace App
