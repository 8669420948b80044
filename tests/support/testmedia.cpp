#include "testmedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>

#include <cstdio>

namespace TestSupport {

namespace {
bool runFfmpeg(const QStringList& arguments)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-v"), QStringLiteral("error"),
                                                       QStringLiteral("-nostdin"), QStringLiteral("-y")} +
                                               arguments);
    if (!ffmpeg.waitForFinished(300000) || ffmpeg.exitStatus() != QProcess::NormalExit ||
        ffmpeg.exitCode() != 0) {
        std::fprintf(stderr, "ffmpeg failed: %s\n", ffmpeg.readAll().constData());
        return false;
    }
    return true;
}

// Media is written aside under this name and renamed into place, so a concurrent reader never
// sees half a file.
QString partialName(const QString& target)
{
    return target + QStringLiteral(".part-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}
} // namespace

QString TestMedia::clip(int seconds, int videoKbps, int height)
{
    QString name = videoKbps > 0 ? QStringLiteral("clip-%1s-%2k").arg(seconds).arg(videoKbps)
                                 : QStringLiteral("clip-%1s").arg(seconds);
    name += (height == 240 ? QString() : QStringLiteral("-%1p").arg(height)) + QStringLiteral(".mp4");
    const QString target = QStringLiteral(VELTQORV_TESTSUPPORT_MEDIA_DIR "/") + name;
    if (QFileInfo::exists(target))
        return target;
    QDir().mkpath(QStringLiteral(VELTQORV_TESTSUPPORT_MEDIA_DIR));

    const QString partial = partialName(target) + QStringLiteral(".mp4");
    const QString duration = QString::number(seconds);
    QStringList arguments{QStringLiteral("-f"),
                          QStringLiteral("lavfi"),
                          QStringLiteral("-i"),
                          QStringLiteral("testsrc=duration=%1:size=%2x%3:rate=15")
                              .arg(duration)
                              .arg(height * 4 / 3 / 2 * 2)
                              .arg(height),
                          QStringLiteral("-f"),
                          QStringLiteral("lavfi"),
                          QStringLiteral("-i"),
                          QStringLiteral("sine=frequency=440:duration=%1").arg(duration),
                          QStringLiteral("-c:v"),
                          QStringLiteral("libx264"),
                          QStringLiteral("-preset"),
                          QStringLiteral("ultrafast"),
                          QStringLiteral("-pix_fmt"),
                          QStringLiteral("yuv420p")};
    if (videoKbps > 0) {
        const QString rate = QStringLiteral("%1k").arg(videoKbps);
        arguments << QStringLiteral("-b:v") << rate << QStringLiteral("-minrate") << rate
                  << QStringLiteral("-maxrate") << rate << QStringLiteral("-bufsize") << rate
                  << QStringLiteral("-x264-params") << QStringLiteral("nal-hrd=cbr");
    }
    arguments << QStringLiteral("-c:a") << QStringLiteral("aac") << QStringLiteral("-shortest") << partial;
    if (!runFfmpeg(arguments) || !QFile::rename(partial, target))
        QFile::remove(partial);
    return QFileInfo::exists(target) ? target : QString();
}

QString TestMedia::dashFolder(int seconds)
{
    const QString target = QStringLiteral(VELTQORV_TESTSUPPORT_MEDIA_DIR "/dash-%1s").arg(seconds);
    const QString manifest = QStringLiteral("/manifest.mpd");
    if (QFileInfo::exists(target + manifest))
        return target;
    const QString source = clip(seconds);
    const QString partial = partialName(target);
    if (source.isEmpty() || !QDir().mkpath(partial))
        return {};
    if (!runFfmpeg({QStringLiteral("-i"), source, QStringLiteral("-map"), QStringLiteral("0:v"),
                    QStringLiteral("-map"), QStringLiteral("0:a"), QStringLiteral("-c"),
                    QStringLiteral("copy"), QStringLiteral("-f"), QStringLiteral("dash"),
                    QStringLiteral("-seg_duration"), QStringLiteral("1"), partial + manifest}) ||
        !QDir().rename(partial, target))
        QDir(partial).removeRecursively();
    return QFileInfo::exists(target + manifest) ? target : QString();
}

QString TestMedia::hlsFolder(int seconds)
{
    const QString target = QStringLiteral(VELTQORV_TESTSUPPORT_MEDIA_DIR "/hls-%1s").arg(seconds);
    const QString page = QStringLiteral("/stream.html");
    if (QFileInfo::exists(target + page))
        return target;
    QStringList arguments;
    for (const int height : {720, 480, 240}) {
        const QString source = clip(seconds, 0, height);
        if (source.isEmpty())
            return {};
        arguments << QStringLiteral("-i") << source;
    }
    const QString partial = partialName(target);
    if (!QDir().mkpath(partial))
        return {};
    arguments << QStringLiteral("-map 0:v -map 0:a -map 1:v -map 1:a -map 2:v -map 2:a -c copy -f hls "
                                "-hls_playlist_type vod -master_pl_name master.m3u8")
                     .split(QLatin1Char(' '))
              << QStringLiteral("-var_stream_map") << QStringLiteral("v:0,a:0 v:1,a:1 v:2,a:2")
              << QStringLiteral("-hls_segment_filename") << partial + QStringLiteral("/v%v-%d.ts")
              << partial + QStringLiteral("/v%v.m3u8");
    const QByteArray html = "<html><body><video><source src=\"master.m3u8\" "
                            "type=\"application/x-mpegURL\"></video></body></html>";
    QFile file(partial + page);
    if (!runFfmpeg(arguments) || !file.open(QIODevice::WriteOnly) || file.write(html) != html.size() ||
        !file.flush() || !QDir().rename(partial, target))
        QDir(partial).removeRecursively();
    return QFileInfo::exists(target + page) ? target : QString();
}

bool TestMedia::playerPage(const QString& folder)
{
    const auto write = [&folder](const char* name, const QByteArray& bytes) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    for (const int height : {720, 480}) {
        const QString target = folder + QStringLiteral("/v%1.mp4").arg(height);
        const QString source = clip(2, 0, height);
        if (source.isEmpty() || !(QFileInfo::exists(target) || QFile::copy(source, target)))
            return false;
    }
    return write("en.vtt", "WEBVTT\n\n00:00.000 --> 00:01.000\nHello\n") &&
           write("player.html",
                 "<html><head><meta property=\"og:title\" content=\"Player\"></head><body><video>"
                 "<source src=\"v720.mp4\" type=\"video/mp4\" height=\"720\">"
                 "<source src=\"v480.mp4\" type=\"video/mp4\" height=\"480\">"
                 "<track kind=\"subtitles\" src=\"en.vtt\" srclang=\"en\"></video></body></html>");
}

} // namespace TestSupport
