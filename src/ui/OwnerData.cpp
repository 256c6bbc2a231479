#include "ui/OwnerData.h"

#include "text/Letters.h"

#include <algorithm>

namespace ui {

namespace {

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

int FindRow(std::string_view text, UINT flags, int start, int count,
            const std::function<std::string_view(int row)>& textOf) {
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL)) || count == 0) {
        return -1;
    }
    start = start >= 0 && start < count ? start : 0;
    const int rows = flags & LVFI_WRAP ? count : count - start;
    for (int i = 0; i < rows; ++i) {
        const int row = (start + i) % count;
        std::string_view item = textOf(row);
        if (flags & LVFI_PARTIAL) {
            item = item.substr(0, text.size());
        }
        if (SameText(item, text)) {
            return row;
        }
    }
    return -1;
}

} // namespace

void GiveItemText(LVITEMA& item, const std::string& text) {
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
}

void GiveItemText(LVITEMW& item, const std::string& text) {
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        lstrcpynW(item.pszText, WideText(text).c_str(), item.cchTextMax);
    }
}

LRESULT FindItemRow(const NMHDR* header, int count, const std::function<std::string_view(int row)>& textOf) {
    if (header->code == LVN_ODFINDITEMW) {
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
        return FindRow(find->lvfi.psz ? AnsiText(find->lvfi.psz) : "", find->lvfi.flags, find->iStart, count,
                       textOf);
    }
    const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
    return FindRow(find->lvfi.psz ? find->lvfi.psz : "", find->lvfi.flags, find->iStart, count, textOf);
}

} // namespace ui
