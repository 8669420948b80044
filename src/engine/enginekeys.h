#pragma once

#include "preferencekey.h"

#include <QString>

#include <optional>

// The engine's preference keys. Other layers declare theirs beside their own code, over the
// same Preferences store.
namespace Engine::Keys {

// Absolute path of the yt-dlp executable.
inline const PreferenceKey<std::optional<QString>> downloaderBin{QStringLiteral("downloaderBin"),
                                                                 [] { return std::optional<QString>(); }};

// Hours to wait past a live event's announced start.
inline const PreferenceKey<std::optional<int>> downloadDelay{QStringLiteral("downloadDelay"),
                                                             [] { return std::optional<int>(); }};

} // namespace Engine::Keys
