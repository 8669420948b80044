#include "logging.h"

namespace Engine {
Q_LOGGING_CATEGORY(lcMain, "org.veltqorv.VeltQorv.log.main")
Q_LOGGING_CATEGORY(lcDownloader, "org.veltqorv.VeltQorv.Downloader")
} // namespace Engine
