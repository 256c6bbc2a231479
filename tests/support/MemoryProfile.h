#pragma once
// A profile held in memory, laid out as the Windows profile functions lay out a file: "[Section]" lines,
// "key=value" lines, CR LF after each, no blank lines, sections and keys in first-written order. Reading
// accepts LF or CR LF, blank lines, spaces around names and values, and lines it cannot use; the first of
// two equal sections or keys counts. Names match ignoring letter case. The program writes its settings
// file through the Windows functions; this model lets the settings rules run without them.

#include "settings/Settings.h"

#include <string>
#include <string_view>
#include <vector>

class MemoryProfile : public Profile {
  public:
    MemoryProfile() = default;
    explicit MemoryProfile(std::string_view text);

    std::optional<std::string> Read(std::string_view section, std::string_view key) override;
    void Write(std::string_view section, std::string_view key, std::string_view value) override;
    void Flush() override {}

    // The profile as the bytes of a file.
    std::string Text() const;

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    Section* FindSection(std::string_view name);

    std::vector<Section> sections_;
};
