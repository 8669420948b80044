#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace App {

// One entry of the portal's shortcut lists, a(sa{sv}): the shortcut's id and its properties
// ("description", "preferred_trigger" going out; "trigger_description" coming back).
struct PortalShortcut
{
    QString id;
    QVariantMap properties;

    // Makes the list marshallable; needed once before the first call or registered object.
    static void registerDBusTypes();
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

} // namespace App

Q_DECLARE_METATYPE(App::PortalShortcut)
