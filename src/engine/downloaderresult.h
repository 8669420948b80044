#pragma once

#include "downloaderprocesserror.h"
#include "downloaderstatus.h"

#include <QMetaType>
#include <QString>
#include <QUrl>

#include <optional>

namespace Engine {

// What one download run learned and how it ended. While the tool runs it holds the title and
// file seen so far; once the run has finished it also holds the status, the log and, after a
// failure, the classified error.
class DownloaderResult
{
public:
    DownloaderStatus status() const { return m_status; }
    void setStatus(DownloaderStatus status) { m_status = status; }

    // The file's name, or the text the tool reported for a file it had downloaded before.
    const std::optional<QString>& title() const { return m_title; }
    void setTitle(std::optional<QString> title) { m_title = std::move(title); }

    // File URL of the saved file.
    const std::optional<QUrl>& location() const { return m_location; }
    void setLocation(std::optional<QUrl> location) { m_location = std::move(location); }

    // As the site gives them: the length in seconds and the address of its picture.
    const std::optional<qint64>& duration() const { return m_duration; }
    void setDuration(std::optional<qint64> seconds) { m_duration = seconds; }
    const std::optional<QUrl>& thumbnail() const { return m_thumbnail; }
    void setThumbnail(std::optional<QUrl> thumbnail) { m_thumbnail = std::move(thumbnail); }
    // The picture's lines in the saved file, when the tool knows them.
    const std::optional<int>& height() const { return m_height; }
    void setHeight(std::optional<int> height) { m_height = height; }

    // The newest part (bounded) of the tool's standard output, trimmed, without progress lines.
    const QString& outputLog() const { return m_outputLog; }
    void setOutputLog(QString log) { m_outputLog = std::move(log); }

    // The tool's standard error (newest part, trimmed) or a short reason; empty after success
    // and after a stop the user asked for.
    const QString& error() const { return m_error; }
    void setError(QString error) { m_error = std::move(error); }

    // Present exactly when the status is `failed`.
    const std::optional<DownloaderProcessError>& processError() const { return m_processError; }
    void setProcessError(std::optional<DownloaderProcessError> error) { m_processError = std::move(error); }

    bool operator==(const DownloaderResult&) const = default;

private:
    DownloaderStatus m_status = DownloaderStatus::ready;
    std::optional<QString> m_title;
    std::optional<QUrl> m_location;
    std::optional<qint64> m_duration;
    std::optional<QUrl> m_thumbnail;
    std::optional<int> m_height;
    QString m_outputLog;
    QString m_error;
    std::optional<DownloaderProcessError> m_processError;
};

} // namespace Engine

Q_DECLARE_METATYPE(Engine::DownloaderResult)
