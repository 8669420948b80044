#include "downloadpreset.h"

namespace Library {

Engine::QorvConfig DownloadPreset::config(const QUrl& folder) const
{
    QList<Engine::QorvConfigItem> items{Engine::QorvConfigItem::saveTo(folder)};
    items += choice.configItems();
    return Engine::QorvConfig(name, items);
}

} // namespace Library
