#pragma once

#include "preferencecodec.h"

#include <QString>

#include <functional>

namespace Engine {

// A named preference with a value type and a default returned while nothing (readable) is stored.
template <typename T> class PreferenceKey
{
public:
    using ValueType = T;

    PreferenceKey(QString name, std::function<T()> makeDefault)
        : m_name(std::move(name)), m_makeDefault(std::move(makeDefault))
    {
    }

    const QString& name() const { return m_name; }
    T defaultValue() const { return m_makeDefault(); }

    T decode(const QVariant& stored) const
    {
        if (!stored.isValid())
            return defaultValue();
        std::optional<T> value = PreferenceCodec<T>::decode(stored);
        return value ? std::move(*value) : defaultValue();
    }
    QVariant encode(const T& value) const { return PreferenceCodec<T>::encode(value); }

private:
    QString m_name;
    std::function<T()> m_makeDefault;
};

} // namespace Engine
