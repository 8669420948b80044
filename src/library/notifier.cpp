#include "notifier.h"

#include "engine/logging.h"
#include "library/busserviceprobe.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QVariantMap>

namespace Library {

Notifier::Notifier(QObject* parent) : Notifier(QDBusConnection::sessionBus(), parent) {}

Notifier::Notifier(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus) {}

void Notifier::checkAuthorised(std::function<void(bool)> done)
{
    if (!m_allowed || !m_bus.isConnected()) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(false); });
        return;
    }
    BusServiceProbe::probe(m_bus, QString::fromLatin1(Service), this, std::move(done));
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
