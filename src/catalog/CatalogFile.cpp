#include "catalog/CatalogFile.h"

#include "files/FileIO.h"
#include "text/IntText.h"
#include "text/ScopeExit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kSeparator = "***";
constexpr char kEndOfFile = '\x1A';

// The first LF or CR in [p, end), or end. Eight bytes at a time: a catalog file is mostly short lines.
const char* FindLineBreak(const char* p, const char* end) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t lf = word ^ (ones * '\n');
        const std::uint64_t cr = word ^ (ones * '\r');
        // Non-zero exactly when one of the eight bytes is LF or CR.
        const std::uint64_t marks = ((lf - ones) & ~lf & highs) | ((cr - ones) & ~cr & highs);
        if (marks != 0) {
            break; // the byte loop below finds which
        }
        p += 8;
    }
    while (p < end && *p != '\n' && *p != '\r') {
        ++p;
    }
    return p;
}

// Lines of a text file as the catalog reader takes them.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : pos_(bytes.data()), end_(bytes.data() + bytes.size()) {
        const void* eof = bytes.empty() ? nullptr : std::memchr(pos_, kEndOfFile, bytes.size());
        if (eof) {
            end_ = static_cast<const char*>(eof);
        }
    }

    bool AtEnd() const { return pos_ == end_; }

    // The next line without its line end and without any CR; empty at the end of the file. The text stays
    // valid until the next call.
    std::string_view Next() {
        const char* start = pos_;
        const char* stop = FindLineBreak(pos_, end_);
        const std::string_view line(start, static_cast<std::size_t>(stop - start));
        // The usual line ends in LF, in CR LF, or at the end of the file; a CR anywhere else costs a copy.
        if (stop == end_ || stop + 1 == end_) {
            pos_ = end_;
            return line;
        }
        if (*stop == '\n' || stop[1] == '\n') {
            pos_ = *stop == '\n' ? stop + 1 : stop + 2;
            return line;
        }
        scratch_.assign(line);
        for (;;) {
            start = stop + 1; // past a CR
            stop = FindLineBreak(start, end_);
            scratch_.append(start, stop);
            if (stop == end_ || *stop == '\n') {
                pos_ = stop == end_ ? end_ : stop + 1;
                return scratch_;
            }
        }
    }

  private:
    const char* pos_;
    const char* end_;
    std::string scratch_;
};

// Finds the holder of an item: the first debtor, in the order read, with the item's HolderId. Counts are
// gathered per debtor position here and handed to the records at the end, which keeps the loop over the
// items away from the scattered debtor records.
class HolderCounts {
  public:
    explicit HolderCounts(const UserList& users) : counts_(static_cast<std::size_t>(users.Count()), 0) {
        if (users.Empty()) {
            return;
        }
        std::int64_t low = users[0].Id, high = users[0].Id;
        for (const auto& u : users) {
            low = std::min<std::int64_t>(low, u->Id);
            high = std::max<std::int64_t>(high, u->Id);
        }
        // Ids are mostly 1..n: then a table indexed by Id; otherwise Ids sorted for a binary search.
        if (high - low <= 4 * static_cast<std::int64_t>(users.Count()) + 64) {
            base_ = low;
            slots_.assign(static_cast<std::size_t>(high - low + 1), -1);
            for (int i = users.Count() - 1; i >= 0; --i) {
                slots_[static_cast<std::size_t>(users[i].Id - low)] = i;
            }
        } else {
            for (int i = 0; i < users.Count(); ++i) {
                sorted_.push_back({users[i].Id, i});
            }
            std::sort(sorted_.begin(), sorted_.end());
        }
    }

    void Count(std::int32_t holderId) {
        const int position = Find(holderId);
        if (position >= 0) {
            ++counts_[static_cast<std::size_t>(position)];
        }
    }

    void HandTo(UserList& users) const {
        for (std::size_t i = 0; i < counts_.size(); ++i) {
            users[static_cast<int>(i)].ItemCount = counts_[i];
        }
    }

  private:
    int Find(std::int32_t id) const {
        if (!slots_.empty()) {
            const std::int64_t slot = id - base_;
            return slot >= 0 && slot < static_cast<std::int64_t>(slots_.size())
                       ? slots_[static_cast<std::size_t>(slot)]
                       : -1;
        }
        // The first of equal Ids in the order read: pairs sort by Id, then by position.
        const auto found =
            std::lower_bound(sorted_.begin(), sorted_.end(), std::pair<std::int32_t, int>{id, -1});
        return found != sorted_.end() && found->first == id ? found->second : -1;
    }

    std::vector<std::int32_t> counts_;
    std::int64_t base_ = 0;
    std::vector<int> slots_;
    std::vector<std::pair<std::int32_t, int>> sorted_;
};

// Reads the debtors, then the items; the item counts go to the debtors even when a line fails.
void ParseLines(std::string_view bytes, Catalog& catalog, const ShortDateFormat& dates) {
    LineReader reader(bytes);

    while (!reader.AtEnd()) {
        const std::string_view line = reader.Next();
        if (line == kSeparator) {
            break;
        }
        auto debtor = std::make_unique<TUserRec>();
        debtor->Id = StrToInt(line);
        debtor->Name = reader.Next();
        debtor->EMail = reader.Next();
        catalog.users.Append(std::move(debtor));
    }

    HolderCounts holders(catalog.users);
    const ScopeExit handCounts([&] { holders.HandTo(catalog.users); });
    while (!reader.AtEnd()) {
        auto item = std::make_unique<TItemRec>();
        item->Id = StrToInt(reader.Next());
        item->Description = reader.Next();
        item->ItemType = reader.Next();
        catalog.types.Add(item->ItemType);
        item->LentDate = dates.Parse(reader.Next());
        item->HolderId = StrToInt(reader.Next());
        const std::int32_t holderId = item->HolderId;
        catalog.items.Append(std::move(item));
        if (holderId != 0) {
            holders.Count(holderId);
        }
    }
}

void SortLists(Catalog& catalog) {
    catalog.users.Sort(CompareUserNames);
    catalog.items.Sort(CompareItemDescriptions);
}

// Writes the catalogue into a buffer sized in advance for the longest text each field can take.
class LineWriter {
  public:
    explicit LineWriter(std::size_t room) : out_(room, '\0'), p_(out_.data()) {}

    void Text(std::string_view text) {
        p_ = std::copy(text.begin(), text.end(), p_);
        End();
    }
    void Int(std::int32_t value) {
        p_ = WriteInt(p_, value);
        End();
    }
    void Date(const ShortDateFormat& dates, TDateTime value) {
        p_ = dates.WriteTo(p_, value);
        End();
    }
    std::string Take() {
        out_.resize(static_cast<std::size_t>(p_ - out_.data()));
        return std::move(out_);
    }

  private:
    void End() {
        *p_++ = '\r';
        *p_++ = '\n';
    }

    std::string out_;
    char* p_;
};

constexpr std::size_t kIntRoom = 11 + 2;

} // namespace

std::string SerializeCatalog(const Catalog& catalog, const ShortDateFormat& dates) {
    std::size_t room = kSeparator.size() + 2;
    for (const auto& d : catalog.users) {
        room += kIntRoom + d->Name.size() + 2 + d->EMail.size() + 2;
    }
    for (const auto& i : catalog.items) {
        room +=
            kIntRoom + i->Description.size() + 2 + i->ItemType.size() + 2 + dates.MaxLength() + 2 + kIntRoom;
    }
    LineWriter out(room);
    for (const auto& d : catalog.users) {
        out.Int(d->Id);
        out.Text(d->Name);
        out.Text(d->EMail);
    }
    out.Text(kSeparator);
    for (const auto& i : catalog.items) {
        out.Int(i->Id);
        out.Text(i->Description);
        out.Text(i->ItemType);
        out.Date(dates, i->LentDate);
        out.Int(i->HolderId);
    }
    return out.Take();
}

void ParseCatalog(std::string_view bytes, Catalog& catalog, const ShortDateFormat& dates) {
    const ScopeExit sort([&] { SortLists(catalog); });
    ParseLines(bytes, catalog, dates);
}

void CatalogFiles::Read(const std::string& path, Catalog& catalog, const ShortDateFormat& dates) {
    // Saves of this catalogue that were ended half-way left their new files beside it.
    RemoveLeftoverFiles(path);
    // Until it is read in full, the file counts as one that failed to load: an error on the way leaves it so.
    if (!NeedsBackup(path)) {
        failedReads_.push_back(path);
    }
    const std::string bytes = ReadFileBytes(path);
    last_.Take(path, bytes);
    ParseCatalog(bytes, catalog, dates);
    // Read in full now: the catalogue holds everything the file holds.
    failedReads_.erase(std::remove(failedReads_.begin(), failedReads_.end(), path), failedReads_.end());
}

void CatalogFiles::Write(const std::string& path, const Catalog& catalog, const ShortDateFormat& dates) {
    if (NeedsBackup(path)) {
        if (FileExists(path)) {
            CopyFileBytes(path, path + ".bak");
        }
        failedReads_.erase(std::find(failedReads_.begin(), failedReads_.end(), path));
    }
    const std::string bytes = SerializeCatalog(catalog, dates);
    ReplaceFileBytes(path, bytes);
    last_.Take(path, bytes);
}

bool CatalogFiles::NeedsBackup(const std::string& path) const {
    return std::find(failedReads_.begin(), failedReads_.end(), path) != failedReads_.end();
}
