#include "desktopshell.h"

#include "app/desktop/trayicon.h"
#include "app/tool/toolinstaller.h"
#include "app/update/updatechecker.h"
#include "app/window/mainwindow.h"
#include "library/mainmodel.h"

namespace App {

namespace {

constexpr int shutdownWaitMs = 3000;

} // namespace

DesktopShell::DesktopShell(Library::MainModel& model, QObject* parent)
    : QObject(parent), m_model(model), m_installer(new ToolInstaller(model.preferences(), this)),
      m_updates(new UpdateChecker(model.preferences(), this)),
      m_window(new MainWindow(model, *m_installer, m_updates)), m_tray(new TrayIcon(this))
{
    connect(m_window, &MainWindow::quitRequested, this, &DesktopShell::quit);
    connect(m_window, &MainWindow::closed, this, [this] {
        if (!m_tray->isVisible())
            quit();
    });
    connect(m_tray, &TrayIcon::quitRequested, this, &DesktopShell::quit);
    connect(m_tray, &TrayIcon::showMainWindowRequested, m_window, &MainWindow::showAndRaise);
    connect(m_tray, &TrayIcon::toggleMainWindowRequested, m_window, &MainWindow::toggleVisibility);
    connect(m_tray, &TrayIcon::addFromClipboardRequested, m_window, &MainWindow::addFromClipboard);
    connect(m_tray, &TrayIcon::checkForUpdatesRequested, m_updates, &UpdateChecker::checkForUpdates);
    connect(m_updates, &UpdateChecker::canCheckForUpdatesChanged, m_tray, &TrayIcon::setCanCheckForUpdates);
    connect(m_updates, &UpdateChecker::checkFinished, m_window, &MainWindow::presentUpdateCheck);
    connect(&m_model, &Library::MainModel::runningCountChanged, m_tray, &TrayIcon::setCount);
    m_tray->setCount(m_model.runningCount());
}

DesktopShell::~DesktopShell()
{
    delete m_window;
}

void DesktopShell::start()
{
    m_tray->show();
    m_updates->start();
    m_window->show();
}

void DesktopShell::quit()
{
    if (m_quitting)
        return;
    m_quitting = true;
    m_window->hide();
    m_model.shutdown(shutdownWaitMs, [this] { Q_EMIT finished(); });
}

} // namespace App
