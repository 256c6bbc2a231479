// The three tables: their refill routines, the records their selected rows stand for, their own
// handlers, the check boxes and the type filter list.

#include "forms/Main.h"

#include "catalog/TableRows.h"
#include "platform/Application.h"
#include "text/IntText.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>

namespace {

bool IsChecked(HWND checkBox) {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

// The type filter applies while its check box is checked and an entry is chosen, enabled or not.
bool TForm1::ActiveFilterType(std::string& type) const {
    const LRESULT chosen = SendMessageA(FilterCB, CB_GETCURSEL, 0, 0);
    if (!FilterChecked() || chosen == CB_ERR) {
        return false;
    }
    const LRESULT length = SendMessageA(FilterCB, CB_GETLBTEXTLEN, static_cast<WPARAM>(chosen), 0);
    type.assign(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    SendMessageA(FilterCB, CB_GETLBTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(type.data()));
    type.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return true;
}

bool TForm1::FilterChecked() const {
    return IsChecked(FilterChB);
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
    std::string type;
    const bool filtered = ActiveFilterType(type);
    StringGrid3.Refill(FreeItemRows(GetCatalog().items, filtered ? &type : nullptr));
    if (remembered < StringGrid3.RowCount()) {
        StringGrid3.SetRow(remembered);
    }
    UpdateCommands();
}

void TForm1::FillUsers() {
    StringGrid2.Refill(DebtorRows(GetCatalog().users, IsChecked(ShowDolgChB)));
    CountLongLoans();
    UpdateCommands();
}

void TForm1::FillUserItems() {
    StringGrid1.Refill(LentItemRows(GetCatalog().items, SelectedDebtor()));
    UpdateCommands();
}

// The lent items table must show the items of the debtor selected in the debtors table whenever that
// row is painted. When it already shows exactly those items, a rebuild would change nothing but move the
// user's chosen lent item back to the first row, so that a return started after a mere repaint (a focus
// change, a message box over the table) would take another item than the one selected. The commands
// follow the rows either way: the first paint of an empty catalogue finds nothing to rebuild, but must
// still disable them.
void TForm1::FollowSelectedDebtor() {
    if (LentItemRows(GetCatalog().items, SelectedDebtor()) != StringGrid1.Rows()) {
        FillUserItems();
    } else {
        UpdateCommands();
    }
}

// Before records leave the lists wholesale (New, the window's end), the tables let go of them.
void TForm1::EmptyTables() {
    StringGrid1.Refill({});
    StringGrid2.Refill({});
    StringGrid3.Refill({});
}

// ---- Things away too long ----------------------------------------------------------------------------

// One pass over the items, never one per paint: a painted row only looks its record up in what was
// counted (a debtor) or compares its date with the moment of the count (a lent item). While the setting is
// off and was off at the last count, nothing is counted, written or repainted.
void TForm1::CountLongLoans() {
    SetTimer2Enabled(Settings.LongLoans);
    if (!Settings.LongLoans && !longLoansOn_) {
        return;
    }
    longLoansOn_ = Settings.LongLoans;
    longLoansNow_ = now_();
    longLoansDays_ = Settings.LongDays;
    longLoans_ =
        longLoansOn_ ? FindLongLoans(GetCatalog().items, longLoansNow_, longLoansDays_) : LongLoans{};
    const std::string text = longLoans_.count > 0 ? "Долго: " + IntToStr(longLoans_.count) : std::string();
    if (StatusBar1.Text(kLongLoansPanel) != text) {
        SetStatusText(kLongLoansPanel, text);
    }
    InvalidateRect(StringGrid1.Handle(), nullptr, FALSE);
    InvalidateRect(StringGrid2.Handle(), nullptr, FALSE);
}

bool TForm1::LentItemWarns(const TItemRec& item) const {
    return longLoansOn_ && AwayTooLong(item, longLoansNow_, longLoansDays_);
}

bool TForm1::DebtorWarns(const TUserRec& debtor) const {
    return longLoans_.HeldBy(debtor);
}

// A tick of Timer2, every minute while the setting is on: on a new day (or a clock set to another one),
// things lent long enough ago stand out from now on.
void TForm1::Timer2Timer() {
    if (std::trunc(now_()) != std::trunc(longLoansNow_)) {
        CountLongLoans();
    }
}

// ---- The records of the selected rows ----------------------------------------------------------------

namespace {

// A row stands for its own record; a row whose first cell is empty (the one row of an empty table, or a
// record with nothing to show there) is no row a command can act on.
template <typename Record> Record* RecordOfSelectedRow(const ui::RecordGrid<Record>& grid) {
    const int row = grid.Row();
    Record* record = grid.RecordOf(row);
    return record && !grid.Cell(0, row).empty() ? record : nullptr;
}

} // namespace

TUserRec* TForm1::SelectedDebtor() const {
    return RecordOfSelectedRow(StringGrid2);
}

TItemRec* TForm1::SelectedFreeItem() const {
    return RecordOfSelectedRow(StringGrid3);
}

TItemRec* TForm1::SelectedLentItem() const {
    return RecordOfSelectedRow(StringGrid1);
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

void TForm1::ShowDolgChBClick() {
    FillUsers();
}

void TForm1::FilterChBClick() {
    FillFreeItems();
}

void TForm1::FilterChBKeyPress(char) {
    FillFreeItems();
}

// The type filter's check box carries its name as its text, which it must not show: the box is drawn
// here as the system draws a check box, in the middle of the control, and while the control has the
// keyboard (and the keyboard's cues are shown) a focus rectangle around it.
LRESULT TForm1::FilterChBCustomDraw(const NMCUSTOMDRAW* draw) {
    if (draw->dwDrawStage != CDDS_PREPAINT) {
        return CDRF_DODEFAULT;
    }
    const HWND box = draw->hdr.hwndFrom;
    RECT client{};
    GetClientRect(box, &client);
    const int side = std::min<int>({scale_(13), client.right, client.bottom});
    RECT mark{(client.right - side) / 2, (client.bottom - side) / 2, 0, 0};
    mark.right = mark.left + side;
    mark.bottom = mark.top + side;
    const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const bool disabled = (draw->uItemState & CDIS_DISABLED) || !IsWindowEnabled(box);
    const bool pushed = (draw->uItemState & CDIS_SELECTED) != 0;
    if (HTHEME theme = OpenThemeData(box, L"BUTTON")) {
        const int state = disabled ? (checked ? CBS_CHECKEDDISABLED : CBS_UNCHECKEDDISABLED)
                          : pushed ? (checked ? CBS_CHECKEDPRESSED : CBS_UNCHECKEDPRESSED)
                          : (draw->uItemState & CDIS_HOT)
                              ? (checked ? CBS_CHECKEDHOT : CBS_UNCHECKEDHOT)
                              : (checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL);
        DrawThemeBackground(theme, draw->hdc, BP_CHECKBOX, state, &mark, nullptr);
        CloseThemeData(theme);
    } else {
        DrawFrameControl(draw->hdc, &mark, DFC_BUTTON,
                         DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) | (pushed ? DFCS_PUSHED : 0) |
                             (disabled ? DFCS_INACTIVE : 0));
    }
    const bool cuesHidden = (SendMessageA(box, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if (GetFocus() == box && !cuesHidden) {
        SetTextColor(draw->hdc, GetSysColor(COLOR_WINDOWTEXT));
        DrawFocusRect(draw->hdc, &client);
    }
    return CDRF_SKIPDEFAULT;
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
    if (GetCatalog().types.Add(type)) {
        const std::string entry(type);
        SendMessageA(FilterCB, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ShowTypeFilterState(FilterCB, FilterChB);
}

void TForm1::SyncTypeFilter() {
    const LRESULT chosen = SendMessageA(FilterCB, CB_GETCURSEL, 0, 0);
    SendMessageA(FilterCB, WM_SETREDRAW, FALSE, 0);
    SendMessageA(FilterCB, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : GetCatalog().types.Entries()) {
        SendMessageA(FilterCB, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    if (chosen != CB_ERR && chosen < GetCatalog().types.Count()) {
        SendMessageA(FilterCB, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    }
    SendMessageA(FilterCB, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FilterCB, nullptr, TRUE);
    ShowTypeFilterState(FilterCB, FilterChB);
}

void TForm1::ClearTypeFilter() {
    GetCatalog().types.Clear();
    SendMessageA(FilterCB, CB_RESETCONTENT, 0, 0);
    ShowTypeFilterState(FilterCB, FilterChB);
}
