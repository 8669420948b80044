#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace Engine {
class Preferences;
}

namespace App {

class InstallButton;
class ToolInstaller;

// The yt-dlp setup: whether the tool is there, its path and version, the one-click install and
// the manual choice. In first-run mode it introduces the application and ends with "Continue";
// otherwise it serves as the command-line page of the settings.
class ToolSetupView : public QWidget
{
    Q_OBJECT
public:
    ToolSetupView(ToolInstaller& installer, Engine::Preferences& preferences, bool firstRun = false,
                  QWidget* parent = nullptr);

    static QString projectPage() { return QStringLiteral("https://github.com/yt-dlp/yt-dlp"); }

    QLabel* statusLabel() const { return m_status; }
    QLabel* pathLabel() const { return m_path; }
    QLabel* versionLabel() const { return m_version; }
    QPushButton* chooseButton() const { return m_choose; }
    InstallButton* installButton() const { return m_install; }

public Q_SLOTS:
    // Opens the file chooser; the chosen file becomes the tool when it is executable.
    void chooseManually();

Q_SIGNALS:
    void continueRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void update();

    ToolInstaller& m_installer;
    Engine::Preferences& m_preferences;
    QLabel* m_statusIcon;
    QLabel* m_status;
    QLabel* m_path;
    QLabel* m_version;
    QLabel* m_chooseError;
    QLabel* m_about;
    InstallButton* m_install;
    QPushButton* m_choose;
};

} // namespace App
