#include "localhttpserver.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

namespace TestSupport {

LocalHttpServer::LocalHttpServer(QString root) : m_root(std::move(root)) {}

LocalHttpServer::~LocalHttpServer()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

bool LocalHttpServer::start()
{
    m_process.setStandardErrorFile(QProcess::nullDevice());
    // Port 0: the system picks a free one and the server says which.
    m_process.start(QStringLiteral("python3"),
                    {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                     QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                     QStringLiteral("--directory"), m_root},
                    QIODevice::ReadOnly);
    // The line is printed once the socket listens, so the server answers from then on.
    static const QRegularExpression serving(QStringLiteral("Serving HTTP on \\S+ port (\\d+)"));
    QByteArray seen;
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
        seen += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = serving.match(QString::fromUtf8(seen));
        if (match.hasMatch()) {
            m_port = match.captured(1).toUShort();
            return true;
        }
    }
    m_error = QStringLiteral("the server did not start: ") + m_process.errorString() + QLatin1Char(' ') +
              QString::fromUtf8(seen);
    return false;
}

QString LocalHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(path);
}

quint16 LocalHttpServer::refusedPort()
{
    LocalHttpServer server(QStringLiteral("/nonexistent"));
    return server.start() ? server.m_port : 0;
}

} // namespace TestSupport
