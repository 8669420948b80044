#include "app/desktop/autostartentry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using App::AutostartEntry;

class TestAutostartEntry : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

    static QString read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCOMPARE(AutostartEntry::filePath(),
                 m_config.filePath(QStringLiteral("autostart/org.veltqorv.VeltQorv.desktop")));
    }

    void init()
    {
        QDir(m_config.filePath(QStringLiteral("autostart"))).removeRecursively();
        QFile::remove(m_config.filePath(QStringLiteral("autostart")));
    }

    void toggleCreatesAndRemovesTheEntry()
    {
        QVERIFY(!AutostartEntry::isEnabled());
        QCOMPARE(AutostartEntry::setEnabled(true, QStringLiteral("/usr/bin/veltqorv")), std::nullopt);
        QVERIFY(QFileInfo::exists(AutostartEntry::filePath()));
        QVERIFY(AutostartEntry::isEnabled());
        const QString text = read(AutostartEntry::filePath());
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(text.contains(QStringLiteral("\nExec=/usr/bin/veltqorv\n")));
        QVERIFY(text.contains(QStringLiteral("\nType=Application\n")));

        // Writing again over an existing entry is fine; by default it starts this program.
        QCOMPARE(AutostartEntry::setEnabled(true), std::nullopt);
        QVERIFY(read(AutostartEntry::filePath())
                    .contains(QStringLiteral("Exec=") + QCoreApplication::applicationFilePath()));
        QCOMPARE(AutostartEntry::setEnabled(false), std::nullopt);
        QVERIFY(!QFileInfo::exists(AutostartEntry::filePath()));
        QVERIFY(!AutostartEntry::isEnabled());
        // Removing what is not there is no error.
        QCOMPARE(AutostartEntry::setEnabled(false), std::nullopt);
    }

    void stateIsReadFromTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("plain") << QStringLiteral("[Desktop Entry]\nType=Application\nExec=veltqorv\n")
                               << true;
        QTest::newRow("hidden") << QStringLiteral("[Desktop Entry]\nExec=veltqorv\nHidden=true\n") << false;
        QTest::newRow("hidden false")
            << QStringLiteral("[Desktop Entry]\nExec=veltqorv\nHidden=false\n") << true;
        QTest::newRow("disabled by the session settings")
            << QStringLiteral("[Desktop Entry]\nExec=veltqorv\nX-GNOME-Autostart-enabled=false\n") << false;
        QTest::newRow("key of another group")
            << QStringLiteral("[Desktop Entry]\nExec=veltqorv\n[Desktop Action x]\nHidden=true\n") << true;
        QTest::newRow("empty file") << QString() << true;
    }

    void stateIsReadFromTheFile()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        write(AutostartEntry::filePath(), text);
        QCOMPARE(AutostartEntry::isEnabled(), enabled);
    }

    void unwritableFolderIsReported()
    {
        // A file where the folder should be.
        write(m_config.filePath(QStringLiteral("autostart")), QStringLiteral("x"));
        const std::optional<QString> error =
            AutostartEntry::setEnabled(true, QStringLiteral("/usr/bin/veltqorv"));
        QVERIFY(error.has_value());
        QVERIFY(!error->isEmpty());
        QVERIFY(!AutostartEntry::isEnabled());
    }

    void execIsQuoted_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << QStringLiteral("/usr/bin/veltqorv") << QStringLiteral("/usr/bin/veltqorv");
        QTest::newRow("space") << QStringLiteral("/opt/my apps/veltqorv")
                               << QStringLiteral("\"/opt/my apps/veltqorv\"");
        QTest::newRow("dollar") << QStringLiteral("/opt/a$b/veltqorv")
                                << QStringLiteral("\"/opt/a\\\\$b/veltqorv\"");
        QTest::newRow("quote") << QStringLiteral("/opt/a\"b/veltqorv")
                               << QStringLiteral("\"/opt/a\\\\\"b/veltqorv\"");
        QTest::newRow("backslash") << QStringLiteral("/opt/a\\b/veltqorv")
                                   << QStringLiteral("\"/opt/a\\\\\\\\b/veltqorv\"");
        QTest::newRow("percent, a field code otherwise")
            << QStringLiteral("/opt/100%u/veltqorv") << QStringLiteral("/opt/100%%u/veltqorv");
    }

    void execIsQuoted()
    {
        QFETCH(QString, executable);
        QFETCH(QString, exec);
        QVERIFY2(AutostartEntry::contents(executable)
                     .contains(QStringLiteral("\nExec=") + exec + QLatin1Char('\n')),
                 qPrintable(AutostartEntry::contents(executable)));
    }

    void lineBreakInThePathIsRefused()
    {
        QVERIFY(AutostartEntry::setEnabled(true, QStringLiteral("/tmp/x\nHidden=true")).has_value());
        QVERIFY(!QFileInfo::exists(AutostartEntry::filePath()));
    }
};

QTEST_GUILESS_MAIN(TestAutostartEntry)
#include "tst_autostartentry.moc"
