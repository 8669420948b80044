#pragma once

#include "engine/downloadchoice.h"
#include "engine/videometadata.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QListWidget;
class QStackedWidget;

namespace App {

// The controls of one download's choices: video quality and container or audio only,
// subtitles, and extras. Offers the generic qualities until a video's own are known.
class DownloadChoiceEditor : public QWidget
{
    Q_OBJECT
public:
    explicit DownloadChoiceEditor(QWidget* parent = nullptr);

    Engine::DownloadChoice choice() const;
    void setChoice(const Engine::DownloadChoice& choice);
    // The video's own qualities and subtitles; nothing goes back to the generic ones. The
    // current choice is kept where the video has it, else the nearest lower quality is taken.
    void setMetadata(const std::optional<Engine::VideoMetadata>& metadata);

    QComboBox* kindBox() const { return m_kind; }
    QComboBox* qualityBox() const { return m_quality; }
    QComboBox* containerBox() const { return m_container; }
    QComboBox* audioFormatBox() const { return m_audioFormat; }
    QListWidget* subtitleList() const { return m_subtitles; }

    static QString sizeText(qint64 bytes);

Q_SIGNALS:
    void changed();

private:
    QWidget* videoPage();
    QWidget* audioPage();
    QWidget* subtitlesGroup();
    QWidget* extrasGroup();
    void fillQualities(const QList<Engine::VideoMetadata::Quality>& qualities);
    void selectHeight(std::optional<int> height);
    void fillSubtitles(const Engine::DownloadChoice& choice);
    void updateEnabled();

    std::optional<Engine::VideoMetadata> m_metadata;
    QComboBox* m_kind;
    QStackedWidget* m_pages;
    QComboBox* m_quality = nullptr;
    QComboBox* m_container = nullptr;
    QComboBox* m_audioFormat = nullptr;
    QComboBox* m_audioQuality = nullptr;
    QListWidget* m_subtitles = nullptr;
    QComboBox* m_subtitleMode = nullptr;
    QCheckBox* m_embedThumbnail = nullptr;
    QCheckBox* m_embedMetadata = nullptr;
    QComboBox* m_sponsorAction = nullptr;
    QList<QCheckBox*> m_sponsorCategories;
};

} // namespace App
