#include "app/list/nodownloadplaceholder.h"

#include "app/symbolicon.h"
#include "app/tool/installbutton.h"
#include "app/tool/toolinstaller.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace App {

NoDownloadPlaceholder::NoDownloadPlaceholder(ToolInstaller& installer, Engine::Preferences& preferences,
                                             QWidget* parent)
    : QWidget(parent), m_installer(installer), m_pages(new QStackedWidget(this)),
      m_installPage(new QWidget(this)), m_startPage(new QWidget(this)),
      m_newDownload(new QPushButton(tr("New Download…"), this))
{
    auto* group = new QGroupBox(m_installPage);
    auto* icon = new QLabel(group);
    icon->setPixmap(SymbolIcon::icon(QStringLiteral("exclamationmark.circle.fill")).pixmap(32, 32));
    auto* line = new QLabel(tr("yt-dlp command line tool not found, please install it first!"), group);
    line->setWordWrap(true);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(icon, 0, Qt::AlignHCenter);
    groupLayout->addWidget(line, 0, Qt::AlignHCenter);
    groupLayout->addWidget(new InstallButton(installer, true, group), 0, Qt::AlignHCenter);
    auto* installLayout = new QVBoxLayout(m_installPage);
    installLayout->addStretch();
    installLayout->addWidget(group, 0, Qt::AlignHCenter);
    installLayout->addStretch();

    auto* invitation = new QLabel(tr("Get started by adding a video URL to download"), m_startPage);
    m_newDownload->setDefault(true);
    m_newDownload->setAutoDefault(true);
    auto* startLayout = new QVBoxLayout(m_startPage);
    startLayout->addStretch();
    startLayout->addWidget(invitation, 0, Qt::AlignHCenter);
    startLayout->addWidget(m_newDownload, 0, Qt::AlignHCenter);
    startLayout->addStretch();

    m_pages->addWidget(m_installPage);
    m_pages->addWidget(m_startPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    connect(m_newDownload, &QPushButton::clicked, this, &NoDownloadPlaceholder::newDownloadRequested);
    connect(&m_installer, &ToolInstaller::finished, this, &NoDownloadPlaceholder::update);
    preferences.subscribe(Engine::Keys::downloaderBin, this,
                          std::function<void(const std::optional<QString>&)>(
                              [this](const std::optional<QString>&) { update(); }));
}

bool NoDownloadPlaceholder::showsInstallOffer() const
{
    return m_pages->currentWidget() == m_installPage;
}

void NoDownloadPlaceholder::update()
{
    m_pages->setCurrentWidget(m_installer.isBinMissing() ? m_installPage : m_startPage);
}

} // namespace App
