// The main window's controls and their layout: the boxes arranged by their alignment, the controls at the
// display scale, the splitters' limits, and the window's shape as the settings file keeps it.

#include "forms/Main.h"

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

// The flat buttons' list holds each button's two states side by side.
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

// Where the work area of the window's monitor starts, from the monitor's corner: a window placement
// counts in work area coordinates, the window's rectangle in screen coordinates.
POINT WorkAreaOffset(HWND hwnd) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return POINT{monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

// The columns of ColWidth1..ColWidth7: debtors table (name, count), free items table (description, type),
// lent items table (date, description, type); each as its table (0, 1, 2 in that order) and column.
struct ColumnPlace {
    int table;
    int col;
};
constexpr ColumnPlace kColumns[7] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2}};

} // namespace

// ---- Creation and layout -----------------------------------------------------------------------------

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

    tables_.Create(GroupBox2.Handle(), GroupBox3.Handle(), GroupBox1.Handle(), scale_, StatusBar1);
    // Each table is named for screen readers by the caption of its box.
    SetWindowTextA(tables_.StringGrid1.Handle(), TableName(kLentItemsCaption).c_str());
    SetWindowTextA(tables_.StringGrid2.Handle(), TableName(kDebtorsCaption).c_str());
    SetWindowTextA(tables_.StringGrid3.Handle(), TableName(kFreeItemsCaption).c_str());
    OutSpdBtn.Create(GroupBox3.Handle(), IDC_OUTSPDBTN, "Взял в долг", 0, 0, 0, 0, nullptr, nullptr,
                     kOutPicture);
    InSpdBtn.Create(GroupBox3.Handle(), IDC_INSPDBTN, "Вернул", 0, 0, 0, 0, nullptr, nullptr, kInPicture);
    AllInSpdBtn.Create(GroupBox3.Handle(), IDC_ALLINSPDBTN, "Вернул все", 0, 0, 0, 0, nullptr, nullptr,
                       kAllInPicture);
    ConnectTables();

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
    hints_.AddRelayed(tables_.StringGrid2.Handle(), "Список должников");
    hints_.AddRelayed(tables_.StringGrid3.Handle(), "Таблица еще не одолженых предметов");
    hints_.AddRelayed(tables_.StringGrid1.Handle(), "Список предметов у выделенного должника");
    tables_.StringGrid1.SetHintTooltip(hints_.Handle());
    tables_.StringGrid2.SetHintTooltip(hints_.Handle());
    tables_.StringGrid3.SetHintTooltip(hints_.Handle());
    hints_.Add(tables_.FilterChB, kFilterHint);
    hints_.Add(tables_.FilterCB, kFilterHint);

    ApplyScale();
    PlaceControls();
    ArrangePanels();
}

// The tables' events run the window's handlers; the tables tell the window when the rows changed and
// when the timer that notices a new day must run.
void TForm1::ConnectTables() {
    ui::RecordGrid<TItemRec>& lent = tables_.StringGrid1;
    ui::RecordGrid<TUserRec>& debtors = tables_.StringGrid2;
    ui::RecordGrid<TItemRec>& free = tables_.StringGrid3;
    tables_.OnRowsChanged = [this] { UpdateCommands(); };
    tables_.OnNewDayTimer = [this](bool on) { SetTimer2Enabled(on); };
    debtors.SetPopupMenu(UserPupMnu.get(), Handle());
    free.SetPopupMenu(ItemPupMnu.get(), Handle());
    lent.SetPopupMenu(LentPupMnu.get(), Handle());
    debtors.OnDrawCell = [this](int col, int row, const ui::GridDrawState& state) {
        StringGrid2DrawCell(col, row, state);
    };
    debtors.OnKeyPress = [this](char& key) { StringGrid2KeyPress(key); };
    debtors.OnKeyUp = [this](WORD key) { StringGrid2KeyUp(key); };
    free.OnKeyPress = [this](char& key) { StringGrid3KeyPress(key); };
    free.OnKeyUp = [this](WORD key) { StringGrid3KeyUp(key); };
    free.OnDblClick = [this] { StringGrid3DblClick(); };
    lent.OnDblClick = [this] { StringGrid1DblClick(); };
    // A left press arms a drag; each item table takes a drop from the other and runs its command.
    for (ui::StringGrid* table : {static_cast<ui::StringGrid*>(&lent), static_cast<ui::StringGrid*>(&free)}) {
        table->OnMouseDown = [this, table](ui::MouseButton b, int, int) { tables_.ArmDrag(*table, b); };
        table->OnDragOver = [this, table](ui::StringGrid& s, int, int) {
            return tables_.TakesDrop(*table, s);
        };
    }
    free.OnDragDrop = [this](ui::StringGrid&, int, int) { InSpdBtnClick(); };
    lent.OnDragDrop = [this](ui::StringGrid&, int, int) { OutSpdBtnClick(); };
    // A character key counts before the filter acts on it: an entry chosen by this key applies at the next.
    for (HWND control : {tables_.FilterChB, tables_.FilterCB}) {
        FilterMessages(control, [this](const ControlMessage& m) -> std::optional<LRESULT> {
            if (m.msg == WM_CHAR) {
                FilterChBKeyPress(TypedChar(m.hwnd, m.wParam));
            }
            return std::nullopt;
        });
    }
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
                         tables_.StringGrid1.Handle(), tables_.StringGrid2.Handle(),
                         tables_.StringGrid3.Handle(), tables_.ShowDolgChB, tables_.FilterChB,
                         tables_.FilterCB, OutSpdBtn.Handle(), InSpdBtn.Handle(), AllInSpdBtn.Handle()}) {
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
    for (ui::StringGrid* grid : {static_cast<ui::StringGrid*>(&tables_.StringGrid1),
                                 static_cast<ui::StringGrid*>(&tables_.StringGrid2),
                                 static_cast<ui::StringGrid*>(&tables_.StringGrid3)}) {
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
    place(tables_.StringGrid2.Handle(), 8, 16, scale_(225), scale_(177));
    place(tables_.ShowDolgChB, 8, 200, CheckBoxWidth(tables_.ShowDolgChB, 169, scale_), scale_(17));
    place(tables_.FilterChB, 208, 18, scale_(17), scale_(17));
    // A drop-down list is as high as its font makes it; the height given is its list's.
    place(tables_.FilterCB, 224, 16, scale_(217), scale_(200));
    place(tables_.StringGrid3.Handle(), 8, 44, scale_(430), scale_(141));
    place(OutSpdBtn.Handle(), 8, 196, ButtonWidth(OutSpdBtn, 105, scale_), scale_(22));
    place(InSpdBtn.Handle(), 120, 196, ButtonWidth(InSpdBtn, 105, scale_), scale_(22));
    place(AllInSpdBtn.Handle(), 325, 196, ButtonWidth(AllInSpdBtn, 113, scale_), scale_(22));
    place(tables_.StringGrid1.Handle(), 8, 16, scale_(675), scale_(121));
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

// Fits the tables, the check boxes, the filter and the buttons, from the places PlaceControls gave them, to
// the boxes, and anchors them so that they follow the boxes' sizes.
void TForm1::FitControls() {
    using namespace ui;
    const unsigned all = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;
    RECT r;

    // 1. The lent items table fills its box.
    r = GroupBox::BoundsOf(tables_.StringGrid1.Handle());
    GroupBox1.Place(tables_.StringGrid1.Handle(), r.left, r.top, GroupBox1.Width() - 2 * r.left,
                    GroupBox1.Height() - (3 * r.top) / 2, all);

    // 2. The debtors table, with the check box below it.
    r = GroupBox::BoundsOf(tables_.StringGrid2.Handle());
    const int checkHeight = WindowHeight(tables_.ShowDolgChB);
    const RECT check = GroupBox::BoundsOf(tables_.ShowDolgChB);
    GroupBox2.Place(tables_.ShowDolgChB, check.left, GroupBox2.Height() - r.top / 2 - checkHeight,
                    check.right - check.left, checkHeight, AnchorLeft | AnchorBottom);
    GroupBox2.Place(tables_.StringGrid2.Handle(), r.left, r.top, GroupBox2.Width() - 2 * r.left,
                    GroupBox2.Height() - 2 * r.top - checkHeight - scale_(2), all);

    // 3. The type filter at the right edge.
    RECT combo = GroupBox::BoundsOf(tables_.FilterCB);
    const int comboWidth = combo.right - combo.left;
    const int comboHeight = combo.bottom - combo.top;
    const int comboLeft = GroupBox3.Width() - comboWidth - scale_(8);
    const RECT filterCheck = GroupBox::BoundsOf(tables_.FilterChB);
    const int checkWidth = filterCheck.right - filterCheck.left;
    GroupBox3.Place(tables_.FilterCB, comboLeft, combo.top, comboWidth, comboHeight, AnchorTop | AnchorRight);
    GroupBox3.Place(tables_.FilterChB, comboLeft - checkWidth, filterCheck.top, checkWidth,
                    filterCheck.bottom - filterCheck.top, AnchorTop | AnchorRight);

    // 4. The free items table between the filter and the buttons.
    r = GroupBox::BoundsOf(tables_.StringGrid3.Handle());
    const RECT out = GroupBox::BoundsOf(OutSpdBtn.Handle());
    const int buttonHeight = out.bottom - out.top;
    GroupBox3.Place(tables_.StringGrid3.Handle(), r.left, r.top, GroupBox3.Width() - 2 * r.left,
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

// ---- The window's shape --------------------------------------------------------------------------------

// The file keeps the sizes in design units, so that one file gives the same window at every display scale;
// the position stays in screen pixels.
MainGeometry TForm1::CurrentGeometry() const {
    MainGeometry g;
    RECT bounds{};
    if (IsZoomed(Handle()) || IsIconic(Handle())) {
        // The normal bounds, which the placement gives in work area coordinates.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(Handle(), &placement);
        bounds = placement.rcNormalPosition;
        const POINT offset = WorkAreaOffset(Handle());
        OffsetRect(&bounds, offset.x, offset.y);
    } else {
        GetWindowRect(Handle(), &bounds);
    }
    g.Left = bounds.left;
    g.Top = bounds.top;
    g.Width = scale_.Design(bounds.right - bounds.left);
    g.Height = scale_.Design(bounds.bottom - bounds.top);
    g.PanHeight = scale_.Design(panHeight_);
    g.PanWidth = scale_.Design(panWidth_);
    // Before the window is first shown, the state it will appear in.
    g.Maximized = IsZoomed(Handle()) || ShowMaximized;
    const ui::StringGrid* tables[] = {&tables_.StringGrid2, &tables_.StringGrid3, &tables_.StringGrid1};
    for (std::size_t i = 0; i < g.ColWidths.size(); ++i) {
        g.ColWidths[i] = scale_.Design(tables[kColumns[i].table]->ColWidth(kColumns[i].col));
    }
    return g;
}

void TForm1::PlaceBounds(const MainGeometry& g) {
    const MainGeometry now = CurrentGeometry();
    if (g.Left != now.Left || g.Top != now.Top || g.Width != now.Width || g.Height != now.Height) {
        if (IsZoomed(Handle()) || IsIconic(Handle())) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            GetWindowPlacement(Handle(), &placement);
            placement.rcNormalPosition =
                RECT{g.Left, g.Top, g.Left + scale_(g.Width), g.Top + scale_(g.Height)};
            const POINT offset = WorkAreaOffset(Handle());
            OffsetRect(&placement.rcNormalPosition, -offset.x, -offset.y);
            SetWindowPlacement(Handle(), &placement);
        } else {
            SetWindowPos(Handle(), nullptr, g.Left, g.Top, scale_(g.Width), scale_(g.Height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void TForm1::ApplyGeometry(const MainGeometry& g) {
    PlaceBounds(g);
    ApplyPanelsAndColumns(g);
    if (!IsWindowVisible(Handle())) {
        // Not shown yet: only the state in which it will appear.
        ShowMaximized = g.Maximized;
    } else if (g.Maximized != static_cast<bool>(IsZoomed(Handle()))) {
        ShowWindow(Handle(), g.Maximized ? SW_MAXIMIZE : SW_RESTORE);
    }
}

void TForm1::ApplyPanelsAndColumns(const MainGeometry& g) {
    SetPanHeight(scale_(g.PanHeight));
    SetPanWidth(scale_(g.PanWidth));
    // A column no wider than the screen, in the screen's pixels.
    const ScreenSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ui::StringGrid* tables[] = {&tables_.StringGrid2, &tables_.StringGrid3, &tables_.StringGrid1};
    for (std::size_t i = 0; i < g.ColWidths.size(); ++i) {
        tables[kColumns[i].table]->SetColWidth(kColumns[i].col,
                                               ShownColWidth(scale_(g.ColWidths[i]), screen));
    }
}
