#include "ui/CheckList.h"

#include "platform/Dpi.h"
#include "ui/OwnerData.h"

#include <algorithm>

namespace ui {

namespace {

// The list view's check box images: 1 unchecked, 2 checked.
UINT CheckImage(bool checked) {
    return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}

} // namespace

void CheckList::Attach(HWND list) {
    hwnd_ = list;
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // The check boxes are asked for with the texts.
    SendMessageA(hwnd_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    FitColumn();
}

void CheckList::FitColumn() {
    // Room for the scroll bar whether or not it shows now: rows come and go.
    RECT client{};
    GetClientRect(hwnd_, &client);
    const bool scrolls = (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VSCROLL) != 0;
    const int width = client.right - (scrolls ? 0 : SystemMetricAt(SM_CXVSCROLL, DisplayScale::Of(hwnd_)));
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(std::max(width, 0), 0));
}

void CheckList::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    checked_.assign(items_.size(), 0);
    checkedCount_ = 0;
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, items_.size(), 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (!items_.empty()) {
        LVITEMA first{};
        first.stateMask = first.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(hwnd_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
        SendMessageA(hwnd_, LVM_ENSUREVISIBLE, 0, FALSE);
    }
}

bool CheckList::Checked(int row) const {
    return row >= 0 && row < Count() && checked_[static_cast<size_t>(row)] != 0;
}

void CheckList::Toggle(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    char& checked = checked_[static_cast<size_t>(row)];
    checked = !checked;
    checkedCount_ += checked ? 1 : -1;
    SendMessageA(hwnd_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
    if (OnClickCheck) {
        OnClickCheck();
    }
}

bool CheckList::HandleNotify(const NMHDR* header, LRESULT& result) {
    if (header->hwndFrom != hwnd_) {
        return false;
    }
    result = 0;
    switch (header->code) {
    case LVN_GETDISPINFOA: {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header));
        LVITEMA& item = info->item;
        if (item.iItem < 0 || item.iItem >= Count()) {
            return true;
        }
        GiveItemText(item, items_[static_cast<size_t>(item.iItem)]);
        if (item.mask & LVIF_STATE) {
            item.state = (item.state & ~LVIS_STATEIMAGEMASK) | CheckImage(Checked(item.iItem));
        }
        return true;
    }
    case LVN_GETDISPINFOW: {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header));
        LVITEMW& item = info->item;
        if (item.iItem < 0 || item.iItem >= Count()) {
            return true;
        }
        GiveItemText(item, items_[static_cast<size_t>(item.iItem)]);
        if (item.mask & LVIF_STATE) {
            item.state = (item.state & ~LVIS_STATEIMAGEMASK) | CheckImage(Checked(item.iItem));
        }
        return true;
    }
    case NM_CLICK: {
        // A press on a row's box; the list view reports it without acting on it.
        const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
        LVHITTESTINFO hit{};
        hit.pt = click->ptAction;
        SendMessageA(hwnd_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
            Toggle(hit.iItem);
        }
        return true;
    }
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_SPACE) {
            Toggle(static_cast<int>(
                SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
        }
        return true;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
        result = FindItemRow(header, Count(),
                             [this](int row) { return std::string_view(items_[static_cast<size_t>(row)]); });
        return true;
    }
    return false;
}

} // namespace ui
