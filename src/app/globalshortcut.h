#pragma once

#include "engine/preferencekey.h"

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
// Wayland offers applications no key grabs, so there the shortcut reports itself unavailable.
class GlobalShortcut : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    enum class Status
    {
        NotSet,     // nothing recorded
        Active,     // grabbed; presses arrive
        Taken,      // another program holds the combination
        Invalid,    // a combination that cannot be grabbed (no such key on this keyboard, modifiers only)
        Unavailable // the session cannot grab keys at all (see unavailableReason())
    };
    Q_ENUM(Status)

    // The one name the application uses.
    static QString toggleMainWindowName() { return QStringLiteral("toggleMainWindow"); }

    // The key under which the combination named `name` is stored, in portable text; absent when
    // none is recorded.
    static Engine::PreferenceKey<std::optional<QString>> preferenceKey(const QString& name);

    GlobalShortcut(Engine::Preferences& preferences, QString name, QObject* parent = nullptr);
    ~GlobalShortcut() override;

    // Follows the stored combination from now on, grabbing each new one.
    void start();

    QString name() const { return m_name; }
    QKeySequence keySequence() const { return m_sequence; }
    Status status() const { return m_status; }
    // What the settings show under the recorder.
    QString statusText() const;

    // Why this session cannot grab keys, or nothing when it can.
    static std::optional<QString> unavailableReason();

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

    void setKeySequence(const QKeySequence& sequence);
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
};

} // namespace App
