// The loan history in the program itself, under Wine: 10,000 debtors and 100,000 items (half of them
// lent) opened at the start of the main window, as a user's last catalogue is, with 200,000 past loans
// beside it and without a history; then a save after one lend, with the history and without.

#include "BenchSupport.h"

#include "catalog/Document.h"
#include "files/FileIO.h"
#include "forms/CommandIds.h"
#include "forms/Main.h"
#include "platform/Application.h"
#include "platform/Handles.h"
#include "platform/Locale.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;

struct Times {
    std::vector<double> open;
    std::vector<double> save;
};

// The window made over a settings file that opens the catalogue at start, shown; then one lend and a save.
void Run(const std::string& folder, const std::string& catalogue, Times& times) {
    const std::string ini = folder + "history_open_bench.ini";
    ReplaceFileBytes(ini, "[Main]\r\nOpen=1\r\nName=" + catalogue +
                              "\r\nSave=0\r\n[Query]\r\nQExit=0\r\nQOut=0\r\n");
    double start = NowMs();
    TForm1 form(ini);
    form.Show(SW_SHOWNORMAL);
    Pump();
    times.open.push_back(NowMs() - start);
    Settings.QOut = false;
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDC_OUTSPDBTN, 0), 0);
    start = NowMs();
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDM_SAVE, 0), 0);
    times.save.push_back(NowMs() - start);
}

} // namespace

int main() {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = temp;
    const std::string plain = folder + "plain.dat";
    const std::string withHistory = folder + "history.dat";
    const ShortDateFormat dates = UserShortDateFormat();
    Catalog catalog;
    GenerateCatalogue(catalog, 10000, 100000);
    // 200,000 past loans, every item's turn in order, each returned three days after.
    LoanHistory history;
    for (int i = 0; i < 200000; ++i) {
        Loan loan;
        loan.lent = 44000 + i * 0.005;
        loan.returned = true;
        loan.returnedAt = loan.lent + 3;
        loan.debtorId = i % 10000 + 1;
        loan.itemId = i % 100000 + 1;
        history.Add(std::move(loan));
    }
    history.Reconcile(catalog);
    Times without;
    Times with;
    for (int i = 0; i < kRuns; ++i) {
        ReplaceFileBytes(plain, SerializeCatalog(catalog, dates));
        if (FileExists(HistoryPath(plain))) {
            DeleteFileA(HistoryPath(plain).c_str());
        }
        ReplaceFileBytes(withHistory, SerializeCatalog(catalog, dates));
        ReplaceFileBytes(HistoryPath(withHistory), SerializeHistory(history, "history.dat"));
        Run(folder, plain, without);
        Run(folder, withHistory, with);
    }
    const double openWithout = Median(without.open);
    const double openWith = Median(with.open);
    const double saveWithout = Median(without.save);
    const double saveWith = Median(with.save);
    std::printf("opened at start (window made and shown), median of %d:\n", kRuns);
    std::printf("  without a history %8.0f ms\n  with 200,000 loans %7.0f ms (%.2f x)\n", openWithout,
                openWith, openWith / openWithout);
    std::printf(
        "a save after one lend:\n  without a history %8.0f ms\n  with 200,000 loans %7.0f ms (%.2f x)\n",
        saveWithout, saveWith, saveWith / saveWithout);
    return 0;
}
