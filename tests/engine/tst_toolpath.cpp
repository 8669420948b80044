#include "engine/bininstaller.h"
#include "engine/enginekeys.h"
#include "engine/preferences.h"
#include "engine/toolpath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Engine;

namespace {

QString writeScript(const QString& path, const QByteArray& body, bool executable = true)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write("#!/bin/sh\n" + body);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

} // namespace

// Lookups run through the user's login shell, so each case gets a home of its own whose
// profiles can put a folder on PATH and print noise of their own.
class TestToolPath : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QByteArray m_oldHome;

    void writeProfiles(const QByteArray& body)
    {
        for (const char* name : {".profile", ".zprofile", ".bash_profile"}) {
            QFile file(m_home.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(body);
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_home.path().toUtf8());
    }

    void cleanupTestCase() { qputenv("HOME", m_oldHome); }

    void init() { writeProfiles(QByteArray()); }

    void lookupOutputAcceptsOnlyAnExecutablePath()
    {
        QTemporaryDir dir;
        const QString tool = writeScript(dir.filePath(QStringLiteral("yt-dlp")), "exit 0\n");
        const QString plain = writeScript(dir.filePath(QStringLiteral("plain")), "", false);

        QCOMPARE(ToolPath::pathFromLookupOutput(QStringLiteral("Welcome!\nMonday\n  ") + tool +
                                                QStringLiteral(" \t")),
                 tool);
        for (const QString& output : {QStringLiteral("yt-dlp: aliased to python3 -m yt_dlp"),
                                      QStringLiteral("bin/yt-dlp"), plain, dir.path(), QString()})
            QVERIFY2(!ToolPath::pathFromLookupOutput(output), qPrintable(output));
    }

    void missingMeansNotAnExecutableFile()
    {
        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        QVERIFY(ToolPath::isBinMissing(prefs));

        const auto store = [&](const QString& path) {
            prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>(path));
        };
        store(writeScript(dir.filePath(QStringLiteral("not-executable")), "", false));
        QVERIFY(ToolPath::isBinMissing(prefs));
        store(dir.path());
        QVERIFY(ToolPath::isBinMissing(prefs));
        const QString tool = writeScript(dir.filePath(QStringLiteral("yt-dlp")), "exit 0\n");
        store(QStringLiteral(" ") + tool + QStringLiteral("\n"));
        QVERIFY(!ToolPath::isBinMissing(prefs));
    }

    void discoveryReplacesOnlyMissingOrStalePaths()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("bin"));
        const QString found = writeScript(dir.filePath(QStringLiteral("bin/yt-dlp")), "exit 0\n");
        // The profile's own chatter is no path.
        writeProfiles("echo 'Have a nice day'\nPATH='" + dir.filePath(QStringLiteral("bin")).toUtf8() +
                      "':$PATH\nexport PATH\n");
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        const auto discover = [&] {
            bool done = false;
            QObject context;
            ToolPath::discover(prefs, &context, [&] { done = true; });
            QVERIFY(QTest::qWaitFor([&] { return done; }, 30000));
        };

        prefs.setValue(Engine::Keys::downloaderBin,
                       std::optional<QString>(dir.filePath(QStringLiteral("gone"))));
        discover();
        QCOMPARE(prefs.value(Engine::Keys::downloaderBin), found);

        const QString chosen = writeScript(dir.filePath(QStringLiteral("chosen")), "exit 0\n");
        prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>(chosen));
        discover();
        QCOMPARE(prefs.value(Engine::Keys::downloaderBin), chosen);

        // Stale and nothing to find: the stale path stays for the views to report.
        writeProfiles("PATH=/nonexistent\nexport PATH\n");
        const QString stale = dir.filePath(QStringLiteral("gone"));
        prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>(stale));
        discover();
        QCOMPARE(prefs.value(Engine::Keys::downloaderBin), stale);
    }

    void versionOfAToolInAFolderWithSpaces()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("my tools/it's here"));
        const QString tool = writeScript(dir.filePath(QStringLiteral("my tools/it's here/yt-dlp")),
                                         "[ \"$1\" = --version ] && echo 2023.03.04 && exit 0\nexit 2\n");
        Preferences prefs(dir.filePath(QStringLiteral("p.conf")));
        prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>(tool + QStringLiteral("  ")));

        const auto version = [&] {
            std::optional<std::optional<QString>> answer;
            QObject context;
            BinInstaller::version(prefs, &context, [&](const std::optional<QString>& v) { answer = v; });
            if (!QTest::qWaitFor([&] { return answer.has_value(); }, 30000))
                qFatal("version did not answer");
            return *answer;
        };
        QCOMPARE(version(), QStringLiteral("2023.03.04"));

        writeScript(tool, "exit 1\n");
        QCOMPARE(version(), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestToolPath)
#include "tst_toolpath.moc"
