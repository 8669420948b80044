#include "downloaderprocesserror.h"

namespace Engine {

QString DownloaderProcessError::kindName(Kind kind)
{
    switch (kind) {
    case Kind::downloaderBinNotFound:
        return QStringLiteral("downloaderBinNotFound");
    case Kind::downloadFailed:
        return QStringLiteral("downloadFailed");
    case Kind::processTerminated:
        return QStringLiteral("processTerminated");
    case Kind::premieresVideo:
        return QStringLiteral("premieresVideo");
    case Kind::liveEvent:
        return QStringLiteral("liveEvent");
    case Kind::videoUnavailable:
        return QStringLiteral("videoUnavailable");
    case Kind::permissionError:
        return QStringLiteral("permissionError");
    case Kind::addressRefused:
        return QStringLiteral("addressRefused");
    case Kind::formatUnavailable:
        return QStringLiteral("formatUnavailable");
    }
    return {};
}

} // namespace Engine
