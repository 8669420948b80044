#pragma once

#include <QLoggingCategory>

namespace Capture {
Q_DECLARE_LOGGING_CATEGORY(lcCapture)
} // namespace Capture
