#include "export/Statistics.h"

CatalogCounts CountCatalog(const UserList& users, const ItemList& items) {
    CatalogCounts counts;
    counts.debtors = users.Count();
    for (const auto& debtor : users) {
        counts.holders += debtor->ItemCount != 0 ? 1 : 0;
    }
    counts.items = items.Count();
    for (const auto& item : items) {
        counts.lent += item->HolderId != 0 ? 1 : 0;
    }
    return counts;
}

PathParts SplitPath(std::string_view path) {
    // The title of the main window cuts the path at the same characters.
    const std::size_t cut = path.find_last_of("\\/:") + 1;
    return PathParts{std::string(path.substr(0, cut)), std::string(path.substr(cut))};
}
