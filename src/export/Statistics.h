#pragma once
// What the statistics window shows of the catalogue: where its file lies, and four counts.

#include "catalog/Lists.h"

#include <string>
#include <string_view>

struct CatalogCounts {
    int debtors = 0; // all debtors
    int holders = 0; // debtors who hold something now
    int items = 0;   // all things
    int lent = 0;    // things that are lent
};

CatalogCounts CountCatalog(const UserList& users, const ItemList& items);

// A file's path split after its last folder separator or drive colon: the folder keeps that character.
struct PathParts {
    std::string folder;
    std::string name;
};
PathParts SplitPath(std::string_view path);
