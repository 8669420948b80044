#include "application.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace App {

void Application::applyIdentity()
{
    QCoreApplication::setOrganizationName(name());
    QCoreApplication::setApplicationName(name());
    QCoreApplication::setApplicationVersion(version());
    QGuiApplication::setDesktopFileName(id());
}

} // namespace App
