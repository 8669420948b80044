#include "app/list/shakelistview.h"

#include "app/list/shakelistmodel.h"

namespace App {

ShakeListView::ShakeListView(QWidget* parent) : QListView(parent)
{
    setObjectName(QStringLiteral("shakeList"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
}

void ShakeListView::setListModel(ShakeListModel* model)
{
    setModel(model);
    // A new filter or search starts at the top; a scroll position kept from a longer list would
    // otherwise pull in every page at once.
    connect(model, &ShakeListModel::modelReset, this, &ShakeListView::scrollToTop);
}

} // namespace App
