#include "app/application.h"
#include "app/choice/videopreview.h"
#include "app/desktop/appearancecontroller.h"
#include "app/desktop/commandline.h"
#include "app/desktop/handoverbar.h"
#include "app/desktop/handovergate.h"
#include "app/desktop/incomingaddresshandler.h"
#include "app/desktop/singleinstance.h"
#include "app/desktop/translationloader.h"
#include "app/desktopshell.h"
#include "app/gesture/gesturecontroller.h"
#include "app/settings/settingswindow.h"
#include "app/shortcut/globalshortcut.h"
#include "app/symbolicon.h"
#include "app/tool/toolsetupview.h"
#include "app/window/mainwindow.h"
#include "app/window/newdownloaddialog.h"
#include "capture/timephrase/chrono.h"
#include "engine/preferences.h"
#include "library/mainmodel.h"
#include "library/notifier.h"
#include "library/store.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// VELTQORV_SCREENSHOT=<file.png>: once the window is up, save a picture of it and quit
// (the README's screenshots are made this way). With VELTQORV_SCREENSHOT_URL=<address>, the
// picture is of the New Download window once it shows that address's details.
void scheduleScreenshot(App::DesktopShell& shell)
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString target = environment.value(QStringLiteral("VELTQORV_SCREENSHOT"));
    if (target.isEmpty())
        return;
    const auto save = [&shell, target](QWidget& widget) {
        if (!widget.grab().save(target))
            qWarning("could not save the screenshot to %s", qPrintable(target));
        shell.quit();
    };
    const QString address = environment.value(QStringLiteral("VELTQORV_SCREENSHOT_URL"));
    if (address.isEmpty()) {
        QTimer::singleShot(1500, &shell, [&shell, save] { save(shell.window()); });
        return;
    }
    QTimer::singleShot(500, &shell, [&shell, save, address] {
        QGuiApplication::clipboard()->setText(address);
        shell.window().showNewDownloadDialog();
        App::NewDownloadDialog* dialog = shell.window().newDownloadDialog();
        // The thumbnail comes last; a page without one is shot a little later anyway.
        QObject::connect(dialog->preview(), &App::VideoPreview::thumbnailShown, dialog, [dialog, save] {
            QTimer::singleShot(200, dialog, [dialog, save] { save(*dialog); });
        });
        QTimer::singleShot(20000, dialog, [dialog, save] { save(*dialog); });
    });
}

} // namespace

int main(int argc, char* argv[])
{
    // Help, the version and bad usage are answered by a bare core application, before the store or
    // another instance is touched, so they work in a terminal with no display.
    App::CommandLine::Result commandLine;
    {
        QCoreApplication terminal(argc, argv);
        App::Application::applyIdentity();
        App::TranslationLoader::install(terminal);
        commandLine =
            App::CommandLine::parse(QCoreApplication::arguments().mid(1), App::CommandLine::Source::own);
        switch (commandLine.action) {
        case App::CommandLine::Action::help:
        case App::CommandLine::Action::version:
            std::fputs(qPrintable(commandLine.text), stdout);
            return 0;
        case App::CommandLine::Action::refuse:
            std::fprintf(stderr, "%s: %s\n",
                         qPrintable(QFileInfo(QCoreApplication::arguments().constFirst()).fileName()),
                         qPrintable(commandLine.text));
            return 2;
        case App::CommandLine::Action::add:
            break;
        }
    }
    QApplication application(argc, argv);
    App::Application::applyIdentity();
    App::TranslationLoader::install(application);

    // One instance per user: a later start (a browser opening a veltqorv:// address) hands its
    // arguments to the running one and leaves.
    const QStringList handedOver = commandLine.handOver;
    App::SingleInstance instance;
    const App::SingleInstance::Role role = instance.start(handedOver);
    if (role == App::SingleInstance::Role::Forwarded)
        return 0;
    if (role == App::SingleInstance::Role::Failed)
        qWarning("running without the single-instance socket: %s", qPrintable(instance.errorString()));
    Engine::Preferences& preferences = Engine::Preferences::instance();
    App::IncomingAddressHandler incoming(preferences);
    QObject::connect(&instance, &App::SingleInstance::messageReceived, &incoming,
                     &App::IncomingAddressHandler::handleArguments);
    QApplication::setWindowIcon(App::SymbolIcon::applicationIcon());
    // Closing the window leaves the application in the tray; quitting is explicit.
    QApplication::setQuitOnLastWindowClosed(false);

    Library::Store store;
    if (!store.open(Library::Store::defaultPath())) {
        // Also on standard error, for a start from a terminal or a script with no one at the screen.
        qCritical("%s", qPrintable(store.errorMessage()));
        QMessageBox::critical(
            nullptr, App::Application::name(),
            QCoreApplication::translate("main", "%1 cannot open its list of downloads.\n\n%2")
                .arg(App::Application::name(), store.errorMessage()));
        return 1;
    }

    App::AppearanceController appearance(preferences);
    appearance.start();

    Library::Notifier notifier;
    Library::MainModel model(store, preferences, &Capture::Chrono::shared(), &notifier);
    const auto add = [&model](const QUrl& url, const std::optional<Engine::QorvConfig>& config) {
        model.add({url}, config);
    };
    App::HandoverGate handover(add);
    App::DesktopShell shell(model);
    QObject::connect(&shell, &App::DesktopShell::finished, &application, &QCoreApplication::quit);
    shell.window().addBar(new App::HandoverBar(handover));
    QObject::connect(&handover, &App::HandoverGate::waitingChanged, &shell.window(), [&shell](int count) {
        if (count > 0)
            shell.window().showAndRaise();
    });

    App::GlobalShortcut shortcut(preferences, App::GlobalShortcut::toggleMainWindowName());
    QObject::connect(&shortcut, &App::GlobalShortcut::activated, &shell.window(),
                     &App::MainWindow::toggleVisibility);
    shortcut.start();

    App::GestureController gesture(preferences);
    gesture.setAddLink([&model](const QUrl& url) { return !model.add({url}).isEmpty(); });

    // Made when first asked for; it may then stay open beside the main window.
    std::unique_ptr<App::SettingsWindow> settings;
    QObject::connect(&shell.window(), &App::MainWindow::settingsRequested, &application, [&] {
        if (!settings)
            settings = std::make_unique<App::SettingsWindow>(
                preferences, &shortcut, new App::ToolSetupView(shell.installer(), preferences));
        settings->show();
        settings->raise();
        settings->activateWindow();
    });

    model.startUp();
    shell.start();
    scheduleScreenshot(shell);
    // This process's own command line is the user's word; only what later starts hand over waits.
    // It goes the same way as theirs, read again as handed over.
    const QMetaObject::Connection direct =
        QObject::connect(&incoming, &App::IncomingAddressHandler::addressAccepted, &model, add);
    incoming.handleArguments(handedOver);
    QObject::disconnect(direct);
    QObject::connect(&incoming, &App::IncomingAddressHandler::addressAccepted, &handover,
                     &App::HandoverGate::offer);
    return QApplication::exec();
}
