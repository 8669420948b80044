#include "sidebaritemtype.h"

#include <QCoreApplication>

namespace Library {

QString title(SidebarItemType type)
{
    switch (type) {
    case SidebarItemType::all:
        //: Sidebar entry: every download
        return QCoreApplication::translate("SidebarItemType", "All");
    case SidebarItemType::running:
        //: Sidebar entry: the running downloads
        return QCoreApplication::translate("SidebarItemType", "Downloading");
    case SidebarItemType::stopped:
        //: Sidebar entry: the stopped or failed downloads
        return QCoreApplication::translate("SidebarItemType", "Stopped");
    case SidebarItemType::failed:
        //: Sidebar entry: the failed downloads
        return QCoreApplication::translate("SidebarItemType", "Failed");
    case SidebarItemType::starred:
        //: Sidebar entry: the starred downloads
        return QCoreApplication::translate("SidebarItemType", "Starred");
    case SidebarItemType::premieres:
        //: Sidebar entry: downloads waiting for a premiere or a live event
        return QCoreApplication::translate("SidebarItemType", "Premieres");
    }
    return QString();
}

QString description(SidebarItemType type)
{
    switch (type) {
    case SidebarItemType::all:
        return QCoreApplication::translate("SidebarItemType", "All downloads added");
    case SidebarItemType::running:
        return QCoreApplication::translate("SidebarItemType", "Running downloads");
    case SidebarItemType::stopped:
        return QCoreApplication::translate("SidebarItemType", "Stopped or failed downloads");
    case SidebarItemType::failed:
        return QCoreApplication::translate("SidebarItemType", "Failed downloads");
    case SidebarItemType::starred:
        return QCoreApplication::translate("SidebarItemType", "Starred downloads");
    case SidebarItemType::premieres:
        return QCoreApplication::translate("SidebarItemType",
                                           "Download will begin when premieres start broadcasting.");
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
