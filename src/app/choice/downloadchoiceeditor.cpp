#include "app/choice/downloadchoiceeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QLocale>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace App {

using Engine::DownloadChoice;

namespace {

constexpr int LanguageRole = Qt::UserRole;
constexpr int AutomaticRole = Qt::UserRole + 1;

struct Category
{
    const char* key;
    const char* label;
};

// The SponsorBlock categories a viewer is likely to skip.
// Labels are marked here and translated where the boxes are made.
constexpr Category SponsorCategories[] = {
    //: SponsorBlock category
    {"sponsor", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Sponsor")},
    //: SponsorBlock category
    {"selfpromo", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Self-promotion")},
    //: SponsorBlock category
    {"interaction", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Reminders")},
    //: SponsorBlock category
    {"intro", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Intro")},
    //: SponsorBlock category
    {"outro", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Credits")},
    //: SponsorBlock category
    {"preview", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Preview and recap")},
    //: SponsorBlock category
    {"filler", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Filler")},
    //: SponsorBlock category
    {"music_offtopic", QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Non-music part")},
};

// The tool's VBR scale runs from 0 (best) to 10.
constexpr std::pair<int, const char*> AudioQualities[] = {
    //: Audio quality
    {0, QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Best")},
    //: Audio quality
    {2, QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "High")},
    //: Audio quality
    {5, QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Medium")},
    //: Audio quality
    {7, QT_TRANSLATE_NOOP("App::DownloadChoiceEditor", "Low")},
};

template <typename Enum> void selectData(QComboBox* box, Enum value)
{
    const int index = box->findData(int(value));
    box->setCurrentIndex(index < 0 ? 0 : index);
}

} // namespace

DownloadChoiceEditor::DownloadChoiceEditor(QWidget* parent)
    : QWidget(parent), m_kind(new QComboBox(this)), m_pages(new QStackedWidget(this))
{
    m_kind->addItem(tr("Video"));
    m_kind->addItem(tr("Audio only"));
    m_pages->addWidget(videoPage());
    m_pages->addWidget(audioPage());

    auto* kindRow = new QFormLayout;
    kindRow->addRow(tr("Download:"), m_kind);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(kindRow);
    layout->addWidget(m_pages);
    layout->addWidget(subtitlesGroup());
    layout->addWidget(extrasGroup());

    connect(m_kind, &QComboBox::currentIndexChanged, m_pages, &QStackedWidget::setCurrentIndex);
    for (QComboBox* box :
         {m_kind, m_quality, m_container, m_audioFormat, m_audioQuality, m_subtitleMode, m_sponsorAction})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            updateEnabled();
            Q_EMIT changed();
        });
    for (QCheckBox* box : m_sponsorCategories + QList<QCheckBox*>{m_embedThumbnail, m_embedMetadata})
        connect(box, &QCheckBox::toggled, this, &DownloadChoiceEditor::changed);
    connect(m_subtitles, &QListWidget::itemChanged, this, [this] {
        updateEnabled();
        Q_EMIT changed();
    });
    setChoice({});
}

QWidget* DownloadChoiceEditor::videoPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    m_quality = new QComboBox(page);
    fillQualities({});
    m_container = new QComboBox(page);
    m_container->addItem(tr("As the site has it"), int(DownloadChoice::Container::asSite));
    m_container->addItem(QStringLiteral("MP4"), int(DownloadChoice::Container::mp4));
    m_container->addItem(QStringLiteral("MKV"), int(DownloadChoice::Container::mkv));
    m_container->addItem(QStringLiteral("WebM"), int(DownloadChoice::Container::webm));
    form->addRow(tr("Quality:"), m_quality);
    form->addRow(tr("Container:"), m_container);
    return page;
}

QWidget* DownloadChoiceEditor::audioPage()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    m_audioFormat = new QComboBox(page);
    m_audioFormat->addItem(tr("Best original"), int(DownloadChoice::AudioFormat::best));
    m_audioFormat->addItem(QStringLiteral("MP3"), int(DownloadChoice::AudioFormat::mp3));
    m_audioFormat->addItem(QStringLiteral("M4A"), int(DownloadChoice::AudioFormat::m4a));
    m_audioFormat->addItem(QStringLiteral("Opus"), int(DownloadChoice::AudioFormat::opus));
    m_audioFormat->addItem(QStringLiteral("FLAC"), int(DownloadChoice::AudioFormat::flac));
    m_audioQuality = new QComboBox(page);
    for (const auto& [value, label] : AudioQualities)
        m_audioQuality->addItem(tr(label), value);
    form->addRow(tr("Format:"), m_audioFormat);
    form->addRow(tr("Quality:"), m_audioQuality);
    return page;
}

QWidget* DownloadChoiceEditor::subtitlesGroup()
{
    auto* group = new QGroupBox(tr("Subtitles"));
    auto* layout = new QFormLayout(group);
    m_subtitles = new QListWidget(group);
    m_subtitles->setMaximumHeight(96);
    m_subtitles->setObjectName(QStringLiteral("subtitleList"));
    m_subtitleMode = new QComboBox(group);
    m_subtitleMode->addItem(tr("Into the file"), true);
    m_subtitleMode->addItem(tr("As files beside it"), false);
    layout->addRow(m_subtitles);
    layout->addRow(tr("Save:"), m_subtitleMode);
    return group;
}

QWidget* DownloadChoiceEditor::extrasGroup()
{
    auto* group = new QGroupBox(tr("Extras"));
    auto* layout = new QVBoxLayout(group);
    m_embedThumbnail = new QCheckBox(tr("Embed the thumbnail"), group);
    m_embedMetadata = new QCheckBox(tr("Embed metadata and chapters"), group);
    m_sponsorAction = new QComboBox(group);
    m_sponsorAction->addItem(tr("Keep everything"), int(DownloadChoice::SponsorAction::none));
    m_sponsorAction->addItem(tr("Remove"), int(DownloadChoice::SponsorAction::remove));
    m_sponsorAction->addItem(tr("Mark as chapters"), int(DownloadChoice::SponsorAction::mark));
    auto* sponsorRow = new QFormLayout;
    sponsorRow->addRow(tr("SponsorBlock:"), m_sponsorAction);
    auto* categories = new QGridLayout;
    int index = 0;
    for (const Category& category : SponsorCategories) {
        auto* box = new QCheckBox(tr(category.label), group);
        box->setProperty("category", QString::fromLatin1(category.key));
        categories->addWidget(box, index / 4, index % 4);
        m_sponsorCategories.append(box);
        ++index;
    }
    layout->addWidget(m_embedThumbnail);
    layout->addWidget(m_embedMetadata);
    layout->addLayout(sponsorRow);
    layout->addLayout(categories);
    return group;
}

QString DownloadChoiceEditor::sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

void DownloadChoiceEditor::fillQualities(const QList<Engine::VideoMetadata::Quality>& qualities)
{
    const QSignalBlocker blocker(m_quality);
    m_quality->clear();
    //: Video quality
    m_quality->addItem(tr("Best"));
    if (qualities.isEmpty()) {
        for (const int height : DownloadChoice::genericHeights())
            m_quality->addItem(QStringLiteral("%1p").arg(height), height);
        return;
    }
    for (const Engine::VideoMetadata::Quality& quality : qualities) {
        QString label = QStringLiteral("%1p").arg(quality.height);
        if (quality.bytes)
            label += QStringLiteral(" \u00b7 ") + sizeText(*quality.bytes);
        m_quality->addItem(label, quality.height);
    }
}

void DownloadChoiceEditor::selectHeight(std::optional<int> height)
{
    const QSignalBlocker blocker(m_quality);
    m_quality->setCurrentIndex(0);
    if (!height)
        return;
    // Heights are listed highest first: the first one not above the wish is the nearest lower.
    for (int row = 1; row < m_quality->count(); ++row) {
        if (m_quality->itemData(row).toInt() <= *height) {
            m_quality->setCurrentIndex(row);
            return;
        }
    }
    m_quality->setCurrentIndex(m_quality->count() - 1);
}

void DownloadChoiceEditor::fillSubtitles(const DownloadChoice& choice)
{
    const QStringList& chosen = choice.subtitleLanguages;
    // Without a video's own list, the chosen languages are all there is to show.
    const QStringList subtitles = m_metadata ? m_metadata->subtitles : chosen;
    const QStringList automatic =
        m_metadata ? m_metadata->automaticCaptions : (choice.automaticCaptions ? chosen : QStringList());
    const QSignalBlocker blocker(m_subtitles);
    m_subtitles->clear();
    const auto add = [this, &chosen, &choice](const QString& language, bool isAutomatic) {
        auto* item = new QListWidgetItem(language, m_subtitles);
        item->setData(LanguageRole, language);
        item->setData(AutomaticRole, isAutomatic);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool checked = chosen.contains(language) && (!isAutomatic || choice.automaticCaptions);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    };
    for (const QString& language : subtitles)
        add(language, false);
    if (!automatic.isEmpty()) {
        auto* header = new QListWidgetItem(tr("Automatic captions"), m_subtitles);
        header->setFlags(Qt::NoItemFlags);
        QFont font = header->font();
        font.setItalic(true);
        header->setFont(font);
        for (const QString& language : automatic)
            add(language, true);
    }
    if (m_subtitles->count() == 0) {
        auto* none =
            new QListWidgetItem(m_metadata ? tr("This video has none") : tr("None known yet"), m_subtitles);
        none->setFlags(Qt::NoItemFlags);
    }
}

void DownloadChoiceEditor::setChoice(const DownloadChoice& choice)
{
    {
        const QSignalBlocker kindBlocker(m_kind);
        m_kind->setCurrentIndex(choice.audioOnly ? 1 : 0);
        m_pages->setCurrentIndex(m_kind->currentIndex());
        selectHeight(choice.maxHeight);
        const QSignalBlocker containerBlocker(m_container);
        selectData(m_container, choice.container);
        const QSignalBlocker formatBlocker(m_audioFormat);
        selectData(m_audioFormat, choice.audioFormat);
        const QSignalBlocker qualityBlocker(m_audioQuality);
        // The nearest offered step at or above the stored quality.
        int row = m_audioQuality->count() - 1;
        for (int i = m_audioQuality->count() - 1; i >= 0; --i)
            if (m_audioQuality->itemData(i).toInt() >= choice.audioQuality)
                row = i;
        m_audioQuality->setCurrentIndex(row);
        const QSignalBlocker modeBlocker(m_subtitleMode);
        m_subtitleMode->setCurrentIndex(choice.embedSubtitles ? 0 : 1);
        const QSignalBlocker thumbnailBlocker(m_embedThumbnail);
        m_embedThumbnail->setChecked(choice.embedThumbnail);
        const QSignalBlocker metadataBlocker(m_embedMetadata);
        m_embedMetadata->setChecked(choice.embedMetadata);
        const QSignalBlocker sponsorBlocker(m_sponsorAction);
        selectData(m_sponsorAction, choice.sponsorAction);
        for (QCheckBox* box : m_sponsorCategories) {
            const QSignalBlocker blocker(box);
            box->setChecked(choice.sponsorCategories.contains(box->property("category").toString()));
        }
    }
    fillSubtitles(choice);
    updateEnabled();
    Q_EMIT changed();
}

void DownloadChoiceEditor::setMetadata(const std::optional<Engine::VideoMetadata>& metadata)
{
    const DownloadChoice current = choice();
    m_metadata = metadata;
    fillQualities(metadata ? metadata->qualities : QList<Engine::VideoMetadata::Quality>());
    selectHeight(current.maxHeight);
    fillSubtitles(current);
    updateEnabled();
    Q_EMIT changed();
}

DownloadChoice DownloadChoiceEditor::choice() const
{
    DownloadChoice choice;
    choice.audioOnly = m_kind->currentIndex() == 1;
    if (m_quality->currentIndex() > 0)
        choice.maxHeight = m_quality->currentData().toInt();
    choice.container = static_cast<DownloadChoice::Container>(m_container->currentData().toInt());
    choice.audioFormat = static_cast<DownloadChoice::AudioFormat>(m_audioFormat->currentData().toInt());
    choice.audioQuality = m_audioQuality->currentData().toInt();
    for (int row = 0; row < m_subtitles->count(); ++row) {
        const QListWidgetItem* item = m_subtitles->item(row);
        if (item->checkState() != Qt::Checked)
            continue;
        const QString language = item->data(LanguageRole).toString();
        if (!choice.subtitleLanguages.contains(language))
            choice.subtitleLanguages.append(language);
        if (item->data(AutomaticRole).toBool())
            choice.automaticCaptions = true;
    }
    choice.embedSubtitles = m_subtitleMode->currentData().toBool();
    choice.embedThumbnail = m_embedThumbnail->isChecked();
    choice.embedMetadata = m_embedMetadata->isChecked();
    choice.sponsorAction = static_cast<DownloadChoice::SponsorAction>(m_sponsorAction->currentData().toInt());
    for (const QCheckBox* box : m_sponsorCategories)
        if (box->isChecked())
            choice.sponsorCategories.append(box->property("category").toString());
    return choice;
}

void DownloadChoiceEditor::updateEnabled()
{
    // FLAC is lossless: the quality scale means nothing to it.
    m_audioQuality->setEnabled(
        static_cast<DownloadChoice::AudioFormat>(m_audioFormat->currentData().toInt()) !=
        DownloadChoice::AudioFormat::flac);
    bool anySubtitle = false;
    for (int row = 0; row < m_subtitles->count(); ++row)
        anySubtitle = anySubtitle || m_subtitles->item(row)->checkState() == Qt::Checked;
    // An audio file holds no subtitles; they can only go beside it.
    m_subtitleMode->setEnabled(anySubtitle && m_kind->currentIndex() == 0);
    const bool sponsor = static_cast<DownloadChoice::SponsorAction>(m_sponsorAction->currentData().toInt()) !=
                         DownloadChoice::SponsorAction::none;
    for (QCheckBox* box : m_sponsorCategories)
        box->setEnabled(sponsor);
}

} // namespace App
