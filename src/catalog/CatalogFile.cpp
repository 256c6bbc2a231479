#include "catalog/CatalogFile.h"

#include "catalog/FileIO.h"
#include "text/IntText.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

constexpr std::string_view kSeparator = "***";
constexpr char kEndOfFile = '\x1A';

// Lines of a text file as the catalog reader takes them.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : pos_(bytes.data()), end_(bytes.data() + bytes.size()) {
        if (const void* eof = std::memchr(pos_, kEndOfFile, bytes.size())) {
            end_ = static_cast<const char*>(eof);
        }
    }

    bool AtEnd() const { return pos_ == end_; }

    // The next line without its line end and without any CR; empty at the end of the file. The text stays
    // valid until the next call.
    std::string_view Next() {
        const char* lineEnd = static_cast<const char*>(std::memchr(pos_, '\n', static_cast<std::size_t>(end_ - pos_)));
        const char* next = lineEnd ? lineEnd + 1 : end_;
        if (!lineEnd) {
            lineEnd = end_;
        }
        std::string_view line(pos_, static_cast<std::size_t>(lineEnd - pos_));
        pos_ = next;
        if (line.find('\r') == std::string_view::npos) {
            return line;
        }
        scratch_.clear();
        for (char c : line) {
            if (c != '\r') {
                scratch_ += c;
            }
        }
        return scratch_;
    }

  private:
    const char* pos_;
    const char* end_;
    std::string scratch_;
};

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

    // The holder of an item is the first debtor in list order with its Id.
    std::unordered_map<std::int32_t, TUserRec*> holders;
    holders.reserve(static_cast<std::size_t>(catalog.users.Count()));
    for (const auto& debtor : catalog.users) {
        debtor->ItemCount = 0;
        holders.emplace(debtor->Id, debtor.get());
    }

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
            if (auto found = holders.find(holderId); found != holders.end()) {
                ++found->second->ItemCount;
            }
        }
    }
}

void SortLists(Catalog& catalog) {
    catalog.users.Sort(CompareUserNames);
    catalog.items.Sort(CompareItemDescriptions);
}

void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += "\r\n";
}

void AppendIntLine(std::string& out, std::int32_t value) {
    AppendInt(out, value);
    out += "\r\n";
}

} // namespace

std::string SerializeCatalog(const Catalog& catalog, const ShortDateFormat& dates) {
    std::size_t size = kSeparator.size() + 2;
    for (const auto& d : catalog.users) {
        size += 11 + d->Name.size() + d->EMail.size() + 3 * 2;
    }
    for (const auto& i : catalog.items) {
        size += 2 * 11 + i->Description.size() + i->ItemType.size() + 16 + 5 * 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& d : catalog.users) {
        AppendIntLine(out, d->Id);
        AppendLine(out, d->Name);
        AppendLine(out, d->EMail);
    }
    AppendLine(out, kSeparator);
    for (const auto& i : catalog.items) {
        AppendIntLine(out, i->Id);
        AppendLine(out, i->Description);
        AppendLine(out, i->ItemType);
        dates.AppendTo(out, i->LentDate);
        out += "\r\n";
        AppendIntLine(out, i->HolderId);
    }
    return out;
}

void ParseCatalog(std::string_view bytes, Catalog& catalog, const ShortDateFormat& dates) {
    try {
        ParseLines(bytes, catalog, dates);
    } catch (...) {
        SortLists(catalog);
        throw;
    }
    SortLists(catalog);
}

void ReadCatalogFile(const std::string& path, Catalog& catalog, const ShortDateFormat& dates) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (...) {
        SortLists(catalog);
        throw;
    }
    ParseCatalog(bytes, catalog, dates);
}

void WriteCatalogFile(const std::string& path, const Catalog& catalog, const ShortDateFormat& dates) {
    ReplaceFileBytes(path, SerializeCatalog(catalog, dates));
}

void CatalogFiles::Read(const std::string& path, Catalog& catalog, const ShortDateFormat& dates) {
    try {
        ReadCatalogFile(path, catalog, dates);
    } catch (...) {
        if (!NeedsBackup(path)) {
            failedReads_.push_back(path);
        }
        throw;
    }
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
    WriteCatalogFile(path, catalog, dates);
}

bool CatalogFiles::NeedsBackup(const std::string& path) const {
    return std::find(failedReads_.begin(), failedReads_.end(), path) != failedReads_.end();
}
