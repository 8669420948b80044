#pragma once

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace Engine {
class Preferences;
}

namespace App {

class DownloadChoiceEditor;

// The "Download" tab: default download folder, the default preset that quick adds use, and the
// live-event delay.
class SettingsDownloadView : public QWidget
{
    Q_OBJECT
public:
    // Asks the user for a folder, starting at `current`; an empty text when the choice is cancelled.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& current)>;

    static constexpr int maximumDelayHours = 11;

    explicit SettingsDownloadView(Engine::Preferences& preferences, QWidget* parent = nullptr);

    // The platform's folder dialog unless replaced.
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    QLabel* locationLabel() const { return m_location; }
    QPushButton* chooseButton() const { return m_choose; }
    // The default preset; "Default" stands for the choices of the resolution setting until edited.
    QComboBox* presetPicker() const { return m_preset; }
    QPushButton* deletePresetButton() const { return m_deletePreset; }
    DownloadChoiceEditor* choiceEditor() const { return m_editor; }
    QComboBox* delayPicker() const { return m_delay; }

    // "1 hour", "2 hours", …
    static QString hoursText(int hours);

public Q_SLOTS:
    void chooseLocation();

private:
    QWidget* presetGroup();
    void showDefaultPreset();
    void saveEditedChoice();
    void deletePreset();

    Engine::Preferences& m_preferences;
    FolderChooser m_chooseFolder;
    QLabel* m_location;
    QPushButton* m_choose;
    QComboBox* m_preset = nullptr;
    QPushButton* m_deletePreset = nullptr;
    DownloadChoiceEditor* m_editor = nullptr;
    QComboBox* m_delay;
};

} // namespace App
