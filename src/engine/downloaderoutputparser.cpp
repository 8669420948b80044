#include "downloaderoutputparser.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Engine {

namespace {
const QLatin1String FileMarkers[] = {
    QLatin1String("[download] Destination:"),
    QLatin1String("[Merger] Merging formats into"),
    QLatin1String("[download] Finished downloading playlist:"),
};

const QLatin1String AlreadyDownloaded("already been downloaded");

QString trimmedOfQuotes(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto trimmable = [](QChar c) { return c.isSpace() || c == QLatin1Char('"'); };
    while (begin < end && trimmable(text.at(begin)))
        ++begin;
    while (end > begin && trimmable(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// No file name holds a NUL; QFileInfo would leave such a path relative.
bool namesFile(const QString& path)
{
    return !path.isEmpty() && !path.contains(QChar::Null);
}

// Resolved by hand: QFileInfo takes a name starting with ':' for one of Qt's resources and
// leaves it relative, and makes "//" of a path that climbs to the root with a trailing slash.
QUrl fileUrl(const QString& path)
{
    const QString absolute =
        path.startsWith(QLatin1Char('/')) ? path : QDir::currentPath() + QLatin1Char('/') + path;
    return QUrl::fromLocalFile(QDir::cleanPath(absolute));
}
} // namespace

std::optional<QUrl> DownloaderOutputParser::fileLocation(const QString& path)
{
    return namesFile(path) ? std::optional(fileUrl(path)) : std::nullopt;
}

void DownloaderOutputParser::apply(const QString& line, Found& found)
{
    for (const QLatin1String& marker : FileMarkers) {
        const qsizetype at = line.indexOf(marker, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        const QString path = trimmedOfQuotes(line.mid(at + marker.size()));
        if (!namesFile(path))
            continue;
        found.location = fileUrl(path);
        found.title = QFileInfo(path).fileName();
    }

    if (line.contains(AlreadyDownloaded, Qt::CaseSensitive)) {
        // The title is everything after the last "[download] ", so it names the file and says
        // that it was there before.
        static const QRegularExpression afterMarker(QStringLiteral("^.*\\[download\\]\\s(.*)$"),
                                                    QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression existingPath(QStringLiteral("^(.*)\\shas already been downloaded"));
        const QRegularExpressionMatch match = afterMarker.match(line);
        if (match.hasMatch()) {
            const QString text = match.captured(1);
            found.title = text;
            const QRegularExpressionMatch pathMatch = existingPath.match(text);
            if (pathMatch.hasMatch()) {
                const QString path = trimmedOfQuotes(pathMatch.captured(1));
                if (namesFile(path))
                    found.location = fileUrl(path);
            }
        }
    }

    if (found.title)
        found.title = trimmedOfQuotes(*found.title);
}

DownloaderOutputParser::Found DownloaderOutputParser::parseLines(const QStringList& lines)
{
    Found found;
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char('\n'));
        for (const QString& part : parts)
            apply(part, found);
    }
    return found;
}

} // namespace Engine
