#include "capture/timephrase/chrono.h"
#include "engine/failureclassification.h"
#include "fuzz/fuzzinput.h"

#include <QTest>

using Capture::Chrono;
using Capture::ChronoParsedResult;
using Engine::FailureClassification;

namespace {

const QStringList& phraseCorpus()
{
    static const QStringList corpus = {
        QStringLiteral("ERROR: [youtube] xyz: Premieres in 2 hours"),
        QStringLiteral("This live event will begin in 3 days."),
        QStringLiteral("ERROR: [youtube] abc: This live event will begin in a few moments."),
        QStringLiteral("Premieres 2026-12-24 18:00 UTC"),
        QStringLiteral("Scheduled for tomorrow at 5 PM (EST)"),
        QStringLiteral("from 10:00 to 11:30 on 12/31"),
        QStringLiteral("3 days ago"),
        QStringLiteral("no time phrase here"),
    };
    return corpus;
}

QDateTime randomReference(Fuzz::Generator& generator)
{
    switch (generator.bounded(4)) {
    case 0:
        return {};
    case 1: // the far ends of what a script Date holds
        return generator.scriptDateLimit();
    default:
        return generator.clock();
    }
}

} // namespace

class FuzzChrono : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An instance of our own rather than shared(), which is never destroyed: LeakSanitizer does
    // not scan the engine's own mappings (its JS stack), so at exit everything the live engine
    // holds would be reported as lost.
    void initTestCase() { QVERIFY(m_chrono.load()); }

    void parse()
    {
        Fuzz::Generator generator(phraseCorpus(), {QStringLiteral(" in "), QStringLiteral(" at "),
                                                   QStringLiteral("tomorrow"), QStringLiteral(" 12:00 "),
                                                   QStringLiteral(" PM"), QStringLiteral("2026-")});
        // A parse of 100 000 code units full of phrases takes seconds: a rare one is enough.
        generator.setHugeOneIn(5000);
        Fuzz::Budget budget("chrono parse", 1500);
        while (budget.next()) {
            const QString text = generator.next();
            const QDateTime reference = randomReference(generator);
            const ChronoParsedResult result = m_chrono.parse(
                text, generator.chance(5) ? std::nullopt : std::optional<QDateTime>(reference));

            FUZZ_VERIFY(result.inputString == text, budget, text);
            for (const std::optional<QDateTime>& date :
                 {result.startDate, result.endDate, result.referenceDate})
                FUZZ_VERIFY(!date || (date->isValid() && date->timeSpec() == Qt::UTC), budget, text);
            if (result.startDate)
                FUZZ_VERIFY(result.timePhrase && result.indexOfStartingCharacterOfTimePhrase, budget, text);
            // The phrase is the input's own text, where the index says.
            if (result.timePhrase && result.indexOfStartingCharacterOfTimePhrase) {
                const qint64 index = *result.indexOfStartingCharacterOfTimePhrase;
                FUZZ_VERIFY(index >= 0 && index < text.size() &&
                                QStringView(text).mid(index, result.timePhrase->size()) == *result.timePhrase,
                            budget, text);
            }
            if (result.ignoredText)
                FUZZ_VERIFY(result.ignoredText->size() <= text.size(), budget, text);
            if (result.dateInterval)
                FUZZ_VERIFY(result.dateInterval->start == result.startDate &&
                                result.dateInterval->end == result.endDate &&
                                result.startDate <= result.endDate,
                            budget, text);

            // The retry of a premiere read by this parser never comes before the minimum delay.
            FailureClassification::Context context;
            context.parser = &m_chrono;
            context.now = generator.clock();
            const QDateTime start = FailureClassification::computeStartDate(text, context);
            FUZZ_VERIFY(start.isValid() &&
                            start >= context.now.addSecs(FailureClassification::MinimumRetrySeconds),
                        budget, text);
        }
    }

    void ignoredText()
    {
        Fuzz::Generator generator(phraseCorpus(),
                                  {QStringLiteral(" on the "), QStringLiteral(" in "), QStringLiteral("..."),
                                   QStringLiteral("\u2026"), QStringLiteral("(EST"), QStringLiteral("\\E"),
                                   QStringLiteral("(?")});
        Fuzz::Budget budget("chrono ignored text", 10000);
        while (budget.next()) {
            const QString input = generator.next();
            // The phrase is usually part of the input, sometimes mutated away from it.
            const int from = generator.bounded(static_cast<int>(input.size()) + 1);
            QString phrase = input.mid(from, generator.bounded(24));
            if (generator.chance(3))
                phrase.insert(generator.bounded(static_cast<int>(phrase.size()) + 1), generator.piece());

            const QString rest = Chrono::ignoredText(input, phrase);
            const QString described = input + QStringLiteral("\" phrase \"") + phrase;
            FUZZ_VERIFY(rest.size() <= input.size(), budget, described);
            FUZZ_VERIFY(rest == rest.trimmed(), budget, described);
            bool ascii = true;
            for (const QChar unit : phrase)
                ascii = ascii && unit.unicode() < 0x80;
            // Nothing to remove: the input comes back trimmed, whatever the phrase's characters.
            if (ascii && !input.contains(phrase, Qt::CaseInsensitive))
                FUZZ_VERIFY(rest == input.trimmed(), budget, described);
        }
    }

private:
    Chrono m_chrono;
};

QTEST_GUILESS_MAIN(FuzzChrono)
#include "fuzz_chrono.moc"
