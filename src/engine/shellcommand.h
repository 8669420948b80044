#pragma once

#include "shell.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace Engine {

// A command line bound to the shell that runs it.
class ShellCommand
{
public:
    explicit ShellCommand(QString raw, Shell shell = Shell::current());

    // Builds a command line from a template whose %1..%9 are replaced in one pass by the
    // quoted values, so every value is one shell word and is never read as syntax.
    static ShellCommand interpolated(const QString& pattern, const QStringList& values);

    const Shell& shell() const { return m_shell; }
    const QString& raw() const { return m_raw; }
    // Carried with the command for callers that want it; the child inherits the application's
    // environment unchanged.
    const QMap<QString, QString>& environment() const { return m_environment; }
    void setShell(Shell shell) { m_shell = std::move(shell); }

    // What the shell program is started with: -c -l raw.
    QStringList arguments() const;

private:
    Shell m_shell;
    QString m_raw;
    QMap<QString, QString> m_environment;
};

} // namespace Engine
