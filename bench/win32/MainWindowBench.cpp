// One refill of the main window's three tables (free items, debtors, the selected debtor's lent items)
// with 10,000 debtors and 100,000 items, half of them lent, against the catalog reader's time for the same
// catalogue; the refill at a quarter and half of that size to show how it grows. Columns:
//   refill         the three fill routines, the row counts unchanged
//   counts chg     one item changes hands first, and the lists are told their new row counts
//   paint          a refill and the repaint of the whole window after it
//   read           reading the same catalogue from its file
// Then moving the selection in the large tables, with the paint it causes, at 100,000 rows, and the item
// search through the find dialog.

#include "catalog/CatalogFile.h"
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

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The median of kRuns runs, in milliseconds.
double Median(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = Now();
        run();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string Padded(int value, int width) {
    std::string text = IntToStr(value);
    return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

// Debtors "Должник 00001".., items "Предмет 000001".. of eight types; every second item is lent, so
// each debtor holds items/debtors/2 of them.
void Generate(Catalog& c, int debtors, int items) {
    c.Clear();
    for (int i = 1; i <= debtors; ++i) {
        TUserRec& u = c.users.AppendNew();
        u.Id = i;
        u.Name = "Должник " + Padded(i, 5);
        u.EMail = "debtor" + IntToStr(i) + "@example.org";
    }
    static const char* const types[] = {"Книга", "Диск",  "Инструмент", "Игра",
                                        "Фильм", "Карта", "Спорт",      "Прочее"};
    for (int i = 1; i <= items; ++i) {
        TItemRec& item = c.items.AppendNew();
        item.Id = i;
        item.Description = "Предмет " + Padded(i, 6);
        item.ItemType = types[i % 8];
        item.LentDate = 45000 + i % 700;
        if (i % 2 == 0) {
            item.HolderId = (i / 2) % debtors + 1;
            ++c.users[item.HolderId - 1].ItemCount;
        }
        c.types.Add(item.ItemType);
    }
}

} // namespace

int main() {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = temp;
    TForm1 form(folder + "main_window_bench.ini");
    form.Show(SW_SHOWNORMAL);
    Pump();
    Catalog& catalog = form.GetCatalog();
    const ShortDateFormat dates = UserShortDateFormat();

    std::printf("%-30s %10s %14s %10s %10s\n", "catalogue", "refill ms", "counts chg ms", "paint ms",
                "read ms");
    for (int scale : {4, 2, 1}) {
        const int debtors = 10000 / scale;
        const int items = 100000 / scale;
        Generate(catalog, debtors, items);
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
            form.FreeItemsTable().TopRow();
            form.DebtorsTable().TopRow();
            form.LentItemsTable().TopRow();
        });
        // The refill and the repaint it causes (the three tables and the selected debtor's paint).
        const double paint = Median([&] {
                                 refillAll();
                                 RedrawWindow(form.Handle(), nullptr, nullptr,
                                              RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                             }) -
                             refill;

        const std::string file = folder + "main_window_bench.dat";
        WriteCatalogFile(file, catalog, dates);
        Catalog read;
        const double reading = Median([&] {
            read.Clear();
            ReadCatalogFile(file, read, dates);
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
    ui::StringGrid& freeItems = form.FreeItemsTable();
    ui::StringGrid& debtors = form.DebtorsTable();
    auto paint = [&] { RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
    auto selectFromOutside = [](ui::StringGrid& grid, int row) {
        LVITEMA state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(grid.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
                     reinterpret_cast<LPARAM>(&state));
    };
    int step = 0;
    const double selectDebtor = Median([&] {
        ++step;
        selectFromOutside(debtors, step * 631 % (debtors.RowCount() - 1) + 1);
        paint();
    });

    // The item search through the find dialog: the text typed and Find next pressed, the hit being the
    // last of the 100,000 items, a lent one (its holder and his items are shown). The text alternates
    // between two spellings, so that every search starts from the first item.
    const int findWhat = 0x480;
    auto typeIntoFindDialog = [&](const char* text) {
        form.RunCommand(IDM_FIND);
        HWND dialog = form.FindDialogWindow();
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
    const bool foundLast = form.LentItemsTable().Cell(1, form.LentItemsTable().Row()) == "Предмет 100000";
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
        SendMessageA(freeItems.Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(freeItems.TopRow() + step - 1),
                     reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
        SendMessageA(freeItems.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(freeItems.Handle(), WM_LBUTTONUP, 0, at);
        paint();
    });
    freeItems.SetRow(1);
    const double pageDown = Median([&] {
        SendMessageA(freeItems.Handle(), WM_KEYDOWN, VK_NEXT, 1);
        paint();
    });
    const double selectFar = Median([&] {
        ++step;
        selectFromOutside(freeItems, step * 9973 % (freeItems.RowCount() - 1) + 1);
        paint();
    });
    std::printf("another program selects a debtor (10,000 rows), lent items follow: %6.2f ms\n",
                selectDebtor);
    std::printf("find dialog: type, Find next, the hit the last of 100,000 items%s: %6.2f ms\n",
                foundLast ? "" : " (NOT FOUND)", findLast);
    std::printf("  of which the dialog itself (open, type, close)                  %6.2f ms\n", dialogOnly);
    std::printf("free items table of %d rows, with paint:\n", freeItems.RowCount() - 1);
    std::printf("  click on a row in view                                          %6.2f ms\n", click);
    std::printf("  Page Down                                                       %6.2f ms\n", pageDown);
    std::printf("  another program selects a row far away                         %6.2f ms\n", selectFar);

    DeleteFileA((folder + "main_window_bench.ini").c_str());
    return 0;
}
