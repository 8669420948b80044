#pragma once

#include <QtGlobal>

#include <optional>

namespace Library {

// Flags of one download, owned by its item and deleted with it.
class ShakeConfig
{
public:
    // Row id; 0 until stored.
    qint64 id = 0;
    bool running = false;
    bool starred = false;
    // Hours handed to the downloader for live events; none means no delay.
    std::optional<int> downloadDelay;

    bool operator==(const ShakeConfig&) const = default;
};

} // namespace Library
