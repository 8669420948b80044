#pragma once

#include <QIcon>
#include <QString>

namespace App {

// Icons named by the symbol names the rest of the system uses ("star.fill", "play.fill"):
// the desktop theme's icon when the theme has one, else the bundled drawing.
class SymbolIcon
{
public:
    static QIcon icon(const QString& symbol);
    // The freedesktop icon name tried first; empty for an unknown symbol.
    static QString themeName(const QString& symbol);
    // The bundled fallback (a resource path); empty for an unknown symbol.
    static QString resourcePath(const QString& symbol);
    // The application's own icon.
    static QIcon applicationIcon();
};

} // namespace App
