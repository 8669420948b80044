#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace Engine {
class Preferences;
}

namespace App {

// The "Gesture" tab: the drag-and-shake toggle and what the session allows of it. On X11 the
// gesture needs no permission; Wayland gives applications no view of the pointer over other
// windows, so there the toggle is off and cannot be turned on.
class SettingsMouseTrackpadView : public QWidget
{
    Q_OBJECT
public:
    explicit SettingsMouseTrackpadView(Engine::Preferences& preferences, QWidget* parent = nullptr);

    // Whether the session can follow drags in other applications (true on X11).
    static bool gestureAvailable();
    // The Markdown description under the toggle, for this session.
    static QString description();

    QCheckBox* shakeToggle() const { return m_enabled; }
    QLabel* descriptionLabel() const { return m_description; }

private:
    Engine::Preferences& m_preferences;
    QCheckBox* m_enabled;
    QLabel* m_description;
};

} // namespace App
