#include "logging.h"

namespace Engine {
// Debug lines (every line of the tool's output among them) only when asked for through
// QT_LOGGING_RULES: an hours-long download would otherwise flood the journal.
Q_LOGGING_CATEGORY(lcMain, "org.veltqorv.VeltQorv.log.main", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDownloader, "org.veltqorv.VeltQorv.Downloader", QtInfoMsg)
} // namespace Engine
