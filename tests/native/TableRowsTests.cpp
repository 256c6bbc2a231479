// The rows of the main window's three tables, built from the catalogue: which records each table shows,
// in which order, and what their cells say.
#include "catalog/TableRows.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Shelf {
    UserList users;
    ItemList items;

    TUserRec* Debtor(std::int32_t id, const std::string& name) {
        TUserRec& u = users.AppendNew();
        u.Id = id;
        u.Name = name;
        return &u;
    }
    TItemRec* Item(const std::string& description, const std::string& type, TUserRec* holder = nullptr,
                   TDateTime lent = 45000) {
        TItemRec& i = items.AppendNew();
        i.Id = items.Count();
        i.Description = description;
        i.ItemType = type;
        i.LentDate = lent;
        if (holder) {
            i.HolderId = holder->Id;
            ++holder->ItemCount;
        }
        return &i;
    }
};

template <typename Record> using Rows = std::vector<Record*>;

} // namespace

TEST(TableRows, AnEmptyCatalogueShowsOneEmptyRowInEachTable) {
    Shelf s;
    EXPECT_EQ(DebtorRows(s.users, false), Rows<TUserRec>{nullptr});
    EXPECT_EQ(DebtorRows(s.users, true), Rows<TUserRec>{nullptr});
    EXPECT_EQ(FreeItemRows(s.items, nullptr), Rows<TItemRec>{nullptr});
    EXPECT_EQ(LentItemRows(s.items, nullptr), Rows<TItemRec>{nullptr});
}

TEST(TableRows, FreeItemsFollowTheListAndTheFilterTakesTheTypeByItsExactBytes) {
    Shelf s;
    TUserRec* anna = s.Debtor(1, "Анна");
    TItemRec* atlas = s.Item("Атлас", "Книга");
    TItemRec* primer = s.Item("Букварь", "книга");
    s.Item("Дюна", "Книга", anna);
    TItemRec* waltz = s.Item("Вальс", "Диск");

    EXPECT_EQ(FreeItemRows(s.items, nullptr), (Rows<TItemRec>{atlas, primer, waltz}));
    const std::string book = "Книга";
    EXPECT_EQ(FreeItemRows(s.items, &book), Rows<TItemRec>{atlas});
    const std::string none = "Игра";
    EXPECT_EQ(FreeItemRows(s.items, &none), Rows<TItemRec>{nullptr});
    EXPECT_EQ(FreeItemCellText(*primer, 0), "Букварь");
    EXPECT_EQ(FreeItemCellText(*primer, 1), "книга");
}

TEST(TableRows, OnlyDebtorsLeavesOutThoseWhoHoldNothing) {
    Shelf s;
    TUserRec* anna = s.Debtor(1, "Анна");
    TUserRec* boris = s.Debtor(2, "Борис");
    TUserRec* vera = s.Debtor(3, "Вера");
    EXPECT_EQ(DebtorRows(s.users, false), (Rows<TUserRec>{anna, boris, vera}));
    EXPECT_EQ(DebtorRows(s.users, true), Rows<TUserRec>{nullptr});

    s.Item("Пила", "Инструмент", vera);
    s.Item("Ключи", "Разное", vera);
    EXPECT_EQ(DebtorRows(s.users, true), Rows<TUserRec>{vera});
    EXPECT_EQ(DebtorCellText(*vera, 0), "Вера");
    EXPECT_EQ(DebtorCellText(*vera, 1), "2");
    EXPECT_EQ(DebtorCellText(*anna, 1), "0");
}

// A debtor numbered 0 holds nothing: 0 marks a free item. A date no calendar has shows as an empty cell.
TEST(TableRows, LentItemsAreTheDebtorsOwnWithTheirDates) {
    Shelf s;
    const ShortDateFormat dates = ShortDateFormat::Russian();
    TUserRec* anna = s.Debtor(1, "Анна");
    TUserRec* boris = s.Debtor(2, "Борис");
    TUserRec* zero = s.Debtor(0, "Нулевой");
    TItemRec* keys = s.Item("Ключи", "Разное", anna, 45000.75);
    s.Item("Пила", "Инструмент", boris);
    TItemRec* odd = s.Item("Чайник", "Посуда", anna, std::numeric_limits<double>::quiet_NaN());
    s.Item("Дрель", "Инструмент");

    EXPECT_EQ(LentItemRows(s.items, anna), (Rows<TItemRec>{keys, odd}));
    EXPECT_EQ(LentItemRows(s.items, zero), Rows<TItemRec>{nullptr});
    EXPECT_EQ(LentItemCellText(*keys, 0, dates), "15.03.2023");
    EXPECT_EQ(LentItemCellText(*keys, 1, dates), "Ключи");
    EXPECT_EQ(LentItemCellText(*keys, 2, dates), "Разное");
    EXPECT_EQ(LentItemCellText(*odd, 0, dates), "");
    EXPECT_EQ(LentDateText(dates, 1e9), "");
}
