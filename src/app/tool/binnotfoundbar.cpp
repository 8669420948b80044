#include "app/tool/binnotfoundbar.h"

#include "app/symbolicon.h"
#include "app/tool/toolinstaller.h"
#include "app/tool/toolsetupview.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace App {

BinNotFoundBar::BinNotFoundBar(ToolInstaller& installer, Engine::Preferences& preferences, QWidget* parent)
    : QFrame(parent), m_installer(installer), m_preferences(preferences),
      m_setup(new QPushButton(tr("Install & Setup"), this))
{
    setObjectName(QStringLiteral("binNotFoundBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(SymbolIcon::icon(QStringLiteral("exclamationmark.circle.fill")).pixmap(24, 24));
    auto* headline = new QLabel(tr("Bin not found"), this);
    QFont font = headline->font();
    font.setBold(true);
    headline->setFont(font);
    auto* text = new QLabel(message(), this);
    text->setTextFormat(Qt::MarkdownText);
    text->setOpenExternalLinks(true);
    text->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(headline);
    texts->addWidget(text);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addLayout(texts, 1);
    layout->addWidget(m_setup, 0, Qt::AlignVCenter);

    connect(m_setup, &QPushButton::clicked, this, &BinNotFoundBar::openSetup);
    m_preferences.subscribe(Engine::Keys::downloaderBin, this,
                            std::function<void(const std::optional<QString>&)>(
                                [this](const std::optional<QString>&) { updateVisibility(); }));
}

QString BinNotFoundBar::message()
{
    return tr("Command-line binary cannot be found, please install and setup [yt-dlp](%1) first to download "
              "videos.")
        .arg(ToolSetupView::projectPage());
}

void BinNotFoundBar::updateVisibility()
{
    setVisible(m_installer.isBinMissing());
}

void BinNotFoundBar::openSetup()
{
    auto* sheet = new QDialog(window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowTitle(tr("yt-dlp Setup"));
    auto* view = new ToolSetupView(m_installer, m_preferences, true, sheet);
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(view);
    connect(view, &ToolSetupView::continueRequested, sheet, &QDialog::accept);
    sheet->open();
}

} // namespace App
