// The loan history window with many rows, over the real main window. Columns, each the median of a few
// runs, in milliseconds:
//   open     ShowLoans until the window answers: its first timer message inside its modal loop, which
//            comes once everything before it, its paint too, has been handled
//   to end   End pressed in the list, with the paint it causes
//   close    Escape until ShowLoans has returned
// for 1,000, 10,000 and 100,000 rows, to show how it grows.

#include "BenchSupport.h"

#include "forms/LoansUnit.h"
#include "forms/Main.h"
#include "platform/Application.h"
#include "platform/Handles.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;

std::vector<LoanRow> Loans(int count) {
    std::vector<LoanRow> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.push_back({"Предмет " + std::to_string(i), "15.03.2024", i % 3 ? "01.04.2024" : ""});
    }
    return rows;
}

} // namespace

int main() {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string settings = std::string(temp) + "loans_bench.ini";
    TForm1 form(settings);
    form.Show(SW_SHOWNORMAL);
    TLoansForm loans(form.Handle());

    std::printf("%-10s %10s %10s %10s\n", "rows", "open ms", "to end ms", "close ms");
    for (int count : {1000, 10000, 100000}) {
        const std::vector<LoanRow> rows = Loans(count);
        std::vector<double> open, end, close;
        bool shown = true;
        for (int run = 0; run < kRuns; ++run) {
            double closing = 0;
            const double start = NowMs();
            WhenIdle([&] {
                open.push_back(NowMs() - start);
                HWND list = GetDlgItem(loans.Handle(), IDC_LOANSLIST);
                shown = shown && IsWindowVisible(loans.Handle()) &&
                        SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == count;
                const double t = NowMs();
                SendMessageA(list, WM_KEYDOWN, VK_END, 1);
                UpdateWindow(list);
                end.push_back(NowMs() - t);
                closing = NowMs();
                PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
            });
            loans.ShowLoans("История выдач: Петров Иван", "Предмет", rows);
            close.push_back(NowMs() - closing);
        }
        if (!shown) {
            std::printf("the loan history did not show its %d rows\n", count);
            return 1;
        }
        std::printf("%-10d %10.2f %10.2f %10.2f\n", count, Median(open), Median(end), Median(close));
    }
    DeleteFileA(settings.c_str());
    return 0;
}
