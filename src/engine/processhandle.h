#pragma once

#include <QtGlobal>

namespace Engine {

// One process, held by a pidfd while it is looked at and signalled: a pid alone may be given to
// another process in between, a pidfd always names the process it was opened for. On kernels
// without pidfds it falls back to the bare pid.
class ProcessHandle
{
public:
    explicit ProcessHandle(qint64 pid);
    ~ProcessHandle();
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    // False when the process was gone already.
    bool isOpen() const { return m_open; }
    // False when the process has ended since (or was never open).
    bool signal(int signal) const;

private:
    qint64 m_pid;
    int m_fd = -1;
    bool m_open = false;
};

} // namespace Engine
