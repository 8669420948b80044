// What the command line adds, and what it refuses, in the starting process and in the running
// instance that reads the arguments handed over.
#include "app/desktop/commandline.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/presetlist.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using App::CommandLine;

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Engine::Preferences m_preferences{m_dir.filePath(QStringLiteral("preferences.conf"))};

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // "help", "refused: <why>", or the addresses and then the option set the tool gets ("quick":
    // none, the default preset's).
    QString outcome(const CommandLine::Result& result)
    {
        if (result.action == CommandLine::Action::help)
            return QStringLiteral("help");
        if (result.action != CommandLine::Action::add)
            return QStringLiteral("refused: ") + result.text;
        QStringList addresses;
        for (const QUrl& url : result.addresses)
            addresses << url.toString();
        const CommandLine::Options options = CommandLine::options(result, m_preferences);
        const QString config = !options.refusal.isEmpty() ? QStringLiteral("refused: ") + options.refusal
                               : options.config           ? options.config->arguments().join(QLatin1Char(' '))
                                                          : QStringLiteral("quick");
        return addresses.join(QLatin1Char(' ')) + QStringLiteral(" | ") + config;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("downloads/sub")));
        QVERIFY(QDir::setCurrent(path(QStringLiteral("downloads"))));
        m_preferences.setValue(Library::Keys::defaultOutputLocation,
                               QUrl::fromLocalFile(path(QStringLiteral("downloads"))));
        Engine::DownloadChoice clip;
        clip.audioOnly = true;
        clip.audioFormat = Engine::DownloadChoice::AudioFormat::flac;
        clip.embedThumbnail = true;
        QVERIFY(Library::PresetList(m_preferences).save({QStringLiteral("Clip"), clip}));
    }

    void arguments_data()
    {
        QTest::addColumn<bool>("handedOver");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected"); // "... refused: X": refused, saying X

        const QString a = QStringLiteral("https://example.com/a");
        const QString b = QStringLiteral("http://127.0.0.1:8000/b.mp4");
        const QString scheme = QStringLiteral("veltqorv://add?url=") + b;
        const QString downloads = QStringLiteral("-P ") + path(QStringLiteral("downloads"));
        const QString video = QStringLiteral(" -f bv*+ba/b -S res");
        const auto row = [](const char* name, bool handedOver, const QStringList& arguments,
                            const QString& expected) {
            QTest::newRow(name) << handedOver << arguments << expected;
        };
        row("addresses alone are quick adds", true, {a, scheme},
            a + QLatin1Char(' ') + b + QStringLiteral(" | quick"));
        row("invalid addresses left out", false,
            {QStringLiteral("ftp://example.com/x"), a, QStringLiteral("not an address"), QStringLiteral("--"),
             QStringLiteral("-https://example.com/c")},
            a + QStringLiteral(" | quick"));
        row("help", false, {QStringLiteral("--help"), a}, QStringLiteral("help"));
        row("audio into the download folder", false, {QStringLiteral("--audio"), QStringLiteral("opus"), a},
            a + QStringLiteral(" | ") + downloads +
                QStringLiteral(" -f ba/b -x --audio-format opus --audio-quality 2"));
        row("preset", true, {QStringLiteral("--preset"), QStringLiteral("Clip"), a},
            a + QStringLiteral(" | ") + downloads +
                QStringLiteral(" -f ba/b -x --audio-format flac --embed-thumbnail"));
        row("quality over the preset's audio", true,
            {QStringLiteral("--quality"), QStringLiteral("720"), QStringLiteral("--preset"),
             QStringLiteral("Clip"), a},
            a + QStringLiteral(" | ") + downloads +
                QStringLiteral(" -f bv*[height<=720]+ba/b[height<=720] -S res:720 --embed-thumbnail"));
        row("relative folder from the working folder", false,
            {QStringLiteral("--folder"), QStringLiteral("./sub/"), a},
            a + QStringLiteral(" | -P ") + path(QStringLiteral("downloads/sub")) + video);
        row("unknown preset", true, {QStringLiteral("--preset"), QStringLiteral("Nope"), a},
            a + QStringLiteral(" | refused: Nope"));
        row("relative folder handed over", true, {QStringLiteral("--folder"), QStringLiteral("sub"), a},
            QStringLiteral("refused: absolute"));
        row("missing folder", false, {QStringLiteral("--folder"), path(QStringLiteral("missing")), a},
            QStringLiteral("refused: existing folder"));
        row("empty folder", false, {QStringLiteral("--folder"), QString(), a},
            QStringLiteral("refused: existing folder"));
        row("a file for a folder", false,
            {QStringLiteral("--folder"), path(QStringLiteral("preferences.conf")), a},
            QStringLiteral("refused: existing folder"));
        row("audio and quality", false,
            {QStringLiteral("--quality"), QStringLiteral("720"), QStringLiteral("--audio"),
             QStringLiteral("mp3"), a},
            QStringLiteral("refused: exclude"));
        row("unknown audio format", false, {QStringLiteral("--audio"), QStringLiteral("MP3"), a},
            QStringLiteral("refused: \"MP3\""));
        row("quality zero", false, {QStringLiteral("--quality"), QStringLiteral("0"), a},
            QStringLiteral("refused: \"0\""));
        row("quality with a unit", true, {QStringLiteral("--quality"), QStringLiteral("720p"), a},
            QStringLiteral("refused: \"720p\""));
        row("value missing", false, {a, QStringLiteral("--audio")}, QStringLiteral("refused: Missing value"));
        row("unknown option", true, {QStringLiteral("--exec=rm"), a},
            QStringLiteral("refused: Unknown option"));
        row("short options", false, {QStringLiteral("-x"), a}, QStringLiteral("refused: Unknown option"));
    }

    void arguments()
    {
        QFETCH(bool, handedOver);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const CommandLine::Result result = CommandLine::parse(
            arguments, handedOver ? CommandLine::Source::handedOver : CommandLine::Source::own);
        const QString actual = outcome(result);
        const qsizetype refusal = expected.indexOf(QLatin1String("refused: "));
        if (refusal >= 0)
            QVERIFY2(actual.startsWith(expected.left(refusal + 9)) &&
                         actual.contains(expected.mid(refusal + 9)),
                     qPrintable(actual));
        else
            QCOMPARE(actual, expected);
        // The running instance reads what a start hands over as that start did.
        if (result.action == CommandLine::Action::add)
            QCOMPARE(outcome(CommandLine::parse(result.handOver, CommandLine::Source::handedOver)), actual);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
