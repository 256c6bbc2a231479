#include "MainWindowFixture.h"

#include "WindowSearch.h"

#include "platform/Application.h"
#include "platform/Locale.h"

#include <commctrl.h>

#include <stdexcept>

void Pump() {
    MSG msg;
    for (int pass = 0; pass < 3; ++pass) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

POINT RowPoint(const ui::StringGrid& grid, int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(grid.Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
    return POINT{r.left + 20, (r.top + r.bottom) / 2};
}

void Post(HWND window, UINT msg, WPARAM keys, POINT at) {
    PostMessageA(window, msg, keys, MAKELPARAM(at.x, at.y));
}

void ClickRow(ui::StringGrid& grid, int row) {
    const POINT p = RowPoint(grid, row);
    Post(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, p);
    Post(grid.Handle(), WM_LBUTTONUP, 0, p);
    Pump();
}

void PressKey(HWND control, WORD key) {
    SendMessageA(control, WM_KEYDOWN, key, 1);
    SendMessageA(control, WM_KEYUP, key, 0xC0000001);
    Pump();
}

void SelectFromOutside(ui::StringGrid& grid, int row) {
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(grid.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
                 reinterpret_cast<LPARAM>(&state));
}

int ListViewRow(const ui::StringGrid& grid, UINT which) {
    return static_cast<int>(SendMessageA(grid.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which)) + 1;
}

Texts ColumnOf(const ui::StringGrid& grid, int col) {
    Texts texts;
    for (int row = 1; row < grid.RowCount(); ++row) {
        texts.push_back(grid.Cell(col, row));
    }
    return texts;
}

Texts ListEntries(HWND combo) {
    Texts entries;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
        entries.push_back(text);
    }
    return entries;
}

RECT BoundsInParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int WidthOf(HWND hwnd) {
    const RECT r = BoundsInParent(hwnd);
    return r.right - r.left;
}

int HeightOf(HWND hwnd) {
    const RECT r = BoundsInParent(hwnd);
    return r.bottom - r.top;
}

// Drags a splitter by steps of `step` pixels, `steps` times, as a held mouse moves it: the positions
// travel in the splitter's own coordinates, which move with it.
void DragSplitter(HWND splitter, bool sideways, int step, int steps) {
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    RECT start = BoundsInParent(splitter);
    int target = sideways ? start.left + 1 : start.top + 1;
    for (int i = 0; i < steps; ++i) {
        target += step;
        RECT now = BoundsInParent(splitter);
        const int local = target - (sideways ? now.left : now.top);
        SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON,
                     sideways ? MAKELPARAM(local, 1) : MAKELPARAM(1, local));
    }
    RECT now = BoundsInParent(splitter);
    const int local = target - (sideways ? now.left : now.top);
    SendMessageA(splitter, WM_LBUTTONUP, 0, sideways ? MAKELPARAM(local, 1) : MAKELPARAM(1, local));
    Pump();
}

void MainWindowFixture::SetUp() {
    Start();
}

void MainWindowFixture::Start() {
    form = std::make_unique<TForm1>(settingsPath, [this] { return timeNow; });
    editor = std::make_unique<TForm2>(form->Handle());
    form->SetEditDialog(editor.get());
    form->Show(SW_SHOWNORMAL);
    Pump();
}

void MainWindowFixture::TearDown() {
    editor.reset();
    form.reset();
    Settings = savedSettings_;
}

void ProgramWindowFixture::SetUp() {
    MainWindowFixture::SetUp();
    Application::SetMainWindow(form->Handle());
}

void ProgramWindowFixture::TearDown() {
    Application::SetMainWindow(nullptr);
    MainWindowFixture::TearDown();
}

TUserRec& MainWindowFixture::AddDebtor(const std::string& name, int id, const std::string& mail) {
    TUserRec& user = Data().users.AppendNew();
    user.Id = id;
    user.Name = name;
    user.EMail = mail;
    Data().users.Sort(CompareUserNames);
    return user;
}

TItemRec& MainWindowFixture::AddItem(const std::string& description, const std::string& type, int holderId,
                                     TDateTime lent) {
    TItemRec& item = Data().items.AppendNew();
    item.Id = Data().items.Count();
    item.Description = description;
    item.ItemType = type;
    item.HolderId = holderId;
    item.LentDate = lent;
    if (TUserRec* holder = Data().users.FindById(holderId)) {
        ++holder->ItemCount;
    }
    Data().items.Sort(CompareItemDescriptions);
    form->RegisterType(type);
    return item;
}

void MainWindowFixture::Lend(TItemRec& item, TUserRec& debtor) {
    item.HolderId = debtor.Id;
    ++debtor.ItemCount;
}

void MainWindowFixture::FillAll() {
    form->FillFreeItems();
    form->FillUsers();
    form->FillUserItems();
    Pump();
}

Texts MainWindowFixture::Run(int commandId, ModalAnswerer& answerer) {
    RunCommand(commandId);
    Pump();
    EXPECT_EQ(answerer.Pending(), 0u) << "a window the test answers did not appear";
    Texts seen;
    for (const SeenDialog& d : answerer.Seen()) {
        seen.push_back(d.caption + ": " + d.text);
    }
    return seen;
}

std::string MainWindowFixture::StatusNote() const {
    char text[256] = {};
    SendMessageA(StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND MainWindowFixture::Control(int id) const {
    return ChildById(form->Handle(), id);
}

ui::StringGrid& MainWindowFixture::Table(int id) const {
    ui::StringGrid* grid = ui::StringGrid::FromHandle(Control(id));
    if (!grid) {
        throw std::logic_error("no table with id " + std::to_string(id));
    }
    return *grid;
}

// The find dialog is the window's own dialog with the find dialog's text field.
HWND MainWindowFixture::FindDialogWindow() const {
    return OwnedDialogWith(form->Handle(), 0x480);
}

bool MainWindowFixture::CommandEnabled(int commandId) const {
    const UINT state = GetMenuState(GetMenu(form->Handle()), static_cast<UINT>(commandId), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void MainWindowFixture::RunCommand(int commandId) const {
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

std::string MainWindowFixture::Caption() const {
    char title[512] = {};
    GetWindowTextA(form->Handle(), title, sizeof title);
    return title;
}

void TypeKey(WORD key, bool shift, bool control) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE shiftBefore = keys[VK_SHIFT];
    const BYTE controlBefore = keys[VK_CONTROL];
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    Application::ProcessMessages();
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    Application::ProcessMessages();
    keys[VK_SHIFT] = shiftBefore;
    keys[VK_CONTROL] = controlBefore;
    SetKeyboardState(keys);
}
