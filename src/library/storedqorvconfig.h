#pragma once

#include "engine/qorvconfig.h"

namespace Library {

// An option set as stored: shared by the items that refer to it and never deleted with them.
// Identity is the row id, not the contents.
class StoredQorvConfig
{
public:
    qint64 id = 0;
    Engine::QorvConfig config;
};

} // namespace Library
