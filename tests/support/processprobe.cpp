#include "processprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace TestSupport {

namespace {
QByteArray readProcFile(qint64 pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

bool ProcessProbe::isGone(qint64 pid)
{
    const QByteArray stat = readProcFile(pid, "stat");
    // The state follows the command name, which is in parentheses and may hold anything.
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 || close + 2 >= stat.size() || stat.at(close + 2) == 'Z' || stat.at(close + 2) == 'X';
}

QList<qint64> ProcessProbe::withEnvironmentEnding(const QByteArray& name, const QByteArray& suffix)
{
    QList<qint64> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const qint64 pid = entry.toLongLong();
        if (pid == 0 || pid == QCoreApplication::applicationPid() || isGone(pid))
            continue;
        for (const QByteArray& variable : readProcFile(pid, "environ").split('\0')) {
            if (variable.startsWith(name + '=') && variable.endsWith(suffix)) {
                found.append(pid);
                break;
            }
        }
    }
    return found;
}

} // namespace TestSupport
