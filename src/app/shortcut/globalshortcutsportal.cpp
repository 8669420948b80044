#include "app/shortcut/globalshortcutsportal.h"

#include "app/shortcut/portalrequest.h"
#include "app/shortcut/portalshortcut.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>

#include <utility>

namespace App {

namespace {

Q_LOGGING_CATEGORY(lcPortal, "org.veltqorv.VeltQorv.GlobalShortcutsPortal")

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");

QDBusMessage shortcutsCall(const QString& method)
{
    return QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
}

// The session handle is documented as a string; some portals send an object path.
QString sessionHandle(const QVariantMap& results)
{
    const QVariant value = results.value(QStringLiteral("session_handle"));
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

GlobalShortcutsPortal::GlobalShortcutsPortal(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus)
{
    // Connections by slot name look the parameter types up by name, which only works for types
    // registered before; QDBusObjectPath otherwise is not until its first use.
    qRegisterMetaType<QDBusObjectPath>();
    PortalShortcut::registerDBusTypes();
    const bool activations =
        m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                      SLOT(shortcutActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    // The user may give the shortcut other keys in the desktop's settings at any time.
    const bool changes =
        m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("ShortcutsChanged"), this,
                      SLOT(shortcutsChanged(QDBusObjectPath, QList<App::PortalShortcut>)));
    if (m_bus.isConnected() && !(activations && changes))
        qCWarning(lcPortal) << "cannot follow the portal's shortcut signals";
}

GlobalShortcutsPortal::~GlobalShortcutsPortal()
{
    release();
}

template <typename Then> void GlobalShortcutsPortal::whenPresent(Then then)
{
    // A portal without global shortcuts lacks the interface, and with it the version property.
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << shortcutsInterface << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, then, generation = m_generation](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (generation != m_generation)
                    return;
                if (finished->isError())
                    Q_EMIT failed(Failure::Missing);
                else
                    then();
            });
}

void GlobalShortcutsPortal::probe()
{
    whenPresent([this] { Q_EMIT present(); });
}

void GlobalShortcutsPortal::bind(const QString& id, const QString& description,
                                 const QString& preferredTrigger)
{
    release();
    m_wanted = {id, description, preferredTrigger};
    whenPresent([this] { createSession(); });
}

void GlobalShortcutsPortal::release()
{
    ++m_generation;
    if (!m_session.isEmpty())
        closeSession(std::exchange(m_session, QString()));
}

void GlobalShortcutsPortal::createSession()
{
    auto* request = new PortalRequest(m_bus, this);
    QDBusMessage call = shortcutsCall(QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), request->token()},
                        {QStringLiteral("session_handle_token"), PortalRequest::newToken()}};
    startRequest(m_bus.asyncCall(call), request, &GlobalShortcutsPortal::sessionCreated);
}

void GlobalShortcutsPortal::sessionCreated(uint response, const QVariantMap& results)
{
    if (response != 0) {
        Q_EMIT failed(response == 1 ? Failure::Declined : Failure::Refused);
        return;
    }
    m_session = sessionHandle(results);
    if (m_session.isEmpty()) {
        Q_EMIT failed(Failure::Refused);
        return;
    }
    bindShortcuts();
}

void GlobalShortcutsPortal::bindShortcuts()
{
    auto* request = new PortalRequest(m_bus, this);
    QVariantMap properties{{QStringLiteral("description"), m_wanted.description}};
    if (!m_wanted.preferredTrigger.isEmpty())
        properties.insert(QStringLiteral("preferred_trigger"), m_wanted.preferredTrigger);
    QDBusMessage call = shortcutsCall(QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session))
         << QVariant::fromValue(QList<PortalShortcut>{{m_wanted.id, properties}})
         << QString() // no parent window to put the desktop's prompt over
         << QVariantMap{{QStringLiteral("handle_token"), request->token()}};
    startRequest(m_bus.asyncCall(call), request, &GlobalShortcutsPortal::shortcutsBound);
}

void GlobalShortcutsPortal::shortcutsBound(uint response, const QVariantMap& results)
{
    if (response != 0) {
        closeSession(std::exchange(m_session, QString()));
        Q_EMIT failed(response == 1 ? Failure::Declined : Failure::Refused);
        return;
    }
    const auto shortcuts = qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")));
    // Left out of the answer: the desktop took the shortcut but assigned it no keys.
    Q_EMIT bound(m_wanted.id, triggerOf(shortcuts).value_or(QString()));
}

std::optional<QString> GlobalShortcutsPortal::triggerOf(const QList<PortalShortcut>& shortcuts) const
{
    for (const PortalShortcut& shortcut : shortcuts) {
        if (shortcut.id == m_wanted.id)
            return shortcut.properties.value(QStringLiteral("trigger_description")).toString();
    }
    return std::nullopt;
}

void GlobalShortcutsPortal::startRequest(const QDBusPendingCall& call, PortalRequest* request,
                                         void (GlobalShortcutsPortal::*answered)(uint, const QVariantMap&))
{
    const int generation = m_generation;
    auto* watcher = new QDBusPendingCallWatcher(call, request);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request, generation](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (!reply.isError()) {
                    request->follow(reply.value());
                    return;
                }
                request->deleteLater();
                if (generation == m_generation) {
                    Q_EMIT failed(failureOf(reply.error()));
                }
            });
    connect(request, &PortalRequest::answered, this,
            [this, request, generation, answered](uint response, const QVariantMap& results) {
                request->deleteLater();
                if (generation != m_generation) {
                    // A session that arrives after it stopped being wanted is closed at once.
                    if (const QString late = sessionHandle(results); response == 0 && !late.isEmpty())
                        closeSession(late);
                    return;
                }
                (this->*answered)(response, results);
            });
}

void GlobalShortcutsPortal::shortcutActivated(const QDBusObjectPath& session, const QString& id,
                                              qulonglong timestamp, const QVariantMap& options)
{
    Q_UNUSED(timestamp)
    Q_UNUSED(options)
    if (!m_session.isEmpty() && session.path() == m_session)
        Q_EMIT activated(id);
}

void GlobalShortcutsPortal::shortcutsChanged(const QDBusObjectPath& session,
                                             const QList<App::PortalShortcut>& shortcuts)
{
    if (m_session.isEmpty() || session.path() != m_session)
        return;
    if (const std::optional<QString> trigger = triggerOf(shortcuts))
        Q_EMIT bound(m_wanted.id, *trigger);
}

void GlobalShortcutsPortal::closeSession(const QString& session)
{
    if (session.isEmpty())
        return;
    m_bus.send(
        QDBusMessage::createMethodCall(portalService, session, sessionInterface, QStringLiteral("Close")));
}

GlobalShortcutsPortal::Failure GlobalShortcutsPortal::failureOf(const QDBusError& error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::Disconnected:
        return Failure::Missing;
    default:
        return Failure::Refused;
    }
}

} // namespace App
