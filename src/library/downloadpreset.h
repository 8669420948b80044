#pragma once

#include "engine/downloadchoice.h"
#include "engine/qorvconfig.h"

#include <QString>
#include <QUrl>

namespace Library {

// Choices saved under a name ("Audio MP3", "1080p MKV") for the next downloads.
struct DownloadPreset
{
    QString name;
    Engine::DownloadChoice choice;

    // The option set an item added with this preset gets, saving into `folder`.
    Engine::QorvConfig config(const QUrl& folder) const;
    bool operator==(const DownloadPreset&) const = default;
};

} // namespace Library
