// The loan history's cost where a user waits for it, on 10,000 debtors and 100,000 items (half of them
// lent) with 200,000 past loans: opening the catalogue with its history against opening it without one,
// a save with the history against one without, and gathering a debtor's 10,000 loans for his window.
#include "catalog/Document.h"
#include "files/FileIO.h"
#include "text/IntText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

constexpr int kDebtors = 10000;
constexpr int kItems = 100000;
constexpr int kPastLoans = 200000;
constexpr int kRuns = 5;
const ShortDateFormat kDates("dd.MM.yyyy");

double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <typename F> double BestMs(F&& run) {
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        const double start = Seconds();
        run();
        best = std::min(best, (Seconds() - start) * 1000);
    }
    return best;
}

Catalog Generate() {
    Catalog c;
    for (int i = 1; i <= kDebtors; ++i) {
        TUserRec& u = c.users.AppendNew();
        u.Id = i;
        u.Name = "Должник " + IntToStr(100000 + i);
    }
    for (int i = 1; i <= kItems; ++i) {
        TItemRec& item = c.items.AppendNew();
        item.Id = i;
        item.Description = "Предмет " + IntToStr(1000000 + i);
        item.ItemType = "Книга";
        item.LentDate = 45000 + i % 365;
        if (i % 2 == 0) {
            item.HolderId = i / 2 % kDebtors + 1;
            ++c.users[item.HolderId - 1].ItemCount;
        }
    }
    return c;
}

} // namespace

int main() {
    if (std::getenv("KEEP")) {
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vesh_history_bench";
    std::filesystem::create_directories(folder);
    const std::string plain = (folder / "plain.dat").string();
    const std::string withHistory = (folder / "history.dat").string();
    const Catalog catalog = Generate();
    ReplaceFileBytes(plain, SerializeCatalog(catalog, kDates));
    ReplaceFileBytes(withHistory, SerializeCatalog(catalog, kDates));
    std::filesystem::remove(HistoryPath(plain));

    // 200,000 past loans, every item's turn in order; the first debtor has 10,000 of them.
    LoanHistory history;
    for (int i = 0; i < kPastLoans; ++i) {
        Loan loan;
        loan.lent = 44000 + i * 0.005;
        loan.returned = true;
        loan.returnedAt = loan.lent + 3;
        loan.debtorId = i % 20 == 0 ? 1 : i % kDebtors + 1;
        loan.itemId = i % kItems + 1;
        history.Add(std::move(loan));
    }
    history.Reconcile(catalog);
    ReplaceFileBytes(HistoryPath(withHistory), SerializeHistory(history, "history.dat"));

    const auto open = [](const std::string& path) {
        CatalogDocument document;
        document.BindTo(path);
        document.Read(kDates);
        return document.History().Loans().size();
    };
    const double openPlain = BestMs([&] { open(plain); });
    const double openHistory = BestMs([&] { open(withHistory); });
    std::printf("opening: %.0f ms without a history, %.0f ms with %zu loans (%.2f x)\n", openPlain,
                openHistory, open(withHistory), openHistory / openPlain);

    CatalogDocument plainDocument;
    plainDocument.BindTo(plain);
    plainDocument.Read(kDates);
    CatalogDocument historyDocument;
    historyDocument.BindTo(withHistory);
    historyDocument.Read(kDates);
    const double savePlain = BestMs([&] { plainDocument.Write(kDates); });
    const double saveHistory = BestMs([&] { historyDocument.Write(kDates); });
    std::printf("saving: %.0f ms without a history, %.0f ms with it (%.2f x)\n", savePlain, saveHistory,
                saveHistory / savePlain);

    std::string bytes;
    const double serialize =
        BestMs([&] { bytes = SerializeHistory(historyDocument.History(), "history.dat"); });
    LoanHistory parsed;
    const double parse = BestMs([&] {
        parsed.Clear();
        ParseHistory(bytes, "history.dat", parsed);
    });
    std::printf("the history file alone: %.1f MB, made in %.1f ms, read in %.1f ms\n",
                static_cast<double>(bytes.size()) / 1e6, serialize, parse);

    std::size_t lines = 0;
    const double gather = BestMs([&] {
        lines =
            LoansOfDebtor(historyDocument.History(), historyDocument.Data(), historyDocument.Data().users[0])
                .size();
    });
    std::printf("a debtor's loans for his window: %zu loans gathered in %.1f ms\n", lines, gather);
    if (!std::getenv("KEEP")) {
        std::filesystem::remove_all(folder);
    }
    return 0;
}
