#include "orphansweeper.h"

#include "logging.h"
#include "processhandle.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <csignal>
#include <optional>
#include <unistd.h>

namespace Engine {

namespace {

QByteArray& mark()
{
    static QByteArray value;
    return value;
}

// "<pid>:<start time>:<scope>"
QByteArray markValue(qint64 pid, quint64 started, const QString& scope)
{
    return QByteArray::number(pid) + ':' + QByteArray::number(started) + ':' + scope.toUtf8();
}

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of our mark in a process's environment, empty when it has none.
QByteArray markOf(qint64 pid)
{
    const QByteArray prefix = OrphanSweeper::variableName() + '=';
    const QByteArray environment = readWhole(QStringLiteral("/proc/%1/environ").arg(pid));
    for (const QByteArray& entry : environment.split('\0')) {
        if (entry.startsWith(prefix))
            return entry.mid(prefix.size());
    }
    return {};
}

struct Owner
{
    qint64 pid = 0;
    quint64 started = 0;
    QByteArray scope;
};

// The scope comes last, as it may hold ':' itself.
std::optional<Owner> parseMark(const QByteArray& value)
{
    const qsizetype first = value.indexOf(':');
    const qsizetype second = first < 0 ? -1 : value.indexOf(':', first + 1);
    if (second < 0)
        return std::nullopt;
    bool pidOk = false;
    bool startOk = false;
    Owner owner{value.left(first).toLongLong(&pidOk),
                value.mid(first + 1, second - first - 1).toULongLong(&startOk), value.mid(second + 1)};
    if (!pidOk || !startOk)
        return std::nullopt;
    return owner;
}

// Field `number` (from 1) of a process's stat, empty when it cannot be read. The command name
// (field 2) may hold spaces and parentheses, so fields are counted from the last ')'.
QByteArray statField(qint64 pid, int number)
{
    const QByteArray stat = readWhole(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype end = stat.lastIndexOf(')');
    if (end < 0)
        return {};
    const QList<QByteArray> fields = stat.mid(end + 2).split(' ');
    const int index = number - 3;
    return index >= 0 && index < fields.size() ? fields[index] : QByteArray();
}

qint64 groupOf(qint64 pid)
{
    return statField(pid, 5).toLongLong();
}

QList<qint64> processIds()
{
    QList<qint64> ids;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (isPid)
            ids.append(pid);
    }
    return ids;
}

} // namespace

int OrphanSweeper::signalGroupMembers(qint64 groupId, int signal)
{
    const QByteArray ours = childMark();
    int signalled = 0;
    for (const qint64 pid : processIds()) {
        // The cheap look first; then again with the process held.
        if (groupOf(pid) != groupId)
            continue;
        const ProcessHandle process(pid);
        if (process.isOpen() && groupOf(pid) == groupId && markOf(pid) == ours && process.signal(signal))
            ++signalled;
    }
    return signalled;
}

void OrphanSweeper::markChildren(const QString& scope)
{
    const qint64 self = ::getpid();
    mark() = markValue(self, startTime(self), scope);
}

QByteArray OrphanSweeper::childMark()
{
    return mark();
}

quint64 OrphanSweeper::startTime(qint64 pid)
{
    return statField(pid, 22).toULongLong();
}

int OrphanSweeper::sweep(const QString& scope)
{
    const QByteArray scopeBytes = scope.toUtf8();
    const qint64 self = ::getpid();
    // A killed process may still be listed for a moment; it counts once.
    QSet<qint64> killed;
    // A shell may start another child while its siblings are being killed; a few passes end them.
    for (int pass = 0; pass < 3; ++pass) {
        int found = 0;
        for (const qint64 pid : processIds()) {
            if (pid == self || killed.contains(pid))
                continue;
            // Held first, so the process whose mark is read is the one killed.
            const ProcessHandle process(pid);
            if (!process.isOpen())
                continue;
            const std::optional<Owner> owner = parseMark(markOf(pid));
            // A pid alone may since have been given to an unrelated process; with its start
            // time it names the owner for certain.
            if (!owner || owner->scope != scopeBytes || startTime(owner->pid) == owner->started)
                continue;
            if (process.signal(SIGKILL)) {
                ++found;
                killed.insert(pid);
                qCInfo(lcMain) << "ended process" << pid << "left behind by an earlier run";
            }
        }
        if (found == 0)
            break;
    }
    return static_cast<int>(killed.size());
}

} // namespace Engine
