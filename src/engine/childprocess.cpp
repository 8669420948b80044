#include "childprocess.h"

#include "logging.h"
#include "orphansweeper.h"

#include <QCoreApplication>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace Engine {

namespace {
constexpr int KillGraceMs = 5000;
constexpr int IoThreadNiceness = 5;
// Lines are handed over in batches at most this often: a hop to the window's thread per read
// would cost more than the lines themselves when a tool prints them one by one.
constexpr int BatchIntervalMs = 20;

QByteArray withoutTrailingNewline(QByteArray text)
{
    if (text.endsWith('\n'))
        text.chop(1);
    if (text.endsWith('\r'))
        text.chop(1);
    return text;
}
} // namespace

QByteArray ChildProcess::cutMark()
{
    return QByteArrayLiteral(" [line cut at 256 KiB]");
}

QThread* ChildProcess::ioThread()
{
    static QThread* const thread = [] {
        auto* t = new QThread;
        t->setObjectName(QStringLiteral("child processes"));
        // Children are ended before the thread: their death signal is tied to the thread that
        // started them.
        if (QCoreApplication::instance())
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                             &ChildProcess::stopIoThread);
        return t;
    }();
    if (!thread->isRunning()) {
        thread->start();
        // Below the window's thread, so a flood of output waits rather than the window (on
        // Linux a thread has a nice value of its own).
        auto* setUp = new QObject;
        setUp->moveToThread(thread);
        QMetaObject::invokeMethod(setUp, [setUp] {
            ::setpriority(PRIO_PROCESS, 0, ::getpriority(PRIO_PROCESS, 0) + IoThreadNiceness);
            setUp->deleteLater();
        });
    }
    return thread;
}

QList<ChildProcess*>& ChildProcess::living()
{
    static QList<ChildProcess*> children;
    return children;
}

void ChildProcess::stopIoThread()
{
    QThread* const thread = ioThread();
    auto* ender = new QObject;
    ender->moveToThread(thread);
    QMetaObject::invokeMethod(
        ender,
        [ender] {
            const QList<ChildProcess*> children = living();
            // Every group first, so they all die together rather than one after another.
            for (ChildProcess* child : children) {
                child->m_done = true;
                child->signalGroup(SIGKILL);
            }
            for (ChildProcess* child : children)
                delete child;
            delete ender;
        },
        Qt::BlockingQueuedConnection);
    thread->quit();
    thread->wait();
}

ChildProcess::ChildProcess()
    : m_process(new QProcess(this)), m_killTimer(new QTimer(this)), m_batchTimer(new QTimer(this))
{
    // A group of its own lets a stop reach the tool's children (ffmpeg) too; the death signal
    // ends the child should this application die without stopping it.
    m_process->setChildProcessModifier([this] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        // As nice as asked, whatever this thread's own value.
        ::setpriority(PRIO_PROCESS, 0, m_niceness);
    });
    m_batchTimer->setSingleShot(true);
    m_batchTimer->setInterval(BatchIntervalMs);
    connect(m_batchTimer, &QTimer::timeout, this, &ChildProcess::flushBatch);
    m_killTimer->setSingleShot(true);
    m_killTimer->setInterval(KillGraceMs);
    connect(m_killTimer, &QTimer::timeout, this, [this] { signalGroup(SIGKILL); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ChildProcess::readStandardOutput);
    connect(m_process, &QProcess::readyReadStandardError, this, &ChildProcess::readStandardError);
    connect(m_process, &QProcess::started, this, [this] {
        m_groupId = m_process->processId();
        Q_EMIT started(m_groupId);
        // A stop asked for while the child was still starting has not reached it yet.
        if (m_terminationRequested) {
            signalGroup(SIGTERM);
            m_killTimer->start();
        }
    });
    connect(m_process, &QProcess::finished, this, &ChildProcess::onFinished);
    connect(m_process, &QProcess::errorOccurred, this, &ChildProcess::onErrorOccurred);
}

ChildProcess::~ChildProcess()
{
    living().removeOne(this);
    if (m_process->state() != QProcess::NotRunning) {
        m_done = true;
        kill();
    }
}

void ChildProcess::start(const Launch& launch)
{
    m_done = false;
    m_retainedLimit = launch.retainedLimit;
    m_lineLimit = launch.lineLimit;
    m_keepOutput = launch.keepOutput;
    m_droppingLine = false;
    m_niceness = launch.niceness;

    if (!launch.launchError.isEmpty()) {
        finish(ProcessResult::launchFailure(launch.launchError));
        return;
    }
    // execve stops at a NUL, which would cut an argument short of what was asked.
    if (std::any_of(launch.arguments.begin(), launch.arguments.end(),
                    [](const QString& argument) { return argument.contains(QChar(0)); })) {
        finish(ProcessResult::launchFailure(tr("An argument contains a NUL character.")));
        return;
    }
    QProcessEnvironment environment = launch.environment;
    if (!launch.ownerMark.isEmpty())
        environment.insert(QString::fromLatin1(OrphanSweeper::variableName()),
                           QString::fromUtf8(launch.ownerMark));
    m_process->setProcessEnvironment(environment);
    m_process->setProgram(launch.program);
    m_process->setArguments(launch.arguments);
    living().append(this);
    m_process->start(QIODevice::ReadOnly);
}

void ChildProcess::terminate()
{
    if (m_done || m_terminationRequested)
        return;
    m_terminationRequested = true;
    if (m_process->state() == QProcess::Running) {
        signalGroup(SIGTERM);
        m_killTimer->start();
    }
}

void ChildProcess::kill()
{
    signalGroup(SIGKILL);
    m_process->waitForFinished(1000);
}

void ChildProcess::readStandardOutput()
{
    const QByteArray chunk = m_process->readAllStandardOutput();
    qsizetype start = 0;
    if (m_droppingLine) {
        const qsizetype end = chunk.indexOf('\n');
        if (end < 0)
            return;
        m_droppingLine = false;
        start = end + 1;
    }
    m_pendingLine += QByteArrayView(chunk).sliced(start);
    start = 0;
    for (qsizetype newline = m_pendingLine.indexOf('\n'); newline >= 0;
         newline = m_pendingLine.indexOf('\n', start)) {
        keepLine(m_pendingLine.mid(start, newline - start));
        start = newline + 1;
    }
    m_pendingLine.remove(0, start);
    if (m_pendingLine.size() > m_lineLimit) {
        keepLine(std::exchange(m_pendingLine, {}));
        // The pending part holds no line break, so the line goes on past what was read.
        m_droppingLine = true;
    }
}

void ChildProcess::flushBatch()
{
    m_batchTimer->stop();
    if (!m_batch.isEmpty())
        Q_EMIT outputLines(std::exchange(m_batch, {}));
}

void ChildProcess::keepLine(QByteArray bytes)
{
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    if (bytes.size() > m_lineLimit) {
        qsizetype cut = m_lineLimit;
        // Not inside a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(bytes.at(cut)) & 0xC0) == 0x80)
            --cut;
        bytes.truncate(cut);
        bytes += cutMark();
    }
    const QString line = QString::fromUtf8(bytes);
    if (m_keepOutput) {
        m_outputLines.append(line);
        m_outputBytes += line.size() + 1;
        while (m_retainedLimit >= 0 && m_outputBytes > m_retainedLimit && !m_outputLines.isEmpty())
            m_outputBytes -= m_outputLines.takeFirst().size() + 1;
    }
    m_batch.append(line);
    if (!m_batchTimer->isActive())
        m_batchTimer->start();
}

void ChildProcess::readStandardError()
{
    m_error += m_process->readAllStandardError();
    if (m_retainedLimit >= 0 && m_error.size() > m_retainedLimit) {
        qsizetype cut = m_error.size() - m_retainedLimit;
        // Keep whole lines where one ends inside the part that is dropped anyway.
        const qsizetype lineEnd = m_error.indexOf('\n', cut);
        if (lineEnd >= 0 && lineEnd + 1 < m_error.size())
            cut = lineEnd + 1;
        m_error.remove(0, cut);
    }
}

void ChildProcess::onFinished(int exitCode, QProcess::ExitStatus status)
{
    m_killTimer->stop();
    readStandardOutput();
    if (!m_pendingLine.isEmpty())
        keepLine(std::exchange(m_pendingLine, {}));
    flushBatch();
    readStandardError();
    // The tool may be gone while something it started still holds the group; a stop must end all
    // of it. The leader is reaped by now, so the group's id alone no longer names our group.
    if (m_terminationRequested && m_groupId > 0)
        OrphanSweeper::signalGroupMembers(m_groupId, SIGKILL);
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

void ChildProcess::onErrorOccurred(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || m_done)
        return;
    finish(ProcessResult::launchFailure(m_process->errorString()));
}

void ChildProcess::signalGroup(int signal)
{
    // Only while the leader is not yet reaped: until then its id, which is the group's, cannot be
    // given to another process.
    if (m_groupId > 0 && m_process->state() != QProcess::NotRunning)
        ::kill(-static_cast<pid_t>(m_groupId), signal);
}

void ChildProcess::finish(const ProcessResult& result)
{
    m_done = true;
    Q_EMIT finished(result);
}

} // namespace Engine
