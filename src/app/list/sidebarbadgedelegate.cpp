#include "app/list/sidebarbadgedelegate.h"

#include "app/list/sidebarmodel.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace App {

void SidebarBadgeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    const QString badge = QString::number(index.data(SidebarModel::CountRole).toInt());
    const QFontMetrics metrics(option.font);
    const int badgeWidth = std::max(metrics.horizontalAdvance(badge) + 12, 22);
    const QRect badgeRect(option.rect.right() - badgeWidth - 6,
                          option.rect.center().y() - metrics.height() / 2 - 1, badgeWidth,
                          metrics.height() + 2);

    // The title gives way to the badge.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.rect.setRight(badgeRect.left() - 4);
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, option.widget);
    opt.state &= ~QStyle::State_HasFocus;
    opt.backgroundBrush = Qt::NoBrush;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, option.widget);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const bool selected = option.state & QStyle::State_Selected;
    QColor fill = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Mid);
    fill.setAlphaF(selected ? 0.3f : 0.5f);
    QPainterPath path;
    path.addRoundedRect(badgeRect, badgeRect.height() / 2.0, badgeRect.height() / 2.0);
    painter->fillPath(path, fill);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(badgeRect, Qt::AlignCenter, badge);
    painter->restore();
}

QSize SidebarBadgeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), 28));
    return size;
}

} // namespace App
