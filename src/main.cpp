#include "app/application.h"
#include "app/desktopshell.h"
#include "app/incomingaddresshandler.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/symbolicon.h"
#include "capture/chrono.h"
#include "engine/preferences.h"
#include "library/mainmodel.h"
#include "library/notifier.h"
#include "library/store.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QTimer>

namespace {

// VELTQORV_SCREENSHOT=<file.png>: once the window is up, save a picture of it and quit
// (the README's screenshot is made this way).
void scheduleScreenshot(App::DesktopShell& shell)
{
    const QString target =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("VELTQORV_SCREENSHOT"));
    if (target.isEmpty())
        return;
    QTimer::singleShot(1500, &shell, [&shell, target] {
        if (!shell.window().grab().save(target))
            qWarning("could not save the screenshot to %s", qPrintable(target));
        shell.quit();
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    App::Application::applyIdentity();

    // One instance per user: a later start (a browser opening a veltqorv:// address) hands its
    // arguments to the running one and leaves.
    const QStringList handedOver = QApplication::arguments().mid(1);
    App::SingleInstance instance;
    const App::SingleInstance::Role role = instance.start(handedOver);
    if (role == App::SingleInstance::Role::Forwarded)
        return 0;
    if (role == App::SingleInstance::Role::Failed)
        qWarning("running without the single-instance socket: %s", qPrintable(instance.errorString()));
    App::IncomingAddressHandler incoming;
    QObject::connect(&instance, &App::SingleInstance::messageReceived, &incoming,
                     &App::IncomingAddressHandler::handleArguments);
    QApplication::setWindowIcon(App::SymbolIcon::applicationIcon());
    // Closing the window leaves the application in the tray; quitting is explicit.
    QApplication::setQuitOnLastWindowClosed(false);

    Library::Store store;
    if (!store.open(Library::Store::defaultPath())) {
        QMessageBox::critical(nullptr, App::Application::name(),
                              QObject::tr("%1 cannot open its list of downloads.\n\n%2")
                                  .arg(App::Application::name(), store.errorMessage()));
        return 1;
    }

    Library::Notifier notifier;
    Library::MainModel model(store, Engine::Preferences::instance(), &Capture::Chrono::shared(), &notifier);
    App::DesktopShell shell(model);
    QObject::connect(&shell, &App::DesktopShell::finished, &application, &QCoreApplication::quit);

    model.startUp();
    shell.start();
    scheduleScreenshot(shell);
    incoming.handleArguments(handedOver);
    return QApplication::exec();
}
