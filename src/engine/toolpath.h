#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QString>

#include <functional>
#include <optional>

namespace Engine {

class Preferences;

// Where the yt-dlp executable is: the stored path, else a lookup through the login shell.
class ToolPath
{
public:
    static QString toolName() { return QStringLiteral("yt-dlp"); }

    // The stored path as stored (unless skipStored), else what the shell lookup finds. `done`
    // runs on `context`'s thread.
    static void resolveBin(Preferences& preferences, bool skipStored, QObject* context,
                           std::function<void(const std::optional<QString>&)> done);

    // `path` as resolveBin gave it, made something to start: a bare name is looked up in
    // `environment`'s PATH as the login shell would; nothing unless it ends as an absolute path to
    // an executable file.
    static std::optional<QString> runnableBin(const QString& path, const QProcessEnvironment& environment);

    // True unless the stored path names an executable file.
    static bool isBinMissing(const Preferences& preferences);

    // At start-up: when the stored path is missing or stale, look the tool up again and store a
    // path that is found. A stale path stays when nothing is found, for the views to report.
    static void discover(Preferences& preferences, QObject* context, std::function<void()> done = {});

    // The first line of `output` (from the last) that is an absolute path to an executable
    // file. A login profile may print text of its own before it.
    static std::optional<QString> pathFromLookupOutput(const QString& output);
};

} // namespace Engine
