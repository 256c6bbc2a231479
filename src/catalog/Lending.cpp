#include "catalog/Lending.h"

#include "text/Letters.h"

const TItemRec* FindSameDescription(const ItemList& items, std::string_view description, bool ignoreCase) {
    for (const auto& item : items) {
        if (ignoreCase ? SameText(item->Description, description) : item->Description == description) {
            return item.get();
        }
    }
    return nullptr;
}

const TUserRec* HolderOf(const UserList& users, const TItemRec& item) {
    return item.HolderId != 0 ? users.FindById(item.HolderId) : nullptr;
}
