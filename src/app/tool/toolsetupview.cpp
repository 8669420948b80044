#include "app/tool/toolsetupview.h"

#include "app/application.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "app/tool/installbutton.h"
#include "app/symbolicon.h"
#include "app/tool/toolinstaller.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace App {

ToolSetupView::ToolSetupView(ToolInstaller& installer, Engine::Preferences& preferences, bool firstRun,
                             QWidget* parent)
    : QWidget(parent), m_installer(installer), m_preferences(preferences), m_statusIcon(new QLabel(this)),
      m_status(new QLabel(this)), m_path(new QLabel(this)), m_version(new QLabel(this)),
      m_chooseError(new QLabel(this)), m_about(new QLabel(this)),
      m_install(new InstallButton(installer, false, this)),
      m_choose(new QPushButton(tr("(manually choose yt-dlp binary path)"), this))
{
    auto* layout = new QVBoxLayout(this);

    if (firstRun) {
        auto* icon = new QLabel(this);
        icon->setPixmap(SymbolIcon::applicationIcon().pixmap(64, 64));
        auto* name = new QLabel(Application::name(), this);
        QFont font = name->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.6);
        name->setFont(font);
        auto* intro = new QLabel(
            tr("Simple <a href=\"%1\">yt-dlp</a> GUI app for video sites downloading").arg(projectPage()),
            this);
        intro->setOpenExternalLinks(true);
        auto* header = new QVBoxLayout;
        header->addWidget(icon, 0, Qt::AlignHCenter);
        header->addWidget(name, 0, Qt::AlignHCenter);
        header->addWidget(intro, 0, Qt::AlignHCenter);
        layout->addLayout(header);
    }

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_statusIcon);
    m_status->setObjectName(QStringLiteral("toolStatus"));
    statusRow->addWidget(m_status, 1);
    auto* aboutButton = new QToolButton(this);
    aboutButton->setText(tr("yt-dlp"));
    aboutButton->setIcon(SymbolIcon::icon(QStringLiteral("info.circle")));
    aboutButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    aboutButton->setCheckable(true);
    statusRow->addWidget(aboutButton);
    layout->addLayout(statusRow);

    m_about->setText(
        tr("• yt-dlp is a command-line program that downloads videos from YouTube and many other video "
           "sites.<br>• It is a fork of youtube-dl with additional features and fixes.<br>"
           "<a href=\"%1\">%1</a>")
            .arg(projectPage()));
    m_about->setOpenExternalLinks(true);
    m_about->setWordWrap(true);
    m_about->setVisible(false);
    layout->addWidget(m_about);
    connect(aboutButton, &QToolButton::toggled, m_about, &QWidget::setVisible);

    layout->addWidget(m_install);
    m_choose->setFlat(true);
    layout->addWidget(m_choose, 0, Qt::AlignLeft);
    m_chooseError->setStyleSheet(QStringLiteral("color: #d93a3a;"));
    m_chooseError->setWordWrap(true);
    m_chooseError->setVisible(false);
    layout->addWidget(m_chooseError);

    auto* group = new QGroupBox(this);
    auto* form = new QFormLayout(group);
    m_path->setObjectName(QStringLiteral("toolPath"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_path->setWordWrap(true);
    m_version->setObjectName(QStringLiteral("toolVersion"));
    m_version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(tr("Path"), m_path);
    form->addRow(tr("Version"), m_version);
    layout->addWidget(group);

    if (firstRun) {
        auto* continueButton = new QPushButton(tr("Continue"), this);
        continueButton->setDefault(true);
        connect(continueButton, &QPushButton::clicked, this, &ToolSetupView::continueRequested);
        layout->addWidget(continueButton, 0, Qt::AlignRight);
    }
    layout->addStretch();

    connect(m_choose, &QPushButton::clicked, this, &ToolSetupView::chooseManually);
    connect(&m_installer, &ToolInstaller::versionChanged, this, &ToolSetupView::update);
    connect(&m_installer, &ToolInstaller::installingChanged, this, &ToolSetupView::update);
    m_preferences.subscribe(Engine::Keys::downloaderBin, this,
                            std::function<void(const std::optional<QString>&)>(
                                [this](const std::optional<QString>&) { update(); }));
}

void ToolSetupView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The tool may have come or gone while the view was hidden.
    m_installer.refreshVersion();
    update();
}

void ToolSetupView::chooseManually()
{
    auto* dialog = new QFileDialog(this, tr("Choose the yt-dlp executable"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setFilter(QDir::Files | QDir::Executable | QDir::AllDirs | QDir::NoDotAndDotDot);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        const bool ok = m_installer.choose(path);
        m_chooseError->setText(ok ? QString() : m_installer.errorMessage());
        m_chooseError->setVisible(!ok);
    });
    dialog->open();
}

void ToolSetupView::update()
{
    const bool missing = m_installer.isBinMissing();
    m_statusIcon->setPixmap(SymbolIcon::icon(missing ? QStringLiteral("exclamationmark.circle.fill")
                                                     : QStringLiteral("checkmark.circle.fill"))
                                .pixmap(18, 18));
    m_status->setText(missing ? tr("yt-dlp not found") : tr("yt-dlp installed"));
    m_install->setVisible(missing || m_installer.isInstalling());
    const std::optional<QString> path = m_preferences.value(Engine::Keys::downloaderBin);
    m_path->setText(path && !path->isEmpty() ? *path : tr("Unknown"));
    const std::optional<QString> version = m_installer.version();
    m_version->setText(!missing && version ? *version : tr("Unknown"));
}

} // namespace App
