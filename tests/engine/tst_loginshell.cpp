#include "engine/bininstaller.h"
#include "engine/enginekeys.h"
#include "engine/loginenvironment.h"
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

// The tool's environment and its lookup come from the user's login shell, so the cases share a
// home of their own whose profiles can put a folder on PATH and print noise of their own.
class TestLoginShell : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

    void writeProfiles(const QByteArray& body)
    {
        for (const char* name : {".profile", ".zprofile", ".bash_profile"}) {
            QFile file(m_home.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(body);
        }
    }

    QProcessEnvironment read()
    {
        QProcessEnvironment read;
        bool done = false;
        LoginEnvironment::instance().invalidate();
        LoginEnvironment::instance().request(this, [&](const QProcessEnvironment& e) {
            read = e;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 20000))
            qFatal("the login environment was never read");
        return read;
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("SHELL", "/bin/bash");
    }

    void init() { writeProfiles(QByteArray()); }

    void lookupOutputAcceptsOnlyAnExecutablePath()
    {
        QTemporaryDir dir;
        const QString tool = writeScript(dir.filePath(QStringLiteral("yt-dlp")), "exit 0\n");
        const QString plain = writeScript(dir.filePath(QStringLiteral("plain")), "", false);

        QCOMPARE(ToolPath::pathFromLookupOutput(QStringLiteral("Welcome!\nMonday\n  ") + tool +
                                                QStringLiteral(" \t")),
                 tool);
        for (const QString& output : {QStringLiteral("bin/yt-dlp"), plain, QString()})
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

    // What a profile exports reaches us, whatever it prints first and whatever the values hold.
    void readsWhatTheProfileExports()
    {
        writeProfiles("echo 'chatty profile A=B'; printf 'no newline'\n"
                      "export VELTQORV_FROM_PROFILE=$'two\\nlines = and more'\n");
        const QProcessEnvironment environment = read();
        QCOMPARE(environment.value(QStringLiteral("VELTQORV_FROM_PROFILE")),
                 QStringLiteral("two\nlines = and more"));
        QVERIFY(!environment.contains(QStringLiteral("chatty profile A")));
        QVERIFY(LoginEnvironment::instance().isKnown());
    }

    // A shell that fails leaves the tools our own environment.
    void fallsBackToOurs()
    {
        qputenv("SHELL", "/bin/false");
        qputenv("VELTQORV_OURS", "1");
        const QProcessEnvironment environment = read();
        qputenv("SHELL", "/bin/bash");
        QCOMPARE(environment.value(QStringLiteral("VELTQORV_OURS")), QStringLiteral("1"));
    }

    void parse()
    {
        const QByteArray marker = "m-1";
        QCOMPARE(LoginEnvironment::parse("text\nA=1\0", marker), std::nullopt);
        const auto parsed = LoginEnvironment::parse(QByteArray("m-0\nm-1\nA=x=y\0B=\0=bad\0", 19), marker);
        QVERIFY(parsed);
        QCOMPARE(parsed->keys(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(parsed->value(QStringLiteral("A")), QStringLiteral("x=y"));
    }
};

QTEST_GUILESS_MAIN(TestLoginShell)
#include "tst_loginshell.moc"
