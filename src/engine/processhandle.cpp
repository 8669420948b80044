#include "processhandle.h"

#include <cerrno>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace Engine {

namespace {
// Through syscall(2): Debian 12's <sys/pidfd.h> declares its wrappers without C linkage.
int pidfdOpen(pid_t pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

int pidfdSendSignal(int fd, int signal)
{
    return static_cast<int>(::syscall(SYS_pidfd_send_signal, fd, signal, nullptr, 0));
}
} // namespace

ProcessHandle::ProcessHandle(qint64 pid) : m_pid(pid)
{
    if (pid <= 0)
        return;
    m_fd = pidfdOpen(static_cast<pid_t>(pid));
    if (m_fd >= 0)
        m_open = true;
    else if (errno == ENOSYS)
        m_open = ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

ProcessHandle::~ProcessHandle()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ProcessHandle::signal(int signal) const
{
    if (!m_open)
        return false;
    if (m_fd >= 0)
        return pidfdSendSignal(m_fd, signal) == 0;
    return ::kill(static_cast<pid_t>(m_pid), signal) == 0;
}

} // namespace Engine
