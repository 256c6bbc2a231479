// Feeds arbitrary bytes to the loan history reader, as a whole file and as the loan lines after the title
// and column lines the writer makes (code page 1251, as the seeds are). Whatever the bytes, what was read
// must come back whole and unchanged after being written and read again, and once brought into line with
// a catalogue, every item it has lent must have exactly one open loan, by its holder, and none once
// returned.
#include "catalog/CatalogFile.h"
#include "catalog/LoanHistory.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const std::string_view kName = "base.dat";

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Two debtors; items lent to each, one free, one lent to a debtor the catalogue lacks.
Catalog& Shelf() {
    static Catalog catalog = [] {
        Catalog c;
        ParseCatalog("1\r\nA\r\n\r\n2\r\nB\r\n\r\n***\r\n"
                     "1\r\nX\r\nT\r\n2024-11-01\r\n1\r\n"
                     "2\r\nY\r\nT\r\n2024-11-05\r\n2\r\n"
                     "3\r\nZ\r\nT\r\n2024-10-01\r\n0\r\n"
                     "4\r\nW\r\nT\r\n2024-10-01\r\n9\r\n",
                     c, ShortDateFormat("yyyy-MM-dd"));
        return c;
    }();
    return catalog;
}

void CheckRoundTrip(const LoanHistory& history) {
    const std::string bytes = SerializeHistory(history, kName);
    LoanHistory again;
    Check(ParseHistory(bytes, kName, again));
    Check(SerializeHistory(again, kName) == bytes);
}

int OpenLoans(const LoanHistory& history, std::int32_t itemId, std::int32_t debtorId) {
    int open = 0;
    for (const std::size_t at : history.OfItem(itemId)) {
        const Loan& loan = history.Loans()[at];
        if (!loan.returned) {
            Check(loan.debtorId == debtorId && !loan.debtorGone);
            ++open;
        }
    }
    return open;
}

void Read(std::string_view bytes) {
    LoanHistory history;
    ParseHistory(bytes, kName, history);
    CheckRoundTrip(history);

    Catalog& c = Shelf();
    history.Reconcile(c);
    CheckRoundTrip(history);
    Check(OpenLoans(history, 1, 1) == 1 && OpenLoans(history, 2, 2) == 1);
    Check(OpenLoans(history, 3, 0) == 0 && OpenLoans(history, 4, 0) == 0);

    // All that debtor 1 holds given back at once, and taken back again.
    const auto step = MakeReturnAll(c, *c.users.FindById(1), 45700);
    step->Apply(c);
    const HistoryChange change = history.Record(*step);
    Check(OpenLoans(history, 1, 0) == 0);
    history.Undo(change);
    step->Undo(c);
    Check(OpenLoans(history, 1, 1) == 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Read(bytes);
    static const std::string header = [] {
        const std::string empty = SerializeHistory(LoanHistory(), kName);
        const std::size_t columns = empty.find("\r\n") + 2;
        return empty.substr(0, empty.find("\r\n", columns) + 2);
    }();
    Read(header + std::string(bytes));
    return 0;
}
