#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace TestSupport {

// A D-Bus session bus of the test's own (a dbus-daemon on a temporary socket), with nothing on
// it unless the test puts it there. Each name in `activatable` gets a service file whose program
// fails, so the bus lists it as startable and every start fails. Stopped when destroyed.
class PrivateBus
{
public:
    explicit PrivateBus(const QStringList& activatable = {});
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    // A connection to the bus under `name`, disconnected when the bus goes.
    QDBusConnection connect(const QString& name);

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

} // namespace TestSupport
