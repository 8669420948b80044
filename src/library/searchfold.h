#pragma once

#include <QString>

namespace Library {

// The form in which titles are stored for search and search texts are compared: compatibility
// decomposition without combining marks, case-folded. "Ärger" and "arger" fold alike, and so do
// full-width and ordinary letters.
QString searchFold(const QString& text);

} // namespace Library
