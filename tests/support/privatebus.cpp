#include "privatebus.h"

#include <QFile>

namespace TestSupport {

namespace {
void write(const QString& path, const QString& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
}
} // namespace

PrivateBus::PrivateBus(const QStringList& activatable)
{
    for (const QString& name : activatable)
        write(m_dir.filePath(name + QStringLiteral(".service")),
              QStringLiteral("[D-BUS Service]\nName=%1\nExec=/bin/false\n").arg(name));
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    write(config,
          QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\""
                         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                         "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                         "<servicedir>%1</servicedir>"
                         "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                         "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
              .arg(m_dir.path()));
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config, QStringLiteral("--print-address"),
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
