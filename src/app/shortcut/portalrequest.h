#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

class QDBusObjectPath;

namespace App {

// One call to the desktop portal that answers later through an org.freedesktop.portal.Request
// object. It listens on the path the portal will use for its token before the call goes out,
// so an answer sent at once is not missed, and moves to the path the call returns if that differs
// (older portals choose their own).
class PortalRequest : public QObject
{
    Q_OBJECT
public:
    explicit PortalRequest(const QDBusConnection& bus, QObject* parent = nullptr);
    ~PortalRequest() override;

    // The handle_token to send with the call.
    QString token() const { return m_token; }
    // The request handle the call returned.
    void follow(const QDBusObjectPath& handle);

    // A token fit to end an object path, different for every call from this process.
    static QString newToken();

Q_SIGNALS:
    // response: 0 done, 1 cancelled by the user, 2 ended otherwise.
    void answered(uint response, const QVariantMap& results);

private Q_SLOTS:
    void respond(uint response, const QVariantMap& results);

private:
    void watch(const QString& path);
    void unwatch();

    QDBusConnection m_bus;
    QString m_token;
    QString m_path;
};

} // namespace App
