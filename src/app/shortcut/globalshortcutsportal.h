#pragma once

#include "app/shortcut/portalshortcut.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <optional>

class QDBusError;
class QDBusObjectPath;
class QDBusPendingCall;

namespace App {

class PortalRequest;

// The conversation with the desktop portal's org.freedesktop.portal.GlobalShortcuts: a session,
// one shortcut bound in it, and its activations. Binding again starts a fresh session and closes
// the old one, so the desktop asks about the new combination instead of keeping the old.
class GlobalShortcutsPortal : public QObject
{
    Q_OBJECT
public:
    enum class Failure
    {
        Missing,  // no portal, or one without global shortcuts
        Declined, // the user said no in the desktop's prompt
        Refused   // the desktop ended the request or rejected the call
    };
    Q_ENUM(Failure)

    explicit GlobalShortcutsPortal(const QDBusConnection& bus, QObject* parent = nullptr);
    ~GlobalShortcutsPortal() override;

    // Asks whether the portal is there; answers with present() or failed(Missing).
    void probe();
    // Binds `id` in a new session; answers with bound() or failed().
    void bind(const QString& id, const QString& description, const QString& preferredTrigger);
    // Closes the session, so the desktop drops the shortcut.
    void release();

Q_SIGNALS:
    void present();
    // triggerDescription is the desktop's own text for the keys, empty when it names none. Comes
    // again whenever the user gives the shortcut other keys in the desktop's settings.
    void bound(const QString& id, const QString& triggerDescription);
    void failed(App::GlobalShortcutsPortal::Failure failure);
    void activated(const QString& id);

private Q_SLOTS:
    void shortcutActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                           const QVariantMap& options);
    void shortcutsChanged(const QDBusObjectPath& session, const QList<App::PortalShortcut>& shortcuts);

private:
    struct Wanted
    {
        QString id;
        QString description;
        QString preferredTrigger;
    };

    template <typename Then> void whenPresent(Then then);
    void createSession();
    void bindShortcuts();
    void sessionCreated(uint response, const QVariantMap& results);
    void shortcutsBound(uint response, const QVariantMap& results);
    // The desktop's text for our shortcut's keys, when the list holds it.
    std::optional<QString> triggerOf(const QList<PortalShortcut>& shortcuts) const;
    void startRequest(const QDBusPendingCall& call, PortalRequest* request,
                      void (GlobalShortcutsPortal::*answered)(uint, const QVariantMap&));
    void closeSession(const QString& session);
    static Failure failureOf(const QDBusError& error);

    QDBusConnection m_bus;
    Wanted m_wanted;
    QString m_session;
    int m_generation = 0; // bumped whenever what was asked before stops mattering
};

} // namespace App
