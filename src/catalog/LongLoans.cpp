#include "catalog/LongLoans.h"

#include <cmath>

bool AwayTooLong(const TItemRec& item, TDateTime now, int days) {
    CivilDate lent;
    CivilDate today;
    if (item.HolderId == 0 || !TryDecodeDate(item.LentDate, lent) || !TryDecodeDate(now, today)) {
        return false;
    }
    // The day numbers, as the dates are counted: the whole part of the value. A date after today is no
    // loan that lasted, whatever number of days the settings file allows (it may hold a negative one).
    const double away = std::trunc(now) - std::trunc(item.LentDate);
    return away >= 0 && away > days;
}

LongLoans FindLongLoans(const ItemList& items, TDateTime now, int days) {
    LongLoans found;
    for (const auto& item : items) {
        if (AwayTooLong(*item, now, days)) {
            ++found.count;
            found.holders.insert(item->HolderId);
        }
    }
    return found;
}
