#pragma once

#include <QStyledItemDelegate>

namespace App {

// A sidebar row: the filter's icon and title, and its count as a rounded badge on the right.
class SidebarBadgeDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace App
