#include "catalog/Lists.h"

#include "text/Errors.h"

#include <limits>

namespace {

int Sign(int c) {
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace

// std::string compares bytes as unsigned values, shorter prefix first: the catalogue's ordinal order.
int CompareUserNames(const TUserRec& a, const TUserRec& b) {
    return Sign(a.Name.compare(b.Name));
}

int CompareItemDescriptions(const TItemRec& a, const TItemRec& b) {
    return Sign(a.Description.compare(b.Description));
}

std::int32_t NextId(std::int32_t largestId) {
    if (largestId == std::numeric_limits<std::int32_t>::max()) {
        throw IdOverflowError();
    }
    return std::max<std::int32_t>(largestId, 0) + 1;
}

TUserRec* UserList::FindByName(std::string_view name) const {
    for (const auto& r : *this) {
        if (r->Name == name) {
            return r.get();
        }
    }
    return nullptr;
}

TUserRec* UserList::FindById(std::int32_t id) const {
    for (const auto& r : *this) {
        if (r->Id == id) {
            return r.get();
        }
    }
    return nullptr;
}

TItemRec* ItemList::FindByDescription(std::string_view description) const {
    for (const auto& r : *this) {
        if (r->Description == description) {
            return r.get();
        }
    }
    return nullptr;
}
