#include "app/desktop/appappearance.h"

#include <QCoreApplication>

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
        return QCoreApplication::translate("App::AppAppearance", "System");
    case AppAppearance::light:
        return QCoreApplication::translate("App::AppAppearance", "Light");
    case AppAppearance::dark:
        return QCoreApplication::translate("App::AppAppearance", "Dark");
    }
    return {};
}

} // namespace App
