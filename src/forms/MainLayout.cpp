// The main window's creation and layout: actions, menus and their pictures, the controls, the boxes
// arranged by their alignment, the splitters' limits.

#include "forms/Main.h"

#include "catalog/TableRows.h"

#include "forms/CommandIds.h"
#include "platform/Application.h"
#include "platform/Subclass.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

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

HWND CreateChild(const char* cls, const char* text, DWORD style, HWND parent, int id, HFONT font) {
    return CreateControlWindow(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, id, font);
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
    font_ = MakeDesignFont();
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
    // A character key counts before the control acts on it: a filter entry chosen by this key applies at
    // the next.
    for (HWND control : {FilterChB, FilterCB}) {
        FilterMessages(control, [this](const ControlMessage& m) -> std::optional<LRESULT> {
            if (m.msg == WM_CHAR) {
                FilterChBKeyPress(TypedChar(m.hwnd, m.wParam));
            }
            return std::nullopt;
        });
    }
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

    // The cells show the records' texts as they are at each paint.
    StringGrid2.SetTextOf(DebtorCellText);
    StringGrid3.SetTextOf(FreeItemCellText);
    StringGrid1.SetTextOf(
        [this](const TItemRec& item, int col) { return LentItemCellText(item, col, dates_); });

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
