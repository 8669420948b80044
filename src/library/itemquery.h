#pragma once

#include "sidebaritemtype.h"

#include <QString>

namespace Library {

// Which items a count or a page covers: a status filter, a title search, or both (all must hold).
class ItemQuery
{
public:
    ItemQuery() = default;
    static ItemQuery sidebar(SidebarItemType type)
    {
        ItemQuery query;
        query.filter = type;
        return query;
    }
    // Surrounding white space is ignored; a blank text searches nothing (every item matches).
    static ItemQuery search(QString text)
    {
        ItemQuery query;
        query.searchText = std::move(text);
        return query;
    }

    SidebarItemType filter = SidebarItemType::all;
    // Matched against titles ignoring case and diacritics; items without a record never match.
    QString searchText;
};

} // namespace Library
