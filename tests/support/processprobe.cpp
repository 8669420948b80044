#include "processprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <functional>

namespace TestSupport {

namespace {
QByteArray readProcFile(qint64 pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
} // namespace

bool ProcessProbe::isGone(qint64 pid)
{
    const QByteArray stat = readProcFile(pid, "stat");
    if (stat.isEmpty())
        return true;
    // The state follows the command name, which is in parentheses and may hold anything.
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 || close + 2 >= stat.size() || stat.at(close + 2) == 'Z' || stat.at(close + 2) == 'X';
}

namespace {
// Live processes other than this one for which `matches` holds.
QList<qint64> livingWhere(const std::function<bool(qint64)>& matches)
{
    QList<qint64> found;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (ok && pid != self && matches(pid) && !ProcessProbe::isGone(pid))
            found.append(pid);
    }
    return found;
}
} // namespace

QList<qint64> ProcessProbe::withCommandLineContaining(const QString& needle)
{
    const QByteArray wanted = needle.toUtf8();
    return livingWhere(
        [&](qint64 pid) { return readProcFile(pid, "cmdline").replace('\0', ' ').contains(wanted); });
}

QList<qint64> ProcessProbe::withEnvironmentEnding(const QByteArray& name, const QByteArray& suffix)
{
    const QByteArray prefix = name + '=';
    return livingWhere([&](qint64 pid) {
        const QList<QByteArray> entries = readProcFile(pid, "environ").split('\0');
        return std::any_of(entries.begin(), entries.end(), [&](const QByteArray& entry) {
            return entry.startsWith(prefix) && entry.endsWith(suffix);
        });
    });
}

} // namespace TestSupport
