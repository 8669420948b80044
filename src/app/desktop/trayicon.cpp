#include "app/desktop/trayicon.h"

#include "app/application.h"
#include "app/symbolicon.h"

#include <QAction>
#include <QFont>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>

namespace App {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), m_tray(new QSystemTrayIcon(this)), m_menu(new QMenu)
{
    auto add = [this](const QString& name, const QString& text, void (TrayIcon::*signal)()) {
        QAction* action = m_menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, signal);
        return action;
    };
    add(QStringLiteral("showMainWindow"), tr("Show Main Window"), &TrayIcon::showMainWindowRequested);
    add(QStringLiteral("newFromClipboard"), tr("New from Clipboard…"), &TrayIcon::addFromClipboardRequested);
    m_menu->addSeparator();
    add(QStringLiteral("checkForUpdates"), tr("Check for Updates…"), &TrayIcon::checkForUpdatesRequested);
    m_menu->addSeparator();
    add(QStringLiteral("quit"), tr("Quit"), &TrayIcon::quitRequested)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_tray->setContextMenu(m_menu);
    m_tray->setIcon(iconFor(0));
    m_tray->setToolTip(toolTipFor(0));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            Q_EMIT toggleMainWindowRequested();
    });
}

TrayIcon::~TrayIcon()
{
    delete m_menu;
}

QIcon TrayIcon::iconFor(int count)
{
    const QIcon base = SymbolIcon::applicationIcon();
    if (count <= 0)
        return base;
    QIcon result;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap = base.pixmap(size, size);
        pixmap.setDevicePixelRatio(1.0);
        if (pixmap.size() != QSize(size, size))
            pixmap = pixmap.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QString text = count > 99 ? QStringLiteral("99+") : QString::number(count);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(std::max(8, size * 9 / 16));
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const int height = metrics.height();
        const int width = std::min(size, std::max(height, metrics.horizontalAdvance(text) + height / 3));
        const QRectF badge(size - width, size - height, width, height);
        QPainterPath path;
        path.addRoundedRect(badge, height / 2.0, height / 2.0);
        painter.fillPath(path, QColor(0xd9, 0x3a, 0x3a));
        painter.setPen(Qt::white);
        painter.drawText(badge, Qt::AlignCenter, text);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

QString TrayIcon::toolTipFor(int count)
{
    if (count <= 0)
        return Application::name();
    return count == 1 ? tr("%1 — 1 download running").arg(Application::name())
                      : tr("%1 — %n downloads running", nullptr, count).arg(Application::name());
}

bool TrayIcon::show()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    m_tray->show();
    return true;
}

bool TrayIcon::isVisible() const
{
    return m_tray->isVisible();
}

QString TrayIcon::toolTip() const
{
    return m_tray->toolTip();
}

QAction* TrayIcon::action(const QString& name) const
{
    return m_menu->findChild<QAction*>(name);
}

void TrayIcon::setCount(int count)
{
    count = std::max(0, count);
    if (count == m_count)
        return;
    m_count = count;
    m_tray->setIcon(iconFor(count));
    m_tray->setToolTip(toolTipFor(count));
}

void TrayIcon::setCanCheckForUpdates(bool canCheck)
{
    if (QAction* check = action(QStringLiteral("checkForUpdates")))
        check->setEnabled(canCheck);
}

} // namespace App
