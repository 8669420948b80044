#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTest>

namespace Fuzz {

// One fuzz loop: realistic inputs mutated into hostile ones (insertions, deletions, duplications,
// splices with another entry, replaced code units, very long texts), for a fixed number of rounds
// or VELTQORV_FUZZ_SECONDS of wall time. The seed is VELTQORV_FUZZ_SEED when set, else a fixed
// value so that a CI run repeats exactly.
class Generator
{
public:
    Generator(const char* name, int rounds, QStringList corpus, QStringList pieces = {});
    ~Generator();

    // True while another round is due; counts it.
    bool nextRound();
    // The seed, the round and `input` escaped, for a failure message that can be replayed.
    QByteArray describe(const QString& input) const;

    int bounded(int highest) { return static_cast<int>(m_random.bounded(static_cast<quint32>(highest))); }
    bool chance(int inEvery) { return bounded(inEvery) == 0; }
    // An int of either sign and any magnitude, a small one as likely as a huge one.
    int anyMagnitude() { return static_cast<int>(m_random.generate()) >> bounded(32); }

    // A corpus entry with up to four mutations.
    QString input();
    // A short hostile or structural piece: the loop's own pieces or the shared ones.
    QString piece();
    // A UTC clock between 1970 and about 2400.
    QDateTime clock()
    {
        return QDateTime::fromSecsSinceEpoch(m_random.bounded(Q_INT64_C(13000000000)), Qt::UTC);
    }
    // The earliest or the latest moment a script engine's Date holds.
    QDateTime scriptDateLimit()
    {
        constexpr qint64 Limit = 8640000000000000; // milliseconds either side of 1970
        return QDateTime::fromMSecsSinceEpoch(chance(2) ? Limit : -Limit, Qt::UTC);
    }
    // 0 turns texts of 100 000 code units off, for slow targets.
    void setHugeOneIn(int oneIn) { m_hugeOneIn = oneIn; }

private:
    QChar randomCodeUnit();
    void mutate(QString& text);

    const char* m_name;
    int m_rounds;
    QRandomGenerator m_random;
    QStringList m_corpus;
    QStringList m_pieces;
    qint64 m_milliseconds; // 0: count rounds
    int m_round = 0;
    QElapsedTimer m_timer;
    int m_hugeOneIn = 400;
};

// QVERIFY2 builds its message on every call; in loops of thousands of rounds only a failing
// check should pay for that.
#define FUZZ_VERIFY(statement, generator, input)                                                             \
    do {                                                                                                     \
        if (!(statement))                                                                                    \
            QVERIFY2(statement, (generator).describe(input).constData());                                    \
    } while (false)

} // namespace Fuzz
