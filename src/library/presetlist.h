#pragma once

#include "downloadpreset.h"

#include <QList>
#include <QString>

#include <optional>

namespace Engine {
class Preferences;
}

namespace Library {

// The user's presets, kept in the preferences, and which of them quick adds (clipboard, drop
// panel, handed-over addresses) use.
class PresetList
{
public:
    explicit PresetList(Engine::Preferences& preferences) : m_preferences(preferences) {}

    QList<DownloadPreset> presets() const;
    // Replaces the preset of the same name, or adds it at the end. An empty name is refused.
    bool save(const DownloadPreset& preset);
    // Quick adds go back to the resolution setting when it was the default.
    void remove(const QString& name);

    // Nothing until the user has chosen one; quick adds then keep the resolution setting.
    std::optional<DownloadPreset> defaultPreset() const;
    // Only the name of a saved preset is taken.
    bool setDefault(const QString& name);
    // What the New Download window starts from: the default preset's choices, else the
    // resolution setting's.
    Engine::DownloadChoice startingChoice() const;

private:
    void write(const QList<DownloadPreset>& presets);

    Engine::Preferences& m_preferences;
};

} // namespace Library
