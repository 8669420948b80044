#include "app/appkeys.h"
#include "app/desktop/autostartentry.h"
#include "app/desktop/notificationpermission.h"
#include "app/settings/settingsdownloadview.h"
#include "app/settings/settingsgeneralview.h"
#include "app/settings/settingsmousetrackpadview.h"
#include "app/settings/settingswindow.h"
#include "app/shortcut/globalshortcut.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QFileInfo>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace App;
using App::AppAppearance;
using Engine::QorvVideoResolution;

class TestSettingsWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Engine::Preferences> m_preferences;
    int m_run = 0;

    QVariant stored(const QString& key) const
    {
        return QSettings(m_preferences->filePath(), QSettings::IniFormat).value(key);
    }

    // As the user does it: keyboard steps on the closed picker. False when it does not get there.
    [[nodiscard]] static bool pick(QComboBox* combo, int index)
    {
        combo->setFocus();
        const Qt::Key step = index > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up;
        for (int n = 0; n < combo->count() && combo->currentIndex() != index; ++n)
            QTest::keyClick(combo, step);
        return combo->currentIndex() == index;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    }

    void init()
    {
        m_preferences =
            std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("p%1.conf").arg(++m_run)));
        AutostartEntry::setEnabled(false);
    }

    void tabsInOrder()
    {
        auto* bin = new QLabel(QStringLiteral("tool"));
        SettingsWindow window(*m_preferences, nullptr, bin);
        QTabWidget* tabs = window.tabs();
        QCOMPARE(tabs->count(), 5);
        const QStringList titles{QStringLiteral("General"), QStringLiteral("Download"),
                                 QStringLiteral("Gesture"), QStringLiteral("Command-line"),
                                 QStringLiteral("Support")};
        for (int i = 0; i < titles.size(); ++i)
            QCOMPARE(tabs->tabText(i), titles.at(i));
        QCOMPARE(tabs->widget(3), bin);
        window.showTab(SettingsWindow::Tab::download);
        QCOMPARE(tabs->currentIndex(), 1);
        window.showTab(SettingsWindow::Tab::advanced);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void freshInstallationShowsDefaults()
    {
        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        QCOMPARE(window.generalView()->appearancePicker()->currentText(), QStringLiteral("System"));
        QCOMPARE(window.downloadView()->locationLabel()->text(),
                 QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
        QCOMPARE(window.downloadView()->resolutionPicker()->currentText(), QStringLiteral("None"));
        QCOMPARE(window.downloadView()->delayPicker()->currentText(), QStringLiteral("None"));
        QVERIFY(!window.generalView()->launchAtLoginToggle()->isChecked());
    }

    void pickersOfferTheirEntries()
    {
        SettingsDownloadView view(*m_preferences);
        QComboBox* delay = view.delayPicker();
        QCOMPARE(delay->count(), 12); // None and exactly 11 hour values
        QCOMPARE(delay->itemText(1), QStringLiteral("1 hour"));
        QCOMPARE(delay->itemText(2), QStringLiteral("2 hours"));
        QComboBox* resolution = view.resolutionPicker();
        QCOMPARE(resolution->count(), QorvVideoResolution::allCases().size() + 1);
    }

    // Each control writes its key at once, and the views follow a change made elsewhere.
    void editsReachThePreferences()
    {
        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SettingsDownloadView* download = window.downloadView();

        QVERIFY(pick(window.generalView()->appearancePicker(), 2));
        QCOMPARE(m_preferences->value(App::Keys::appAppearance), AppAppearance::dark);
        QVERIFY(pick(download->resolutionPicker(), 3));
        QCOMPARE(m_preferences->value(Library::Keys::defaultResolution),
                 QorvVideoResolution::allCases().at(2));
        QVERIFY(pick(download->resolutionPicker(), 0));
        QVERIFY(!stored(QStringLiteral("defaultResolution")).isValid());
        QVERIFY(pick(download->delayPicker(), 4));
        QCOMPARE(m_preferences->value(Engine::Keys::downloadDelay), std::optional<int>(4));
        QVERIFY(pick(download->delayPicker(), 0));
        QCOMPARE(m_preferences->value(Engine::Keys::downloadDelay), std::nullopt);
        window.mouseTrackpadView()->shakeToggle()->click();
        QCOMPARE(m_preferences->value(App::Keys::dragShake), true);
        window.generalView()->autoCheckToggle()->click();
        QCOMPARE(m_preferences->value(App::Keys::autoCheckForUpdates), true);

        m_preferences->setValue(App::Keys::appAppearance, AppAppearance::light);
        m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>(11));
        m_preferences->setValue(Library::Keys::defaultResolution,
                                std::optional(QorvVideoResolution::allCases().at(0)));
        m_preferences->setValue(Library::Keys::defaultOutputLocation,
                                QUrl::fromLocalFile(QStringLiteral("/tmp/my videos")));
        m_preferences->setValue(App::Keys::dragShake, false);
        m_preferences->setValue(App::Keys::autoCheckForUpdates, false);
        QCOMPARE(window.generalView()->appearancePicker()->currentText(), QStringLiteral("Light"));
        QCOMPARE(download->delayPicker()->currentText(), QStringLiteral("11 hours"));
        QCOMPARE(download->resolutionPicker()->currentText(), QorvVideoResolution::allCases().at(0).label());
        QCOMPARE(download->locationLabel()->text(), QStringLiteral("/tmp/my videos"));
        QVERIFY(!window.mouseTrackpadView()->shakeToggle()->isChecked());
        QVERIFY(!window.generalView()->autoCheckToggle()->isChecked());
    }

    void storedDelayOutsideThePickerShowsAsItIs()
    {
        m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>(24));
        SettingsDownloadView view(*m_preferences);
        QCOMPARE(view.delayPicker()->currentText(), QStringLiteral("24 hours"));
    }

    void choosingTheFolder_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("chosen") << QStringLiteral("/srv/it's mine") << QStringLiteral("/srv/it's mine");
        QTest::newRow("cancelled") << QString() << QStringLiteral("/tmp/before");
    }

    void choosingTheFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        m_preferences->setValue(Library::Keys::defaultOutputLocation,
                                QUrl::fromLocalFile(QStringLiteral("/tmp/before")));
        SettingsDownloadView view(*m_preferences);
        QString offered;
        view.setFolderChooser([&](QWidget*, const QString& current) {
            offered = current;
            return chosen;
        });
        view.chooseButton()->click();
        QCOMPARE(offered, QStringLiteral("/tmp/before"));
        QCOMPARE(m_preferences->value(Library::Keys::defaultOutputLocation).toLocalFile(), expected);
        QCOMPARE(view.locationLabel()->text(), expected);
    }

    void launchAtLoginWritesAndReadsTheEntry()
    {
        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        QCheckBox* toggle = window.generalView()->launchAtLoginToggle();
        toggle->click();
        QVERIFY(AutostartEntry::isEnabled());
        QVERIFY(toggle->isChecked());
        toggle->click();
        QVERIFY(!AutostartEntry::isEnabled());
        QVERIFY(!toggle->isChecked());

        // Shown again, the toggle reads the file as it is now.
        window.hide();
        QVERIFY(!AutostartEntry::setEnabled(true, QStringLiteral("/usr/bin/veltqorv")));
        window.show();
        QVERIFY(toggle->isChecked());

        // A file where the folder should be: the toggle stays off and says why.
        const QString folder = QFileInfo(AutostartEntry::filePath()).absolutePath();
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        window.hide();
        window.show();
        toggle->click();
        QVERIFY(!toggle->isChecked());
        QVERIFY(window.generalView()->launchAtLoginError()->isVisible());
        QVERIFY(!window.generalView()->launchAtLoginError()->text().isEmpty());
        QVERIFY(blocker.remove());
    }

    void shortcutIsRecordedAndCleared()
    {
        GlobalShortcut shortcut(*m_preferences, GlobalShortcut::toggleMainWindowName());
        shortcut.start();
        SettingsWindow window(*m_preferences, &shortcut, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SettingsGeneralView* general = window.generalView();
        const auto key = GlobalShortcut::preferenceKey(GlobalShortcut::toggleMainWindowName());

        general->shortcutRecorder()->setFocus();
        QTest::keyClick(general->shortcutRecorder(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        // The recorder ends its recording after a pause.
        QTRY_COMPARE(m_preferences->value(key), std::optional<QString>(QStringLiteral("Ctrl+Alt+K")));
        QCOMPARE(general->shortcutStatus()->text(), shortcut.statusText());

        general->shortcutClearButton()->click();
        QCOMPARE(m_preferences->value(key), std::nullopt);
        QVERIFY(general->shortcutRecorder()->keySequence().isEmpty());
        QCOMPARE(general->shortcutStatus()->text(), shortcut.statusText());
    }

    void notificationsFollowTheBus()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs a session bus (run under dbus-run-session)");
        // The test bus offers dunst as the notification server.
        NotificationPermission onSession;
        QSignalSpy checked(&onSession, &NotificationPermission::checked);
        onSession.check();
        QTRY_COMPARE(checked.count(), 1);
        const bool serverPresent = checked.at(0).at(0).toBool();

        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        SettingsGeneralView* general = window.generalView();
        if (serverPresent) {
            QTRY_VERIFY(general->notificationStatus()->isVisible());
            QCOMPARE(general->notificationStatus()->text(), QStringLiteral("Enabled"));
            QVERIFY(!general->notificationEnableButton()->isVisible());
            QVERIFY(!general->notificationAdvice()->isVisible());
        } else {
            QTRY_VERIFY(general->notificationAdvice()->isVisible());
            QVERIFY(general->notificationEnableButton()->isVisible());
        }
    }

    void noBusMeansNoNotifications()
    {
        NotificationPermission none(QDBusConnection(QStringLiteral("not connected")));
        QSignalSpy checked(&none, &NotificationPermission::checked);
        none.check();
        none.request();
        QCOMPARE(checked.count(), 2);
        QCOMPARE(checked.at(0).at(0).toBool(), false);
        QCOMPARE(checked.at(1).at(0).toBool(), false);
        QVERIFY(NotificationPermission::unavailableAdvice().contains(QStringLiteral("notification")));
    }

    void gestureTextNamesTheSession()
    {
        SettingsMouseTrackpadView view(*m_preferences);
        const QString text = view.descriptionLabel()->text();
        QVERIFY(text.startsWith(QStringLiteral("Quickly drag and shake link to add as new download.")));
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            QVERIFY(text.contains(QStringLiteral("X11")));
            QVERIFY(view.shakeToggle()->isEnabled());
        } else {
            QVERIFY(!view.shakeToggle()->isEnabled());
        }
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
