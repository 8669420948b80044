#pragma once

#include <QString>

namespace Engine {

// Quotes a value so that a POSIX shell reads it as exactly one word, whatever it holds:
// single quotes, with each embedded ' written as '\''.
QString shellQuote(const QString& value);

} // namespace Engine
