// The main window's creation and layout: actions, menus and their pictures, the controls, the boxes
// arranged by their alignment, the splitters' limits.

#include "forms/Main.h"

#include "catalog/TableRows.h"

#include "forms/CommandIds.h"
#include "platform/AccessibleName.h"
#include "platform/Application.h"
#include "platform/Subclass.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

// Every size and position here is in design units (pixels at 100 %), laid out through scale_.

// The boxes' smallest sizes, and the splitters' thickness.
constexpr int kGroupBox1MinHeight = 50;
constexpr int kGroupBox2MinWidth = 50;
constexpr int kGroupBox3MinWidth = 350;
constexpr int kSplitterThickness = 3;
constexpr int kSplitter1MinSize = 50;

// The tool bar in its band, the status bar, the boxes' captions, the flat buttons' picture and margins.
constexpr SIZE kToolButtonSize{39, 38};
constexpr int kToolSeparatorWidth = 8;
constexpr int kToolBandMinHeight = 42;
constexpr int kCoolBarHeight = 46;
constexpr int kStatusBarHeight = 19;
constexpr int kStatusPanelWidths[] = {50, 100, 50};
constexpr int kCaptionIndent = 8;
constexpr int kButtonGlyphGap = 4;
constexpr int kButtonMargin = 4;
constexpr int kSmallPicture = 16;
constexpr int kToolPicture = 32;

// Pictures: ImageList1 and ImageList2 hold kPictureCount pictures, then the same pictures as a disabled
// entry shows them; the flat buttons' list holds each button's two states side by side.
constexpr int kPictureCount = 15;
constexpr int kFindPicture = 3;
constexpr int kOutPicture = 0;
constexpr int kInPicture = 2;
constexpr int kAllInPicture = 4;

const char* const kFilterHint = "Фильтр для списка неодолженных предметов";

// The boxes' captions, with their spaces.
const char* const kLentItemsCaption = " Список одолженных предметов ";
const char* const kDebtorsCaption = " Список должников ";
const char* const kFreeItemsCaption = "Список НЕодолженных предметов ";

// A box's caption without the spaces around it, as the name of the table inside it.
std::string TableName(const std::string& caption) {
    const std::size_t first = caption.find_first_not_of(' ');
    const std::size_t last = caption.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : caption.substr(first, last - first + 1);
}

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

// The design width of a check box at the scale, or more where its font writes the caption wider (the
// system's substitute for the design font, or the font at another size), so that the caption is never
// cut off.
int CheckBoxWidth(HWND checkBox, int designWidth, const DisplayScale& scale) {
    char caption[256] = {};
    GetWindowTextA(checkBox, caption, sizeof caption);
    WindowDC dc(checkBox);
    SelectObjectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(checkBox, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), caption, lstrlenA(caption), &extent);
    return std::max(scale(designWidth),
                    static_cast<int>(extent.cx) + SystemMetricAt(SM_CXMENUCHECK, scale) + scale(8));
}

// The design width of a flat button at the scale, or more where its picture and caption need it.
int ButtonWidth(const ui::FlatButton& button, int designWidth, const DisplayScale& scale) {
    return std::max(scale(designWidth), button.NeededWidth(scale(kButtonMargin)));
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
    CreateActions();
    CreateMenus();

    // The controls are made here and given their font, pictures and sizes by ApplyScale; the columns
    // take their design widths at the scale.
    ToolBar1.Create(Handle(), IDC_COOLBAR1, IDC_TOOLBAR1,
                    {&NewAct, &OpenAct, &SaveAct, nullptr, &NewUAct, &EditUAct, &DelUAct, nullptr, &NewIAct,
                     &EditIAct, &DelIAct, nullptr, &SetsAct, nullptr, &AboutAct, nullptr, &ExitAct});
    ActionList1.SetToolBar(ToolBar1.Handle());

    // The bottom edge from below: status bar, lent items box, splitter.
    StatusBar1.Create(Handle(), IDC_STATUSBAR1, nullptr, {}, 0);

    GroupBox1.Create(Handle(), IDC_GROUPBOX1, kLentItemsCaption, nullptr);
    Splitter1.Create(Handle(), IDC_SPLITTER1, ui::Splitter::Orientation::Horizontal);
    GroupBox2.Create(Handle(), IDC_GROUPBOX2, kDebtorsCaption, nullptr);
    Splitter2.Create(Handle(), IDC_SPLITTER2, ui::Splitter::Orientation::Vertical);
    GroupBox3.Create(Handle(), IDC_GROUPBOX3, kFreeItemsCaption, nullptr);

    StringGrid2.Create(GroupBox2.Handle(), IDC_STRINGGRID2, 0, 0, 0, 0, nullptr,
                       {{"Имя должника", scale_(161)}, {"Кол-во", scale_(36)}});
    ShowDolgChB = CreateChild("BUTTON", "Показать только должников", BS_AUTOCHECKBOX | WS_TABSTOP,
                              GroupBox2.Handle(), IDC_SHOWDOLGCHB, nullptr);

    // The type filter's check box shows no caption: its text, the hint, is its name for screen readers
    // (TForm1::FilterChBCustomDraw draws it). The drop-down's text is its entry, so it gets its name apart.
    FilterChB = CreateChild("BUTTON", kFilterHint, BS_AUTOCHECKBOX | WS_TABSTOP, GroupBox3.Handle(),
                            IDC_FILTERCHB, nullptr);
    FilterCB = CreateChild("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, GroupBox3.Handle(),
                           IDC_FILTERCB, nullptr);
    SetAccessibleName(FilterCB, kFilterHint);
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
    StringGrid3.Create(GroupBox3.Handle(), IDC_STRINGGRID3, 0, 0, 0, 0, nullptr,
                       {{"Описание предмета", scale_(273)}, {"Тип", scale_(131)}});
    OutSpdBtn.Create(GroupBox3.Handle(), IDC_OUTSPDBTN, "Взял в долг", 0, 0, 0, 0, nullptr, nullptr,
                     kOutPicture);
    InSpdBtn.Create(GroupBox3.Handle(), IDC_INSPDBTN, "Вернул", 0, 0, 0, 0, nullptr, nullptr, kInPicture);
    AllInSpdBtn.Create(GroupBox3.Handle(), IDC_ALLINSPDBTN, "Вернул все", 0, 0, 0, 0, nullptr, nullptr,
                       kAllInPicture);

    StringGrid1.Create(GroupBox1.Handle(), IDC_STRINGGRID1, 0, 0, 0, 0, nullptr,
                       {{"Дата", scale_(100)}, {"Описание предмета", scale_(365)}, {"Тип", scale_(185)}});

    // Each table is named for screen readers by the caption of its box.
    SetWindowTextA(StringGrid1.Handle(), TableName(kLentItemsCaption).c_str());
    SetWindowTextA(StringGrid2.Handle(), TableName(kDebtorsCaption).c_str());
    SetWindowTextA(StringGrid3.Handle(), TableName(kFreeItemsCaption).c_str());

    // The cells show the records' texts as they are at each paint.
    StringGrid2.SetTextOf(DebtorCellText);
    StringGrid3.SetTextOf(FreeItemCellText);
    StringGrid1.SetTextOf(
        [this](const TItemRec& item, int col) { return LentItemCellText(item, col, dates_); });
    StringGrid1.SetWarnsOf([this](const TItemRec& item) { return LentItemWarns(item); });
    StringGrid2.SetWarnsOf([this](const TUserRec& debtor) { return DebtorWarns(debtor); });

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

    Splitter1.PanelSize = [this] { return GroupBox1.Height(); };
    Splitter1.MaxPanelSize = [this] {
        RECT c{};
        GetClientRect(Handle(), &c);
        return c.bottom - ToolBar1.Height() - StatusBar1.Height() - scale_(kSplitterThickness) -
               Splitter1.MinSize;
    };
    Splitter1.OnCanResize = [this](int size) { return Splitter1CanResize(size); };
    Splitter1.OnResize = [this](int size) { SetPanHeight(size); };
    Splitter2.PanelSize = [this] { return GroupBox2.Width(); };
    Splitter2.MaxPanelSize = [this] {
        RECT c{};
        GetClientRect(Handle(), &c);
        return c.right - scale_(kSplitterThickness) - Splitter2.MinSize;
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

    ApplyScale();
    PlaceControls();
    ArrangePanels();
}

void TForm1::ApplyScale() {
    unique_hfont font = MakeScaledFont(scale_);
    const int set = PictureSet(scale_) * IDB_SCALE_STEP;
    const DisplayScale pictures = PictureScale(scale_);
    unique_himagelist small = LoadPictures(IDB_PICTURES16 + set, pictures(kSmallPicture));
    unique_himagelist tool = LoadPictures(IDB_PICTURES32 + set, pictures(kToolPicture));
    unique_himagelist toolDisabled = LoadPictures(IDB_PICTURES32_DISABLED + set, pictures(kToolPicture));
    unique_himagelist buttons = LoadPictures(IDB_BUTTONS + set, pictures(kSmallPicture));

    ToolBar1.SetLook({tool.get(), toolDisabled.get(),
                      SIZE{scale_(kToolButtonSize.cx), scale_(kToolButtonSize.cy)},
                      scale_(kToolSeparatorWidth), scale_(kToolBandMinHeight), scale_(kCoolBarHeight)});
    for (HWND control : {StatusBar1.Handle(), GroupBox1.Handle(), GroupBox2.Handle(), GroupBox3.Handle(),
                         StringGrid1.Handle(), StringGrid2.Handle(), StringGrid3.Handle(), ShowDolgChB,
                         FilterChB, FilterCB, OutSpdBtn.Handle(), InSpdBtn.Handle(), AllInSpdBtn.Handle()}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    std::vector<int> panels;
    for (int width : kStatusPanelWidths) {
        panels.push_back(scale_(width));
    }
    StatusBar1.SetLayout(panels, scale_(kStatusBarHeight));
    for (ui::GroupBox* box : {&GroupBox1, &GroupBox2, &GroupBox3}) {
        box->CaptionIndent = scale_(kCaptionIndent);
    }
    for (ui::StringGrid* grid :
         {static_cast<ui::StringGrid*>(&StringGrid1), static_cast<ui::StringGrid*>(&StringGrid2),
          static_cast<ui::StringGrid*>(&StringGrid3)}) {
        grid->SetScale(scale_);
    }
    for (ui::FlatButton* button : {&OutSpdBtn, &InSpdBtn, &AllInSpdBtn}) {
        button->SetPictures(buttons.get(), scale_(kButtonGlyphGap));
    }
    Splitter1.MinSize = scale_(kSplitter1MinSize);
    Splitter2.MinSize = scale_(kGroupBox2MinWidth);

    // The font and pictures of the scale before go now that nothing shows them.
    font_ = std::move(font);
    ImageList1 = std::move(small);
    ImageList2 = std::move(tool);
    ImageList2Disabled = std::move(toolDisabled);
    buttonImages_ = std::move(buttons);
}

// The design places and sizes inside the boxes, at the scale; the layout step fits them to the boxes' sizes.
void TForm1::PlaceControls() {
    const auto place = [this](HWND control, int x, int y, int width, int height) {
        SetWindowPos(control, nullptr, scale_(x), scale_(y), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(StringGrid2.Handle(), 8, 16, scale_(225), scale_(177));
    place(ShowDolgChB, 8, 200, CheckBoxWidth(ShowDolgChB, 169, scale_), scale_(17));
    place(FilterChB, 208, 18, scale_(17), scale_(17));
    // A drop-down list is as high as its font makes it; the height given is its list's.
    place(FilterCB, 224, 16, scale_(217), scale_(200));
    place(StringGrid3.Handle(), 8, 44, scale_(430), scale_(141));
    place(OutSpdBtn.Handle(), 8, 196, ButtonWidth(OutSpdBtn, 105, scale_), scale_(22));
    place(InSpdBtn.Handle(), 120, 196, ButtonWidth(InSpdBtn, 105, scale_), scale_(22));
    place(AllInSpdBtn.Handle(), 325, 196, ButtonWidth(AllInSpdBtn, 113, scale_), scale_(22));
    place(StringGrid1.Handle(), 8, 16, scale_(675), scale_(121));
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
    const int thickness = scale_(kSplitterThickness);
    const int groupBox1Top = bottom - panHeight_;
    const int splitter1Top = groupBox1Top - thickness;
    const int middle = std::max(0, splitter1Top - top);
    const int groupBox3Left = panWidth_ + thickness;

    HDWP positions = BeginDeferWindowPos(5);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    positions =
        DeferWindowPos(positions, GroupBox1.Handle(), nullptr, 0, groupBox1Top, width, panHeight_, flags);
    positions =
        DeferWindowPos(positions, Splitter1.Handle(), nullptr, 0, splitter1Top, width, thickness, flags);
    positions = DeferWindowPos(positions, GroupBox2.Handle(), nullptr, 0, top, panWidth_, middle, flags);
    positions =
        DeferWindowPos(positions, Splitter2.Handle(), nullptr, panWidth_, top, thickness, middle, flags);
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

// The layout step of creation: fits the controls to the boxes as they are after the settings were first
// read, disables the type filter until types are registered, and writes the tables' headers.
void TForm1::LayoutControls() {
    FitControls();
    EnableWindow(FilterCB, FALSE);
    EnableWindow(FilterChB, FALSE);

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

// Fits the tables, the check boxes, the filter and the buttons, from the places PlaceControls gave them, to
// the boxes, and anchors them so that they follow the boxes' sizes.
void TForm1::FitControls() {
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
                    GroupBox2.Height() - 2 * r.top - checkHeight - scale_(2), all);

    // 3. The type filter at the right edge.
    RECT combo = GroupBox::BoundsOf(FilterCB);
    const int comboWidth = combo.right - combo.left;
    const int comboHeight = combo.bottom - combo.top;
    const int comboLeft = GroupBox3.Width() - comboWidth - scale_(8);
    const RECT filterCheck = GroupBox::BoundsOf(FilterChB);
    const int checkWidth = filterCheck.right - filterCheck.left;
    GroupBox3.Place(FilterCB, comboLeft, combo.top, comboWidth, comboHeight, AnchorTop | AnchorRight);
    GroupBox3.Place(FilterChB, comboLeft - checkWidth, filterCheck.top, checkWidth,
                    filterCheck.bottom - filterCheck.top, AnchorTop | AnchorRight);

    // 4. The free items table between the filter and the buttons.
    r = GroupBox::BoundsOf(StringGrid3.Handle());
    const RECT out = GroupBox::BoundsOf(OutSpdBtn.Handle());
    const int buttonHeight = out.bottom - out.top;
    GroupBox3.Place(StringGrid3.Handle(), r.left, r.top, GroupBox3.Width() - 2 * r.left,
                    GroupBox3.Height() - combo.top - buttonHeight - comboHeight - scale_(20), all);

    // 5. The buttons along the bottom edge.
    const int buttonTop = GroupBox3.Height() - buttonHeight - scale_(8);
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
}

// Menu entries draw their pictures through HBMMENU_CALLBACK: the system draws the text, the window the
// picture, enabled or disabled as the entry is.
void TForm1::OnMeasureMenuPicture(MEASUREITEMSTRUCT* item) {
    if (item->CtlType == ODT_MENU) {
        const int side = PictureScale(scale_)(kSmallPicture);
        item->itemWidth = static_cast<UINT>(side);
        item->itemHeight = static_cast<UINT>(side);
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
    const int side = PictureScale(scale_)(kSmallPicture);
    const int x = item->rcItem.left + (item->rcItem.right - item->rcItem.left - side) / 2;
    const int y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - side) / 2;
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
    return splitter.left < client.right - scale_(kGroupBox3MinWidth) - scale_(10) ||
           newSize < GroupBox2.Width();
}

// The lent items box may always grow, and may shrink only while its splitter lies more than 100 pixels
// plus the status bar's height above the bottom of the client area.
bool TForm1::Splitter1CanResize(int newSize) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const RECT splitter = ui::GroupBox::BoundsOf(Splitter1.Handle());
    return splitter.top < client.bottom - scale_(kGroupBox1MinHeight) - StatusBar1.Height() - scale_(50) ||
           newSize > GroupBox1.Height();
}

void TForm1::OnDpiChanged(int dpi, const RECT& proposed) {
    const DisplayScale scale(dpi);
    const auto moveToProposed = [&] {
        SetWindowPos(Handle(), nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                     proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // Also while the creation puts the stored bounds back, which may lie on another monitor: from the
    // moment the controls exist they follow the window's scale.
    if (!GroupBox3.Handle() || scale == scale_) {
        moveToProposed();
        return;
    }
    // The panels and columns in design units, read at the scale before.
    const MainGeometry kept = CurrentGeometry();
    scale_ = scale;
    ApplyScale();
    moveToProposed();
    ApplyPanelsAndColumns(kept);
    PlaceControls();
    FitControls();
}
