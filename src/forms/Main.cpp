// The main window: its creation and end, the dispatch of its messages and commands, its timers, and the
// handlers that forward to the tables, the document and the commands.

#include "forms/Main.h"

#include "forms/About.h"
#include "forms/CommandIds.h"
#include "forms/ExportUnit.h"
#include "forms/LoansUnit.h"
#include "forms/SetsUnit.h"
#include "forms/StatUnit.h"
#include "platform/Application.h"
#include "platform/Locale.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

const char* const kMainClass = "TForm1";

// Design geometry of the main window: its place on the screen in pixels, its size and its panels' in
// design units (pixels at 100 %).
constexpr int kDesignLeft = 192;
constexpr int kDesignTop = 107;
constexpr int kDesignWidth = 698;
constexpr int kDesignHeight = 480;
constexpr int kDesignPanHeight = 143;
constexpr int kDesignPanWidth = 241;

constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT kTimer1Interval = 60000;
// A new day is noticed within a minute of midnight.
constexpr UINT_PTR kTimer2Id = 2;
constexpr UINT kTimer2Interval = 60000;

} // namespace

std::string DefaultSettingsPath() {
    return SettingsPathFor(Application::ExePath());
}

TForm1::TForm1(std::string settingsPath, NowClock now)
    : now_(std::move(now)), document_(std::move(settingsPath), UserShortDateFormat()),
      tables_(document_.Data(), document_.Dates(), now_), commands_(*this, document_, tables_, now_),
      ExitAct(IDM_EXIT, "ExitAct", "Выход из программы", 4, "F10"),
      NewAct(IDM_NEW, "Созд&ать", "Новая база", 0), OpenAct(IDM_OPEN, "&Открыть", "Открыть базу", 1),
      SaveAct(IDM_SAVE, "&Сохранить", "Сохранить базу", 2, "F2"),
      AboutAct(IDM_ABOUT, "&О программе", "О программе", 5),
      SetsAct(IDM_SETS, "&Настройки", "Настройка программы", 6),
      NewUAct(IDM_NEWU, "&Новый", "Новый должник", 11),
      EditUAct(IDM_EDITU, "&Редактировать", "Редактировать информацию о должнике", 12),
      DelUAct(IDM_DELU, "&Удалить", "Удалить должника", 13), NewIAct(IDM_NEWI, "&Новый", "Новый предмет", 7),
      EditIAct(IDM_EDITI, "&Редактировать", "Редактировать описание", 8),
      DelIAct(IDM_DELI, "&Удалить", "Удалить предмет", 9),
      MailAct(IDM_MAIL, "Написать &письмо", "Написать письмо", 10),
      ExportAct(IDM_EXPORT, "Экспорт", "Экспорт информации о должниках", 14) {
    RegisterWindowClass(kMainClass, LoadIconA(Application::Instance(), MAKEINTRESOURCEA(IDI_APP)));
    CreateWindowFor(kMainClass, "Вещехран", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, kDesignLeft, kDesignTop,
                    kDesignWidth, kDesignHeight, Application::Handle(), nullptr);
}

TForm1::~TForm1() {
    if (Handle()) {
        DestroyWindow(Handle());
    }
}

void TForm1::Show(int cmdShow) {
    if (ShowMaximized && (cmdShow == SW_SHOWNORMAL || cmdShow == SW_SHOW || cmdShow == SW_SHOWDEFAULT)) {
        cmdShow = SW_SHOWMAXIMIZED;
    }
    ShowWindow(Handle(), cmdShow);
    // From now on the window itself knows whether it is maximized.
    ShowMaximized = false;
    UpdateWindow(Handle());
}

void TForm1::Close() {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == FindDialog::Message()) {
        OnFindDialogMessage(lParam);
        return 0;
    }
    switch (msg) {
    case WM_CREATE: FormCreate(); return 0;
    case WM_CLOSE:
        if (document_.CloseQuery()) {
            DestroyWindow(Handle());
        }
        return 0;
    case WM_DESTROY: FormDestroy(); return 0;
    case WM_SIZE: ArrangePanels(); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam)); return Window::HandleMessage(msg, wParam, lParam);
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
        if (wParam == kTimer1Id) {
            Timer1Timer();
        } else if (wParam == kTimer2Id) {
            Timer2Timer();
        }
        return 0;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == N1) {
            N1Click();
        }
        return 0;
    case WM_MEASUREITEM: OnMeasureMenuPicture(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize =
            POINT{scale_(kMainMinWidth), scale_(kMainMinHeight)};
        return 0;
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_SYSCOMMAND: {
        LRESULT result = 0;
        OnSysCommand(wParam, lParam, result);
        return result;
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void TForm1::OnCommand(int id, int code) {
    switch (id) {
    case IDM_FIND:
        if (FindMenuEnabled()) {
            miFindClick();
        }
        return;
    case IDM_FINDNEXT:
        if (FindMenuEnabled()) {
            FindDialog1Find();
        }
        return;
    case IDM_STAT: miStatClick(); return;
    case IDM_UNDO: miUndoClick(); return;
    case IDM_REDO: miRedoClick(); return;
    case IDM_DEBTORLOANS: miDebtorLoansClick(); return;
    case IDM_ITEMLOANS: miItemLoansClick(); return;
    case IDM_HISTORY: miHistoryClick(); return;
    case IDC_SHOWDOLGCHB:
        if (code == BN_CLICKED) {
            ShowDolgChBClick();
        }
        return;
    case IDC_FILTERCHB:
        if (code == BN_CLICKED) {
            FilterChBClick();
        }
        return;
    case IDC_FILTERCB:
        if (code == CBN_CLOSEUP) {
            FilterChBClick();
        }
        return;
    case IDC_OUTSPDBTN:
        if (OutSpdBtn.Enabled()) {
            OutSpdBtnClick();
        }
        return;
    case IDC_INSPDBTN:
        if (InSpdBtn.Enabled()) {
            InSpdBtnClick();
        }
        return;
    case IDC_ALLINSPDBTN:
        if (AllInSpdBtn.Enabled()) {
            AllInSpdBtnClick();
        }
        return;
    }
    ActionList1.Execute(id);
}

LRESULT TForm1::OnNotify(const NMHDR* header) {
    LRESULT result = 0;
    switch (header->idFrom) {
    case IDC_STRINGGRID1:
        if (tables_.StringGrid1.HandleNotify(header, result)) {
            return result;
        }
        break;
    case IDC_STRINGGRID2:
        if (tables_.StringGrid2.HandleNotify(header, result)) {
            return result;
        }
        break;
    case IDC_STRINGGRID3:
        if (tables_.StringGrid3.HandleNotify(header, result)) {
            return result;
        }
        break;
    case IDC_FILTERCHB:
        if (header->code == NM_CUSTOMDRAW) {
            return tables_.FilterChBCustomDraw(reinterpret_cast<const NMCUSTOMDRAW*>(header), scale_);
        }
        break;
    case IDC_COOLBAR1:
        if (header->code == RBN_HEIGHTCHANGE) {
            ArrangePanels();
        }
        return 0;
    }
    if (ToolBar1.HandleNotify(header, result)) {
        return result;
    }
    return 0;
}

void TForm1::FormCreate() {
    // The window was made at its design size in pixels; now that it lies on a monitor, it takes its size
    // at that monitor's scale, and everything in it follows.
    scale_ = DisplayScale::Of(Handle());
    panHeight_ = scale_(kDesignPanHeight);
    panWidth_ = scale_(kDesignPanWidth);
    SetWindowPos(Handle(), nullptr, 0, 0, scale_(kDesignWidth), scale_(kDesignHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls();
    // The window's caption at design time is the product name: it becomes the application title and
    // the base of every window title.
    char caption[256] = {};
    GetWindowTextA(Handle(), caption, sizeof caption);
    Application::SetTitle(caption);
    document_.Attach(Handle(), StatusBar1, tables_, *this, caption);
    document_.ShowNewTitle();
    document_.LoadSaveSettings(true);
    FitControls();
    // Again, so that the stored sizes win over what the layout did.
    document_.LoadSaveSettings(true);
    tables_.CountLongLoans();
    created_ = true;
    SetTimer1Enabled(Settings.AutoSave);
    document_.OpenAtStart();
}

void TForm1::FormDestroy() {
    // A window whose creation failed has no shape of its own to write over the stored one.
    document_.Close(created_);
    // The shortcut table dies with the window.
    Application::SetAccelerators(nullptr);
    if (Application::MainWindow() == Handle()) {
        PostQuitMessage(0);
    }
}

// The keyboard comes back to the control that had it when the window was last left (at first the debtors
// table), not to the window itself, which has no use for keys.
void TForm1::OnActivate(WORD state) {
    HWND focus = GetFocus();
    if (state == WA_INACTIVE && focus && IsChild(Handle(), focus)) {
        lastFocus_ = focus;
    }
}

void TForm1::OnSetFocus() {
    HWND target = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)
                      ? lastFocus_
                      : tables_.StringGrid2.Handle();
    if (target) {
        SetFocus(target);
    }
}

void TForm1::OnSysCommand(WPARAM command, LPARAM lParam, LRESULT& result) {
    // The taskbar button belongs to the application window: minimizing goes through it.
    if ((command & 0xFFF0) == SC_MINIMIZE && Application::Handle()) {
        Application::Minimize();
        result = 0;
        return;
    }
    result = DefWindowProcA(Handle(), WM_SYSCOMMAND, command, lParam);
}

// Turns one of the window's timers on or off; turning on a timer that runs does not start its interval again.
void TForm1::SwitchTimer(UINT_PTR id, UINT interval, bool enabled, bool& running) {
    if (enabled == running) {
        return;
    }
    running = enabled;
    if (enabled) {
        SetTimer(Handle(), id, interval, nullptr);
    } else {
        KillTimer(Handle(), id);
    }
}

void TForm1::SetTimer1Enabled(bool enabled) {
    SwitchTimer(kTimer1Id, kTimer1Interval, enabled, timer1Enabled_);
}

void TForm1::SetTimer2Enabled(bool enabled) {
    SwitchTimer(kTimer2Id, kTimer2Interval, enabled, timer2Enabled_);
}

// ---- The tables' handlers ------------------------------------------------------------------------------

// The commands follow the rows: a row with an empty first column offers no edit, delete, return or lend.
void TForm1::UpdateCommands() {
    const bool lentItemSelected = tables_.SelectedLentItem() != nullptr;
    InSpdBtn.SetEnabled(lentItemSelected);
    AllInSpdBtn.SetEnabled(lentItemSelected);
    const bool freeItemSelected = tables_.SelectedFreeItem() != nullptr;
    EditIAct.SetEnabled(freeItemSelected);
    DelIAct.SetEnabled(freeItemSelected);
    // Lending needs a free item and a debtor.
    const bool debtorSelected = tables_.SelectedDebtor() != nullptr;
    OutSpdBtn.SetEnabled(freeItemSelected && debtorSelected);
    EditUAct.SetEnabled(debtorSelected);
    DelUAct.SetEnabled(debtorSelected);
    UpdateUndoMenu();
}

// Not while a modal dialog holds the window: the command that opened it may hold a record that the step
// would take away.
void TForm1::miUndoClick() {
    if (IsWindowEnabled(Handle())) {
        document_.Undo();
    }
}

void TForm1::miRedoClick() {
    if (IsWindowEnabled(Handle())) {
        document_.Redo();
    }
}

void TForm1::RegisterType(std::string_view type) {
    GetCatalog().types.Add(type);
    tables_.ShowTypes();
}

void TForm1::ClearTypeFilter() {
    GetCatalog().types.Clear();
    tables_.SyncTypes();
}

// A double click runs the command of its table and marks the table, so that the press which follows the
// double click starts no drag.
void TForm1::StringGrid3DblClick() {
    OutSpdBtnClick();
    tables_.StringGrid3.Tag = 1;
}

void TForm1::StringGrid1DblClick() {
    InSpdBtnClick();
    tables_.StringGrid1.Tag = 1;
}

void TForm1::StringGrid2DrawCell(int, int, const ui::GridDrawState& state) {
    if (state == ui::GridDrawState{true, false, false}) {
        tables_.FollowSelectedDebtor();
    }
}

void TForm1::StringGrid2KeyUp(WORD key) {
    switch (key) {
    case VK_INSERT: NewUAct.Execute(); return;
    case VK_DELETE: DelUAct.Execute(); return;
    }
}

void TForm1::StringGrid3KeyUp(WORD key) {
    switch (key) {
    case VK_INSERT: NewIAct.Execute(); return;
    case VK_DELETE: DelIAct.Execute(); return;
    }
}

// Enter edits the selected record; a letter or digit selects the first row from that letter on.
void TForm1::StringGrid2KeyPress(char& key) {
    if (key == '\r') {
        EditUAct.Execute();
    } else {
        tables_.QuickSearchDebtor(key);
    }
}

void TForm1::StringGrid3KeyPress(char& key) {
    if (key == '\r') {
        EditIAct.Execute();
    } else {
        tables_.QuickSearchFreeItem(key);
    }
}
