#pragma once
// The catalogue held in memory: the debtors, the items, and the type filter list gathered from them.

#include "catalog/Lists.h"
#include "catalog/TypeList.h"

struct Catalog {
    UserList users;
    ItemList items;
    TypeList types;

    void Clear() {
        users.Clear();
        items.Clear();
        types.Clear();
    }
};
