#pragma once

#include <QWidget>

class QTabWidget;

namespace Engine {
class Preferences;
}

namespace App {

class GlobalShortcut;
class SettingsDownloadView;
class SettingsGeneralView;
class SettingsMouseTrackpadView;

// The settings window. Every control edits its preference key at once and follows changes made
// anywhere else, so it may stay open beside the main window.
class SettingsWindow : public QWidget
{
    Q_OBJECT
public:
    // Tabs in order; `advanced` is declared for later use and shown nowhere.
    enum class Tab
    {
        general,
        download,
        mouseTrackpad,
        binSetup,
        donation,
        advanced
    };
    Q_ENUM(Tab)

    // `binView` is the tool setup shown in the "Command-line" tab (ownership passes to the
    // window); `shortcut` reports the state of the show/hide shortcut under its recorder.
    SettingsWindow(Engine::Preferences& preferences, GlobalShortcut* shortcut, QWidget* binView,
                   QWidget* parent = nullptr);

    static QString tabTitle(Tab tab);

    QTabWidget* tabs() const { return m_tabs; }
    SettingsGeneralView* generalView() const { return m_general; }
    SettingsDownloadView* downloadView() const { return m_download; }
    SettingsMouseTrackpadView* mouseTrackpadView() const { return m_mouseTrackpad; }

    void showTab(Tab tab);

private:
    QTabWidget* m_tabs;
    SettingsGeneralView* m_general;
    SettingsDownloadView* m_download;
    SettingsMouseTrackpadView* m_mouseTrackpad;
};

} // namespace App
