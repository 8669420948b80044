#include "app/desktop/appappearance.h"

namespace App {

std::optional<AppAppearance> appAppearanceFromRaw(int raw)
{
    if (raw < 0 || raw > 2)
        return std::nullopt;
    return static_cast<AppAppearance>(raw);
}

QString appAppearanceTitle(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::system:
        return QStringLiteral("System");
    case AppAppearance::light:
        return QStringLiteral("Light");
    case AppAppearance::dark:
        return QStringLiteral("Dark");
    }
    return {};
}

} // namespace App
