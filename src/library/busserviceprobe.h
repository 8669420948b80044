#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace Library {

// Whether a D-Bus service can be reached: it has an owner now, or the bus starts it on the first
// call. Asked asynchronously, so that the caller's thread never waits for the bus.
class BusServiceProbe
{
public:
    // `done` runs once on the event loop, unless `context` is destroyed first.
    static void probe(const QDBusConnection& bus, const QString& service, QObject* context,
                      std::function<void(bool)> done);
};

} // namespace Library
