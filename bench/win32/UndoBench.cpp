// Taking "Вернул все" back against the command itself, through the real main window: 10 debtors holding
// 10,000 items each, 100,000 items in all. Each run returns all of the first debtor's items (the command,
// with the tables refilled and the window painted) and then takes that back (Ctrl+Z's command, the same).
// Then the memory the document's kept steps take: 10,000 lends at 100,000 items, as the bytes the program
// holds more on its heap afterwards (every allocation counted here, with its size).

#include "BenchSupport.h"

#include "forms/CommandIds.h"
#include "forms/Main.h"
#include "platform/Application.h"
#include "platform/Handles.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 11;

// A command as its menu entry or button sends it, and the paint it causes.
double Timed(HWND window, int command) {
    const double start = NowMs();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return NowMs() - start;
}

// The bytes allocated with new and not yet deleted.
long long heldBytes = 0;

} // namespace

// Every allocation carries its size in front of it, so that the bytes held can be counted exactly.
void* operator new(std::size_t size) {
    auto* block = static_cast<std::size_t*>(std::malloc(size + 16));
    if (!block) {
        throw std::bad_alloc();
    }
    *block = size;
    heldBytes += static_cast<long long>(size);
    return reinterpret_cast<char*>(block) + 16;
}

void operator delete(void* p) noexcept {
    if (p) {
        auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - 16);
        heldBytes -= static_cast<long long>(*block);
        std::free(block);
    }
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

int main() {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    {
        TForm1 form(std::string(temp) + "undo_bench.ini");
        form.Show(SW_SHOWNORMAL);
        Pump();
        Settings.QAllIn = false;
        GenerateCatalogue(form.GetCatalog(), 10, 100000, 1);
        form.SyncTypeFilter();
        form.FillFreeItems();
        form.FillUsers();
        form.FillUserItems();
        Pump();
        std::vector<double> command;
        std::vector<double> undo;
        for (int i = 0; i < kRuns; ++i) {
            command.push_back(Timed(form.Handle(), IDC_ALLINSPDBTN));
            undo.push_back(Timed(form.Handle(), IDM_UNDO));
            Pump();
        }
        std::printf("\"Вернул все\" of 10,000 items at 100,000 items, median of %d runs:\n", kRuns);
        std::printf("  the command  %8.1f ms\n  taken back   %8.1f ms\n", Median(command), Median(undo));
    }
    {
        // Every item free, one debtor per ten items; the lends go to the debtors in turn.
        CatalogDocument document;
        Catalog& catalog = document.Data();
        GenerateCatalogue(catalog, 10000, 100000, 1 << 30);
        const long long before = heldBytes;
        const double start = NowMs();
        for (int i = 0; i < 10000; ++i) {
            document.Do(MakeLend(catalog, catalog.users[i], catalog.items[i * 10 + 1], 45000 + i));
        }
        const double seconds = (NowMs() - start) / 1000;
        std::printf(
            "10,000 lends at 100,000 items kept as steps: %.2f MB on the heap, %.1f s to make and apply "
            "them\n",
            static_cast<double>(heldBytes - before) / 1e6, seconds);
    }
    return 0;
}
