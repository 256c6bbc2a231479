#include "catalog/TypeList.h"

#include "text/Letters.h"

bool TypeList::Add(std::string_view type) {
    UpperCaseInto(type, scratch_);
    if (folded_.find(std::string_view(scratch_)) != folded_.end()) {
        return false;
    }
    folded_.insert(scratch_);
    entries_.emplace_back(type);
    return true;
}

int TypeList::IndexOf(std::string_view type) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (SameText(entries_[i], type)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TypeList::Clear() {
    entries_.clear();
    folded_.clear();
}
