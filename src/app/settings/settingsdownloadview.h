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

// The "Download" tab: default download folder, preferred resolution and the live-event delay.
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
    QComboBox* resolutionPicker() const { return m_resolution; }
    QComboBox* delayPicker() const { return m_delay; }

    // "1 hour", "2 hours", …
    static QString hoursText(int hours);

public Q_SLOTS:
    void chooseLocation();

private:
    Engine::Preferences& m_preferences;
    FolderChooser m_chooseFolder;
    QLabel* m_location;
    QPushButton* m_choose;
    QComboBox* m_resolution;
    QComboBox* m_delay;
};

} // namespace App
