#include "testmedia.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
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

QString uniqueSuffix()
{
    return QUuid::createUuid().toString(QUuid::Id128).left(12);
}
} // namespace

QString TestMedia::folder()
{
    return QStringLiteral(VELTQORV_TESTSUPPORT_MEDIA_DIR);
}

QString TestMedia::clip(int seconds, int videoKbps)
{
    const QString name = videoKbps > 0 ? QStringLiteral("clip-%1s-%2k.mp4").arg(seconds).arg(videoKbps)
                                       : QStringLiteral("clip-%1s.mp4").arg(seconds);
    const QString target = folder() + QLatin1Char('/') + name;
    if (QFileInfo::exists(target))
        return target;
    QDir().mkpath(folder());

    // Written aside and renamed into place, so a concurrent reader never sees half a file.
    const QString partial = target + QStringLiteral(".part-") + uniqueSuffix() + QStringLiteral(".mp4");
    const QString duration = QString::number(seconds);
    QStringList arguments{
        QStringLiteral("-f"),       QStringLiteral("lavfi"),
        QStringLiteral("-i"),       QStringLiteral("testsrc=duration=%1:size=320x240:rate=15").arg(duration),
        QStringLiteral("-f"),       QStringLiteral("lavfi"),
        QStringLiteral("-i"),       QStringLiteral("sine=frequency=440:duration=%1").arg(duration),
        QStringLiteral("-c:v"),     QStringLiteral("libx264"),
        QStringLiteral("-preset"),  QStringLiteral("ultrafast"),
        QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")};
    if (videoKbps > 0) {
        const QString rate = QStringLiteral("%1k").arg(videoKbps);
        arguments << QStringLiteral("-b:v") << rate << QStringLiteral("-minrate") << rate
                  << QStringLiteral("-maxrate") << rate << QStringLiteral("-bufsize") << rate
                  << QStringLiteral("-x264-params") << QStringLiteral("nal-hrd=cbr");
    }
    arguments << QStringLiteral("-c:a") << QStringLiteral("aac") << QStringLiteral("-shortest") << partial;
    if (!runFfmpeg(arguments)) {
        QFile::remove(partial);
        return {};
    }
    if (!QFile::rename(partial, target))
        QFile::remove(partial);
    return QFileInfo::exists(target) ? target : QString();
}

QString TestMedia::dashFolder(int seconds)
{
    const QString target = folder() + QStringLiteral("/dash-%1s").arg(seconds);
    if (QFileInfo::exists(target + QStringLiteral("/manifest.mpd")))
        return target;
    const QString source = clip(seconds);
    if (source.isEmpty())
        return {};

    const QString partial = target + QStringLiteral(".part-") + uniqueSuffix();
    QDir().mkpath(partial);
    const bool made = runFfmpeg({QStringLiteral("-i"), source, QStringLiteral("-map"), QStringLiteral("0:v"),
                                 QStringLiteral("-map"), QStringLiteral("0:a"), QStringLiteral("-c"),
                                 QStringLiteral("copy"), QStringLiteral("-f"), QStringLiteral("dash"),
                                 QStringLiteral("-seg_duration"), QStringLiteral("1"),
                                 partial + QStringLiteral("/manifest.mpd")});
    if (!made || !QDir().rename(partial, target))
        QDir(partial).removeRecursively();
    return QFileInfo::exists(target + QStringLiteral("/manifest.mpd")) ? target : QString();
}

} // namespace TestSupport
