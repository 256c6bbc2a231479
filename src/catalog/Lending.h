#pragma once
// The catalogue's rules for lending and returning, for adding records and for deleting a debtor. They are
// the only code that changes an item's holder and lent date or a debtor's item count while the program
// runs; the window asks them and shows the result.

#include "catalog/Lists.h"

#include <string>
#include <string_view>

// Whether the debtor may be given items: HolderId 0 marks a free item, so a debtor numbered 0 cannot.
inline bool CanHold(const TUserRec& debtor) {
    return debtor.Id != 0;
}

// Gives a free item to the debtor at the moment `now`. False, with nothing changed, when the item is not
// free or the debtor cannot hold items.
bool Lend(TUserRec& debtor, TItemRec& item, TDateTime now);

// Takes an item back from the debtor who holds it; it is free from `now` on. False, with nothing changed,
// when the debtor does not hold it (another debtor's item, or a free one).
bool Return(TUserRec& debtor, TItemRec& item, TDateTime now);

// Takes back every item the debtor holds, all at the same moment. Returns how many came back.
int ReturnAll(TUserRec& debtor, const ItemList& items, TDateTime now);

// Removes the debtor from the list. His items become free with their dates as they were, so that a debtor
// numbered later with the same Id cannot inherit them. False when the list does not hold him.
bool DeleteDebtor(UserList& users, const ItemList& items, const TUserRec& debtor);

// A new debtor with the list's next Id and no items, in name order.
TUserRec& AddDebtor(UserList& users, std::string name, std::string email);

// A new free item with the list's next Id, created at `now`, in description order.
TItemRec& AddItem(ItemList& items, std::string description, std::string type, TDateTime now);

// The first item, lent or free, whose description equals `description`: byte for byte, or with
// `ignoreCase` by the code page's case table (so "книга" and "КНИГА" are one description). nullptr when
// there is none.
const TItemRec* FindSameDescription(const ItemList& items, std::string_view description, bool ignoreCase);

// The debtor who holds the item, or nullptr for a free item or one whose holder is not in the list.
const TUserRec* HolderOf(const UserList& users, const TItemRec& item);
