#include "app/gesture/droppanel.h"

#include "capture/dropmodel.h"

#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace App {

DropPanel::DropPanel(Capture::DropModel& model, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_model(model)
{
    setObjectName(QStringLiteral("DropPanel"));
    setWindowTitle(tr("Drop a link"));
    setAcceptDrops(true);
    setFixedSize(side, side);

    m_icon = new QLabel(this);
    m_icon->setAlignment(Qt::AlignCenter);
    QIcon icon = QIcon::fromTheme(QStringLiteral("insert-link"));
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_ArrowDown);
    m_icon->setPixmap(icon.pixmap(48, 48));

    m_text = new QLabel(this);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addStretch();
    layout->addWidget(m_icon);
    layout->addWidget(m_text);
    layout->addStretch();

    connect(&m_model, &Capture::DropModel::draggingChanged, this, &DropPanel::updateContent);
    updateContent();
}

void DropPanel::showAt(const QPoint& pointer)
{
    QRect frame(QPoint(pointer.x(), pointer.y() - side + 1), QSize(side, side));
    if (const QScreen* screen = QGuiApplication::screenAt(pointer)) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(qBound(available.left(), frame.left(), available.right() - side + 1));
        frame.moveTop(qBound(available.top(), frame.top(), available.bottom() - side + 1));
    }
    move(frame.topLeft());
    show();
    raise();
    activateWindow();
}

void DropPanel::dragEnterEvent(QDragEnterEvent* event)
{
    // Every drag is welcome, so that any drop closes the panel; what it adds is decided on drop.
    m_hovered =
        Capture::DropModel::linkIn(event->mimeData()->urls(), event->mimeData()->text()).value_or(QUrl());
    event->acceptProposedAction();
    setDropping(true);
}

void DropPanel::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void DropPanel::dragLeaveEvent(QDragLeaveEvent* event)
{
    Q_UNUSED(event)
    setDropping(false);
}

void DropPanel::dropEvent(QDropEvent* event)
{
    setDropping(false);
    // The link recorded during the drag wins over the payload, which may hold several items.
    std::optional<QUrl> link = m_model.dragging();
    if (!link)
        link = Capture::DropModel::linkIn(event->mimeData()->urls(), event->mimeData()->text());

    const bool added = link && m_add && m_add(*link);
    if (added) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    m_model.setDragging(std::nullopt);
    Q_EMIT linkDropped(link.value_or(QUrl()), added);
    // Hidden once the drop has been answered to the source.
    QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
}

void DropPanel::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    setDropping(false);
    m_hovered.clear();
    m_model.setDragging(std::nullopt);
    Q_EMIT closed();
}

void DropPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DropPanel::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().window());
    QPen pen(m_dropping ? palette().highlight().color() : palette().mid().color(), 2);
    pen.setStyle(Qt::CustomDashLine);
    pen.setDashPattern({5, 5}); // in pen widths: 10 pixels on, 10 off
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawRoundedRect(QRectF(rect()).adjusted(8, 8, -8, -8), 16, 16);
}

void DropPanel::setDropping(bool dropping)
{
    if (m_dropping == dropping)
        return;
    m_dropping = dropping;
    updateContent();
    update();
}

void DropPanel::updateContent()
{
    const QUrl link = m_model.dragging().value_or(m_hovered);
    if (m_dropping && !link.isEmpty()) {
        m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        m_text->setText(link.toString());
    } else {
        QFont title = font();
        title.setPointSizeF(title.pointSizeF() * 1.4);
        title.setBold(true);
        m_text->setFont(title);
        m_text->setText(tr("Drag and drop link here"));
    }
}

} // namespace App
