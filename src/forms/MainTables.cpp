// The three tables: their refill routines, the records their selected rows stand for, their own
// handlers, the check boxes and the type filter list.

#include "forms/Main.h"

#include "platform/Application.h"
#include "text/IntText.h"

#include <algorithm>

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
    StringGrid3.SetRowCount(2);
    StringGrid3.ClearRow(1);

    std::string type;
    const bool filtered = ActiveFilterType(type);

    int n = 0;
    for (const auto& item : GetCatalog().items) {
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
    for (const auto& user : GetCatalog().users) {
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
        for (const auto& item : GetCatalog().items) {
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
        for (const auto& item : GetCatalog().items) {
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
    return RecordOfSelectedRow(StringGrid2, GetCatalog().users, 0, &TUserRec::Name);
}

TItemRec* TForm1::SelectedFreeItem() const {
    return RecordOfSelectedRow(StringGrid3, GetCatalog().items, 0, &TItemRec::Description);
}

TItemRec* TForm1::SelectedLentItem() const {
    return RecordOfSelectedRow(StringGrid1, GetCatalog().items, 1, &TItemRec::Description);
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
