// The show/hide shortcut against the X server the test runs on (Xvfb), pressed with xdotool, and
// through the desktop portal's global shortcuts, answered by a stand-in portal on a bus of the
// test's own.
#include "app/settings/settingsgeneralview.h"
#include "app/shortcut/globalshortcut.h"
#include "app/shortcut/portalshortcut.h"
#include "app/shortcut/portaltrigger.h"
#include "engine/preferences.h"
#include "support/privatebus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QGuiApplication>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>
#include <utility>

using App::GlobalShortcut;
using App::PortalShortcut;
using Status = App::GlobalShortcut::Status;

using TestSupport::PrivateBus;

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// A session handed out by the stand-in.
class StandInSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")
public:
    using QObject::QObject;
    bool closed = false;

public Q_SLOTS:
    void Close() { closed = true; }
};

// Answers like the desktop portal: a request path per call, the answer in a Response signal sent
// before the call's reply, so only a caller that named its request in advance hears it.
class StandInPortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    explicit StandInPortal(const QDBusConnection& bus) : m_bus(bus) {}
    uint version() const { return 1; }

    // How the next calls are answered; without a trigger the shortcut is left out of the answer.
    uint createResponse = 0;
    uint bindResponse = 0;
    QString assignedTrigger;

    QStringList boundSessions;
    QList<PortalShortcut> bound;
    QHash<QString, StandInSession*> sessions;

    void activate(const QString& session, const QString& id)
    {
        send(portalPath, shortcutsInterface, QStringLiteral("Activated"),
             {QVariant::fromValue(QDBusObjectPath(session)), id, qulonglong(1), QVariantMap()});
    }

    void changeKeys(const QString& session, const QString& id, const QString& trigger)
    {
        const QList<PortalShortcut> shortcuts{{id, {{QStringLiteral("trigger_description"), trigger}}}};
        send(portalPath, shortcutsInterface, QStringLiteral("ShortcutsChanged"),
             {QVariant::fromValue(QDBusObjectPath(session)), QVariant::fromValue(shortcuts)});
    }

public Q_SLOTS:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& message)
    {
        const QString session =
            QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                .arg(sender(message), options.value(QStringLiteral("session_handle_token")).toString());
        auto* object = new StandInSession(this);
        m_bus.registerObject(session, object, QDBusConnection::ExportAllSlots);
        sessions.insert(session, object);
        return answer(message, options, createResponse, {{QStringLiteral("session_handle"), session}});
    }

    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session, const QList<App::PortalShortcut>& shortcuts,
                                  const QString& parentWindow, const QVariantMap& options,
                                  const QDBusMessage& message)
    {
        Q_UNUSED(parentWindow)
        boundSessions << session.path();
        bound << shortcuts.value(0);
        QList<PortalShortcut> assigned;
        if (!assignedTrigger.isEmpty())
            assigned << PortalShortcut{shortcuts.value(0).id,
                                       {{QStringLiteral("trigger_description"), assignedTrigger}}};
        return answer(message, options, bindResponse,
                      {{QStringLiteral("shortcuts"), QVariant::fromValue(assigned)}});
    }

private:
    void send(const QString& path, const QString& interface, const QString& name,
              const QVariantList& arguments)
    {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
        signal.setArguments(arguments);
        m_bus.send(signal);
    }

    static QString sender(const QDBusMessage& message)
    {
        return message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    }

    QDBusObjectPath answer(const QDBusMessage& message, const QVariantMap& options, uint response,
                           const QVariantMap& results)
    {
        const QString request =
            QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                .arg(sender(message), options.value(QStringLiteral("handle_token")).toString());
        send(request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"),
             {response, results});
        return QDBusObjectPath(request);
    }

    QDBusConnection m_bus;
};

// Another X client, holding key grabs of its own.
class OtherProgram
{
public:
    OtherProgram() : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        m_symbols = xcb_key_symbols_alloc(m_connection);
    }
    ~OtherProgram()
    {
        xcb_key_symbols_free(m_symbols);
        xcb_disconnect(m_connection);
    }
    // Grabs keysym with modifiers; true when the server granted it. Unless `keep`, it lets go
    // again at once.
    bool grab(xcb_keysym_t keysym, quint16 modifiers, bool keep = false)
    {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(m_symbols, keysym);
        if (!codes)
            return false;
        const xcb_keycode_t code = codes[0];
        std::free(codes);
        xcb_generic_error_t* error =
            xcb_request_check(m_connection, xcb_grab_key_checked(m_connection, 1, m_root, modifiers, code,
                                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool granted = error == nullptr;
        std::free(error);
        if (granted && !keep)
            xcb_ungrab_key(m_connection, code, m_root, modifiers);
        xcb_flush(m_connection);
        return granted;
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    xcb_key_symbols_t* m_symbols;
};

constexpr xcb_keysym_t keysymK = 'k';
constexpr xcb_keysym_t keysymJ = 'j';
constexpr xcb_keysym_t keysymL = 'l';
constexpr quint16 ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

void press(const QString& keys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}), 0);
}

struct Desktop
{
    PrivateBus bus;
    QDBusConnection server = bus.connect(QStringLiteral("tst-portal-server"));
    QDBusConnection client = bus.connect(QStringLiteral("tst-portal-client"));
    StandInPortal portal{server};

    bool offerPortal()
    {
        return server.registerObject(portalPath, &portal,
                                     QDBusConnection::ExportAllSlots |
                                         QDBusConnection::ExportAllProperties) &&
               server.registerService(portalService);
    }
};

} // namespace

class TestGlobalShortcut : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Engine::Preferences> m_preferences;
    std::unique_ptr<Desktop> m_desktop;
    const QString m_name = GlobalShortcut::toggleMainWindowName();

    static QString preferredTrigger(const PortalShortcut& shortcut)
    {
        return shortcut.properties.value(QStringLiteral("preferred_trigger")).toString();
    }
    void record(const QString& portable)
    {
        m_preferences->setValue(GlobalShortcut::preferenceKey(m_name), std::optional<QString>(portable));
    }
    std::unique_ptr<GlobalShortcut> recordedShortcut(const QString& portable)
    {
        auto shortcut = std::make_unique<GlobalShortcut>(*m_preferences, m_name, m_desktop->client);
        shortcut->start();
        record(portable);
        return shortcut;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "needs xdotool");
        Engine::Preferences preferences(m_dir.filePath(QStringLiteral("probe.conf")));
        QVERIFY(!GlobalShortcut(preferences, m_name).unavailableReason());
        PortalShortcut::registerDBusTypes();
    }

    void init()
    {
        m_preferences = std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("p.conf")));
        m_preferences->setValue(GlobalShortcut::preferenceKey(m_name), std::optional<QString>());
        m_desktop = std::make_unique<Desktop>();
        QVERIFY(m_desktop->bus.isRunning());
        QVERIFY(m_desktop->server.isConnected() && m_desktop->client.isConnected());
    }

    void cleanup() { m_desktop.reset(); }

    // Only the recorded combination counts, whatever the lock keys.
    void pressActivatesItsCombinationOnly()
    {
        GlobalShortcut shortcut(*m_preferences, m_name);
        shortcut.start();
        record(QStringLiteral("Ctrl+Alt+K"));
        // A second shortcut on the same connection: its press is handled after the ones before it.
        GlobalShortcut marker(*m_preferences, QStringLiteral("marker"));
        marker.start();
        m_preferences->setValue(GlobalShortcut::preferenceKey(QStringLiteral("marker")),
                                std::optional<QString>(QStringLiteral("Ctrl+Alt+J")));
        QSignalSpy spy(&shortcut, &GlobalShortcut::activated);
        QSignalSpy marked(&marker, &GlobalShortcut::activated);
        press(QStringLiteral("ctrl+alt+k"));
        QTRY_COMPARE(spy.count(), 1);
        press(QStringLiteral("Num_Lock"));
        press(QStringLiteral("Caps_Lock"));
        press(QStringLiteral("ctrl+alt+k"));
        press(QStringLiteral("Num_Lock"));
        press(QStringLiteral("Caps_Lock"));
        QTRY_COMPARE(spy.count(), 2);
        press(QStringLiteral("ctrl+k"));
        press(QStringLiteral("ctrl+shift+alt+k"));
        press(QStringLiteral("ctrl+alt+j"));
        QTRY_COMPARE(marked.count(), 1);
        QCOMPARE(spy.count(), 2);

        // A function key, a symbol reached with Shift and a key named by its keysym.
        const QList<std::pair<QString, QString>> keys{
            {QStringLiteral("Meta+F7"), QStringLiteral("super+F7")},
            {QStringLiteral("Ctrl+!"), QStringLiteral("ctrl+shift+1")},
            {QStringLiteral("Ctrl+Alt+Left"), QStringLiteral("ctrl+alt+Left")}};
        for (const auto& [portable, pressed] : keys) {
            record(portable);
            const qsizetype before = spy.count();
            press(pressed);
            QTRY_COMPARE(spy.count(), before + 1);
        }
    }

    // What the shortcut holds follows what is recorded, and nothing stays held after a failure,
    // a change, clearing or the end.
    void grabsFollowTheRecording()
    {
        OtherProgram other;
        QVERIFY(other.grab(keysymJ, ctrlAlt, true));
        auto shortcut = std::make_unique<GlobalShortcut>(*m_preferences, m_name);
        shortcut->start();
        record(QStringLiteral("Ctrl+Alt+J"));
        QCOMPARE(shortcut->status(), GlobalShortcut::Status::Taken);
        QVERIFY(other.grab(keysymJ, static_cast<quint16>(ctrlAlt | XCB_MOD_MASK_LOCK)));
        // No keysym for a media key here.
        record(QStringLiteral("Ctrl+Media Play"));
        QCOMPARE(shortcut->status(), GlobalShortcut::Status::Invalid);

        record(QStringLiteral("Ctrl+Alt+K"));
        QCOMPARE(shortcut->status(), GlobalShortcut::Status::Active);
        for (const int locks :
             {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), int(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)})
            QVERIFY(!other.grab(keysymK, static_cast<quint16>(ctrlAlt | locks)));
        record(QStringLiteral("Ctrl+Alt+L"));
        QVERIFY(other.grab(keysymK, ctrlAlt));
        QVERIFY(!other.grab(keysymL, ctrlAlt));
        m_preferences->setValue(GlobalShortcut::preferenceKey(m_name), std::optional<QString>());
        QCOMPARE(shortcut->status(), GlobalShortcut::Status::NotSet);
        QVERIFY(other.grab(keysymL, ctrlAlt));

        record(QStringLiteral("Ctrl+Alt+K"));
        QVERIFY(!other.grab(keysymK, ctrlAlt));
        shortcut.reset();
        QVERIFY(other.grab(keysymK, ctrlAlt));
    }

    void triggerText_data()
    {
        QTest::addColumn<int>("combination");
        QTest::addColumn<QString>("trigger"); // empty: the format has no name for it
        const auto row = [](const char* name, QKeyCombination combination, const char* trigger) {
            QTest::newRow(name) << combination.toCombined() << QString::fromLatin1(trigger);
        };
        row("all modifiers in order", Qt::META | Qt::SHIFT | Qt::ALT | Qt::CTRL | Qt::Key_F12,
            "CTRL+ALT+SHIFT+LOGO+F12");
        row("digit", Qt::ALT | Qt::Key_7, "ALT+7");
        row("shifted symbol by its own name", Qt::CTRL | Qt::Key_Exclam, "CTRL+exclam");
        row("page up", Qt::ALT | Qt::Key_PageUp, "ALT+Page_Up");
        row("keypad digit", Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_5, "CTRL+KP_5");
        row("keypad plus", Qt::KeypadModifier | Qt::Key_Plus, "KP_Add");
        row("keypad flag on a key without a keypad name", Qt::KeypadModifier | Qt::Key_Home, "Home");
        row("modifier alone", Qt::CTRL | Qt::Key_Control, "");
    }

    void triggerText()
    {
        QFETCH(int, combination);
        QFETCH(QString, trigger);
        const std::optional<QString> text =
            App::PortalTrigger::fromCombination(QKeyCombination::fromCombined(combination));
        QCOMPARE(text.value_or(QString()), trigger);
        QCOMPARE(text.has_value(), !trigger.isEmpty());
    }

    // One shortcut through binding, the desktop's signals, rebinding, an unnamed combination and
    // clearing. First of the tests on the bus: the signal connections must work in a process that
    // has not used the portal before.
    void bindFlow()
    {
        QVERIFY(m_desktop->offerPortal());
        StandInPortal& portal = m_desktop->portal;
        portal.assignedTrigger = QStringLiteral("Super+Y");
        auto shortcut = recordedShortcut(QStringLiteral("Ctrl+Shift+D"));
        QCOMPARE(shortcut->status(), Status::Pending);
        // The desktop's keys, not the recorded ones.
        QTRY_COMPARE(shortcut->status(), Status::Active);
        QCOMPARE(shortcut->statusText(),
                 QStringLiteral("Press Super+Y anywhere to show or hide the main window."));

        QCOMPARE(portal.bound.size(), 1);
        QCOMPARE(portal.bound[0].id, m_name);
        QCOMPARE(preferredTrigger(portal.bound[0]), QStringLiteral("CTRL+SHIFT+d"));
        QVERIFY(!portal.bound[0].properties.value(QStringLiteral("description")).toString().isEmpty());

        // Signals arrive in order, so once ours has been handled the others have been turned away.
        const QString first = portal.boundSessions[0];
        const QString other = QStringLiteral("/org/freedesktop/portal/desktop/session/1_99/other");
        QSignalSpy activated(shortcut.get(), &GlobalShortcut::activated);
        QSignalSpy status(shortcut.get(), &GlobalShortcut::statusChanged);
        portal.activate(other, m_name);
        portal.activate(first, QStringLiteral("someoneElse"));
        portal.activate(first, m_name);
        QTRY_COMPARE(activated.count(), 1);
        portal.changeKeys(other, m_name, QStringLiteral("Alt+O"));
        portal.changeKeys(first, QStringLiteral("someoneElse"), QStringLiteral("Alt+E"));
        portal.changeKeys(first, m_name, QStringLiteral("Super+K"));
        QTRY_VERIFY2(shortcut->statusText().contains(QStringLiteral("Press Super+K")),
                     qPrintable(shortcut->statusText()));
        QCOMPARE(status.count(), 1);
        QCOMPARE(activated.count(), 1);

        // Recorded again: a new session, the old one closed and no longer heard.
        portal.assignedTrigger.clear();
        record(QStringLiteral("Ctrl+Alt+J"));
        QTRY_COMPARE(shortcut->status(), Status::Active);
        QVERIFY2(shortcut->statusText().contains(QStringLiteral("assigned it no keys")),
                 qPrintable(shortcut->statusText()));
        QCOMPARE(portal.bound.size(), 2);
        QCOMPARE(preferredTrigger(portal.bound[1]), QStringLiteral("CTRL+ALT+j"));
        const QString second = portal.boundSessions[1];
        QTRY_VERIFY(portal.sessions.value(first)->closed);
        QVERIFY(!portal.sessions.value(second)->closed);
        portal.activate(first, m_name);
        portal.activate(second, m_name);
        QTRY_COMPARE(activated.count(), 2);

        // A combination the portal cannot name is not sent, and the bound one is given up; so
        // is a cleared one.
        record(QStringLiteral("Ctrl+Ä"));
        QCOMPARE(shortcut->status(), Status::Invalid);
        QTRY_VERIFY(portal.sessions.value(second)->closed);
        QCOMPARE(portal.bound.size(), 2);
        record(QStringLiteral("Ctrl+Alt+K"));
        QTRY_COMPARE(shortcut->status(), Status::Active);
        m_preferences->setValue(GlobalShortcut::preferenceKey(m_name), std::optional<QString>());
        QCOMPARE(shortcut->status(), Status::NotSet);
        QTRY_VERIFY(portal.sessions.value(portal.boundSessions.last())->closed);
    }

    void desktopSaysNo_data()
    {
        QTest::addColumn<uint>("createResponse");
        QTest::addColumn<uint>("bindResponse");
        QTest::addColumn<Status>("status");
        QTest::newRow("declined in the prompt") << 0u << 1u << Status::Declined;
        QTest::newRow("binding ended otherwise") << 0u << 2u << Status::Refused;
        QTest::newRow("no session") << 2u << 0u << Status::Refused;
    }

    void desktopSaysNo()
    {
        QFETCH(uint, createResponse);
        QFETCH(uint, bindResponse);
        QFETCH(Status, status);
        QVERIFY(m_desktop->offerPortal());
        StandInPortal& portal = m_desktop->portal;
        portal.createResponse = createResponse;
        portal.bindResponse = bindResponse;
        portal.assignedTrigger = QStringLiteral("Ctrl+Alt+K");
        auto shortcut = recordedShortcut(QStringLiteral("Ctrl+Alt+K"));
        QSignalSpy activated(shortcut.get(), &GlobalShortcut::activated);
        QTRY_COMPARE(shortcut->status(), status);
        QVERIFY(shortcut->statusText().contains(
            QKeySequence(QStringLiteral("Ctrl+Alt+K")).toString(QKeySequence::NativeText)));
        // A session the shortcut could not be bound in is not left open.
        for (StandInSession* session : std::as_const(portal.sessions)) {
            if (bindResponse != 0)
                QTRY_VERIFY(session->closed);
            portal.activate(portal.sessions.key(session), m_name);
        }
        // The same recorded again is no change; clearing first asks the desktop once more.
        portal.createResponse = 0;
        portal.bindResponse = 0;
        m_preferences->setValue(GlobalShortcut::preferenceKey(m_name), std::optional<QString>());
        record(QStringLiteral("Ctrl+Alt+K"));
        QTRY_COMPARE(shortcut->status(), Status::Active);
        QCOMPARE(activated.count(), 0);
    }

    // No portal on the bus; one without global shortcuts fails the same version probe.
    void noPortal()
    {
        GlobalShortcut shortcut(*m_preferences, m_name, m_desktop->client);
        shortcut.start();
        App::SettingsGeneralView view(*m_preferences, &shortcut);
        // Known before anything is recorded, so the settings can say so at once.
        QTRY_VERIFY(shortcut.unavailableReason().has_value());
        QVERIFY(shortcut.statusText().contains(QStringLiteral("Wayland")));
        QCOMPARE(view.shortcutStatus()->text(), shortcut.statusText());
        QVERIFY(!view.shortcutRecorder()->isEnabled());

        record(QStringLiteral("Ctrl+Alt+K"));
        QTRY_COMPARE(shortcut.status(), Status::Unavailable);
    }
};

QTEST_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
