#pragma once

#include <QLoggingCategory>

namespace Engine {
Q_DECLARE_LOGGING_CATEGORY(lcMain)
Q_DECLARE_LOGGING_CATEGORY(lcDownloader)
} // namespace Engine
