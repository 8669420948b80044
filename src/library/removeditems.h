#pragma once

#include "shakeitem.h"

#include "engine/qorvconfig.h"

#include <QHash>
#include <QList>

namespace Library {

// Items as they were when deleted, logs included, with the option sets they used, so that a
// delete can be undone.
struct RemovedItems
{
    QList<ShakeItem> items;
    // By the id the items referred to them with.
    QHash<qint64, Engine::QorvConfig> optionSets;
};

} // namespace Library
