#include "app/tool/installbutton.h"

#include "app/symbolicon.h"
#include "app/tool/toolinstaller.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace App {

InstallButton::InstallButton(ToolInstaller& installer, bool big, QWidget* parent)
    : QWidget(parent), m_installer(installer), m_stack(new QStackedWidget(this)),
      m_button(new QPushButton(tr("Download & Install"), this)), m_busy(new QProgressBar(this)),
      m_error(new QLabel(this))
{
    if (big) {
        QFont font = m_button->font();
        font.setPointSizeF(font.pointSizeF() * 1.2);
        m_button->setFont(font);
        m_button->setMinimumHeight(36);
    }
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setMaximumWidth(big ? 220 : 140);
    m_stack->addWidget(m_button);
    m_stack->addWidget(m_busy);
    m_stack->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);

    m_error->setObjectName(QStringLiteral("installError"));
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_error->setStyleSheet(QStringLiteral("color: #d93a3a;"));
    QFont small = m_error->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_error->setFont(small);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack, 0, Qt::AlignHCenter);
    layout->addWidget(m_error);

    connect(m_button, &QPushButton::clicked, &m_installer, &ToolInstaller::install);
    connect(&m_installer, &ToolInstaller::installingChanged, this, &InstallButton::update);
    connect(&m_installer, &ToolInstaller::errorChanged, this, &InstallButton::update);
    update();
}

void InstallButton::update()
{
    m_stack->setCurrentWidget(m_installer.isInstalling() ? static_cast<QWidget*>(m_busy) : m_button);
    const QString error = m_installer.errorMessage();
    m_error->setText(error.isEmpty() ? QString() : tr("⚠ Installation failed: %1").arg(error));
    m_error->setVisible(!error.isEmpty());
}

} // namespace App
