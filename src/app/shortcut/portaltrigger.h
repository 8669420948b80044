#pragma once

#include <QKeyCombination>
#include <QString>

#include <optional>

namespace App {

// A key combination in the text the desktop portal takes as a preferred trigger: modifiers
// (CTRL, ALT, SHIFT, LOGO) and an xkbcommon key name joined by "+", e.g. "CTRL+SHIFT+d".
class PortalTrigger
{
public:
    // Nothing for a combination the format cannot name (modifiers alone, keys without a name).
    static std::optional<QString> fromCombination(QKeyCombination combination);
};

} // namespace App
