#pragma once
// The two ordered lists of the catalogue. Each owns its records and keeps their addresses stable for as
// long as they stay in the list, so table rows may remember the record they were filled from.

#include "catalog/Records.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

// Ordinal order of the keys: -1, 0 or 1 as the first record's key is smaller, equal or greater.
int CompareUserNames(const TUserRec& a, const TUserRec& b);
int CompareItemDescriptions(const TItemRec& a, const TItemRec& b);

// One more than the largest of the Ids, counting from 0; raises IdOverflowError when the largest is
// already 2147483647.
std::int32_t NextId(std::int32_t largestId);

template <typename T> class RecordList {
  public:
    using Compare = int (*)(const T&, const T&);
    using const_iterator = typename std::vector<std::unique_ptr<T>>::const_iterator;

    int Count() const { return static_cast<int>(records_.size()); }
    bool Empty() const { return records_.empty(); }
    // The record at a position, counted from 0.
    T& operator[](int index) const { return *records_.at(static_cast<std::size_t>(index)); }
    // Position of the record, or -1 when the list does not hold it.
    int IndexOf(const T* record) const {
        for (std::size_t i = 0; i < records_.size(); ++i) {
            if (records_[i].get() == record) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    // Takes the record over and puts it at the end.
    T& Append(std::unique_ptr<T> record) {
        records_.push_back(std::move(record));
        return *records_.back();
    }
    // Appends an empty record for the caller to fill in.
    T& AppendNew() { return Append(std::make_unique<T>()); }

    // Puts the record at a position (0 to Count()), the records from there on moving one place up.
    T& Insert(int index, std::unique_ptr<T> record) {
        if (index < 0 || static_cast<std::size_t>(index) > records_.size()) {
            throw std::out_of_range("list position out of range");
        }
        return **records_.insert(records_.begin() + index, std::move(record));
    }
    // Takes the record at a position out of the list and gives it to the caller.
    std::unique_ptr<T> Take(int index) {
        const auto at = records_.begin() + CheckedIndex(index);
        std::unique_ptr<T> record = std::move(*at);
        records_.erase(at);
        return record;
    }

    // Destroys the record at a position.
    void Delete(int index) { records_.erase(records_.begin() + CheckedIndex(index)); }
    // Destroys the given record; false when the list does not hold it.
    bool Remove(const T* record) {
        const int index = IndexOf(record);
        if (index < 0) {
            return false;
        }
        Delete(index);
        return true;
    }
    void Clear() { records_.clear(); }
    void Reserve(std::size_t count) { records_.reserve(count); }

    // Sorts ascending. Records with equal keys end in no particular order.
    void Sort(Compare compare) {
        auto less = [compare](const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) {
            return compare(*a, *b) < 0;
        };
        // A list read from a file that the program wrote is already in order.
        if (!std::is_sorted(records_.begin(), records_.end(), less)) {
            std::sort(records_.begin(), records_.end(), less);
        }
    }

    // The Id for a new record of this list.
    std::int32_t NewId() const {
        std::int32_t largest = 0;
        for (const auto& r : records_) {
            largest = std::max(largest, r->Id);
        }
        return NextId(largest);
    }

    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

  private:
    std::ptrdiff_t CheckedIndex(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= records_.size()) {
            throw std::out_of_range("list position out of range");
        }
        return index;
    }

    std::vector<std::unique_ptr<T>> records_;
};

class UserList : public RecordList<TUserRec> {
  public:
    // The first debtor in list order whose Name equals `name` byte for byte, or nullptr.
    TUserRec* FindByName(std::string_view name) const;
    // The first debtor in list order with this Id, or nullptr.
    TUserRec* FindById(std::int32_t id) const;
};

class ItemList : public RecordList<TItemRec> {
  public:
    // The first item in list order whose Description equals `description` byte for byte, or nullptr.
    TItemRec* FindByDescription(std::string_view description) const;
};
