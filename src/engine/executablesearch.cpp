#include "executablesearch.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace Engine {

std::optional<QString> findExecutable(const QString& name, const QProcessEnvironment& environment)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return std::nullopt;
    // Without a PATH, the system's default one; an empty list would search our own PATH instead.
    const QString searchPath = environment.contains(QStringLiteral("PATH"))
                                   ? environment.value(QStringLiteral("PATH"))
                                   : QStringLiteral("/bin:/sbin");
    const QStringList dirs = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        return std::nullopt;
    const QString found = QStandardPaths::findExecutable(name, dirs);
    return found.isEmpty() ? std::nullopt : std::optional<QString>(found);
}

bool isExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace Engine
