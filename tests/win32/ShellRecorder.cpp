#include "ShellRecorder.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

void SetCommand(HKEY key, const std::string& command) {
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
}

std::string DefaultValue(HKEY key) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    if (RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return value;
}

} // namespace

ShellRecorder::ShellRecorder(const std::vector<std::string>& classes, const std::string& recordFile)
    : record_(recordFile) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string recorder = exe;
    recorder = recorder.substr(0, recorder.find_last_of('\\') + 1) + "mail_recorder.exe";
    for (std::string name : classes) {
        if (!name.empty() && name[0] == '.') {
            name = ClassOfExtension(name);
            if (name.empty()) {
                // The prefix names no class for the extension: it gets one for the recorder's life.
                name = classes.front().substr(1) + "file";
                HKEY key = nullptr;
                RegCreateKeyExA(HKEY_CLASSES_ROOT, classes.front().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
                SetCommand(key, name);
                RegCloseKey(key);
                addedExtension_ = classes.front();
            }
        }
        Saved saved;
        const std::string path = name + "\\shell\\open\\command";
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &saved.key, nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot register the recorder for " << name;
            continue;
        }
        saved.command = DefaultValue(saved.key);
        saved.had = !saved.command.empty();
        SetCommand(saved.key, "\"" + recorder + "\" \"" + record_ + "\" \"%1\"");
        saved_.push_back(saved);
    }
}

ShellRecorder::~ShellRecorder() {
    for (const Saved& saved : saved_) {
        if (saved.had) {
            SetCommand(saved.key, saved.command);
        } else {
            RegDeleteValueA(saved.key, nullptr);
        }
        RegCloseKey(saved.key);
    }
    if (!addedExtension_.empty()) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, addedExtension_.c_str());
    }
}

std::string ShellRecorder::ClassOfExtension(const std::string& extension) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    std::string name = DefaultValue(key);
    RegCloseKey(key);
    return name;
}

std::vector<std::string> ShellRecorder::Lines(size_t count) const {
    std::vector<std::string> lines;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20)) {
        lines.clear();
        const std::string text = ReadWholeFile(record_);
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
            lines.push_back(text.substr(at, end - at));
        }
        if (lines.size() >= count) {
            break;
        }
    }
    return lines;
}
