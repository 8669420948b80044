#include "commandrunner.h"

#include "orphansweeper.h"

#include <QThread>

#include <sys/resource.h>

#include <algorithm>

namespace Engine {

CommandRunner::CommandRunner(QObject* parent) : QObject(parent) {}

CommandRunner::~CommandRunner()
{
    if (!m_child)
        return;
    ChildProcess* child = std::exchange(m_child, nullptr);
    child->disconnect(this);
    // The caller may rely on the child being gone once the runner is.
    // A stopped thread has ended its children already, and would never answer.
    if (!m_done && child->thread()->isRunning())
        QMetaObject::invokeMethod(child, &ChildProcess::kill, Qt::BlockingQueuedConnection);
    child->deleteLater();
}

void CommandRunner::start(const QString& program, const QStringList& arguments,
                          const QProcessEnvironment& environment)
{
    ChildProcess::Launch direct;
    direct.program = program;
    direct.arguments = arguments;
    direct.environment = environment;
    launch(std::move(direct));
}

void CommandRunner::start(const ShellCommand& command)
{
    const std::optional<QString> shellPath = command.shell().path();
    ChildProcess::Launch shellLaunch;
    shellLaunch.program = shellPath.value_or(QString());
    shellLaunch.arguments = command.arguments();
    shellLaunch.environment = QProcessEnvironment::systemEnvironment();
    if (!shellPath)
        shellLaunch.launchError = tr("The shell %1 was not found.").arg(command.shell().name());
    launch(std::move(shellLaunch));
}

void CommandRunner::launch(ChildProcess::Launch launch)
{
    if (!m_done)
        return;
    m_done = false;
    m_terminationRequested = false;
    m_groupId = 0;
    if (m_child)
        m_child->deleteLater();

    m_child = new ChildProcess;
    m_child->moveToThread(ChildProcess::ioThread());
    connect(m_child, &ChildProcess::started, this, [this](qint64 groupId) { m_groupId = groupId; });
    connect(m_child, &ChildProcess::outputLines, this, [this](const QStringList& lines) {
        for (const QString& line : lines)
            Q_EMIT outputLine(line);
    });
    connect(m_child, &ChildProcess::finished, this, [this](const ProcessResult& result) {
        m_done = true;
        Q_EMIT finished(result);
    });
    launch.retainedLimit = m_retainedLimit;
    launch.keepOutput = m_keepOutput;
    launch.lineLimit = m_lineLimit;
    // Relative to the thread asking, not to the thread that starts the child.
    launch.niceness = std::min(19, ::getpriority(PRIO_PROCESS, 0) + m_niceness);
    launch.ownerMark = OrphanSweeper::childMark();
    QMetaObject::invokeMethod(m_child, [child = m_child, launch] { child->start(launch); });
}

bool CommandRunner::isRunning() const
{
    return !m_done;
}

void CommandRunner::terminate()
{
    if (m_done || m_terminationRequested)
        return;
    m_terminationRequested = true;
    QMetaObject::invokeMethod(m_child, &ChildProcess::terminate);
}

void CommandRunner::run(const ShellCommand& command, QObject* context,
                        std::function<void(const ProcessResult&)> done)
{
    auto* runner = new CommandRunner(context);
    connect(runner, &CommandRunner::finished, context,
            [runner, done = std::move(done)](const ProcessResult& result) {
                runner->deleteLater();
                if (done)
                    done(result);
            });
    runner->start(command);
}

} // namespace Engine
