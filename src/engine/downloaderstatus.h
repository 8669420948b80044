#pragma once

#include <QMetaType>
#include <QString>

namespace Engine {

// Where one run of a Downloader stands. A run leaves `running` exactly once, for `failed` or
// `completed`; a refused address or a missing tool goes from `ready` to `failed` directly.
enum class DownloaderStatus
{
    ready,
    running,
    failed,
    completed
};

QString downloaderStatusName(DownloaderStatus status);

} // namespace Engine

Q_DECLARE_METATYPE(Engine::DownloaderStatus)
