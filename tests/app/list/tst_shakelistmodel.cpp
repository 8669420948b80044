#include "app/list/shakelistmodel.h"
#include "app/list/sidebarmodel.h"
#include "library/store.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <memory>

using App::ShakeListModel;
using Library::ShakeItem;
using Library::SidebarItemType;

namespace {

ShakeItem makeItem(int n, const QString& title = QString())
{
    ShakeItem item = ShakeItem::create(QUrl(QStringLiteral("https://example.com/watch?v=%1").arg(n)));
    // Distinct creation dates, later numbers newer.
    item.createdDate = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC).addSecs(n);
    if (!title.isEmpty())
        item.info->title = title;
    return item;
}

QList<qint64> shownIds(const ShakeListModel& model)
{
    QList<qint64> ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.item(row).id;
    return ids;
}

} // namespace

class TestShakeListModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Library::Store> m_store;

    QList<qint64> insert(int from, int count, const QString& title = QString())
    {
        QList<ShakeItem> items;
        for (int n = from; n < from + count; ++n)
            items << makeItem(n, title.isEmpty() ? QString() : title.arg(n));
        return m_store->insertItems(items).value_or(QList<qint64>());
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<Library::Store>();
        QVERIFY2(m_store->open(m_dir->filePath(QStringLiteral("db.store"))),
                 qPrintable(m_store->errorMessage()));
    }

    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void pagesOfFifty()
    {
        const QList<qint64> ids = insert(0, 120);
        QCOMPARE(ids.size(), 120);
        ShakeListModel model(*m_store);
        QCOMPARE(model.rowCount(), 50);
        // Newest first.
        QCOMPARE(model.item(0).id, ids.last());
        QCOMPARE(model.item(49).id, ids.at(70));
        QVERIFY(model.canFetchMore({}));
        model.fetchMore({});
        QCOMPARE(model.rowCount(), 100);
        model.fetchMore({});
        QCOMPARE(model.rowCount(), 120);
        QCOMPARE(model.item(119).id, ids.first());
        QVERIFY(!model.canFetchMore({}));
        QSignalSpy changed(&model, &ShakeListModel::contentChanged);
        model.fetchMore({});
        QCOMPARE(changed.size(), 0);
        const QList<qint64> shown = shownIds(model);
        QCOMPARE(QSet<qint64>(shown.cbegin(), shown.cend()).size(), 120);

        // Selecting the filter again starts from its first page.
        model.setFilter(SidebarItemType::all);
        QCOMPARE(model.rowCount(), 50);
        QVERIFY(model.canFetchMore({}));
    }

    void newItemsAppearAtTheTopUnderTheFilter()
    {
        const QList<qint64> ids = insert(0, 60);
        QVERIFY(m_store->toggleStar({ids.at(10), ids.at(20)}));
        ShakeListModel model(*m_store);
        model.setFilter(SidebarItemType::starred);
        QCOMPARE(shownIds(model), (QList<qint64>{ids.at(20), ids.at(10)}));

        // An item that does not match the filter stays out; one that does, added after it,
        // comes in at the top.
        const QList<qint64> plain = insert(100, 1);
        const QList<qint64> starred = insert(101, 1);
        QVERIFY(m_store->toggleStar(starred));
        QTRY_COMPARE(shownIds(model), (QList<qint64>{starred.first(), ids.at(20), ids.at(10)}));

        // Under "all", with one page loaded, the new item tops the page and nothing drops out.
        model.setFilter(SidebarItemType::all);
        QCOMPARE(model.rowCount(), 50);
        const QList<qint64> newest = insert(200, 2);
        QTRY_COMPARE(model.rowCount(), 52);
        QCOMPARE(model.item(0).id, newest.last());
        QCOMPARE(model.item(2).id, starred.first());
        QCOMPARE(model.item(3).id, plain.first());
    }

    void deletedItemsLeaveListAndSelection()
    {
        const QList<qint64> ids = insert(0, 5);
        ShakeListModel model(*m_store);
        QItemSelectionModel selection(&model);
        selection.select(model.index(model.rowOf(ids.at(1))), QItemSelectionModel::Select);
        selection.select(model.index(model.rowOf(ids.at(3))), QItemSelectionModel::Select);
        QCOMPARE(model.ids(selection.selectedIndexes()), (QList<qint64>{ids.at(3), ids.at(1)}));

        QVERIFY(m_store->deleteItems({ids.at(3)}));
        QTRY_COMPARE(model.rowCount(), 4);
        QCOMPARE(model.rowOf(ids.at(3)), -1);
        QCOMPARE(model.ids(selection.selectedIndexes()), QList<qint64>{ids.at(1)});
        QCOMPARE(shownIds(model), (QList<qint64>{ids.at(4), ids.at(2), ids.at(1), ids.at(0)}));
    }

    void search()
    {
        insert(0, 60, QStringLiteral("Cat video %1"));
        insert(100, 3, QStringLiteral("Dog video %1"));
        ShakeListModel model(*m_store);
        model.setFilter(SidebarItemType::stopped);
        QCOMPARE(model.rowCount(), 50);

        // Every match at once, beyond a page; which titles match is the store's to check.
        model.setSearchText(QStringLiteral("  video "));
        QVERIFY(model.isSearching());
        QCOMPARE(model.rowCount(), 63);
        QVERIFY(!model.canFetchMore({}));

        // A match added during the search shows up; the search stays.
        model.setSearchText(QStringLiteral("dog"));
        QCOMPARE(model.rowCount(), 3);
        const QList<qint64> more = insert(200, 1, QStringLiteral("Another dog %1"));
        QTRY_COMPARE(model.rowCount(), 4);
        QCOMPARE(model.item(0).id, more.first());

        // Spaces only: back to the status filter, first page.
        model.setSearchText(QStringLiteral("    "));
        QVERIFY(!model.isSearching());
        QCOMPARE(model.filter(), SidebarItemType::stopped);
        QCOMPARE(model.rowCount(), 50);
    }

    // What each filter counts is the store's to check; here that the counts follow it.
    void sidebarCountsFollowTheStore()
    {
        App::SidebarModel sidebar(*m_store);
        QCOMPARE(sidebar.rowCount(), 5);
        QCOMPARE(sidebar.count(SidebarItemType::all), 0);

        const QList<qint64> ids = insert(0, 4);
        QTRY_COMPARE(sidebar.count(SidebarItemType::all), 4);
        QSignalSpy changed(&sidebar, &App::SidebarModel::dataChanged);
        QVERIFY(m_store->startItems({ids.at(0), ids.at(1)}));
        QTRY_COMPARE(sidebar.count(SidebarItemType::running), 2);
        QCOMPARE(sidebar.count(SidebarItemType::stopped), 2);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(
            sidebar.index(sidebar.rowOf(SidebarItemType::running)).data(App::SidebarModel::CountRole).toInt(),
            2);
        QVERIFY(m_store->deleteItems(ids));
        QTRY_COMPARE(sidebar.count(SidebarItemType::all), 0);
    }
};

QTEST_MAIN(TestShakeListModel)
#include "tst_shakelistmodel.moc"
