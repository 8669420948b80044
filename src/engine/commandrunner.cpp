#include "commandrunner.h"

#include "logging.h"
#include "orphansweeper.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace Engine {

namespace {
constexpr int KillGraceMs = 5000;

QByteArray withoutTrailingNewline(QByteArray text)
{
    if (text.endsWith('\n'))
        text.chop(1);
    if (text.endsWith('\r'))
        text.chop(1);
    return text;
}
} // namespace

CommandRunner::CommandRunner(QObject* parent) : QObject(parent)
{
    // A group of its own lets a stop reach the tool's children (ffmpeg) too; the death signal
    // ends the child should this application die without stopping it.
    m_process.setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
    m_killTimer.setSingleShot(true);
    m_killTimer.setInterval(KillGraceMs);
    connect(&m_killTimer, &QTimer::timeout, this, [this] { signalGroup(SIGKILL); });
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &CommandRunner::readStandardOutput);
    connect(&m_process, &QProcess::readyReadStandardError, this, &CommandRunner::readStandardError);
    connect(&m_process, &QProcess::started, this, [this] {
        m_groupId = m_process.processId();
        // A stop asked for while the child was still starting has not reached it yet.
        if (m_terminationRequested) {
            signalGroup(SIGTERM);
            m_killTimer.start();
        }
    });
    connect(&m_process, &QProcess::finished, this, &CommandRunner::onFinished);
    connect(&m_process, &QProcess::errorOccurred, this, &CommandRunner::onErrorOccurred);
}

CommandRunner::~CommandRunner()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_done = true;
        signalGroup(SIGKILL);
        m_process.waitForFinished(1000);
    }
}

void CommandRunner::start(const ShellCommand& command)
{
    if (!m_done)
        return;
    m_done = false;
    m_terminationRequested = false;
    m_pendingLine.clear();
    m_outputLines.clear();
    m_outputBytes = 0;
    m_error.clear();
    m_groupId = 0;

    const std::optional<QString> shellPath = command.shell().path();
    if (!shellPath) {
        finish(ProcessResult::launchFailure(
            QStringLiteral("The shell %1 was not found.").arg(command.shell().name())));
        return;
    }
    // execve stops at a NUL, which would cut the command line short of what was quoted.
    if (command.raw().contains(QChar(0))) {
        finish(ProcessResult::launchFailure(QStringLiteral("The command line contains a NUL character.")));
        return;
    }
    const QByteArray mark = OrphanSweeper::childMark();
    if (!mark.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(OrphanSweeper::variableName()), QString::fromUtf8(mark));
        m_process.setProcessEnvironment(environment);
    }
    m_process.setProgram(*shellPath);
    m_process.setArguments(command.arguments());
    m_process.start(QIODevice::ReadOnly);
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
    if (m_process.state() == QProcess::Running) {
        signalGroup(SIGTERM);
        m_killTimer.start();
    }
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

void CommandRunner::readStandardOutput()
{
    m_pendingLine += m_process.readAllStandardOutput();
    qsizetype start = 0;
    for (qsizetype newline = m_pendingLine.indexOf('\n'); newline >= 0;
         newline = m_pendingLine.indexOf('\n', start)) {
        emitLine(m_pendingLine.mid(start, newline - start));
        start = newline + 1;
    }
    m_pendingLine.remove(0, start);
}

void CommandRunner::emitLine(QByteArray bytes)
{
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    const QString line = QString::fromUtf8(bytes);
    m_outputLines.append(line);
    m_outputBytes += line.size() + 1;
    while (m_retainedLimit >= 0 && m_outputBytes > m_retainedLimit && !m_outputLines.isEmpty())
        m_outputBytes -= m_outputLines.takeFirst().size() + 1;
    Q_EMIT outputLine(line);
}

void CommandRunner::readStandardError()
{
    m_error += m_process.readAllStandardError();
    if (m_retainedLimit >= 0 && m_error.size() > m_retainedLimit) {
        qsizetype cut = m_error.size() - m_retainedLimit;
        // Keep whole lines where one ends inside the part that is dropped anyway.
        const qsizetype lineEnd = m_error.indexOf('\n', cut);
        if (lineEnd >= 0 && lineEnd + 1 < m_error.size())
            cut = lineEnd + 1;
        m_error.remove(0, cut);
    }
}

void CommandRunner::onFinished(int exitCode, QProcess::ExitStatus status)
{
    m_killTimer.stop();
    readStandardOutput();
    if (!m_pendingLine.isEmpty()) {
        emitLine(m_pendingLine);
        m_pendingLine.clear();
    }
    readStandardError();
    // The shell may be gone while something it started still holds the group; a stop must end all of it.
    if (m_terminationRequested)
        signalGroup(SIGKILL);
    if (m_done)
        return;

    if (status == QProcess::NormalExit && exitCode == 0) {
        finish(ProcessResult::output(m_outputLines.join(QLatin1Char('\n'))));
        return;
    }
    const QString errorText = QString::fromUtf8(withoutTrailingNewline(m_error));
    if (!errorText.isEmpty())
        qCDebug(lcDownloader).noquote() << errorText;
    finish(ProcessResult::error(errorText, status == QProcess::NormalExit ? exitCode : -1));
}

void CommandRunner::onErrorOccurred(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || m_done)
        return;
    finish(ProcessResult::launchFailure(m_process.errorString()));
}

void CommandRunner::signalGroup(int signal)
{
    if (m_groupId > 0)
        ::kill(-static_cast<pid_t>(m_groupId), signal);
}

void CommandRunner::finish(const ProcessResult& result)
{
    m_done = true;
    Q_EMIT finished(result);
}

} // namespace Engine
