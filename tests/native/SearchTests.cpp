// The item search's rule at the edges the window's tests do not reach.
#include "catalog/Search.h"
#include "text/Letters.h"

#include <gtest/gtest.h>

TEST(ItemSearch, FindsAPieceOfADescriptionInAnyLetterCaseFromThePositionAndOfTheFilteredTypeExactly) {
    ItemList items;
    for (const char* description : {"Диск с книгой", "Книга", "Книжка"}) {
        TItemRec& item = items.AppendNew();
        item.Description = description;
        item.ItemType = items.Count() == 2 ? "книги" : "Книги";
    }
    const std::string kni = UpperCase("кНи");
    EXPECT_EQ(FindItemFrom(items, kni, 0, nullptr), 0);
    EXPECT_EQ(FindItemFrom(items, kni, 1, nullptr), 1);
    EXPECT_EQ(FindItemFrom(items, UpperCase("КНИЖКАА"), 0, nullptr), -1); // longer than any description
    const std::string books = "Книги";
    EXPECT_EQ(FindItemFrom(items, kni, 1, &books), 2); // "книги" is another type
    // An empty text, and positions outside the list, find nothing.
    EXPECT_EQ(FindItemFrom(items, "", 0, nullptr), -1);
    EXPECT_EQ(FindItemFrom(items, kni, 3, nullptr), -1);
    EXPECT_EQ(FindItemFrom(items, kni, 2147483647, nullptr), -1);
    EXPECT_EQ(FindItemFrom(items, kni, -1, nullptr), -1);
}
