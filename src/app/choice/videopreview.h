#pragma once

#include "engine/videometadata.h"

#include <QNetworkAccessManager>
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

    // "3:25", "1:02:03".
    static QString durationText(qint64 seconds);

Q_SIGNALS:
    void thumbnailShown();

private:
    void fetchThumbnail(const QUrl& address);

    QNetworkAccessManager m_network;
    QLabel* m_thumbnail;
    QLabel* m_title;
    QLabel* m_details;
    QLabel* m_status;
    // Tells a late thumbnail of an earlier address apart.
    quint64 m_generation = 0;
};

} // namespace App
