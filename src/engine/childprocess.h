#pragma once

#include "processresult.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTimer>

class QThread;

namespace Engine {

// One program run with its arguments and environment, in a process group of its own, on the thread that
// serves every child's pipes (ioThread()). With hundreds of tools running, waiting on their pipes costs every
// turn of an event loop; kept off the window's thread, it costs the window nothing. CommandRunner is the face
// the rest of the program sees.
class ChildProcess : public QObject
{
    Q_OBJECT
public:
    struct Launch
    {
        QString program;
        QStringList arguments;
        QProcessEnvironment environment;
        // When set, nothing is started and the run fails with this reason.
        QString launchError;
        qsizetype retainedLimit = -1;
        qsizetype lineLimit = MaxLineBytes;
        // Off: standard output is only handed over, never kept for the result.
        bool keepOutput = true;
        int niceness = 0; // the child's nice value itself
        QByteArray ownerMark;
    };

    ChildProcess();
    // A child still running is killed with its whole group.
    ~ChildProcess() override;

    // The thread children are started and read on. It runs until the application is about to
    // quit (or stopIoThread()), and starts again when asked for after that.
    static QThread* ioThread();
    // Kills every child still running, all groups at once, then waits for them and ends the
    // thread. From the thread that owns the application, never from ioThread() itself.
    static void stopIoThread();

    // A longer line of output is cut here and marked; the rest of it is read and dropped, so a
    // tool writing a whole file to standard output costs no more than this. Far more than any
    // line a tool prints for people, and small enough for a hundred such tools at once. The
    // default of Launch::lineLimit, for callers that read one big line (JSON) on purpose.
    static constexpr qsizetype MaxLineBytes = 256 * 1024;
    static QByteArray cutMark();

    void start(const Launch& launch);
    // SIGTERM to the group, SIGKILL after a grace period.
    void terminate();
    // SIGKILL to the group, at once.
    void kill();

Q_SIGNALS:
    void started(qint64 groupId);
    // Lines in order, gathered over a short while.
    void outputLines(const QStringList& lines);
    void finished(const Engine::ProcessResult& result);

private:
    void readStandardOutput();
    void readStandardError();
    void keepLine(QByteArray bytes);
    void flushBatch();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onErrorOccurred(QProcess::ProcessError error);
    void signalGroup(int signal);
    void finish(const ProcessResult& result);
    // On ioThread(): every child alive on it.
    static QList<ChildProcess*>& living();

    QProcess* m_process;
    QTimer* m_killTimer;
    QTimer* m_batchTimer;
    QStringList m_batch;
    QByteArray m_pendingLine;
    // Inside a line that was cut: everything up to its end is dropped.
    bool m_droppingLine = false;
    bool m_keepOutput = true;
    QStringList m_outputLines;
    qsizetype m_outputBytes = 0;
    QByteArray m_error;
    qsizetype m_retainedLimit = -1;
    qsizetype m_lineLimit = MaxLineBytes;
    int m_niceness = 0;
    qint64 m_groupId = 0;
    bool m_terminationRequested = false;
    bool m_done = true;
};

} // namespace Engine
