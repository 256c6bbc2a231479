// Which lent items are away too long: the edges of the whole days, the day turning at midnight, dates
// that are no real date or lie ahead.
#include "catalog/LongLoans.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TItemRec Lent(TDateTime when, std::int32_t holder = 1) {
    TItemRec item;
    item.Id = 1;
    item.Description = "Зонт";
    item.LentDate = when;
    item.HolderId = holder;
    return item;
}

constexpr TDateTime kLent = 45000.75; // 15.03.2023 18:00

} // namespace

TEST(LongLoans, AnItemIsAwayTooLongFromTheDayAfterItsLastAllowedDay) {
    // Thirty days allowed: on the 30th day after the loan it is not yet, on the 31st it is, from
    // midnight on, whatever the times of day.
    EXPECT_FALSE(AwayTooLong(Lent(kLent), 45030.99, 30));
    EXPECT_TRUE(AwayTooLong(Lent(kLent), 45031.0, 30));
    EXPECT_TRUE(AwayTooLong(Lent(kLent), 45031.0001, 30));
    EXPECT_FALSE(AwayTooLong(Lent(45000.0), 45030.9999, 30));
    EXPECT_FALSE(AwayTooLong(Lent(kLent), 45000.0, 0)) << "lent today";
    EXPECT_TRUE(AwayTooLong(Lent(kLent), 45001.0, 0)) << "lent yesterday";

    // A free item, a date ahead of today, and values no calendar has are never away too long.
    EXPECT_FALSE(AwayTooLong(Lent(kLent, 0), 46000, 30));
    EXPECT_FALSE(AwayTooLong(Lent(45100), 45000, 30));
    EXPECT_FALSE(AwayTooLong(Lent(std::numeric_limits<double>::quiet_NaN()), 45100, 30));
    EXPECT_FALSE(AwayTooLong(Lent(-1e9), 45100, 30));
    // The settings file may allow a negative number of days: still no date ahead of today.
    EXPECT_FALSE(AwayTooLong(Lent(45001.5), 45000.5, -5));
    EXPECT_TRUE(AwayTooLong(Lent(45000.9), 45000.1, -5));
}

TEST(LongLoans, TheCatalogueCountsItsLongLoansAndTheirHolders) {
    ItemList items;
    auto add = [&](TDateTime when, std::int32_t holder) {
        items.Append(std::make_unique<TItemRec>(Lent(when, holder)));
    };
    add(45000, 1); // 40 days
    add(45030, 2); // 10 days
    add(44000, 1); // long ago
    add(45000, 0); // free
    add(44500, 3); // long ago
    const LongLoans found = FindLongLoans(items, 45040.5, 30);
    EXPECT_EQ(found.count, 3);
    TUserRec anna{1, "Анна", "", 2};
    TUserRec boris{2, "Борис", "", 1};
    TUserRec zero{0, "Нулевой", "", 0};
    EXPECT_TRUE(found.HeldBy(anna));
    EXPECT_FALSE(found.HeldBy(boris));
    EXPECT_FALSE(found.HeldBy(zero));
    EXPECT_EQ(FindLongLoans(items, 45040.5, 3650).count, 0);
}
