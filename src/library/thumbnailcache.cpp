#include "thumbnailcache.h"

#include "httpfetch.h"

#include "engine/logging.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QSaveFile>
#include <QStandardPaths>

namespace Library {

ThumbnailCache::ThumbnailCache(QString folder, qint64 capBytes, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_capBytes(capBytes),
      m_network(new QNetworkAccessManager(this))
{
}

QString ThumbnailCache::defaultFolder()
{
    // Named explicitly, as the store is, rather than through the organisation's name.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/VeltQorv/thumbnails");
}

QString ThumbnailCache::filePath(const QUrl& address) const
{
    const QByteArray key =
        QCryptographicHash::hash(address.toString(QUrl::FullyEncoded).toUtf8(), QCryptographicHash::Sha1);
    return m_folder + QLatin1Char('/') + QString::fromLatin1(key.toHex()) + QStringLiteral(".png");
}

QString ThumbnailCache::use(const QUrl& address)
{
    const QString path = filePath(address);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The modification time is the last use, which trimming goes by.
    file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    return path;
}

void ThumbnailCache::fetch(const QUrl& address)
{
    if (m_pending.contains(address) || QFile::exists(filePath(address)))
        return;
    m_pending.insert(address);
    const HttpFetch::Limits limits{.timeoutMs = 10000, .maxBytes = MaxDownloadBytes};
    HttpFetch::get(*m_network, address, limits, this, [this, address](const HttpFetch::Result& result) {
        m_pending.remove(address);
        const bool stored = result.succeeded() && keep(address, result.body);
        if (!stored)
            qCDebug(Engine::lcMain).noquote() << "no thumbnail from" << address.toString() << result.error;
        Q_EMIT finished(address, stored);
    });
}

bool ThumbnailCache::keep(const QUrl& address, const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    // Decoded at the reduced size where the format allows it, so a large picture costs little.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > ImageSize.width() || size.height() > ImageSize.height()))
        reader.setScaledSize(size.scaled(ImageSize, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return false;
    if (image.width() > ImageSize.width() || image.height() > ImageSize.height())
        image = image.scaled(ImageSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!QDir().mkpath(m_folder))
        return false;
    QSaveFile file(filePath(address));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return false;
    trim();
    return true;
}

void ThumbnailCache::trim()
{
    // Oldest use first.
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({QStringLiteral("*.png")}, QDir::Files, QDir::Time | QDir::Reversed);
    qint64 total = 0;
    for (const QFileInfo& file : files)
        total += file.size();
    for (const QFileInfo& file : files) {
        if (total <= m_capBytes)
            break;
        if (QFile::remove(file.filePath()))
            total -= file.size();
    }
}

} // namespace Library
