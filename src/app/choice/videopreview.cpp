#include "app/choice/videopreview.h"

#include "app/list/shakelistitemrow.h"

#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace App {

namespace {

constexpr QSize ThumbnailSize(128, 72);

} // namespace

VideoPreview::VideoPreview(QWidget* parent)
    : QWidget(parent), m_thumbnail(new QLabel(this)), m_title(new QLabel(this)), m_details(new QLabel(this)),
      m_status(new QLabel(this))
{
    m_thumbnail->setFixedSize(ThumbnailSize);
    m_thumbnail->setAlignment(Qt::AlignCenter);
    m_thumbnail->setStyleSheet(QStringLiteral("background: palette(mid); border-radius: 4px;"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setWordWrap(true);
    m_title->setTextFormat(Qt::PlainText);
    m_details->setTextFormat(Qt::PlainText);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setForegroundRole(QPalette::PlaceholderText);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_thumbnail, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_details, 1, 1);
    layout->addWidget(m_status, 2, 1);
    layout->setColumnStretch(1, 1);
    connect(&m_thumbnails, &Library::ThumbnailCache::finished, this,
            [this](const QUrl& address, bool stored) {
                if (stored && address == m_thumbnailAddress)
                    showThumbnail(m_thumbnails.use(address));
            });
    clear();
}

void VideoPreview::clear()
{
    m_thumbnailAddress.clear();
    m_thumbnail->clear();
    m_title->setText(tr("Paste or type the address of a video"));
    m_details->clear();
    m_status->clear();
}

void VideoPreview::showReading()
{
    clear();
    m_title->clear();
    m_status->setText(tr("Reading the video's details…"));
}

void VideoPreview::showMetadata(const Engine::VideoMetadata& metadata)
{
    m_thumbnailAddress = metadata.thumbnail;
    m_thumbnail->clear();
    m_title->setText(metadata.title.isEmpty() ? tr("Untitled") : metadata.title);
    QStringList details;
    if (!metadata.uploader.isEmpty())
        details << metadata.uploader;
    if (metadata.durationSeconds)
        details << ShakeListItemRow::formatDuration(*metadata.durationSeconds);
    m_details->setText(details.join(QStringLiteral(" \u00b7 ")));
    m_status->clear();
    if (!metadata.thumbnail.isValid())
        return;
    if (const QString kept = m_thumbnails.use(metadata.thumbnail); !kept.isEmpty())
        showThumbnail(kept);
    else
        m_thumbnails.fetch(metadata.thumbnail);
}

void VideoPreview::showFailure(const QString& reason)
{
    m_thumbnailAddress.clear();
    m_thumbnail->clear();
    m_title->clear();
    m_details->clear();
    // One line: the choices below still work without the video's own.
    const QString line = reason.section(QLatin1Char('\n'), 0, 0).trimmed();
    m_status->setText(tr("Could not read the video's details: %1").arg(line));
}

void VideoPreview::showThumbnail(const QString& file)
{
    const QImage image(file);
    if (image.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(
        image.scaled(ThumbnailSize * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_thumbnail->setPixmap(pixmap);
    Q_EMIT thumbnailShown();
}

} // namespace App
