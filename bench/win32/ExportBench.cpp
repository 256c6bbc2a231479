// The export dialog on a catalogue of 10,000 debtors who all hold something (100,000 items, ten each),
// through the real main window. Columns, each the median of a few runs, in milliseconds:
//   open           Файл > Экспорт... until the dialog answers: its first timer message inside its modal
//                  loop, which comes once everything before it, its paint too, has been handled; nothing
//                  ticked before, as in a new run
//   all debtors    ticking "Все должники"
//   create         "Создать" with the export of every debtor to the clipboard, its success box answered
// Then the export asked for again while its dialog is open (a command posted to the main window), until
// the program's answer, the error box, is up.

#include "BenchSupport.h"

#include "forms/CommandIds.h"
#include "forms/ExportUnit.h"
#include "forms/Main.h"
#include "platform/Application.h"
#include "platform/Handles.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kDebtors = 10000;
constexpr int kItems = 100000;

// The visible, enabled dialog window of this thread with this caption (any, for an empty one).
struct DialogSearch {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
        (search->caption.empty() || TextOf(hwnd) == search->caption)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND ShownDialog(const std::string& caption) {
    DialogSearch search{caption};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

int main() {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string settings = std::string(temp) + "export_bench.ini";
    TForm1 form(settings);
    form.Show(SW_SHOWNORMAL);
    GenerateCatalogue(form.GetCatalog(), kDebtors, kItems, 1);
    form.SyncTypeFilter();
    form.FillFreeItems();
    form.FillUsers();
    form.FillUserItems();

    // Openings as a new run has them, nothing ticked: each closed again with "Отмена".
    std::vector<double> open, all, create;
    bool allShown = true;
    for (int run = 0; run < kRuns; ++run) {
        const double start = NowMs();
        WhenIdle([&] {
            open.push_back(NowMs() - start);
            HWND dialog = ShownDialog("Экспорт");
            allShown = allShown && dialog;
            PostMessageA(dialog, WM_COMMAND, IDC_CANCELBBTN, 0);
        });
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDM_EXPORT, 0), 0);
    }
    // "Все должники" and "Создать"; on the first opening, the export asked for again first.
    double again = 0;
    for (int run = 0; run < kRuns; ++run) {
        WhenIdle([&] {
            HWND dialog = ShownDialog("Экспорт");
            if (!dialog) {
                allShown = false;
                return;
            }
            double t = NowMs();
            SendDlgItemMessageA(dialog, IDC_ALLUSERSCHB, BM_CLICK, 0, 0);
            all.push_back(NowMs() - t);
            if (run == 0) {
                t = NowMs();
                WhenIdle([&] {
                    again = NowMs() - t;
                    if (HWND box = ShownDialog("")) {
                        PostMessageA(box, WM_COMMAND, IDOK, 0);
                    }
                });
                PostMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDM_EXPORT, 0), 0);
                MSG msg;
                while (StepPending() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
                // The refusal must leave the dialog as it was; where it did not, the tick is given again.
                if (SendDlgItemMessageA(dialog, IDC_ALLUSERSCHB, BM_GETCHECK, 0, 0) != BST_CHECKED) {
                    std::printf("the export asked for again unticked \"Все должники\" of the open dialog\n");
                    SendDlgItemMessageA(dialog, IDC_ALLUSERSCHB, BM_CLICK, 0, 0);
                }
            }
            t = NowMs();
            WhenIdle([] {
                if (HWND box = ShownDialog("")) {
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                }
            });
            SendDlgItemMessageA(dialog, IDC_CREATEBBTN, BM_CLICK, 0, 0);
            create.push_back(NowMs() - t);
        });
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDM_EXPORT, 0), 0);
    }
    if (!allShown) {
        std::printf("the export dialog did not show\n");
        return 1;
    }
    std::printf("%-44s %10s %14s %10s\n", "catalogue", "open ms", "all debtors ms", "create ms");
    std::printf("%-44s %10.2f %14.2f %10.2f\n", "10000 debtors, 100000 items, all lent", Median(open),
                Median(all), Median(create));
    std::printf("the export asked for again while it is open, until the error box: %.2f ms\n", again);
    DeleteFileA(settings.c_str());
    return 0;
}
