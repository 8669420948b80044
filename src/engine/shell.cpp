#include "shell.h"

#include "executablesearch.h"

namespace Engine {

Shell Shell::zsh()
{
    return Shell(QStringLiteral("zsh"));
}

Shell Shell::bash()
{
    return Shell(QStringLiteral("bash"));
}

Shell Shell::current()
{
    static const Shell decided = findExecutable(QStringLiteral("zsh")) ? zsh() : bash();
    return decided;
}

std::optional<QString> Shell::path() const
{
    return findExecutable(m_name);
}

} // namespace Engine
