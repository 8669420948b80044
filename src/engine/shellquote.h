#pragma once

#include <QString>

namespace Engine {

// Quotes a value so that a POSIX shell reads it as exactly one word, whatever it holds:
// single quotes, with each embedded ' written as '\''.
QString shellQuote(const QString& value);

// The value as it stands when the shell reads it as one word with nothing expanded (letters,
// digits and - _ = . , : / + @ %), else quoted: keeps option names readable in logs.
QString shellWord(const QString& value);

} // namespace Engine
