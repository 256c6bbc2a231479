#pragma once
// The two record kinds of the catalogue. Texts are code page 1251 bytes without line breaks.

#include "text/DateTime.h"

#include <cstdint>
#include <string>

// A debtor: a person who borrows things.
struct TUserRec {
    std::int32_t Id = 0;
    std::string Name;
    std::string EMail;
    // Number of items whose HolderId is this Id; derived, never stored in the catalog file.
    std::int32_t ItemCount = 0;
};

// An item: a thing that can be lent.
struct TItemRec {
    std::int32_t Id = 0;
    std::string Description;
    std::string ItemType;
    // When it was lent (or created, or returned); only the date part is shown and stored.
    TDateTime LentDate = 0;
    // Id of the debtor who holds it; 0 while it is free.
    std::int32_t HolderId = 0;
};

// Whether the debtor holds the item. HolderId 0 marks a free item, so a debtor whose Id is 0 (a catalog
// file may number one so) holds nothing and can be given nothing.
inline bool Holds(const TUserRec& debtor, const TItemRec& item) {
    return item.HolderId != 0 && item.HolderId == debtor.Id;
}
