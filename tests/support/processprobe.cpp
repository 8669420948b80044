#include "processprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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

QList<qint64> ProcessProbe::withCommandLineContaining(const QString& needle)
{
    QList<qint64> found;
    const QByteArray wanted = needle.toUtf8();
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid == self)
            continue;
        QByteArray commandLine = readProcFile(pid, "cmdline");
        commandLine.replace('\0', ' ');
        if (commandLine.contains(wanted) && !isGone(pid))
            found.append(pid);
    }
    return found;
}

} // namespace TestSupport
