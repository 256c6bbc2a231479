// Lending and returning, adding records, deleting a debtor and the duplicate-description check: the
// rules that keep items' holders, their dates and the debtors' counts in step.
#include "catalog/Lending.h"

#include <gtest/gtest.h>

namespace {

constexpr TDateTime kEarlier = 45000;
constexpr TDateTime kNow = 45366.4375;

struct Shelf {
    UserList users;
    ItemList items;

    TUserRec& Debtor(std::int32_t id, const std::string& name) {
        TUserRec& u = users.AppendNew();
        u.Id = id;
        u.Name = name;
        return u;
    }
    TItemRec& Item(std::int32_t id, const std::string& description, TUserRec* holder = nullptr) {
        TItemRec& i = items.AppendNew();
        i.Id = id;
        i.Description = description;
        i.LentDate = kEarlier;
        if (holder) {
            i.HolderId = holder->Id;
            ++holder->ItemCount;
        }
        return i;
    }
};

} // namespace

TEST(Lending, LendsOnlyAFreeItemAndOnlyToADebtorWhoCanHoldIt) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TUserRec& zero = s.Debtor(0, "Нулевой");
    TItemRec& drill = s.Item(1, "Дрель");

    EXPECT_FALSE(Lend(zero, drill, kNow));
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kEarlier);
    EXPECT_EQ(zero.ItemCount, 0);

    EXPECT_TRUE(Lend(anna, drill, kNow));
    EXPECT_EQ(drill.HolderId, 1);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(anna.ItemCount, 1);

    // Lent already: neither Anna again nor Boris gets it.
    EXPECT_FALSE(Lend(anna, drill, kNow + 1));
    EXPECT_FALSE(Lend(boris, drill, kNow + 1));
    EXPECT_EQ(drill.HolderId, 1);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(anna.ItemCount, 1);
    EXPECT_EQ(boris.ItemCount, 0);
}

TEST(Lending, ADebtorNumberedZeroHoldsNothingEvenWhereFreeItemsCarryHisNumber) {
    Shelf s;
    TUserRec& zero = s.Debtor(0, "Нулевой");
    TItemRec& free = s.Item(1, "Зонт");
    EXPECT_FALSE(CanHold(zero));
    EXPECT_FALSE(Holds(zero, free));
    EXPECT_FALSE(Return(zero, free, kNow));
    EXPECT_EQ(ReturnAll(zero, s.items, kNow), 0);
    EXPECT_EQ(free.LentDate, kEarlier);
    EXPECT_EQ(zero.ItemCount, 0);
}

TEST(Returning, OnlyTheHolderGivesAnItemBackAndTheReturnIsStamped) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TItemRec& drill = s.Item(1, "Дрель", &anna);
    TItemRec& free = s.Item(2, "Зонт");

    EXPECT_FALSE(Return(boris, drill, kNow));
    EXPECT_FALSE(Return(anna, free, kNow));
    EXPECT_EQ(drill.HolderId, 1);
    EXPECT_EQ(free.LentDate, kEarlier);
    EXPECT_EQ(boris.ItemCount, 0);

    EXPECT_TRUE(Return(anna, drill, kNow));
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(anna.ItemCount, 0);
    EXPECT_FALSE(Return(anna, drill, kNow + 1));
    EXPECT_EQ(anna.ItemCount, 0);
}

TEST(Returning, AllTakesBackExactlyTheDebtorsItemsAtOneMoment) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TItemRec& a1 = s.Item(1, "Гитара", &anna);
    TItemRec& b1 = s.Item(2, "Дрель", &boris);
    TItemRec& a2 = s.Item(3, "Зонт", &anna);
    TItemRec& free = s.Item(4, "Книга");

    EXPECT_EQ(ReturnAll(anna, s.items, kNow), 2);
    EXPECT_EQ(anna.ItemCount, 0);
    for (const TItemRec* item : {&a1, &a2}) {
        EXPECT_EQ(item->HolderId, 0);
        EXPECT_EQ(item->LentDate, kNow);
    }
    EXPECT_EQ(b1.HolderId, 2);
    EXPECT_EQ(b1.LentDate, kEarlier);
    EXPECT_EQ(boris.ItemCount, 1);
    EXPECT_EQ(free.LentDate, kEarlier);
    EXPECT_EQ(ReturnAll(anna, s.items, kNow + 1), 0);
}

TEST(DeletingADebtor, FreesHisItemsWithTheirDatesAndLeavesOthersAlone) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TItemRec& a1 = s.Item(1, "Гитара", &anna);
    TItemRec& b1 = s.Item(2, "Дрель", &boris);

    EXPECT_TRUE(DeleteDebtor(s.users, s.items, anna));
    ASSERT_EQ(s.users.Count(), 1);
    EXPECT_EQ(s.users[0].Name, "Борис");
    EXPECT_EQ(a1.HolderId, 0);
    EXPECT_EQ(a1.LentDate, kEarlier);
    EXPECT_EQ(b1.HolderId, 2);

    // A debtor numbered later with Anna's number inherits nothing.
    TUserRec& vera = AddDebtor(s.users, "Вера", "");
    EXPECT_EQ(vera.Id, 3);
    TUserRec& again = s.Debtor(1, "Глеб");
    EXPECT_FALSE(Holds(again, a1));

    TUserRec stranger;
    EXPECT_FALSE(DeleteDebtor(s.users, s.items, stranger));
    EXPECT_EQ(s.users.Count(), 3);
}

TEST(DeletingADebtor, OfTwoWithOneNameRemovesOnlyTheGivenOne) {
    Shelf s;
    TUserRec& first = s.Debtor(1, "Петров");
    TUserRec& second = s.Debtor(2, "Петров");
    TItemRec& f = s.Item(1, "Гитара", &first);
    TItemRec& g = s.Item(2, "Дрель", &second);
    EXPECT_TRUE(DeleteDebtor(s.users, s.items, second));
    ASSERT_EQ(s.users.Count(), 1);
    EXPECT_EQ(&s.users[0], &first);
    EXPECT_EQ(f.HolderId, 1);
    EXPECT_EQ(g.HolderId, 0);
}

TEST(Adding, NewRecordsTakeTheNextIdStartEmptyAndGoInOrder) {
    Shelf s;
    s.Debtor(5, "Борис");
    TUserRec& anna = AddDebtor(s.users, "Анна", "anna@example.org");
    EXPECT_EQ(anna.Id, 6);
    EXPECT_EQ(anna.EMail, "anna@example.org");
    EXPECT_EQ(anna.ItemCount, 0);
    EXPECT_EQ(&s.users[0], &anna);

    s.Item(9, "Зонт");
    TItemRec& drill = AddItem(s.items, "Дрель", "Инструмент", kNow);
    EXPECT_EQ(drill.Id, 10);
    EXPECT_EQ(drill.ItemType, "Инструмент");
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(&s.items[0], &drill);
}

TEST(DuplicateDescription, CountsLentItemsAndIgnoresLetterCaseOnlyWhenAsked) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TItemRec& lent = s.Item(1, "Ёлка", &anna);
    TItemRec& free = s.Item(2, "Книга");

    EXPECT_EQ(FindSameDescription(s.items, "Ёлка", false), &lent);
    EXPECT_EQ(FindSameDescription(s.items, "ёЛКА", false), nullptr);
    EXPECT_EQ(FindSameDescription(s.items, "ёЛКА", true), &lent);
    EXPECT_EQ(FindSameDescription(s.items, "КНИГА", true), &free);
    EXPECT_EQ(FindSameDescription(s.items, "Книга ", true), nullptr);

    EXPECT_EQ(HolderOf(s.users, lent), &anna);
    EXPECT_EQ(HolderOf(s.users, free), nullptr);
    // An item held by a number no debtor has: no holder to name.
    TItemRec& orphan = s.Item(3, "Пила");
    orphan.HolderId = 7;
    EXPECT_EQ(HolderOf(s.users, orphan), nullptr);
}
