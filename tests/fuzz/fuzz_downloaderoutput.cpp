#include "engine/downloaderoutputparser.h"
#include "engine/downloaderprogress.h"
#include "fuzz/fuzzinput.h"

#include <QDir>
#include <QTest>

#include <cmath>

using Engine::DownloaderOutputParser;
using Engine::DownloaderProgress;

class FuzzDownloaderOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outputLines()
    {
        Fuzz::Generator generator(
            {
                QStringLiteral("[youtube] Extracting URL: https://www.youtube.com/watch?v=dQw4w9WgXcQ"),
                QStringLiteral("[download] Destination: /home/user/Downloads/Clip [dQw4w9WgXcQ].f137.mp4"),
                QStringLiteral("[download] Destination: out/clip.f140.m4a"),
                QStringLiteral("[download]  57.9% of   25.90KiB at    7.42MiB/s ETA 00:00"),
                QStringLiteral(
                    "[Merger] Merging formats into \"/home/user/Downloads/Clip [dQw4w9WgXcQ].mp4\""),
                QStringLiteral("[Merger] Merging formats into \"a \"quoted\" name.mkv\""),
                QStringLiteral("[download] x [download] out/Clip.mp4 has already been downloaded"),
                QStringLiteral("[download] Finished downloading playlist: Mix - Lo-fi"),
                QStringLiteral("[veltqorv-progress-0123456789abcdef] downloading 1024 26526 NA NA NA NA NA"),
                QStringLiteral("[download] Destination: ./../../clip.webm"),
                QStringLiteral("[download] Destination: ~/clip.webm"),
            },
            {QStringLiteral("[download] Destination:"), QStringLiteral("[Merger] Merging formats into"),
             QStringLiteral("[download] Finished downloading playlist:"), QStringLiteral("[download] "),
             QStringLiteral(" has already been downloaded"), QStringLiteral("/"), QStringLiteral("\"\"")});

        Fuzz::Budget budget("output lines", 20000);
        while (budget.next()) {
            QStringList lines;
            for (int i = generator.bounded(4); i >= 0; --i)
                lines.append(generator.next());
            const QString joined = lines.join(QLatin1Char('\n'));
            const DownloaderOutputParser::Found found = DownloaderOutputParser::parseLines(lines);

            if (found.location) {
                FUZZ_VERIFY(found.location->isValid() && found.location->isLocalFile(), budget, joined);
                FUZZ_VERIFY(QDir::isAbsolutePath(found.location->toLocalFile()), budget, joined);
                // Whatever names the file also names the title.
                FUZZ_VERIFY(found.title.has_value(), budget, joined);
            }
            // Whatever came before, a clean file line afterwards names the file.
            lines.append(QStringLiteral("[download] Destination: /srv/media/Final clip.mp4"));
            const DownloaderOutputParser::Found last = DownloaderOutputParser::parseLines(lines);
            FUZZ_VERIFY(last.location == QUrl::fromLocalFile(QStringLiteral("/srv/media/Final clip.mp4")) &&
                            last.title == QStringLiteral("Final clip.mp4"),
                        budget, joined);
        }
    }

    void progressFields()
    {
        Fuzz::Generator generator(
            {
                QStringLiteral("downloading 15360 26526 NA 7646826.046290801 3 NA NA"),
                QStringLiteral("downloading 1859 NA 7809.0 12.5 NA 1 2"),
                QStringLiteral("downloading NA NA NA NA NA 3 4"),
                QStringLiteral("finished 26526 26526 NA 3965290.03 NA NA NA"),
                QStringLiteral("error 10 20 NA NA NA NA NA"),
                QStringLiteral("downloading 30000 26526 NA NA 0 None None"),
                QStringLiteral("downloading 9 0 0 NA NA 0 0"),
            },
            {QStringLiteral(" NA"), QStringLiteral(" None"), QStringLiteral(" 1e19"), QStringLiteral(" -5"),
             QStringLiteral(" 0x10"), QStringLiteral(" 1,5"), QStringLiteral(" 9e18"),
             QStringLiteral(" 4.9e-324"), QStringLiteral(" 1.7976931348623157e308"), QStringLiteral(" +3")});

        Fuzz::Budget budget("progress fields", 100000);
        while (budget.next()) {
            const QString fields = generator.next();
            const std::optional<DownloaderProgress> progress = DownloaderProgress::parse(fields);
            if (!progress)
                continue;
            if (const std::optional<double> percent = progress->percent())
                FUZZ_VERIFY(std::isfinite(*percent) && *percent >= 0 && *percent <= 100, budget, fields);
            if (progress->isFileFinished())
                FUZZ_VERIFY(progress->percent() == 100.0, budget, fields);
            FUZZ_VERIFY(progress->downloadedBytes().value_or(0) >= 0 &&
                            progress->totalBytes().value_or(0) >= 0 && progress->eta().value_or(0) >= 0,
                        budget, fields);
            if (const std::optional<double> speed = progress->speed())
                FUZZ_VERIFY(std::isfinite(*speed) && *speed >= 0, budget, fields);
        }
    }
};

QTEST_GUILESS_MAIN(FuzzDownloaderOutput)
#include "fuzz_downloaderoutput.moc"
