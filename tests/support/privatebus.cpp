#include "privatebus.h"

#include <QDir>
#include <QFile>

namespace TestSupport {

PrivateBus::PrivateBus(const QStringList& activatable)
{
    const QString services = m_dir.filePath(QStringLiteral("services"));
    QDir().mkpath(services);
    for (const QString& name : activatable) {
        QFile service(services + QLatin1Char('/') + name + QStringLiteral(".service"));
        if (service.open(QIODevice::WriteOnly))
            service.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=/bin/false\n").arg(name).toUtf8());
    }
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    if (config.open(QIODevice::WriteOnly)) {
        config.write(QStringLiteral(
                         "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\""
                         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                         "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                         "<servicedir>%2</servicedir>"
                         "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                         "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
                         .arg(m_dir.path(), services)
                         .toUtf8());
        config.close();
    }
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--print-address"),
                    QStringLiteral("--nofork")});
    while (m_address.isEmpty() && m_daemon.waitForReadyRead(10000))
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    for (const QString& name : std::as_const(m_connections))
        QDBusConnection::disconnectFromBus(name);
    m_daemon.kill();
    m_daemon.waitForFinished(5000);
}

QDBusConnection PrivateBus::connect(const QString& name)
{
    m_connections += name;
    return QDBusConnection::connectToBus(m_address, name);
}

} // namespace TestSupport
