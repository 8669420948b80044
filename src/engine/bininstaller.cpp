#include "bininstaller.h"

#include "commandrunner.h"
#include "toolpath.h"

namespace Engine {

void BinInstaller::version(Preferences& preferences, QObject* context,
                           std::function<void(const std::optional<QString>&)> done)
{
    ToolPath::resolveBin(
        preferences, false, context, [context, done = std::move(done)](const std::optional<QString>& path) {
            if (!path) {
                done(std::nullopt);
                return;
            }
            const ShellCommand command =
                ShellCommand::interpolated(QStringLiteral("%1 --version"), {path->trimmed()});
            CommandRunner::run(command, context, [done](const ProcessResult& result) {
                done(result.isOutput() ? std::optional<QString>(result.text().trimmed()) : std::nullopt);
            });
        });
}

} // namespace Engine
