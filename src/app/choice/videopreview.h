#pragma once

#include "engine/videometadata.h"
#include "library/thumbnailcache.h"

#include <QWidget>

class QLabel;

namespace App {

// What the tool said about an address before anything is downloaded: thumbnail, title,
// uploader and duration, or one line on why it could not say.
class VideoPreview : public QWidget
{
    Q_OBJECT
public:
    explicit VideoPreview(QWidget* parent = nullptr);

    void clear();
    void showReading();
    void showMetadata(const Engine::VideoMetadata& metadata);
    void showFailure(const QString& reason);

    QLabel* thumbnailLabel() const { return m_thumbnail; }
    QLabel* titleLabel() const { return m_title; }
    QLabel* detailsLabel() const { return m_details; }
    QLabel* statusLabel() const { return m_status; }

Q_SIGNALS:
    void thumbnailShown();

private:
    void showThumbnail(const QString& file);

    // The list's own: a picture seen here is there for the row when the download is added.
    Library::ThumbnailCache m_thumbnails;
    QUrl m_thumbnailAddress;
    QLabel* m_thumbnail;
    QLabel* m_title;
    QLabel* m_details;
    QLabel* m_status;
};

} // namespace App
