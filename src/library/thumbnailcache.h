#pragma once

#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;

namespace Library {

// The pictures of downloads, scaled down for the list's rows and kept as files in one folder
// under a size cap; the least recently used go first. Fetching happens on the event loop, so
// nothing here waits for the network.
class ThumbnailCache : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 DefaultCapBytes = 32 * 1024 * 1024;
    // Twice a row's picture, for high-density screens.
    static constexpr QSize ImageSize{148, 84};
    static constexpr qint64 MaxDownloadBytes = 4 * 1024 * 1024;

    explicit ThumbnailCache(QString folder = defaultFolder(), qint64 capBytes = DefaultCapBytes,
                            QObject* parent = nullptr);

    // $XDG_CACHE_HOME/VeltQorv/thumbnails
    static QString defaultFolder();
    const QString& folder() const { return m_folder; }
    // Where the picture of `address` is kept, whether or not it is there yet.
    QString filePath(const QUrl& address) const;
    // The kept picture of `address`, which counts as used now; empty when none is kept.
    QString use(const QUrl& address);
    // Fetches, scales and keeps the picture, unless it is kept or under way already.
    void fetch(const QUrl& address);
    int pendingCount() const { return static_cast<int>(m_pending.size()); }

Q_SIGNALS:
    // A fetch of `address` ended; `stored` tells whether its picture is kept now.
    void finished(const QUrl& address, bool stored);

private:
    bool keep(const QUrl& address, const QByteArray& data);
    void trim();

    const QString m_folder;
    const qint64 m_capBytes;
    // A child, so that requests under way are abandoned with this object.
    QNetworkAccessManager* m_network;
    QSet<QUrl> m_pending;
};

} // namespace Library
