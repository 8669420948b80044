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

    FixedPhraseParser m_parser;

    FailureClassification::Context context()
    {
        FailureClassification::Context context;
        context.parser = &m_parser;
        context.now = Now;
        return context;
    }

private Q_SLOTS:
    // Kinds with a start date carry no text; the others keep the text as received.
    void classify_data()
    {
        QTest::addColumn<QString>("errorText");
        QTest::addColumn<int>("delaySeconds");
        QTest::addColumn<int>("delayHours");
        QTest::addColumn<int>("kind");
        // Seconds from now of the start date, NoDate when the kind carries none.
        QTest::addColumn<qint64>("startIn");

        const auto row = [](const char* name, const char* text, int delaySeconds, int delayHours, Kind kind,
                            qint64 startIn) {
            QTest::newRow(name) << QString::fromUtf8(text) << delaySeconds << delayHours << int(kind)
                                << startIn;
        };
        const char* premiere3h = "ERROR: [youtube] abc: Premieres in 3 hours";
        row("premiere in 3 hours: half-way", premiere3h, None, None, Kind::premieresVideo, 5400);
        row("the preferred delay", premiere3h, None, 1, Kind::premieresVideo, 4 * 3600);
        row("the item's delay wins over the preference", premiere3h, 30, 1, Kind::premieresVideo,
            3 * 3600 + 30);
        row("premiere without a time phrase", "ERROR: x: Premiere will begin shortly", None, None,
            Kind::premieresVideo, 15);
        row("exactly 60 s is not halved", "ERROR: x: This live event will begin in 60 seconds.", None, None,
            Kind::liveEvent, 60);
        row("61 s is halved", "ERROR: x: This live event will begin in 61 seconds.", None, None,
            Kind::liveEvent, 30);
        row("passed even with the preferred delay",
            "ERROR: x: This live event began 2 hours ago; wait for it", None, 1, Kind::liveEvent, 15);
        row("keyword order decides, not position", "ERROR: x: Video unavailable. Premieres in 3 hours", None,
            None, Kind::premieresVideo, 5400);
        // Only ERROR: lines name a premiere or a live event.
        row("a premiere named in a warning",
            "WARNING: x: \"The Premiere Show\" is not available\nERROR: x: Video unavailable\n", None, None,
            Kind::videoUnavailable, NoDate);
        row("the tool's permission error", "ERROR: unable to open for writing: Permission denied: '/a'", None,
            None, Kind::permissionError, NoDate);
        row("a crash on a permission error",
            "Traceback (most recent call last):\n  File \"x.py\", line 1\nPermissionError: [Errno 13] '/x'",
            None, None, Kind::permissionError, NoDate);
        row("no such format", "ERROR: [generic] v: Requested format is not available. Use --list-formats",
            None, None, Kind::formatUnavailable, NoDate);
        row("blank lines before ERROR", "\n\n  ERROR: something broke  \n", None, None, Kind::downloadFailed,
            NoDate);
    }

    void classify()
    {
        QFETCH(QString, errorText);
        QFETCH(int, delaySeconds);
        QFETCH(int, delayHours);
        QFETCH(int, kind);
        QFETCH(qint64, startIn);

        FailureClassification::Context context = this->context();
        if (delaySeconds != None)
            context.delaySeconds = delaySeconds;
        if (delayHours != None)
            context.delayHours = delayHours;

        const std::optional<DownloaderProcessError> error =
            FailureClassification::classify(errorText, context);
        QVERIFY(error);
        QCOMPARE(int(error->kind()), kind);
        QCOMPARE(error->text(), startIn == NoDate ? errorText : QString());
        QCOMPARE(error->startDate(), startIn == NoDate ? std::nullopt : std::optional(Now.addSecs(startIn)));
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
        QTest::newRow("error: not at a line start")
            << QStringLiteral("an error: happened") << 1 << QStringLiteral("an error: happened");
    }

    void unrecognised()
    {
        QFETCH(QString, errorText);
        QFETCH(int, exitStatus);
        QFETCH(QString, payload);

        QVERIFY(!FailureClassification::classify(errorText, context()));
        QCOMPARE(FailureClassification::failureForExit(errorText, exitStatus, context()),
                 DownloaderProcessError::downloadFailed(payload));
    }

    // The parser is asked about the message from the keyword on.
    void parserGetsTheExcerptAndTheReference()
    {
        FailureClassification::Context context = this->context();
        FailureClassification::classify(
            QStringLiteral("WARNING: slow\nERROR: [youtube] x: This live event will begin in 3 days."),
            context);
        QCOMPARE(m_parser.lastText, QStringLiteral("live event will begin in 3 days."));

        // However long the message, the parser reads only the part where the phrase stands.
        FailureClassification::classify(
            QStringLiteral("ERROR: x: Premieres in 3 hours ") + QString(100000, u'x'), context);
        QCOMPARE(m_parser.lastText.size(), 1000);

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
