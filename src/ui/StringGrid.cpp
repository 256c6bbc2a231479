#include "ui/StringGrid.h"

#include "ui/ControlProc.h"

#include "platform/Handles.h"
#include "platform/Subclass.h"
#include "platform/Window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace ui {

namespace {

constexpr UINT kRowState = LVIS_SELECTED | LVIS_FOCUSED;
// In design units: the platform's default drag threshold (a drag starts once the mouse is this far from
// the press), and the indent of a cell's text.
constexpr int kDragThreshold = 5;
constexpr int kTextIndent = 2;

// The message a grid posts itself to check the list's selection once a change from outside is over.
UINT CheckSelectionMessage() {
    static const UINT message = RegisterWindowMessageA("VeshStringGridCheckSelection");
    return message;
}

void SetItemState(HWND list, int item, UINT state) {
    LVITEMA change{};
    change.stateMask = kRowState;
    change.state = state;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
}

// The share of light a colour gives, as the eye weighs its parts (0 black, 1 white).
double Luminance(COLORREF colour) {
    const auto part = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * part(GetRValue(colour)) + 0.7152 * part(GetGValue(colour)) +
           0.0722 * part(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The warning colour on a background: the first of these reds, from the reddest on, that reads on it as
// well as body text should (a contrast of 4.5 to 1), else the one that reads best. The dark red on a
// window's or a greyed selection's light background; on a highlight, a light red or a deeper dark one,
// whichever the theme's highlight lets read.
COLORREF WarningTextColour(COLORREF background) {
    static constexpr COLORREF kReds[] = {RGB(176, 0, 0),     RGB(255, 200, 200), RGB(144, 0, 0),
                                         RGB(255, 224, 224), RGB(112, 0, 0),     RGB(96, 0, 0)};
    COLORREF best = kReds[0];
    double bestContrast = 0;
    for (const COLORREF red : kReds) {
        const double contrast = Contrast(red, background);
        if (contrast >= 4.5) {
            return red;
        }
        if (contrast > bestContrast) {
            best = red;
            bestContrast = contrast;
        }
    }
    return best;
}

HCURSOR DragCursor(bool accepted) {
    if (accepted) {
        // The system's "move" drag cursor lives in ole32; the arrow stands in where it is missing.
        static HCURSOR move = [] {
            HMODULE ole = GetModuleHandleA("ole32.dll");
            HCURSOR c = ole ? LoadCursorA(ole, MAKEINTRESOURCEA(2)) : nullptr;
            return c ? c : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        }();
        return move;
    }
    return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_NO));
}

} // namespace

void StringGrid::Create(HWND parent, int id, int x, int y, int width, int height, HFONT font,
                        const std::vector<Column>& columns) {
    columns_ = columns;
    // Owner data: the list asks for the cells it shows and stores nothing but the selection and the focus.
    // The grid paints the rows itself.
    HWND list = CreateControlWindow(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                        LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                        LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS,
                                    x, y, width, height, parent, id);
    SubclassControl(list, this);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SetScale(DisplayScale());
    for (size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = LVCFMT_LEFT;
        col.cx = columns_[i].width;
        col.pszText = columns_[i].title.data();
        SendMessageA(hwnd_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    rowCount_ = smallestCount_ = 2;
    SyncItemCount();
    ShowSelection();
}

void StringGrid::SetScale(const DisplayScale& scale) {
    rowHeight_ = scale(kRowHeight);
    textIndent_ = scale(kTextIndent);
    dragThreshold_ = scale(kDragThreshold);
    // A row is as high as the small images plus one pixel: images 16 high give rows of 17. The list only
    // borrows the image list; the one it had goes once the list holds the new one.
    unique_himagelist images(ImageList_Create(1, rowHeight_ - 1, ILC_COLOR, 1, 0));
    SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.get()));
    rowHeightImages_ = std::move(images);
}

StringGrid* StringGrid::FromHandle(HWND hwnd) {
    return ObjectOf<SubclassKind<StringGrid>>(hwnd);
}

int StringGrid::ColWidth(int col) const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col), 0));
}

void StringGrid::SetColWidth(int col, int width) {
    // The list view takes the width as a 16-bit signed number, whose negative values ask it to size the
    // column to its texts; a larger width would wrap into one of those.
    width = std::clamp(width, 0, 32767);
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(width, 0));
}

void StringGrid::SetTitle(int col, const std::string& title) {
    if (col < 0 || col >= ColCount()) {
        return;
    }
    columns_[static_cast<size_t>(col)].title = title;
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT;
    c.pszText = columns_[static_cast<size_t>(col)].title.data();
    SendMessageA(hwnd_, LVM_SETCOLUMNA, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&c));
}

void StringGrid::SetRowCount(int count) {
    count = std::max(count, 2);
    rowCount_ = count;
    smallestCount_ = std::min(smallestCount_, count);
    if (row_ >= rowCount_) {
        row_ = rowCount_ - 1;
        ShowSelection();
    }
    // The rows' texts may all have changed.
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void StringGrid::SyncItemCount() const {
    if (listedCount_ == rowCount_) {
        return;
    }
    // As a shrinking grid does, the view's top row moves up so that the smallest count set fitted the view.
    const int top = static_cast<int>(SendMessageA(hwnd_, LVM_GETTOPINDEX, 0, 0)) + 1;
    const int visible = static_cast<int>(SendMessageA(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
    const int newTop = std::min(top, std::max(1, smallestCount_ - visible));
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rowCount_ - 1), LVSICF_NOSCROLL);
    listedCount_ = rowCount_;
    smallestCount_ = rowCount_;
    const int nowTop = static_cast<int>(SendMessageA(hwnd_, LVM_GETTOPINDEX, 0, 0)) + 1;
    if (newTop < nowTop) {
        ScrollRows(newTop - nowTop);
    }
}

void StringGrid::ScrollRows(int rows) const {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(hwnd_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    const int height = r.bottom > r.top ? r.bottom - r.top : rowHeight_;
    SendMessageA(hwnd_, LVM_SCROLL, 0, rows * height);
}

std::string StringGrid::Cell(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_) {
        return {};
    }
    return row == 0 ? columns_[static_cast<size_t>(col)].title : CellText(col, row);
}

void StringGrid::SetRow(int row) {
    if (row < 1 || row >= rowCount_) {
        return;
    }
    SyncItemCount();
    if (row != row_) {
        InvalidateRow(row_);
        row_ = row;
        InvalidateRow(row_);
        ShowSelection();
    }
    SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row_ - 1), FALSE);
}

void StringGrid::SelectRow(int row) {
    if (row < 1 || row >= rowCount_) {
        return;
    }
    const bool changed = row != row_;
    SetRow(row);
    if (changed && OnSelectRow) {
        OnSelectRow(row);
    }
}

// Only the item that held the selection and the new one change: the list would deselect the old one by
// itself, but a single-selection owner-data list under Wine does that by walking all its items (tens of
// milliseconds at 100,000 rows). With nothing selected any more it has nothing to walk.
void StringGrid::ShowSelection() {
    if (!hwnd_) {
        return;
    }
    const int item = row_ - 1;
    if (item + 1 >= listedCount_) {
        SyncItemCount();
    }
    settingState_ = true;
    if (shownItem_ >= 0 && shownItem_ != item && shownItem_ + 1 < listedCount_) {
        SetItemState(hwnd_, shownItem_, 0);
    }
    SetItemState(hwnd_, item, kRowState);
    shownItem_ = item;
    settingState_ = false;
}

// The selected and focused states are the grid's: a change that gives them to a row chooses that row, as a
// click does, and one that takes them away changes nothing, since a table always has its selected row.
// Taken here rather than by the list, because the list would deselect the old row by walking all items.
UINT StringGrid::TakeRowStates(int item, UINT state, UINT stateMask) {
    if (item >= 0 && (state & stateMask & kRowState)) {
        SelectRow(item + 1);
    }
    return stateMask & ~kRowState;
}

// The list changed an item's state by itself (every change from outside is taken before it reaches the
// list). It may be in the middle of its own steps, deselecting one item and then moving the focus: the
// selected row is shown again once they are over.
void StringGrid::OnItemChanged() {
    if (!checkPending_) {
        checkPending_ = true;
        PostMessageA(hwnd_, CheckSelectionMessage(), 0, 0);
    }
}

void StringGrid::CheckSelection() {
    checkPending_ = false;
    SyncItemCount();
    const auto state = static_cast<UINT>(
        SendMessageA(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(row_ - 1), static_cast<LPARAM>(kRowState)));
    if (state != kRowState) {
        shownItem_ = -1;
        ShowSelection();
    }
}

int StringGrid::TopRow() const {
    SyncItemCount();
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETTOPINDEX, 0, 0)) + 1;
}

void StringGrid::SetTopRow(int row) {
    SyncItemCount();
    row = std::clamp(row, 1, rowCount_ - 1);
    const int delta = row - TopRow();
    if (delta != 0) {
        ScrollRows(delta);
    }
}

int StringGrid::VisibleRowCount() const {
    SyncItemCount();
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
}

void StringGrid::SetPopupMenu(HMENU menu, HWND commandTarget) {
    popup_ = menu;
    commandTarget_ = commandTarget;
}

void StringGrid::InvalidateRow(int row) {
    if (!hwnd_ || row < 1 || row >= rowCount_) {
        return;
    }
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r))) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        r.left = client.left;
        r.right = client.right;
        InvalidateRect(hwnd_, &r, FALSE);
    }
}

int StringGrid::RowAt(int y) const {
    SyncItemCount();
    const int top = static_cast<int>(SendMessageA(hwnd_, LVM_GETTOPINDEX, 0, 0));
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&r))) {
        return -1;
    }
    const int height = r.bottom > r.top ? r.bottom - r.top : rowHeight_;
    if (y < r.top) {
        return -1;
    }
    const int item = top + (y - r.top) / height;
    return item + 1 < rowCount_ ? item + 1 : -1;
}

void StringGrid::MoveBy(int rows) {
    SelectRow(std::clamp(row_ + rows, 1, rowCount_ - 1));
}

void StringGrid::PressAt(MouseButton button, int x, int y) {
    if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
    }
    dragStart_ = POINT{x, y};
    // A press on a data row selects it, as in any list; on the header or below the rows it selects nothing.
    const int row = RowAt(y);
    if (row > 0 && button != MouseButton::Middle) {
        SelectRow(row);
    }
    if (OnMouseDown) {
        OnMouseDown(button, x, y);
    }
}

void StringGrid::BeginDrag() {
    dragArmed_ = true;
    dragging_ = false;
    dragTarget_ = nullptr;
    SetCapture(hwnd_);
}

StringGrid* StringGrid::GridAt(int x, int y, POINT& targetPoint) const {
    POINT screen{x, y};
    ClientToScreen(hwnd_, &screen);
    HWND under = WindowFromPoint(screen);
    StringGrid* grid = FromHandle(under);
    if (!grid && under) {
        grid = FromHandle(GetParent(under)); // the header of a grid
    }
    if (grid) {
        targetPoint = screen;
        ScreenToClient(grid->hwnd_, &targetPoint);
    }
    return grid;
}

void StringGrid::DragMove(int x, int y) {
    POINT at{};
    StringGrid* target = GridAt(x, y, at);
    const bool accepted = target && target->OnDragOver && target->OnDragOver(*this, at.x, at.y);
    dragTarget_ = accepted ? target : nullptr;
    SetCursor(DragCursor(accepted));
}

void StringGrid::DragEnd(int x, int y, bool drop) {
    const bool wasDragging = dragging_;
    dragArmed_ = false;
    dragging_ = false;
    dragTarget_ = nullptr;
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    if (!wasDragging || !drop) {
        return;
    }
    POINT at{};
    StringGrid* target = GridAt(x, y, at);
    if (target && target->OnDragOver && target->OnDragOver(*this, at.x, at.y) && target->OnDragDrop) {
        target->OnDragDrop(*this, at.x, at.y);
    }
}

void StringGrid::ShowPopup(int screenX, int screenY) {
    if (!popup_) {
        return;
    }
    TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screenX, screenY, 0,
                   commandTarget_ ? commandTarget_ : GetParent(hwnd_), nullptr);
}

void StringGrid::PaintRow(HDC dc, int item, const RECT& rowRect) {
    const int row = item + 1;
    const bool selected = row == row_;
    const bool hasFocus = GetFocus() == hwnd_;
    // The selected row of the grid with the focus stands out; in the others it stays visible, greyed, as a
    // list shows its selection while another control has the focus.
    const bool highlighted = selected && hasFocus;
    const COLORREF background = GetSysColor(highlighted ? COLOR_HIGHLIGHT
                                            : selected  ? COLOR_BTNFACE
                                                        : COLOR_WINDOW);
    const COLORREF text = RowWarns(row) ? WarningTextColour(background)
                                        : GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    unique_hbrush brush(CreateSolidBrush(background));

    int x = rowRect.left;
    for (int col = 0; col < ColCount(); ++col) {
        const int width = ColWidth(col);
        // The grid lines on the right and bottom edges stay visible.
        RECT cell{x, rowRect.top, x + width - 1, rowRect.bottom - 1};
        FillRect(dc, &cell, brush.get());
        RECT textRect = cell;
        textRect.left += textIndent_;
        const std::string value = Cell(col, row);
        DrawTextA(dc, value.data(), static_cast<int>(value.size()), &textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (OnDrawCell) {
            GridDrawState state;
            state.selected = selected;
            state.focused = selected && hasFocus && col == 0;
            OnDrawCell(col, row, state);
        }
        x += width;
    }
    if (selected && hasFocus) {
        RECT focus{rowRect.left, rowRect.top, x - 1, rowRect.bottom - 1};
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawFocusRect(dc, &focus);
    }
}

LRESULT StringGrid::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const int item = static_cast<int>(draw->nmcd.dwItemSpec);
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        PaintRow(draw->nmcd.hdc, item, r);
        return CDRF_SKIPDEFAULT;
    }
    }
    return CDRF_DODEFAULT;
}

void StringGrid::OnPaint() {
    SyncItemCount();
    PaintDC paint(hwnd_);
    HDC dc = paint.get();
    const RECT& area = paint.Area();
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (client.right > 0 && client.bottom > 0 && !IsRectEmpty(&area)) {
        // Painted off screen and copied at once: no background erase shows between frames. Only the rows
        // that need it are painted: a change of selection repaints two rows, not the whole view.
        MemoryDC memory(dc);
        unique_hbitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        SelectObjectGuard select(memory.get(), bitmap.get());
        IntersectClipRect(memory.get(), area.left, area.top, area.right, area.bottom);
        FillRect(memory.get(), &area, GetSysColorBrush(COLOR_WINDOW));
        Base(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(),
               area.left, area.top, SRCCOPY);
    }
}

bool StringGrid::HandleNotify(const NMHDR* header, LRESULT& result) {
    if (header->hwndFrom != hwnd_) {
        return false;
    }
    switch (header->code) {
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
        return true;
    case LVN_GETDISPINFOA: {
        // Readers of the list's text (LVM_GETITEMTEXT, accessibility) get the cells.
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header));
        if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
            const std::string value = Cell(info->item.iSubItem, info->item.iItem + 1);
            lstrcpynA(info->item.pszText, value.c_str(), info->item.cchTextMax);
        }
        result = 0;
        return true;
    }
    case LVN_GETDISPINFOW: {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header));
        if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
            const std::string value = Cell(info->item.iSubItem, info->item.iItem + 1);
            const int n = MultiByteToWideChar(1251, 0, value.data(), static_cast<int>(value.size()),
                                              info->item.pszText, info->item.cchTextMax - 1);
            info->item.pszText[n] = L'\0';
        }
        result = 0;
        return true;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: result = -1; return true; // typed letters are the owner's quick search
    case LVN_ITEMCHANGED:
        if (!settingState_) {
            OnItemChanged();
        }
        result = 0;
        return true;
    }
    return false;
}

LRESULT StringGrid::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CheckSelectionMessage()) {
        CheckSelection();
        return 0;
    }
    if (hintTooltip_ && ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_MOUSELEAVE)) {
        MSG relayed{hwnd_, msg, wParam, lParam, 0, {}};
        SendMessageA(hintTooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
    // Another program counting the rows finds them all, also before the next paint tells the list.
    case LVM_GETITEMCOUNT: SyncItemCount(); break;
    // Another program sets item states, as accessibility clients do to select a row.
    case LVM_SETITEMSTATE:
        // An item that is no row is refused, as the list refuses it (-1 stands for every item).
        if (!settingState_ && (static_cast<int>(wParam) < -1 || static_cast<int>(wParam) >= rowCount_ - 1)) {
            return FALSE;
        }
        if (!settingState_ && lParam) {
            const auto* change = reinterpret_cast<const LVITEMW*>(lParam);
            LVITEMW rest{};
            rest.state = change->state;
            rest.stateMask = TakeRowStates(static_cast<int>(wParam), change->state, change->stateMask);
            return rest.stateMask ? Base(msg, wParam, reinterpret_cast<LPARAM>(&rest)) : TRUE;
        }
        break;
    case LVM_SETITEMA:
    case LVM_SETITEMW:
        if (lParam && reinterpret_cast<const LVITEMW*>(lParam)->mask == LVIF_STATE) {
            const auto* change = reinterpret_cast<const LVITEMW*>(lParam);
            if (change->iItem < 0 || change->iItem >= rowCount_ - 1) {
                return FALSE;
            }
            LVITEMW rest{};
            rest.state = change->state;
            rest.stateMask = TakeRowStates(change->iItem, change->state, change->stateMask);
            return rest.stateMask ? Base(LVM_SETITEMSTATE, static_cast<WPARAM>(change->iItem),
                                         reinterpret_cast<LPARAM>(&rest))
                                  : TRUE;
        }
        break;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: OnPaint(); return 0;
    case WM_LBUTTONDOWN: PressAt(MouseButton::Left, x, y); return 0;
    case WM_RBUTTONDOWN: PressAt(MouseButton::Right, x, y); return 0;
    case WM_MBUTTONDOWN: PressAt(MouseButton::Middle, x, y); return 0;
    case WM_LBUTTONDBLCLK:
        // A double click is a double-click event followed by a second press.
        if (GetFocus() != hwnd_) {
            SetFocus(hwnd_);
        }
        if (OnDblClick) {
            OnDblClick();
        }
        PressAt(MouseButton::Left, x, y);
        return 0;
    case WM_RBUTTONDBLCLK: PressAt(MouseButton::Right, x, y); return 0;
    case WM_MOUSEMOVE:
        if (dragArmed_ && (wParam & MK_LBUTTON)) {
            if (!dragging_ && (std::abs(x - dragStart_.x) >= dragThreshold_ ||
                               std::abs(y - dragStart_.y) >= dragThreshold_)) {
                dragging_ = true;
            }
            if (dragging_) {
                DragMove(x, y);
            }
            return 0;
        }
        if (dragArmed_) {
            DragEnd(x, y, false); // the button was released elsewhere
        }
        break;
    case WM_LBUTTONUP:
        if (dragArmed_) {
            DragEnd(x, y, true);
        }
        return 0;
    case WM_RBUTTONUP: {
        POINT p{x, y};
        ClientToScreen(hwnd_, &p);
        ShowPopup(p.x, p.y);
        return 0;
    }
    case WM_CONTEXTMENU: {
        SyncItemCount();
        POINT p{x, y};
        if (lParam == -1) {
            // From the keyboard: under the selected row.
            RECT r{};
            r.left = LVIR_BOUNDS;
            SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(row_ - 1), reinterpret_cast<LPARAM>(&r));
            p = POINT{r.left + 8, r.bottom};
            ClientToScreen(hwnd_, &p);
        }
        ShowPopup(p.x, p.y);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (dragArmed_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
            DragEnd(0, 0, false);
        }
        break;
    case WM_SETCURSOR:
        if (dragging_) {
            SetCursor(DragCursor(dragTarget_ != nullptr));
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_ESCAPE:
            if (dragArmed_) {
                DragEnd(0, 0, false);
            }
            return 0;
        case VK_UP: MoveBy(-1); return 0;
        case VK_DOWN: MoveBy(1); return 0;
        case VK_PRIOR: MoveBy(-std::max(VisibleRowCount() - 1, 1)); return 0;
        case VK_NEXT: MoveBy(std::max(VisibleRowCount() - 1, 1)); return 0;
        case VK_HOME: SelectRow(1); return 0;
        case VK_END: SelectRow(rowCount_ - 1); return 0;
        case VK_LEFT:
        case VK_RIGHT: break; // the list scrolls sideways
        default: return 0;    // the list's own selection keys stay unused
        }
        break;
    case WM_KEYUP:
        if (OnKeyUp) {
            OnKeyUp(static_cast<WORD>(wParam));
        }
        return 0;
    case WM_CHAR: {
        if (OnKeyPress) {
            char key = TypedChar(hwnd_, wParam);
            OnKeyPress(key);
        }
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The selected row shows whether the grid has the focus.
        InvalidateRow(row_);
        break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    return Base(msg, wParam, lParam);
}

} // namespace ui
