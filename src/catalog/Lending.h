#pragma once
// The questions the commands ask the catalogue before they change it: who may hold items, whether a
// description is taken, who holds an item. The changes themselves are steps (catalog/Steps.h).

#include "catalog/Lists.h"

#include <string>
#include <string_view>

// Whether the debtor may be given items: HolderId 0 marks a free item, so a debtor numbered 0 cannot.
inline bool CanHold(const TUserRec& debtor) {
    return debtor.Id != 0;
}

// The first item, lent or free, whose description equals `description`: byte for byte, or with
// `ignoreCase` by the code page's case table (so "книга" and "КНИГА" are one description). nullptr when
// there is none.
const TItemRec* FindSameDescription(const ItemList& items, std::string_view description, bool ignoreCase);

// The debtor who holds the item, or nullptr for a free item or one whose holder is not in the list.
const TUserRec* HolderOf(const UserList& users, const TItemRec& item);
