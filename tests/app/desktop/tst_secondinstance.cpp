// Starts the real program twice: the second start hands its arguments to the first and exits.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestSecondInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QProcessEnvironment m_environment;
    QProcess m_first;

    static QString program() { return QStringLiteral(VELTQORV_BINARY_DIR "/veltqorv"); }

    QString socketPath() const
    {
        return m_root.filePath(QStringLiteral("runtime/org.veltqorv.VeltQorv-%1").arg(::getuid()));
    }

    // What the first instance took, from its trace lines.
    QStringList accepted()
    {
        m_firstOutput += QString::fromUtf8(m_first.readAllStandardError());
        QStringList urls;
        static const QRegularExpression line(QStringLiteral("^accepted address: (.*)$"),
                                             QRegularExpression::MultilineOption);
        for (auto it = line.globalMatch(m_firstOutput); it.hasNext();)
            urls.append(it.next().captured(1));
        return urls;
    }
    QString m_firstOutput;

    // Runs a second instance to its end and returns its exit status.
    int runSecond(const QStringList& arguments)
    {
        QProcess second;
        second.setProcessEnvironment(m_environment);
        second.start(program(), arguments);
        if (!second.waitForFinished(60000)) {
            second.kill();
            second.waitForFinished();
            return -1;
        }
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -2;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo(program()).isExecutable());
        QVERIFY(m_root.isValid());
        for (const char* folder : {"home", "config", "data", "cache", "runtime"})
            QVERIFY(QDir(m_root.path()).mkpath(QString::fromLatin1(folder)));
        QFile(m_root.filePath(QStringLiteral("runtime")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("HOME"), m_root.filePath(QStringLiteral("home")));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root.filePath(QStringLiteral("config")));
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), m_root.filePath(QStringLiteral("data")));
        m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_root.filePath(QStringLiteral("cache")));
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.filePath(QStringLiteral("runtime")));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_environment.insert(QStringLiteral("VELTQORV_TRACE_ADDRESSES"), QStringLiteral("1"));

        m_first.setProcessEnvironment(m_environment);
        m_first.start(program(), {});
        QVERIFY(m_first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath()) || m_first.state() != QProcess::Running,
                                 60000);
        QCOMPARE(m_first.state(), QProcess::Running);
    }

    void cleanupTestCase()
    {
        if (m_first.state() != QProcess::NotRunning) {
            m_first.terminate();
            if (!m_first.waitForFinished(10000)) {
                m_first.kill();
                m_first.waitForFinished();
            }
        }
    }

    void secondStartHandsTheAddressOver()
    {
        // Which addresses are refused is the handler's to check; one refused here, before the
        // one that is taken.
        QCOMPARE(runSecond({QStringLiteral("veltqorv://add?url=-https://example.com/a")}), 0);
        const QString url = QStringLiteral("http://127.0.0.1:9/video.mp4");
        QCOMPARE(runSecond({QStringLiteral("veltqorv://add?url=") +
                            QString::fromLatin1(QUrl::toPercentEncoding(url))}),
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(accepted().size(), 1, 30000);
        QCOMPARE(accepted(), QStringList{url});

        QCOMPARE(runSecond({QStringLiteral("https://example.com/plain")}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(accepted().size(), 2, 30000);
        QCOMPARE(accepted().last(), QStringLiteral("https://example.com/plain"));
        QCOMPARE(m_first.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestSecondInstance)
#include "tst_secondinstance.moc"
