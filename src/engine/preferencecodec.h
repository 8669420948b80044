#pragma once

#include "qorvvideoresolution.h"

#include <QString>
#include <QUrl>
#include <QVariant>

#include <optional>

namespace Engine {

// How a preference value is written to and read back from QSettings. decode() gives nothing
// for a value that cannot be read as the type; the key's default then applies. An invalid
// QVariant from encode() means "remove the stored value".
template <typename T> struct PreferenceCodec;

template <> struct PreferenceCodec<bool>
{
    static QVariant encode(bool v) { return v; }
    static std::optional<bool> decode(const QVariant& v)
    {
        const QString text = v.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return false;
        return std::nullopt;
    }
};

template <> struct PreferenceCodec<int>
{
    static QVariant encode(int v) { return v; }
    static std::optional<int> decode(const QVariant& v)
    {
        bool ok = false;
        const int value = v.toString().trimmed().toInt(&ok);
        return ok ? std::optional<int>(value) : std::nullopt;
    }
};

template <> struct PreferenceCodec<QString>
{
    static QVariant encode(const QString& v) { return v; }
    static std::optional<QString> decode(const QVariant& v)
    {
        if (!v.canConvert<QString>())
            return std::nullopt;
        return v.toString();
    }
};

// Folders are stored as file URLs; anything else reads as the default.
template <> struct PreferenceCodec<QUrl>
{
    static QVariant encode(const QUrl& v) { return v.toString(QUrl::FullyEncoded); }
    static std::optional<QUrl> decode(const QVariant& v)
    {
        const QUrl url(v.toString(), QUrl::StrictMode);
        if (!url.isValid() || !url.isLocalFile())
            return std::nullopt;
        return url;
    }
};

template <> struct PreferenceCodec<QorvVideoResolution>
{
    static QVariant encode(QorvVideoResolution v) { return v.text(); }
    static std::optional<QorvVideoResolution> decode(const QVariant& v)
    {
        return QorvVideoResolution::fromText(v.toString());
    }
};

// An optional value is removed when absent, so it reads as absent again rather than 0 or "".
template <typename T> struct PreferenceCodec<std::optional<T>>
{
    static QVariant encode(const std::optional<T>& v)
    {
        return v ? PreferenceCodec<T>::encode(*v) : QVariant();
    }
    static std::optional<std::optional<T>> decode(const QVariant& v)
    {
        const std::optional<T> value = PreferenceCodec<T>::decode(v);
        if (!value)
            return std::nullopt;
        return std::optional<T>(*value);
    }
};

} // namespace Engine
