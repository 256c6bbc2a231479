// Feeds arbitrary bytes to the catalog reader. Whatever the bytes, reading must end normally or with a
// conversion error, leave both lists sorted with consistent item counts, and a catalogue that was read in
// full must come back unchanged after being written and read again.
#include "catalog/CatalogFile.h"
#include "text/Errors.h"
#include "text/Letters.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

const char* const kPatterns[] = {"dd.MM.yyyy", "d.M.yyyy", "M/d/yyyy",    "yyyy-MM-dd",
                                 "dd/MM/yy",   "yyyyMMdd", "yyyy.MM.dd.", "d. M. yyyy"};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckInvariants(const Catalog& c) {
    for (int i = 1; i < c.users.Count(); ++i) {
        Check(CompareUserNames(c.users[i - 1], c.users[i]) <= 0);
    }
    for (int i = 1; i < c.items.Count(); ++i) {
        Check(CompareItemDescriptions(c.items[i - 1], c.items[i]) <= 0);
    }
    std::set<std::int32_t> ids;
    std::int64_t counted = 0;
    for (const auto& u : c.users) {
        ids.insert(u->Id);
        counted += u->ItemCount;
    }
    std::int64_t held = 0;
    for (const auto& i : c.items) {
        held += i->HolderId != 0 && ids.count(i->HolderId) ? 1 : 0;
    }
    Check(counted == held);
}

std::map<std::int32_t, std::int64_t> CountsById(const Catalog& c) {
    std::map<std::int32_t, std::int64_t> counts;
    for (const auto& u : c.users) {
        counts[u->Id] += u->ItemCount;
    }
    return counts;
}

std::set<std::string> FoldedTypes(const Catalog& c) {
    std::set<std::string> folded;
    for (const auto& t : c.types.Entries()) {
        folded.insert(UpperCase(t));
    }
    return folded;
}

void CheckRoundTrip(const Catalog& c, const ShortDateFormat& dates) {
    Catalog again;
    ParseCatalog(SerializeCatalog(c, dates), again, dates);
    Check(again.users.Count() == c.users.Count() && again.items.Count() == c.items.Count());
    for (int i = 0; i < c.users.Count(); ++i) {
        const TUserRec& a = c.users[i];
        const TUserRec& b = again.users[i];
        Check(a.Id == b.Id && a.Name == b.Name && a.EMail == b.EMail);
    }
    for (int i = 0; i < c.items.Count(); ++i) {
        const TItemRec& a = c.items[i];
        const TItemRec& b = again.items[i];
        Check(a.Id == b.Id && a.Description == b.Description && a.ItemType == b.ItemType &&
              a.LentDate == b.LentDate && a.HolderId == b.HolderId);
    }
    // Debtors sharing an Id may trade their counts, since the first of them in file order takes them.
    Check(CountsById(again) == CountsById(c));
    Check(again.types.Count() == c.types.Count() && FoldedTypes(again) == FoldedTypes(c));
}

void ReadWith(std::string_view bytes, const ShortDateFormat& dates, bool fullYear) {
    Catalog c;
    bool complete = true;
    try {
        ParseCatalog(bytes, c, dates);
    } catch (const ConvertError&) {
        complete = false;
    }
    CheckInvariants(c);
    // A two-digit year cannot carry every year the reader accepts back through the file.
    if (complete && fullYear) {
        CheckRoundTrip(c, dates);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadWith(bytes, ShortDateFormat::Russian(), true);
    const char* pattern = kPatterns[size % (sizeof kPatterns / sizeof kPatterns[0])];
    ReadWith(bytes, ShortDateFormat(pattern), std::string(pattern).find("yyyy") != std::string::npos);
    return 0;
}
