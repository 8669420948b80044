#pragma once

#include "engine/downloaderprogress.h"
#include "library/shakeitem.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <optional>

namespace App {

// What one row of the download list shows for an item at a given moment: texts, the state
// symbol with its help, and which buttons it offers. Drawing is ShakeItemDelegate's.
class ShakeListItemRow
{
    Q_DECLARE_TR_FUNCTIONS(ShakeListItemRow)

public:
    static ShakeListItemRow make(const Library::ShakeItem& item, const QDateTime& now,
                                 const std::optional<Engine::DownloaderProgress>& progress = std::nullopt);

    QString title;
    QString createdText;
    // "Completed on: …" for a completed item, else empty.
    QString completedText;
    // "Automatically retry in 2 hours" while a schedule lies ahead, else empty.
    QString retryText;
    QString stateSymbol;
    QString stateHelp;
    bool scheduled = false;
    bool starred = false;
    // The trimmed error text; the error button shows only when it is not empty.
    QString errorText;
    bool running = false;
    std::optional<Engine::DownloaderProgress> progress;
    // "42% · 1.2 MB/s · 0:35 left" while running with progress, else empty.
    QString progressText;
    // The choice's badge, the video's length ("3:25") and the file's size ("12.4 MB"); each empty
    // when unknown.
    QString badge;
    QString durationText;
    QString sizeText;
    // "720p was not available; downloaded 480p" when the run took the nearest quality, else empty.
    QString qualityNote;
    // A completed item whose file is known.
    std::optional<QString> filePath;

    bool hasError() const { return !errorText.isEmpty(); }

    // The platform's default short date and time.
    static QString formatDate(const QDateTime& date);
    // "in 2 hours": the largest whole unit, in words.
    static QString relativeDate(const QDateTime& date, const QDateTime& now);
    static QString formatDuration(qint64 seconds);
    static QString formatProgress(const Engine::DownloaderProgress& progress);
    // The explanation shown above an error text that says the cookies could not be read (both
    // words, in any letter case); absent for any other error. Markdown.
    static std::optional<QString> errorExplanation(const QString& errorText);
};

} // namespace App
