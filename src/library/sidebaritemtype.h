#pragma once

#include <QList>
#include <QString>

namespace Library {

// Status filters over the items; the raw values 0 to 5 are the declared order.
enum class SidebarItemType
{
    all,
    running,
    stopped,
    failed,
    starred,
    premieres,
};

QString title(SidebarItemType type);
QString description(SidebarItemType type);
// Symbolic icon name of the filter.
QString symbol(SidebarItemType type);
// The filters the sidebar shows, in order; `failed` is not among them.
QList<SidebarItemType> standardSidebarItems();

} // namespace Library
