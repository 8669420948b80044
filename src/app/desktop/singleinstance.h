#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace App {

// One running VeltQorv per user. The first process listens on a local socket; a later start hands
// its arguments to it and exits, so that addresses opened from other programs reach the window
// the user already has.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Role
    {
        Primary,   // listening; messages arrive through messageReceived()
        Forwarded, // another instance took the arguments; this process should exit
        Failed     // neither listening nor forwarded (see errorString())
    };
    Q_ENUM(Role)

    // A message larger than this is dropped unread; arguments are a few addresses at most.
    static constexpr qint64 maximumMessageSize = 1024 * 1024;

    explicit SingleInstance(QString serverName = defaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // "org.veltqorv.VeltQorv-<uid>", placed in $XDG_RUNTIME_DIR when there is one (private to the
    // user), else in the temporary folder with owner-only permissions.
    static QString defaultServerName();

    // Hands `arguments` to a running instance, or starts listening when there is none. Blocks for
    // at most a few seconds, before the event loop runs.
    Role start(const QStringList& arguments);

    QString serverName() const { return m_serverName; }
    QString errorString() const { return m_errorString; }

Q_SIGNALS:
    void messageReceived(const QStringList& arguments);

private:
    bool forward(const QStringList& arguments);
    bool listen();
    void acceptConnections();
    void readMessage(QLocalSocket* socket);

    QString m_serverName;
    QString m_errorString;
    QLocalServer* m_server = nullptr;
};

} // namespace App
