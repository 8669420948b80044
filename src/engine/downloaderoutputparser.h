#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace Engine {

// Reads the title and the saved file out of the tool's standard output.
class DownloaderOutputParser
{
public:
    struct Found
    {
        std::optional<QString> title;
        std::optional<QUrl> location;
    };

    // Applies one line to what was found so far: a line naming a file replaces the earlier
    // finding, so over a whole output the last such line wins. Relative paths are resolved
    // against the current working directory, which the tool shares with us.
    static void apply(const QString& line, Found& found);
    static Found parseLines(const QStringList& lines);
    // A path the tool printed, as a file address; nothing for text that names no file.
    static std::optional<QUrl> fileLocation(const QString& path);
};

} // namespace Engine
