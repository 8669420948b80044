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
        QVERIFY(AutostartEntry::isEnabled());
        QVERIFY(read(AutostartEntry::filePath()).contains(QStringLiteral("\nExec=/usr/bin/veltqorv\n")));

        // Writing again over an existing entry is fine; by default it starts this program.
        QCOMPARE(AutostartEntry::setEnabled(true), std::nullopt);
        QVERIFY(read(AutostartEntry::filePath())
                    .contains(QStringLiteral("Exec=") + QCoreApplication::applicationFilePath()));
        QCOMPARE(AutostartEntry::setEnabled(false), std::nullopt);
        QVERIFY(!QFileInfo::exists(AutostartEntry::filePath()));
        // Removing what is not there is no error.
        QCOMPARE(AutostartEntry::setEnabled(false), std::nullopt);
    }

    void stateIsReadFromTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("hidden") << QStringLiteral("[Desktop Entry]\nExec=veltqorv\nHidden=true\n") << false;
        QTest::newRow("disabled by the session settings")
            << QStringLiteral("[Desktop Entry]\nExec=veltqorv\nX-GNOME-Autostart-enabled=false\n") << false;
        QTest::newRow("hidden only in another group")
            << QStringLiteral("[Desktop Action x]\nHidden=true\n[Desktop Entry]\nHidden=false\n") << true;
    }

    void stateIsReadFromTheFile()
    {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        write(AutostartEntry::filePath(), text);
        QCOMPARE(AutostartEntry::isEnabled(), enabled);
    }

    void unwritableEntryIsRefused()
    {
        QVERIFY(AutostartEntry::setEnabled(true, QStringLiteral("/tmp/x\nHidden=true")).has_value());
        QVERIFY(!QFileInfo::exists(AutostartEntry::filePath()));
        // A file where the folder should be.
        write(m_config.filePath(QStringLiteral("autostart")), QStringLiteral("x"));
        const std::optional<QString> error =
            AutostartEntry::setEnabled(true, QStringLiteral("/usr/bin/veltqorv"));
        QVERIFY(error.has_value() && !error->isEmpty());
        QVERIFY(!AutostartEntry::isEnabled());
    }

    void execIsQuoted_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("exec");
        // Inside quotes \, ", $ and ` are escaped, and the whole value is unescaped once more.
        QTest::newRow("reserved characters")
            << QStringLiteral("/opt/my apps/a$b\"c\\d`e/veltqorv")
            << QStringLiteral("\"/opt/my apps/a\\\\$b\\\\\"c\\\\\\\\d\\\\`e/veltqorv\"");
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
};

QTEST_GUILESS_MAIN(TestAutostartEntry)
#include "tst_autostartentry.moc"
