#include "app/settings/settingsdownloadview.h"

#include "app/settings/sectionfooter.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "engine/qorvvideoresolution.h"
#include "library/librarykeys.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace App {

using Engine::QorvVideoResolution;

SettingsDownloadView::SettingsDownloadView(Engine::Preferences& preferences, QWidget* parent)
    : QWidget(parent), m_preferences(preferences), m_chooseFolder([](QWidget* owner, const QString& current) {
          return QFileDialog::getExistingDirectory(owner, QStringLiteral("Default Download Location"),
                                                   current);
      }),
      m_location(new QLabel), m_choose(new QPushButton(QStringLiteral("Choose…"))),
      m_resolution(new QComboBox), m_delay(new QComboBox)
{
    auto* layout = new QVBoxLayout(this);

    auto* locationBox = new QGroupBox(QStringLiteral("Default Download Location"));
    auto* locationLayout = new QVBoxLayout(locationBox);
    auto* locationRow = new QHBoxLayout;
    auto* folderIcon = new QLabel;
    folderIcon->setPixmap(QIcon::fromTheme(QStringLiteral("folder")).pixmap(16, 16));
    locationRow->addWidget(folderIcon);
    m_location->setTextInteractionFlags(Qt::TextSelectableByMouse);
    locationRow->addWidget(m_location, 1);
    locationRow->addWidget(m_choose);
    locationLayout->addLayout(locationRow);
    locationLayout->addWidget(
        new SectionFooter(QStringLiteral("Downloads will be saved to the chosen folder by default.")));
    layout->addWidget(locationBox);

    auto* video = new QGroupBox(QStringLiteral("Video"));
    auto* videoLayout = new QFormLayout(video);
    m_resolution->addItem(QStringLiteral("None"));
    for (const QorvVideoResolution resolution : QorvVideoResolution::allCases())
        m_resolution->addItem(resolution.label(), resolution.text());
    videoLayout->addRow(QStringLiteral("Resolution"), m_resolution);
    layout->addWidget(video);

    auto* delay = new QGroupBox(QStringLiteral("Delay"));
    auto* delayLayout = new QFormLayout(delay);
    m_delay->addItem(QStringLiteral("None"));
    for (int hours = 1; hours <= maximumDelayHours; ++hours)
        m_delay->addItem(hoursText(hours), hours);
    delayLayout->addRow(QStringLiteral("Download Delay for Live Event"), m_delay);
    delayLayout->addRow(new SectionFooter(
        QStringLiteral("When enabled, download starting time will be delayed by the chosen duration.")));
    layout->addWidget(delay);
    layout->addStretch();

    m_preferences.subscribe<QUrl>(Library::Keys::defaultOutputLocation, this, [this](const QUrl& folder) {
        m_location->setText(QDir::toNativeSeparators(folder.toLocalFile()));
    });
    connect(m_choose, &QPushButton::clicked, this, &SettingsDownloadView::chooseLocation);

    m_preferences.subscribe<std::optional<QorvVideoResolution>>(
        Library::Keys::defaultResolution, this, [this](const std::optional<QorvVideoResolution>& resolution) {
            const QSignalBlocker blocker(m_resolution);
            m_resolution->setCurrentIndex(resolution ? m_resolution->findData(resolution->text()) : 0);
        });
    connect(m_resolution, &QComboBox::activated, this, [this](int index) {
        m_preferences.setValue(Library::Keys::defaultResolution,
                               QorvVideoResolution::fromText(m_resolution->itemData(index).toString()));
    });

    // A stored delay outside the offered hours still shows as what it is rather than as "None".
    m_preferences.subscribe<std::optional<int>>(Engine::Keys::downloadDelay, this,
                                                [this](const std::optional<int>& hours) {
                                                    const QSignalBlocker blocker(m_delay);
                                                    int index = hours ? m_delay->findData(*hours) : 0;
                                                    if (index < 0) {
                                                        m_delay->addItem(hoursText(*hours), *hours);
                                                        index = m_delay->count() - 1;
                                                    }
                                                    m_delay->setCurrentIndex(index);
                                                });
    connect(m_delay, &QComboBox::activated, this, [this](int index) {
        const QVariant hours = m_delay->itemData(index);
        m_preferences.setValue(Engine::Keys::downloadDelay,
                               hours.isValid() ? std::optional<int>(hours.toInt()) : std::optional<int>());
    });
}

QString SettingsDownloadView::hoursText(int hours)
{
    return hours == 1 ? QStringLiteral("1 hour") : QStringLiteral("%1 hours").arg(hours);
}

void SettingsDownloadView::chooseLocation()
{
    const QString current = m_preferences.value(Library::Keys::defaultOutputLocation).toLocalFile();
    const QString chosen = m_chooseFolder(this, current);
    if (chosen.isEmpty())
        return;
    m_preferences.setValue(Library::Keys::defaultOutputLocation, QUrl::fromLocalFile(chosen));
}

} // namespace App
