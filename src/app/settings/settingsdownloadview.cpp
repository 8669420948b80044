#include "app/settings/settingsdownloadview.h"

#include "app/choice/downloadchoiceeditor.h"
#include "app/settings/sectionfooter.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/presetlist.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace App {

SettingsDownloadView::SettingsDownloadView(Engine::Preferences& preferences, QWidget* parent)
    : QWidget(parent), m_preferences(preferences), m_chooseFolder([](QWidget* owner, const QString& current) {
          return QFileDialog::getExistingDirectory(owner, tr("Default Download Location"), current);
      }),
      m_location(new QLabel), m_choose(new QPushButton(tr("Choose…"))), m_delay(new QComboBox)
{
    // The preset's choices make the tab taller than the window.
    auto* content = new QWidget;
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* layout = new QVBoxLayout(content);

    auto* locationBox = new QGroupBox(tr("Default Download Location"));
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
        new SectionFooter(tr("Downloads will be saved to the chosen folder by default.")));
    layout->addWidget(locationBox);

    layout->addWidget(presetGroup());

    auto* delay = new QGroupBox(tr("Delay"));
    auto* delayLayout = new QFormLayout(delay);
    //: No delay
    m_delay->addItem(tr("None"));
    for (int hours = 1; hours <= maximumDelayHours; ++hours)
        m_delay->addItem(hoursText(hours), hours);
    delayLayout->addRow(tr("Download Delay for Live Event"), m_delay);
    delayLayout->addRow(new SectionFooter(
        tr("When enabled, download starting time will be delayed by the chosen duration.")));
    layout->addWidget(delay);
    layout->addStretch();

    m_preferences.subscribe<QUrl>(Library::Keys::defaultOutputLocation, this, [this](const QUrl& folder) {
        m_location->setText(QDir::toNativeSeparators(folder.toLocalFile()));
    });
    connect(m_choose, &QPushButton::clicked, this, &SettingsDownloadView::chooseLocation);

    // A preset saved in the New Download window, or the old resolution setting, shows here at once.
    for (const auto* key : {&Library::Keys::downloadPresets, &Library::Keys::defaultPreset})
        m_preferences.subscribe<QString>(*key, this, [this](const QString&) { showDefaultPreset(); });
    m_preferences.subscribe<std::optional<Engine::QorvVideoResolution>>(
        Library::Keys::defaultResolution, this,
        [this](const std::optional<Engine::QorvVideoResolution>&) { showDefaultPreset(); });

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

QWidget* SettingsDownloadView::presetGroup()
{
    auto* group = new QGroupBox(tr("New Downloads"));
    auto* layout = new QVBoxLayout(group);
    m_preset = new QComboBox(group);
    m_deletePreset = new QPushButton(tr("Delete"), group);
    auto* row = new QFormLayout;
    auto* pickRow = new QHBoxLayout;
    pickRow->addWidget(m_preset, 1);
    pickRow->addWidget(m_deletePreset);
    row->addRow(tr("Default preset"), pickRow);
    layout->addLayout(row);
    m_editor = new DownloadChoiceEditor(group);
    layout->addWidget(m_editor);
    layout->addWidget(new SectionFooter(
        tr("Addresses from the clipboard, the drop panel, other programs and the command line use the "
           "default preset.")));

    connect(m_preset, &QComboBox::activated, this,
            [this](int index) { Library::PresetList(m_preferences).setDefault(m_preset->itemText(index)); });
    connect(m_editor, &DownloadChoiceEditor::changed, this, &SettingsDownloadView::saveEditedChoice);
    connect(m_deletePreset, &QPushButton::clicked, this, &SettingsDownloadView::deletePreset);
    return group;
}

void SettingsDownloadView::showDefaultPreset()
{
    if (!m_preset || !m_editor)
        return;
    const Library::PresetList presets(m_preferences);
    const std::optional<Library::DownloadPreset> preset = presets.defaultPreset();
    QStringList names;
    for (const Library::DownloadPreset& saved : presets.presets())
        names << saved.name;
    // Until a preset is the default, the resolution setting's choices stand in for one.
    const QString current = preset ? preset->name : QStringLiteral("Default");
    if (!names.contains(current))
        names.prepend(current);
    {
        const QSignalBlocker blocker(m_preset);
        m_preset->clear();
        m_preset->addItems(names);
        m_preset->setCurrentIndex(names.indexOf(current));
    }
    m_deletePreset->setEnabled(preset.has_value());
    // Rewriting the controls the user is working with would close a picker under the pointer.
    const Engine::DownloadChoice choice = presets.startingChoice();
    if (m_editor->choice() != choice) {
        const QSignalBlocker blocker(m_editor);
        m_editor->setChoice(choice);
    }
}

void SettingsDownloadView::saveEditedChoice()
{
    Library::PresetList presets(m_preferences);
    const QString name = m_preset->currentText();
    if (presets.save({name, m_editor->choice()}))
        presets.setDefault(name);
}

void SettingsDownloadView::deletePreset()
{
    Library::PresetList presets(m_preferences);
    presets.remove(m_preset->currentText());
    // Another preset takes over; with none left, quick adds go back to the resolution setting.
    if (const QList<Library::DownloadPreset> left = presets.presets(); !left.isEmpty())
        presets.setDefault(left.first().name);
}

QString SettingsDownloadView::hoursText(int hours)
{
    // The singular stays apart so the English reads "1 hour" without an English translation.
    return hours == 1 ? tr("1 hour") : tr("%n hours", nullptr, hours);
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
