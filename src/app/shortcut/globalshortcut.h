#pragma once

#include "engine/preferencekey.h"

#include <QDBusConnection>
#include <QKeySequence>
#include <QObject>

#include <optional>

namespace Engine {
class Preferences;
}

namespace App {

class ShortcutBackend;

// A system-wide key combination recorded under a name and stored in the preferences; while the
// application runs it is bound through the session's backend (a key grab on X11, the desktop
// portal on Wayland) and activated() fires when it is used.
class GlobalShortcut : public QObject
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

Q_SIGNALS:
    void activated();
    void statusChanged(App::GlobalShortcut::Status status);

private:
    void connectBackend();
    void setKeySequence(const QKeySequence& sequence);
    void setStatus(Status status);

    Engine::Preferences& m_preferences;
    QString m_name;
    ShortcutBackend* m_backend = nullptr;
    QKeySequence m_sequence;
    Status m_status = Status::NotSet;
};

} // namespace App
