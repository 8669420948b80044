#include "engine/commandrunner.h"
#include "engine/orphansweeper.h"
#include "support/processprobe.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <memory>

using Engine::OrphanSweeper;
using TestSupport::ProcessProbe;

// Processes carrying marks of every kind next to each other: only those of a dead owner for the
// swept store may be killed.
class TestOrphanSweeper : public QObject
{
    Q_OBJECT

    const QString m_scope = QStringLiteral("/srv/a:b/db.store");

    static std::unique_ptr<QProcess> sleeper(const QByteArray& mark)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!mark.isNull())
            environment.insert(QString::fromLatin1(OrphanSweeper::variableName()), QString::fromUtf8(mark));
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral("sleep"), {QStringLiteral("60")});
        process->waitForStarted();
        return process;
    }

    static QByteArray mark(qint64 pid, quint64 started, const QString& scope)
    {
        return QByteArray::number(pid) + ':' + QByteArray::number(started) + ':' + scope.toUtf8();
    }

private Q_SLOTS:
    void onlyOrphansOfTheSweptStoreAreKilled()
    {
        // An owner that has died, with the start time it had.
        const std::unique_ptr<QProcess> owner = sleeper({});
        const qint64 deadPid = owner->processId();
        const quint64 deadStart = OrphanSweeper::startTime(deadPid);
        QVERIFY(deadStart > 0);
        owner->kill();
        owner->waitForFinished();

        const qint64 self = QCoreApplication::applicationPid();
        const quint64 selfStart = OrphanSweeper::startTime(self);
        struct Case
        {
            const char* name;
            QByteArray mark;
            bool killed;
        };
        const QList<Case> cases = {
            {"dead owner", mark(deadPid, deadStart, m_scope), true},
            {"owner alive", mark(self, selfStart, m_scope), false},
            {"pid reused by another process", mark(self, selfStart + 1, m_scope), true},
            {"another store", mark(deadPid, deadStart, QStringLiteral("/srv/other/db.store")), false},
            {"a longer path", mark(deadPid, deadStart, m_scope + QStringLiteral(".old")), false},
            {"a shorter path", mark(deadPid, deadStart, QStringLiteral("b/db.store")), false},
            {"no start time", QByteArray::number(deadPid) + ':' + m_scope.toUtf8(), false},
            {"garbage", QByteArrayLiteral("::::"), false},
            {"no mark", QByteArray(), false},
        };
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const Case& c : cases)
            processes.push_back(sleeper(c.mark));

        QCOMPARE(OrphanSweeper::sweep(m_scope), 1 + 1);
        for (std::size_t i = 0; i < processes.size(); ++i) {
            const qint64 pid = processes[i]->processId();
            QTRY_VERIFY2_WITH_TIMEOUT(ProcessProbe::isGone(pid) == cases[int(i)].killed, cases[int(i)].name,
                                      5000);
        }
        for (const auto& process : processes) {
            process->kill();
            process->waitForFinished();
        }
    }

    void childrenCarryTheMarkOfTheirOwner()
    {
        OrphanSweeper::markChildren(m_scope);
        std::optional<Engine::ProcessResult> result;
        Engine::CommandRunner::run(
            Engine::ShellCommand(
                QStringLiteral("printenv %1").arg(QLatin1String(OrphanSweeper::variableName())),
                Engine::Shell::bash()),
            this, [&](const Engine::ProcessResult& r) { result = r; });
        QTRY_VERIFY_WITH_TIMEOUT(result, 10000);
        const qint64 self = QCoreApplication::applicationPid();
        QCOMPARE(*result, Engine::ProcessResult::output(
                              QString::fromUtf8(mark(self, OrphanSweeper::startTime(self), m_scope))));
    }
};

QTEST_GUILESS_MAIN(TestOrphanSweeper)
#include "tst_orphansweeper.moc"
