#include "library/busserviceprobe.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

namespace Library {

namespace {

template <typename T>
void whenAnswered(const QDBusPendingCall& call, QObject* context,
                  std::function<void(const QDBusPendingReply<T>&)> done)
{
    auto* watcher = new QDBusPendingCallWatcher(call, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [done = std::move(done)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         done(QDBusPendingReply<T>(*finished));
                     });
}

} // namespace

void BusServiceProbe::probe(const QDBusConnection& bus, const QString& service, QObject* context,
                            std::function<void(bool)> done)
{
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon) {
        QTimer::singleShot(0, context, [done = std::move(done)] { done(false); });
        return;
    }
    whenAnswered<bool>(
        daemon->asyncCall(QStringLiteral("NameHasOwner"), service), context,
        [bus, service, context, done = std::move(done)](const QDBusPendingReply<bool>& owned) mutable {
            QDBusConnectionInterface* busDaemon = bus.interface();
            if ((!owned.isError() && owned.value()) || !busDaemon) {
                done(!owned.isError() && owned.value());
                return;
            }
            // Servers are often started by the bus on the first call.
            whenAnswered<QStringList>(
                busDaemon->asyncCall(QStringLiteral("ListActivatableNames")), context,
                [service, done = std::move(done)](const QDBusPendingReply<QStringList>& names) {
                    done(!names.isError() && names.value().contains(service));
                });
        });
}

} // namespace Library
