// The part of the file layer both systems share: the names of the new files of replacements.
#include "files/FileIO.h"

#include "text/Letters.h"

std::uint32_t LeftoverMaker(std::string_view name, std::string_view fileName, bool ignoreCase) {
    // "<fileName>.~<pid>-<n>.tmp"
    constexpr std::string_view mark = ".~";
    constexpr std::string_view extension = ".tmp";
    if (name.size() < fileName.size() + mark.size() + extension.size() + 3) {
        return 0;
    }
    const std::string_view prefix = name.substr(0, fileName.size());
    if (ignoreCase ? !SameText(prefix, fileName) : prefix != fileName) {
        return 0;
    }
    std::string_view rest = name.substr(fileName.size());
    if (rest.substr(0, mark.size()) != mark || rest.substr(rest.size() - extension.size()) != extension) {
        return 0;
    }
    rest = rest.substr(mark.size(), rest.size() - mark.size() - extension.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size() || dash > 10) {
        return 0;
    }
    std::uint64_t pid = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (i == dash) {
            continue;
        }
        if (c < '0' || c > '9') {
            return 0;
        }
        if (i < dash) {
            pid = pid * 10 + static_cast<unsigned>(c - '0');
        }
    }
    return pid <= UINT32_MAX ? static_cast<std::uint32_t>(pid) : 0;
}
