#pragma once

#include <QString>

namespace App {

// Identity of the application as the desktop, QSettings and QStandardPaths see it.
class Application
{
public:
    static QString name() { return QStringLiteral("VeltQorv"); }
    static QString id() { return QStringLiteral("org.veltqorv.VeltQorv"); }
    static QString version() { return QStringLiteral(VELTQORV_VERSION); }
    static QString build() { return QStringLiteral("1"); }
    // Sets the names on the running QCoreApplication.
    static void applyIdentity();
};

} // namespace App
