#include "catalog/Lending.h"

#include "text/Letters.h"

#include <memory>
#include <utility>

bool Lend(TUserRec& debtor, TItemRec& item, TDateTime now) {
    if (!CanHold(debtor) || item.HolderId != 0) {
        return false;
    }
    item.HolderId = debtor.Id;
    item.LentDate = now;
    ++debtor.ItemCount;
    return true;
}

bool Return(TUserRec& debtor, TItemRec& item, TDateTime now) {
    if (!Holds(debtor, item)) {
        return false;
    }
    item.HolderId = 0;
    item.LentDate = now;
    --debtor.ItemCount;
    return true;
}

int ReturnAll(TUserRec& debtor, const ItemList& items, TDateTime now) {
    int returned = 0;
    for (const auto& item : items) {
        if (Return(debtor, *item, now)) {
            ++returned;
        }
    }
    return returned;
}

bool DeleteDebtor(UserList& users, const ItemList& items, const TUserRec& debtor) {
    const std::int32_t id = debtor.Id;
    if (!users.Remove(&debtor)) {
        return false;
    }
    for (const auto& item : items) {
        if (item->HolderId == id) {
            item->HolderId = 0;
        }
    }
    return true;
}

TUserRec& AddDebtor(UserList& users, std::string name, std::string email) {
    auto debtor = std::make_unique<TUserRec>();
    debtor->Id = users.NewId();
    debtor->Name = std::move(name);
    debtor->EMail = std::move(email);
    TUserRec& added = users.Append(std::move(debtor));
    users.Sort(CompareUserNames);
    return added;
}

TItemRec& AddItem(ItemList& items, std::string description, std::string type, TDateTime now) {
    auto item = std::make_unique<TItemRec>();
    item->Id = items.NewId();
    item->Description = std::move(description);
    item->ItemType = std::move(type);
    item->LentDate = now;
    TItemRec& added = items.Append(std::move(item));
    items.Sort(CompareItemDescriptions);
    return added;
}

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
