// The item search through the descriptions, and the quick search's letters.
#include "catalog/Search.h"
#include "text/Letters.h"

#include <gtest/gtest.h>

namespace {

ItemList Items(std::initializer_list<std::pair<const char*, const char*>> descriptionsAndTypes) {
    ItemList items;
    for (const auto& [description, type] : descriptionsAndTypes) {
        TItemRec& item = items.AppendNew();
        item.Description = description;
        item.ItemType = type;
    }
    return items;
}

} // namespace

TEST(ItemSearch, FindsPiecesOfDescriptionsIgnoringLetterCaseFromTheGivenPosition) {
    const ItemList items = Items({{"Книга", "Книги"}, {"Книжка", "Книги"}, {"Тетрадь", "Тетради"}});
    const std::string kni = UpperCase("кни");
    EXPECT_EQ(FindItemFrom(items, kni, 0, nullptr), 0);
    EXPECT_EQ(FindItemFrom(items, kni, 1, nullptr), 1);
    EXPECT_EQ(FindItemFrom(items, kni, 2, nullptr), -1);
    // In the middle of a description, typed in capitals or mixed.
    EXPECT_EQ(FindItemFrom(items, UpperCase("ИГА"), 0, nullptr), 0);
    EXPECT_EQ(FindItemFrom(items, UpperCase("тЕтРаДь"), 0, nullptr), 2);
    // Nothing is found by an empty text, a longer text, or from outside the list.
    EXPECT_EQ(FindItemFrom(items, "", 0, nullptr), -1);
    EXPECT_EQ(FindItemFrom(items, UpperCase("книгаа"), 0, nullptr), -1);
    EXPECT_EQ(FindItemFrom(items, kni, 3, nullptr), -1);
    EXPECT_EQ(FindItemFrom(items, kni, 2147483647, nullptr), -1);
    EXPECT_EQ(FindItemFrom(items, kni, -1, nullptr), -1);
}

TEST(ItemSearch, TheTypeFilterLetsThroughOnlyItsOwnTypeExactly) {
    const ItemList items = Items({{"Диск с книгой", "Диски"}, {"Книга", "книги"}, {"Книжка", "Книги"}});
    const std::string books = "Книги";
    EXPECT_EQ(FindItemFrom(items, UpperCase("кни"), 0, &books), 2);
    const std::string discs = "Диски";
    EXPECT_EQ(FindItemFrom(items, UpperCase("кни"), 1, &discs), -1);
}

TEST(QuickSearch, DigitsAndLettersSearchInLowerCaseOtherKeysDoNothing) {
    EXPECT_EQ(QuickSearchKey('б'), 'б');
    EXPECT_EQ(QuickSearchKey('Б'), 'б');
    EXPECT_EQ(QuickSearchKey('Я'), 'я');
    EXPECT_EQ(QuickSearchKey('A'), 'a');
    EXPECT_EQ(QuickSearchKey('z'), 'z');
    EXPECT_EQ(QuickSearchKey('7'), '7');
    for (char other : {'ё', 'Ё', ' ', '.', '-', '\t', 'Ї', 'є', '\0'}) {
        EXPECT_EQ(QuickSearchKey(other), 0) << static_cast<int>(static_cast<unsigned char>(other));
    }

    // A row lands when its first letter, in lower case, is not before the key's in the code page.
    EXPECT_TRUE(QuickSearchLandsOn('б', "Борис"));
    EXPECT_TRUE(QuickSearchLandsOn('б', "вера"));
    EXPECT_FALSE(QuickSearchLandsOn('б', "Анна"));
    EXPECT_FALSE(QuickSearchLandsOn('г', "Вера"));
    EXPECT_TRUE(QuickSearchLandsOn('a', "Анна")); // every Cyrillic letter comes after the Latin ones
    EXPECT_TRUE(QuickSearchLandsOn('z', "Яков"));
    EXPECT_FALSE(QuickSearchLandsOn('a', "1 том"));
    EXPECT_FALSE(QuickSearchLandsOn('a', ""));
}
