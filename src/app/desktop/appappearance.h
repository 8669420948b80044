#pragma once

#include <QString>

#include <optional>

namespace App {

// Light/dark appearance of the application, stored as its integer raw value.
enum class AppAppearance
{
    system = 0,
    light = 1,
    dark = 2
};

std::optional<AppAppearance> appAppearanceFromRaw(int raw);
QString appAppearanceTitle(AppAppearance appearance);

} // namespace App
