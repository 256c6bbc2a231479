// One refill of the main window's three tables (free items, debtors, the selected debtor's lent items)
// with 10,000 debtors and 100,000 items, half of them lent, against the catalog reader's time for the same
// catalogue; the refill at a quarter and half of that size to show how it grows. Columns:
//   refill         the three fill routines, the row counts unchanged
//   counts chg     one item changes hands first, and the lists are told their new row counts
//   paint          a refill and the repaint of the whole window after it
//   read           reading the same catalogue from its file
// Then moving the selection in the large tables, with the paint it causes, at 100,000 rows, and the item
// search through the find dialog. With the argument "long" the warning for things away too long is on (30
// days; every lent item of the catalogue is older), so the refills count them and the paints colour them.

#include "BenchSupport.h"
#include "WindowSearch.h"

#include "catalog/CatalogFile.h"
#include "files/FileIO.h"
#include "forms/CommandIds.h"
#include "forms/Main.h"
#include "platform/Application.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "text/IntText.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 31;

// The median of kRuns runs, in milliseconds.
double Median(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = NowMs();
        run();
        times.push_back(NowMs() - start);
    }
    return ::Median(std::move(times));
}

int RowsOf(HWND table) {
    return static_cast<int>(SendMessageA(table, LVM_GETITEMCOUNT, 0, 0));
}

// The text of a column of the table's selected row, as another program reads it.
std::string SelectedText(HWND table, int col) {
    const WPARAM row =
        static_cast<WPARAM>(SendMessageA(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    char text[256] = {};
    LVITEMA item{};
    item.iSubItem = col;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(table, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));
    const bool longLoans = argc > 1 && std::string(argv[1]) == "long";

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = temp;
    TForm1 form(folder + "main_window_bench.ini");
    form.Show(SW_SHOWNORMAL);
    Pump();
    Settings.LongLoans = longLoans;
    Settings.LongDays = 30;
    std::printf("things away too long: %s\n", longLoans ? "on" : "off");
    Catalog& catalog = form.GetCatalog();
    // The tables, found as another program finds them.
    const HWND freeTable = ChildById(form.Handle(), IDC_STRINGGRID3);
    const HWND debtorsTable = ChildById(form.Handle(), IDC_STRINGGRID2);
    const HWND lentTable = ChildById(form.Handle(), IDC_STRINGGRID1);
    const ShortDateFormat dates = UserShortDateFormat();

    std::printf("%-30s %10s %14s %10s %10s\n", "catalogue", "refill ms", "counts chg ms", "paint ms",
                "read ms");
    for (int scale : {4, 2, 1}) {
        const int debtors = 10000 / scale;
        const int items = 100000 / scale;
        GenerateCatalogue(catalog, debtors, items);
        form.SyncTypeFilter();

        auto refillAll = [&] {
            form.FillFreeItems();
            form.FillUsers();
            form.FillUserItems();
        };
        refillAll();
        const double refill = Median(refillAll);
        // As after lending or returning: one item changes hands, so the tables' row counts change and the
        // lists are told the new counts (which the next paint would otherwise do).
        TItemRec& moving = catalog.items[0];
        TUserRec& holder = catalog.users[0];
        const double changed = Median([&] {
            if (moving.HolderId == 0) {
                moving.HolderId = holder.Id;
                ++holder.ItemCount;
            } else {
                moving.HolderId = 0;
                --holder.ItemCount;
            }
            refillAll();
            for (const HWND table : {freeTable, debtorsTable, lentTable}) {
                SendMessageA(table, LVM_GETTOPINDEX, 0, 0);
            }
        });
        // The refill and the repaint it causes (the three tables and the selected debtor's paint).
        const double paint = Median([&] {
                                 refillAll();
                                 RedrawWindow(form.Handle(), nullptr, nullptr,
                                              RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                             }) -
                             refill;

        const std::string file = folder + "main_window_bench.dat";
        ReplaceFileBytes(file, SerializeCatalog(catalog, dates));
        Catalog read;
        const double reading = Median([&] {
            read.Clear();
            ParseCatalog(ReadFileBytes(file), read, dates);
        });
        DeleteFileA(file.c_str());

        char label[64];
        std::snprintf(label, sizeof label, "%d debtors, %d items", debtors, items);
        std::printf("%-30s %10.2f %14.2f %10.2f %10.2f\n", label, refill, changed, paint, reading);
    }

    // Moving the selection, with the paint it causes. A debtor chosen by another program (the list view's
    // item state), the lent items table following; then, with every item free, the free items table of
    // 100,000 rows: a click on a row in view, Page Down (the view scrolls), and another program choosing a
    // row far away.
    auto paint = [&] { RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
    auto selectFromOutside = [](HWND table, int row) {
        LVITEMA state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(table, LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&state));
    };
    int step = 0;
    const double selectDebtor = Median([&] {
        ++step;
        selectFromOutside(debtorsTable, step * 631 % RowsOf(debtorsTable) + 1);
        paint();
    });

    // The item search through the find dialog: the text typed and Find next pressed, the hit being the
    // last of the 100,000 items, a lent one (its holder and his items are shown). The text alternates
    // between two spellings, so that every search starts from the first item.
    const int findWhat = 0x480;
    auto typeIntoFindDialog = [&](const char* text) {
        SendMessageA(form.Handle(), WM_COMMAND, IDM_FIND, 0);
        HWND dialog = OwnedDialogWith(form.Handle(), findWhat);
        SetDlgItemTextA(dialog, findWhat, text);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(findWhat, EN_CHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, findWhat)));
        return dialog;
    };
    const double findLast = Median([&] {
        ++step;
        HWND dialog = typeIntoFindDialog(step % 2 ? "предмет 100000" : "ПРЕДМЕТ 100000");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        paint();
    });
    const bool foundLast = SelectedText(lentTable, 1) == "Предмет 100000";
    // The same without the search: the dialog opened, the text typed, the dialog closed.
    const double dialogOnly = Median([&] {
        HWND dialog = typeIntoFindDialog("предмет");
        SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        paint();
    });

    for (const auto& item : catalog.items) {
        item->HolderId = 0;
    }
    for (const auto& user : catalog.users) {
        user->ItemCount = 0;
    }
    form.FillFreeItems();
    form.FillUsers();
    form.FillUserItems();
    paint();
    const double click = Median([&] {
        step = step % 4 + 1;
        RECT r{};
        r.left = LVIR_BOUNDS;
        const WPARAM top = static_cast<WPARAM>(SendMessageA(freeTable, LVM_GETTOPINDEX, 0, 0));
        SendMessageA(freeTable, LVM_GETITEMRECT, top + static_cast<WPARAM>(step),
                     reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
        SendMessageA(freeTable, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(freeTable, WM_LBUTTONUP, 0, at);
        paint();
    });
    SendMessageA(freeTable, WM_KEYDOWN, VK_HOME, 1);
    const double pageDown = Median([&] {
        SendMessageA(freeTable, WM_KEYDOWN, VK_NEXT, 1);
        paint();
    });
    const double selectFar = Median([&] {
        ++step;
        selectFromOutside(freeTable, step * 9973 % RowsOf(freeTable) + 1);
        paint();
    });
    std::printf("another program selects a debtor (10,000 rows), lent items follow: %6.2f ms\n",
                selectDebtor);
    std::printf("find dialog: type, Find next, the hit the last of 100,000 items%s: %6.2f ms\n",
                foundLast ? "" : " (NOT FOUND)", findLast);
    std::printf("  of which the dialog itself (open, type, close)                  %6.2f ms\n", dialogOnly);
    std::printf("free items table of %d rows, with paint:\n", RowsOf(freeTable));
    std::printf("  click on a row in view                                          %6.2f ms\n", click);
    std::printf("  Page Down                                                       %6.2f ms\n", pageDown);
    std::printf("  another program selects a row far away                         %6.2f ms\n", selectFar);

    DeleteFileA((folder + "main_window_bench.ini").c_str());
    return 0;
}
