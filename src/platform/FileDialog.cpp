#include "platform/FileDialog.h"

#include <commdlg.h>

#include <stdexcept>
#include <vector>

namespace {

// "Name|*.ext|..." as the dialog wants it: each part ends with a NUL, and one more NUL ends the list.
std::string FilterList(const std::string& filter) {
    std::string list = filter;
    for (char& c : list) {
        if (c == '|') {
            c = '\0';
        }
    }
    list.append(2, '\0');
    return list;
}

DWORD Flags(unsigned options) {
    DWORD flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (options & FileDialog::OverwritePrompt) {
        flags |= OFN_OVERWRITEPROMPT;
    }
    if (options & FileDialog::PathMustExist) {
        flags |= OFN_PATHMUSTEXIST;
    }
    if (options & FileDialog::FileMustExist) {
        flags |= OFN_FILEMUSTEXIST;
    }
    if (options & FileDialog::HideReadOnly) {
        flags |= OFN_HIDEREADONLY;
    }
    if (options & FileDialog::EnableSizing) {
        flags |= OFN_ENABLESIZING;
    }
    return flags;
}

} // namespace

std::optional<std::string> FileDialog::Execute(HWND owner) const {
    const std::string filter = FilterList(Filter);
    std::vector<char> path(32768, '\0');
    FileName.copy(path.data(), path.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = Flags(Options);
    const BOOL chosen = kind_ == Kind::Open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (chosen) {
        return std::string(path.data());
    }
    // A cancel leaves no error code; anything else kept the dialog from working and is no answer.
    if (const DWORD error = CommDlgExtendedError()) {
        throw std::runtime_error("File dialog error " + std::to_string(error));
    }
    return std::nullopt;
}
