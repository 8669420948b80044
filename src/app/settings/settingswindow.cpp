#include "app/settings/settingswindow.h"

#include "app/settings/settingsdonationview.h"
#include "app/settings/settingsdownloadview.h"
#include "app/settings/settingsgeneralview.h"
#include "app/settings/settingsmousetrackpadview.h"

#include <QIcon>
#include <QTabWidget>
#include <QVBoxLayout>

namespace App {

SettingsWindow::SettingsWindow(Engine::Preferences& preferences, GlobalShortcut* shortcut, QWidget* binView,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_tabs(new QTabWidget),
      m_general(new SettingsGeneralView(preferences, shortcut)),
      m_download(new SettingsDownloadView(preferences)),
      m_mouseTrackpad(new SettingsMouseTrackpadView(preferences))
{
    setWindowTitle(tr("Settings"));
    setObjectName(QStringLiteral("settingsWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);

    m_tabs->addTab(m_general, QIcon::fromTheme(QStringLiteral("preferences-system")), tabTitle(Tab::general));
    m_tabs->addTab(m_download, QIcon::fromTheme(QStringLiteral("go-down")), tabTitle(Tab::download));
    m_tabs->addTab(m_mouseTrackpad, QIcon::fromTheme(QStringLiteral("input-mouse")),
                   tabTitle(Tab::mouseTrackpad));
    m_tabs->addTab(binView ? binView : new QWidget, QIcon::fromTheme(QStringLiteral("utilities-terminal")),
                   tabTitle(Tab::binSetup));
    m_tabs->addTab(new SettingsDonationView, QIcon::fromTheme(QStringLiteral("emblem-favorite")),
                   tabTitle(Tab::donation));
    resize(560, 480);
}

QString SettingsWindow::tabTitle(Tab tab)
{
    switch (tab) {
    case Tab::general:
        return tr("General");
    case Tab::download:
        //: Settings tab about downloads
        return tr("Download");
    case Tab::mouseTrackpad:
        return tr("Gesture");
    case Tab::binSetup:
        return tr("Command-line");
    case Tab::donation:
        return tr("Support");
    case Tab::advanced:
        return {};
    }
    return {};
}

void SettingsWindow::showTab(Tab tab)
{
    if (tab != Tab::advanced)
        m_tabs->setCurrentIndex(static_cast<int>(tab));
}

} // namespace App
