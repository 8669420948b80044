#include "engine/childprocess.h"
#include "engine/commandrunner.h"
#include "engine/executablesearch.h"
#include "engine/shellcommand.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <memory>
#include <vector>

using namespace Engine;

namespace {

struct Run
{
    QStringList lines;
    ProcessResult result;
};

// Runs the command to its end, keeping every line the handler saw.
Run runToEnd(const ShellCommand& command, qsizetype retainedLimit = -1)
{
    Run run;
    CommandRunner runner;
    runner.setRetainedLimit(retainedLimit);
    QObject::connect(&runner, &CommandRunner::outputLine, [&](const QString& line) { run.lines << line; });
    QSignalSpy finished(&runner, &CommandRunner::finished);
    runner.start(command);
    if (finished.isEmpty() && !finished.wait(30000))
        qFatal("command did not finish");
    run.result = finished.first().first().value<ProcessResult>();
    return run;
}

ShellCommand bash(const QString& raw)
{
    return ShellCommand(raw, Shell::bash());
}

bool groupIsGone(qint64 groupId)
{
    return ::kill(-static_cast<pid_t>(groupId), 0) != 0 && errno == ESRCH;
}

} // namespace

class TestCommandRunner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each line of standard output reaches the handler; a success carries them joined, a failure
    // standard error only.
    void outcome_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<ProcessResult>("result");
        QTest::newRow("nothing") << QStringLiteral("true") << QStringList{}
                                 << ProcessResult::output(QString());
        QTest::newRow("crlf, empty lines, last line unterminated")
            << QStringLiteral("printf 'a\\r\\n\\nb'")
            << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}
            << ProcessResult::output(QStringLiteral("a\n\nb"));
        QTest::newRow("invalid utf-8 replaced")
            << QStringLiteral("printf 'a\\377b\\n'") << QStringList{QStringLiteral("a\uFFFDb")}
            << ProcessResult::output(QStringLiteral("a\uFFFDb"));
        QTest::newRow("failure") << QStringLiteral(
                                        "echo out1; echo err1 >&2; echo out2; echo err2 >&2; exit 3")
                                 << QStringList{QStringLiteral("out1"), QStringLiteral("out2")}
                                 << ProcessResult::error(QStringLiteral("err1\nerr2"), 3);
        QTest::newRow("silent failure")
            << QStringLiteral("exit 1") << QStringList{} << ProcessResult::error(QString(), 1);
    }

    void outcome()
    {
        QFETCH(QString, raw);
        QFETCH(QStringList, lines);
        QFETCH(ProcessResult, result);
        const Run run = runToEnd(bash(raw));
        QCOMPARE(run.lines, lines);
        QCOMPARE(run.result, result);
    }

    // Standard error well beyond a pipe's buffer: read while the child runs, or it would block.
    void retainedLimitKeepsTheNewestText()
    {
        const Run out = runToEnd(bash(QStringLiteral("seq 1 100000")), 1000);
        QCOMPARE(out.lines.size(), 100000);
        QVERIFY(out.result.text().size() <= 1000);
        QVERIFY(out.result.text().endsWith(QStringLiteral("99999\n100000")));

        const Run err =
            runToEnd(bash(QStringLiteral("seq 1 100000 >&2; echo 'ERROR: last words' >&2; exit 1")), 1000);
        QVERIFY(err.result.text().size() <= 1000);
        QVERIFY(err.result.text().endsWith(QStringLiteral("100000\nERROR: last words")));
        QVERIFY(!err.result.text().startsWith(QLatin1Char('\n')));
    }

    // A tool writing a file to standard output: the line is cut and marked, what follows it is read.
    void longLinesAreCut()
    {
        CommandRunner runner;
        runner.setKeepsOutput(false);
        QStringList lines;
        QObject::connect(&runner, &CommandRunner::outputLine, [&](const QString& line) { lines << line; });
        QSignalSpy finished(&runner, &CommandRunner::finished);
        runner.start(bash(QStringLiteral("head -c 3000000 /dev/zero | tr '\\0' x; echo; echo next")));
        QVERIFY(finished.wait(30000));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString(ChildProcess::MaxLineBytes, QLatin1Char('x')) +
                               QString::fromLatin1(ChildProcess::cutMark()));
        QCOMPARE(lines[1], QStringLiteral("next"));
        // Kept by nobody but the handler.
        QCOMPARE(finished.first().first().value<ProcessResult>(), ProcessResult::output(QString()));
    }

    // No shell in between: arguments and environment reach the program as given, and it runs
    // at the niceness asked for.
    void startsAProgramDirectly()
    {
        CommandRunner runner;
        runner.setNiceness(10);
        QSignalSpy finished(&runner, &CommandRunner::finished);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("GREETING"), QStringLiteral("it's $(x)"));
        runner.start(QStringLiteral("/bin/sh"),
                     {QStringLiteral("-c"), QStringLiteral("printf '%s|%s|' \"$GREETING\" \"$0\"; nice"),
                      QStringLiteral("a'b $HOME")},
                     environment);
        QVERIFY(finished.wait(30000));
        const int nice = std::min(19, ::getpriority(PRIO_PROCESS, 0) + 10);
        QCOMPARE(finished.first().first().value<ProcessResult>(),
                 ProcessResult::output(QStringLiteral("it's $(x)|a'b $HOME|%1").arg(nice)));
    }

    // No such shell, an argument beyond what the kernel takes, a NUL: refused, not a crash.
    void launchFailuresAreResults()
    {
        for (const ShellCommand& command :
             {ShellCommand(QStringLiteral("true"), Shell(QStringLiteral("no-such-shell-42"))),
              ShellCommand::interpolated(QStringLiteral("echo %1"), {QString(300000, QLatin1Char('x'))}),
              ShellCommand::interpolated(QStringLiteral("echo %1"), {QStringLiteral("a") + QChar(0)})})
            QCOMPARE(runToEnd(command).result.kind(), ProcessResult::Kind::LaunchFailure);
    }

    // Stopping reaches the shell's children too: a group that ignores SIGTERM is killed after the
    // grace period, and a child that outlives its leader is found and killed: nothing survives.
    void terminateEndsTheWholeGroup_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("group ignores TERM")
            << QStringLiteral("trap '' TERM; sleep 300 & echo started; while :; do sleep 1; done");
        QTest::newRow("child outlives its leader")
            << QStringLiteral("(trap '' TERM; sleep 300) & echo started; sleep 300");
    }

    void terminateEndsTheWholeGroup()
    {
        QFETCH(QString, script);
        CommandRunner runner;
        QSignalSpy lines(&runner, &CommandRunner::outputLine);
        QSignalSpy finished(&runner, &CommandRunner::finished);
        runner.start(bash(script));
        QVERIFY(lines.wait(10000));
        const qint64 group = runner.processId();
        runner.terminate();
        QVERIFY(finished.wait(15000));
        QCOMPARE(finished.first().first().value<ProcessResult>().kind(), ProcessResult::Kind::Error);
        QTRY_VERIFY_WITH_TIMEOUT(groupIsGone(group), 5000);
    }

    void destroyingTheRunnerKillsTheChild()
    {
        qint64 group = 0;
        {
            CommandRunner runner;
            QSignalSpy lines(&runner, &CommandRunner::outputLine);
            runner.start(bash(QStringLiteral("sleep 300 & echo started; wait")));
            QVERIFY(lines.wait(10000));
            group = runner.processId();
        }
        QTRY_VERIFY_WITH_TIMEOUT(groupIsGone(group), 5000);
    }

    // Quitting ends every child at once; runners destroyed afterwards do not wait for the stopped
    // thread, and a later start brings it back.
    void stoppingTheThreadEndsEveryChild()
    {
        std::vector<std::unique_ptr<CommandRunner>> runners;
        QList<qint64> groups;
        for (int i = 0; i < 3; ++i) {
            runners.push_back(std::make_unique<CommandRunner>());
            QSignalSpy lines(runners.back().get(), &CommandRunner::outputLine);
            runners.back()->start(bash(QStringLiteral("trap '' TERM; sleep 300 & echo started; wait")));
            QVERIFY(lines.wait(10000));
            groups << runners.back()->processId();
        }
        ChildProcess::stopIoThread();
        for (const qint64 group : std::as_const(groups))
            QTRY_VERIFY_WITH_TIMEOUT(groupIsGone(group), 5000);
        runners.clear();
        QCOMPARE(runToEnd(bash(QStringLiteral("echo again"))).result,
                 ProcessResult::output(QStringLiteral("again")));
    }

    // Empty PATH entries are skipped; without PATH only /bin and /sbin are searched.
    void searchPath()
    {
        QTemporaryDir dir;
        QFile tool(dir.filePath(QStringLiteral("my-tool")));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner);
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), QStringLiteral("::") + dir.path() + QStringLiteral(":"));
        QCOMPARE(findExecutable(QStringLiteral("my-tool"), env), tool.fileName());

        const QProcessEnvironment none;
        QCOMPARE(findExecutable(QStringLiteral("sh"), none), QStringLiteral("/bin/sh"));
        QVERIFY(!findExecutable(QStringLiteral("my-tool"), none));
    }
};

QTEST_GUILESS_MAIN(TestCommandRunner)
#include "tst_commandrunner.moc"
