#include "executablesearch.h"

#include <QFileInfo>

namespace Engine {

std::optional<QString> findExecutable(const QString& name, const QProcessEnvironment& environment)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return std::nullopt;
    const QString searchPath = environment.contains(QStringLiteral("PATH"))
                                   ? environment.value(QStringLiteral("PATH"))
                                   : QStringLiteral("/bin:/sbin");
    const QStringList dirs = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dirs) {
        const QString candidate = dir + QLatin1Char('/') + name;
        if (isExecutableFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

bool isExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace Engine
