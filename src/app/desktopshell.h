#pragma once

#include <QObject>

namespace Library {
class MainModel;
}

namespace App {

class MainWindow;
class ToolInstaller;
class TrayIcon;
class UpdateChecker;

// The application's visible parts and how they meet: the main window, the tray entry with the
// running count, the update check and the tool installer, around the one MainModel. Quitting
// always stops every running download first; without a tray, closing the window quits, since
// nothing else would lead back to the application.
class DesktopShell : public QObject
{
    Q_OBJECT
public:
    explicit DesktopShell(Library::MainModel& model, QObject* parent = nullptr);
    ~DesktopShell() override;

    MainWindow& window() const { return *m_window; }
    TrayIcon& tray() const { return *m_tray; }
    UpdateChecker& updates() const { return *m_updates; }
    ToolInstaller& installer() const { return *m_installer; }
    bool isQuitting() const { return m_quitting; }

    // Shows the tray entry (where there is a tray) and the window, and starts the update schedule.
    void start();

public Q_SLOTS:
    // Stops every download, then emits finished(); later calls do nothing.
    void quit();

Q_SIGNALS:
    // Every download has stopped (or the wait ran out): the process may end.
    void finished();

private:
    Library::MainModel& m_model;
    ToolInstaller* m_installer;
    UpdateChecker* m_updates;
    MainWindow* m_window;
    TrayIcon* m_tray;
    bool m_quitting = false;
};

} // namespace App
