#include "platform/Shell.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct ItemIdListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

} // namespace

void ShellOpen(HWND owner, const std::string& target, int show) {
    ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, show);
}

std::string DocumentsFolder() {
    ITEMIDLIST* raw = nullptr;
    const HRESULT hr = SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &raw);
    if (FAILED(hr)) {
        char code[16] = {};
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
        throw std::runtime_error(std::string("Cannot find the documents folder (error ") + code + ")");
    }
    std::unique_ptr<ITEMIDLIST, ItemIdListFree> list(raw);
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(list.get(), path)) {
        throw std::runtime_error("The documents folder has no path in the file system");
    }
    return path;
}
