#pragma once

#include "app/desktop/appappearance.h"

#include <QDBusVariant>
#include <QObject>
#include <QPalette>

#include <optional>

namespace Engine {
class Preferences;
}

namespace App {

// Applies `appAppearance` to the whole application for the life of the process: the Fusion style
// with a light or dark palette. `system` follows the desktop's colour scheme as the settings
// portal (org.freedesktop.portal.Settings, "org.freedesktop.appearance" "color-scheme") reports
// it, and light where the desktop states no preference.
class AppearanceController : public QObject
{
    Q_OBJECT
public:
    explicit AppearanceController(Engine::Preferences& preferences, QObject* parent = nullptr);

    // Subscribes to the key (applying the stored value at once) and to the desktop's scheme.
    void start();

    // Whether the application is shown dark right now.
    bool isDark() const { return m_dark; }
    // The desktop's stated preference: true dark, false light, nothing when it states none.
    std::optional<bool> systemPrefersDark() const { return m_systemPrefersDark; }

    static QPalette lightPalette();
    static QPalette darkPalette();

    // The portal's "color-scheme" value: 1 prefers dark, 2 prefers light, anything else none.
    static std::optional<bool> prefersDarkFromColorScheme(uint value);

Q_SIGNALS:
    void applied(bool dark);

private Q_SLOTS:
    void portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void readPortal();
    void setSystemPrefersDark(std::optional<bool> dark);
    void apply();

    Engine::Preferences& m_preferences;
    App::AppAppearance m_appearance = App::AppAppearance::system;
    std::optional<bool> m_systemPrefersDark;
    bool m_dark = false;
    bool m_started = false;
};

} // namespace App
