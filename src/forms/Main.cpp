#include "forms/Main.h"

#include "catalog/FileIO.h"
#include "forms/About.h"
#include "forms/CommandIds.h"
#include "forms/ExportUnit.h"
#include "forms/SetsUnit.h"
#include "forms/StatUnit.h"
#include "platform/Application.h"
#include "platform/Locale.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "resources/resource.h"
#include "text/IntText.h"

#include <algorithm>

namespace {

const char* const kMainClass = "TForm1";

// Design geometry of the main window, in pixels.
constexpr int kDesignLeft = 192;
constexpr int kDesignTop = 107;
constexpr int kDesignWidth = 698;
constexpr int kDesignHeight = 480;
constexpr int kMinWidth = 696;
constexpr int kMinHeight = 480;

// The boxes' smallest sizes, and the splitters' thickness.
constexpr int kGroupBox1MinHeight = 50;
constexpr int kGroupBox2MinWidth = 50;
constexpr int kGroupBox3MinWidth = 350;
constexpr int kSplitterThickness = 3;
constexpr int kSplitter1MinSize = 50;

// Pictures: ImageList1 and ImageList2 hold kPictureCount pictures, then the same pictures as a disabled
// entry shows them; the flat buttons' list holds each button's two states side by side.
constexpr int kPictureCount = 15;
constexpr int kFindPicture = 3;
constexpr int kOutPicture = 0;
constexpr int kInPicture = 2;
constexpr int kAllInPicture = 4;

constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT kTimer1Interval = 60000;

const char* const kFilterHint = "Фильтр для списка неодолженных предметов";

unique_himagelist LoadPictures(int resourceId, int size) {
    unique_himagelist list(ImageList_Create(size, size, ILC_COLOR32, 2 * kPictureCount, 0));
    auto bitmap = static_cast<HBITMAP>(LoadImageA(Application::Instance(), MAKEINTRESOURCEA(resourceId),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap) {
        ImageList_Add(list.get(), bitmap, nullptr);
        DeleteObject(bitmap);
    }
    return list;
}

bool IsChecked(HWND checkBox) {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND CreateChild(const char* cls, const char* text, DWORD style, HWND parent, int id, HFONT font) {
    HWND hwnd =
        CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Application::Instance(), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

// The design width of a check box, or more where the system's substitute for the design font writes
// its caption wider, so that the caption is never cut off.
int CheckBoxWidth(HWND checkBox, int designWidth) {
    char caption[256] = {};
    GetWindowTextA(checkBox, caption, sizeof caption);
    WindowDC dc(checkBox);
    SelectObjectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(checkBox, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), caption, lstrlenA(caption), &extent);
    return std::max(designWidth, static_cast<int>(extent.cx) + GetSystemMetrics(SM_CXMENUCHECK) + 8);
}

int WindowHeight(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.bottom - r.top;
}

} // namespace

std::string DefaultSettingsPath() {
    std::string path = Application::ExePath();
    const size_t name = path.find_last_of("\\/:");
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (name == std::string::npos || dot > name)) {
        path.erase(dot);
    }
    return path + ".ini";
}

TForm1::TForm1(std::string settingsPath)
    : settingsPath_(std::move(settingsPath)), dates_(UserShortDateFormat()),
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

std::string TForm1::Caption() const {
    char buffer[512] = {};
    GetWindowTextA(Handle(), buffer, sizeof buffer);
    return buffer;
}

void TForm1::RunCommand(int commandId) {
    SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool TForm1::CommandEnabled(int commandId) const {
    const ui::Action* action = ActionList1.Find(commandId);
    return action && action->Enabled();
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: FormCreate(); return 0;
    case WM_CLOSE:
        if (FormCloseQuery()) {
            DestroyWindow(Handle());
        }
        return 0;
    case WM_DESTROY: FormDestroy(); return 0;
    case WM_SIZE: ArrangePanels(); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam)); return Window::HandleMessage(msg, wParam, lParam);
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
        if (wParam == kTimer1Id) {
            Timer1Timer();
        }
        return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MEASUREITEM: OnMeasureMenuPicture(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_SYSCOMMAND: {
        LRESULT result = 0;
        OnSysCommand(wParam, lParam, result);
        return result;
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void TForm1::OnCommand(int id, int code, HWND) {
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
        if (StringGrid1.HandleNotify(header, result)) {
            return result;
        }
        break;
    case IDC_STRINGGRID2:
        if (StringGrid2.HandleNotify(header, result)) {
            return result;
        }
        break;
    case IDC_STRINGGRID3:
        if (StringGrid3.HandleNotify(header, result)) {
            return result;
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

// ---- Creation and layout -----------------------------------------------------------------------------

void TForm1::CreateActions() {
    for (ui::Action* action : {&ExitAct, &NewAct, &OpenAct, &SaveAct, &AboutAct, &SetsAct, &NewUAct,
                               &EditUAct, &DelUAct, &NewIAct, &EditIAct, &DelIAct, &MailAct, &ExportAct}) {
        ActionList1.Add(*action);
    }
    ExitAct.OnExecute = [this] { ExitActExecute(); };
    NewAct.OnExecute = [this] { NewActExecute(); };
    OpenAct.OnExecute = [this] { OpenActExecute(); };
    SaveAct.OnExecute = [this] { SaveActExecute(); };
    AboutAct.OnExecute = [this] { AboutActExecute(); };
    SetsAct.OnExecute = [this] { SetsActExecute(); };
    NewUAct.OnExecute = [this] { NewUActExecute(); };
    EditUAct.OnExecute = [this] { EditUActExecute(); };
    DelUAct.OnExecute = [this] { DelUActExecute(); };
    NewIAct.OnExecute = [this] { NewIActExecute(); };
    EditIAct.OnExecute = [this] { EditIActExecute(); };
    DelIAct.OnExecute = [this] { DelIActExecute(); };
    MailAct.OnExecute = [this] { MailActExecute(); };
    ExportAct.OnExecute = [this] { ExportActExecute(); };
}

namespace {

// A menu entry: its text (with the shortcut after a tab) and, for the pictures, its command id.
void AppendEntry(HMENU menu, int id, const std::string& caption, const std::string& shortcut = {},
                 bool picture = true) {
    const std::string text = shortcut.empty() ? caption : caption + "\t" + shortcut;
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | (picture ? MIIM_BITMAP : 0);
    item.wID = static_cast<UINT>(id);
    item.dwTypeData = const_cast<char*>(text.c_str());
    item.hbmpItem = HBMMENU_CALLBACK;
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &item);
}

void AppendAction(HMENU menu, const ui::Action& action, const char* caption = nullptr) {
    AppendEntry(menu, action.Id(), caption ? caption : action.Caption(), action.ShortcutText());
}

void AppendSeparator(HMENU menu) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

} // namespace

void TForm1::CreateMenus() {
    MainMenu1Owner_.reset(CreateMenu());
    MainMenu1 = MainMenu1Owner_.get();

    N1 = CreatePopupMenu();
    AppendAction(N1, NewAct);
    AppendAction(N1, OpenAct, "&Открыть...");
    AppendAction(N1, SaveAct);
    AppendSeparator(N1); // N14
    N16 = CreatePopupMenu();
    AppendEntry(N16, IDM_FIND, "&Найти...", "Ctrl+F");
    AppendEntry(N16, IDM_FINDNEXT, "Найти &далее", "F3", false);
    AppendMenuA(N1, MF_POPUP, reinterpret_cast<UINT_PTR>(N16), "По&иск");
    AppendEntry(N1, IDM_STAT, "С&татистика...", {}, false);
    AppendAction(N1, ExportAct, "&Экспорт...");
    AppendAction(N1, SetsAct, "&Настройки...");
    AppendSeparator(N1); // N8
    AppendAction(N1, ExitAct, "В&ыход");
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N1), "&Файл");

    HMENU N2 = CreatePopupMenu();
    AppendAction(N2, NewUAct, "&Новый...");
    AppendAction(N2, EditUAct, "&Редактировать...");
    AppendAction(N2, DelUAct);
    AppendAction(N2, MailAct, "Написать &письмо...");
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N2), "&Должник");

    HMENU N3 = CreatePopupMenu();
    AppendAction(N3, NewIAct, "&Новый...");
    AppendAction(N3, EditIAct, "&Редактировать...");
    AppendAction(N3, DelIAct);
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N3), "&Предмет");

    HMENU N4 = CreatePopupMenu();
    AppendEntry(N4, IDM_HISTORY, "&История...", {}, false);
    AppendSeparator(N4); // N15
    AppendAction(N4, AboutAct, "&О программе...");
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N4), "&Справка");

    UserPupMnu.reset(CreatePopupMenu());
    AppendAction(UserPupMnu.get(), NewUAct);  // N6
    AppendAction(UserPupMnu.get(), EditUAct); // N10
    AppendAction(UserPupMnu.get(), DelUAct);  // N11
    AppendAction(UserPupMnu.get(), MailAct);  // N12
    ItemPupMnu.reset(CreatePopupMenu());
    AppendAction(ItemPupMnu.get(), NewIAct);  // N5
    AppendAction(ItemPupMnu.get(), EditIAct); // N7
    AppendAction(ItemPupMnu.get(), DelIAct);  // N9

    ActionList1.AddMenu(MainMenu1);
    ActionList1.AddMenu(UserPupMnu.get());
    ActionList1.AddMenu(ItemPupMnu.get());

    ACCEL keys[] = {
        {FVIRTKEY, VK_F2, IDM_SAVE},
        {FVIRTKEY, VK_F10, IDM_EXIT},
        {FVIRTKEY | FCONTROL, 'F', IDM_FIND},
        {FVIRTKEY, VK_F3, IDM_FINDNEXT},
    };
    accelerators_.reset(CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
    Application::SetAccelerators(accelerators_.get());

    SetMenu(Handle(), MainMenu1Owner_.release()); // the window destroys its menu
}

void TForm1::CreateControls() {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lstrcpyA(lf.lfFaceName, "MS Sans Serif");
    font_.reset(CreateFontIndirectA(&lf));
    HFONT font = font_.get();

    ImageList1 = LoadPictures(IDB_PICTURES16, 16);
    ImageList2 = LoadPictures(IDB_PICTURES32, 32);
    ImageList2Disabled = LoadPictures(IDB_PICTURES32_DISABLED, 32);
    buttonImages_ = LoadPictures(IDB_BUTTONS, 16);

    CreateActions();
    CreateMenus();

    ToolBar1.Create(Handle(), IDC_COOLBAR1, IDC_TOOLBAR1, ImageList2.get(), SIZE{39, 38}, 8, 42,
                    {&NewAct, &OpenAct, &SaveAct, nullptr, &NewUAct, &EditUAct, &DelUAct, nullptr, &NewIAct,
                     &EditIAct, &DelIAct, nullptr, &SetsAct, nullptr, &AboutAct, nullptr, &ExitAct});
    SendMessageA(ToolBar1.Handle(), TB_SETDISABLEDIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(ImageList2Disabled.get()));
    ActionList1.SetToolBar(ToolBar1.Handle());

    // The bottom edge from below: status bar, lent items box, splitter.
    StatusBar1.Create(Handle(), IDC_STATUSBAR1, font, {50, 100, 50}, 19);

    GroupBox1.Create(Handle(), IDC_GROUPBOX1, " Список одолженных предметов ", font);
    Splitter1.Create(Handle(), IDC_SPLITTER1, ui::Splitter::Orientation::Horizontal);
    GroupBox2.Create(Handle(), IDC_GROUPBOX2, " Список должников ", font);
    Splitter2.Create(Handle(), IDC_SPLITTER2, ui::Splitter::Orientation::Vertical);
    GroupBox3.Create(Handle(), IDC_GROUPBOX3, "Список НЕодолженных предметов ", font);

    // Design positions; the layout step of creation fits them to the boxes.
    StringGrid2.Create(GroupBox2.Handle(), IDC_STRINGGRID2, 8, 16, 225, 177, font,
                       {{"Имя должника", 161}, {"Кол-во", 36}});
    ShowDolgChB = CreateChild("BUTTON", "Показать только должников", BS_AUTOCHECKBOX | WS_TABSTOP,
                              GroupBox2.Handle(), IDC_SHOWDOLGCHB, font);
    SetWindowPos(ShowDolgChB, nullptr, 8, 200, CheckBoxWidth(ShowDolgChB, 169), 17,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    FilterChB =
        CreateChild("BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, GroupBox3.Handle(), IDC_FILTERCHB, font);
    SetWindowPos(FilterChB, nullptr, 208, 18, 17, 17, SWP_NOZORDER | SWP_NOACTIVATE);
    FilterCB = CreateChild("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, GroupBox3.Handle(),
                           IDC_FILTERCB, font);
    SetWindowPos(FilterCB, nullptr, 224, 16, 217, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowSubclass(FilterChB, FilterKeySubclass, 1, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(FilterCB, FilterKeySubclass, 1, reinterpret_cast<DWORD_PTR>(this));
    StringGrid3.Create(GroupBox3.Handle(), IDC_STRINGGRID3, 8, 44, 430, 141, font,
                       {{"Описание предмета", 273}, {"Тип", 131}});
    OutSpdBtn.Create(GroupBox3.Handle(), IDC_OUTSPDBTN, "Взял в долг", 8, 196, 105, 22, font,
                     buttonImages_.get(), kOutPicture);
    InSpdBtn.Create(GroupBox3.Handle(), IDC_INSPDBTN, "Вернул", 120, 196, 105, 22, font, buttonImages_.get(),
                    kInPicture);
    AllInSpdBtn.Create(GroupBox3.Handle(), IDC_ALLINSPDBTN, "Вернул все", 325, 196, 113, 22, font,
                       buttonImages_.get(), kAllInPicture);

    StringGrid1.Create(GroupBox1.Handle(), IDC_STRINGGRID1, 8, 16, 675, 121, font,
                       {{"Дата", 100}, {"Описание предмета", 365}, {"Тип", 185}});

    StringGrid2.SetPopupMenu(UserPupMnu.get(), Handle());
    StringGrid3.SetPopupMenu(ItemPupMnu.get(), Handle());
    StringGrid2.OnDrawCell = [this](int col, int row, const ui::GridDrawState& state) {
        StringGrid2DrawCell(col, row, state);
    };
    // A row chosen by a click, a key or another program: the lent items table follows the debtor, and the
    // commands follow the rows.
    StringGrid2.OnSelectRow = [this](int) { FollowSelectedDebtor(); };
    StringGrid3.OnSelectRow = [this](int) { UpdateCommands(); };
    StringGrid1.OnSelectRow = [this](int) { UpdateCommands(); };
    StringGrid2.OnKeyPress = [this](char& key) { StringGrid2KeyPress(key); };
    StringGrid2.OnKeyUp = [this](WORD key) { StringGrid2KeyUp(key); };
    StringGrid3.OnDblClick = [this] { StringGrid3DblClick(); };
    StringGrid3.OnMouseDown = [this](ui::MouseButton b, int x, int y) { StringGrid3MouseDown(b, x, y); };
    StringGrid3.OnDragOver = [this](ui::StringGrid& s, int x, int y) { return StringGrid3DragOver(s, x, y); };
    StringGrid3.OnDragDrop = [this](ui::StringGrid& s, int x, int y) { StringGrid3DragDrop(s, x, y); };
    StringGrid3.OnKeyPress = [this](char& key) { StringGrid3KeyPress(key); };
    StringGrid3.OnKeyUp = [this](WORD key) { StringGrid3KeyUp(key); };
    StringGrid1.OnDblClick = [this] { StringGrid1DblClick(); };
    StringGrid1.OnMouseDown = [this](ui::MouseButton b, int x, int y) { StringGrid1MouseDown(b, x, y); };
    StringGrid1.OnDragOver = [this](ui::StringGrid& s, int x, int y) { return StringGrid1DragOver(s, x, y); };
    StringGrid1.OnDragDrop = [this](ui::StringGrid& s, int x, int y) { StringGrid1DragDrop(s, x, y); };

    Splitter1.MinSize = kSplitter1MinSize;
    Splitter1.PanelSize = [this] { return GroupBox1.Height(); };
    Splitter1.MaxPanelSize = [this] {
        RECT c{};
        GetClientRect(Handle(), &c);
        return c.bottom - ToolBar1.Height() - StatusBar1.Height() - kSplitterThickness - Splitter1.MinSize;
    };
    Splitter1.OnCanResize = [this](int size) { return Splitter1CanResize(size); };
    Splitter1.OnResize = [this](int size) { SetPanHeight(size); };
    Splitter2.MinSize = kGroupBox2MinWidth;
    Splitter2.PanelSize = [this] { return GroupBox2.Width(); };
    Splitter2.MaxPanelSize = [this] {
        RECT c{};
        GetClientRect(Handle(), &c);
        return c.right - kSplitterThickness - Splitter2.MinSize;
    };
    Splitter2.OnCanResize = [this](int size) { return Splitter2CanResize(size); };
    Splitter2.OnResize = [this](int size) { SetPanWidth(size); };

    hints_.Create(Handle());
    hints_.AddRelayed(StringGrid2.Handle(), "Список должников");
    hints_.AddRelayed(StringGrid3.Handle(), "Таблица еще не одолженых предметов");
    hints_.AddRelayed(StringGrid1.Handle(), "Список предметов у выделенного должника");
    StringGrid1.SetHintTooltip(hints_.Handle());
    StringGrid2.SetHintTooltip(hints_.Handle());
    StringGrid3.SetHintTooltip(hints_.Handle());
    hints_.Add(FilterChB, kFilterHint);
    hints_.Add(FilterCB, kFilterHint);

    ArrangePanels();
}

// The boxes by their alignment: the tool bar on top; from the bottom up the status bar, the lent items
// box and its splitter; in the middle the debtors box on the left, its splitter, the free items box.
void TForm1::ArrangePanels() {
    if (!StatusBar1.Handle() || !GroupBox3.Handle()) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    SendMessageA(ToolBar1.CoolBar(), WM_SIZE, 0, 0);
    StatusBar1.Reposition();
    const int width = client.right;
    const int top = ToolBar1.Height();
    const int bottom = client.bottom - StatusBar1.Height();
    const int groupBox1Top = bottom - panHeight_;
    const int splitter1Top = groupBox1Top - kSplitterThickness;
    const int middle = std::max(0, splitter1Top - top);
    const int groupBox3Left = panWidth_ + kSplitterThickness;

    HDWP positions = BeginDeferWindowPos(5);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    positions =
        DeferWindowPos(positions, GroupBox1.Handle(), nullptr, 0, groupBox1Top, width, panHeight_, flags);
    positions = DeferWindowPos(positions, Splitter1.Handle(), nullptr, 0, splitter1Top, width,
                               kSplitterThickness, flags);
    positions = DeferWindowPos(positions, GroupBox2.Handle(), nullptr, 0, top, panWidth_, middle, flags);
    positions = DeferWindowPos(positions, Splitter2.Handle(), nullptr, panWidth_, top, kSplitterThickness,
                               middle, flags);
    positions = DeferWindowPos(positions, GroupBox3.Handle(), nullptr, groupBox3Left, top,
                               std::max(0, width - groupBox3Left), middle, flags);
    EndDeferWindowPos(positions);
}

void TForm1::SetPanHeight(int height) {
    panHeight_ = height;
    ArrangePanels();
}

void TForm1::SetPanWidth(int width) {
    panWidth_ = width;
    ArrangePanels();
}

// The layout step of creation: fits the tables, the check boxes, the filter and the buttons to the boxes as
// they are after the settings were first read, and anchors them so that they follow the boxes' sizes.
void TForm1::LayoutControls() {
    using namespace ui;
    const unsigned all = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;
    RECT r;

    // 1. The lent items table fills its box.
    r = GroupBox::BoundsOf(StringGrid1.Handle());
    GroupBox1.Place(StringGrid1.Handle(), r.left, r.top, GroupBox1.Width() - 2 * r.left,
                    GroupBox1.Height() - (3 * r.top) / 2, all);

    // 2. The debtors table, with the check box below it.
    r = GroupBox::BoundsOf(StringGrid2.Handle());
    const int checkHeight = WindowHeight(ShowDolgChB);
    const RECT check = GroupBox::BoundsOf(ShowDolgChB);
    GroupBox2.Place(ShowDolgChB, check.left, GroupBox2.Height() - r.top / 2 - checkHeight,
                    check.right - check.left, checkHeight, AnchorLeft | AnchorBottom);
    GroupBox2.Place(StringGrid2.Handle(), r.left, r.top, GroupBox2.Width() - 2 * r.left,
                    GroupBox2.Height() - 2 * r.top - checkHeight - 2, all);

    // 3. The type filter at the right edge, disabled until types are registered.
    RECT combo = GroupBox::BoundsOf(FilterCB);
    const int comboWidth = combo.right - combo.left;
    const int comboHeight = combo.bottom - combo.top;
    const int comboLeft = GroupBox3.Width() - comboWidth - 8;
    const RECT filterCheck = GroupBox::BoundsOf(FilterChB);
    const int checkWidth = filterCheck.right - filterCheck.left;
    GroupBox3.Place(FilterCB, comboLeft, combo.top, comboWidth, comboHeight, AnchorTop | AnchorRight);
    GroupBox3.Place(FilterChB, comboLeft - checkWidth, filterCheck.top, checkWidth,
                    filterCheck.bottom - filterCheck.top, AnchorTop | AnchorRight);
    EnableWindow(FilterCB, FALSE);
    EnableWindow(FilterChB, FALSE);

    // 4. The free items table between the filter and the buttons.
    r = GroupBox::BoundsOf(StringGrid3.Handle());
    const RECT out = GroupBox::BoundsOf(OutSpdBtn.Handle());
    const int buttonHeight = out.bottom - out.top;
    GroupBox3.Place(StringGrid3.Handle(), r.left, r.top, GroupBox3.Width() - 2 * r.left,
                    GroupBox3.Height() - combo.top - buttonHeight - comboHeight - 20, all);

    // 5. The buttons along the bottom edge.
    const int buttonTop = GroupBox3.Height() - buttonHeight - 8;
    const int outWidth = out.right - out.left;
    const RECT in = GroupBox::BoundsOf(InSpdBtn.Handle());
    const RECT allIn = GroupBox::BoundsOf(AllInSpdBtn.Handle());
    const int allInWidth = allIn.right - allIn.left;
    GroupBox3.Place(OutSpdBtn.Handle(), out.left, buttonTop, outWidth, buttonHeight,
                    AnchorLeft | AnchorBottom);
    GroupBox3.Place(InSpdBtn.Handle(), 2 * out.left + outWidth, buttonTop, in.right - in.left, buttonHeight,
                    AnchorLeft | AnchorBottom);
    GroupBox3.Place(AllInSpdBtn.Handle(), GroupBox3.Width() - out.left - allInWidth, buttonTop, allInWidth,
                    buttonHeight, AnchorRight | AnchorBottom);

    // 6. The bottom edge, from below: status bar, lent items box, splitter.
    ArrangePanels();

    // 7. The header rows, and one empty data row in each table.
    StringGrid1.SetTitle(0, "Дата");
    StringGrid1.SetTitle(1, "Описание предмета");
    StringGrid1.SetTitle(2, "Тип");
    StringGrid2.SetTitle(0, "Имя должника");
    StringGrid2.SetTitle(1, "Кол-во");
    StringGrid3.SetTitle(0, "Описание предмета");
    StringGrid3.SetTitle(1, "Тип");
    StringGrid1.SetRowCount(2);
    StringGrid2.SetRowCount(2);
    StringGrid3.SetRowCount(2);
}

void TForm1::FormCreate() {
    CreateControls();
    // The window's caption at design time is the product name: it becomes the application title and
    // the base of every window title.
    BaseCaption = Caption();
    Application::SetTitle(BaseCaption);
    SetWindowTextA(Handle(), (BaseCaption + " - new").c_str());
    SetModified(false);
    PrepareDocument();
    LoadSaveSettings(true);
    LayoutControls();
    // Again, so that the stored sizes win over what the layout did.
    LoadSaveSettings(true);
    OpenAtStart();
}

void TForm1::FormDestroy() {
    // Errors at exit are dropped: the program ends as usual.
    try {
        LoadSaveSettings(false);
    } catch (...) {
    }
    catalog_.users.Clear();
    catalog_.items.Clear();
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
    HWND target =
        lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_) ? lastFocus_ : StringGrid2.Handle();
    if (target) {
        SetFocus(target);
    }
}

void TForm1::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = kMinWidth;
    info->ptMinTrackSize.y = kMinHeight;
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

// Menu entries draw their pictures through HBMMENU_CALLBACK: the system draws the text, the window the
// picture, enabled or disabled as the entry is.
void TForm1::OnMeasureMenuPicture(MEASUREITEMSTRUCT* item) {
    if (item->CtlType == ODT_MENU) {
        item->itemWidth = 16;
        item->itemHeight = 16;
    }
}

void TForm1::OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlType == ODT_BUTTON) {
        for (const ui::FlatButton* button : {&OutSpdBtn, &InSpdBtn, &AllInSpdBtn}) {
            if (button->Handle() == item->hwndItem) {
                button->Draw(*item);
            }
        }
    } else if (item->CtlType == ODT_MENU) {
        OnDrawMenuPicture(item);
    }
}

void TForm1::OnDrawMenuPicture(const DRAWITEMSTRUCT* item) {
    int picture = item->itemID == static_cast<UINT>(IDM_FIND) ? kFindPicture : -1;
    if (const ui::Action* action = ActionList1.Find(static_cast<int>(item->itemID))) {
        picture = action->ImageIndex();
    }
    if (picture < 0) {
        return;
    }
    if (item->itemState & (ODS_GRAYED | ODS_DISABLED)) {
        picture += kPictureCount;
    }
    const int x = item->rcItem.left + (item->rcItem.right - item->rcItem.left - 16) / 2;
    const int y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - 16) / 2;
    ImageList_Draw(ImageList1.get(), picture, item->hDC, std::max(x, static_cast<int>(item->rcItem.left)), y,
                   ILD_TRANSPARENT);
}

void TForm1::OnInitMenuPopup(HMENU menu) {
    if (menu == N1) {
        N1Click();
    }
}

void TForm1::SetTimer1Enabled(bool enabled) {
    if (enabled == timer1Enabled_) {
        return;
    }
    timer1Enabled_ = enabled;
    if (enabled) {
        SetTimer(Handle(), kTimer1Id, kTimer1Interval, nullptr);
    } else {
        KillTimer(Handle(), kTimer1Id);
    }
}

void TForm1::SetStatusText(int panel, const std::string& text) {
    StatusBar1.SetText(panel, text);
}

namespace {

// Position of the Search submenu and of the Statistics entry in the File menu.
constexpr UINT kN16Position = 4;
constexpr UINT kMiStatPosition = 5;

} // namespace

void TForm1::SetFindMenuEnabled(bool enabled) {
    EnableMenuItem(N1, kN16Position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TForm1::SetStatMenuEnabled(bool enabled) {
    EnableMenuItem(N1, kMiStatPosition, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TForm1::FindMenuEnabled() const {
    return !(GetMenuState(N1, kN16Position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
}

// ---- The refresh routines --------------------------------------------------------------------------

void TForm1::UpdateCommands() {
    const bool lentItemSelected = !StringGrid1.Cell(0, StringGrid1.Row()).empty();
    InSpdBtn.SetEnabled(lentItemSelected);
    AllInSpdBtn.SetEnabled(lentItemSelected);

    const bool freeItemSelected = !StringGrid3.Cell(0, StringGrid3.Row()).empty();
    EditIAct.SetEnabled(freeItemSelected);
    DelIAct.SetEnabled(freeItemSelected);

    // Lending needs a free item and a debtor.
    const bool debtorSelected = !StringGrid2.Cell(0, StringGrid2.Row()).empty();
    OutSpdBtn.SetEnabled(freeItemSelected && debtorSelected);
    EditUAct.SetEnabled(debtorSelected);
    DelUAct.SetEnabled(debtorSelected);
}

void TForm1::FillFreeItems() {
    const int remembered = StringGrid3.Row();
    StringGrid3.SetRowCount(2);
    StringGrid3.ClearRow(1);

    // The type filter applies while its check box is checked and an entry is chosen, enabled or not.
    std::string type;
    bool filtered = false;
    const LRESULT chosen = SendMessageA(FilterCB, CB_GETCURSEL, 0, 0);
    if (IsChecked(FilterChB) && chosen != CB_ERR) {
        const LRESULT length = SendMessageA(FilterCB, CB_GETLBTEXTLEN, static_cast<WPARAM>(chosen), 0);
        type.assign(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
        SendMessageA(FilterCB, CB_GETLBTEXT, static_cast<WPARAM>(chosen),
                     reinterpret_cast<LPARAM>(type.data()));
        type.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
        filtered = true;
    }

    int n = 0;
    for (const auto& item : catalog_.items) {
        if (item->HolderId != 0 || (filtered && item->ItemType != type)) {
            continue;
        }
        ++n;
        StringGrid3.SetCell(0, n, item->Description);
        StringGrid3.SetCell(1, n, item->ItemType);
        StringGrid3.SetRecord(n, item.get());
    }
    if (n > 1) {
        StringGrid3.SetRowCount(n + 1);
    }
    if (remembered < StringGrid3.RowCount()) {
        StringGrid3.SetRow(remembered);
    }
    UpdateCommands();
}

void TForm1::FillUsers() {
    StringGrid2.SetRowCount(2);
    StringGrid2.ClearRow(1);
    const bool onlyHolders = IsChecked(ShowDolgChB);
    int n = 0;
    for (const auto& user : catalog_.users) {
        if (onlyHolders && user->ItemCount == 0) {
            continue;
        }
        ++n;
        StringGrid2.SetCell(0, n, user->Name);
        StringGrid2.SetCell(1, n, IntToStr(user->ItemCount));
        StringGrid2.SetRecord(n, user.get());
    }
    if (n > 1) {
        StringGrid2.SetRowCount(n + 1);
    }
    UpdateCommands();
}

namespace {

// The lent date as the table shows it. A value no calendar date has cannot come from the catalog file or
// the clock; should one appear, its cell stays empty rather than failing every repaint.
std::string DateText(const ShortDateFormat& dates, TDateTime value) {
    CivilDate date;
    return TryDecodeDate(value, date) ? dates.Format(value) : std::string();
}

} // namespace

void TForm1::FillUserItems() {
    StringGrid1.SetRowCount(2);
    StringGrid1.ClearRow(1);
    const TUserRec* debtor = SelectedDebtor();
    int n = 0;
    if (debtor) {
        for (const auto& item : catalog_.items) {
            if (!Holds(*debtor, *item)) {
                continue;
            }
            ++n;
            StringGrid1.SetCell(0, n, DateText(dates_, item->LentDate));
            StringGrid1.SetCell(1, n, item->Description);
            StringGrid1.SetCell(2, n, item->ItemType);
            StringGrid1.SetRecord(n, item.get());
        }
    }
    if (n > 1) {
        StringGrid1.SetRowCount(n + 1);
    }
    UpdateCommands();
}

// The lent items table must show the items of the debtor selected in the debtors table whenever that
// row is painted. When it already shows exactly those rows, a rebuild would change nothing but move the
// user's chosen lent item back to the first row, so that a return started after a mere repaint (a focus
// change, a message box over the table) would take another item than the one selected. The commands
// follow the rows either way: the first paint of an empty catalogue finds nothing to rebuild, but must
// still disable them.
void TForm1::FollowSelectedDebtor() {
    const TUserRec* debtor = SelectedDebtor();
    int row = 0;
    bool same = true;
    if (debtor) {
        for (const auto& item : catalog_.items) {
            if (!Holds(*debtor, *item)) {
                continue;
            }
            ++row;
            if (row >= StringGrid1.RowCount() || StringGrid1.RecordOf(row) != item.get() ||
                StringGrid1.Cell(1, row) != item->Description || StringGrid1.Cell(2, row) != item->ItemType ||
                StringGrid1.Cell(0, row) != DateText(dates_, item->LentDate)) {
                same = false;
                break;
            }
        }
    }
    // Shown rows beyond the debtor's items, or a stale first row when he holds nothing.
    if (same && row == 0) {
        same = StringGrid1.RowCount() == 2 && StringGrid1.RecordOf(1) == nullptr &&
               StringGrid1.Cell(0, 1).empty() && StringGrid1.Cell(1, 1).empty() &&
               StringGrid1.Cell(2, 1).empty();
    } else if (same) {
        same = StringGrid1.RowCount() == std::max(row, 1) + 1;
    }
    if (!same) {
        FillUserItems();
    } else {
        UpdateCommands();
    }
}

// ---- The records of the selected rows ----------------------------------------------------------------

namespace {

template <typename Record, typename List>
Record* RecordOfSelectedRow(const ui::RecordGrid<Record>& grid, const List& list, int textCol,
                            std::string Record::*text) {
    const int row = grid.Row();
    Record* record = grid.RecordOf(row);
    if (!record || grid.Cell(0, row).empty() || list.IndexOf(record) < 0 ||
        record->*text != grid.Cell(textCol, row)) {
        return nullptr;
    }
    return record;
}

} // namespace

TUserRec* TForm1::SelectedDebtor() const {
    return RecordOfSelectedRow(StringGrid2, catalog_.users, 0, &TUserRec::Name);
}

TItemRec* TForm1::SelectedFreeItem() const {
    return RecordOfSelectedRow(StringGrid3, catalog_.items, 0, &TItemRec::Description);
}

TItemRec* TForm1::SelectedLentItem() const {
    return RecordOfSelectedRow(StringGrid1, catalog_.items, 1, &TItemRec::Description);
}

// ---- The tables' own handlers -------------------------------------------------------------------------

void TForm1::StringGrid2DrawCell(int, int, const ui::GridDrawState& state) {
    if (state == ui::GridDrawState{true, false, false}) {
        FollowSelectedDebtor();
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

// The debtors box may always shrink, and may grow only while the free items box keeps about 360 pixels.
bool TForm1::Splitter2CanResize(int newSize) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const RECT splitter = ui::GroupBox::BoundsOf(Splitter2.Handle());
    return splitter.left < client.right - kGroupBox3MinWidth - 10 || newSize < GroupBox2.Width();
}

// The lent items box may always grow, and may shrink only while its splitter lies more than 100 pixels
// plus the status bar's height above the bottom of the client area.
bool TForm1::Splitter1CanResize(int newSize) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const RECT splitter = ui::GroupBox::BoundsOf(Splitter1.Handle());
    return splitter.top < client.bottom - kGroupBox1MinHeight - StatusBar1.Height() - 50 ||
           newSize > GroupBox1.Height();
}

void TForm1::ShowDolgChBClick() {
    FillUsers();
}

void TForm1::FilterChBClick() {
    FillFreeItems();
}

void TForm1::FilterChBKeyPress(char) {
    FillFreeItems();
}

LRESULT CALLBACK TForm1::FilterKeySubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data) {
    if (msg == WM_CHAR) {
        // The key counts before the control acts on it: a filter entry chosen by this key applies at the
        // next.
        auto* self = reinterpret_cast<TForm1*>(data);
        RunGuarded([&] { self->FilterChBKeyPress(ui::CharOfKey(hwnd, wParam)); });
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, FilterKeySubclass, id);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// ---- The type filter list -----------------------------------------------------------------------------

namespace {

void ShowTypeFilterState(HWND comboBox, HWND checkBox) {
    const LRESULT count = SendMessageA(comboBox, CB_GETCOUNT, 0, 0);
    const BOOL enabled = count > 1;
    EnableWindow(comboBox, enabled);
    EnableWindow(checkBox, enabled);
    if (count > 0 && SendMessageA(comboBox, CB_GETCURSEL, 0, 0) == CB_ERR) {
        SendMessageA(comboBox, CB_SETCURSEL, 0, 0);
    }
}

} // namespace

void TForm1::RegisterType(std::string_view type) {
    if (catalog_.types.Add(type)) {
        const std::string entry(type);
        SendMessageA(FilterCB, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ShowTypeFilterState(FilterCB, FilterChB);
}

void TForm1::SyncTypeFilter() {
    const LRESULT chosen = SendMessageA(FilterCB, CB_GETCURSEL, 0, 0);
    SendMessageA(FilterCB, WM_SETREDRAW, FALSE, 0);
    SendMessageA(FilterCB, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : catalog_.types.Entries()) {
        SendMessageA(FilterCB, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    if (chosen != CB_ERR && chosen < catalog_.types.Count()) {
        SendMessageA(FilterCB, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    }
    SendMessageA(FilterCB, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FilterCB, nullptr, TRUE);
    ShowTypeFilterState(FilterCB, FilterChB);
}

void TForm1::ClearTypeFilter() {
    catalog_.types.Clear();
    SendMessageA(FilterCB, CB_RESETCONTENT, 0, 0);
    ShowTypeFilterState(FilterCB, FilterChB);
}

// ---- Commands of later work, and the reports ----------------------------------------------------------
// The commands not built yet are bound to their menu entries and actions; each does nothing for now.

void TForm1::miFindClick() {}

void TForm1::FindDialog1Find() {}

// Enter edits the selected debtor or item (when its command is enabled).
void TForm1::StringGrid2KeyPress(char& key) {
    if (key == '\r') {
        EditUAct.Execute();
    }
}

void TForm1::StringGrid3KeyPress(char& key) {
    if (key == '\r') {
        EditIAct.Execute();
    }
}

// The dialog edits copies; only OK changes the record. The timer then follows the autosave option (a
// running interval goes on, the count of minutes stays), and the file is written at once, with the
// window's shape of this moment.
void TForm1::SetsActExecute() {
    if (!SetsForm) {
        SetsForm = std::make_unique<TSetsForm>(Handle());
    }
    SetsForm->CopyIn(Settings);
    if (!SetsForm->ShowModal()) {
        return;
    }
    SetsForm->CopyBack(Settings);
    SetTimer1Enabled(Settings.AutoSave);
    LoadSaveSettings(false);
}

void TForm1::ExportActExecute() {
    if (!ExportForm) {
        ExportForm = std::make_unique<TExportForm>(Handle());
    }
    ExportForm->Execute(catalog_, dates_);
}

namespace {

// Empties the status progress panel when a step that showed its text ends, however it ends.
class ProgressText {
  public:
    ProgressText(ui::StatusBar& bar, const std::string& text) : bar_(bar) {
        bar_.SetText(2, text);
        Application::ProcessMessages();
    }
    ~ProgressText() { bar_.SetText(2, ""); }
    ProgressText(const ProgressText&) = delete;
    ProgressText& operator=(const ProgressText&) = delete;

  private:
    ui::StatusBar& bar_;
};

} // namespace

// The size is that of the file as last saved. It is asked without opening the file, so a read-only
// catalogue, or one another program holds open, shows its statistics too.
void TForm1::miStatClick() {
    if (CatalogFileName.empty()) {
        WarningBox(Handle(), "Необходимо создать базу!");
        return;
    }
    std::int64_t size = 0;
    {
        ProgressText progress(StatusBar1, "Сбор статистики... Ждите...");
        if (!StatForm) {
            StatForm = std::make_unique<TStatForm>(Handle());
        }
        size = FileSize(CatalogFileName);
    }
    StatForm->ShowStatistics(CatalogFileName, size, CountCatalog(catalog_.users, catalog_.items));
}

// The address goes to the mail program exactly as stored: an empty one opens a message without a
// recipient.
void TForm1::MailActExecute() {
    const TUserRec* debtor = SelectedDebtor();
    if (catalog_.users.Empty() || !debtor) {
        return;
    }
    ShellOpen(Handle(), "mailto:" + debtor->EMail);
}

void TForm1::AboutActExecute() {
    if (!AboutBox) {
        AboutBox = std::make_unique<TAboutBox>(Handle());
    }
    AboutBox->Execute();
}

// The history opens in the program the system has for text files; whether the file is there is the
// shell's business.
void TForm1::miHistoryClick() {
    ShellOpen(Handle(), Application::ExeFolder() + "history.txt");
}

// The close query decides; the window closes once the current command has returned.
void TForm1::ExitActExecute() {
    Close();
}
