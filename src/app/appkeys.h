#pragma once

#include "app/desktop/appappearance.h"
#include "engine/preferencekey.h"

// The window's own preferences: appearance, the drag gesture and update checks.
namespace Engine {

// Stored as the appearance's integer raw value.
template <> struct PreferenceCodec<App::AppAppearance>
{
    static QVariant encode(App::AppAppearance v) { return static_cast<int>(v); }
    static std::optional<App::AppAppearance> decode(const QVariant& v)
    {
        const std::optional<int> raw = PreferenceCodec<int>::decode(v);
        return raw ? App::appAppearanceFromRaw(*raw) : std::nullopt;
    }
};

} // namespace Engine

namespace App::Keys {

inline const Engine::PreferenceKey<AppAppearance> appAppearance{QStringLiteral("appAppearance"),
                                                                [] { return AppAppearance::system; }};

inline const Engine::PreferenceKey<bool> dragShake{QStringLiteral("dragShake"), [] { return false; }};

inline const Engine::PreferenceKey<bool> autoCheckForUpdates{QStringLiteral("autoCheckForUpdates"),
                                                             [] { return false; }};

} // namespace App::Keys
