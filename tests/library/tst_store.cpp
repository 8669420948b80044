#include "engine/qorvconfig.h"
#include "library/store.h"
#include "support/sqlfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Library;
using TestSupport::SqlFile;

namespace {

QUrl url(const char* text)
{
    return QUrl(QString::fromLatin1(text));
}

ShakeItem newItem(const char* source)
{
    return ShakeItem::create(url(source));
}

QList<qint64> idsOf(const QList<ShakeItem>& items)
{
    QList<qint64> ids;
    for (const ShakeItem& item : items)
        ids += item.id;
    return ids;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private:
    QString path() const { return m_dir->filePath(QStringLiteral("db.store")); }
    std::unique_ptr<Store> openStore()
    {
        auto store = std::make_unique<Store>();
        if (!store->open(path()))
            qWarning() << store->errorMessage();
        return store;
    }

    std::unique_ptr<QTemporaryDir> m_dir;

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void newStoreCreatesItsFolder()
    {
        Store store;
        const QString nested = m_dir->filePath(QStringLiteral("a/b/db.store"));
        QVERIFY2(store.open(nested), qPrintable(store.errorMessage()));
        QCOMPARE(SqlFile(nested).value(QStringLiteral("PRAGMA journal_mode")).toString(),
                 QStringLiteral("wal"));
    }

    // One item in the given state (words of `state`), next to a neighbour in the opposite state
    // on every flag, so that a predicate that ignores its field shows up as a wrong count.
    void sidebarPredicates_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QList<SidebarItemType>>("matches");
        using T = SidebarItemType;
        QTest::newRow("new") << QString() << QList<T>{T::all, T::stopped};
        QTest::newRow("completed") << QStringLiteral("completed") << QList<T>{T::all};
        QTest::newRow("failed") << QStringLiteral("error") << QList<T>{T::all, T::stopped, T::failed};
        QTest::newRow("running again with old schedule")
            << QStringLiteral("running scheduled") << QList<T>{T::all, T::running, T::premieres};
        QTest::newRow("no info record, running")
            << QStringLiteral("noinfo running starred") << QList<T>{T::all, T::running, T::starred};
        QTest::newRow("no records, scheduled")
            << QStringLiteral("noconfig noinfo scheduled") << QList<T>{T::all, T::premieres};
    }

    void sidebarPredicates()
    {
        QFETCH(QString, state);
        QFETCH(QList<SidebarItemType>, matches);
        const QStringList words = state.split(QLatin1Char(' '));
        auto has = [&](const char* word) { return words.contains(QLatin1String(word)); };

        auto store = openStore();
        const QDateTime now = QDateTime::currentDateTimeUtc();
        ShakeItem item = newItem("https://example.com/watch?v=1");
        ShakeItem other = newItem("https://example.com/watch?v=2");
        item.config->running = has("running");
        item.config->starred = has("starred");
        other.config->running = !has("running") && !has("noconfig");
        other.config->starred = !has("starred") && !has("noconfig");
        (has("error") ? item : other).info->error = QStringLiteral("ERROR: x");
        (has("completed") ? item : other).completedDate = now;
        (has("scheduled") ? item : other).scheduledDate = now.addSecs(3600);
        if (has("noconfig"))
            item.config.reset();
        if (has("noinfo"))
            item.info.reset();
        const auto ids = store->insertItems({item, other});
        QVERIFY2(ids, qPrintable(store->lastError()));

        for (int raw = 0; raw <= int(SidebarItemType::premieres); ++raw) {
            const auto type = SidebarItemType(raw);
            const QList<ShakeItem> found = store->items(ItemQuery::sidebar(type));
            QVERIFY2(idsOf(found).contains(ids->at(0)) == matches.contains(type), qPrintable(title(type)));
            QCOMPARE(store->count(ItemQuery::sidebar(type)), int(found.size()));
        }
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("diacritics and case in title and text")
            << QStringLiteral("crème BRÛLEE") << QStringList{QStringLiteral("creme")};
        QTest::newRow("full-width letters, surrounding space")
            << QStringLiteral(" ＲＥＣＩＰＥ\n")
            << QStringList{QStringLiteral("creme"), QStringLiteral("plain")};
        QTest::newRow("wildcards are literal") << QStringLiteral("%") << QStringList{QStringLiteral("plain")};
    }

    void search()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);

        auto store = openStore();
        // Found items are named by the path of their source.
        ShakeItem plain = newItem("https://example.com/plain");
        plain.info->title = QStringLiteral("Plain recipe 100%");
        ShakeItem creme = newItem("https://example.com/creme");
        creme.info->title = QStringLiteral("Crème Brûlée Recipe");
        QVERIFY(store->insertItems({plain, creme}));

        QStringList found;
        for (const ShakeItem& item : store->items(ItemQuery::search(text)))
            found += item.source->path().mid(1);
        QCOMPARE(found, expected);
        QCOMPARE(store->count(ItemQuery::search(text)), int(expected.size()));

        // A title changed later is searched by its new words.
        QVERIFY(store->update(store->items(ItemQuery()).first().id,
                              [](ShakeItem& item) { item.info.emplace().title = QStringLiteral("Über"); }));
        QCOMPARE(store->count(ItemQuery::search(QStringLiteral("UBER"))), 1);
    }

    // Order, paging and a filter combined with a search, over items that share creation times.
    void pagesFollowTheWholeList()
    {
        auto store = openStore();
        const QDateTime base = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
        QList<ShakeItem> batch;
        for (int i = 0; i < 60; ++i) {
            ShakeItem item = ShakeItem::create(QUrl(QStringLiteral("https://example.com/%1").arg(i)));
            item.createdDate = base.addSecs(i % 7);
            item.config->starred = i % 3 == 0;
            item.info->title = i % 2 ? QStringLiteral("odd %1").arg(i) : QStringLiteral("even %1").arg(i);
            batch += item;
        }
        QVERIFY(store->insertItems(batch));
        ItemQuery query = ItemQuery::sidebar(SidebarItemType::starred);
        query.searchText = QStringLiteral("ODD");
        const QList<ShakeItem> whole = store->items(query);
        QCOMPARE(whole.size(), 10);
        QCOMPARE(store->count(query), 10);
        for (qsizetype i = 1; i < whole.size(); ++i) {
            QVERIFY(whole[i - 1].createdDate > whole[i].createdDate ||
                    (whole[i - 1].createdDate == whole[i].createdDate && whole[i - 1].id > whole[i].id));
        }
        QList<qint64> paged;
        for (int offset = 0; offset <= whole.size(); offset += 3)
            paged += idsOf(store->items(query, offset, 3));
        QCOMPARE(paged, idsOf(whole));
    }

    // Every field survives a restart; a bare item comes back bare, not with empty values.
    void itemsRoundTrip()
    {
        const Engine::QorvConfig config(
            QStringLiteral("Default"),
            {Engine::QorvConfigItem::saveTo(QUrl::fromLocalFile(QStringLiteral("/tmp/My Videos")))});

        ShakeItem item = newItem("https://www.example.com:8443/watch?v=x%20y&t=1");
        item.createdDate = QDateTime::fromMSecsSinceEpoch(1'700'000'000'123, Qt::UTC);
        item.scheduledDate = item.createdDate.addDays(2);
        item.completedDate = item.createdDate.addSecs(5);
        item.config = ShakeConfig{.id = 0, .running = true, .starred = true, .downloadDelay = 3};
        item.info = ShakeItemInfo{.id = 0,
                                  .title = QStringLiteral("Ünïcode title ✓"),
                                  .location = QUrl::fromLocalFile(QStringLiteral("/tmp/My Videos/a b.mp4")),
                                  .log = QStringLiteral("line 1\nline 2"),
                                  .error = QStringLiteral("  ERROR: boom \n"),
                                  .thumbnail = QUrl(QStringLiteral("https://i.example.com/a b.jpg")),
                                  .duration = 3725,
                                  .bytes = 5'000'000'000,
                                  .badge = QStringLiteral("1080p \u00b7 MKV"),
                                  .height = 1080,
                                  .unavailableHeight = 2160};
        QList<qint64> ids;
        {
            auto store = openStore();
            ids = store->insertItems({item}, config).value_or(QList<qint64>());
            ids += store->insertItems({newItem("http://example.org/")}).value_or(QList<qint64>());
            QCOMPARE(ids.size(), 2);
        }
        auto store = openStore();
        const std::optional<ShakeItem> loaded = store->item(ids[0]);
        QVERIFY(loaded && loaded->config && loaded->info);
        item.config->id = loaded->config->id;
        item.info->id = loaded->info->id;
        // The log is read on its own, and an item saved without it keeps it.
        QVERIFY(!loaded->info->log);
        QCOMPARE(store->itemLog(ids[0]), item.info->log);
        QVERIFY(store->save(*loaded));
        QCOMPARE(store->itemLog(ids[0]), item.info->log);
        item.info->log.reset();
        QCOMPARE(loaded->source, item.source);
        QCOMPARE(loaded->createdDate, item.createdDate);
        QCOMPARE(loaded->scheduledDate, item.scheduledDate);
        QCOMPARE(loaded->completedDate, item.completedDate);
        QCOMPARE(loaded->config, item.config);
        QCOMPARE(loaded->info, item.info);
        const std::optional<StoredQorvConfig> stored = store->qorvConfig(loaded->qorvConfigId.value_or(0));
        QVERIFY(stored);
        QCOMPARE(stored->config.name(), QStringLiteral("Default"));
        QCOMPARE(stored->config.itemDic(), config.itemDic());
        QVERIFY(
            SqlFile(path()).exec({QStringLiteral("UPDATE QorvConfig SET itemDic = '{\"not\":\"a list\"}'")}));
        QVERIFY(!store->qorvConfig(stored->id));
        QVERIFY(!store->lastError().isEmpty());

        const ShakeItem empty = *store->item(ids[1]);
        QVERIFY(!empty.scheduledDate && !empty.completedDate && !empty.faviconId && !empty.qorvConfigId);
        QVERIFY(empty.config && !empty.config->downloadDelay);
        QVERIFY(empty.info && !empty.info->location && !empty.info->error && !empty.info->thumbnail &&
                !empty.info->duration && !empty.info->bytes && !empty.info->badge);
    }

    // A second process on the same file would take the first one's running items for stale.
    void oneProcessPerFile()
    {
        auto first = openStore();
        const auto ids = first->insertItems({newItem("https://example.com/a")});
        QVERIFY(ids && first->startItems(*ids));
        const QDateTime written = QFileInfo(path()).lastModified();
        Store second;
        QVERIFY(!second.open(path()));
        QVERIFY2(second.errorMessage().contains(QString::number(QCoreApplication::applicationPid())),
                 qPrintable(second.errorMessage()));
        QCOMPARE(QFileInfo(path()).lastModified(), written);
        QVERIFY(first->item(ids->first())->isRunning());
        first.reset();
        QVERIFY(openStore()->isOpen());
    }

    void optionSetsGoWithTheirLastItem()
    {
        auto store = openStore();
        const Engine::QorvConfig config(QStringLiteral("Default"), {});
        const auto shared =
            store->insertItems({newItem("https://example.com/a"), newItem("https://example.com/b")}, config);
        QVERIFY(shared);
        const qint64 setId = store->item(shared->first())->qorvConfigId.value_or(0);
        for (int cycle = 0; cycle < 100; ++cycle) {
            const auto ids = store->insertItems({newItem("https://example.com/c")}, config);
            QVERIFY(ids && store->deleteItems(*ids));
        }
        QVERIFY(store->deleteItems({shared->first()}));
        QCOMPARE(SqlFile(path()).value(QStringLiteral("SELECT count(*) FROM QorvConfig")).toInt(), 1);
        QVERIFY(store->qorvConfig(setId));
        QVERIFY(store->deleteItems({shared->last()}));
        QCOMPARE(SqlFile(path()).value(QStringLiteral("SELECT count(*) FROM QorvConfig")).toInt(), 0);
    }

    // Items share option sets and site icons; deleting either side keeps the other.
    void sharedRecords()
    {
        auto store = openStore();
        const Engine::QorvConfig config(QStringLiteral("Default"), {Engine::QorvConfigItem::ignoreConfig()});
        const auto ids =
            store->insertItems({newItem("https://example.com/a"), newItem("https://example.com/b")}, config);
        QVERIFY(ids);
        const qint64 configId = *store->item(ids->at(0))->qorvConfigId;
        QCOMPARE(store->item(ids->at(1))->qorvConfigId, std::optional(configId));
        // A failed fetch is recorded without data.
        const auto faviconId =
            store->storeFavicon(url("https://example.com/some/page"), std::nullopt, ids->at(0));
        QVERIFY(faviconId);
        QVERIFY(!store->favicon(*faviconId)->data);
        QVERIFY(store->linkFavicon(ids->at(1), *faviconId));
        // The same site again: same record; data arrives; later none does not erase it.
        const QByteArray png("\x89PNG\0\1", 6);
        QCOMPARE(store->storeFavicon(url("https://example.com"), png, std::nullopt), faviconId);
        QCOMPARE(store->storeFavicon(url("https://example.com"), std::nullopt, std::nullopt), faviconId);
        QCOMPARE(store->favicon(*faviconId)->data, std::optional(png));
        QCOMPARE(store->favicon(*faviconId)->url, url("https://example.com"));
        // An item deleted while its icon was fetched: the icon is still recorded.
        QVERIFY(store->storeFavicon(url("https://gone.example"), QByteArray("x"), 999999));

        // A new item of a known site is linked at once; one of another site is not.
        const auto later = store->insertItems(
            {newItem("https://example.com/b?x=1"), newItem("https://other.example.com/b")});
        QVERIFY(later);
        QCOMPARE(store->item(later->at(0))->faviconId, faviconId);
        QVERIFY(!store->item(later->at(1))->faviconId);
        QCOMPARE(store->faviconForSite(url("https://example.com"))->id, *faviconId);

        // Deleting an item takes its records (cascade) and nothing shared.
        QVERIFY(store->deleteItems({ids->at(0), later->at(0), later->at(1)}));
        QCOMPARE(SqlFile(path()).value(QStringLiteral("SELECT count(*) FROM ShakeConfig")).toInt(), 1);
        QCOMPARE(SqlFile(path()).value(QStringLiteral("SELECT count(*) FROM ShakeItemInfo")).toInt(), 1);
        QCOMPARE(store->item(ids->at(1))->qorvConfigId, std::optional(configId));
        QCOMPARE(store->faviconItemIds(*faviconId), QList<qint64>{ids->at(1)});

        // Deleting what is shared leaves the item, without it.
        QVERIFY(store->deleteFavicon(*faviconId));
        QVERIFY(store->deleteQorvConfig(configId));
        const std::optional<ShakeItem> left = store->item(ids->at(1));
        QVERIFY(left);
        QVERIFY(!left->faviconId);
        QVERIFY(!left->qorvConfigId);

        // Saved without its info record, the item loses it.
        QVERIFY(store->update(ids->at(1), [](ShakeItem& item) { item.info.reset(); }));
        QVERIFY(!store->item(ids->at(1))->info);
    }

    void startStopAndStar()
    {
        auto store = openStore();
        QSignalSpy changed(store.get(), &Store::changed);
        // Only web addresses become items; the good item of a batch goes too, a batch is one write.
        const QUrl file = QUrl::fromLocalFile(QStringLiteral("/etc/passwd"));
        QVERIFY(!store->insertItems({newItem("https://example.com/ok"), ShakeItem::create(file)}));
        QVERIFY(!store->lastError().isEmpty());
        QCOMPARE(store->count(ItemQuery()), 0);
        ShakeItem failed = newItem("https://example.com/a");
        failed.info->error = QStringLiteral("ERROR: premiere");
        failed.scheduledDate = QDateTime::currentDateTimeUtc().addSecs(60);
        failed.config->starred = true;
        ShakeItem bare = newItem("https://example.com/b");
        bare.config.reset();
        const auto ids = store->insertItems({failed, bare});
        QVERIFY(ids);
        QCOMPARE(changed.count(), 1);

        QVERIFY(store->startItems(*ids));
        ShakeItem a = *store->item(ids->at(0));
        QVERIFY(a.isRunning() && !a.scheduledDate && !a.info->error);
        QVERIFY(store->toggleStar(*ids));
        QVERIFY(!store->item(ids->at(0))->isStarred());
        QVERIFY(store->toggleStar({ids->at(0)}));
        QVERIFY(store->item(ids->at(0))->isStarred());
        QCOMPARE(changed.count(), 4);
        // Reads announce nothing, neither do failed writes.
        store->items(ItemQuery());
        QVERIFY(!store->update(ids->at(0) + 100, [](ShakeItem&) {}));
        QVERIFY(!store->update(ids->at(1), [&](ShakeItem& item) { item.source = file; }));
        QCOMPARE(changed.count(), 4);
        QCOMPARE(store->item(ids->at(1))->source, std::optional(url("https://example.com/b")));

        QVERIFY(store->update(ids->at(0),
                              [](ShakeItem& item) { item.scheduledDate = QDateTime::currentDateTimeUtc(); }));
        QVERIFY(store->stopItems({ids->at(0)}));
        a = *store->item(ids->at(0));
        QVERIFY(!a.isRunning() && !a.scheduledDate);

        QVERIFY(store->startItems(*ids));
        QCOMPARE(store->clearStaleRunning(), 1);
        QCOMPARE(store->count(ItemQuery::sidebar(SidebarItemType::running)), 0);
        QVERIFY(store->item(ids->at(0))->isStarred());
        QCOMPARE(store->clearStaleRunning(), 0);
    }

    // A file that is not a store of ours is refused with words for the user and left as it was.
    void refusedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("contents");    // written as they are
        QTest::addColumn<QStringList>("statements"); // or run by SQLite
        QTest::addColumn<QString>("reason");
        const QStringList none;
        QTest::newRow("garbage") << QByteArray("garbage") << none << QStringLiteral("not a database");
        QTest::newRow("another program's database")
            << QByteArray()
            << QStringList{QStringLiteral("CREATE TABLE notes (body TEXT)"),
                           QStringLiteral("INSERT INTO notes VALUES ('keep me')")}
            << QStringLiteral("another program");
        QTest::newRow("newer version") << QByteArray()
                                       << QStringList{QStringLiteral("CREATE TABLE future (x)"),
                                                      QStringLiteral("PRAGMA user_version = 99")}
                                       << QStringLiteral("newer version");
        QTest::newRow("folder") << QByteArray() << none << QStringLiteral("folder");
    }

    void refusedAndLeftAlone()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, statements);
        QFETCH(QString, reason);
        QFile file(path());
        if (!statements.isEmpty()) {
            QVERIFY(SqlFile(path()).exec(statements));
        } else if (contents.isEmpty()) {
            QVERIFY(QDir().mkpath(path()));
        } else {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
            file.close();
        }
        const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.close();

        Store store;
        QVERIFY(!store.open(path()));
        QVERIFY2(store.errorMessage().contains(path()) && store.errorMessage().contains(reason),
                 qPrintable(store.errorMessage()));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), before);
    }

    // The layouts earlier releases wrote: version 1 had no folded titles and no indexes, version 2
    // nothing of the video. Their items read as before, and get the badge of their option set.
    void migratesFromOlderVersions_data()
    {
        QTest::addColumn<QStringList>("upgrade");
        QTest::newRow("version 1") << QStringList{QStringLiteral("PRAGMA user_version = 1")};
        QTest::newRow("version 2") << QStringList{
            QStringLiteral("ALTER TABLE ShakeItemInfo ADD COLUMN titleFolded TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("UPDATE ShakeItemInfo SET titleFolded = 'ca va etre genial' WHERE item = 7"),
            QStringLiteral("PRAGMA user_version = 2")};
    }

    void migratesFromOlderVersions()
    {
        QFETCH(QStringList, upgrade);
        const QString audio = QString::fromUtf8(
            Engine::QorvConfig(
                QStringLiteral("a"),
                {Engine::QorvConfigItem::raw(QStringLiteral("-x")),
                 Engine::QorvConfigItem::raw(QStringLiteral("--audio-format"), QStringLiteral("opus"))})
                .encodedItems());
        QVERIFY(SqlFile(path()).exec(
            QStringList{
                QStringLiteral(
                    "CREATE TABLE QorvConfig (id INTEGER PRIMARY KEY, name TEXT NOT NULL DEFAULT '',"
                    " itemDic TEXT NOT NULL DEFAULT '[]')"),
                QStringLiteral(
                    "CREATE TABLE Favicon (id INTEGER PRIMARY KEY, url TEXT NOT NULL UNIQUE, data BLOB)"),
                QStringLiteral("CREATE TABLE ShakeItem (id INTEGER PRIMARY KEY, source TEXT, createdDate "
                               "INTEGER NOT NULL,"
                               " scheduledDate INTEGER, completedDate INTEGER,"
                               " favicon INTEGER REFERENCES Favicon(id) ON DELETE SET NULL,"
                               " qorvConfig INTEGER REFERENCES QorvConfig(id) ON DELETE SET NULL)"),
                QStringLiteral("CREATE TABLE ShakeConfig (id INTEGER PRIMARY KEY,"
                               " item INTEGER NOT NULL UNIQUE REFERENCES ShakeItem(id) ON DELETE CASCADE,"
                               " running INTEGER NOT NULL DEFAULT 0, starred INTEGER NOT NULL DEFAULT 0,"
                               " downloadDelay INTEGER)"),
                QStringLiteral("CREATE TABLE ShakeItemInfo (id INTEGER PRIMARY KEY,"
                               " item INTEGER NOT NULL UNIQUE REFERENCES ShakeItem(id) ON DELETE CASCADE,"
                               " title TEXT NOT NULL DEFAULT '', location TEXT, log TEXT NOT NULL DEFAULT "
                               "'', error TEXT)"),
                QStringLiteral("INSERT INTO QorvConfig VALUES (3, 'a', '%1')").arg(audio),
                QStringLiteral(
                    "INSERT INTO ShakeItem VALUES (7, 'https://example.com/v', 1700000000000, NULL,"
                    " NULL, NULL, 3)"),
                QStringLiteral(
                    "INSERT INTO ShakeItem VALUES (8, 'https://example.com/w', 1700000000000, NULL,"
                    " NULL, NULL, NULL)"),
                QStringLiteral("INSERT INTO ShakeConfig VALUES (1, 7, 1, 0, NULL)"),
                QStringLiteral(
                    "INSERT INTO ShakeItemInfo VALUES (1, 7, 'Ça Va Être Génial', '/v.opus', 'log', NULL)"),
                QStringLiteral("INSERT INTO ShakeItemInfo VALUES (2, 8, 'w', NULL, '', 'ERROR: x')"),
                QStringLiteral("INSERT INTO QorvConfig VALUES (4, 'broken', '[1]')"),
                QStringLiteral(
                    "INSERT INTO ShakeItem VALUES (9, 'https://example.com/x', 1700000000000, NULL,"
                    " NULL, NULL, 4)"),
                QStringLiteral("INSERT INTO ShakeItemInfo VALUES (3, 9, 'x', NULL, '', NULL)")} +
            upgrade));

        auto store = openStore();
        QCOMPARE(SqlFile(path()).value(QStringLiteral("PRAGMA user_version")).toInt(), Store::schemaVersion);
        QCOMPARE(idsOf(store->items(ItemQuery::search(QStringLiteral("etre genial")))), QList<qint64>{7});
        const ShakeItem item = *store->item(7);
        QVERIFY(item.isRunning());
        QCOMPARE(item.info->location, QUrl(QStringLiteral("/v.opus")));
        QCOMPARE(store->itemLog(7), QStringLiteral("log"));
        QCOMPARE(item.info->badge, QStringLiteral("OPUS"));
        QVERIFY(!item.info->thumbnail && !item.info->duration && !item.info->bytes);
        const ShakeItem bare = *store->item(8);
        QCOMPARE(bare.errorMessage(), QStringLiteral("ERROR: x"));
        QCOMPARE(bare.info->badge, QStringLiteral("Best"));
        // An option set that cannot be read names no choice.
        QVERIFY(!store->item(9)->info->badge);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
