#include "catalog/Search.h"

#include "text/Letters.h"

int FindItemFrom(const ItemList& items, std::string_view upperText, std::int32_t from,
                 const std::string* type) {
    if (upperText.empty() || from < 0) {
        return -1;
    }
    // One buffer for the upper-cased descriptions: a search over a large catalogue allocates nothing
    // per item.
    std::string description;
    for (int i = from; i < items.Count(); ++i) {
        const TItemRec& item = items[i];
        if (type && item.ItemType != *type) {
            continue;
        }
        if (item.Description.size() < upperText.size()) {
            continue;
        }
        UpperCaseInto(item.Description, description);
        if (description.find(upperText) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

char QuickSearchKey(char typed) {
    if (typed >= '0' && typed <= '9') {
        return typed;
    }
    const char lower = LowerCase(typed);
    const auto code = static_cast<unsigned char>(lower);
    if ((lower >= 'a' && lower <= 'z') || code >= 224) {
        return lower;
    }
    return 0;
}

bool QuickSearchLandsOn(char key, std::string_view text) {
    return !text.empty() &&
           static_cast<unsigned char>(LowerCase(text.front())) >= static_cast<unsigned char>(key);
}
