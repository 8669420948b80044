// The main window, tray and sheet together over a real store, with the stand-in tool as
// yt-dlp, driven by keyboard and mouse input.
#include "app/desktop/trayicon.h"
#include "app/desktopshell.h"
#include "app/list/shakelistmodel.h"
#include "app/list/shakelistview.h"
#include "app/list/sidebarmodel.h"
#include "app/window/mainwindow.h"
#include "app/window/newdownloaddialog.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/mainmodel.h"
#include "library/store.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Library::ShakeItem;
using Library::SidebarItemType;

namespace {

// Port 9 refuses connections: site icons fail at once and nothing leaves the machine.
QUrl address(const QString& name)
{
    return QUrl(QStringLiteral("http://127.0.0.1:9/") + name);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Engine::Preferences> m_prefs;
    std::unique_ptr<Library::Store> m_store;
    std::unique_ptr<Library::MainModel> m_model;
    std::unique_ptr<App::DesktopShell> m_shell;

    App::MainWindow& window() { return m_shell->window(); }
    App::ShakeListModel& list() { return *window().listModel(); }

    QString statePath(const QString& name) const { return m_dir.filePath(QStringLiteral("state/") + name); }

    bool showWindow()
    {
        m_shell->start();
        if (!QTest::qWaitForWindowExposed(&window()))
            return false;
        window().activateWindow();
        return QTest::qWaitForWindowActive(&window());
    }

    void clickRow(qint64 id, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QModelIndex index = list().index(list().rowOf(id));
        const QRect rect = window().listView()->visualRect(index);
        // Left part of the row: the title, away from the row's buttons.
        QTest::mouseClick(window().listView()->viewport(), Qt::LeftButton, modifiers,
                          QPoint(rect.left() + 60, rect.center().y()));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("state")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("out")));
        qputenv("FAKE_STATE_DIR", statePath(QString()).toUtf8());
        // A tray left by another test would change what closing the window does.
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("a tray is already running on this display");
    }

    void init()
    {
        for (const QString& file : QDir(statePath(QString())).entryList(QDir::Files))
            QFile::remove(statePath(file));
        m_prefs = std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("prefs.conf")));
        m_prefs->setValue(Engine::Keys::downloaderBin,
                          std::optional<QString>(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-by-address")));
        m_prefs->setValue(Library::Keys::defaultOutputLocation,
                          QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("out"))));
        m_store = std::make_unique<Library::Store>();
        QVERIFY(m_store->open(m_dir.filePath(QStringLiteral("db.store"))));
        m_model = std::make_unique<Library::MainModel>(*m_store, *m_prefs, nullptr, nullptr);
        m_model->startUp();
        m_shell = std::make_unique<App::DesktopShell>(*m_model);
    }

    void cleanup()
    {
        m_shell.reset();
        m_model.reset();
        m_store.reset();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(m_dir.filePath(QStringLiteral("db.store") + QLatin1String(suffix)));
    }

    void addBySheetAndClipboard()
    {
        QVERIFY(showWindow());
        QVERIFY(window().showsPlaceholder());

        QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(window().newDownloadDialog() && window().newDownloadDialog()->isVisible());
        App::NewDownloadDialog* sheet = window().newDownloadDialog();
        // Spaces only: nothing to add. Which texts are one address is the link detector's to say.
        QTest::keyClicks(sheet->urlField(), QStringLiteral("   "));
        QVERIFY(!sheet->addButton()->isEnabled());
        QTest::keyClick(sheet->urlField(), Qt::Key_Return);
        QCOMPARE(sheet->errorText(), QString());
        const QString refused = QStringLiteral("watch ") + address(QStringLiteral("ok-sheet")).toString();
        sheet->urlField()->setText(refused);
        QTest::keyClick(sheet->urlField(), Qt::Key_Return);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->urlField()->text(), refused);
        // The refusal stays while the text is corrected, until the next add.
        sheet->urlField()->setText(address(QStringLiteral("ok-sheet")).toString());
        QCOMPARE(sheet->errorText(), QStringLiteral("URL is invalid!"));
        QTest::keyClick(sheet->urlField(), Qt::Key_Return);
        QTRY_COMPARE(list().rowCount(), 1);
        QVERIFY(!window().showsPlaceholder());
        QTRY_VERIFY(!window().newDownloadDialog());
        QCOMPARE(list().item(0).source, std::optional<QUrl>(address(QStringLiteral("ok-sheet"))));

        QGuiApplication::clipboard()->setText(address(QStringLiteral("ok-clip")).toString());
        QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        QTRY_COMPARE(list().rowCount(), 2);
        QCOMPARE(list().item(0).source, std::optional<QUrl>(address(QStringLiteral("ok-clip"))));

        // What the model refuses is shown in the alert.
        QGuiApplication::clipboard()->setText(QStringLiteral("watch ") +
                                              address(QStringLiteral("ok-x")).toString());
        QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
        QTRY_VERIFY(window().findChild<QMessageBox*>(QStringLiteral("alert")));
        QCOMPARE(window().findChild<QMessageBox*>(QStringLiteral("alert"))->text(),
                 Library::MainModel::noValidUrlMessage());
    }

    // What stop, run and delete do to a run is the model's to check; here that the keys reach it
    // for the rows selected.
    void stopRunAndDeleteFromTheKeyboard()
    {
        QVERIFY(showWindow());
        const QList<qint64> ids =
            m_model->add({address(QStringLiteral("hang-stop")), address(QStringLiteral("ok-done"))});
        QCOMPARE(ids.size(), 2);
        QTRY_COMPARE(window().sidebarModel()->count(SidebarItemType::running), 1);
        QTRY_COMPARE(list().rowCount(), 2);

        clickRow(ids.first());
        QCOMPARE(window().selectedIds(), QList<qint64>{ids.first()});
        QTest::keyClick(window().listView(), Qt::Key_Period, Qt::ControlModifier);
        QTRY_VERIFY(!m_model->isActive(ids.first()));
        QTest::keyClick(window().listView(), Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY(m_model->isActive(ids.first()));

        clickRow(ids.last(), Qt::ControlModifier);
        QCOMPARE(window().selectedIds().size(), 2);
        QCOMPARE(window().actions().remove()->text(), QStringLiteral("Delete selected items"));
        QTest::keyClick(window().listView(), Qt::Key_Delete);
        QTRY_COMPARE(list().rowCount(), 0);
        QVERIFY(window().selectedIds().isEmpty());
        QVERIFY(!window().actions().remove()->isEnabled());
    }

    // Which rows a filter or search shows is the list's to check; here that the keys reach it
    // and the title counts what was found.
    void filterAndSearchFromTheKeyboard()
    {
        ShakeItem item = ShakeItem::create(address(QStringLiteral("stored")));
        item.info->title = QStringLiteral("Cat");
        QVERIFY(m_store->insertItems({item}));
        QVERIFY(showWindow());

        QTest::keyClick(&window(), Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(list().filter(), SidebarItemType::starred);
        QTest::keyClick(&window(), Qt::Key_Slash, Qt::ControlModifier);
        QTRY_VERIFY(window().searchField()->hasFocus());
        QTest::keyClicks(window().searchField(), QStringLiteral("cat"));
        QCOMPARE(window().windowTitle(), QStringLiteral("VeltQorv — Found: 1"));
        window().searchField()->clear();
        QCOMPARE(window().windowTitle(), QStringLiteral("VeltQorv"));

        // Without a tray, closing the window quits.
        QSignalSpy finished(m_shell.get(), &App::DesktopShell::finished);
        QTest::keyClick(&window(), Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!window().isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    }

    // Last: it leaves a tray behind until trayer has ended.
    void trayCountFollowsRunningItems()
    {
        QProcess trayer;
        trayer.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("top")});
        QVERIFY2(trayer.waitForStarted(10000), qPrintable(trayer.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 20000);

        QVERIFY(showWindow());
        App::TrayIcon& tray = m_shell->tray();
        const QList<qint64> ids =
            m_model->add({address(QStringLiteral("hang-a")), address(QStringLiteral("hang-b"))});
        QTRY_COMPARE(tray.count(), 2);
        m_model->stop({ids.at(0)});
        QTRY_COMPARE(tray.count(), 1);

        // With a tray, closing the window only hides it: downloads go on and the tray brings it back.
        window().close();
        QVERIFY(!window().isVisible());
        m_model->add({address(QStringLiteral("hang-c"))});
        QTRY_COMPARE(tray.count(), 2);
        tray.action(QStringLiteral("showMainWindow"))->trigger();
        QVERIFY(window().isVisible());

        m_shell.reset();
        trayer.terminate();
        QVERIFY(trayer.waitForFinished(10000));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
