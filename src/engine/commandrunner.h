#pragma once

#include "childprocess.h"
#include "processresult.h"
#include "shellcommand.h"

#include <QProcessEnvironment>

#include <QObject>
#include <QPointer>

#include <functional>

namespace Engine {

// Runs one program (or a command line through its shell) as a child in a process group of its own.
// Standard output is handed over line by line as it arrives; both pipes are drained as data
// comes, so a child never blocks on a full pipe. The pipes are read on a thread of their own;
// everything is reported on the thread that owns the runner, by signal.
class CommandRunner : public QObject
{
    Q_OBJECT
public:
    explicit CommandRunner(QObject* parent = nullptr);
    // A child still running is killed with its whole group.
    ~CommandRunner() override;

    // Keeps at most this many bytes (the newest) of each stream for the result; lines are still
    // all handed to outputLine. Unlimited by default.
    void setRetainedLimit(qsizetype bytes) { m_retainedLimit = bytes; }
    // Off: standard output is only handed to outputLine, and a successful result carries no
    // text; for callers that keep their own log of it.
    void setKeepsOutput(bool keep) { m_keepOutput = keep; }
    // Longer lines are cut and marked (ChildProcess::MaxLineBytes unless set).
    void setLineLimit(qsizetype bytes) { m_lineLimit = bytes; }

    // Starts the child this much nicer than us (lower CPU priority); for work in the background.
    void setNiceness(int increment) { m_niceness = increment; }

    // No shell in between: each argument reaches the program as it is.
    void start(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
    void start(const ShellCommand& command);
    bool isRunning() const;
    // The child's process id, which is also its process group id; 0 before it has started.
    qint64 processId() const { return m_groupId; }
    // Asks the whole process group to end (SIGTERM), and kills it if it has not after a grace period.
    void terminate();
    bool terminationRequested() const { return m_terminationRequested; }

    // Runs `command` and calls `done` with its result on `context`'s thread; nothing is called
    // when `context` is destroyed first (the child is then killed).
    static void run(const ShellCommand& command, QObject* context,
                    std::function<void(const ProcessResult&)> done);

Q_SIGNALS:
    void outputLine(const QString& line);
    void finished(const Engine::ProcessResult& result);

private:
    void launch(ChildProcess::Launch launch);

    // Lives on ChildProcess::ioThread(); every call to it is queued there. Gone once that thread
    // has been stopped.
    QPointer<ChildProcess> m_child;
    qsizetype m_retainedLimit = -1;
    bool m_keepOutput = true;
    qsizetype m_lineLimit = ChildProcess::MaxLineBytes;
    int m_niceness = 0;
    qint64 m_groupId = 0;
    bool m_terminationRequested = false;
    bool m_done = true;
};

} // namespace Engine
