#pragma once

#include "appappearance.h"
#include "preferencekey.h"
#include "qorvvideoresolution.h"

#include <QStandardPaths>
#include <QUrl>

#include <optional>

// The application's preference keys: one table, with types and defaults.
namespace Engine::PreferenceKeys {

inline const PreferenceKey<AppAppearance> appAppearance{QStringLiteral("appAppearance"),
                                                        [] { return AppAppearance::system; }};

// Absolute path of the yt-dlp executable.
inline const PreferenceKey<std::optional<QString>> downloaderBin{QStringLiteral("downloaderBin"),
                                                                 [] { return std::optional<QString>(); }};

// Folder into which new downloads are saved; the user's Downloads folder by default.
inline const PreferenceKey<QUrl> defaultOutputLocation{
    QStringLiteral("defaultOutputLocation"),
    [] { return QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)); }};

inline const PreferenceKey<std::optional<QorvVideoResolution>> defaultResolution{
    QStringLiteral("defaultResolution"), [] { return std::optional<QorvVideoResolution>(); }};

// Hours to wait past a live event's announced start.
inline const PreferenceKey<std::optional<int>> downloadDelay{QStringLiteral("downloadDelay"),
                                                             [] { return std::optional<int>(); }};

inline const PreferenceKey<bool> dragShake{QStringLiteral("dragShake"), [] { return false; }};

inline const PreferenceKey<bool> autoCheckForUpdates{QStringLiteral("autoCheckForUpdates"),
                                                     [] { return false; }};

} // namespace Engine::PreferenceKeys
