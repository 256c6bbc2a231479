#include "Shortcut.h"

#include "TestFolder.h"

#include "platform/Handles.h"

#include <shlobj.h>

Shortcut ReadShortcut(const std::string& path) {
    ComApartment com;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    Shortcut shortcut;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.put()))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))) ||
        FAILED(file->Load(wide, STGM_READ))) {
        return shortcut;
    }
    char text[1024] = {};
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    shortcut.target = text;
    text[0] = '\0';
    link->GetWorkingDirectory(text, sizeof text);
    shortcut.workingFolder = text;
    text[0] = '\0';
    link->GetDescription(text, sizeof text);
    shortcut.description = text;
    shortcut.loaded = true;
    return shortcut;
}

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

ShortcutPlace::ShortcutPlace(std::string path) : path_(std::move(path)) {
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    existed_ = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (existed_) {
        bytes_ = ReadWholeFile(path_);
    }
}

ShortcutPlace::~ShortcutPlace() {
    Clear();
    if (existed_) {
        WriteWholeFile(path_, bytes_);
    }
}

void ShortcutPlace::Clear() const {
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path_);
    } else {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
    }
}
