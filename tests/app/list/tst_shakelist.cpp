#include "app/list/errordetailspopup.h"
#include "app/list/shakeitemdelegate.h"
#include "app/list/shakelistitemrow.h"
#include "app/list/shakelistmodel.h"
#include "app/list/shakelistview.h"
#include "app/list/sidebarmodel.h"
#include "library/store.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <memory>

using App::ShakeItemDelegate;
using App::ShakeListModel;
using Library::ShakeItem;
using Library::SidebarItemType;

namespace {

const QDateTime now(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

QList<qint64> shownIds(const ShakeListModel& model)
{
    QList<qint64> ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.item(row).id;
    return ids;
}

} // namespace

class TestShakeList : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Library::Store> m_store;

    QList<qint64> insert(int from, int count, const QString& title = QString())
    {
        QList<ShakeItem> items;
        for (int n = from; n < from + count; ++n) {
            items << ShakeItem::create(QUrl(QStringLiteral("https://example.com/watch?v=%1").arg(n)));
            // Distinct creation dates, later numbers newer.
            items.last().createdDate = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC).addSecs(n);
            if (!title.isEmpty())
                items.last().info->title = title.arg(n);
        }
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
        ShakeListModel model(*m_store);
        QCOMPARE(model.rowCount(), 50);
        // Newest first.
        QCOMPARE(model.item(0).id, ids.last());
        QVERIFY(model.canFetchMore({}));
        model.fetchMore({});
        QCOMPARE(model.rowCount(), 100);
        model.fetchMore({});
        QCOMPARE(model.rowCount(), 120);
        QCOMPARE(model.item(119).id, ids.first());
        QVERIFY(!model.canFetchMore({}));

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
        QCOMPARE(model.filter(), SidebarItemType::stopped);
        QCOMPARE(model.rowCount(), 50);
    }

    // What each filter counts is the store's to check; here that the counts follow it.
    void sidebarCountsFollowTheStore()
    {
        App::SidebarModel sidebar(*m_store);
        const QList<qint64> ids = insert(0, 4);
        QTRY_COMPARE(sidebar.count(SidebarItemType::all), 4);
        QSignalSpy changed(&sidebar, &App::SidebarModel::dataChanged);
        QVERIFY(m_store->startItems({ids.at(0), ids.at(1)}));
        QTRY_COMPARE(sidebar.count(SidebarItemType::running), 2);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(
            sidebar.index(sidebar.rowOf(SidebarItemType::running)).data(App::SidebarModel::CountRole).toInt(),
            2);
    }

    void state_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("starred");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<int>("scheduledIn"); // seconds from now; 0: none
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("withConfig");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("retry");

        QTest::newRow("running") << true << false << false << 0 << QString() << true
                                 << QStringLiteral("arrowshape.down.fill") << QString();
        QTest::newRow("completed and starred") << false << true << true << 0 << QString() << true
                                               << QStringLiteral("checkmark.circle") << QString();
        QTest::newRow("stopped, blank error") << false << false << false << 0 << QStringLiteral(" \n\t ")
                                              << true << QStringLiteral("stop.circle.fill") << QString();
        QTest::newRow("no config record counts as stopped")
            << true << true << false << 0 << QString() << false << QStringLiteral("stop.circle.fill")
            << QString();
        QTest::newRow("failed") << false << false << false << 0 << QStringLiteral("ERROR: boom") << true
                                << QStringLiteral("stop.circle.fill") << QString();
        QTest::newRow("scheduled ahead")
            << false << false << false << 2 * 3600 + 59 << QString() << true
            << QStringLiteral("calendar.badge.clock") << QStringLiteral("Automatically retry in 2 hours");
        QTest::newRow("scheduled, date passed") << false << false << false << -5 << QString() << true
                                                << QStringLiteral("calendar.badge.clock") << QString();
        QTest::newRow("running beats scheduled")
            << true << false << false << 60 << QString() << true << QStringLiteral("arrowshape.down.fill")
            << QStringLiteral("Automatically retry in 1 minute");
    }

    void state()
    {
        QFETCH(bool, running);
        QFETCH(bool, starred);
        QFETCH(bool, completed);
        QFETCH(int, scheduledIn);
        QFETCH(QString, error);
        QFETCH(bool, withConfig);
        QFETCH(QString, symbol);
        QFETCH(QString, retry);

        ShakeItem item;
        item.source = QUrl(QStringLiteral("https://example.com/watch?v=1"));
        item.createdDate = now.addDays(-1);
        if (withConfig) {
            item.config = Library::ShakeConfig();
            item.config->running = running;
            item.config->starred = starred;
        }
        item.info = Library::ShakeItemInfo();
        if (!error.isNull())
            item.info->error = error;
        // Every item has a file and progress; the row shows each only in its state.
        item.info->location = QUrl::fromLocalFile(QStringLiteral("/tmp/a b.mp4"));
        if (completed)
            item.completedDate = now;
        if (scheduledIn)
            item.scheduledDate = now.addSecs(scheduledIn);
        Engine::DownloaderProgress progress;
        progress.setPercent(42.5);

        item.info->duration = 3723;
        item.info->bytes = 12'400'000;
        if (completed) {
            item.info->unavailableHeight = 720;
            item.info->height = 480;
        }
        const App::ShakeListItemRow row = App::ShakeListItemRow::make(item, now, progress);
        const bool shownRunning = running && withConfig;
        QCOMPARE(row.stateSymbol, symbol);
        QCOMPARE(row.retryText, retry);
        QCOMPARE(row.hasError(), error == QStringLiteral("ERROR: boom"));
        QCOMPARE(row.starred, starred && withConfig);
        QCOMPARE(row.progressText, shownRunning ? QStringLiteral("42.5%") : QString());
        QCOMPARE(row.filePath,
                 completed ? std::optional<QString>(QStringLiteral("/tmp/a b.mp4")) : std::nullopt);
        QVERIFY(row.createdText.startsWith(QStringLiteral("Created on: ")));
        QCOMPARE(row.completedText.startsWith(QStringLiteral("Completed on: ")), completed);
        QCOMPARE(row.title, QStringLiteral("https://example.com/watch?v=1"));
        QCOMPARE(row.durationText + QLatin1Char(' ') + row.sizeText, QStringLiteral("1:02:03 12.4 MB"));
        QCOMPARE(row.qualityNote,
                 completed ? QStringLiteral("720p was not available; downloaded 480p") : QString());
    }

    // Singular units and flooring are in the rows above.
    void relativeDate_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("just under an hour") << 3599 << QStringLiteral("in 59 minutes");
        QTest::newRow("weeks") << 15 * 86400 << QStringLiteral("in 2 weeks");
    }

    void relativeDate()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(App::ShakeListItemRow::relativeDate(now.addSecs(seconds), now), text);
    }

    void buttonsFollowTheItem_data()
    {
        QTest::addColumn<bool>("completed");
        QTest::addColumn<QString>("error");
        QTest::newRow("completed with a file") << true << QString();
        QTest::newRow("failed") << false << QStringLiteral("ERROR: Video unavailable");
        QTest::newRow("stopped") << false << QString();
    }

    void buttonsFollowTheItem()
    {
        QFETCH(bool, completed);
        QFETCH(QString, error);
        const bool errorButton = !error.isNull();

        ShakeItem item = ShakeItem::create(QUrl(QStringLiteral("https://example.com/v")));
        if (completed) {
            item.completedDate = QDateTime::currentDateTimeUtc();
            item.info->location = QUrl::fromLocalFile(m_dir->filePath(QStringLiteral("v.mp4")));
        }
        if (!error.isNull())
            item.info->error = error;
        const std::optional<QList<qint64>> ids = m_store->insertItems({item});
        QVERIFY(ids);
        const qint64 id = ids->first();
        ShakeListModel model(*m_store);
        App::ShakeListView view;
        ShakeItemDelegate delegate;
        view.setItemDelegate(&delegate);
        view.setListModel(&model);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        const QModelIndex index = model.index(model.rowOf(id));
        const QRect rect = view.visualRect(index);
        QCOMPARE(rect.height(), ShakeItemDelegate::rowHeight);
        // Something was drawn in the title line (not a blank row).
        const QImage image = view.viewport()->grab(rect).toImage();
        const QRgb background = image.pixel(image.width() / 2, image.height() - 2);
        bool drawn = false;
        for (int x = 40; x < 160 && !drawn; ++x)
            drawn = image.pixel(x, 14) != background;
        QVERIFY(drawn);
        const App::ShakeListItemRow row = delegate.row(index);
        const QRect errorRect = delegate.buttonRect(rect, row, ShakeItemDelegate::Button::Error);
        const QRect openRect = delegate.buttonRect(rect, row, ShakeItemDelegate::Button::OpenFile);
        const QRect folderRect = delegate.buttonRect(rect, row, ShakeItemDelegate::Button::ShowInFolder);
        QCOMPARE(!errorRect.isEmpty(), errorButton);
        QCOMPARE(!openRect.isEmpty(), completed);
        QCOMPARE(!folderRect.isEmpty(), completed);
        for (const QRect& button : {errorRect, openRect, folderRect})
            QVERIFY(button.isEmpty() || rect.contains(button));
        QVERIFY(!openRect.intersects(folderRect) || openRect.isEmpty());

        // A click on a button reports it and leaves the selection alone; a click on the title
        // selects the row and reports nothing.
        QSignalSpy clicked(&delegate, &ShakeItemDelegate::buttonClicked);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 60, rect.center().y()));
        QCOMPARE(clicked.size(), 0);
        QVERIFY(view.selectionModel()->isSelected(index));
        view.clearSelection();
        const QRect target = errorButton ? errorRect : openRect;
        if (target.isEmpty())
            return;
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, target.center());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toLongLong(), id);
        QCOMPARE(clicked.at(0).at(1).value<ShakeItemDelegate::Button>(),
                 errorButton ? ShakeItemDelegate::Button::Error : ShakeItemDelegate::Button::OpenFile);
        QVERIFY(!view.selectionModel()->isSelected(index));
    }

    // Explained only when both words are in it.
    void errorDetails_data()
    {
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("explained");
        QTest::newRow("both words, any case") << QStringLiteral("permissionerror ... COOKIES") << true;
        QTest::newRow("only PermissionError") << QStringLiteral("PermissionError: [Errno 13] /x") << false;
        QTest::newRow("only cookies") << QStringLiteral("could not find cookies") << false;
    }

    void errorDetails()
    {
        QFETCH(QString, error);
        QFETCH(bool, explained);
        // The output is shown only where the run printed some.
        const QString log = explained ? QString() : QStringLiteral("[generic] line");
        App::ErrorDetailsPopup popup(QStringLiteral("\n ") + error + QStringLiteral(" \n"), log);
        QCOMPARE(popup.errorView()->toPlainText(), error);
        QVERIFY(popup.errorView()->isReadOnly());
        QCOMPARE(popup.explanationLabel()->isVisibleTo(&popup), explained);
        QCOMPARE(popup.outputView()->isVisibleTo(&popup), !log.isEmpty());
        QCOMPARE(popup.outputView()->toPlainText(), log);
    }
};

QTEST_MAIN(TestShakeList)
#include "tst_shakelist.moc"
