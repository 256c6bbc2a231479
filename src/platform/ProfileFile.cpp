#include "platform/ProfileFile.h"

#include "files/FileIO.h"
#include "text/Errors.h"
#include "text/Letters.h"

#include <windows.h>

#include <vector>

namespace {

// GetPrivateProfileStringA into a buffer that grows until the whole result fits. The function reports a
// cut result by returning the buffer size less 1 (less 2 for a list of names).
std::string ProfileString(const char* section, const char* key, const std::string& path) {
    const DWORD cut = key ? 1 : 2;
    std::vector<char> buffer(4096);
    for (;;) {
        const DWORD n = GetPrivateProfileStringA(section, key, "", buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), path.c_str());
        if (n + cut < buffer.size()) {
            return std::string(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> ProfileFile::Read(std::string_view section, std::string_view key) {
    const std::string sectionName(section);
    const std::string keyName(key);
    // The names of the section's keys, each ending in a NUL: a key without a value is present too.
    const std::string names = ProfileString(sectionName.c_str(), nullptr, path_);
    bool present = false;
    for (std::size_t start = 0; start < names.size() && !present;) {
        std::size_t end = names.find('\0', start);
        if (end == std::string::npos) {
            end = names.size();
        }
        present = SameText(std::string_view(names).substr(start, end - start), key);
        start = end + 1;
    }
    if (!present) {
        return std::nullopt;
    }
    return ProfileString(sectionName.c_str(), keyName.c_str(), path_);
}

void ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    written_.push_back(Value{std::string(section), std::string(key), std::string(value)});
}

void ProfileFile::Flush() {
    if (written_.empty()) {
        return;
    }
    // The copy gets the values through the same functions in the same order as the file would, so the
    // bytes come out as they always have.
    auto apply = [this](const std::string& copy) {
        for (const Value& v : written_) {
            if (!WritePrivateProfileStringA(v.section.c_str(), v.key.c_str(), v.value.c_str(),
                                            copy.c_str())) {
                throw SettingsWriteError(path_);
            }
        }
        // Out of the system's cache before the copy is flushed and moved.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());
    };
    try {
        ReplaceFileBytes(path_, FileExists(path_) ? ReadFileBytes(path_) : std::string(), apply);
    } catch (const InOutError&) {
        throw SettingsWriteError(path_);
    }
    written_.clear();
    // A later read must find the new file, not what the cache may still hold of the old one.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}
