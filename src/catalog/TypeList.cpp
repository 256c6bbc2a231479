#include "catalog/TypeList.h"

#include "text/Letters.h"

bool TypeList::Add(std::string_view type) {
    // A catalogue has a handful of types: comparing them one by one is quicker than folding and hashing.
    // Most types are spelt as the entry they match.
    if (entries_.size() <= 8) {
        for (const std::string& entry : entries_) {
            if (entry == type) {
                return false;
            }
        }
        for (const std::string& entry : entries_) {
            if (SameText(entry, type)) {
                return false;
            }
        }
    }
    UpperCaseInto(type, scratch_);
    if (entries_.size() > 8 && folded_.find(std::string_view(scratch_)) != folded_.end()) {
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
