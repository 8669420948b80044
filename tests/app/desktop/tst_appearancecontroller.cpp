#include "app/appkeys.h"
#include "app/desktop/appearancecontroller.h"
#include "engine/preferences.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QScopeGuard>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using App::AppAppearance;
using App::AppearanceController;

// Stands in for xdg-desktop-portal's settings interface on the test's private session bus; the
// real portal needs a desktop session and a backend that a test machine does not run.
class PortalSettings : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint colorScheme = 0;

    void change(uint scheme)
    {
        colorScheme = scheme;
        Q_EMIT SettingChanged(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"),
                              QDBusVariant(scheme));
    }

public Q_SLOTS:
    QDBusVariant Read(const QString& group, const QString& key)
    {
        if (group == QLatin1String("org.freedesktop.appearance") && key == QLatin1String("color-scheme"))
            return QDBusVariant(QVariant::fromValue(QDBusVariant(colorScheme)));
        return QDBusVariant(QString());
    }

Q_SIGNALS:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);
};

class TestAppearanceController : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static QColor windowColour(const QWidget& widget) { return widget.palette().color(QPalette::Window); }

private Q_SLOTS:
    void followsTheKey()
    {
        Engine::Preferences preferences(m_dir.filePath(QStringLiteral("a.conf")));
        // Stored before the start: applied at once.
        preferences.setValue(App::Keys::appAppearance, AppAppearance::dark);
        QWidget window;
        window.show();
        AppearanceController controller(preferences);
        controller.start();
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        QVERIFY(controller.isDark());
        // Widgets take the application's palette from a change event.
        QTRY_COMPARE(windowColour(window), AppearanceController::darkPalette().color(QPalette::Window));
        QVERIFY(windowColour(window).lightness() < 128);

        preferences.setValue(App::Keys::appAppearance, AppAppearance::light);
        QVERIFY(!controller.isDark());
        QTRY_VERIFY(windowColour(window).lightness() > 128);
    }

    void systemFollowsTheDesktop()
    {
        // The portal is another program: a connection of its own.
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("portal"));
        if (!bus.isConnected())
            QSKIP("needs a session bus (run under dbus-run-session)");
        if (bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.portal.Desktop")))
            QSKIP("a real portal runs on this bus");
        PortalSettings portal;
        portal.colorScheme = 1;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        const auto unregister = qScopeGuard([&bus] {
            bus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
            bus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
            QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        });
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));

        Engine::Preferences preferences(m_dir.filePath(QStringLiteral("c.conf")));
        AppearanceController controller(preferences);
        controller.start();
        QTRY_VERIFY(controller.isDark());
        portal.change(2);
        QTRY_VERIFY(!controller.isDark());
        // A value the portal does not define states no preference.
        portal.change(3);
        QTRY_COMPARE(controller.systemPrefersDark(), std::nullopt);
        portal.change(1);
        QTRY_VERIFY(controller.isDark());

        // A forced appearance wins over the desktop's, and `system` returns to it.
        preferences.setValue(App::Keys::appAppearance, AppAppearance::light);
        QVERIFY(!controller.isDark());
        preferences.setValue(App::Keys::appAppearance, AppAppearance::system);
        QVERIFY(controller.isDark());

        // A desktop that states no preference reads as light.
        portal.change(0);
        QTRY_VERIFY(!controller.isDark());
        QCOMPARE(controller.systemPrefersDark(), std::nullopt);
    }
};

QTEST_MAIN(TestAppearanceController)
#include "tst_appearancecontroller.moc"
