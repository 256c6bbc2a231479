#include "ui/CheckList.h"

#include "platform/Dpi.h"
#include "text/Letters.h"

#include <algorithm>

namespace ui {

namespace {

// The list view's check box images: 1 unchecked, 2 checked.
UINT CheckImage(bool checked) {
    return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}

std::string AnsiText(const wchar_t* text) {
    const int size = WideCharToMultiByte(1251, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(1251, 0, text, -1, ansi.data(), size, nullptr, nullptr);
    ansi.resize(ansi.find('\0'));
    return ansi;
}

std::wstring WideText(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(std::max(n, 0)));
    return wide;
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

int CheckList::FindRow(std::string_view text, UINT flags, int start) const {
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL)) || Count() == 0) {
        return -1;
    }
    start = start >= 0 && start < Count() ? start : 0;
    const int rows = flags & LVFI_WRAP ? Count() : Count() - start;
    for (int i = 0; i < rows; ++i) {
        const int row = (start + i) % Count();
        std::string_view item = items_[static_cast<size_t>(row)];
        if (flags & LVFI_PARTIAL) {
            item = item.substr(0, text.size());
        }
        if (SameText(item, text)) {
            return row;
        }
    }
    return -1;
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
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            lstrcpynA(item.pszText, items_[static_cast<size_t>(item.iItem)].c_str(), item.cchTextMax);
        }
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
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            // Whole, then cut to the buffer as the list's own texts are: a name longer than the buffer
            // shows its beginning, never nothing.
            lstrcpynW(item.pszText, WideText(items_[static_cast<size_t>(item.iItem)]).c_str(),
                      item.cchTextMax);
        }
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
    case LVN_ODFINDITEMA: {
        const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
        result = FindRow(find->lvfi.psz ? find->lvfi.psz : "", find->lvfi.flags, find->iStart);
        return true;
    }
    case LVN_ODFINDITEMW: {
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
        result = FindRow(find->lvfi.psz ? AnsiText(find->lvfi.psz) : "", find->lvfi.flags, find->iStart);
        return true;
    }
    }
    return false;
}

} // namespace ui
