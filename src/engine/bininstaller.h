#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace Engine {

class Preferences;

// Questions put to the installed tool itself.
class BinInstaller
{
public:
    // The tool's version text, or nothing when the tool is not found or fails.
    static void version(Preferences& preferences, QObject* context,
                        std::function<void(const std::optional<QString>&)> done);
};

} // namespace Engine
