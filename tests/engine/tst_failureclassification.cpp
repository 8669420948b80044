#include "engine/failureclassification.h"
#include "fixedphraseparser.h"

#include <QTest>

using Engine::DownloaderProcessError;
using Engine::FailureClassification;
using Kind = Engine::DownloaderProcessError::Kind;

namespace {

const QDateTime Now(QDate(2026, 3, 14), QTime(12, 0), Qt::UTC);
constexpr int None = -1;
constexpr qint64 NoDate = std::numeric_limits<qint64>::min();

} // namespace

class TestFailureClassification : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classify_data()
    {
        QTest::addColumn<QString>("errorText");
        QTest::addColumn<int>("delaySeconds");
        QTest::addColumn<int>("delayHours");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("payload");
        // Seconds from now of the start date, NoDate when the kind carries none.
        QTest::addColumn<qint64>("startIn");

        const auto row = [](const char* name, const QString& text, int delaySeconds, int delayHours,
                            Kind kind, const QString& payload, qint64 startIn) {
            QTest::newRow(name) << text << delaySeconds << delayHours << int(kind) << payload << startIn;
        };
        const QString premiere3h = QStringLiteral("ERROR: [youtube] abc: Premieres in 3 hours");
        row("premiere in 3 hours: half-way", premiere3h, None, None, Kind::premieresVideo, {}, 5400);
        row("the preferred delay", premiere3h, None, 1, Kind::premieresVideo, {}, 4 * 3600);
        row("the item's delay wins over the preference", premiere3h, 30, 1, Kind::premieresVideo, {},
            3 * 3600 + 30);
        row("premiere without a time phrase", QStringLiteral("ERROR: x: Premiere will begin shortly"), None,
            None, Kind::premieresVideo, {}, 15);
        row("exactly 60 s is not halved",
            QStringLiteral("ERROR: x: This live event will begin in 60 seconds."), None, None,
            Kind::liveEvent, {}, 60);
        row("61 s is halved", QStringLiteral("ERROR: x: This live event will begin in 61 seconds."), None,
            None, Kind::liveEvent, {}, 30);
        row("passed even with the preferred delay",
            QStringLiteral("ERROR: x: This live event began 2 hours ago; wait for it"), None, 1,
            Kind::liveEvent, {}, 15);
        row("keyword order decides, not position",
            QStringLiteral("ERROR: x: Video unavailable. Premieres in 3 hours"), None, None,
            Kind::premieresVideo, {}, 5400);

        // Only ERROR: lines name a premiere or a live event.
        const QString premiereInWarning =
            QStringLiteral("WARNING: x: \"The Premiere Show\" is not available\n"
                           "ERROR: x: Video unavailable");
        row("a premiere named in a warning", premiereInWarning, None, None, Kind::videoUnavailable,
            premiereInWarning, NoDate);
        const QString unavailable = QStringLiteral("ERROR: [youtube] abc: Video unavailable\n");
        row("video unavailable keeps the text as received", unavailable, None, None, Kind::videoUnavailable,
            unavailable, NoDate);
        const QString permission =
            QStringLiteral("ERROR: unable to open for writing: Permission denied: '/a'");
        row("the tool's permission error", permission, None, None, Kind::permissionError, permission, NoDate);
        const QString traceback =
            QStringLiteral("Traceback (most recent call last):\n  File \"x.py\", line 1\n"
                           "PermissionError: [Errno 13] '/x'");
        row("a crash on a permission error", traceback, None, None, Kind::permissionError, traceback, NoDate);
        const QString blankFirst = QStringLiteral("\n\n  ERROR: something broke  \n");
        row("blank lines before ERROR", blankFirst, None, None, Kind::downloadFailed, blankFirst, NoDate);
    }

    void classify()
    {
        QFETCH(QString, errorText);
        QFETCH(int, delaySeconds);
        QFETCH(int, delayHours);
        QFETCH(int, kind);
        QFETCH(QString, payload);
        QFETCH(qint64, startIn);

        FixedPhraseParser parser;
        FailureClassification::Context context;
        context.parser = &parser;
        if (delaySeconds != None)
            context.delaySeconds = delaySeconds;
        if (delayHours != None)
            context.delayHours = delayHours;
        context.now = Now;

        const std::optional<DownloaderProcessError> error =
            FailureClassification::classify(errorText, context);
        QVERIFY(error);
        QCOMPARE(int(error->kind()), kind);
        QCOMPARE(error->text(), payload);
        if (startIn == NoDate) {
            QVERIFY(!error->startDate());
        } else {
            QVERIFY(error->startDate());
            QCOMPARE(Now.secsTo(*error->startDate()), startIn);
        }
        // The run's exit status does not change a recognised kind.
        QCOMPARE(FailureClassification::failureForExit(errorText, 1, context), *error);
    }

    // Texts with no ERROR: line and no known keyword are not recognised, yet a run that exits
    // with them still fails, with the text or else the exit status.
    void unrecognised_data()
    {
        QTest::addColumn<QString>("errorText");
        QTest::addColumn<int>("exitStatus");
        QTest::addColumn<QString>("payload");

        QTest::newRow("blank") << QStringLiteral(" \n ") << 2 << QStringLiteral("exit status 2");
        QTest::newRow("death by a signal") << QString() << -1 << QStringLiteral("killed by a signal");
        QTest::newRow("warnings only")
            << QStringLiteral("WARNING: something odd") << 1 << QStringLiteral("WARNING: something odd");
        QTest::newRow("error: not at a line start")
            << QStringLiteral("an error: happened") << 1 << QStringLiteral("an error: happened");
    }

    void unrecognised()
    {
        QFETCH(QString, errorText);
        QFETCH(int, exitStatus);
        QFETCH(QString, payload);

        FixedPhraseParser parser;
        FailureClassification::Context context;
        context.parser = &parser;
        context.now = Now;
        QVERIFY(!FailureClassification::classify(errorText, context));
        QCOMPARE(FailureClassification::failureForExit(errorText, exitStatus, context),
                 DownloaderProcessError::downloadFailed(payload));
    }

    // The parser is asked about the message from the keyword on, measured from the given now.
    void parserGetsTheExcerptAndTheReference()
    {
        FixedPhraseParser parser;
        FailureClassification::Context context;
        context.parser = &parser;
        context.now = Now;
        FailureClassification::classify(
            QStringLiteral("WARNING: slow\nERROR: [youtube] x: This live event will begin in 3 days."),
            context);
        QCOMPARE(parser.lastText, QStringLiteral("live event will begin in 3 days."));
        QCOMPARE(parser.lastReference, Now);

        // However long the message, the parser reads only the part where the phrase stands.
        FailureClassification::classify(
            QStringLiteral("ERROR: x: Premieres in 3 hours ") + QString(100000, u'x'), context);
        QCOMPARE(parser.lastText.size(), 1000);
        QVERIFY(parser.lastText.startsWith(QStringLiteral("Premieres in 3 hours")));

        // Without a parser the minimum delay applies.
        context.parser = nullptr;
        const auto error =
            FailureClassification::classify(QStringLiteral("ERROR: x: Premieres in 3 hours"), context);
        QCOMPARE(error, DownloaderProcessError::premieresVideo(
                            Now.addSecs(FailureClassification::MinimumRetrySeconds)));
    }
};

QTEST_GUILESS_MAIN(TestFailureClassification)
#include "tst_failureclassification.moc"
