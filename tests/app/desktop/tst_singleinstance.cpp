#include "app/desktop/singleinstance.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <unistd.h>

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

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString serverName() const { return m_dir.filePath(QStringLiteral("instance")); }

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

        const QStringList sent{QStringLiteral("veltqorv://add?url=https://example.com/a"),
                               QStringLiteral("ünïcode ✓"), QString()};
        const QByteArray bytes = frame(sent);
        QLocalSocket client;
        client.connectToServer(serverName());
        QVERIFY(client.waitForConnected(5000));
        // Header split in two, then the rest: the receiver waits for the whole frame. Between
        // the pieces another program's message is handled, after the piece before it was read.
        const auto marker = [&](int count) {
            QLocalSocket other;
            other.connectToServer(serverName());
            QVERIFY(other.waitForConnected(5000));
            other.write(frame({QStringLiteral("marker")}));
            QTRY_COMPARE(spy.count(), count);
            QCOMPARE(spy.last().at(0).toStringList(), QStringList{QStringLiteral("marker")});
        };
        client.write(bytes.left(2));
        client.flush();
        marker(1);
        client.write(bytes.mid(2, 7));
        client.flush();
        marker(2);
        client.write(bytes.mid(9));
        client.flush();
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2).at(0).toStringList(), sent);
        QTRY_VERIFY(client.bytesAvailable() > 0 || client.state() == QLocalSocket::UnconnectedState);
        QCOMPARE(client.read(1), QByteArray(1, '\x01'));
    }

    void badMessagesAreDropped_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("oversized") << frame(QByteArray(16, 'x'), SingleInstance::maximumMessageSize + 1);
        QTest::newRow("not JSON") << frame(QByteArray("not json"), 8);
        QTest::newRow("JSON object") << frame(QByteArray("{\"a\":1}"), 7);
    }

    void badMessagesAreDropped()
    {
        QFETCH(QByteArray, bytes);
        SingleInstance instance(serverName());
        QCOMPARE(instance.start({}), SingleInstance::Role::Primary);
        QSignalSpy spy(&instance, &SingleInstance::messageReceived);

        QLocalSocket client;
        client.connectToServer(serverName());
        QVERIFY(client.waitForConnected(5000));
        client.write(bytes);
        client.flush();
        QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(spy.count(), 0);

        // The instance still serves the next program.
        QLocalSocket next;
        next.connectToServer(serverName());
        QVERIFY(next.waitForConnected(5000));
        next.write(frame({QStringLiteral("https://example.com/a")}));
        QTRY_COMPARE(spy.count(), 1);
    }

    void nonStringArgumentsAreLeftOut()
    {
        SingleInstance instance(serverName());
        QCOMPARE(instance.start({}), SingleInstance::Role::Primary);
        QSignalSpy spy(&instance, &SingleInstance::messageReceived);
        QLocalSocket client;
        client.connectToServer(serverName());
        QVERIFY(client.waitForConnected(5000));
        const QByteArray body("[1,\"a\",null,[\"b\"],\"c\"]");
        client.write(frame(body, static_cast<quint32>(body.size())));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toStringList(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    }

    // Left by a crashed instance: a bound socket file with nobody listening, or a listener that goes
    // away with our message unread (a dying instance, or a child of one not yet in its program).
    void socketLeftByADeadProcessIsTakenOver_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::newRow("nobody listening") << QStringLiteral("s.bind(sys.argv[1])");
        QTest::newRow("closed unanswered") << QStringLiteral(
            "s.bind(sys.argv[1]); s.listen(); print('ready', flush=True); s.accept()[0].close()");
    }

    void socketLeftByADeadProcessIsTakenOver()
    {
        QFETCH(QString, holder);
        QProcess python;
        python.start(QStringLiteral("python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import socket,sys; s=socket.socket(socket.AF_UNIX); ") + holder,
                      serverName()});
        QVERIFY(python.waitForStarted());
        QTRY_VERIFY(QFileInfo::exists(serverName()) &&
                    (python.state() == QProcess::NotRunning || python.canReadLine()));

        SingleInstance instance(serverName());
        QCOMPARE(instance.start({}), SingleInstance::Role::Primary);
        QSignalSpy spy(&instance, &SingleInstance::messageReceived);
        QLocalSocket client;
        client.connectToServer(serverName());
        QVERIFY(client.waitForConnected(5000));
        client.write(frame({QStringLiteral("x")}));
        QTRY_COMPARE(spy.count(), 1);
    }

    void unusableNameFails()
    {
        SingleInstance instance(m_dir.filePath(QStringLiteral("missing/folder/instance")));
        QCOMPARE(instance.start({}), SingleInstance::Role::Failed);
        QVERIFY(!instance.errorString().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
