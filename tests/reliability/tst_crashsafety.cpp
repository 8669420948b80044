// Killed (SIGKILL) at random moments: the real program while it runs up to 100 downloads with
// stand-in tools, then started again; and a process that only writes to the store, inside any of
// its writes. The store must be whole every time and keep every item stored before the
// kill, with its records; once the program has started again, none is left running and no tool of
// the store is alive.
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/store.h"
#include "support/processprobe.h"
#include "support/sqlfile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using TestSupport::ProcessProbe;
using TestSupport::SqlFile;

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

    // "id source" of every stored item; none while the file or its table is still being created.
    QStringList storedItems() const
    {
        const QStringList items =
            SqlFile(storePath(), true)
                .column(QStringLiteral("SELECT id || ' ' || source FROM ShakeItem ORDER BY id"));
        return items.value(0).startsWith(QLatin1String("failed: ")) ? QStringList() : items;
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

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo(program()).isExecutable());
        QVERIFY(m_root.isValid());
        m_environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [variable, folder] : {std::pair{"HOME", "home"},
                                               {"XDG_CONFIG_HOME", "config"},
                                               {"XDG_DATA_HOME", "data"},
                                               {"XDG_CACHE_HOME", "cache"},
                                               {"XDG_RUNTIME_DIR", "runtime"},
                                               {"FAKE_STATE_DIR", "state"}}) {
            QVERIFY(QDir(m_root.path()).mkpath(QString::fromLatin1(folder)));
            m_environment.insert(QString::fromLatin1(variable), path(QString::fromLatin1(folder)));
        }
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("downloads")));
        QFile(path(QStringLiteral("runtime")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        {
            Engine::Preferences preferences(path(QStringLiteral("config/VeltQorv/VeltQorv.conf")));
            preferences.setValue(Engine::Keys::downloaderBin, std::optional<QString>(QStringLiteral(
                                                                  VELTQORV_TEST_FAKES "/yt-dlp-by-address")));
            preferences.setValue(Library::Keys::defaultOutputLocation,
                                 QUrl::fromLocalFile(path(QStringLiteral("downloads"))));
        }
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
            app.kill(); // SIGKILL
            app.waitForFinished(Timeout);

            // Started again with nothing to add: it must clean up after its predecessor.
            QProcess again;
            QProcessEnvironment tracing = m_environment;
            tracing.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("org.veltqorv.VeltQorv.log.main.debug=true"));
            again.setProcessEnvironment(tracing);
            again.start(program(), {});
            QVERIFY(again.waitForStarted(Timeout));
            QByteArray log;
            QTRY_VERIFY_WITH_TIMEOUT((log += again.readAllStandardError()).contains("start-up done") ||
                                         again.state() != QProcess::Running,
                                     Timeout);
            QVERIFY2(again.state() == QProcess::Running,
                     (log + again.readAllStandardError()).right(3000).constData());
            again.kill();
            again.waitForFinished(Timeout);
            // Killed tools take a moment to be gone on a busy machine; left alone they would run 300 s.
            // Tool processes (and their children) carry the store they work for.
            QTRY_VERIFY2_WITH_TIMEOUT(
                ProcessProbe::withEnvironmentEnding("VELTQORV_CHILD_OF", ':' + storePath().toUtf8())
                    .isEmpty(),
                "a tool process outlived both programs", Timeout);

            const SqlFile view(storePath(), true);
            QCOMPARE(view.damage(), QStringList{});
            QCOMPARE(view.value(QStringLiteral("SELECT count(*) FROM ShakeConfig WHERE running = 1")).toInt(),
                     0);
            const QStringList after = storedItems();
            for (const QString& item : std::as_const(storedBeforeKills))
                QVERIFY2(after.contains(item),
                         qPrintable(QStringLiteral("lost in round %1: %2").arg(round).arg(item)));
        }
        // One kill at least came with every long-running tool started.
        QVERIFY(mostRunningAtAKill >= Downloads * 8 / 10);
    }

    void killedWriterLosesNothingCommitted()
    {
        const QString file = path(QStringLiteral("writer.store"));
        QList<qint64> committed;
        for (int round = 0; round < 20; ++round) {
            // It kills itself at a moment the seed chooses.
            QProcess writer;
            writer.start(QStringLiteral(STORE_CRASH_CHILD), {file, QString::number(round)});
            QVERIFY2(writer.waitForFinished(Timeout), qPrintable(writer.errorString()));
            QVERIFY2(writer.exitStatus() == QProcess::CrashExit, writer.readAllStandardError().constData());
            const QByteArray output = writer.readAllStandardOutput();
            // Only whole lines: an id cut short was not finished printing, its add may count or not.
            for (const QByteArray& line : output.left(output.lastIndexOf('\n') + 1).split('\n')) {
                if (!line.isEmpty())
                    committed += line.toLongLong();
            }

            Library::Store store;
            QVERIFY2(store.open(file), qPrintable(store.errorMessage()));
            const SqlFile raw(file);
            QCOMPARE(raw.damage(), QStringList{});
            // Records are written with their item, never without it, and an outcome (completed and no
            // longer running, with its log) as a whole.
            QCOMPARE(raw.value(QStringLiteral(
                                   "SELECT count(*) FROM ShakeItem i JOIN ShakeConfig c ON c.item = i.id"
                                   " JOIN ShakeItemInfo f ON f.item = i.id WHERE (i.completedDate IS NULL)"
                                   " != (c.running = 1) OR (i.completedDate IS NULL) != (f.log = '')"))
                         .toInt(),
                     0);
            QCOMPARE(
                raw.value(QStringLiteral("SELECT count(*) FROM ShakeItem WHERE id NOT IN (SELECT item FROM"
                                         " ShakeConfig) OR id NOT IN (SELECT item FROM ShakeItemInfo)"))
                    .toInt(),
                0);
            for (const qint64 id : std::as_const(committed))
                QVERIFY2(store.item(id),
                         qPrintable(QStringLiteral("item %1 lost in round %2").arg(id).arg(round)));
        }
        QVERIFY(committed.size() >= 20);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
