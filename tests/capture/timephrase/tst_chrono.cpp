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

enum class Zone
{
    Utc,
    NewYork
};

} // namespace

class TestChrono : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void parse_data();
    void parse();
    void withoutReferenceUsesNow();
    void ignoredText_data();
    void ignoredText();
    void description();
    void brokenLibrary_data();
    void brokenLibrary();
    void convertsOrDropsDates_data();
    void convertsOrDropsDates();
    void refusedOffMainThread();

private:
    // Rows whose dates do not depend on the local zone.
    static void addRow(const char* name, const QString& text, int index, const QString& phrase,
                       const QString& ignored, const QDateTime& start, const QDateTime& end = {});
    static void addZonedRow(const char* name, const QString& text, int index, const QString& phrase,
                            const QString& ignored, const QDateTime& startUtc, const QDateTime& startNewYork,
                            const QDateTime& endUtc = {}, const QDateTime& endNewYork = {});
    static void addNoPhraseRow(const char* name, const QString& text);
    QString writeScript(const QByteArray& script);

    Zone m_zone = Zone::Utc;
    QTemporaryDir m_scripts;
    int m_scriptCount = 0;
};

void TestChrono::initTestCase()
{
    const int offset = reference.toLocalTime().offsetFromUtc();
    if (offset == 0)
        m_zone = Zone::Utc;
    else if (offset == -5 * 3600 && QTimeZone::systemTimeZoneId() == "America/New_York")
        m_zone = Zone::NewYork;
    else
        QFAIL("Run with TZ=UTC or TZ=America/New_York");
    QVERIFY(m_scripts.isValid());
    // The bundled library must be in the resources and load in this engine, without the
    // engine's compiler remarks on it reaching the log.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("chrono\\.min\\.js")));
    QVERIFY(Chrono::shared().load());
}

void TestChrono::addRow(const char* name, const QString& text, int index, const QString& phrase,
                        const QString& ignored, const QDateTime& start, const QDateTime& end)
{
    addZonedRow(name, text, index, phrase, ignored, start, start, end, end);
}

void TestChrono::addZonedRow(const char* name, const QString& text, int index, const QString& phrase,
                             const QString& ignored, const QDateTime& startUtc, const QDateTime& startNewYork,
                             const QDateTime& endUtc, const QDateTime& endNewYork)
{
    QTest::newRow(name) << text << true << index << phrase << ignored << startUtc << endUtc << startNewYork
                        << endNewYork;
}

void TestChrono::addNoPhraseRow(const char* name, const QString& text)
{
    QTest::newRow(name) << text << false << -1 << QString() << QString() << QDateTime() << QDateTime()
                        << QDateTime() << QDateTime();
}

void TestChrono::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("ignored");
    QTest::addColumn<QDateTime>("startUtc");
    QTest::addColumn<QDateTime>("endUtc");
    QTest::addColumn<QDateTime>("startNewYork");
    QTest::addColumn<QDateTime>("endNewYork");

    // Relative phrases count from the reference moment, whatever the zone.
    addRow("in 2 hours", QStringLiteral("in 2 hours"), 0, QStringLiteral("in 2 hours"), QStringLiteral(""),
           utc(2026, 12, 7, 4, 30));
    addRow("in 3 days", QStringLiteral("in 3 days"), 0, QStringLiteral("in 3 days"), QStringLiteral(""),
           utc(2026, 12, 10, 2, 30));
    addRow("in 45 minutes", QStringLiteral("in 45 minutes"), 0, QStringLiteral("in 45 minutes"),
           QStringLiteral(""), utc(2026, 12, 7, 3, 15));
    // Days and clock times are the local zone's.
    addZonedRow("tomorrow at 5 PM", QStringLiteral("tomorrow at 5 PM"), 0, QStringLiteral("tomorrow at 5 PM"),
                QStringLiteral(""), utc(2026, 12, 8, 17), utc(2026, 12, 7, 22));
    addZonedRow("month day, time", QStringLiteral("December 25, 8:00 PM"), 0,
                QStringLiteral("December 25, 8:00 PM"), QStringLiteral(""), utc(2026, 12, 25, 20),
                utc(2026, 12, 26, 1));
    addZonedRow("numeric date, time", QStringLiteral("12/25/26, 8:00 PM"), 0,
                QStringLiteral("12/25/26, 8:00 PM"), QStringLiteral(""), utc(2026, 12, 25, 20),
                utc(2026, 12, 26, 1));
    // A zone named in the phrase wins over the local one; its parentheses are part of the phrase.
    addRow("named zone in parentheses", QStringLiteral("Premieres December 25, 8:00 PM (EST)!"), 10,
           QStringLiteral("December 25, 8:00 PM (EST)"), QStringLiteral("Premieres"), utc(2026, 12, 26, 1));
    addRow("unbalanced parenthesis", QStringLiteral("Premieres December 25, 8:00 PM (EST"), 10,
           QStringLiteral("December 25, 8:00 PM (EST"), QStringLiteral("Premieres"), utc(2026, 12, 26, 1));

    addNoPhraseRow("a few moments", QStringLiteral("in a few moments"));
    addNoPhraseRow("empty", QString());
    addNoPhraseRow("live event in a few moments",
                   QStringLiteral("ERROR: [youtube] abc: This live event will begin in a few moments."));

    addRow("live event message",
           QStringLiteral("ERROR: [youtube] abc123: This live event will begin in 3 days."), 52,
           QStringLiteral("in 3 days"), QStringLiteral("ERROR: [youtube] abc123: This live event will begin"),
           utc(2026, 12, 10, 2, 30));
    addRow("premiere message", QStringLiteral("ERROR: [youtube] abc: Premieres in 2 hours"), 32,
           QStringLiteral("in 2 hours"), QStringLiteral("ERROR: [youtube] abc: Premieres"),
           utc(2026, 12, 7, 4, 30));
    addRow("premiere message and another line",
           QStringLiteral("ERROR: [youtube] abc: Premieres in 2 hours.\nRetry later"), 32,
           QStringLiteral("in 2 hours"), QStringLiteral("ERROR: [youtube] abc: Premieres Retry later"),
           utc(2026, 12, 7, 4, 30));

    addZonedRow("range", QStringLiteral("from 2pm to 4pm today"), 0, QStringLiteral("from 2pm to 4pm today"),
                QStringLiteral(""), utc(2026, 12, 7, 14), utc(2026, 12, 6, 19), utc(2026, 12, 7, 16),
                utc(2026, 12, 6, 21));
    addZonedRow("range over midnight", QStringLiteral("at 10pm to 2am"), 0, QStringLiteral("at 10pm to 2am"),
                QStringLiteral(""), utc(2026, 12, 7, 22), utc(2026, 12, 7, 3), utc(2026, 12, 8, 2),
                utc(2026, 12, 7, 7));

    addZonedRow("connecting words in capitals", QStringLiteral("Download ON THE 5th of January."), 16,
                QStringLiteral("5th of January"), QStringLiteral("Download"), utc(2027, 1, 5, 12),
                utc(2027, 1, 5, 17));
    addZonedRow("text on both sides", QStringLiteral("meeting on Friday at 5pm, room 4"), 8,
                QStringLiteral("on Friday at 5pm"), QStringLiteral("meeting room 4"), utc(2026, 12, 4, 17),
                utc(2026, 12, 4, 22));
    addZonedRow("phrase twice", QStringLiteral("tomorrow at 5pm and again tomorrow at 5pm"), 0,
                QStringLiteral("tomorrow at 5pm"), QStringLiteral("and again"), utc(2026, 12, 8, 17),
                utc(2026, 12, 7, 22));
    addRow("two phrases, first wins", QStringLiteral("in 3 hours or tomorrow"), 0,
           QStringLiteral("in 3 hours"), QStringLiteral("or tomorrow"), utc(2026, 12, 7, 5, 30));
    addRow("unicode punctuation after", QStringLiteral("Premieres in 2 hours… see you"), 10,
           QStringLiteral("in 2 hours"), QStringLiteral("Premieres see you"), utc(2026, 12, 7, 4, 30));
    // The index counts UTF-16 units; the emoji after the phrase is not punctuation.
    addRow("surrogate pair", QStringLiteral("Live in 2 days 👀!"), 5, QStringLiteral("in 2 days"),
           QStringLiteral("Live 👀!"), utc(2026, 12, 9, 2, 30));
}

void TestChrono::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(int, index);
    QFETCH(QString, phrase);
    QFETCH(QString, ignored);
    QFETCH(QDateTime, startUtc);
    QFETCH(QDateTime, endUtc);
    QFETCH(QDateTime, startNewYork);
    QFETCH(QDateTime, endNewYork);
    const QDateTime start = m_zone == Zone::Utc ? startUtc : startNewYork;
    const QDateTime end = m_zone == Zone::Utc ? endUtc : endNewYork;

    const ChronoParsedResult result = Chrono::shared().parse(text, reference);
    QCOMPARE(result.inputString, text);
    // What the downloader sees through the engine's seam.
    Engine::TimePhraseParser& seam = Chrono::shared();
    const std::optional<QDateTime> seamDate = seam.parseDate(text, reference);

    if (!found) {
        QVERIFY(!result.indexOfStartingCharacterOfTimePhrase);
        QVERIFY(!result.timePhrase);
        QVERIFY(!result.ignoredText);
        QVERIFY(!result.referenceDate);
        QVERIFY(!result.startDate);
        QVERIFY(!result.endDate);
        QVERIFY(!result.dateInterval);
        QVERIFY(!seamDate);
        return;
    }

    QVERIFY(result.indexOfStartingCharacterOfTimePhrase);
    QCOMPARE(*result.indexOfStartingCharacterOfTimePhrase, qint64(index));
    QVERIFY(result.timePhrase);
    QCOMPARE(*result.timePhrase, phrase);
    QCOMPARE(text.mid(index, phrase.size()), phrase);
    QVERIFY(result.ignoredText);
    QCOMPARE(*result.ignoredText, ignored);
    QVERIFY(result.referenceDate);
    QCOMPARE(*result.referenceDate, reference);

    QVERIFY(result.startDate);
    QCOMPARE(*result.startDate, start);
    QCOMPARE(result.startDate->timeSpec(), Qt::UTC);
    QVERIFY(seamDate);
    QCOMPARE(*seamDate, start);
    QCOMPARE(seamDate->timeSpec(), Qt::UTC);

    if (end.isValid()) {
        QVERIFY(result.endDate);
        QCOMPARE(*result.endDate, end);
        QCOMPARE(result.endDate->timeSpec(), Qt::UTC);
        QVERIFY(result.dateInterval);
        QCOMPARE(result.dateInterval->start, start);
        QCOMPARE(result.dateInterval->end, end);
    } else {
        // No end means no interval, not an empty one.
        QVERIFY(!result.endDate);
        QVERIFY(!result.dateInterval);
    }
}

void TestChrono::withoutReferenceUsesNow()
{
    Chrono& chrono = Chrono::shared();
    const QString text = QStringLiteral("Premieres in 2 hours");
    // A parse with an old reference first: the next one must not reuse it.
    QCOMPARE(chrono.parseDate(text, utc(2001, 1, 1, 0)), utc(2001, 1, 1, 2));

    const QDateTime before = QDateTime::currentDateTimeUtc();
    const ChronoParsedResult result = chrono.parse(text);
    const std::optional<QDateTime> date = chrono.parseDate(text);
    const std::optional<QDateTime> invalidReference = chrono.parseDate(text, QDateTime());
    const QDateTime after = QDateTime::currentDateTimeUtc();

    QVERIFY(result.referenceDate);
    QVERIFY2(*result.referenceDate >= before.addSecs(-1) && *result.referenceDate <= after.addSecs(1),
             qPrintable(result.referenceDate->toString(Qt::ISODateWithMs)));
    for (const std::optional<QDateTime>& start : {result.startDate, date, invalidReference}) {
        QVERIFY(start);
        QVERIFY2(*start >= before.addSecs(2 * 3600 - 1) && *start <= after.addSecs(2 * 3600 + 1),
                 qPrintable(start->toString(Qt::ISODateWithMs)));
    }
}

void TestChrono::ignoredText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("expected");

    QTest::newRow("connecting words, any case")
        << QStringLiteral("Download ON the 5th.") << QStringLiteral("the 5th") << QStringLiteral("Download");
    QTest::newRow("text on both sides")
        << QStringLiteral("meeting on Friday at 5pm, room 4") << QStringLiteral("Friday at 5pm")
        << QStringLiteral("meeting room 4");
    QTest::newRow("on the, any white space")
        << QStringLiteral("see you on  the\t5th") << QStringLiteral("5th") << QStringLiteral("see you");
    // "in" at the end of a word is not a connecting word.
    QTest::newRow("word ending in 'in'")
        << QStringLiteral("Begin tomorrow") << QStringLiteral("tomorrow") << QStringLiteral("Begin");
    QTest::newRow("every occurrence")
        << QStringLiteral("tomorrow, or tomorrow!") << QStringLiteral("tomorrow") << QStringLiteral("or");
    QTest::newRow("white space inside kept")
        << QStringLiteral("a  b in 2 hours") << QStringLiteral("in 2 hours") << QStringLiteral("a  b");
    QTest::newRow("unicode punctuation") << QStringLiteral("in 2 hours… «see» you")
                                         << QStringLiteral("in 2 hours") << QStringLiteral("see» you");
    QTest::newRow("unicode white space") << QStringLiteral("Premieres on\u2003Friday\u00a0now")
                                         << QStringLiteral("Friday") << QStringLiteral("Premieres now");
    QTest::newRow("symbols are not punctuation")
        << QStringLiteral("in 2 hours $5 + tax") << QStringLiteral("in 2 hours")
        << QStringLiteral("$5 + tax");
    // The phrase is literal text, never a pattern.
    QTest::newRow("dot") << QStringLiteral("25x12 25.12") << QStringLiteral("25.12")
                         << QStringLiteral("25x12");
    QTest::newRow("unbalanced parenthesis") << QStringLiteral("starts 8 PM (EST today")
                                            << QStringLiteral("8 PM (EST") << QStringLiteral("starts today");
    QTest::newRow("brackets") << QStringLiteral("[youtube] at [5pm] ok") << QStringLiteral("[5pm]")
                              << QStringLiteral("[youtube] at ok");
    QTest::newRow("backslash and dollar")
        << QStringLiteral("a \\d$1 b") << QStringLiteral("\\d$1") << QStringLiteral("a b");
    QTest::newRow("phrase not in text")
        << QStringLiteral("  nothing here ") << QStringLiteral("tomorrow") << QStringLiteral("nothing here");
    QTest::newRow("empty phrase") << QStringLiteral(" in 2 hours ") << QString()
                                  << QStringLiteral("in 2 hours");
}

void TestChrono::ignoredText()
{
    QFETCH(QString, input);
    QFETCH(QString, phrase);
    QFETCH(QString, expected);
    QCOMPARE(Chrono::ignoredText(input, phrase), expected);
}

void TestChrono::description()
{
    ChronoParsedResult empty;
    empty.inputString = QStringLiteral("no phrase");
    QCOMPARE(empty.description(), QStringLiteral("inputString: no phrase\n"
                                                 "indexOfStartingCharacterOfTimePhrase: nil\n"
                                                 "timePhrase: nil\n"
                                                 "ignoredText: nil\n"
                                                 "referenceDate: nil\n"
                                                 "startDate: nil\n"
                                                 "endDate: nil\n"
                                                 "dateInterval: nil"));

    const ChronoParsedResult full =
        Chrono::shared().parse(QStringLiteral("Premieres from 8pm to 10pm today"), utc(2026, 12, 25, 12));
    const QStringList lines = full.description().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines.at(0), QStringLiteral("inputString: Premieres from 8pm to 10pm today"));
    QCOMPARE(lines.at(1), QStringLiteral("indexOfStartingCharacterOfTimePhrase: 10"));
    QCOMPARE(lines.at(2), QStringLiteral("timePhrase: from 8pm to 10pm today"));
    QCOMPARE(lines.at(3), QStringLiteral("ignoredText: Premieres"));
    // Dates in the local zone, US English.
    if (m_zone == Zone::Utc) {
        QCOMPARE(lines.at(4), QStringLiteral("referenceDate: December 25, 2026 at 12:00:00 PM UTC"));
        QCOMPARE(lines.at(5), QStringLiteral("startDate: December 25, 2026 at 8:00:00 PM UTC"));
        QCOMPARE(lines.at(6), QStringLiteral("endDate: December 25, 2026 at 10:00:00 PM UTC"));
    } else {
        QCOMPARE(lines.at(4), QStringLiteral("referenceDate: December 25, 2026 at 7:00:00 AM EST"));
        QCOMPARE(lines.at(5), QStringLiteral("startDate: December 25, 2026 at 8:00:00 PM EST"));
        QCOMPARE(lines.at(6), QStringLiteral("endDate: December 25, 2026 at 10:00:00 PM EST"));
    }
    const QString interval = lines.at(7);
    QVERIFY2(interval.startsWith(QStringLiteral("dateInterval: ")) &&
                 interval.contains(QStringLiteral(" – ")) && interval.contains(QStringLiteral("2026")),
             qPrintable(interval));
}

QString TestChrono::writeScript(const QByteArray& script)
{
    const QString path = m_scripts.filePath(QStringLiteral("library%1.js").arg(++m_scriptCount));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size())
        return {};
    return path;
}

void TestChrono::brokenLibrary_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing") << QByteArray() << QStringLiteral("Cannot read the chrono library");
    QTest::newRow("syntax error") << QByteArray("var chrono = {")
                                  << QStringLiteral("failed to load: SyntaxError");
    QTest::newRow("throws while loading")
        << QByteArray("throw new Error('boom');") << QStringLiteral("failed to load: Error: boom");
    QTest::newRow("no chrono") << QByteArray("var other = {};") << QStringLiteral("defines no chrono.parse");
    QTest::newRow("parse throws") << QByteArray(
                                         "var chrono = { parse: function () { throw new Error('bad'); } };")
                                  << QStringLiteral("chrono.parse failed: Error: bad");
    QTest::newRow("parse returns no list")
        << QByteArray("var chrono = { parse: function () { return 42; } };")
        << QStringLiteral("returned 42 instead of a list");
}

void TestChrono::brokenLibrary()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, message);
    const QString path =
        script.isNull() ? m_scripts.filePath(QStringLiteral("absent.js")) : writeScript(script);
    QVERIFY(!path.isEmpty());

    Chrono chrono(path);
    const QString text = QStringLiteral("ERROR: [youtube] abc: Premieres in 2 hours");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(message)));
    const ChronoParsedResult result = chrono.parse(text, reference);
    QCOMPARE(result.inputString, text);
    QVERIFY(!result.indexOfStartingCharacterOfTimePhrase);
    QVERIFY(!result.timePhrase);
    QVERIFY(!result.startDate);
}

void TestChrono::convertsOrDropsDates_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("end");
    QTest::addColumn<QDateTime>("expectedStart");
    QTest::addColumn<QDateTime>("expectedEnd");
    QTest::addColumn<bool>("interval");
    QTest::addColumn<QString>("warning");

    const QByteArray christmas = "new Date(Date.UTC(2026, 11, 25, 20, 0, 0, 250))";
    const QByteArray earlier = "new Date(Date.UTC(2026, 11, 25, 18))";
    const QDateTime christmasUtc = utc(2026, 12, 25, 20).addMSecs(250);

    QTest::newRow("start and end") << christmas << QByteArray("new Date(Date.UTC(2026, 11, 25, 22))")
                                   << christmasUtc << utc(2026, 12, 25, 22) << true << QString();
    // A range cannot run backwards: both dates are kept, the interval is not.
    QTest::newRow("end before start")
        << christmas << earlier << christmasUtc << utc(2026, 12, 25, 18) << false << QString();
    QTest::newRow("start is text") << QByteArray("'soon'") << QByteArray() << QDateTime() << QDateTime()
                                   << false << QStringLiteral("chrono's start of \"at x\" is not a date");
    QTest::newRow("start is an invalid date")
        << QByteArray("new Date(NaN)") << QByteArray() << QDateTime() << QDateTime() << false
        << QStringLiteral("chrono's start of \"at x\" is not a date");
    QTest::newRow("end throws") << christmas << QByteArray("(function () { throw new Error('no end'); })()")
                                << christmasUtc << QDateTime() << false
                                << QStringLiteral("chrono's end of \"at x\" is not a date: Error: no end");
}

void TestChrono::convertsOrDropsDates()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    QFETCH(QDateTime, expectedStart);
    QFETCH(QDateTime, expectedEnd);
    QFETCH(bool, interval);
    QFETCH(QString, warning);

    // A stand-in for the library that answers with the given values; it also checks that the
    // browser's `window` global is there while it loads.
    QByteArray script = "if (window !== this) throw new Error('no window');\n"
                        "var chrono = { parse: function (text, ref) { return [{ index: 3, text: 'at x',"
                        " refDate: ref, start: { date: function () { return " +
                        start + "; } }";
    if (!end.isEmpty())
        script += ", end: { date: function () { return " + end + "; } }";
    script += " }]; } };";
    const QString path = writeScript(script);
    QVERIFY(!path.isEmpty());

    Chrono chrono(path);
    // Once for parse, once for parseDate.
    for (int i = 0; !warning.isEmpty() && i < 2; ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    const ChronoParsedResult result = chrono.parse(QStringLiteral("on at x."), reference);
    QCOMPARE(result.indexOfStartingCharacterOfTimePhrase, std::optional<qint64>(3));
    QCOMPARE(result.timePhrase, std::optional<QString>(QStringLiteral("at x")));
    QCOMPARE(result.ignoredText, std::optional<QString>(QStringLiteral("")));
    QVERIFY(result.referenceDate);
    QCOMPARE(*result.referenceDate, reference);

    QCOMPARE(result.startDate.has_value(), expectedStart.isValid());
    if (expectedStart.isValid()) {
        QCOMPARE(*result.startDate, expectedStart);
        QCOMPARE(result.startDate->timeSpec(), Qt::UTC);
    }
    QCOMPARE(result.endDate.has_value(), expectedEnd.isValid());
    if (expectedEnd.isValid())
        QCOMPARE(*result.endDate, expectedEnd);
    QCOMPARE(result.dateInterval.has_value(), interval);
    QCOMPARE(chrono.parseDate(QStringLiteral("x"), reference).has_value(), expectedStart.isValid());
}

void TestChrono::refusedOffMainThread()
{
    Chrono& chrono = Chrono::shared();
    const QString text = QStringLiteral("ERROR: [youtube] abc: Premieres in 2 hours");
    const QDateTime expected = utc(2026, 12, 7, 4, 30);
    constexpr int rounds = 50;

    for (int i = 0; i < rounds; ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("main thread only")));
    int refused = 0;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        for (int i = 0; i < rounds; ++i) {
            const ChronoParsedResult result = chrono.parse(text, reference);
            if (result.inputString == text && !result.timePhrase && !result.startDate)
                ++refused;
        }
    }));
    worker->start();
    const auto join = qScopeGuard([&] { worker->wait(); });
    // The main thread keeps parsing meanwhile, and its results stay whole.
    for (int i = 0; i < rounds; ++i) {
        const ChronoParsedResult result = chrono.parse(text, reference);
        QVERIFY(result.startDate);
        QCOMPARE(*result.startDate, expected);
        QCOMPARE(result.ignoredText,
                 std::optional<QString>(QStringLiteral("ERROR: [youtube] abc: Premieres")));
    }
    QVERIFY(worker->wait(30000));
    QCOMPARE(refused, rounds);
}

QTEST_GUILESS_MAIN(TestChrono)
#include "tst_chrono.moc"
