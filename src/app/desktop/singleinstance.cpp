#include "app/desktop/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QtEndian>

#include <unistd.h>

namespace App {

namespace {

Q_LOGGING_CATEGORY(lcInstance, "org.veltqorv.VeltQorv.SingleInstance")

// Frame: a 4-byte big-endian length, then a JSON array of strings. The receiver answers one
// byte once it has taken the message, so the sender knows it may exit.
constexpr int headerSize = 4;
constexpr char acknowledgement = '\x01';
constexpr int connectTimeoutMs = 1000;
constexpr int replyTimeoutMs = 3000;

QByteArray encodeMessage(const QStringList& arguments)
{
    const QByteArray body =
        QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact);
    QByteArray frame(headerSize, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(body.size()), frame.data());
    return frame + body;
}

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_serverName(std::move(serverName))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName()
{
    const QString name = QStringLiteral("org.veltqorv.VeltQorv-%1").arg(::getuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(name);
    return name;
}

SingleInstance::Role SingleInstance::start(const QStringList& arguments)
{
    if (forward(arguments))
        return Role::Forwarded;
    if (listen())
        return Role::Primary;
    // Another instance may have started between our attempt to reach it and our own listen().
    if (forward(arguments))
        return Role::Forwarded;
    return Role::Failed;
}

bool SingleInstance::forward(const QStringList& arguments)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(encodeMessage(arguments));
    if (!socket.waitForBytesWritten(replyTimeoutMs)) {
        m_errorString = socket.errorString();
        return false;
    }
    const bool answered = socket.waitForReadyRead(replyTimeoutMs);
    // Closed with the message unread: the socket was held by a process that is going away (an
    // instance being killed, or a child of one not yet in its own program). Nobody has the arguments.
    if (!answered && socket.state() == QLocalSocket::UnconnectedState)
        return false;
    // A listener that does not answer is hung or not ours; the arguments may be lost, but a second
    // window would only compete for the same store.
    if (!answered || socket.read(1) != QByteArray(1, acknowledgement))
        qCWarning(lcInstance) << "the running instance did not confirm the hand-over";
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        if (m_server->serverError() != QAbstractSocket::AddressInUseError) {
            m_errorString = m_server->errorString();
            return false;
        }
        // Nobody answered on it (forward() failed), so the socket file is left over from a process
        // that died.
        QLocalServer::removeServer(m_serverName);
        if (!m_server->listen(m_serverName)) {
            m_errorString = m_server->errorString();
            return false;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        readMessage(socket);
    }
}

void SingleInstance::readMessage(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < headerSize)
        return;
    uchar header[headerSize];
    socket->peek(reinterpret_cast<char*>(header), headerSize);
    const quint32 size = qFromBigEndian<quint32>(header);
    if (size > maximumMessageSize) {
        qCWarning(lcInstance) << "dropped an oversized message of" << size << "bytes";
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < headerSize + static_cast<qint64>(size))
        return;
    socket->skip(headerSize);
    const QByteArray body = socket->read(size);
    // Only one message per connection.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);

    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        qCWarning(lcInstance) << "dropped a malformed message:" << error.errorString();
        socket->abort();
        return;
    }
    QStringList arguments;
    for (const QJsonValue& value : document.array()) {
        if (value.isString())
            arguments.append(value.toString());
    }
    socket->write(QByteArray(1, acknowledgement));
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT messageReceived(arguments);
}

} // namespace App
