#include "engine/failureclassification.h"
#include "engine/timephraseparser.h"
#include "fuzz/fuzzinput.h"

#include <QTest>

#include <limits>

using Engine::DownloaderProcessError;
using Engine::FailureClassification;
using Kind = Engine::DownloaderProcessError::Kind;

namespace {

// Answers with whatever date the generator draws, from none or an invalid one to the ends of
// the range a script engine's Date can hold, in any time zone form.
class RandomDateParser : public Engine::TimePhraseParser
{
public:
    explicit RandomDateParser(Fuzz::Generator& generator) : m_generator(generator) {}

    std::optional<QDateTime> parseDate(const QString&, const QDateTime& reference) override
    {
        switch (m_generator.bounded(6)) {
        case 0:
            return std::nullopt;
        case 1:
            return QDateTime();
        case 2:
            return m_generator.scriptDateLimit();
        case 3:
            return reference.addSecs(m_generator.bounded(120) - 60).toLocalTime();
        case 4:
            return reference.addSecs(m_generator.bounded(86400 * 30))
                .toOffsetFromUtc(m_generator.bounded(50000) - 25000);
        default:
            return reference.addSecs(static_cast<qint64>(m_generator.random().generate()) -
                                     std::numeric_limits<qint32>::max());
        }
    }

private:
    Fuzz::Generator& m_generator;
};

std::optional<int> randomDelay(Fuzz::Generator& generator)
{
    switch (generator.bounded(5)) {
    case 0:
        return std::numeric_limits<int>::max();
    case 1:
        return std::numeric_limits<int>::min();
    case 2:
        return generator.bounded(200) - 100;
    case 3:
        return static_cast<int>(generator.random().generate());
    default:
        return std::nullopt;
    }
}

bool isFailureKind(Kind kind)
{
    return kind == Kind::premieresVideo || kind == Kind::liveEvent || kind == Kind::videoUnavailable ||
           kind == Kind::permissionError || kind == Kind::downloadFailed;
}

} // namespace

class FuzzFailureClassification : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classifyAndRetryDate()
    {
        Fuzz::Generator generator(
            {
                QStringLiteral("ERROR: [youtube] xyz: Premieres in 2 hours"),
                QStringLiteral("WARNING: [youtube] Premiere of a title\nERROR: [youtube] x: This live event "
                               "will begin in 3 days."),
                QStringLiteral("ERROR: [youtube] x: Video unavailable. This video is private"),
                QStringLiteral("ERROR: unable to open for writing: [Errno 13] Permission denied: 'a.part'"),
                QStringLiteral("Traceback (most recent call last):\n  File \"yt_dlp/__main__.py\", line 17\n"
                               "PermissionError: [Errno 13] Permission denied: '/srv'"),
                QStringLiteral(
                    "ERROR: [generic] None: Unable to download webpage: HTTP Error 404: File not found"),
                QStringLiteral("  error:   something"),
                QStringLiteral("ERROR: Premieres 2026-12-24 18:00 UTC"),
            },
            {QStringLiteral("ERROR: "), QStringLiteral("\nERROR: "), QStringLiteral("Premiere"),
             QStringLiteral("LIVE EVENT"), QStringLiteral("in 5 minutes"),
             QStringLiteral("Video unavailable"), QStringLiteral("Permission denied"),
             QStringLiteral("WARNING: ")});
        RandomDateParser parser(generator);

        Fuzz::Budget budget("classify", 30000);
        while (budget.next()) {
            const QString errorText = generator.next();
            FailureClassification::Context context;
            context.parser = generator.chance(3) ? nullptr : &parser;
            context.delaySeconds = generator.chance(2) ? std::nullopt : randomDelay(generator);
            context.delayHours = randomDelay(generator);
            // Realistic clocks between 1970 and about 2400, or none (the system clock).
            if (!generator.chance(8))
                context.now = generator.clock();
            const QDateTime before = QDateTime::currentDateTimeUtc();
            const QDateTime earliest = (context.now.isValid() ? context.now : before)
                                           .addSecs(FailureClassification::MinimumRetrySeconds);

            const std::optional<DownloaderProcessError> error =
                FailureClassification::classify(errorText, context);
            if (error) {
                FUZZ_VERIFY(isFailureKind(error->kind()), budget, errorText);
                if (error->isScheduled())
                    FUZZ_VERIFY(error->startDate() && error->startDate()->isValid() &&
                                    *error->startDate() >= earliest,
                                budget, errorText);
            }

            const DownloaderProcessError exit =
                FailureClassification::failureForExit(errorText, generator.bounded(300) - 20, context);
            FUZZ_VERIFY(isFailureKind(exit.kind()), budget, errorText);
            if (exit.kind() == Kind::downloadFailed)
                FUZZ_VERIFY(!exit.text().trimmed().isEmpty(), budget, errorText);
            if (exit.isScheduled())
                FUZZ_VERIFY(exit.startDate() && exit.startDate()->isValid() && *exit.startDate() >= earliest,
                            budget, errorText);

            const QDateTime start = FailureClassification::computeStartDate(errorText, context);
            FUZZ_VERIFY(start.isValid() && start >= earliest, budget, errorText);

            // Only an ERROR: line schedules a retry: the same text as warnings never does.
            QStringList warned = errorText.split(QLatin1Char('\n'));
            for (QString& line : warned)
                line.prepend(QStringLiteral("WARNING: "));
            const QString warnings = warned.join(QLatin1Char('\n'));
            const std::optional<DownloaderProcessError> warning =
                FailureClassification::classify(warnings, context);
            FUZZ_VERIFY(!warning || (!warning->isScheduled() && warning->kind() != Kind::downloadFailed),
                        budget, warnings);
        }
    }
};

QTEST_GUILESS_MAIN(FuzzFailureClassification)
#include "fuzz_failureclassification.moc"
