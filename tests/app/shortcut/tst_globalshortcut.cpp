// The show/hide shortcut against the X server the test runs on (Xvfb), pressed with xdotool.
#include "app/shortcut/globalshortcut.h"
#include "engine/preferences.h"

#include <QGuiApplication>
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

namespace {

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

} // namespace

class TestGlobalShortcut : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Engine::Preferences> m_preferences;
    const Engine::PreferenceKey<std::optional<QString>> m_key =
        GlobalShortcut::preferenceKey(GlobalShortcut::toggleMainWindowName());

    void record(const QString& portable) { m_preferences->setValue(m_key, std::optional<QString>(portable)); }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("needs xdotool");
        Engine::Preferences preferences(m_dir.filePath(QStringLiteral("probe.conf")));
        QVERIFY(!GlobalShortcut(preferences, GlobalShortcut::toggleMainWindowName()).unavailableReason());
    }

    void init()
    {
        m_preferences = std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("p.conf")));
        m_preferences->setValue(m_key, std::optional<QString>());
    }

    // Only the recorded combination counts, whatever the lock keys.
    void pressActivatesItsCombinationOnly()
    {
        QCOMPARE(m_key.name(), QStringLiteral("shortcuts/toggleMainWindow"));
        GlobalShortcut shortcut(*m_preferences, GlobalShortcut::toggleMainWindowName());
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
        auto shortcut =
            std::make_unique<GlobalShortcut>(*m_preferences, GlobalShortcut::toggleMainWindowName());
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
        m_preferences->setValue(m_key, std::optional<QString>());
        QCOMPARE(shortcut->status(), GlobalShortcut::Status::NotSet);
        QVERIFY(other.grab(keysymL, ctrlAlt));

        record(QStringLiteral("Ctrl+Alt+K"));
        QVERIFY(!other.grab(keysymK, ctrlAlt));
        shortcut.reset();
        QVERIFY(other.grab(keysymK, ctrlAlt));
    }
};

QTEST_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
