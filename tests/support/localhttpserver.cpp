#include "localhttpserver.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

namespace TestSupport {

LocalHttpServer::LocalHttpServer(QString root, qint64 bytesPerSecond)
    : m_root(std::move(root)), m_rate(bytesPerSecond)
{
}

LocalHttpServer::~LocalHttpServer()
{
    stop();
}

bool LocalHttpServer::start()
{
    QStringList arguments{QStringLiteral("-u")};
    if (m_rate > 0)
        arguments << QStringLiteral(VELTQORV_TESTSUPPORT_DIR "/slowhttpserver.py")
                  << QStringLiteral("--directory") << m_root << QStringLiteral("--rate")
                  << QString::number(m_rate);
    else
        // Port 0: the system picks a free one and the server says which.
        arguments << QStringLiteral("-m") << QStringLiteral("http.server") << QStringLiteral("0")
                  << QStringLiteral("--bind") << QStringLiteral("127.0.0.1") << QStringLiteral("--directory")
                  << m_root;
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("python3"), arguments, QIODevice::ReadOnly);
    if (!m_process.waitForStarted(10000)) {
        m_error = m_process.errorString();
        return false;
    }

    // The line is printed once the socket listens, so the server answers from then on.
    static const QRegularExpression serving(QStringLiteral("Serving HTTP on \\S+ port (\\d+)"));
    QByteArray seen;
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        seen += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = serving.match(QString::fromUtf8(seen));
        if (match.hasMatch()) {
            m_port = match.captured(1).toUShort();
            return m_port != 0;
        }
    }
    m_error = QStringLiteral("the server did not start: ") + QString::fromUtf8(seen);
    stop();
    return false;
}

void LocalHttpServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString LocalHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(path);
}

quint16 LocalHttpServer::refusedPort()
{
    LocalHttpServer server(QStringLiteral("/nonexistent"));
    if (!server.start())
        return 0;
    const quint16 port = server.port();
    server.stop();
    return port;
}

} // namespace TestSupport
