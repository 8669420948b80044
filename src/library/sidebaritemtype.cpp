#include "sidebaritemtype.h"

namespace Library {

QString title(SidebarItemType type)
{
    switch (type) {
    case SidebarItemType::all:
        return QStringLiteral("All");
    case SidebarItemType::running:
        return QStringLiteral("Downloading");
    case SidebarItemType::stopped:
        return QStringLiteral("Stopped");
    case SidebarItemType::failed:
        return QStringLiteral("Failed");
    case SidebarItemType::starred:
        return QStringLiteral("Starred");
    case SidebarItemType::premieres:
        return QStringLiteral("Premieres");
    }
    return QString();
}

QString description(SidebarItemType type)
{
    switch (type) {
    case SidebarItemType::all:
        return QStringLiteral("All downloads added");
    case SidebarItemType::running:
        return QStringLiteral("Running downloads");
    case SidebarItemType::stopped:
        return QStringLiteral("Stopped or failed downloads");
    case SidebarItemType::failed:
        return QStringLiteral("Failed downloads");
    case SidebarItemType::starred:
        return QStringLiteral("Starred downloads");
    case SidebarItemType::premieres:
        return QStringLiteral("Download will begin when premieres start broadcasting.");
    }
    return QString();
}

QString symbol(SidebarItemType type)
{
    switch (type) {
    case SidebarItemType::all:
        return QStringLiteral("film.stack");
    case SidebarItemType::running:
        return QStringLiteral("arrowshape.down.fill");
    case SidebarItemType::stopped:
        return QStringLiteral("stop.circle.fill");
    case SidebarItemType::failed:
        return QStringLiteral("exclamationmark.octagon");
    case SidebarItemType::starred:
        return QStringLiteral("star.fill");
    case SidebarItemType::premieres:
        return QStringLiteral("calendar.badge.clock");
    }
    return QString();
}

QList<SidebarItemType> standardSidebarItems()
{
    return {SidebarItemType::all, SidebarItemType::running, SidebarItemType::stopped,
            SidebarItemType::starred, SidebarItemType::premieres};
}

} // namespace Library
