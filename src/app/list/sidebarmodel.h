#pragma once

#include "library/sidebaritemtype.h"

#include <QAbstractListModel>
#include <QList>

namespace Library {
class Store;
}

namespace App {

// The sidebar's status filters in their fixed order, each with the number of matching items.
// Counts are store queries, run again after store changes (once per burst of writes).
class SidebarModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        TypeRole = Qt::UserRole + 1,
        CountRole,
    };

    explicit SidebarModel(Library::Store& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    Library::SidebarItemType type(int row) const { return m_types.at(row); }
    int rowOf(Library::SidebarItemType type) const { return static_cast<int>(m_types.indexOf(type)); }
    int count(Library::SidebarItemType type) const;

public Q_SLOTS:
    void refresh();

private:
    void scheduleRefresh();

    Library::Store& m_store;
    QList<Library::SidebarItemType> m_types;
    QList<int> m_counts;
    bool m_refreshPending = false;
};

} // namespace App
