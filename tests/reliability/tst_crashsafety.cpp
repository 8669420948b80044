// The real program is killed (SIGKILL) at random moments while it runs up to 100 downloads with
// stand-in tools, then started again: the store must be intact, every item stored before the
// kill still there and none left running, and no tool or tool child left alive.
#include "engine/enginekeys.h"
#include "library/librarykeys.h"
#include "engine/preferences.h"
#include "support/processprobe.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using TestSupport::ProcessProbe;

namespace {
constexpr int Downloads = 100;
constexpr int Rounds = 6;
constexpr int Timeout = 60000;
} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QProcessEnvironment m_environment;

    static QString program() { return QStringLiteral(VELTQORV_BINARY_DIR "/veltqorv"); }
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    QString storePath() const { return path(QStringLiteral("data/VeltQorv/db.store")); }

    // A read-only look at the store the program writes, through a connection of our own.
    struct StoreView
    {
        explicit StoreView(const QString& file)
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
            opened = db.open();
        }
        ~StoreView()
        {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
        QStringList column(const QString& sql) const
        {
            QStringList values;
            QSqlQuery query(QSqlDatabase::database(name));
            if (!query.exec(sql))
                return {QStringLiteral("failed: ") + sql};
            while (query.next())
                values.append(query.value(0).toString());
            return values;
        }
        QString name = QStringLiteral("view");
        bool opened = false;
    };

    // "id source" of every stored item.
    QStringList storedItems() const
    {
        if (!QFileInfo::exists(storePath()))
            return {};
        StoreView view(storePath());
        // Killed while creating the store: the file may not hold the table yet.
        if (view.column(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'ShakeItem'")) !=
            QStringList{QStringLiteral("1")})
            return {};
        return view.column(QStringLiteral("SELECT id || ' ' || source FROM ShakeItem ORDER BY id"));
    }

    int runningCount() const
    {
        if (!QFileInfo::exists(storePath()))
            return 0;
        StoreView view(storePath());
        return view.column(QStringLiteral("SELECT count(*) FROM ShakeConfig WHERE running = 1"))
            .value(0)
            .toInt();
    }

    // Tool processes (and their children) working for this store.
    QList<qint64> markedProcesses() const
    {
        return ProcessProbe::withEnvironmentEnding(QByteArrayLiteral("VELTQORV_CHILD_OF"),
                                                   ':' + QFileInfo(storePath()).absoluteFilePath().toUtf8());
    }

    // Stand-in tools of a round that run until stopped and have started: each writes its pid first.
    int startedTools(int round) const
    {
        const QStringList files = QDir(path(QStringLiteral("state")))
                                      .entryList({QStringLiteral("hang-r%1-*.pid").arg(round)}, QDir::Files);
        return int(std::count_if(files.begin(), files.end(), [](const QString& file) {
            return !file.endsWith(QLatin1String(".child.pid"));
        }));
    }

    // Every pid the stand-in tools that run until stopped wrote down, theirs and their children's.
    QList<qint64> recordedPids() const
    {
        QList<qint64> pids;
        const QDir state(path(QStringLiteral("state")));
        for (const QString& file : state.entryList({QStringLiteral("hang*.pid")}, QDir::Files)) {
            QFile pidFile(state.filePath(file));
            if (pidFile.open(QIODevice::ReadOnly))
                pids.append(pidFile.readAll().trimmed().toLongLong());
        }
        return pids;
    }

    QProcessEnvironment environmentTracingStartUp() const
    {
        QProcessEnvironment environment = m_environment;
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("org.veltqorv.VeltQorv.log.main.debug=true"));
        return environment;
    }

    static void kill(QProcess& process)
    {
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(Timeout);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo(program()).isExecutable());
        QVERIFY(m_root.isValid());
        for (const char* folder : {"home", "config", "data", "cache", "runtime", "state", "downloads"})
            QVERIFY(QDir(m_root.path()).mkpath(QString::fromLatin1(folder)));
        QFile(path(QStringLiteral("runtime")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        {
            Engine::Preferences preferences(path(QStringLiteral("config/VeltQorv/VeltQorv.conf")));
            preferences.setValue(
                Engine::Keys::downloaderBin,
                std::optional<QString>(QStringLiteral(VELTQORV_TEST_FAKES "/yt-dlp-by-address")));
            preferences.setValue(Library::Keys::defaultOutputLocation,
                                 QUrl::fromLocalFile(path(QStringLiteral("downloads"))));
        }

        m_environment = QProcessEnvironment::systemEnvironment();
        const QList<std::pair<const char*, const char*>> folders = {{"HOME", "home"},
                                                                    {"XDG_CONFIG_HOME", "config"},
                                                                    {"XDG_DATA_HOME", "data"},
                                                                    {"XDG_CACHE_HOME", "cache"},
                                                                    {"XDG_RUNTIME_DIR", "runtime"}};
        for (const auto& [variable, folder] : folders)
            m_environment.insert(QString::fromLatin1(variable), path(QString::fromLatin1(folder)));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_environment.insert(QStringLiteral("FAKE_STATE_DIR"), path(QStringLiteral("state")));
    }

    void killedAtRandomMomentsLosesNothingAndLeavesNothing()
    {
        QRandomGenerator random(20261207);
        QStringList storedBeforeKills;
        int mostRunningAtAKill = 0;
        for (int round = 0; round < Rounds; ++round) {
            // Mostly downloads that run until stopped, each with a child of its own (as the real
            // tool has ffmpeg); some end at once either way.
            QStringList addresses;
            for (int i = 0; i < Downloads; ++i) {
                const char* kind = i % 10 == 0 ? "ok" : i % 10 == 1 ? "fail" : "hang";
                addresses.append(QStringLiteral("http://127.0.0.1:9/%1-r%2-%3")
                                     .arg(QLatin1String(kind))
                                     .arg(round)
                                     .arg(i));
            }
            QProcess app;
            app.setProcessEnvironment(m_environment);
            app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            app.start(program(), addresses);
            QVERIFY2(app.waitForStarted(Timeout), qPrintable(app.errorString()));

            // Round 0 dies during start-up; the others once some or all downloads are running.
            if (round == 0) {
                QTest::qWait(static_cast<int>(random.bounded(50, 400)));
            } else {
                // Tools really started, not only marked running: each writes its pid first.
                const int running =
                    round == 1 ? Downloads * 8 / 10 : static_cast<int>(random.bounded(1, Downloads * 8 / 10));
                QTRY_VERIFY_WITH_TIMEOUT(startedTools(round) >= running || app.state() != QProcess::Running,
                                         Timeout);
                QTest::qWait(static_cast<int>(random.bounded(0, 300)));
            }
            QCOMPARE(app.state(), QProcess::Running);
            storedBeforeKills = storedItems();
            mostRunningAtAKill = std::max(mostRunningAtAKill, startedTools(round));
            kill(app);

            // Started again with nothing to add: it must clean up after its predecessor.
            QProcess again;
            again.setProcessEnvironment(environmentTracingStartUp());
            again.start(program(), {});
            QVERIFY(again.waitForStarted(Timeout));
            QByteArray log;
            QTRY_VERIFY_WITH_TIMEOUT((log += again.readAllStandardError()).contains("start-up done") ||
                                         again.state() != QProcess::Running,
                                     Timeout);
            QCOMPARE(again.state(), QProcess::Running);
            kill(again);
            QVERIFY2(markedProcesses().isEmpty(), "a tool process outlived both programs");

            {
                StoreView view(storePath());
                QVERIFY(view.opened);
                QCOMPARE(view.column(QStringLiteral("PRAGMA integrity_check")),
                         QStringList{QStringLiteral("ok")});
                QCOMPARE(view.column(QStringLiteral("PRAGMA foreign_key_check")), QStringList{});
            }
            const QStringList after = storedItems();
            for (const QString& item : std::as_const(storedBeforeKills))
                QVERIFY2(after.contains(item),
                         qPrintable(QStringLiteral("lost in round %1: %2").arg(round).arg(item)));
            QCOMPARE(runningCount(), 0);
            for (const qint64 pid : recordedPids())
                QVERIFY2(ProcessProbe::isGone(pid),
                         qPrintable(QStringLiteral("round %1: process %2 left alive").arg(round).arg(pid)));
        }
        // One kill at least came with every long-running tool started.
        QVERIFY(mostRunningAtAKill >= Downloads * 8 / 10);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
