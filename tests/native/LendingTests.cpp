// Lending and returning, adding records, deleting a debtor and the duplicate-description check, all made
// as steps: the rules that keep items' holders, their dates and the debtors' counts in step; then each
// kind of step taken back and done again, and what a step names for the person who looks at it later.
#include "catalog/Lending.h"
#include "catalog/Steps.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <stdexcept>

namespace {

constexpr TDateTime kEarlier = 45000;
constexpr TDateTime kNow = 45366.4375;

struct Shelf {
    Catalog c;
    std::vector<std::unique_ptr<Step>> done;

    // Records are added in their lists' order.
    TUserRec& Debtor(std::int32_t id, const std::string& name, const std::string& email = "") {
        TUserRec& u = c.users.AppendNew();
        u.Id = id;
        u.Name = name;
        u.EMail = email;
        return u;
    }
    TItemRec& Item(std::int32_t id, const std::string& description, TUserRec* holder = nullptr,
                   TDateTime lent = kEarlier) {
        TItemRec& i = c.items.AppendNew();
        i.Id = id;
        i.Description = description;
        i.ItemType = "Прочее";
        i.LentDate = lent;
        if (holder) {
            i.HolderId = holder->Id;
            ++holder->ItemCount;
        }
        return i;
    }
    // Applies a step the rules allow and keeps it.
    Step& Do(std::unique_ptr<Step> step) {
        if (!step) {
            throw std::logic_error("the step was refused");
        }
        step->Apply(c);
        done.push_back(std::move(step));
        return *done.back();
    }
};

// Everything a step may change, each record also by its address: a record taken back must be the same one.
std::string Picture(const Catalog& c) {
    std::ostringstream out;
    out.precision(17);
    for (const auto& u : c.users) {
        out << u.get() << ' ' << u->Id << '|' << u->Name << '|' << u->EMail << '|' << u->ItemCount << '\n';
    }
    for (const auto& i : c.items) {
        out << i.get() << ' ' << i->Id << '|' << i->Description << '|' << i->ItemType << '|' << i->LentDate
            << '|' << i->HolderId << '\n';
    }
    return out.str();
}

// Takes the last step back and does it again: the catalogue is `before`, then what the step first made.
void ExpectTakenBackAndDoneAgain(Shelf& s, const std::string& before) {
    Step& step = *s.done.back();
    const std::string after = Picture(s.c);
    step.Undo(s.c);
    EXPECT_EQ(Picture(s.c), before) << "taken back, kind " << static_cast<int>(step.Kind());
    step.Apply(s.c);
    EXPECT_EQ(Picture(s.c), after) << "done again, kind " << static_cast<int>(step.Kind());
}

template <typename T> std::vector<const T*> Order(const RecordList<T>& list) {
    std::vector<const T*> order;
    for (const auto& r : list) {
        order.push_back(r.get());
    }
    return order;
}

std::string Named(const StepRecord& r) {
    return std::to_string(r.id) + " " + r.text;
}

std::string Named(const std::vector<StepRecord>& records) {
    std::string out;
    for (const StepRecord& r : records) {
        out += Named(r) + ";";
    }
    return out;
}

} // namespace

TEST(Lending, LendsOnlyAFreeItemAndOnlyToADebtorWhoCanHoldIt) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TUserRec& zero = s.Debtor(0, "Нулевой");
    TItemRec& drill = s.Item(1, "Дрель");

    EXPECT_EQ(MakeLend(s.c, zero, drill, kNow), nullptr);

    s.Do(MakeLend(s.c, anna, drill, kNow));
    EXPECT_EQ(drill.HolderId, 1);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(anna.ItemCount, 1);

    // Lent already: neither Anna again nor Boris gets it.
    EXPECT_EQ(MakeLend(s.c, anna, drill, kNow + 1), nullptr);
    EXPECT_EQ(MakeLend(s.c, boris, drill, kNow + 1), nullptr);
}

TEST(Lending, ADebtorNumberedZeroHoldsNothingEvenWhereFreeItemsCarryHisNumber) {
    Shelf s;
    TUserRec& zero = s.Debtor(0, "Нулевой");
    TItemRec& free = s.Item(1, "Зонт");
    EXPECT_FALSE(CanHold(zero));
    EXPECT_FALSE(Holds(zero, free));
    EXPECT_EQ(MakeReturn(s.c, zero, free, kNow), nullptr);
    EXPECT_EQ(MakeReturnAll(s.c, zero, kNow), nullptr);

    // Deleting him gives nothing back: the free items are not his.
    const Step& gone = s.Do(MakeDeleteDebtor(s.c, zero, kNow));
    EXPECT_TRUE(gone.Returned().empty());
    EXPECT_EQ(free.HolderId, 0);
    EXPECT_EQ(free.LentDate, kEarlier);
}

TEST(Returning, OnlyTheHolderGivesAnItemBackAndTheReturnIsStamped) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TItemRec& drill = s.Item(1, "Дрель", &anna);
    TItemRec& free = s.Item(2, "Зонт");

    EXPECT_EQ(MakeReturn(s.c, boris, drill, kNow), nullptr);
    EXPECT_EQ(MakeReturn(s.c, anna, free, kNow), nullptr);

    s.Do(MakeReturn(s.c, anna, drill, kNow));
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(anna.ItemCount, 0);
    EXPECT_EQ(MakeReturn(s.c, anna, drill, kNow + 1), nullptr);
}

TEST(Returning, AllTakesBackExactlyTheDebtorsItemsAtOneMoment) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TItemRec& a1 = s.Item(1, "Гитара", &anna);
    TItemRec& b1 = s.Item(2, "Дрель", &boris);
    TItemRec& a2 = s.Item(3, "Зонт", &anna, kEarlier + 3);
    TItemRec& free = s.Item(4, "Книга");

    const Step& all = s.Do(MakeReturnAll(s.c, anna, kNow));
    EXPECT_EQ(Named(all.Returned()), "1 Гитара;3 Зонт;");
    EXPECT_EQ(anna.ItemCount, 0);
    for (const TItemRec* item : {&a1, &a2}) {
        EXPECT_EQ(item->HolderId, 0);
        EXPECT_EQ(item->LentDate, kNow);
    }
    EXPECT_EQ(b1.HolderId, 2);
    EXPECT_EQ(b1.LentDate, kEarlier);
    EXPECT_EQ(boris.ItemCount, 1);
    EXPECT_EQ(free.LentDate, kEarlier);
    EXPECT_EQ(MakeReturnAll(s.c, anna, kNow + 1), nullptr);
}

TEST(DeletingADebtor, FreesHisItemsWithTheirDatesAndLeavesOthersAlone) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TUserRec& boris = s.Debtor(2, "Борис");
    TItemRec& a1 = s.Item(1, "Гитара", &anna);
    TItemRec& b1 = s.Item(2, "Дрель", &boris);

    s.Do(MakeDeleteDebtor(s.c, anna, kNow));
    ASSERT_EQ(s.c.users.Count(), 1);
    EXPECT_EQ(s.c.users[0].Name, "Борис");
    EXPECT_EQ(a1.HolderId, 0);
    EXPECT_EQ(a1.LentDate, kEarlier);
    EXPECT_EQ(b1.HolderId, 2);
    EXPECT_EQ(boris.ItemCount, 1);

    // A debtor numbered later with Anna's number inherits nothing.
    s.Do(MakeNewDebtor(s.c, "Вера", "", kNow));
    EXPECT_EQ(s.c.users.FindByName("Вера")->Id, 3);
    TUserRec& again = s.Debtor(1, "Глеб");
    EXPECT_FALSE(Holds(again, a1));

    // One who is not in the list is not deleted.
    TUserRec stranger;
    EXPECT_THROW(MakeDeleteDebtor(s.c, stranger, kNow), std::invalid_argument);
    EXPECT_EQ(s.c.users.Count(), 3);
}

TEST(DeletingADebtor, OfTwoWithOneNameRemovesOnlyTheGivenOne) {
    Shelf s;
    TUserRec& first = s.Debtor(1, "Петров");
    TUserRec& second = s.Debtor(2, "Петров");
    TItemRec& f = s.Item(1, "Гитара", &first);
    TItemRec& g = s.Item(2, "Дрель", &second);
    s.Do(MakeDeleteDebtor(s.c, second, kNow));
    ASSERT_EQ(s.c.users.Count(), 1);
    EXPECT_EQ(&s.c.users[0], &first);
    EXPECT_EQ(f.HolderId, 1);
    EXPECT_EQ(g.HolderId, 0);
}

TEST(Adding, NewRecordsTakeTheNextIdStartEmptyAndGoInOrder) {
    Shelf s;
    s.Debtor(5, "Борис");
    TUserRec& petrov = s.Debtor(2, "Петров");
    s.Do(MakeNewDebtor(s.c, "Анна", "anna@example.org", kNow));
    const TUserRec& anna = s.c.users[0];
    EXPECT_EQ(anna.Id, 6);
    EXPECT_EQ(anna.Name, "Анна");
    EXPECT_EQ(anna.EMail, "anna@example.org");
    EXPECT_EQ(anna.ItemCount, 0);
    // A namesake goes after the debtors of his name.
    s.Do(MakeNewDebtor(s.c, "Петров", "", kNow));
    EXPECT_EQ(&s.c.users[2], &petrov);
    EXPECT_EQ(s.c.users[3].Id, 7);

    s.Item(9, "Зонт");
    s.Do(MakeNewItem(s.c, "Дрель", "Инструмент", kNow));
    const TItemRec& drill = s.c.items[0];
    EXPECT_EQ(drill.Id, 10);
    EXPECT_EQ(drill.Description, "Дрель");
    EXPECT_EQ(drill.ItemType, "Инструмент");
    EXPECT_EQ(drill.HolderId, 0);
    EXPECT_EQ(drill.LentDate, kNow);
    EXPECT_EQ(s.c.types.IndexOf("инструмент"), 0);
}

TEST(Adding, IdsCountFromZeroWhenNoneIsPositive) {
    Shelf s;
    s.Debtor(-4, "Борис");
    s.Debtor(0, "Вера");
    s.Item(-1, "Зонт");
    s.Do(MakeNewDebtor(s.c, "Анна", "", kNow));
    s.Do(MakeNewItem(s.c, "Ящик", "", kNow));
    EXPECT_EQ(s.c.users[0].Id, 1);
    EXPECT_EQ(s.c.items[1].Id, 1);
}

// A file may lend an item to an Id it has no debtor for; the debtor who is then numbered so holds it.
TEST(Adding, ANewDebtorCountsTheItemsAFileGaveToHisId) {
    Shelf s;
    s.Debtor(1, "Анна");
    TItemRec& saw = s.Item(1, "Пила");
    saw.HolderId = 2;
    s.Do(MakeNewDebtor(s.c, "Борис", "", kNow));
    TUserRec& boris = s.c.users[1];
    ASSERT_EQ(boris.Id, 2);
    EXPECT_EQ(boris.ItemCount, 1);
    // Given back, he holds nothing, not less than nothing.
    s.Do(MakeReturn(s.c, boris, saw, kNow));
    EXPECT_EQ(boris.ItemCount, 0);
}

TEST(DuplicateDescription, CountsLentItemsAndIgnoresLetterCaseOnlyWhenAsked) {
    Shelf s;
    TUserRec& anna = s.Debtor(1, "Анна");
    TItemRec& lent = s.Item(1, "Ёлка", &anna);
    TItemRec& free = s.Item(2, "Книга");

    EXPECT_EQ(FindSameDescription(s.c.items, "Ёлка", false), &lent);
    EXPECT_EQ(FindSameDescription(s.c.items, "ёЛКА", false), nullptr);
    EXPECT_EQ(FindSameDescription(s.c.items, "ёЛКА", true), &lent);
    EXPECT_EQ(FindSameDescription(s.c.items, "КНИГА", true), &free);
    EXPECT_EQ(FindSameDescription(s.c.items, "Книга ", true), nullptr);

    EXPECT_EQ(HolderOf(s.c.users, lent), &anna);
    EXPECT_EQ(HolderOf(s.c.users, free), nullptr);
    // An item held by a number no debtor has: no holder to name.
    TItemRec& orphan = s.Item(3, "Пила");
    orphan.HolderId = 7;
    EXPECT_EQ(HolderOf(s.c.users, orphan), nullptr);
}

// Debtors Анна (3, holding two items lent at different dates), Борис (7, holding one), Петров (5) and
// Петров (-2); items Гитара and Дрель (Анна's), Зонт (free), Книга (Борис's).
struct Lent : Shelf {
    TUserRec& anna = Debtor(3, "Анна", "a@example.org");
    TUserRec& boris = Debtor(7, "Борис");
    TUserRec& petrov = Debtor(5, "Петров", "first@example.org");
    TUserRec& petrov2 = Debtor(-2, "Петров", "second@example.org");
    TItemRec& guitar = Item(4, "Гитара", &anna, kEarlier);
    TItemRec& drill = Item(9, "Дрель", &anna, kEarlier + 10.25);
    TItemRec& umbrella = Item(0, "Зонт", nullptr, kEarlier + 20);
    TItemRec& book = Item(2, "Книга", &boris, kEarlier + 30);
};

TEST(TakingBack, EveryKindRestoresTheCatalogueExactlyAndAppliesAgainAsTheFirstTime) {
    const std::vector<std::function<std::unique_ptr<Step>(Lent&)>> makers = {
        [](Lent& s) { return MakeNewDebtor(s.c, "Петров", "third@example.org", kNow); },
        [](Lent& s) { return MakeEditDebtor(s.c, s.anna, "Яков", "y@example.org", kNow); },
        [](Lent& s) { return MakeDeleteDebtor(s.c, s.anna, kNow); },
        [](Lent& s) { return MakeNewItem(s.c, "Дрель", "Инструмент", kNow); },
        [](Lent& s) { return MakeEditItem(s.c, s.guitar, "Юла", "Игрушка", kNow); },
        [](Lent& s) { return MakeDeleteItem(s.c, s.book, kNow); },
        [](Lent& s) { return MakeLend(s.c, s.petrov2, s.umbrella, kNow); },
        [](Lent& s) { return MakeReturn(s.c, s.boris, s.book, kNow); },
        [](Lent& s) { return MakeReturnAll(s.c, s.anna, kNow); },
    };
    for (const auto& make : makers) {
        Lent s;
        const std::string before = Picture(s.c);
        s.Do(make(s));
        EXPECT_NE(Picture(s.c), before);
        ExpectTakenBackAndDoneAgain(s, before);
    }
}

TEST(TakingBack, AnEditMovesTheRecordInTheOrderAndBackAndTheTypeListKeepsItsType) {
    Lent s;
    s.Do(MakeEditDebtor(s.c, s.anna, "Яков", "", kNow));
    EXPECT_EQ(&s.c.users[3], &s.anna);
    s.done.back()->Undo(s.c);
    EXPECT_EQ(&s.c.users[0], &s.anna);
    EXPECT_EQ(s.anna.Name, "Анна");
    EXPECT_EQ(s.anna.EMail, "a@example.org");
    EXPECT_EQ(s.anna.ItemCount, 2);

    // Гитара becomes Шар, between Книга and nothing: last; taken back, first again.
    s.Do(MakeEditItem(s.c, s.guitar, "Шар", "Игрушка", kNow));
    EXPECT_EQ(&s.c.items[3], &s.guitar);
    s.done.back()->Undo(s.c);
    EXPECT_EQ(Order(s.c.items), (std::vector<const TItemRec*>{&s.guitar, &s.drill, &s.umbrella, &s.book}));
    EXPECT_EQ(s.guitar.Description, "Гитара");
    EXPECT_EQ(s.guitar.ItemType, "Прочее");
    EXPECT_EQ(s.guitar.HolderId, 3);
    EXPECT_EQ(s.c.types.IndexOf("Игрушка"), 0);
}

TEST(TakingBack, NamesakesKeepTheirOrder) {
    Shelf s;
    TUserRec& a = s.Debtor(1, "Петров", "a");
    TUserRec& b = s.Debtor(2, "Петров", "b");
    TUserRec& c = s.Debtor(3, "Петров", "c");
    TItemRec& x = s.Item(1, "Зонт", &a);
    TItemRec& y = s.Item(2, "Зонт");
    TItemRec& z = s.Item(3, "Зонт", &c);
    const std::string start = Picture(s.c);
    const std::vector<const TUserRec*> debtors{&a, &b, &c};
    const std::vector<const TItemRec*> items{&x, &y, &z};

    // The middle one deleted, renamed away, or given new texts under the same name: back in the middle.
    s.Do(MakeDeleteDebtor(s.c, b, kNow));
    ExpectTakenBackAndDoneAgain(s, start);
    s.done.back()->Undo(s.c);
    s.Do(MakeEditDebtor(s.c, b, "Агеев", "", kNow));
    EXPECT_EQ(&s.c.users[0], &b);
    ExpectTakenBackAndDoneAgain(s, start);
    s.done.back()->Undo(s.c);
    s.Do(MakeEditDebtor(s.c, b, "Петров", "new", kNow));
    EXPECT_EQ(Order(s.c.users), debtors);
    s.done.back()->Undo(s.c);

    s.Do(MakeDeleteItem(s.c, y, kNow));
    ExpectTakenBackAndDoneAgain(s, start);
    s.done.back()->Undo(s.c);
    s.Do(MakeEditItem(s.c, y, "Ящик", "", kNow));
    EXPECT_EQ(&s.c.items[2], &y);
    ExpectTakenBackAndDoneAgain(s, start);
    s.done.back()->Undo(s.c);

    EXPECT_EQ(Order(s.c.users), debtors);
    EXPECT_EQ(Order(s.c.items), items);
    EXPECT_EQ(Picture(s.c), start);
}

TEST(TakingBack, ADeletedDebtorComesBackWithHisIdAndHisItemsHeldAgainWithTheirOwnDates) {
    Lent s;
    const std::string before = Picture(s.c);
    s.Do(MakeDeleteDebtor(s.c, s.anna, kNow));
    EXPECT_EQ(s.guitar.HolderId, 0);
    EXPECT_EQ(s.drill.HolderId, 0);
    s.done.back()->Undo(s.c);
    EXPECT_EQ(&s.c.users[0], &s.anna);
    EXPECT_EQ(s.anna.Id, 3);
    EXPECT_EQ(s.anna.ItemCount, 2);
    EXPECT_EQ(s.guitar.HolderId, 3);
    EXPECT_EQ(s.guitar.LentDate, kEarlier);
    EXPECT_EQ(s.drill.HolderId, 3);
    EXPECT_EQ(s.drill.LentDate, kEarlier + 10.25);
    EXPECT_EQ(Picture(s.c), before);
}

TEST(TakingBack, ReturnAllGivesEachItemBackItsOwnLentDate) {
    Lent s;
    s.Do(MakeReturnAll(s.c, s.anna, kNow));
    s.done.back()->Undo(s.c);
    EXPECT_EQ(s.guitar.LentDate, kEarlier);
    EXPECT_EQ(s.drill.LentDate, kEarlier + 10.25);
    EXPECT_EQ(s.guitar.HolderId, 3);
    EXPECT_EQ(s.drill.HolderId, 3);
    EXPECT_EQ(s.anna.ItemCount, 2);
    EXPECT_EQ(s.book.LentDate, kEarlier + 30);
}

TEST(TakingBack, StepsTakenBackNewestFirstLeaveTheCatalogueAsItWas) {
    Lent s;
    const std::string before = Picture(s.c);
    s.Do(MakeLend(s.c, s.petrov, s.umbrella, kNow));
    s.Do(MakeEditDebtor(s.c, s.petrov, "Аксёнов", "", kNow + 1));
    s.Do(MakeDeleteItem(s.c, s.drill, kNow + 2));
    s.Do(MakeDeleteDebtor(s.c, s.petrov, kNow + 3));
    s.Do(MakeNewDebtor(s.c, "Аксёнов", "", kNow + 4));
    EXPECT_EQ(s.c.users[0].Id, 8);
    EXPECT_EQ(s.c.users[0].ItemCount, 0);
    for (auto step = s.done.rbegin(); step != s.done.rend(); ++step) {
        (*step)->Undo(s.c);
    }
    EXPECT_EQ(Picture(s.c), before);
}

// What a step keeps for the person: the records as they were when it was made, and the moment.
TEST(StepNames, NameTheRecordsAndTheMomentAsTheyWereWhenMade) {
    Lent s;
    struct Seen {
        StepKind kind;
        std::string debtor, item, returned;
    };
    const auto expect = [](const Step& step, const Seen& seen, TDateTime when) {
        EXPECT_EQ(step.Kind(), seen.kind);
        EXPECT_EQ(step.When(), when);
        EXPECT_EQ(Named(step.Debtor()), seen.debtor);
        EXPECT_EQ(Named(step.Item()), seen.item);
        EXPECT_EQ(Named(step.Returned()), seen.returned);
    };
    expect(s.Do(MakeLend(s.c, s.petrov, s.umbrella, kNow)), {StepKind::Lend, "5 Петров", "0 Зонт", ""}, kNow);
    expect(s.Do(MakeReturn(s.c, s.petrov, s.umbrella, kNow + 1)),
           {StepKind::Return, "5 Петров", "0 Зонт", ""}, kNow + 1);
    expect(s.Do(MakeEditDebtor(s.c, s.petrov, "Олег", "", kNow)),
           {StepKind::EditDebtor, "5 Петров", "0 ", ""}, kNow);
    expect(s.Do(MakeEditItem(s.c, s.guitar, "Юла", "", kNow)), {StepKind::EditItem, "0 ", "4 Гитара", ""},
           kNow);
    expect(s.Do(MakeReturnAll(s.c, s.anna, kNow)), {StepKind::ReturnAll, "3 Анна", "0 ", "9 Дрель;4 Юла;"},
           kNow);
    expect(s.Do(MakeDeleteDebtor(s.c, s.boris, kNow)), {StepKind::DeleteDebtor, "7 Борис", "0 ", "2 Книга;"},
           kNow);
    expect(s.Do(MakeDeleteItem(s.c, s.drill, kNow)), {StepKind::DeleteItem, "0 ", "9 Дрель", ""}, kNow);
    expect(s.Do(MakeNewDebtor(s.c, "Вера", "", kNow)), {StepKind::NewDebtor, "6 Вера", "0 ", ""}, kNow);
    expect(s.Do(MakeNewItem(s.c, "Пила", "", kNow)), {StepKind::NewItem, "0 ", "5 Пила", ""}, kNow);
    // Later changes of the records leave what the steps named.
    s.Do(MakeEditDebtor(s.c, s.anna, "Алла", "", kNow));
    EXPECT_EQ(Named(s.done[4]->Debtor()), "3 Анна");
    EXPECT_EQ(Named(s.done[0]->Debtor()), "5 Петров");
}
