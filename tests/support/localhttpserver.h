#pragma once

#include <QProcess>
#include <QString>

namespace TestSupport {

// `python3 -m http.server` on 127.0.0.1, on a port the system picks, serving one folder. Stopped
// (with its process) when destroyed.
class LocalHttpServer
{
public:
    explicit LocalHttpServer(QString root);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // Blocks until the server listens (or fails); false with errorString() set on failure.
    bool start();
    // http://127.0.0.1:<port>/<path>; `path` is taken as it is.
    QString url(const QString& path) const;
    const QString& errorString() const { return m_error; }

    // A port on 127.0.0.1 where nothing listens: one of ours, closed again.
    static quint16 refusedPort();

private:
    QString m_root;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace TestSupport
