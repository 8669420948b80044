#include "preferences.h"

#include <QStandardPaths>

namespace Engine {

Preferences::Preferences(const QString& filePath, QObject* parent)
    : QObject(parent), m_settings(filePath, QSettings::IniFormat)
{
}

QString Preferences::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/VeltQorv/VeltQorv.conf");
}

Preferences& Preferences::instance()
{
    static Preferences preferences(defaultFilePath());
    return preferences;
}

void Preferences::writeRaw(const QString& name, const QVariant& value)
{
    const QVariant before = m_settings.value(name);
    if (value.isValid())
        m_settings.setValue(name, value);
    else
        m_settings.remove(name);
    m_settings.sync();
    if (before.isValid() != value.isValid() || before.toString() != value.toString())
        Q_EMIT changed(name);
}

} // namespace Engine
