#pragma once

#include <QWidget>

class QPushButton;
class QStackedWidget;

namespace Engine {
class Preferences;
}

namespace App {

class ToolInstaller;

// Shown instead of the list while there are no downloads: the install offer while the tool is
// missing, else an invitation to add the first address.
class NoDownloadPlaceholder : public QWidget
{
    Q_OBJECT
public:
    NoDownloadPlaceholder(ToolInstaller& installer, Engine::Preferences& preferences,
                          QWidget* parent = nullptr);

    QPushButton* newDownloadButton() const { return m_newDownload; }
    bool showsInstallOffer() const;

public Q_SLOTS:
    void update();

Q_SIGNALS:
    void newDownloadRequested();

private:
    ToolInstaller& m_installer;
    QStackedWidget* m_pages;
    QWidget* m_installPage;
    QWidget* m_startPage;
    QPushButton* m_newDownload;
};

} // namespace App
