#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QKeySequenceEdit;
class QLabel;
class QPushButton;

namespace Engine {
class Preferences;
}

namespace App {

class GlobalShortcut;
class NotificationPermission;

// The "General" tab: appearance, launch at login, notifications, the show/hide shortcut and
// automatic update checks.
class SettingsGeneralView : public QWidget
{
    Q_OBJECT
public:
    // `shortcut` reports whether the recorded combination could be grabbed; without it the
    // recorder still stores the combination.
    SettingsGeneralView(Engine::Preferences& preferences, GlobalShortcut* shortcut,
                        QWidget* parent = nullptr);

    QComboBox* appearancePicker() const { return m_appearance; }
    QCheckBox* launchAtLoginToggle() const { return m_launchAtLogin; }
    QLabel* launchAtLoginError() const { return m_launchAtLoginError; }
    QLabel* notificationStatus() const { return m_notificationStatus; }
    QPushButton* notificationEnableButton() const { return m_notificationEnable; }
    QLabel* notificationAdvice() const { return m_notificationAdvice; }
    QKeySequenceEdit* shortcutRecorder() const { return m_shortcutRecorder; }
    QPushButton* shortcutClearButton() const { return m_shortcutClear; }
    QLabel* shortcutStatus() const { return m_shortcutStatus; }
    QCheckBox* autoCheckToggle() const { return m_autoCheck; }
    NotificationPermission* notificationPermission() const { return m_notifications; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void readLaunchAtLogin();
    void setLaunchAtLogin(bool enabled);
    void showNotificationState(bool authorized, bool answered);
    void storeShortcut();
    void showShortcutState();

    Engine::Preferences& m_preferences;
    GlobalShortcut* m_shortcut;
    NotificationPermission* m_notifications;
    QComboBox* m_appearance;
    QCheckBox* m_launchAtLogin;
    QLabel* m_launchAtLoginError;
    QLabel* m_notificationStatus;
    QPushButton* m_notificationEnable;
    QLabel* m_notificationAdvice;
    QKeySequenceEdit* m_shortcutRecorder;
    QPushButton* m_shortcutClear;
    QLabel* m_shortcutStatus;
    QCheckBox* m_autoCheck;
};

} // namespace App
