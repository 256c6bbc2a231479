// The ordered lists: order, identifiers, lookups, ownership; and the type filter list.
#include "catalog/Lists.h"
#include "catalog/TypeList.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TUserRec& AddUser(UserList& users, int32_t id, const std::string& name) {
    TUserRec& u = users.AppendNew();
    u.Id = id;
    u.Name = name;
    return u;
}

std::vector<std::string> Names(const UserList& users) {
    std::vector<std::string> names;
    for (const auto& u : users) {
        names.push_back(u->Name);
    }
    return names;
}

} // namespace

TEST(Ordering, FollowsTheBytesOfCodePage1251) {
    UserList users;
    for (const char* name : {"ёж", "Ёж", "яков", "Яков", "abc", "Abc", "123"}) {
        AddUser(users, 1, name);
    }
    users.Sort(CompareUserNames);
    EXPECT_EQ(Names(users), (std::vector<std::string>{"123", "Abc", "abc", "Ёж", "ёж", "Яков", "яков"}));
}

TEST(Ordering, ComparesBytesAsUnsignedAndPrefixesFirst) {
    auto compare = [](const std::string& a, const std::string& b) {
        TItemRec x, y;
        x.Description = a;
        y.Description = b;
        return CompareItemDescriptions(x, y);
    };
    EXPECT_EQ(compare("Книга", "Книга 2"), -1);
    EXPECT_EQ(compare("Книга 2", "Книга"), 1);
    EXPECT_EQ(compare("", "0"), -1);
    EXPECT_EQ(compare("Зонт", "Зонт"), 0);
    EXPECT_EQ(compare("a", "z"), -1); // the sign only, not the distance
    EXPECT_EQ(compare("яблоко", "Ящик"), 1);
    EXPECT_EQ(compare("Ёлка", "Арбуз"), -1);
    EXPECT_EQ(compare("z", "Ђ"), -1); // 0x7A before 0x80
    EXPECT_EQ(compare("Z", "a"), -1);
    EXPECT_EQ(compare("9", "A"), -1);
}

TEST(Lists, RecordsKeepTheirAddressesThroughSortAndRemoval) {
    UserList users;
    TUserRec* c = &AddUser(users, 3, "Сидоров");
    TUserRec* a = &AddUser(users, 1, "Иванов");
    TUserRec* b = &AddUser(users, 2, "Петров");
    users.Sort(CompareUserNames);
    EXPECT_EQ(&users[0], a);
    EXPECT_EQ(&users[1], b);
    EXPECT_EQ(&users[2], c);
    EXPECT_EQ(users.IndexOf(c), 2);

    EXPECT_TRUE(users.Remove(b));
    EXPECT_FALSE(users.Remove(b));
    ASSERT_EQ(users.Count(), 2);
    EXPECT_EQ(c->Name, "Сидоров");
    EXPECT_EQ(&users[1], c);

    users.Delete(0);
    EXPECT_EQ(&users[0], c);
    EXPECT_THROW(users.Delete(1), std::out_of_range);
    EXPECT_THROW(users[-1], std::out_of_range);
    users.Clear();
    EXPECT_TRUE(users.Empty());
}

TEST(Lists, SortWithEqualKeysKeepsEveryRecord) {
    ItemList items;
    std::set<TItemRec*> before;
    for (int i = 0; i < 200; ++i) {
        TItemRec& item = items.AppendNew();
        item.Id = i;
        item.Description = std::string(1, static_cast<char>('a' + (i * 7) % 5));
        before.insert(&item);
    }
    items.Sort(CompareItemDescriptions);
    std::set<TItemRec*> after;
    for (int i = 0; i < items.Count(); ++i) {
        after.insert(&items[i]);
        if (i > 0) {
            EXPECT_LE(CompareItemDescriptions(items[i - 1], items[i]), 0);
        }
    }
    EXPECT_EQ(before, after);
}

TEST(Identifiers, OneMoreThanTheLargestCountingFromZero) {
    UserList users;
    EXPECT_EQ(users.NewId(), 1);
    AddUser(users, -5, "a");
    AddUser(users, 0, "b");
    EXPECT_EQ(users.NewId(), 1);
    users.Clear();
    AddUser(users, 3, "a");
    AddUser(users, 7, "b");
    AddUser(users, 5, "c");
    const int32_t id = users.NewId();
    EXPECT_EQ(id, 8);
    TUserRec& added = AddUser(users, id, "d");
    EXPECT_EQ(users.NewId(), 9);
    users.Remove(&added);
    EXPECT_EQ(users.NewId(), 8);

    ItemList items; // numbered apart from the debtors
    EXPECT_EQ(items.NewId(), 1);
}

TEST(Identifiers, RefusesToGoPastTheLargestInteger) {
    UserList users;
    AddUser(users, 2147483646, "a");
    EXPECT_EQ(users.NewId(), 2147483647);
    AddUser(users, 2147483647, "b");
    try {
        users.NewId();
        ADD_FAILURE() << "an identifier past the largest integer";
    } catch (const IdOverflowError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Нет свободного номера: в списке уже есть запись с номером 2147483647");
    }
    EXPECT_EQ(users.Count(), 2);
}

TEST(Lookup, FindsTheFirstRecordInListOrder) {
    UserList users;
    TUserRec* first = &AddUser(users, 4, "Петров");
    TUserRec* second = &AddUser(users, 4, "Петров");
    AddUser(users, 5, "петров");
    EXPECT_EQ(users.FindByName("Петров"), first);
    EXPECT_EQ(users.FindById(4), first);
    EXPECT_EQ(users.FindByName("ПЕТРОВ"), nullptr); // exact bytes, letter case counts
    EXPECT_EQ(users.FindByName("Петров "), nullptr);
    EXPECT_EQ(users.FindById(9), nullptr);
    users.Remove(first);
    EXPECT_EQ(users.FindByName("Петров"), second);

    ItemList items;
    items.AppendNew().Description = "Зонт";
    TItemRec& umbrella = items.AppendNew();
    umbrella.Description = "Зонт";
    EXPECT_EQ(items.FindByDescription("Зонт"), &items[0]);
    EXPECT_EQ(items.FindByDescription("зонт"), nullptr);
}

TEST(TypeList, TakesATypeInOnlyWhenNoEntryMatchesIgnoringCase) {
    TypeList types;
    EXPECT_TRUE(types.Add("Книга"));
    EXPECT_TRUE(types.Add("Прочее"));
    EXPECT_FALSE(types.Add("книга"));
    EXPECT_FALSE(types.Add("КНИГА"));
    EXPECT_TRUE(types.Add("Книги"));
    EXPECT_TRUE(types.Add(""));
    EXPECT_FALSE(types.Add(""));
    EXPECT_TRUE(types.Add("Ёлочное"));
    EXPECT_FALSE(types.Add("ёлочное"));
    EXPECT_TRUE(types.Add("Елочное"));
    EXPECT_EQ(types.Entries(),
              (std::vector<std::string>{"Книга", "Прочее", "Книги", "", "Ёлочное", "Елочное"}));
    EXPECT_EQ(types.IndexOf("ПРОЧЕЕ"), 1);
    EXPECT_EQ(types.IndexOf("Диск"), -1);
    // Past a handful of entries the list looks types up another way; the rule stays the same.
    for (const char* type : {"Диск", "Игра", "Карта", "Фильм", "Спорт", "Инструмент"}) {
        EXPECT_TRUE(types.Add(type)) << type;
    }
    EXPECT_FALSE(types.Add("ИНСТРУМЕНТ"));
    EXPECT_FALSE(types.Add("ёЛОЧНОЕ"));
    EXPECT_FALSE(types.Add("книга"));
    EXPECT_TRUE(types.Add("Инструменты"));
    EXPECT_EQ(types.Count(), 13);
    types.Clear();
    EXPECT_EQ(types.Count(), 0);
    EXPECT_TRUE(types.Add("книга")); // forgotten with the entries
}
