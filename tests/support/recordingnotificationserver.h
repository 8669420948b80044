#pragma once

#include <QDBusContext>
#include <QDBusError>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace TestSupport {

// A stand-in notification server (org.freedesktop.Notifications) that records what it is asked to show, or
// refuses everything.
class RecordingNotificationServer : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call
    {
        QString appName;
        QString summary;
        QString body;
        QVariantMap hints;
    };
    QList<Call> calls;
    bool refuse = false;

public Q_SLOTS:
    uint Notify(const QString& appName, uint /*replacesId*/, const QString& /*appIcon*/,
                const QString& summary, const QString& body, const QStringList& /*actions*/,
                const QVariantMap& hints, int /*timeout*/)
    {
        if (refuse) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("notifications are off"));
            return 0;
        }
        calls += Call{appName, summary, body, hints};
        return static_cast<uint>(calls.size());
    }
};

} // namespace TestSupport
