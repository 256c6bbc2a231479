#include "forms/LoansUnit.h"

#include "platform/Dpi.h"
#include "ui/OwnerData.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

namespace {

// Design units (pixels at 100 %).
constexpr int kClientWidth = 460;
constexpr int kClientHeight = 300;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kListHeight = kClientHeight - 3 * kMargin - kButtonHeight;
// Room a cell and a column title take besides their text.
constexpr int kCellPadding = 16;
// A day as the short date format writes it, for the room of the date columns.
const char* const kSampleDate = "00.00.0000";

const char* const kListName = "История выдач";
const char* const kTitles[3] = {"Предмет", "Выдан", "Возвращён"};

} // namespace

TLoansForm::TLoansForm(HWND owner) {
    CreateFrame(owner, kListName, kStyle, kExStyle, kClientWidth, kClientHeight);
    FormCreate();
}

void TLoansForm::FormCreate() {
    // The list's window text is its name for screen readers, whoever's loans it shows.
    ListView1 = CreateControl(
        WC_LISTVIEWA, kListName,
        WS_VISIBLE | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
        WS_EX_CLIENTEDGE, kMargin, kMargin, kClientWidth - 2 * kMargin, kListHeight, IDC_LOANSLIST);
    SendMessageA(ListView1, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kTitles[i]);
        column.iSubItem = i;
        SendMessageA(ListView1, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    CloseBtn = CreateControl("BUTTON", "Закрыть", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0,
                             kClientWidth - kMargin - kButtonWidth, kClientHeight - kMargin - kButtonHeight,
                             kButtonWidth, kButtonHeight, IDC_LOANSCLOSE);
    SendMessageA(Handle(), DM_SETDEFID, IDC_LOANSCLOSE, 0);
    LayOut();
}

// The date columns hold a date and their titles in the list's font at the dialog's scale; the first column
// takes the rest, less the room of a scroll bar whether or not one shows.
void TLoansForm::Arrange() {
    int dateWidth = TextRoom(ListView1, kSampleDate).cx;
    for (int column = 1; column < 3; ++column) {
        dateWidth = std::max<int>(dateWidth, TextRoom(ListView1, kTitles[column]).cx);
        if (!rows_.empty()) {
            dateWidth = std::max<int>(dateWidth, TextRoom(ListView1, CellText(0, column)).cx);
        }
    }
    const int datePixels = Scale()(dateWidth + kCellPadding);
    RECT client{};
    GetClientRect(ListView1, &client);
    const int scrollBar = SystemMetricAt(SM_CXVSCROLL, Scale());
    const int namePixels = std::max<int>(Scale()(kCellPadding), client.right - scrollBar - 2 * datePixels);
    SendMessageA(ListView1, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(namePixels, 0));
    SendMessageA(ListView1, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(datePixels, 0));
    SendMessageA(ListView1, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(datePixels, 0));
}

INT_PTR TLoansForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE; // focus is placed when the window is shown
    case WM_CLOSE: EndModal(false); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: EndModal(true); return TRUE;
        case IDCANCEL: EndModal(false); return TRUE;
        }
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (ListView1Notify(reinterpret_cast<const NMHDR*>(lParam), result)) {
            SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE; // other notifications keep their default results
    }
    }
    return FALSE;
}

const std::string& TLoansForm::CellText(int row, int column) const {
    const LoanRow& loan = rows_[static_cast<std::size_t>(row)];
    return column == 0 ? loan.name : column == 1 ? loan.lent : loan.returned;
}

bool TLoansForm::ListView1Notify(const NMHDR* header, LRESULT& result) {
    if (header->hwndFrom != ListView1) {
        return false;
    }
    result = 0;
    const int count = static_cast<int>(rows_.size());
    switch (header->code) {
    case LVN_GETDISPINFOA: {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header))->item;
        if (item.iItem >= 0 && item.iItem < count) {
            ui::GiveItemText(item, CellText(item.iItem, item.iSubItem));
        }
        return true;
    }
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))->item;
        if (item.iItem >= 0 && item.iItem < count) {
            ui::GiveItemText(item, CellText(item.iItem, item.iSubItem));
        }
        return true;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
        result =
            ui::FindItemRow(header, count, [this](int row) { return std::string_view(CellText(row, 0)); });
        return true;
    }
    return false;
}

void TLoansForm::ShowLoans(const std::string& caption, const std::string& nameColumn,
                           const std::vector<LoanRow>& rows) {
    CheckNotShown();
    SetWindowTextA(Handle(), caption.c_str());
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(nameColumn.c_str());
    SendMessageA(ListView1, LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

    rows_ = rows;
    SendMessageA(ListView1, LVM_SETITEMCOUNT, rows_.size(), 0);
    if (!rows_.empty()) {
        // The newest loan has the keyboard, so the arrows start from it.
        LVITEMA first{};
        first.stateMask = first.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(ListView1, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    }
    Arrange();
    ShowModal(ListView1);

    // The rows go with the window; the next showing starts at the top with nothing selected.
    SendMessageA(ListView1, LVM_SETITEMCOUNT, 0, 0);
    rows_ = {};
}
