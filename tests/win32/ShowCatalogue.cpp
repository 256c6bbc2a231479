// Not a test: shows the main window with a small catalogue for VESH_SHOW_SECONDS seconds (3 unless set),
// for screenshots and for looking at it by hand. VESH_SHOW=file opens the File menu and VESH_SHOW=popup
// the debtors table's pop-up menu (with VESH_MENU_PICTURE=path the open menu is also printed into a
// bitmap file); VESH_SHOW=drag moves both splitters and resizes the window meanwhile, to look for flicker.
// VESH_SHOW=long turns on the warning for things away too long (30 days), on 29.12.2024, when two of the
// four lent things have been away longer. VESH_SHOW=loans shows the loan history of the first debtor over
// the main window instead. VESH_SHOW_PICTURE=path saves what the window shows (the loan history, when it is
// shown) as a bitmap file once it is painted.

#include "MainWindowFixture.h"
#include "Screenshot.h"
#include "WindowSearch.h"

#include "catalog/Steps.h"
#include "forms/LoansUnit.h"
#include "platform/Application.h"
#include "platform/Handles.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace {

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM lParam) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// An open menu, printed into a bitmap file (an X screenshot of a menu window shows it black).
void SaveMenuPicture(const char* path) {
    HWND menu = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menu));
    if (!menu) {
        return;
    }
    RECT r{};
    GetWindowRect(menu, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PrintWindow(menu, dc, 0);
    SelectObject(dc, old);
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * h), 0, 0,
        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), stride * static_cast<DWORD>(h));
    WriteWholeFile(path, bytes);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (const char* path = std::getenv("VESH_MENU_PICTURE")) {
        SaveMenuPicture(path);
    }
    EndMenu();
}

// The loan history window while it is shown, saved as a picture when asked for, and closed.
HWND shownLoans = nullptr;
void CALLBACK CloseLoans(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (const char* picture = std::getenv("VESH_SHOW_PICTURE")) {
        SaveWindowBitmap(shownLoans, picture);
    }
    PostMessageA(shownLoans, WM_COMMAND, IDCANCEL, 0);
}

// The first debtor's loans, newest first: the three things he holds, and four that came back.
void ShowLoans(HWND owner, DWORD showMs) {
    TLoansForm loans(owner);
    shownLoans = loans.Handle();
    SetTimer(nullptr, 0, showMs, CloseLoans);
    loans.ShowLoans("История выдач: Иванов Пётр", "Предмет",
                    {{"Шерлок Холмс (DVD)", "15.12.2024", ""},
                     {"Война и мир, том 1", "04.12.2024", ""},
                     {"Мастер и Маргарита", "16.11.2024", ""},
                     {"Дрель Bosch", "02.09.2024", "20.09.2024"},
                     {"Палатка трёхместная", "12.07.2024", "28.07.2024"},
                     {"Словарь Ожегова", "15.03.2024", "02.04.2024"},
                     {"Мастер и Маргарита", "10.01.2024", "05.02.2024"}});
}

// Three debtors, four of the nine items lent: made by the catalogue's own steps, as the commands make them.
void FillSmallCatalogue(TForm1& form) {
    Catalog& data = form.GetCatalog();
    for (const char* name : {"Иванов Пётр", "Смирнова Анна", "Кузнецов Олег"}) {
        MakeNewDebtor(data, name, "", 45000)->Apply(data);
    }
    struct Thing {
        const char* description;
        const char* type;
        const char* holder;
        TDateTime date;
    };
    const Thing things[] = {
        {"Мастер и Маргарита", "Книга", "Иванов Пётр", 45612},
        {"Война и мир, том 1", "Книга", "Иванов Пётр", 45630},
        {"Шерлок Холмс (DVD)", "Диск", "Иванов Пётр", 45641},
        {"Дрель Bosch", "Инструмент", "Смирнова Анна", 45600},
        {"Палатка трёхместная", "Туризм", nullptr, 45000},
        {"Словарь Ожегова", "Книга", nullptr, 45000},
        {"Лестница-стремянка", "Инструмент", nullptr, 45000},
        {"Рюкзак 60 л", "Туризм", nullptr, 45000},
        {"Пинк Флойд - The Wall", "Диск", nullptr, 45000},
    };
    for (const Thing& thing : things) {
        MakeNewItem(data, thing.description, thing.type, thing.date)->Apply(data);
        form.RegisterType(thing.type);
        if (thing.holder) {
            MakeLend(data, *data.users.FindByName(thing.holder),
                     *data.items.FindByDescription(thing.description), thing.date)
                ->Apply(data);
        }
    }
    form.FillFreeItems();
    form.FillUsers();
    form.FillUserItems();
}

} // namespace

int main() {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));

    const std::string show = std::getenv("VESH_SHOW") ? std::getenv("VESH_SHOW") : "";
    TestFolder folder("show");
    const NowClock clock = show == "long" ? NowClock([] { return TDateTime{45655.5}; }) : NowClock(LocalNow);
    TForm1 form(folder.File("veshchehran.ini"), clock);
    TForm2 editor(form.Handle());
    form.SetEditDialog(&editor);
    form.Show(SW_SHOWNORMAL);
    if (show == "long") {
        Settings.LongLoans = true;
        Settings.LongDays = 30;
    }
    FillSmallCatalogue(form);
    SetForegroundWindow(form.Handle());
    const HWND debtors = ChildById(form.Handle(), IDC_STRINGGRID2);
    SetFocus(debtors);
    SetCursorPos(2, 2); // no hint over the window
    const char* seconds = std::getenv("VESH_SHOW_SECONDS");
    const DWORD showMs = 1000 * static_cast<DWORD>(seconds ? std::atoi(seconds) : 3);
    if (show == "loans") {
        ShowLoans(form.Handle(), showMs);
        return 0;
    }
    if (const char* picture = std::getenv("VESH_SHOW_PICTURE")) {
        Pump();
        SaveWindowBitmap(form.Handle(), picture);
    }

    if (show == "file" || show == "popup") {
        Pump();
        SetTimer(nullptr, 0, showMs, EndMenuLater);
        if (show == "file") {
            // The File menu where the menu bar drops it.
            RECT bar{};
            GetMenuItemRect(form.Handle(), GetMenu(form.Handle()), 0, &bar);
            TrackPopupMenu(GetSubMenu(GetMenu(form.Handle()), 0), TPM_LEFTALIGN | TPM_TOPALIGN, bar.left,
                           bar.bottom, 0, form.Handle(), nullptr);
        } else {
            const POINT p = RowPoint(*ui::StringGrid::FromHandle(debtors), 1);
            SendMessageA(debtors, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x + 30, p.y));
            SendMessageA(debtors, WM_RBUTTONUP, 0, MAKELPARAM(p.x + 30, p.y));
        }
        return 0;
    }
    const DWORD start = GetTickCount();
    int step = 0;
    while (GetTickCount() - start < showMs) {
        if (show == "drag") {
            // Forth and back: 40 steps of 4 pixels each way, one every 25 ms.
            const int phase = step % 80;
            const int delta = phase < 40 ? 4 : -4;
            ++step;
            DragSplitter(ChildById(form.Handle(), IDC_SPLITTER2), true, delta, 1);
            DragSplitter(ChildById(form.Handle(), IDC_SPLITTER1), false, -delta / 2, 1);
            RECT r{};
            GetWindowRect(form.Handle(), &r);
            SetWindowPos(form.Handle(), nullptr, 0, 0, r.right - r.left + delta, r.bottom - r.top + delta / 2,
                         SWP_NOMOVE | SWP_NOZORDER);
        }
        Pump();
        Sleep(25);
    }
    return 0;
}
