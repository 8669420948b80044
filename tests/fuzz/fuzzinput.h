#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTest>

namespace Fuzz {

// Every generator starts from this: VELTQORV_FUZZ_SEED when set, else a fixed value so that a
// CI run repeats exactly.
quint32 seed();

// Rounds of one fuzz loop: a fixed count, or VELTQORV_FUZZ_SECONDS of wall time when set.
class Budget
{
public:
    explicit Budget(const char* name, int rounds);
    ~Budget();
    Budget(const Budget&) = delete;
    Budget& operator=(const Budget&) = delete;

    // True while another round is due; counts it.
    bool next();
    int round() const { return m_round; }

    // The seed, the round and `input` escaped, for a failure message that can be replayed.
    QByteArray describe(const QString& input) const;

private:
    const char* m_name;
    int m_rounds;
    qint64 m_milliseconds = -1;
    int m_round = 0;
    QElapsedTimer m_timer;
};

// Realistic inputs, mutated into hostile ones: insertions, deletions, duplications, splices with
// another entry, flipped code units, invalid UTF-8, control characters and very long texts.
class Generator
{
public:
    explicit Generator(QStringList corpus, QStringList pieces = {});

    QRandomGenerator& random() { return m_random; }
    int bounded(int highest) { return static_cast<int>(m_random.bounded(static_cast<quint32>(highest))); }
    bool chance(int inEvery) { return bounded(inEvery) == 0; }

    // A corpus entry with up to four mutations.
    QString next();
    // An entry of the corpus as it is.
    QString entry();
    // A short hostile or structural piece: a target's own pieces or the shared ones.
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
    QString randomText();
    QChar randomCodeUnit();
    void mutate(QString& text);

    QRandomGenerator m_random;
    QStringList m_corpus;
    QStringList m_pieces;
    int m_hugeOneIn = 400;
};

// QVERIFY2 builds its message on every call; in loops of thousands of rounds only a failing
// check should pay for that.
#define FUZZ_VERIFY(statement, budget, input)                                                                \
    do {                                                                                                     \
        if (!(statement))                                                                                    \
            QVERIFY2(statement, (budget).describe(input).constData());                                       \
    } while (false)

} // namespace Fuzz
