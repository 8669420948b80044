// Arguments handed over by a later start of the program, and the addresses taken from them.
#include "app/desktop/handovergate.h"
#include "app/desktop/incomingaddresshandler.h"
#include "app/desktop/singleinstance.h"
#include "engine/preferences.h"
#include "support/sqlfile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

#include <unistd.h>

using App::HandoverGate;
using App::IncomingAddressHandler;
using App::SingleInstance;

namespace {

QByteArray frame(const QByteArray& body, quint32 declaredSize)
{
    QByteArray header(4, '\0');
    qToBigEndian<quint32>(declaredSize, header.data());
    return header + body;
}

QByteArray frame(const QStringList& arguments)
{
    const QByteArray body =
        QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact);
    return frame(body, static_cast<quint32>(body.size()));
}

// A socket at `path` that accepts one connection and closes it unread, as one left by a crashed
// instance does; true once it listens.
bool listenAndCloseUnread(QProcess& python, const QString& path)
{
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import socket,sys; s=socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); "
                                 "s.listen(); print('ready', flush=True); s.accept()[0].close()"),
                  path});
    return python.waitForStarted() && QTest::qWaitFor([&python] { return python.canReadLine(); }, 5000);
}

} // namespace

class TestHandOver : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString serverName() const { return m_dir.filePath(QStringLiteral("instance")); }

    // Another program's connection, with `bytes` written; a failed connection shows as nothing
    // received.
    std::unique_ptr<QLocalSocket> send(const QByteArray& bytes)
    {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(serverName());
        if (socket->waitForConnected(5000)) {
            socket->write(bytes);
            socket->flush();
        }
        return socket;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void defaultNameIsPerUserInTheRuntimeFolder()
    {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        const QString name = SingleInstance::defaultServerName();
        qputenv("XDG_RUNTIME_DIR", QByteArrayLiteral("/nonexistent/folder"));
        const QString fallback = SingleInstance::defaultServerName();
        qputenv("XDG_RUNTIME_DIR", saved);

        const QString own = QStringLiteral("org.veltqorv.VeltQorv-%1").arg(::getuid());
        QCOMPARE(name, m_dir.filePath(own));
        QCOMPARE(fallback, own);
    }

    void messageArrivesInPieces()
    {
        SingleInstance instance(serverName());
        QCOMPARE(instance.start({}), SingleInstance::Role::Primary);
        QSignalSpy spy(&instance, &SingleInstance::messageReceived);

        const QStringList sent{QStringLiteral("veltqorv://add?url=https://example.com/a")};
        const QByteArray bytes = frame(sent);
        // Header split in two, then the rest: the receiver waits for the whole frame. Between
        // the pieces another program's message is handled, after the piece before it was read.
        const auto marker = [&](int count) {
            const auto other = send(frame({QStringLiteral("marker")}));
            QTRY_COMPARE(spy.count(), count);
            QCOMPARE(spy.last().at(0).toStringList(), QStringList{QStringLiteral("marker")});
        };
        const auto client = send(bytes.left(2));
        marker(1);
        client->write(bytes.mid(2, 7));
        client->flush();
        marker(2);
        client->write(bytes.mid(9));
        client->flush();
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).at(0).toStringList(), sent);
        QTRY_VERIFY(client->bytesAvailable() > 0 || client->state() == QLocalSocket::UnconnectedState);
        QCOMPARE(client->read(1), QByteArray(1, '\x01'));
    }

    void messages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected"); // null: dropped
        const QByteArray mixed("[1,\"a\",null,[\"b\"],\"c\"]");
        QTest::newRow("oversized") << frame(QByteArray(16, 'x'), SingleInstance::maximumMessageSize + 1)
                                   << QStringList();
        QTest::newRow("not JSON") << frame(QByteArray("not json"), 8) << QStringList();
        QTest::newRow("JSON object") << frame(QByteArray("{\"a\":1}"), 7) << QStringList();
        QTest::newRow("non-strings left out") << frame(mixed, static_cast<quint32>(mixed.size()))
                                              << QStringList{QStringLiteral("a"), QStringLiteral("c")};
    }

    void messages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        SingleInstance instance(serverName());
        QCOMPARE(instance.start({}), SingleInstance::Role::Primary);
        QSignalSpy spy(&instance, &SingleInstance::messageReceived);

        const auto client = send(bytes);
        QTRY_COMPARE(client->state(), QLocalSocket::UnconnectedState);
        QCOMPARE(spy.count(), expected.isEmpty() ? 0 : 1);
        if (!expected.isEmpty())
            QCOMPARE(spy.at(0).at(0).toStringList(), expected);

        // The instance still serves the next program.
        const auto next = send(frame({QStringLiteral("https://example.com/a")}));
        QTRY_COMPARE(spy.count(), expected.isEmpty() ? 1 : 2);
    }

    // Left by a crashed instance, or a child of one not yet in its own program: a socket that
    // accepts our message and closes it unread.
    void socketClosedUnansweredIsTakenOver()
    {
        QProcess python;
        QVERIFY(listenAndCloseUnread(python, serverName()));

        SingleInstance instance(serverName());
        QCOMPARE(instance.start({}), SingleInstance::Role::Primary);
        QSignalSpy spy(&instance, &SingleInstance::messageReceived);
        const auto client = send(frame({QStringLiteral("x")}));
        QTRY_COMPARE(spy.count(), 1);
    }

    void unusableNameFails()
    {
        SingleInstance instance(m_dir.filePath(QStringLiteral("missing/folder/instance")));
        QCOMPARE(instance.start({}), SingleInstance::Role::Failed);
        QVERIFY(!instance.errorString().isEmpty());
    }

    // Whether a value is one http(s) address is the link detector's to say.
    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");

        const QString a = QStringLiteral("https://example.com/a");
        const QString c = QStringLiteral("http://127.0.0.1:8000/c.mp4");
        QTest::newRow("url items in order, others and non-addresses left out")
            << QStringList{QStringLiteral(
                   "veltqorv://add?url=https://example.com/a&other=https://example.com/"
                   "b&url=javascript:alert(1)&url=http://127.0.0.1:8000/c.mp4")}
            << QStringList{a, c};
        QTest::newRow("scheme in capitals, encoded value with its own query")
            << QStringList{QStringLiteral("VELTQORV://x/y?url=https%3A%2F%2Fexample.com%2Fwatch%3Fv%3D1")}
            << QStringList{QStringLiteral("https://example.com/watch?v=1")};
        QTest::newRow("plain address and a scheme address")
            << QStringList{a, QStringLiteral("veltqorv://add?url=") + c} << QStringList{a, c};
        QTest::newRow("oversized scheme address")
            << QStringList{QStringLiteral("veltqorv://add?url=") + a + QString(40000, QLatin1Char('a'))}
            << QStringList();
        // Which options are refused is the command line's to say; here that nothing is taken then.
        QTest::newRow("relative folder")
            << QStringList{QStringLiteral("--folder"), QStringLiteral("."), a} << QStringList();
        QTest::newRow("unknown preset")
            << QStringList{QStringLiteral("--preset"), QStringLiteral("Nope"), a} << QStringList();
        QTest::newRow("oversized plain address")
            << QStringList{a + QString(40000, QLatin1Char('a'))} << QStringList();
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        Engine::Preferences preferences(m_dir.filePath(QStringLiteral("preferences.conf")));
        IncomingAddressHandler handler(preferences);
        QSignalSpy spy(&handler, &IncomingAddressHandler::addressAccepted);
        handler.handleArguments(arguments);
        QStringList accepted;
        for (const QList<QVariant>& emitted : spy)
            accepted.append(emitted.at(0).toUrl().toString());
        QCOMPARE(accepted, expected);
    }

    // A burst of six: five are added, the sixth waits for the user; once the burst is past,
    // addresses go straight in again.
    void burstWaitsForConfirmation()
    {
        qint64 now = 0;
        QList<QUrl> added;
        QStringList configs;
        HandoverGate gate(
            [&](const QUrl& url, const std::optional<Engine::QorvConfig>& config) {
                added << url;
                configs << (config ? config->name() : QString());
            },
            [&] { return now; });
        QSignalSpy waiting(&gate, &HandoverGate::waitingChanged);
        const auto url = [](int i) { return QUrl(QStringLiteral("https://example.com/%1").arg(i)); };
        for (int i = 0; i < 6; ++i)
            gate.offer(url(i), Engine::QorvConfig(QStringLiteral("set %1").arg(i), {}));
        QCOMPARE(added.size(), HandoverGate::BurstLimit);
        QCOMPARE(gate.waiting(), QList<QUrl>{url(5)});
        QCOMPARE(waiting.takeLast().first().toInt(), 1);

        now += HandoverGate::BurstWindowMs;
        gate.offer(url(6));
        // Behind the one already waiting, never ahead of it.
        QCOMPARE(gate.waiting(), (QList<QUrl>{url(5), url(6)}));
        gate.addWaiting();
        QCOMPARE(added.mid(5), (QList<QUrl>{url(5), url(6)}));
        // A waiting address keeps its option set; one without gets none.
        QCOMPARE(configs.mid(4), (QStringList{QStringLiteral("set 4"), QStringLiteral("set 5"), QString()}));
        QCOMPARE(waiting.takeLast().first().toInt(), 0);

        gate.offer(url(7));
        gate.discardWaiting();
        QCOMPARE(added.last(), url(7));

        for (int i = 8; i < 14; ++i)
            gate.offer(url(i));
        gate.discardWaiting();
        QVERIFY(gate.waiting().isEmpty());
        QVERIFY(!added.contains(url(13)));
    }

    // Which addresses are taken is the handler's to check; here that they reach the first one,
    // with their options, and that help and bad usage never leave the later start.
    void laterStartsOfTheProgramHandTheirArgumentsOver()
    {
        QTemporaryDir root;
        const QProcessEnvironment environment = programEnvironment(root);
        QProcess first;
        QVERIFY(startProgram(first, environment, root.filePath(QStringLiteral("runtime"))));

        const QString url = QStringLiteral("http://127.0.0.1:9/video.mp4");
        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(program(), {QStringLiteral("veltqorv://add?url=") +
                                 QString::fromLatin1(QUrl::toPercentEncoding(url))});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // What the first instance took, from its trace lines.
        QByteArray trace;
        QTRY_VERIFY_WITH_TIMEOUT((trace += first.readAllStandardError()).contains("accepted address: "),
                                 30000);
        QVERIFY2(trace.contains("accepted address: " + url.toLatin1() + '\n'), trace.constData());

        const auto run = [&environment](QProcess& process, const QStringList& arguments) {
            process.setProcessEnvironment(environment);
            process.start(program(), arguments);
            return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        };
        QProcess version;
        QVERIFY(run(version, {QStringLiteral("--version")}));
        QCOMPARE(version.exitCode(), 0);
        QVERIFY(version.readAllStandardOutput().startsWith("VeltQorv "));
        const QString refused = QStringLiteral("http://127.0.0.1:9/refused.mp4");
        QProcess misused;
        QVERIFY(run(misused, {QStringLiteral("--audio"), QStringLiteral("wav"), refused}));
        QCOMPARE(misused.exitCode(), 2);
        QVERIFY(misused.readAllStandardError().contains("--audio"));

        // The folder is relative to the later start's working folder.
        QTemporaryDir elsewhere;
        QVERIFY(QDir(elsewhere.path()).mkdir(QStringLiteral("out")));
        const QString audio = QStringLiteral("http://127.0.0.1:9/audio.mp4");
        QProcess withOptions;
        withOptions.setWorkingDirectory(elsewhere.path());
        QVERIFY(run(withOptions, {QStringLiteral("--audio"), QStringLiteral("mp3"),
                                  QStringLiteral("--folder"), QStringLiteral("out"), audio}));
        QCOMPARE(withOptions.exitCode(), 0);
        const TestSupport::SqlFile store(root.filePath(QStringLiteral("data/VeltQorv/db.store")), true);
        // The option set of the item added for `audio`, as the tool gets it.
        const auto storedOptions = [&store] {
            const QByteArray items =
                store
                    .value(QStringLiteral("SELECT c.itemDic FROM ShakeItem i JOIN QorvConfig c"
                                          " ON c.id = i.qorvConfig WHERE i.source LIKE '%audio.mp4'"))
                    .toByteArray();
            Engine::QorvConfig config;
            config.setItemDic(Engine::QorvConfig::decodeItems(items).value_or(
                QList<QPair<Engine::QorvConfigItem, bool>>()));
            return config.arguments();
        };
        QStringList options;
        QTRY_VERIFY_WITH_TIMEOUT(!(options = storedOptions()).isEmpty(), 30000);
        const QString folder = QDir(elsewhere.path()).filePath(QStringLiteral("out"));
        QVERIFY2(options.contains(QStringLiteral("-x")) &&
                     options.join(QLatin1Char(' ')).contains(QStringLiteral("--audio-format mp3")) &&
                     options.mid(options.indexOf(QStringLiteral("-P")), 2) ==
                         (QStringList{QStringLiteral("-P"), folder}),
                 qPrintable(options.join(QLatin1Char(' '))));
        QVERIFY(!(trace += first.readAllStandardError()).contains("refused.mp4"));
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }

    // A second start whose hand-over fails (here another runtime folder, with a socket that
    // closes unread) must not open the store the first one holds.
    void secondStartThatCannotHandOverLeavesTheStoreAlone()
    {
        QTemporaryDir root;
        QProcessEnvironment environment = programEnvironment(root);
        QProcess first;
        QVERIFY(startProgram(first, environment, root.filePath(QStringLiteral("runtime"))));

        const QString otherRuntime = root.filePath(QStringLiteral("runtime2"));
        QVERIFY(QDir().mkpath(otherRuntime));
        QProcess python;
        QVERIFY(listenAndCloseUnread(python, socketIn(otherRuntime)));

        const QDir data(root.filePath(QStringLiteral("data/VeltQorv")));
        const auto snapshot = [&data] {
            QByteArray bytes;
            // Not the shared-memory index, which readers touch too.
            for (const char* name : {"db.store", "db.store-wal", "db.store.lock"}) {
                QFile file(data.filePath(QString::fromLatin1(name)));
                if (file.open(QIODevice::ReadOnly))
                    bytes += name + file.readAll();
            }
            return bytes;
        };
        const QByteArray before = snapshot();
        QVERIFY(!before.isEmpty());

        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime);
        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(program(), {QStringLiteral("http://127.0.0.1:9/video.mp4")});
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += second.readAllStandardError()).contains("is using it"), 60000);
        // What remains is the dialog saying the same.
        second.kill();
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(snapshot(), before);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }

private:
    static QString program() { return QStringLiteral(VELTQORV_BINARY_DIR "/veltqorv"); }
    static QString socketIn(const QString& runtime)
    {
        return QDir(runtime).filePath(QStringLiteral("org.veltqorv.VeltQorv-%1").arg(::getuid()));
    }

    static QProcessEnvironment programEnvironment(const QTemporaryDir& root)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const std::pair<const char*, const char*> folders[] = {{"HOME", "home"},
                                                               {"XDG_CONFIG_HOME", "config"},
                                                               {"XDG_DATA_HOME", "data"},
                                                               {"XDG_CACHE_HOME", "cache"},
                                                               {"XDG_RUNTIME_DIR", "runtime"}};
        for (const auto& [variable, folder] : folders) {
            const QString path = root.filePath(QString::fromLatin1(folder));
            QDir().mkpath(path);
            environment.insert(QString::fromLatin1(variable), path);
        }
        QFile(root.filePath(QStringLiteral("runtime")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VELTQORV_TRACE_ADDRESSES"), QStringLiteral("1"));
        return environment;
    }

    // Up once its hand-over socket exists; killed on the way out, should a check fail.
    static bool startProgram(QProcess& process, const QProcessEnvironment& environment,
                             const QString& runtime)
    {
        process.setProcessEnvironment(environment);
        process.start(program(), {});
        if (!process.waitForStarted())
            return false;
        const bool up = QTest::qWaitFor(
            [&] { return QFileInfo::exists(socketIn(runtime)) || process.state() != QProcess::Running; },
            60000);
        return up && process.state() == QProcess::Running;
    }
};

QTEST_GUILESS_MAIN(TestHandOver)
#include "tst_handover.moc"
