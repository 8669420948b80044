#include "app/appkeys.h"
#include "app/choice/downloadchoiceeditor.h"
#include "app/desktop/autostartentry.h"
#include "app/desktop/incomingaddresshandler.h"
#include "app/desktop/notificationpermission.h"
#include "app/settings/bookmarkletlink.h"
#include "app/settings/settingsdownloadview.h"
#include "app/settings/settingsgeneralview.h"
#include "app/settings/settingsmousetrackpadview.h"
#include "app/settings/settingswindow.h"
#include "app/shortcut/globalshortcut.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/presetlist.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
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

    static void write(const QString& path, const QString& text)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        QCOMPARE(AutostartEntry::filePath(),
                 m_dir.filePath(QStringLiteral("config/autostart/org.veltqorv.VeltQorv.desktop")));
    }

    void init()
    {
        m_preferences =
            std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("p%1.conf").arg(++m_run)));
        const QString folder = QFileInfo(AutostartEntry::filePath()).absolutePath();
        QDir(folder).removeRecursively();
        QFile::remove(folder);
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
        // The resolution setting of earlier versions stands in until the default preset is edited.
        m_preferences->setValue(Library::Keys::defaultResolution,
                                std::optional(QorvVideoResolution::allCases().at(2)));
        QComboBox* quality = download->choiceEditor()->qualityBox();
        QCOMPARE(quality->currentText(), QStringLiteral("720p"));
        QVERIFY(!download->deletePresetButton()->isEnabled());
        QVERIFY(pick(quality, quality->findText(QStringLiteral("1080p"))));
        Library::PresetList presets(*m_preferences);
        QCOMPARE(presets.defaultPreset()->name, QStringLiteral("Default"));
        QCOMPARE(presets.defaultPreset()->choice.maxHeight, std::optional<int>(1080));
        // A preset saved elsewhere can become the default; deleting it hands over to the one left.
        Engine::DownloadChoice audio;
        audio.audioOnly = true;
        QVERIFY(presets.save({QStringLiteral("Audio MP3"), audio}));
        QVERIFY(
            pick(download->presetPicker(), download->presetPicker()->findText(QStringLiteral("Audio MP3"))));
        QCOMPARE(download->choiceEditor()->kindBox()->currentIndex(), 1);
        download->deletePresetButton()->click();
        QCOMPARE(presets.presets().size(), 1);
        QCOMPARE(download->presetPicker()->currentText(), QStringLiteral("Default"));
        QCOMPARE(quality->currentText(), QStringLiteral("1080p"));
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
        m_preferences->setValue(Library::Keys::defaultOutputLocation,
                                QUrl::fromLocalFile(QStringLiteral("/tmp/my videos")));
        m_preferences->setValue(App::Keys::dragShake, false);
        m_preferences->setValue(App::Keys::autoCheckForUpdates, false);
        QCOMPARE(window.generalView()->appearancePicker()->currentText(), QStringLiteral("Light"));
        QCOMPARE(delay->currentText(), QStringLiteral("24 hours"));
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
        // By default the entry starts this program.
        QFile entry(AutostartEntry::filePath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(
            entry.readAll().contains("\nExec=" + QFile::encodeName(QCoreApplication::applicationFilePath())));

        // Shown again, the toggle reads the file as it is now; removing what is gone is no error.
        window.hide();
        QVERIFY(!AutostartEntry::setEnabled(false));
        QVERIFY(!QFileInfo::exists(AutostartEntry::filePath()));
        QVERIFY(!AutostartEntry::setEnabled(false));
        window.show();
        QVERIFY(!toggle->isChecked());

        QVERIFY(AutostartEntry::setEnabled(true, QStringLiteral("/tmp/x\nHidden=true")).has_value());
        QVERIFY(!QFileInfo::exists(AutostartEntry::filePath()));
        // A file where the folder should be: the toggle stays off and says why.
        const QString folder = QFileInfo(AutostartEntry::filePath()).absolutePath();
        QVERIFY(QDir(folder).removeRecursively());
        write(folder, QStringLiteral("x"));
        toggle->click();
        QVERIFY(!toggle->isChecked());
        QVERIFY(!AutostartEntry::isEnabled());
        QVERIFY(window.generalView()->launchAtLoginError()->isVisible());
    }

    void autostartStateIsReadFromTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("hidden") << QStringLiteral("[Desktop Entry]\nExec=veltqorv\nHidden=true\n") << false;
        QTest::newRow("disabled by the session settings")
            << QStringLiteral("[Desktop Entry]\nExec=veltqorv\nX-GNOME-Autostart-enabled=false\n") << false;
        QTest::newRow("hidden only in another group")
            << QStringLiteral("[Desktop Action x]\nHidden=true\n[Desktop Entry]\nHidden=false\n") << true;
    }

    void autostartStateIsReadFromTheFile()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        write(AutostartEntry::filePath(), text);
        QCOMPARE(AutostartEntry::isEnabled(), enabled);
    }

    void autostartExecIsQuoted_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("exec");
        // Inside quotes \, ", $ and ` are escaped, and the whole value is unescaped once more.
        QTest::newRow("reserved characters")
            << QStringLiteral("/opt/my apps/a$b\"c\\d`e/veltqorv")
            << QStringLiteral("\"/opt/my apps/a\\\\$b\\\\\"c\\\\\\\\d\\\\`e/veltqorv\"");
        QTest::newRow("percent, a field code otherwise")
            << QStringLiteral("/opt/100%u/veltqorv") << QStringLiteral("/opt/100%%u/veltqorv");
    }

    void autostartExecIsQuoted()
    {
        QFETCH(QString, executable);
        QFETCH(QString, exec);
        QVERIFY2(AutostartEntry::contents(executable)
                     .contains(QStringLiteral("\nExec=") + exec + QLatin1Char('\n')),
                 qPrintable(AutostartEntry::contents(executable)));
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

    // The browser button, run by a JavaScript engine on a page, opens an address that hands
    // exactly that page over; a click puts the same bookmark on the clipboard.
    void bookmarkletHandsThePageOver()
    {
        // As a browser has it: already percent-encoded, with a query and a fragment of its own.
        const QString page = QStringLiteral("https://videos.example/w%C3%A9/watch?v=1&list=a%20b#t=2");
        std::unique_ptr<QMimeData> dragged(App::BookmarkletLink::mimeData());
        QCOMPARE(dragged->urls().size(), 1);
        const QString script = dragged->urls().first().toString(QUrl::FullyDecoded);
        QVERIFY(script.startsWith(QStringLiteral("javascript:")));
        QProcess node;
        node.start(QStringLiteral("node"),
                   {QStringLiteral("-e"),
                    QStringLiteral("const location = { href: process.argv[1] }; eval(process.argv[2]);"
                                   "console.log(location.href)"),
                    page, script.mid(int(qstrlen("javascript:")))});
        QVERIFY2(node.waitForFinished(20000) && node.exitCode() == 0,
                 node.readAllStandardError().constData());
        const QString opened = QString::fromUtf8(node.readAllStandardOutput()).trimmed();
        QCOMPARE(App::IncomingAddressHandler::addressesFromSchemeAddress(opened), QList<QUrl>{QUrl(page)});
        QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(
                                        dragged->data(QStringLiteral("text/x-moz-url")).constData()),
                                    dragged->data(QStringLiteral("text/x-moz-url")).size() / 2)
                     .section(QLatin1Char('\n'), 1),
                 QStringLiteral("Send to VeltQorv"));

        SettingsWindow window(*m_preferences, nullptr, nullptr);
        window.show();
        auto* link = window.generalView()->findChild<App::BookmarkletLink*>();
        QVERIFY(link);
        link->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), App::BookmarkletLink::script());
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
