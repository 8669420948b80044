#pragma once

#include "preferencekey.h"

#include <QObject>
#include <QSettings>

#include <functional>

namespace Engine {

// The application's preferences over QSettings. All writes in the process go through one
// instance, so every subscriber sees a change made anywhere at once.
class Preferences : public QObject
{
    Q_OBJECT
public:
    // An INI file at `filePath`; tests use a file of their own.
    explicit Preferences(const QString& filePath, QObject* parent = nullptr);

    // $XDG_CONFIG_HOME/VeltQorv/VeltQorv.conf
    static Preferences& instance();
    static QString defaultFilePath();

    QString filePath() const { return m_settings.fileName(); }

    template <typename T> T value(const PreferenceKey<T>& key) const
    {
        return key.decode(m_settings.value(key.name()));
    }

    template <typename T> void setValue(const PreferenceKey<T>& key, const T& value)
    {
        writeRaw(key.name(), key.encode(value));
    }

    // Calls `receiver` with the current value at once and then with every new value, for as
    // long as `context` lives.
    template <typename T>
    QMetaObject::Connection subscribe(const PreferenceKey<T>& key, QObject* context,
                                      std::function<void(const T&)> receiver)
    {
        receiver(value(key));
        return connect(this, &Preferences::changed, context, [this, key, receiver](const QString& name) {
            if (name == key.name())
                receiver(value(key));
        });
    }

    // Removes or stores a raw value and announces the change when it is one.
    void writeRaw(const QString& name, const QVariant& value);

Q_SIGNALS:
    void changed(const QString& name);

private:
    QSettings m_settings;
};

} // namespace Engine
