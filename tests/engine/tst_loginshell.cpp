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
    QTemporaryDir m_work;
    Preferences m_prefs{m_work.filePath(QStringLiteral("p.conf"))};

    void store(const QString& path)
    {
        m_prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>(path));
    }

    std::optional<QString> stored() const { return m_prefs.value(Engine::Keys::downloaderBin); }

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

    void init()
    {
        writeProfiles(QByteArray());
        m_prefs.setValue(Engine::Keys::downloaderBin, std::optional<QString>());
    }

    // The lookup's answer and a stored path count only when they name an executable file.
    void executablePathsOnly()
    {
        const QString tool = writeScript(m_work.filePath(QStringLiteral("yt-dlp")), "exit 0\n");
        const QString plain = writeScript(m_work.filePath(QStringLiteral("plain")), "", false);
        QCOMPARE(ToolPath::pathFromLookupOutput(QStringLiteral("Welcome!\nMonday\n  ") + tool +
                                                QStringLiteral(" \t")),
                 tool);
        for (const QString& output : {QStringLiteral("bin/yt-dlp"), plain, QString()})
            QVERIFY2(!ToolPath::pathFromLookupOutput(output), qPrintable(output));

        QVERIFY(ToolPath::isBinMissing(m_prefs));
        for (const QString& path : {plain, m_work.path()}) {
            store(path);
            QVERIFY2(ToolPath::isBinMissing(m_prefs), qPrintable(path));
        }
        store(QStringLiteral(" ") + tool + QStringLiteral("\n"));
        QVERIFY(!ToolPath::isBinMissing(m_prefs));
    }

    void discoveryReplacesOnlyMissingOrStalePaths()
    {
        QDir(m_work.path()).mkdir(QStringLiteral("bin"));
        const QString found = writeScript(m_work.filePath(QStringLiteral("bin/yt-dlp")), "exit 0\n");
        // The profile's own chatter is no path.
        writeProfiles("echo 'Have a nice day'\nPATH='" + m_work.filePath(QStringLiteral("bin")).toUtf8() +
                      "':$PATH\nexport PATH\n");
        const auto discover = [&](const QString& path) {
            store(path);
            bool done = false;
            QObject context;
            ToolPath::discover(m_prefs, &context, [&] { done = true; });
            QVERIFY(QTest::qWaitFor([&] { return done; }, 30000));
        };
        const QString stale = m_work.filePath(QStringLiteral("gone"));
        discover(stale);
        QCOMPARE(stored(), found);

        const QString chosen = writeScript(m_work.filePath(QStringLiteral("chosen")), "exit 0\n");
        discover(chosen);
        QCOMPARE(stored(), chosen);

        // Stale and nothing to find: the stale path stays for the views to report.
        writeProfiles("PATH=/nonexistent\nexport PATH\n");
        discover(stale);
        QCOMPARE(stored(), stale);
    }

    void versionOfAToolInAFolderWithSpaces()
    {
        QDir(m_work.path()).mkpath(QStringLiteral("my tools/it's here"));
        const QString tool = writeScript(m_work.filePath(QStringLiteral("my tools/it's here/yt-dlp")),
                                         "[ \"$1\" = --version ] && echo 2023.03.04 && exit 0\nexit 2\n");
        store(tool + QStringLiteral("  "));
        const auto version = [&] {
            std::optional<std::optional<QString>> answer;
            QObject context;
            BinInstaller::version(m_prefs, &context, [&](const std::optional<QString>& v) { answer = v; });
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
