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
#include <QSignalSpy>
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

    void tabs()
    {
        auto* bin = new QLabel(QStringLiteral("tool"));
        SettingsWindow window(*m_preferences, nullptr, bin);
        QCOMPARE(window.tabs()->widget(3), bin);
        window.showTab(SettingsWindow::Tab::download);
        QCOMPARE(window.tabs()->currentWidget(), window.downloadView());
        window.showTab(SettingsWindow::Tab::advanced);
        QCOMPARE(window.tabs()->currentWidget(), window.downloadView());
    }

    // Each control writes its key at once, and the views follow a change made elsewhere.
    void editsReachThePreferences()
    {
        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SettingsDownloadView* download = window.downloadView();
        QComboBox* delay = download->delayPicker();

        QVERIFY(pick(window.generalView()->appearancePicker(), 2));
        QCOMPARE(m_preferences->value(App::Keys::appAppearance), AppAppearance::dark);
        QVERIFY(pick(download->resolutionPicker(), 3));
        QCOMPARE(m_preferences->value(Library::Keys::defaultResolution),
                 QorvVideoResolution::allCases().at(2));
        QVERIFY(pick(download->resolutionPicker(), 0));
        QCOMPARE(m_preferences->value(Library::Keys::defaultResolution), std::nullopt);
        QCOMPARE(delay->itemText(1), QStringLiteral("1 hour"));
        QVERIFY(pick(delay, delay->count() - 1));
        QCOMPARE(m_preferences->value(Engine::Keys::downloadDelay), std::optional<int>(11));
        QVERIFY(pick(delay, 0));
        QCOMPARE(m_preferences->value(Engine::Keys::downloadDelay), std::nullopt);
        window.mouseTrackpadView()->shakeToggle()->click();
        QCOMPARE(m_preferences->value(App::Keys::dragShake), true);
        window.generalView()->autoCheckToggle()->click();
        QCOMPARE(m_preferences->value(App::Keys::autoCheckForUpdates), true);

        m_preferences->setValue(App::Keys::appAppearance, AppAppearance::light);
        // A stored delay outside the offered hours shows as what it is.
        m_preferences->setValue(Engine::Keys::downloadDelay, std::optional<int>(24));
        m_preferences->setValue(Library::Keys::defaultResolution,
                                std::optional(QorvVideoResolution::allCases().at(0)));
        m_preferences->setValue(Library::Keys::defaultOutputLocation,
                                QUrl::fromLocalFile(QStringLiteral("/tmp/my videos")));
        m_preferences->setValue(App::Keys::dragShake, false);
        m_preferences->setValue(App::Keys::autoCheckForUpdates, false);
        QCOMPARE(window.generalView()->appearancePicker()->currentText(), QStringLiteral("Light"));
        QCOMPARE(delay->currentText(), QStringLiteral("24 hours"));
        QCOMPARE(download->resolutionPicker()->currentText(), QorvVideoResolution::allCases().at(0).label());
        QCOMPARE(download->locationLabel()->text(), QStringLiteral("/tmp/my videos"));
        QVERIFY(!window.mouseTrackpadView()->shakeToggle()->isChecked());
        QVERIFY(!window.generalView()->autoCheckToggle()->isChecked());

        // The chooser starts at the stored folder, which cancelling it keeps.
        QStringList offered;
        QStringList answers{QString(), QStringLiteral("/srv/it's mine")};
        download->setFolderChooser([&](QWidget*, const QString& current) {
            offered << current;
            return answers.takeFirst();
        });
        download->chooseButton()->click();
        download->chooseButton()->click();
        QCOMPARE(offered, QStringList(2, QStringLiteral("/tmp/my videos")));
        QCOMPARE(download->locationLabel()->text(), QStringLiteral("/srv/it's mine"));
    }

    void launchAtLoginWritesAndReadsTheEntry()
    {
        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        QCheckBox* toggle = window.generalView()->launchAtLoginToggle();
        toggle->click();
        QVERIFY(AutostartEntry::isEnabled());
        QVERIFY(toggle->isChecked());

        // Shown again, the toggle reads the file as it is now.
        window.hide();
        QVERIFY(!AutostartEntry::setEnabled(false));
        window.show();
        QVERIFY(!toggle->isChecked());

        // A file where the folder should be: the toggle stays off and says why.
        const QString folder = QFileInfo(AutostartEntry::filePath()).absolutePath();
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        toggle->click();
        QVERIFY(!toggle->isChecked());
        QVERIFY(window.generalView()->launchAtLoginError()->isVisible());
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
        // Without a bus every answer is no.
        NotificationPermission none(QDBusConnection(QStringLiteral("not connected")));
        QSignalSpy refused(&none, &NotificationPermission::checked);
        none.check();
        none.request();
        QCOMPARE(refused.size(), 2);
        QVERIFY(!refused.at(0).at(0).toBool() && !refused.at(1).at(0).toBool());

        // The test bus may offer a notification server; the view shows what it answered.
        NotificationPermission onSession;
        QSignalSpy checked(&onSession, &NotificationPermission::checked);
        onSession.check();
        QTRY_COMPARE(checked.count(), 1);
        const bool serverPresent = checked.at(0).at(0).toBool();
        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        SettingsGeneralView* general = window.generalView();
        QTRY_VERIFY(general->notificationStatus()->isVisible() || general->notificationAdvice()->isVisible());
        QCOMPARE(general->notificationStatus()->isVisible(), serverPresent);
        QCOMPARE(general->notificationEnableButton()->isVisible(), !serverPresent);
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
