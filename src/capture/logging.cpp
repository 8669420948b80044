#include "logging.h"

namespace Capture {
Q_LOGGING_CATEGORY(lcCapture, "org.veltqorv.VeltQorv.Capture")
} // namespace Capture
