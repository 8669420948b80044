#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace Engine {

// The absolute path of the first executable file called `name` on PATH (or /bin:/sbin
// when the environment has no PATH). No shell is involved.
std::optional<QString>
findExecutable(const QString& name,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// True when `path` names an existing regular file that this user may execute.
bool isExecutableFile(const QString& path);

} // namespace Engine
