#include "app/list/shakelistmodel.h"

#include "library/store.h"
#include "library/thumbnailcache.h"

#include <QPixmap>
#include <QPixmapCache>
#include <QSet>
#include <QTimer>

namespace App {

using Library::ShakeItem;

ShakeListModel::ShakeListModel(Library::Store& store, QObject* parent)
    : QAbstractListModel(parent), m_store(store)
{
    connect(&m_store, &Library::Store::changed, this, &ShakeListModel::scheduleRefresh);
    reload();
}

int ShakeListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant ShakeListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ShakeItem& shake = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole: {
        const QString title = shake.info ? shake.info->title.trimmed() : QString();
        if (!title.isEmpty())
            return title;
        return shake.source ? shake.source->toDisplayString() : QString();
    }
    case Qt::DecorationRole:
        return favicon(shake);
    case IdRole:
        return shake.id;
    case SourceRole:
        return shake.source ? QVariant(*shake.source) : QVariant();
    case ThumbnailRole: {
        const QPixmap picture = thumbnail(shake);
        return picture.isNull() ? QVariant() : QVariant(picture);
    }
    default:
        return {};
    }
}

const ShakeItem* ShakeListModel::itemById(qint64 id) const
{
    const auto it = m_rowById.constFind(id);
    return it == m_rowById.constEnd() ? nullptr : &m_rows.at(*it);
}

int ShakeListModel::rowOf(qint64 id) const
{
    return m_rowById.value(id, -1);
}

QList<qint64> ShakeListModel::ids(const QModelIndexList& indexes) const
{
    QList<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && index.model() == this && index.row() < m_rows.size())
            rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<qint64> result;
    for (int row : rows)
        result << m_rows.at(row).id;
    return result;
}

QIcon ShakeListModel::favicon(const ShakeItem& shake) const
{
    if (!shake.faviconId)
        return {};
    const auto cached = m_favicons.constFind(*shake.faviconId);
    if (cached != m_favicons.constEnd())
        return *cached;
    QIcon icon;
    if (const std::optional<Library::Favicon> stored = m_store.favicon(*shake.faviconId);
        stored && stored->data) {
        QPixmap pixmap;
        if (pixmap.loadFromData(*stored->data))
            icon = QIcon(pixmap);
    }
    m_favicons.insert(*shake.faviconId, icon);
    return icon;
}

void ShakeListModel::setThumbnailCache(Library::ThumbnailCache* cache)
{
    if (m_thumbnails)
        m_thumbnails->disconnect(this);
    m_thumbnails = cache;
    m_thumbnailsAsked.clear();
    if (!cache)
        return;
    connect(cache, &Library::ThumbnailCache::finished, this, [this](const QUrl& address, bool stored) {
        if (!stored)
            return;
        for (qsizetype row = 0; row < m_rows.size(); ++row) {
            const ShakeItem& shake = m_rows.at(row);
            if (shake.info && shake.info->thumbnail == address)
                Q_EMIT dataChanged(index(static_cast<int>(row)), index(static_cast<int>(row)));
        }
    });
}

QPixmap ShakeListModel::thumbnail(const ShakeItem& shake) const
{
    if (!m_thumbnails || !shake.info || !shake.info->thumbnail)
        return {};
    const QUrl& address = *shake.info->thumbnail;
    const QString key = m_thumbnails->filePath(address);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    const QString path = m_thumbnails->use(address);
    if (!path.isEmpty() && picture.load(path)) {
        QPixmapCache::insert(key, picture);
        return picture;
    }
    // Never fetched, or trimmed from the cache since.
    if (!m_thumbnailsAsked.contains(address)) {
        m_thumbnailsAsked.insert(address);
        m_thumbnails->fetch(address);
    }
    return {};
}

void ShakeListModel::setFilter(Library::SidebarItemType type)
{
    m_filter = type;
    m_search.clear();
    reload();
}

void ShakeListModel::setSearchText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == m_search)
        return;
    m_search = trimmed;
    reload();
}

Library::ItemQuery ShakeListModel::query() const
{
    // A search looks through every item, whatever the status filter.
    return m_search.isEmpty() ? Library::ItemQuery::sidebar(m_filter) : Library::ItemQuery::search(m_search);
}

void ShakeListModel::reload()
{
    // A new filter starts from its first page, so selecting it again never duplicates rows.
    beginResetModel();
    m_rows.clear();
    m_rowById.clear();
    endResetModel();
    m_total = m_store.count(query());
    apply(m_store.items(query(), 0, isSearching() ? -1 : pageSize));
}

bool ShakeListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !isSearching() && m_rows.size() < m_total;
}

void ShakeListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || isSearching())
        return;
    m_total = m_store.count(query());
    if (m_rows.size() >= m_total)
        return;
    const QList<ShakeItem> page = m_store.items(query(), static_cast<int>(m_rows.size()), pageSize);
    if (page.isEmpty())
        return;
    QList<ShakeItem> rows = m_rows;
    for (const ShakeItem& shake : page) {
        if (!m_rowById.contains(shake.id))
            rows << shake;
    }
    apply(std::move(rows));
}

void ShakeListModel::scheduleRefresh()
{
    // One re-read for a burst of writes.
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, &ShakeListModel::refresh);
}

void ShakeListModel::refresh()
{
    m_refreshPending = false;
    // Icons that were missing may have arrived.
    for (auto it = m_favicons.begin(); it != m_favicons.end();)
        it = it->isNull() ? m_favicons.erase(it) : std::next(it);

    const int total = m_store.count(query());
    if (total < 0)
        return;
    if (isSearching()) {
        m_total = total;
        apply(m_store.items(query()));
        return;
    }
    // Keep as many rows as were shown, plus the items that arrived since (at most a page of
    // them: a bulk arrival is paged like everything else).
    const int grown = std::min(std::max(0, total - m_total), pageSize);
    m_total = total;
    apply(m_store.items(query(), 0, static_cast<int>(m_rows.size()) + grown));
}

void ShakeListModel::itemChanged(qint64 id)
{
    const int row = rowOf(id);
    if (row >= 0)
        Q_EMIT dataChanged(index(row), index(row));
}

void ShakeListModel::apply(QList<ShakeItem> rows)
{
    QSet<qint64> incoming;
    for (const ShakeItem& shake : rows)
        incoming.insert(shake.id);

    // 1. Rows that left, from the bottom up, in contiguous runs.
    for (qsizetype row = m_rows.size() - 1; row >= 0;) {
        if (incoming.contains(m_rows.at(row).id)) {
            --row;
            continue;
        }
        qsizetype first = row;
        while (first > 0 && !incoming.contains(m_rows.at(first - 1).id))
            --first;
        beginRemoveRows({}, static_cast<int>(first), static_cast<int>(row));
        m_rows.remove(first, row - first + 1);
        endRemoveRows();
        row = first - 1;
    }

    // 2. What stays must keep its order; otherwise start over.
    qsizetype kept = 0;
    for (const ShakeItem& shake : rows) {
        if (kept < m_rows.size() && m_rows.at(kept).id == shake.id)
            ++kept;
    }
    if (kept != m_rows.size()) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    } else {
        // 3. Insert the new rows where they belong, in contiguous runs.
        qsizetype position = 0;
        for (qsizetype i = 0; i < rows.size();) {
            if (position < m_rows.size() && m_rows.at(position).id == rows.at(i).id) {
                m_rows[position] = rows.at(i);
                ++position;
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < rows.size() &&
                   (position >= m_rows.size() || rows.at(end).id != m_rows.at(position).id))
                ++end;
            beginInsertRows({}, static_cast<int>(position), static_cast<int>(position + end - i - 1));
            for (qsizetype j = i; j < end; ++j)
                m_rows.insert(position + (j - i), rows.at(j));
            endInsertRows();
            position += end - i;
            i = end;
        }
        if (!m_rows.isEmpty())
            Q_EMIT dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1));
    }

    m_rowById.clear();
    for (qsizetype row = 0; row < m_rows.size(); ++row)
        m_rowById.insert(m_rows.at(row).id, static_cast<int>(row));
    Q_EMIT contentChanged();
}

} // namespace App
