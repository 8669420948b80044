#include "app/list/errordetailspopup.h"
#include "app/list/shakeitemdelegate.h"
#include "app/list/shakelistitemrow.h"
#include "app/list/shakelistmodel.h"
#include "app/list/shakelistview.h"
#include "library/store.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using App::ShakeItemDelegate;
using Library::ShakeItem;

class TestShakeItemDelegate : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Library::Store> m_store;

    qint64 insert(const std::function<void(ShakeItem&)>& change)
    {
        ShakeItem item = ShakeItem::create(QUrl(QStringLiteral("https://example.com/v")));
        change(item);
        const auto ids = m_store->insertItems({item});
        return ids ? ids->first() : 0;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<Library::Store>();
        QVERIFY(m_store->open(m_dir->filePath(QStringLiteral("db.store"))));
    }

    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void buttonsFollowTheItem_data()
    {
        QTest::addColumn<bool>("completed");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("fileButtons");
        QTest::addColumn<bool>("errorButton");
        QTest::newRow("completed with a file") << true << QString() << true << false;
        QTest::newRow("failed") << false << QStringLiteral("ERROR: Video unavailable") << false << true;
        QTest::newRow("stopped") << false << QString() << false << false;
    }

    void buttonsFollowTheItem()
    {
        QFETCH(bool, completed);
        QFETCH(QString, error);
        QFETCH(bool, fileButtons);
        QFETCH(bool, errorButton);

        const qint64 id = insert([&](ShakeItem& item) {
            if (completed) {
                item.completedDate = QDateTime::currentDateTimeUtc();
                item.info->location = QUrl::fromLocalFile(m_dir->filePath(QStringLiteral("v.mp4")));
            }
            if (!error.isNull())
                item.info->error = error;
        });
        App::ShakeListModel model(*m_store);
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
        QCOMPARE(!openRect.isEmpty(), fileButtons);
        QCOMPARE(!folderRect.isEmpty(), fileButtons);
        for (const QRect& button : {errorRect, openRect, folderRect}) {
            if (!button.isEmpty())
                QVERIFY(rect.contains(button));
        }
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

    void errorDetails_data()
    {
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("explained");
        QTest::newRow("cookie permission")
            << QStringLiteral("PermissionError: [Errno 13] cannot read Cookies") << true;
        QTest::newRow("other") << QStringLiteral("ERROR: Video unavailable") << false;
    }

    void errorDetails()
    {
        QFETCH(QString, error);
        QFETCH(bool, explained);
        App::ErrorDetailsPopup popup(QStringLiteral("\n ") + error + QStringLiteral(" \n"));
        QCOMPARE(popup.errorView()->toPlainText(), error);
        QVERIFY(popup.errorView()->isReadOnly());
        QCOMPARE(popup.explanationLabel()->isVisibleTo(&popup), explained);
        if (explained)
            QVERIFY(popup.explanationLabel()->text().contains(QStringLiteral("VeltQorv")));
    }
};

QTEST_MAIN(TestShakeItemDelegate)
#include "tst_shakeitemdelegate.moc"
