#include "app/shortcut/portalrequest.h"

#include <QDBusObjectPath>

#include <atomic>

namespace App {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString responseSignal = QStringLiteral("Response");

} // namespace

PortalRequest::PortalRequest(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus), m_token(newToken())
{
    // The portal names the request after the caller's unique name, ":1.42" becoming "1_42".
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    watch(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, m_token));
}

PortalRequest::~PortalRequest()
{
    unwatch();
}

QString PortalRequest::newToken()
{
    static std::atomic<int> counter = 0;
    return QStringLiteral("veltqorv%1").arg(++counter);
}

void PortalRequest::follow(const QDBusObjectPath& handle)
{
    if (handle.path() == m_path || handle.path().isEmpty())
        return;
    unwatch();
    watch(handle.path());
}

void PortalRequest::respond(uint response, const QVariantMap& results)
{
    // One answer per request; later ones on a reused path are not ours.
    unwatch();
    Q_EMIT answered(response, results);
}

void PortalRequest::watch(const QString& path)
{
    m_path = path;
    m_bus.connect(portalService, m_path, requestInterface, responseSignal, this,
                  SLOT(respond(uint, QVariantMap)));
}

void PortalRequest::unwatch()
{
    if (m_path.isEmpty())
        return;
    m_bus.disconnect(portalService, m_path, requestInterface, responseSignal, this,
                     SLOT(respond(uint, QVariantMap)));
    m_path.clear();
}

} // namespace App
