#include "MemoryProfile.h"

#include "text/Letters.h"

namespace {

std::string_view Trim(std::string_view text) {
    const char* const blanks = " \t\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

MemoryProfile::MemoryProfile(std::string_view text) {
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.front() == '[') {
            const std::string_view name = Trim(line.substr(1, line.find(']') - 1));
            current = FindSection(name);
            if (!current) {
                current = &sections_.emplace_back(Section{std::string(name), {}});
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        bool known = false;
        for (const Entry& entry : current->entries) {
            known = known || SameText(entry.key, key);
        }
        if (!known) {
            current->entries.push_back(Entry{std::string(key), std::string(Trim(line.substr(equals + 1)))});
        }
    }
}

MemoryProfile::Section* MemoryProfile::FindSection(std::string_view name) {
    for (Section& section : sections_) {
        if (SameText(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

std::optional<std::string> MemoryProfile::Read(std::string_view section, std::string_view key) {
    if (Section* s = FindSection(section)) {
        for (const Entry& entry : s->entries) {
            if (SameText(entry.key, key)) {
                return entry.value;
            }
        }
    }
    return std::nullopt;
}

void MemoryProfile::Write(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = FindSection(section);
    if (!s) {
        s = &sections_.emplace_back(Section{std::string(section), {}});
    }
    for (Entry& entry : s->entries) {
        if (SameText(entry.key, key)) {
            entry.value = value;
            return;
        }
    }
    s->entries.push_back(Entry{std::string(key), std::string(value)});
}

std::string MemoryProfile::Text() const {
    std::string out;
    for (const Section& section : sections_) {
        out += '[';
        out += section.name;
        out += "]\r\n";
        for (const Entry& entry : section.entries) {
            out += entry.key;
            out += '=';
            out += entry.value;
            out += "\r\n";
        }
    }
    return out;
}
