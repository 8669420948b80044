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

} // namespace Library::Keys
