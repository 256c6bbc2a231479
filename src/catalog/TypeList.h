#pragma once
// The type filter list: the distinct item types in the order they were first met. A type is taken in
// only when no entry equals it with letter case ignored, so the entry keeps the letter case met first.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class TypeList {
  public:
    // Appends `type` unless an entry equals it ignoring letter case; true when it was appended.
    bool Add(std::string_view type);
    // Position of the entry equal to `type` ignoring letter case, or -1.
    int IndexOf(std::string_view type) const;

    int Count() const { return static_cast<int>(entries_.size()); }
    const std::string& operator[](int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Entries() const { return entries_; }
    void Clear();

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    std::vector<std::string> entries_;
    // The entries upper-cased, for a quick test of letter-case-blind equality.
    std::unordered_set<std::string, Hash, std::equal_to<>> folded_;
    std::string scratch_;
};
