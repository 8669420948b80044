// Hostile addresses, folders and option values, through the whole path from the text a user or
// another program hands over to the tool's command line: each value reaches a real child that
// writes down its argv as exactly one argument, or is refused; nothing else ever runs.
#include "app/desktop/incomingaddresshandler.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "engine/qorvconfig.h"
#include "library/librarykeys.h"
#include "library/mainmodel.h"
#include "library/shakeitem.h"
#include "library/store.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Engine::QorvConfig;
using Engine::QorvConfigItem;
using Library::MainModel;

namespace {

const QString Canary = QStringLiteral("CANARY");

// Each tries to make a shell, or the tool itself, do something of its own.
void addHostileRows()
{
    QTest::addColumn<QString>("value");
    const QString touch = QStringLiteral("touch ") + Canary;
    const QList<std::pair<const char*, QString>> rows = {
        {"single quote", QStringLiteral("it's")},
        {"quote escape", QStringLiteral("'; %1; '").arg(touch)},
        {"double quotes", QStringLiteral("\"$(%1)\"").arg(touch)},
        {"command substitution", QStringLiteral("$(%1)").arg(touch)},
        {"backticks", QStringLiteral("`%1`").arg(touch)},
        {"semicolon", QStringLiteral("a; %1").arg(touch)},
        {"pipe", QStringLiteral("a | %1").arg(touch)},
        {"and", QStringLiteral("a && %1").arg(touch)},
        {"newline", QStringLiteral("a\n%1").arg(touch)},
        {"carriage return", QStringLiteral("a\r%1").arg(touch)},
        {"variable", QStringLiteral("${HOME}$PATH")},
        {"glob", QStringLiteral("*")},
        {"backslashes", QStringLiteral("a\\\\'b\\")},
        {"leading dash", QStringLiteral("-o")},
        {"exec option", QStringLiteral("--exec %1").arg(touch)},
        {"exec option with equals", QStringLiteral("--exec=%1").arg(touch)},
        {"NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
        {"lone surrogate", QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")},
        {"emoji and right-to-left", QStringLiteral("\U0001F600\u202Eevil")},
        {"long", QString(100000, QLatin1Char('x'))},
        {"empty", QString()},
    };
    for (const auto& [name, value] : rows)
        QTest::newRow(name) << value;
}

} // namespace

class TestInjection : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Engine::Preferences> m_preferences;
    std::unique_ptr<Library::Store> m_store;
    std::unique_ptr<MainModel> m_model;

    QString statePath() const { return m_dir.filePath(QStringLiteral("state")); }

    // The argv of every run of the stand-in since the last call, oldest first.
    QList<QList<QByteArray>> takeRecordedRuns() const
    {
        QList<QList<QByteArray>> runs;
        QDir state(statePath());
        for (const QString& name :
             state.entryList({QStringLiteral("argv-*")}, QDir::Files, QDir::Time | QDir::Reversed)) {
            QFile file(state.filePath(name));
            QList<QByteArray> argv =
                file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>{};
            argv.removeLast(); // after the last newline
            for (QByteArray& argument : argv)
                argument = QByteArray::fromHex(argument);
            runs.append(argv);
            file.remove();
        }
        return runs;
    }

    // Runs `count` items to their end.
    bool runToEnd(qsizetype count)
    {
        QSignalSpy finished(m_model.get(), &MainModel::runFinished);
        return QTest::qWaitFor([&] { return finished.size() >= count; }, 20000);
    }

    // The arguments after `flag`, or an error text.
    static QList<QByteArray> after(const QList<QByteArray>& argv, const QByteArray& flag)
    {
        const qsizetype at = argv.indexOf(flag);
        return at < 0 ? QList<QByteArray>{} : argv.mid(at + 1);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("state")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("downloads")));
        qputenv("FAKE_STATE_DIR", statePath().toUtf8());
        // A command that escaped would run here and leave the canary behind.
        QVERIFY(QDir::setCurrent(m_dir.path()));
        m_preferences = std::make_unique<Engine::Preferences>(m_dir.filePath(QStringLiteral("prefs.conf")));
        m_preferences->setValue(Engine::Keys::downloaderBin,
                                std::optional<QString>(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-argv")));
        m_preferences->setValue(Library::Keys::defaultOutputLocation,
                                QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("downloads"))));
        m_store = std::make_unique<Library::Store>();
        QVERIFY(m_store->open(m_dir.filePath(QStringLiteral("db.store"))));
        m_model = std::make_unique<MainModel>(*m_store, *m_preferences, nullptr, nullptr);
    }

    void cleanup() { QVERIFY2(!QFileInfo::exists(m_dir.filePath(Canary)), "a hostile value was executed"); }

    // Typed or pasted text and addresses other programs hand over: the address reaches the tool
    // as the one argument after "--", or no item is made.
    void addresses_data() { addHostileRows(); }

    void addresses()
    {
        QFETCH(QString, value);
        const int before = m_store->count({});
        int pasted = 0;
        QList<qint64> handedOver;
        for (const QString& text :
             {QStringLiteral("https://example.com/") + value, value,
              QStringLiteral("https://example.com/?q=") + value + QStringLiteral("#") + value}) {
            pasted += m_model->addFromClipboardText(text) ? 1 : 0;
            const QString schemeAddress =
                QStringLiteral("veltqorv://add?url=") + QString::fromLatin1(QUrl::toPercentEncoding(text));
            handedOver +=
                m_model->add(App::IncomingAddressHandler::addressesFromArguments({schemeAddress, text}));
        }
        const int added = pasted + int(handedOver.size());
        QCOMPARE(m_store->count({}), before + added);

        QVERIFY(runToEnd(added));
        // An item the tool never saw was refused, and says why.
        int refused = 0;
        for (const Library::ShakeItem& item : m_store->items({}, 0, added)) {
            if (!item.isCompleted()) {
                QVERIFY(!item.errorMessage().isEmpty());
                ++refused;
            }
        }
        const QList<QList<QByteArray>> runs = takeRecordedRuns();
        QCOMPARE(runs.size(), added - refused);
        for (const QList<QByteArray>& argv : runs) {
            const QList<QByteArray> address = after(argv, "--");
            QCOMPARE(address.size(), 1);
            const QUrl url = QUrl::fromEncoded(address.first(), QUrl::StrictMode);
            QVERIFY2(url.isValid() && !url.host().isEmpty(), address.first().left(200).constData());
            QVERIFY(url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
        }
    }

    // Download folders and option values chosen in the window or read back from a stored option
    // set: each arrives as exactly the argument after its flag.
    void folderAndOptionValues_data() { addHostileRows(); }

    void folderAndOptionValues()
    {
        QFETCH(QString, value);
        // What the child gets for a value that is not valid UTF-16: the text it was converted to.
        const QByteArray expected = value.toLocal8Bit();

        QList<QorvConfigItem> items = {
            QorvConfigItem::format(value),
            QorvConfigItem::formatSort(value),
            QorvConfigItem::outputTemplate(value),
            QorvConfigItem::mergeOutputFormat(value),
            QorvConfigItem::cookiesFromBrowser(value),
            QorvConfigItem::raw(QStringLiteral("--limit-rate"), value),
            // A raw option's key stands alone.
            QorvConfigItem::raw(QStringLiteral("--key-follows")),
            QorvConfigItem::raw(value),
        };
        QList<QByteArray> wanted;
        for (const char* flag : {"-f", "-S", "-o", "--merge-output-format", "--cookies-from-browser",
                                 "--limit-rate", "--key-follows"})
            wanted << flag << expected;
        // A folder of that name, where the file system allows one. A name that is not valid
        // UTF-16 cannot come from the file system, which hands out replacement characters.
        const QString folder = m_dir.filePath(QStringLiteral("folder ") + value.left(200));
        const bool nameable = !value.contains(QLatin1Char('/')) && !value.contains(QChar(0)) &&
                              QString::fromUtf8(value.toUtf8()) == value;
        if (nameable && QDir().mkpath(folder)) {
            items.append(QorvConfigItem::saveTo(QUrl::fromLocalFile(folder)));
            wanted << "-P" << QFile::encodeName(folder);
        }

        const QList<qint64> ids =
            m_model->add({QUrl(QStringLiteral("https://example.com/video"))}, QorvConfig(QString(), items));
        QCOMPARE(ids.size(), 1);
        QVERIFY(runToEnd(1));
        const QList<QList<QByteArray>> runs = takeRecordedRuns();
        QVERIFY(runs.size() <= 1);
        if (runs.isEmpty()) {
            // Refused before anything ran: the kernel would cut an argument at a NUL, and takes
            // no command line of this length.
            QVERIFY(value.contains(QChar(0)) || value.size() > 10000);
            const Library::ShakeItem item = m_store->items({}, 0, 1).first();
            QVERIFY(!item.isCompleted());
            QVERIFY(!item.errorMessage().isEmpty());
            return;
        }
        // Each value exactly the one argument after its flag, in order...
        const QList<QByteArray>& argv = runs.first();
        bool found = false;
        for (qsizetype at = 0; !found && at + wanted.size() <= argv.size(); ++at)
            found = argv.mid(at, wanted.size()) == wanted;
        QVERIFY2(found, "a value did not arrive as the one argument after its flag");
        // ...and nothing of any of them spilled over.
        QCOMPARE(after(argv, "--"), QList<QByteArray>{"https://example.com/video"});
    }
};

QTEST_GUILESS_MAIN(TestInjection)
#include "tst_injection.moc"
