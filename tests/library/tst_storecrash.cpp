#include "library/store.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Library;

// A process writing to the store is killed (SIGKILL) at random moments; the store must open
// intact every time, with every item whose add had returned.
class TestStoreCrash : public QObject
{
    Q_OBJECT

private:
    static QString query(const Store& store, const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(store.connectionName()));
        if (!q.exec(sql) || !q.next())
            return QStringLiteral("failed: ") + sql;
        return q.value(0).toString();
    }

    // Rows of PRAGMA foreign_key_check: one per dangling reference; -1 when it cannot run.
    static int violations(const Store& store)
    {
        QSqlQuery q(QSqlDatabase::database(store.connectionName()));
        if (!q.exec(QStringLiteral("PRAGMA foreign_key_check")))
            return -1;
        int rows = 0;
        while (q.next())
            ++rows;
        return rows;
    }

private Q_SLOTS:
    void killedWriterLosesNothingCommitted()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db.store"));
        QRandomGenerator random(20261206);
        QList<qint64> committed;

        for (int round = 0; round < 20; ++round) {
            QProcess child;
            child.setProcessChannelMode(QProcess::SeparateChannels);
            child.start(QStringLiteral(STORE_CRASH_CHILD), {path, QString::number(round)});
            QVERIFY2(child.waitForStarted(10000), qPrintable(child.errorString()));

            // Let a random number of adds commit, then kill at once, or after a random short
            // while, so that the kill falls anywhere in the loop.
            const int adds = static_cast<int>(random.bounded(1, 40));
            QByteArray output;
            while (output.count('\n') < adds && child.state() == QProcess::Running) {
                child.waitForReadyRead(10000);
                output += child.readAllStandardOutput();
            }
            QVERIFY2(child.state() == QProcess::Running, child.readAllStandardError().constData());
            const int pause = static_cast<int>(random.bounded(0, 30));
            if (pause > 0)
                QTest::qWait(pause);
            child.kill();
            QVERIFY(child.waitForFinished(10000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);
            output += child.readAllStandardOutput();

            // Only whole lines: a line cut short was not finished printing, its add may count or not.
            const QList<QByteArray> lines = output.left(output.lastIndexOf('\n') + 1).split('\n');
            for (const QByteArray& line : lines) {
                if (!line.isEmpty())
                    committed += line.toLongLong();
            }

            Store store;
            QVERIFY2(store.open(path), qPrintable(store.errorMessage()));
            QCOMPARE(query(store, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
            QCOMPARE(violations(store), 0);
            for (const qint64 id : std::as_const(committed)) {
                const std::optional<ShakeItem> item = store.item(id);
                QVERIFY2(item, qPrintable(QStringLiteral("item %1 lost in round %2").arg(id).arg(round)));
                // Records are written with the item, never without it.
                QVERIFY(item->config && item->info);
            }
            QCOMPARE(query(store, QStringLiteral("SELECT count(*) FROM ShakeItem")),
                     query(store, QStringLiteral("SELECT count(*) FROM ShakeConfig")));
            QVERIFY(store.clearStaleRunning() >= 0);
            QCOMPARE(store.count(ItemQuery::sidebar(SidebarItemType::running)), 0);
        }
        QVERIFY(committed.size() >= 20);
    }
};

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "tst_storecrash.moc"
