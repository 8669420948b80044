#include "notifier.h"

#include "engine/logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QVariantMap>

namespace Library {

namespace {

const QString DBusService = QStringLiteral("org.freedesktop.DBus");
const QString DBusPath = QStringLiteral("/org/freedesktop/DBus");

// Calls `method` of the bus itself and hands its reply to `done` on the event loop.
void askBus(const QDBusConnection& bus, const QString& method, const QVariantList& arguments,
            QObject* context, std::function<void(const QDBusMessage&)> done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(DBusService, DBusPath, DBusService, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        done(watcher->reply());
    });
}

} // namespace

Notifier::Notifier(QObject* parent) : Notifier(QDBusConnection::sessionBus(), parent) {}

Notifier::Notifier(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus) {}

void Notifier::checkAuthorised(std::function<void(bool)> done)
{
    if (!m_allowed || !m_bus.isConnected()) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(false); });
        return;
    }
    const QString service = QString::fromLatin1(Service);
    askBus(m_bus, QStringLiteral("NameHasOwner"), {service}, this,
           [this, service, done = std::move(done)](const QDBusMessage& owner) mutable {
               if (owner.type() == QDBusMessage::ReplyMessage && !owner.arguments().isEmpty() &&
                   owner.arguments().first().toBool()) {
                   done(true);
                   return;
               }
               // Servers are often started by the bus on the first call.
               askBus(m_bus, QStringLiteral("ListActivatableNames"), {}, this,
                      [service, done = std::move(done)](const QDBusMessage& names) {
                          done(names.type() == QDBusMessage::ReplyMessage && !names.arguments().isEmpty() &&
                               names.arguments().first().toStringList().contains(service));
                      });
           });
}

void Notifier::post(const QString& title, const QString& subtitle, double delaySeconds)
{
    const int delayMs = static_cast<int>(std::max(1.0, delaySeconds) * 1000);
    QTimer::singleShot(delayMs, this, [this, title, subtitle] {
        checkAuthorised([this, title, subtitle](bool authorised) {
            if (authorised)
                notify(title, subtitle);
        });
    });
}

void Notifier::notify(const QString& title, const QString& subtitle)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(Service), QStringLiteral("/org/freedesktop/Notifications"),
        QString::fromLatin1(Service), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.veltqorv.VeltQorv"));
    hints.insert(QStringLiteral("sound-name"), QStringLiteral("complete-download"));
    // Servers may read the body as markup; an address is shown as it is.
    call.setArguments({QStringLiteral("VeltQorv"), 0u, QStringLiteral("org.veltqorv.VeltQorv"), title,
                       subtitle.toHtmlEscaped(), QStringList(), hints, -1});
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            // A server that went away in between is the same as none.
            if (reply.error().type() == QDBusError::ServiceUnknown)
                return;
            qCWarning(Engine::lcMain, "%s", qUtf8Printable(reply.error().message()));
            Q_EMIT failed(reply.error().message());
            return;
        }
        Q_EMIT posted(reply.value());
    });
}

} // namespace Library
