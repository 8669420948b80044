#include "app/list/shakelistview.h"

#include "app/list/shakelistmodel.h"

#include <QScrollBar>
#include <QTimer>

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
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ShakeListView::scheduleEndCheck);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &ShakeListView::scheduleEndCheck);
}

void ShakeListView::setListModel(ShakeListModel* model)
{
    m_model = model;
    setModel(model);
    connect(model, &ShakeListModel::contentChanged, this, &ShakeListView::scheduleEndCheck);
    // A new filter or search starts at the top; a scroll position kept from a longer list would
    // otherwise pull in every page at once.
    connect(model, &ShakeListModel::modelReset, this, &ShakeListView::scrollToTop);
}

void ShakeListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    scheduleEndCheck();
}

void ShakeListView::scheduleEndCheck()
{
    if (m_checkPending)
        return;
    m_checkPending = true;
    QTimer::singleShot(0, this, &ShakeListView::checkEnd);
}

void ShakeListView::checkEnd()
{
    m_checkPending = false;
    if (!m_model || m_model->rowCount() == 0 || !isVisible())
        return;
    // Positions from before a reset or an insertion would place rows where they no longer are.
    executeDelayedItemsLayout();
    // The last loaded row is on screen when it lies above the viewport's bottom edge.
    const QRect last = visualRect(m_model->index(m_model->rowCount() - 1));
    if (last.isValid() && last.top() < viewport()->height())
        m_model->loadMore();
}

} // namespace App
