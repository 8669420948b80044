#include "presetlist.h"

#include "librarykeys.h"

#include "engine/preferences.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Library {

QList<DownloadPreset> PresetList::presets() const
{
    QList<DownloadPreset> presets;
    const QJsonArray stored =
        QJsonDocument::fromJson(m_preferences.value(Keys::downloadPresets).toUtf8()).array();
    for (const QJsonValue& value : stored) {
        const QJsonObject object = value.toObject();
        const QString name = object.value(QStringLiteral("name")).toString().trimmed();
        if (!name.isEmpty())
            presets.append(
                {name, Engine::DownloadChoice::fromJson(object.value(QStringLiteral("choice")).toObject())});
    }
    return presets;
}

void PresetList::write(const QList<DownloadPreset>& presets)
{
    QJsonArray array;
    for (const DownloadPreset& preset : presets)
        array.append(QJsonObject{{QStringLiteral("name"), preset.name},
                                 {QStringLiteral("choice"), preset.choice.toJson()}});
    m_preferences.setValue(Keys::downloadPresets,
                           QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
}

bool PresetList::save(const DownloadPreset& preset)
{
    DownloadPreset saved = preset;
    saved.name = saved.name.trimmed();
    if (saved.name.isEmpty())
        return false;
    QList<DownloadPreset> all = presets();
    const auto same = std::find_if(all.begin(), all.end(),
                                   [&saved](const DownloadPreset& p) { return p.name == saved.name; });
    if (same != all.end())
        *same = saved;
    else
        all.append(saved);
    write(all);
    return true;
}

void PresetList::remove(const QString& name)
{
    QList<DownloadPreset> all = presets();
    all.removeIf([&name](const DownloadPreset& p) { return p.name == name; });
    write(all);
}

std::optional<DownloadPreset> PresetList::defaultPreset() const
{
    const QString name = m_preferences.value(Keys::defaultPreset);
    if (name.isEmpty())
        return std::nullopt;
    for (const DownloadPreset& preset : presets()) {
        if (preset.name == name)
            return preset;
    }
    return std::nullopt;
}

bool PresetList::setDefault(const QString& name)
{
    const QList<DownloadPreset> all = presets();
    if (std::none_of(all.begin(), all.end(), [&name](const DownloadPreset& p) { return p.name == name; }))
        return false;
    m_preferences.setValue(Keys::defaultPreset, name);
    return true;
}

Engine::DownloadChoice PresetList::startingChoice() const
{
    if (const std::optional<DownloadPreset> preset = defaultPreset())
        return preset->choice;
    Engine::DownloadChoice choice;
    const std::optional<Engine::QorvVideoResolution> resolution =
        m_preferences.value(Keys::defaultResolution);
    if (resolution && resolution->value() != Engine::QorvVideoResolution::best)
        choice.maxHeight = resolution->text().toInt();
    return choice;
}

} // namespace Library
