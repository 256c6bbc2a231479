// The three tables: their controls, their refill routines, the records their selected rows stand for,
// the quick search, the type filter, the warning colours, and the arming of a drag.

#include "forms/MainTables.h"

#include "catalog/Lending.h"
#include "catalog/Search.h"
#include "catalog/TableRows.h"
#include "forms/CommandIds.h"
#include "platform/AccessibleName.h"
#include "platform/Window.h"
#include "settings/Settings.h"
#include "text/IntText.h"
#include "text/Letters.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>

namespace {

const char* const kFilterHint = "Фильтр для списка неодолженных предметов";

bool IsChecked(HWND checkBox) {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND CreateChild(const char* cls, const char* text, DWORD style, HWND parent, int id) {
    return CreateControlWindow(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, id, nullptr);
}

// A row stands for its own record; a row whose first cell is empty (the one row of an empty table, or a
// record with nothing to show there) is no row a command can act on.
template <typename Record> const Record* RecordOfSelectedRow(const ui::RecordGrid<Record>& grid) {
    const int row = grid.Row();
    const Record* record = grid.RecordOf(row);
    return record && !grid.Cell(0, row).empty() ? record : nullptr;
}

// The data row a record was filled into, or 0.
template <typename Record> int RowOfRecord(const ui::RecordGrid<Record>& table, const Record* record) {
    for (int row = 1; row < table.RowCount(); ++row) {
        if (table.RecordOf(row) == record) {
            return row;
        }
    }
    return 0;
}

// The first data row whose key text the typed key (from QuickSearchKey) lands on, or 0; a key that
// searches for nothing finds nothing. Every key starts afresh from the first row: typed letters are not
// collected into a word.
template <typename Record>
int QuickSearchRow(const ui::RecordGrid<Record>& table, char key, std::string Record::*text) {
    if (key == 0) {
        return 0;
    }
    for (int row = 1; row < table.RowCount(); ++row) {
        const Record* record = table.RecordOf(row);
        if (record && QuickSearchLandsOn(key, record->*text)) {
            return row;
        }
    }
    return 0;
}

// The row goes to the middle of the view where the table's length allows: near either end the view
// stays at that end.
void SelectRowCentered(ui::StringGrid& table, int row) {
    table.SetRow(row);
    const int visible = table.VisibleRowCount();
    const int half = visible / 2;
    const int count = table.RowCount();
    int top = row - half;
    if (row <= half) {
        top = 1;
    } else if (row >= count - half) {
        top = count - visible;
    }
    table.SetTopRow(top);
}

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

MainTables::MainTables(const Catalog& catalog, const ShortDateFormat& dates, NowClock now)
    : catalog_(catalog), dates_(dates), now_(std::move(now)) {}

// ---- The controls --------------------------------------------------------------------------------------

void MainTables::Create(HWND debtorsBox, HWND freeItemsBox, HWND lentItemsBox, const DisplayScale& scale,
                        ui::StatusBar& statusBar) {
    statusBar_ = &statusBar;
    StringGrid2.Create(debtorsBox, IDC_STRINGGRID2, 0, 0, 0, 0, nullptr,
                       {{"Имя должника", scale(161)}, {"Кол-во", scale(36)}});
    ShowDolgChB = CreateChild("BUTTON", "Показать только должников", BS_AUTOCHECKBOX | WS_TABSTOP, debtorsBox,
                              IDC_SHOWDOLGCHB);

    // The type filter's check box shows no caption: its text, the hint, is its name for screen readers
    // (FilterChBCustomDraw draws it). The drop-down's text is its entry, so it gets its name apart.
    FilterChB = CreateChild("BUTTON", kFilterHint, BS_AUTOCHECKBOX | WS_TABSTOP, freeItemsBox, IDC_FILTERCHB);
    FilterCB =
        CreateChild("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, freeItemsBox, IDC_FILTERCB);
    SetAccessibleName(FilterCB, kFilterHint);
    EnableWindow(FilterCB, FALSE);
    EnableWindow(FilterChB, FALSE);
    StringGrid3.Create(freeItemsBox, IDC_STRINGGRID3, 0, 0, 0, 0, nullptr,
                       {{"Описание предмета", scale(273)}, {"Тип", scale(131)}});
    StringGrid1.Create(lentItemsBox, IDC_STRINGGRID1, 0, 0, 0, 0, nullptr,
                       {{"Дата", scale(100)}, {"Описание предмета", scale(365)}, {"Тип", scale(185)}});

    // The cells show the records' texts as they are at each paint.
    StringGrid2.SetTextOf(DebtorCellText);
    StringGrid3.SetTextOf(FreeItemCellText);
    StringGrid1.SetTextOf(
        [this](const TItemRec& item, int col) { return LentItemCellText(item, col, dates_); });
    StringGrid1.SetWarnsOf([this](const TItemRec& item) { return LentItemWarns(item); });
    StringGrid2.SetWarnsOf([this](const TUserRec& debtor) { return DebtorWarns(debtor); });
    // A row chosen by a click, a key or another program: the lent items table follows the debtor, and the
    // commands follow the rows.
    StringGrid2.OnSelectRow = [this](int) { FollowSelectedDebtor(); };
    StringGrid3.OnSelectRow = [this](int) { RowsChanged(); };
    StringGrid1.OnSelectRow = [this](int) { RowsChanged(); };
}

void MainTables::RowsChanged() {
    if (OnRowsChanged) {
        OnRowsChanged();
    }
}

// ---- Refilling -------------------------------------------------------------------------------------------

void MainTables::FillFreeItems() {
    const int remembered = StringGrid3.Row();
    StringGrid3.Refill(FreeItemRows(catalog_.items, FilterType()));
    if (remembered < StringGrid3.RowCount()) {
        StringGrid3.SetRow(remembered);
    }
    RowsChanged();
}

void MainTables::FillUsers() {
    StringGrid2.Refill(DebtorRows(catalog_.users, IsChecked(ShowDolgChB)));
    CountLongLoans();
    RowsChanged();
}

void MainTables::FillUserItems() {
    StringGrid1.Refill(LentItemRows(catalog_.items, SelectedDebtor()));
    RowsChanged();
}

void MainTables::FillAll() {
    FillFreeItems();
    FillUsers();
    FillUserItems();
}

// After a change of holders: the free items and the debtors are listed again, the debtors table (whose
// refill selects its first row) and the free items table go back to the rows the user had selected when
// those rows still exist, and only then are the items of the selected debtor listed.
void MainTables::RefreshAfterLending() {
    const int debtorRow = StringGrid2.Row();
    const int freeRow = StringGrid3.Row();
    FillFreeItems();
    FillUsers();
    if (debtorRow < StringGrid2.RowCount()) {
        StringGrid2.SetRow(debtorRow);
    }
    if (freeRow > 0 && freeRow < StringGrid3.RowCount()) {
        StringGrid3.SetRow(freeRow);
    }
    FillUserItems();
}

void MainTables::ShowStep(StepKind kind) {
    switch (kind) {
    case StepKind::NewDebtor:
    case StepKind::EditDebtor:
        FillUsers();
        FillUserItems();
        return;
    case StepKind::DeleteDebtor:
        FillUsers();
        FillUserItems();
        FillFreeItems();
        return;
    case StepKind::NewItem:
    case StepKind::EditItem:
        ShowTypes();
        FillFreeItems();
        return;
    case StepKind::DeleteItem: FillFreeItems(); return;
    case StepKind::Lend:
    case StepKind::Return:
    case StepKind::ReturnAll: RefreshAfterLending(); return;
    }
}

// The lent items table must show the items of the debtor selected in the debtors table whenever that
// row is painted. When it already shows exactly those items, a rebuild would change nothing but move the
// user's chosen lent item back to the first row, so that a return started after a mere repaint (a focus
// change, a message box over the table) would take another item than the one selected. The commands
// follow the rows either way: the first paint of an empty catalogue finds nothing to rebuild, but must
// still disable them.
void MainTables::FollowSelectedDebtor() {
    if (LentItemRows(catalog_.items, SelectedDebtor()) != StringGrid1.Rows()) {
        FillUserItems();
    } else {
        RowsChanged();
    }
}

void MainTables::Empty() {
    StringGrid1.Refill({});
    StringGrid2.Refill({});
    StringGrid3.Refill({});
}

// ---- The selected rows -----------------------------------------------------------------------------------

const TUserRec* MainTables::SelectedDebtor() const {
    return RecordOfSelectedRow(StringGrid2);
}

const TItemRec* MainTables::SelectedFreeItem() const {
    return RecordOfSelectedRow(StringGrid3);
}

const TItemRec* MainTables::SelectedLentItem() const {
    return RecordOfSelectedRow(StringGrid1);
}

bool MainTables::DebtorHoldsShownItems() const {
    return !StringGrid1.Cell(0, 1).empty();
}

// A free item is shown in the free items table; a lent one through its holder: his row in the debtors
// table, then the item's row among his. The rows are those filled from the records themselves, so an
// item or a debtor that shares its text with another is shown, not the other. A record without a row
// leaves that table's selection as it was.
void MainTables::ShowItem(const TItemRec& item) {
    if (item.HolderId == 0) {
        if (const int row = RowOfRecord(StringGrid3, &item)) {
            SelectRowCentered(StringGrid3, row);
        }
        RowsChanged();
        return;
    }
    const TUserRec* holder = HolderOf(catalog_.users, item);
    if (!holder) {
        return;
    }
    if (const int row = RowOfRecord(StringGrid2, holder)) {
        SelectRowCentered(StringGrid2, row);
    }
    FillUserItems();
    if (const int row = RowOfRecord(StringGrid1, &item)) {
        SelectRowCentered(StringGrid1, row);
    }
    RowsChanged();
}

void MainTables::ShowRecords(const TUserRec* debtor, const TItemRec* item) {
    if (debtor) {
        if (const int row = RowOfRecord(StringGrid2, debtor)) {
            SelectRowCentered(StringGrid2, row);
        }
        FillUserItems();
    }
    if (item) {
        ShowItem(*item);
    }
}

void MainTables::QuickSearchDebtor(char key) {
    if (const int row = QuickSearchRow(StringGrid2, QuickSearchKey(key), &TUserRec::Name)) {
        SelectRowCentered(StringGrid2, row);
        FollowSelectedDebtor();
    }
}

void MainTables::QuickSearchFreeItem(char key) {
    if (const int row = QuickSearchRow(StringGrid3, QuickSearchKey(key), &TItemRec::Description)) {
        SelectRowCentered(StringGrid3, row);
        RowsChanged();
    }
}

// ---- The type filter -------------------------------------------------------------------------------------

// The type filter applies while its check box is checked and an entry is chosen, enabled or not.
const std::string* MainTables::FilterType() const {
    const LRESULT chosen = SendMessageA(FilterCB, CB_GETCURSEL, 0, 0);
    if (!FilterChecked() || chosen < 0 || chosen >= catalog_.types.Count()) {
        return nullptr;
    }
    return &catalog_.types[static_cast<int>(chosen)];
}

bool MainTables::FilterChecked() const {
    return IsChecked(FilterChB);
}

void MainTables::ShowTypes() {
    const auto shown = static_cast<int>(SendMessageA(FilterCB, CB_GETCOUNT, 0, 0));
    for (int i = std::max(shown, 0); i < catalog_.types.Count(); ++i) {
        SendMessageA(FilterCB, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(catalog_.types[i].c_str()));
    }
    ShowTypeFilterState(FilterCB, FilterChB);
}

void MainTables::SyncTypes() {
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

// The type filter's check box carries its name as its text, which it must not show: the box is drawn
// here as the system draws a check box, in the middle of the control, and while the control has the
// keyboard (and the keyboard's cues are shown) a focus rectangle around it.
LRESULT MainTables::FilterChBCustomDraw(const NMCUSTOMDRAW* draw, const DisplayScale& scale_) {
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

// ---- Things away too long ----------------------------------------------------------------------------

// One pass over the items, never one per paint: a painted row only looks its record up in what was
// counted (a debtor) or compares its date with the moment of the count (a lent item). While the setting is
// off and was off at the last count, nothing is counted, written or repainted.
void MainTables::CountLongLoans() {
    if (OnNewDayTimer) {
        OnNewDayTimer(Settings.LongLoans);
    }
    if (!Settings.LongLoans && !longLoansOn_) {
        return;
    }
    longLoansOn_ = Settings.LongLoans;
    longLoansNow_ = now_();
    longLoansDays_ = Settings.LongDays;
    longLoans_ = longLoansOn_ ? FindLongLoans(catalog_.items, longLoansNow_, longLoansDays_) : LongLoans{};
    const std::string text = longLoans_.count > 0 ? "Долго: " + IntToStr(longLoans_.count) : std::string();
    if (statusBar_ && statusBar_->Text(kLongLoansPanel) != text) {
        statusBar_->SetText(kLongLoansPanel, text);
    }
    InvalidateRect(StringGrid1.Handle(), nullptr, FALSE);
    InvalidateRect(StringGrid2.Handle(), nullptr, FALSE);
}

bool MainTables::LentItemWarns(const TItemRec& item) const {
    return longLoansOn_ && AwayTooLong(item, longLoansNow_, longLoansDays_);
}

bool MainTables::DebtorWarns(const TUserRec& debtor) const {
    return longLoans_.HeldBy(debtor);
}

// On a new day (or a clock set to another one), things lent long enough ago stand out from now on.
void MainTables::NewDayTick() {
    if (std::trunc(now_()) != std::trunc(longLoansNow_)) {
        CountLongLoans();
    }
}

// ---- Dragging
// ----------------------------------------------------------------------------------------------

void MainTables::ArmDrag(ui::StringGrid& table, ui::MouseButton button) {
    if (!table.Cell(0, table.Row()).empty() && table.Tag != 1 && button == ui::MouseButton::Left) {
        table.BeginDrag();
    }
    table.Tag = 0;
}

// Where in the table the drop lands does not matter: the commands work on the selected rows.
bool MainTables::TakesDrop(const ui::StringGrid& table, const ui::StringGrid& source) const {
    return (&table == &StringGrid1 && &source == &StringGrid3) ||
           (&table == &StringGrid3 && &source == &StringGrid1);
}
