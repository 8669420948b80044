#include "app/tool/toolinstaller.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "support/localhttpserver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using App::ToolInstaller;
using Engine::Keys::downloaderBin;

namespace {

// A tool that answers --version like the real one.
const QByteArray fakeTool = "#!/bin/sh\necho 2099.01.01\n";

QByteArray sha256(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestToolInstaller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksumFor_data()
    {
        QTest::addColumn<QByteArray>("sums");
        QTest::addColumn<QString>("asset");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray a(64, 'a');
        const QByteArray b(64, 'b');
        QTest::newRow("among others, exact name only")
            << QByteArray(b + "  yt-dlp_linux_aarch64\n" + a + "  yt-dlp_linux\n")
            << QStringLiteral("yt-dlp_linux") << a;
        QTest::newRow("binary mode, upper-case hex, CRLF lines")
            << QByteArray(b + "  x\r\n" + a.toUpper() + " *yt-dlp\r\n") << QStringLiteral("yt-dlp") << a;
        QTest::newRow("prefix of another name")
            << QByteArray(a + "  yt-dlp_linux\n") << QStringLiteral("yt-dlp") << QByteArray();
        QTest::newRow("not hex") << QByteArray(QByteArray(64, 'z') + "  yt-dlp\n") << QStringLiteral("yt-dlp")
                                 << QByteArray();
    }

    void checksumFor()
    {
        QFETCH(QByteArray, sums);
        QFETCH(QString, asset);
        QFETCH(QByteArray, expected);
        const std::optional<QByteArray> found = ToolInstaller::checksumFor(sums, asset);
        QCOMPARE(found.value_or(QByteArray()), expected);
    }

    void install_data()
    {
        QTest::addColumn<QByteArray>("sums"); // empty: no checksum file
        QTest::addColumn<bool>("serveAsset");
        QTest::addColumn<QString>("expectError"); // empty: installed

        const QByteArray asset = ToolInstaller::assetName().toUtf8();
        const QByteArray other = QByteArray(64, 'c') + "  yt-dlp_macos\n";
        const QByteArray good = other + sha256(fakeTool) + "  " + asset + "\n";
        QTest::newRow("success") << good << true << QString();
        QTest::newRow("checksum mismatch") << QByteArray(sha256("something else") + "  " + asset + "\n")
                                           << true << QStringLiteral("Checksum mismatch");
        QTest::newRow("no sum for the asset") << other << true << QStringLiteral("lists no SHA-256 sum");
        QTest::newRow("no checksum file")
            << QByteArray() << true << QStringLiteral("Could not download the release's checksums");
        QTest::newRow("asset missing (HTTP 404)") << good << false << QStringLiteral("HTTP 404");
    }

    void install()
    {
        QFETCH(QByteArray, sums);
        QFETCH(bool, serveAsset);
        QFETCH(QString, expectError);
        const bool expectOk = expectError.isEmpty();

        QTemporaryDir release;
        QTemporaryDir home;
        QVERIFY(release.isValid() && home.isValid());
        if (serveAsset)
            QVERIFY(writeFile(release.filePath(ToolInstaller::assetName()), fakeTool));
        if (!sums.isEmpty())
            QVERIFY(writeFile(release.filePath(ToolInstaller::checksumFileName()), sums));

        TestSupport::LocalHttpServer server(release.path());
        QVERIFY2(server.start(), qPrintable(server.errorString()));

        // A stale stored path, as left by a tool that was removed.
        Engine::Preferences preferences(home.filePath(QStringLiteral("prefs.conf")));
        const QString stale = home.filePath(QStringLiteral("gone/yt-dlp"));
        preferences.setValue(downloaderBin, std::optional<QString>(stale));

        // An earlier install that a failed one must leave as it was.
        const QString destination = home.filePath(QStringLiteral("local bin/yt-dlp"));
        QVERIFY(QDir().mkpath(QFileInfo(destination).absolutePath()));
        const QByteArray previous = "#!/bin/sh\necho old\n";
        QVERIFY(writeFile(destination, previous));

        ToolInstaller installer(preferences);
        installer.setReleaseUrl(QUrl(server.url(QString())));
        installer.setDestination(destination);
        QSignalSpy finished(&installer, &ToolInstaller::finished);
        QSignalSpy installing(&installer, &ToolInstaller::installingChanged);

        installer.install();
        // A second click while busy starts nothing.
        installer.install();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QCOMPARE(finished.at(0).at(0).toBool(), expectOk);
        QVERIFY(!installer.isInstalling());
        QCOMPARE(installing.size(), 2);

        const QStringList left =
            QDir(QFileInfo(destination).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QStringList{QStringLiteral("yt-dlp")});
        if (expectOk) {
            QVERIFY(installer.errorMessage().isEmpty());
            QCOMPARE(readFile(destination), fakeTool);
            QVERIFY(QFileInfo(destination).isExecutable());
            QCOMPARE(preferences.value(downloaderBin),
                     std::optional<QString>(QFileInfo(destination).absoluteFilePath()));
            QVERIFY(!installer.isBinMissing());
            QTRY_COMPARE_WITH_TIMEOUT(installer.version().value_or(QString()), QStringLiteral("2099.01.01"),
                                      20000);
        } else {
            QVERIFY2(installer.errorMessage().contains(expectError), qPrintable(installer.errorMessage()));
            QCOMPARE(readFile(destination), previous);
            QCOMPARE(preferences.value(downloaderBin), std::optional<QString>(stale));
        }
    }

    void chooseStoresThePlainPath()
    {
        QTemporaryDir dir;
        Engine::Preferences preferences(dir.filePath(QStringLiteral("prefs.conf")));
        ToolInstaller installer(preferences);

        const QString tool = dir.filePath(QStringLiteral("my tools/yt-dlp"));
        QVERIFY(QDir().mkpath(QFileInfo(tool).absolutePath()));
        QVERIFY(writeFile(tool, fakeTool));
        QVERIFY(!installer.choose(tool));
        QCOMPARE(preferences.value(downloaderBin), std::optional<QString>());

        QVERIFY(QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(installer.choose(tool));
        // Spaces stay spaces.
        QCOMPARE(preferences.value(downloaderBin), std::optional<QString>(tool));
        QTRY_COMPARE_WITH_TIMEOUT(installer.version().value_or(QString()), QStringLiteral("2099.01.01"),
                                  20000);

        QVERIFY(!installer.choose(dir.filePath(QStringLiteral("my tools"))));
        QCOMPARE(preferences.value(downloaderBin), std::optional<QString>(tool));
    }
};

QTEST_GUILESS_MAIN(TestToolInstaller)
#include "tst_toolinstaller.moc"
