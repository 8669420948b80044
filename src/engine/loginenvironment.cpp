#include "loginenvironment.h"

#include "engine/enginekeys.h"
#include "logging.h"
#include "preferences.h"
#include "shell.h"

#include <QProcess>
#include <QTimer>
#include <QUuid>

namespace Engine {

LoginEnvironment& LoginEnvironment::instance()
{
    static LoginEnvironment* const one = new LoginEnvironment;
    return *one;
}

void LoginEnvironment::request(QObject* context, std::function<void(const QProcessEnvironment&)> done)
{
    if (m_known) {
        done(m_environment);
        return;
    }
    auto* connection = new QMetaObject::Connection;
    *connection = connect(this, &LoginEnvironment::ready, context,
                          [connection, done = std::move(done)](const QProcessEnvironment& environment) {
                              disconnect(*connection);
                              delete connection;
                              done(environment);
                          });
    // A context destroyed first takes the connection with it; only the holder leaks, once.
    read();
}

void LoginEnvironment::follow(Preferences& preferences)
{
    if (m_followed == &preferences)
        return;
    if (m_followed)
        m_followed->disconnect(this);
    m_followed = &preferences;
    connect(&preferences, &Preferences::changed, this, [this](const QString& name) {
        if (name == Keys::downloaderBin.name())
            invalidate();
    });
}

void LoginEnvironment::invalidate()
{
    m_known = false;
}

void LoginEnvironment::read()
{
    if (m_process)
        return;
    const QProcessEnvironment own = QProcessEnvironment::systemEnvironment();
    QString shell = own.value(QStringLiteral("SHELL"));
    if (shell.isEmpty())
        shell = Shell::current().path().value_or(QString());
    if (shell.isEmpty()) {
        settle(own);
        return;
    }
    // Profiles may print anything; only what follows this line is the environment.
    m_marker = "veltqorv-environment-" + QUuid::createUuid().toByteArray(QUuid::Id128);
    m_process = new QProcess(this);
    m_process->setProgram(shell);
    m_process->setArguments({QStringLiteral("-l"), QStringLiteral("-c"),
                             QStringLiteral("echo %1; exec env -0").arg(QString::fromLatin1(m_marker))});
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_timeout = new QTimer(m_process);
    m_timeout->setSingleShot(true);
    m_timeout->setInterval(TimeoutMs);
    const auto fallBack = [this, own](const char* why) {
        qCWarning(lcDownloader) << "The login environment could not be read (" << why << "); tools get ours.";
        settle(own);
    };
    connect(m_timeout, &QTimer::timeout, this, [this, fallBack] {
        m_process->disconnect(this);
        m_process->kill();
        fallBack("timed out");
    });
    connect(m_process, &QProcess::errorOccurred, this, [this, fallBack](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fallBack("not started");
    });
    connect(m_process, &QProcess::finished, this,
            [this, own, fallBack](int exitCode, QProcess::ExitStatus status) {
                const std::optional<QProcessEnvironment> read =
                    status == QProcess::NormalExit && exitCode == 0
                        ? parse(m_process->readAllStandardOutput(), m_marker)
                        : std::nullopt;
                if (read)
                    settle(*read);
                else
                    fallBack("the shell failed");
            });
    m_timeout->start();
    m_process->start(QIODevice::ReadOnly);
}

void LoginEnvironment::settle(const QProcessEnvironment& environment)
{
    if (m_process) {
        QProcess* process = std::exchange(m_process, nullptr);
        process->disconnect(this);
        // A killed shell is reaped when it has gone.
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
        if (process->state() == QProcess::NotRunning)
            process->deleteLater();
    }
    m_environment = environment;
    m_known = true;
    Q_EMIT ready(m_environment);
}

std::optional<QProcessEnvironment> LoginEnvironment::parse(const QByteArray& output, const QByteArray& marker)
{
    const qsizetype at = output.indexOf(marker + '\n');
    if (at < 0)
        return std::nullopt;
    QProcessEnvironment environment;
    const QByteArray entries = output.mid(at + marker.size() + 1);
    for (const QByteArray& entry : entries.split('\0')) {
        const qsizetype equals = entry.indexOf('=');
        // A name cannot be empty; anything else would be the tail of a broken read.
        if (equals > 0)
            environment.insert(QString::fromLocal8Bit(entry.left(equals)),
                               QString::fromLocal8Bit(entry.mid(equals + 1)));
    }
    if (environment.isEmpty())
        return std::nullopt;
    return environment;
}

} // namespace Engine
