#include "app/list/sidebarmodel.h"

#include "app/symbolicon.h"
#include "library/itemquery.h"
#include "library/store.h"

#include <QTimer>

namespace App {

SidebarModel::SidebarModel(Library::Store& store, QObject* parent)
    : QAbstractListModel(parent), m_store(store), m_types(Library::standardSidebarItems()),
      m_counts(m_types.size(), 0)
{
    connect(&m_store, &Library::Store::changed, this, &SidebarModel::scheduleRefresh);
    refresh();
}

int SidebarModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_types.size());
}

QVariant SidebarModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_types.size())
        return {};
    const Library::SidebarItemType type = m_types.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return Library::title(type);
    case Qt::ToolTipRole:
        return Library::description(type);
    case Qt::DecorationRole:
        return SymbolIcon::icon(Library::symbol(type));
    case TypeRole:
        return static_cast<int>(type);
    case CountRole:
        return m_counts.at(index.row());
    default:
        return {};
    }
}

int SidebarModel::count(Library::SidebarItemType type) const
{
    const int row = rowOf(type);
    return row < 0 ? 0 : m_counts.at(row);
}

void SidebarModel::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, &SidebarModel::refresh);
}

void SidebarModel::refresh()
{
    m_refreshPending = false;
    for (qsizetype row = 0; row < m_types.size(); ++row) {
        const int counted = m_store.count(Library::ItemQuery::sidebar(m_types.at(row)));
        if (counted < 0 || counted == m_counts.at(row))
            continue;
        m_counts[row] = counted;
        Q_EMIT dataChanged(index(static_cast<int>(row)), index(static_cast<int>(row)), {CountRole});
    }
}

} // namespace App
