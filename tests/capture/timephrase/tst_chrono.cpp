#include "capture/timephrase/chrono.h"

#include <QTemporaryDir>
#include <QThread>
#include <QTimeZone>
#include <QtTest>

#include <memory>

using Capture::Chrono;
using Capture::ChronoParsedResult;

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

// A Monday in UTC and still Sunday evening in New York, so "tomorrow" and "today" name
// different days in the two zones.
const QDateTime reference = utc(2026, 12, 7, 2, 30);

template <typename T> std::optional<T> present(bool known, const T& value)
{
    return known ? std::optional<T>(value) : std::nullopt;
}

} // namespace

class TestChrono : public QObject
{
    Q_OBJECT

    bool m_newYork = false;
    QTemporaryDir m_scripts;

private Q_SLOTS:
    void initTestCase()
    {
        const int offset = reference.toLocalTime().offsetFromUtc();
        m_newYork = offset != 0;
        if (m_newYork && (offset != -5 * 3600 || QTimeZone::systemTimeZoneId() != "America/New_York"))
            QFAIL("Run with TZ=UTC or TZ=America/New_York");
        QVERIFY(m_scripts.isValid());
        // The bundled library must be in the resources and load in this engine, without the
        // engine's compiler remarks on it reaching the log.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("chrono\\.min\\.js")));
        QVERIFY(Chrono::shared().load());
    }

    // What we make of the library's answer: the phrase where it stands in UTF-16 units, the
    // text around it, and dates in UTC read in the local zone. An index of -1: no phrase.
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("ignored");
        QTest::addColumn<QDateTime>("start"); // invalid: none
        const auto row = [this](const char* text, int index, const char* phrase, const char* ignored,
                                const QDateTime& utcStart, const QDateTime& newYorkStart = {}) {
            QTest::newRow(text) << QString::fromUtf8(text) << index << QString::fromUtf8(phrase)
                                << QString::fromUtf8(ignored)
                                << (m_newYork && newYorkStart.isValid() ? newYorkStart : utcStart);
        };
        row("ERROR: [youtube] abc123: This live event will begin in 3 days.", 52, "in 3 days",
            "ERROR: [youtube] abc123: This live event will begin", utc(2026, 12, 10, 2, 30));
        row("ERROR: [youtube] abc: Premieres in 2 hours.\nRetry later", 32, "in 2 hours",
            "ERROR: [youtube] abc: Premieres Retry later", utc(2026, 12, 7, 4, 30));
        row("ERROR: [youtube] abc: This live event will begin in a few moments.", -1, "", "", {});
        row("tomorrow at 5 PM", 0, "tomorrow at 5 PM", "", utc(2026, 12, 8, 17), utc(2026, 12, 7, 22));
        // The emoji after the phrase is a surrogate pair, not punctuation.
        row("Live 👀 in 2 days 👀!", 8, "in 2 days", "Live 👀 👀!", utc(2026, 12, 9, 2, 30));
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(QString, phrase);
        QFETCH(QString, ignored);
        QFETCH(QDateTime, start);
        const bool found = index >= 0;

        const ChronoParsedResult result = Chrono::shared().parse(text, reference);
        QCOMPARE(result.indexOfStartingCharacterOfTimePhrase, present<qint64>(found, index));
        QCOMPARE(result.timePhrase, present(found, phrase));
        QCOMPARE(result.ignoredText, present(found, ignored));
        QCOMPARE(result.referenceDate, present(found, reference));
        QCOMPARE(result.startDate, present(start.isValid(), start));
        QVERIFY(!result.endDate && !result.dateInterval);
        for (const std::optional<QDateTime>& date : {result.startDate, result.referenceDate})
            QVERIFY(!date || date->timeSpec() == Qt::UTC);
        // What the downloader sees through the engine's seam.
        Engine::TimePhraseParser& seam = Chrono::shared();
        QCOMPARE(seam.parseDate(text, reference), result.startDate);
    }

    // An invalid reference is no reference: the library measures from now.
    void invalidReferenceUsesNow()
    {
        const QDateTime before = QDateTime::currentDateTimeUtc();
        const std::optional<QDateTime> start =
            Chrono::shared().parseDate(QStringLiteral("Premieres in 2 hours"), QDateTime());
        const QDateTime after = QDateTime::currentDateTimeUtc();
        QVERIFY(start);
        QVERIFY2(*start >= before.addSecs(2 * 3600 - 1) && *start <= after.addSecs(2 * 3600 + 1),
                 qPrintable(start->toString(Qt::ISODateWithMs)));
    }

    void ignoredText_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("expected");

        QTest::newRow("connecting words in any case, punctuation after")
            << QStringLiteral("Download ON the 5th, room 4") << QStringLiteral("the 5th")
            << QStringLiteral("Download room 4");
        // "in" at the end of a word is not a connecting word.
        QTest::newRow("word ending in 'in'")
            << QStringLiteral("Begin tomorrow") << QStringLiteral("tomorrow") << QStringLiteral("Begin");
        QTest::newRow("unicode punctuation goes, symbols stay")
            << QStringLiteral("in 2 hours… $5 + tax") << QStringLiteral("in 2 hours")
            << QStringLiteral("$5 + tax");
        // The phrase is literal text, never a pattern.
        QTest::newRow("unbalanced parenthesis")
            << QStringLiteral("starts 8 PM (EST today") << QStringLiteral("8 PM (EST")
            << QStringLiteral("starts today");
        QTest::newRow("empty phrase")
            << QStringLiteral(" in 2 hours ") << QString() << QStringLiteral("in 2 hours");
    }

    void ignoredText()
    {
        QFETCH(QString, input);
        QFETCH(QString, phrase);
        QFETCH(QString, expected);
        QCOMPARE(Chrono::ignoredText(input, phrase), expected);
    }

    // Stand-ins for the library: a broken one leaves every field but the input absent and says
    // why; one that answers has its dates converted to UTC or dropped with a warning.
    void stubbedLibrary_data()
    {
        QTest::addColumn<QByteArray>("script"); // null: no file there
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QList<QDateTime>>("dates"); // start and end, invalid when absent
        QTest::addColumn<bool>("interval");
        // One result whose dates are the given expressions; it also checks that the browser's
        // `window` global is there while it loads.
        const auto answering = [](const QByteArray& start, const QByteArray& end = {}) {
            QByteArray script =
                "if (window !== this) throw new Error('no window');\n"
                "var chrono = { parse: function (text, ref) { return [{ index: 3, text: 'at x',"
                " refDate: ref, start: { date: function () { return " +
                start + "; } }";
            if (!end.isEmpty())
                script += ", end: { date: function () { return " + end + "; } }";
            return script + " }]; } };";
        };
        const QList<QDateTime> none{QDateTime(), QDateTime()};
        const auto row = [](const char* name, const QByteArray& script, const char* warning,
                            const QList<QDateTime>& dates, bool interval) {
            QTest::newRow(name) << script << QString::fromUtf8(warning) << dates << interval;
        };
        row("missing", QByteArray(), "Cannot read the chrono library", none, false);
        row("syntax error", "var chrono = {", "failed to load: SyntaxError", none, false);
        row("no chrono", "var other = {};", "defines no chrono.parse", none, false);
        row("parse throws", "var chrono = { parse: function () { throw new Error('bad'); } };",
            "chrono.parse failed: Error: bad", none, false);
        row("parse returns no list", "var chrono = { parse: function () { return 42; } };",
            "returned 42 instead of a list", none, false);

        const QByteArray christmas = "new Date(Date.UTC(2026, 11, 25, 20, 0, 0, 250))";
        const QDateTime christmasUtc = utc(2026, 12, 25, 20).addMSecs(250);
        row("start and end", answering(christmas, "new Date(Date.UTC(2026, 11, 25, 22))"), "",
            {christmasUtc, utc(2026, 12, 25, 22)}, true);
        // A range cannot run backwards: both dates are kept, the interval is not.
        row("end before start", answering(christmas, "new Date(Date.UTC(2026, 11, 25, 18))"), "",
            {christmasUtc, utc(2026, 12, 25, 18)}, false);
        row("start is text", answering("'soon'"), "chrono's start of \"at x\" is not a date", none, false);
        row("start is an invalid date", answering("new Date(NaN)"),
            "chrono's start of \"at x\" is not a date", none, false);
        row("end throws", answering(christmas, "(function () { throw new Error('no end'); })()"),
            "chrono's end of \"at x\" is not a date: Error: no end", {christmasUtc, QDateTime()}, false);
    }

    void stubbedLibrary()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, warning);
        QFETCH(QList<QDateTime>, dates);
        QFETCH(bool, interval);
        const QString path =
            m_scripts.filePath(QString::fromUtf8(QTest::currentDataTag()) + QStringLiteral(".js"));
        QFile file(path);
        QVERIFY(script.isNull() || (file.open(QIODevice::WriteOnly) && file.write(script) == script.size()));
        file.close();

        Chrono chrono(path);
        const QString text = QStringLiteral("on at x.");
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
        const ChronoParsedResult result = chrono.parse(text, reference);
        QCOMPARE(result.timePhrase.has_value(), script.contains("at x"));
        QCOMPARE(result.startDate, present(dates.at(0).isValid(), dates.at(0)));
        QCOMPARE(result.endDate, present(dates.at(1).isValid(), dates.at(1)));
        QCOMPARE(result.dateInterval.has_value(), interval);
    }

    void refusedOffMainThread()
    {
        const QString text = QStringLiteral("ERROR: [youtube] abc: Premieres in 2 hours");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("main thread only")));
        ChronoParsedResult result;
        std::unique_ptr<QThread> worker(
            QThread::create([&] { result = Chrono::shared().parse(text, reference); }));
        worker->start();
        QVERIFY(worker->wait(30000));
        QVERIFY(!result.timePhrase);
        QVERIFY(!result.startDate);
    }
};

QTEST_GUILESS_MAIN(TestChrono)
#include "tst_chrono.moc"
