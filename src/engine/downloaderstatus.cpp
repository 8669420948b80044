#include "downloaderstatus.h"

namespace Engine {

QString downloaderStatusName(DownloaderStatus status)
{
    switch (status) {
    case DownloaderStatus::ready:
        return QStringLiteral("ready");
    case DownloaderStatus::running:
        return QStringLiteral("running");
    case DownloaderStatus::failed:
        return QStringLiteral("failed");
    case DownloaderStatus::completed:
        return QStringLiteral("completed");
    }
    return {};
}

} // namespace Engine
