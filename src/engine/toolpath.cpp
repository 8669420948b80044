#include "toolpath.h"

#include "commandrunner.h"
#include "engine/enginekeys.h"
#include "executablesearch.h"
#include "logging.h"
#include "preferences.h"

#include <QDir>

namespace Engine {

void ToolPath::resolveBin(Preferences& preferences, bool skipStored, QObject* context,
                          std::function<void(const std::optional<QString>&)> done)
{
    if (!skipStored) {
        if (const std::optional<QString> stored = preferences.value(Engine::Keys::downloaderBin)) {
            done(stored);
            return;
        }
    }
    CommandRunner::run(ShellCommand::interpolated(QStringLiteral("which %1"), {toolName()}), context,
                       [done = std::move(done)](const ProcessResult& result) {
                           done(result.isOutput() ? pathFromLookupOutput(result.text()) : std::nullopt);
                       });
}

bool ToolPath::isBinMissing(const Preferences& preferences)
{
    const std::optional<QString> stored = preferences.value(Engine::Keys::downloaderBin);
    return !stored || !isExecutableFile(stored->trimmed());
}

void ToolPath::discover(Preferences& preferences, QObject* context, std::function<void()> done)
{
    if (!isBinMissing(preferences)) {
        if (done)
            done();
        return;
    }
    resolveBin(preferences, true, context,
               [&preferences, done = std::move(done)](const std::optional<QString>& found) {
                   if (found) {
                       qCInfo(lcMain).noquote() << "yt-dlp found at" << *found;
                       preferences.setValue(Engine::Keys::downloaderBin, found);
                   }
                   if (done)
                       done();
               });
}

std::optional<QString> ToolPath::pathFromLookupOutput(const QString& output)
{
    const QStringList lines = output.split(QLatin1Char('\n'));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QString candidate = it->trimmed();
        if (QDir::isAbsolutePath(candidate) && isExecutableFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::optional<QString> ToolPath::runnableBin(const QString& path, const QProcessEnvironment& environment)
{
    QString bin = path.trimmed();
    if (!bin.isEmpty() && !bin.contains(QLatin1Char('/')))
        bin = findExecutable(bin, environment).value_or(bin);
    if (!QDir::isAbsolutePath(bin) || !isExecutableFile(bin))
        return std::nullopt;
    return bin;
}

} // namespace Engine
