#pragma once

#include "engine/preferencekey.h"
#include "engine/qorvvideoresolution.h"

#include <QStandardPaths>
#include <QUrl>

#include <optional>

// What new downloads start from.
namespace Library::Keys {

// Folder into which new downloads are saved; the user's Downloads folder by default.
inline const Engine::PreferenceKey<QUrl> defaultOutputLocation{
    QStringLiteral("defaultOutputLocation"),
    [] { return QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)); }};

inline const Engine::PreferenceKey<std::optional<Engine::QorvVideoResolution>> defaultResolution{
    QStringLiteral("defaultResolution"), [] { return std::optional<Engine::QorvVideoResolution>(); }};

// Named download choices, as a JSON array of {name, choice}; and the name of the one quick adds
// use (empty: none, the resolution above applies).
inline const Engine::PreferenceKey<QString> downloadPresets{QStringLiteral("downloadPresets"),
                                                            [] { return QString(); }};
inline const Engine::PreferenceKey<QString> defaultPreset{QStringLiteral("defaultPreset"),
                                                          [] { return QString(); }};

} // namespace Library::Keys
