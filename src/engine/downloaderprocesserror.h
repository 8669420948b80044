#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <optional>

namespace Engine {

// The kind of failure a download run ended in. It carries no wording of its own: callers word
// each kind. A premiere or a live event that has not begun carries the moment to try again.
class DownloaderProcessError
{
public:
    // Declared order is significant: new kinds go at the end.
    enum class Kind
    {
        downloaderBinNotFound,
        downloadFailed,
        processTerminated,
        premieresVideo,
        liveEvent,
        videoUnavailable,
        permissionError,
        // The address would not reach the tool as a plain address (empty, unparsable, or an option).
        addressRefused,
        // No format of the page matched the requested one ("Requested format is not available").
        formatUnavailable,
    };

    DownloaderProcessError() = default;

    static DownloaderProcessError downloaderBinNotFound() { return {Kind::downloaderBinNotFound, {}, {}}; }
    static DownloaderProcessError downloadFailed(QString text)
    {
        return {Kind::downloadFailed, std::move(text), {}};
    }
    static DownloaderProcessError processTerminated() { return {Kind::processTerminated, {}, {}}; }
    static DownloaderProcessError premieresVideo(std::optional<QDateTime> startDate)
    {
        return {Kind::premieresVideo, {}, std::move(startDate)};
    }
    static DownloaderProcessError liveEvent(std::optional<QDateTime> startDate)
    {
        return {Kind::liveEvent, {}, std::move(startDate)};
    }
    static DownloaderProcessError videoUnavailable(QString text)
    {
        return {Kind::videoUnavailable, std::move(text), {}};
    }
    static DownloaderProcessError permissionError(QString text)
    {
        return {Kind::permissionError, std::move(text), {}};
    }
    static DownloaderProcessError addressRefused(QString reason)
    {
        return {Kind::addressRefused, std::move(reason), {}};
    }

    static DownloaderProcessError formatUnavailable(QString text)
    {
        return {Kind::formatUnavailable, std::move(text), {}};
    }

    Kind kind() const { return m_kind; }
    // The tool's error text (downloadFailed, videoUnavailable, permissionError, formatUnavailable) or the
    // reason an address was refused; empty for the other kinds.
    const QString& text() const { return m_text; }
    // When to start again: only premieresVideo and liveEvent carry one.
    const std::optional<QDateTime>& startDate() const { return m_startDate; }
    bool isScheduled() const { return m_kind == Kind::premieresVideo || m_kind == Kind::liveEvent; }

    // The kind's name in lower camel case ("premieresVideo"), for logs and stored forms.
    static QString kindName(Kind kind);

    bool operator==(const DownloaderProcessError&) const = default;

private:
    DownloaderProcessError(Kind kind, QString text, std::optional<QDateTime> startDate)
        : m_kind(kind), m_text(std::move(text)), m_startDate(std::move(startDate))
    {
    }

    Kind m_kind = Kind::downloadFailed;
    QString m_text;
    std::optional<QDateTime> m_startDate;
};

} // namespace Engine

Q_DECLARE_METATYPE(Engine::DownloaderProcessError)
