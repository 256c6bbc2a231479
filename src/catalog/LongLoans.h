#pragma once
// Things away too long: the items lent for more whole days than the user allows, for the tables to draw
// in a warning colour and the status bar to count.

#include "catalog/Lists.h"

#include <cstdint>
#include <unordered_set>

// Whether the item has been away more than `days` whole days on the day of `now`: it is lent, its lent
// date is a real calendar date not after that day, and the days from its date to that day are more than
// `days`. Days turn at midnight: the times of day do not count.
bool AwayTooLong(const TItemRec& item, TDateTime now, int days);

// The items away too long in the whole catalogue, gathered in one pass whenever the catalogue, the
// setting or the day changes, so that a paint only looks up its row.
struct LongLoans {
    int count = 0;
    std::unordered_set<std::int32_t> holders; // the Ids of the debtors who hold at least one

    // Whether the debtor holds at least one of them.
    bool HeldBy(const TUserRec& debtor) const { return debtor.Id != 0 && holders.count(debtor.Id) != 0; }
};
LongLoans FindLongLoans(const ItemList& items, TDateTime now, int days);
