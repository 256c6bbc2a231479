#include "WindowSearch.h"

#include "platform/AccessibleName.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {

struct Search {
    HWND owner;
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK FindChildById(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && GetWindow(hwnd, GW_OWNER) == search->owner &&
        GetDlgItem(hwnd, search->id)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND ChildById(HWND window, int id) {
    Search search{window, id};
    EnumChildWindows(window, FindChildById, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND OwnedDialogWith(HWND owner, int childId) {
    Search search{owner, childId};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string AccessibleName(HWND hwnd) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(&object)))) {
        return "(no object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT hr = object->get_accName(self, &name);
    object->Release();
    if (FAILED(hr) || !name) {
        return "(no name)";
    }
    char text[512] = {};
    WideCharToMultiByte(1251, 0, name, -1, text, sizeof text, nullptr, nullptr);
    SysFreeString(name);
    return text;
}

std::string ListViewCell(HWND list, int row, int column, int size) {
    std::string text(static_cast<std::size_t>(size), '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = size;
    const auto length =
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<std::size_t>(length));
    return text;
}
