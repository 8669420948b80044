#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>

#include <optional>

namespace Engine {

// How far the tool has got with the file it is writing. Every figure is what the tool reported;
// absent when it did not know it.
class DownloaderProgress
{
public:
    // 0..100, for the current file. Taken from the byte counts, else from the fragment counts.
    std::optional<double> percent() const { return m_percent; }
    std::optional<qint64> downloadedBytes() const { return m_downloadedBytes; }
    // Exact size when the tool knows it, else its estimate.
    std::optional<qint64> totalBytes() const { return m_totalBytes; }
    // Bytes per second.
    std::optional<double> speed() const { return m_speed; }
    // Seconds left.
    std::optional<qint64> eta() const { return m_eta; }
    // The tool reported this file complete.
    bool isFileFinished() const { return m_fileFinished; }

    void setPercent(std::optional<double> percent) { m_percent = percent; }

    // The value of --progress-template that prints one line, starting with `prefix` and a space,
    // per progress report; `parse` reads what follows the prefix.
    static QString progressTemplate(const QString& prefix);
    // Nothing when the fields are not what progressTemplate prints.
    static std::optional<DownloaderProgress> parse(QStringView fields);

    bool operator==(const DownloaderProgress&) const = default;

private:
    std::optional<double> m_percent;
    std::optional<qint64> m_downloadedBytes;
    std::optional<qint64> m_totalBytes;
    std::optional<double> m_speed;
    std::optional<qint64> m_eta;
    bool m_fileFinished = false;
};

} // namespace Engine

Q_DECLARE_METATYPE(Engine::DownloaderProgress)
