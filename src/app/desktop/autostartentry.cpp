#include "app/desktop/autostartentry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace App {

namespace {

QString quotedExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString quoted = argument;
    if (needsQuotes) {
        QString inner;
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                inner += QLatin1Char('\\');
            inner += c;
        }
        quoted = QLatin1Char('"') + inner + QLatin1Char('"');
    }
    // Field codes start with '%'; and the whole value is read as a string first, which takes one
    // level of backslashes away.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return quoted;
}

// The value of `key` in the [Desktop Entry] group, or nothing.
std::optional<QString> desktopEntryValue(const QString& text, const QString& key)
{
    bool inEntry = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return std::nullopt;
}

} // namespace

QString AutostartEntry::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/org.veltqorv.VeltQorv.desktop");
}

bool AutostartEntry::isEnabled()
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.read(64 * 1024));
    if (desktopEntryValue(text, QStringLiteral("Hidden")) == QStringLiteral("true"))
        return false;
    return desktopEntryValue(text, QStringLiteral("X-GNOME-Autostart-enabled")) != QStringLiteral("false");
}

QString AutostartEntry::contents(const QString& executable)
{
    QFile templateFile(QStringLiteral(":/app/autostart.desktop.in"));
    if (!templateFile.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(templateFile.readAll());
    text.replace(QStringLiteral("@EXEC@"), quotedExecArgument(executable));
    return text;
}

std::optional<QString> AutostartEntry::setEnabled(bool enabled, const QString& executable)
{
    const QString path = filePath();
    if (!enabled) {
        if (QFile::exists(path) && !QFile::remove(path))
            return tr("Could not remove %1.").arg(path);
        return std::nullopt;
    }
    const QString program = executable.isEmpty() ? QCoreApplication::applicationFilePath() : executable;
    if (program.isEmpty() || program.contains(QLatin1Char('\n')) || program.contains(QLatin1Char('\r')))
        return tr("The program's own path is unknown.");
    const QString text = contents(program);
    if (text.isEmpty())
        return tr("The autostart template is missing from the program.");
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return tr("Could not create the folder %1.").arg(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        return tr("Could not write %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

} // namespace App
