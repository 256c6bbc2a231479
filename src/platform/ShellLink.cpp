#include "platform/ShellLink.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct ItemIdListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

void Check(HRESULT hr) {
    if (FAILED(hr)) {
        throw std::runtime_error(SystemErrorText(hr));
    }
}

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(wide.size() - 1);
    return wide;
}

} // namespace

std::string SystemErrorText(HRESULT hr) {
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n && buffer ? std::string(buffer, n) : std::string();
    LocalFree(buffer);
    // The system ends its texts with a full stop and a line break; the error box adds its own stop.
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.')) {
        text.pop_back();
    }
    if (text.empty()) {
        char code[32] = {};
        std::snprintf(code, sizeof code, "System error 0x%08lX", static_cast<unsigned long>(hr));
        text = code;
    }
    return text;
}

ShellLink::ShellLink() {
    ComPtr<IUnknown> object;
    Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                           reinterpret_cast<void**>(object.put())));
    Check(object->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(link_.put())));
    Check(object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file_.put())));
}

void ShellLink::SetPath(const std::string& target) {
    Check(link_->SetPath(target.c_str()));
}

void ShellLink::SetWorkingDirectory(const std::string& folder) {
    Check(link_->SetWorkingDirectory(folder.c_str()));
}

void ShellLink::SetDescription(const std::string& description) {
    Check(link_->SetDescription(description.c_str()));
}

void ShellLink::Save(const std::string& linkPath) {
    // FALSE: the object does not take the file as its own; it only writes it.
    const HRESULT hr = file_->Save(Wide(linkPath).c_str(), FALSE);
    if (FAILED(hr)) {
        throw std::runtime_error("Cannot create file \"" + linkPath + "\". " + SystemErrorText(hr));
    }
}

std::optional<std::string> SpecialFolderPath(int csidl) {
    ITEMIDLIST* raw = nullptr;
    Check(SHGetSpecialFolderLocation(nullptr, csidl, &raw));
    std::unique_ptr<ITEMIDLIST, ItemIdListFree> list(raw);
    char path[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListA(list.get(), path)) {
        return std::nullopt;
    }
    return std::string(path);
}
