#pragma once

#include "library/itemquery.h"
#include "library/shakeitem.h"
#include "library/sidebaritemtype.h"

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QSet>
#include <QUrl>

namespace Library {
class Store;
class ThumbnailCache;
} // namespace Library

namespace App {

// The rows of the download list, newest first. A status filter loads a page of 50 at a time
// through Qt's fetchMore, which a view calls as the end of the list comes into view; a search
// loads every match at once. Store changes are
// applied in place under the current filter or search: new items appear at the top, deleted
// ones leave (and with them their selection), changed ones are redrawn.
class ShakeListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        IdRole = Qt::UserRole + 1,
        SourceRole,
        // The item's picture as kept by the thumbnail cache (QPixmap), or nothing.
        ThumbnailRole,
    };

    static constexpr int pageSize = 50;

    explicit ShakeListModel(Library::Store& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // True while the status filter has items beyond the loaded rows; never while searching.
    bool canFetchMore(const QModelIndex& parent) const override;
    // Loads the next page of the status filter.
    void fetchMore(const QModelIndex& parent) override;

    const Library::ShakeItem& item(int row) const { return m_rows.at(row); }
    const Library::ShakeItem* itemById(qint64 id) const;
    int rowOf(qint64 id) const;
    QList<qint64> ids(const QModelIndexList& indexes) const;
    // The site icon of an item, or a null icon.
    QIcon favicon(const Library::ShakeItem& item) const;
    // Rows show the pictures `cache` keeps, and ask it for those it lacks. May be null.
    void setThumbnailCache(Library::ThumbnailCache* cache);
    // The item's kept picture, or a null pixmap.
    QPixmap thumbnail(const Library::ShakeItem& item) const;

    Library::SidebarItemType filter() const { return m_filter; }
    // Empties the list and loads the first page of `type`, also when it is already shown.
    void setFilter(Library::SidebarItemType type);
    // Trimmed; a blank text ends the search and restores the status filter.
    void setSearchText(const QString& text);
    bool isSearching() const { return !m_search.isEmpty(); }
    QString searchText() const { return m_search; }
    // Items matching the current filter or search, counted by the store.
    int totalCount() const { return m_total; }

public Q_SLOTS:
    // Re-reads the shown rows from the store now.
    void refresh();
    // Redraws the row of `id` (its progress changed).
    void itemChanged(qint64 id);

Q_SIGNALS:
    // Rows were loaded, added, removed or changed.
    void contentChanged();

private:
    Library::ItemQuery query() const;
    void reload();
    void apply(QList<Library::ShakeItem> rows);
    void scheduleRefresh();

    Library::Store& m_store;
    Library::SidebarItemType m_filter = Library::SidebarItemType::all;
    QString m_search;
    QList<Library::ShakeItem> m_rows;
    QHash<qint64, int> m_rowById;
    int m_total = 0;
    bool m_refreshPending = false;
    mutable QHash<qint64, QIcon> m_favicons;
    Library::ThumbnailCache* m_thumbnails = nullptr;
    // Asked for once per address: a picture that cannot be had is not asked for on every paint.
    mutable QSet<QUrl> m_thumbnailsAsked;
};

} // namespace App
