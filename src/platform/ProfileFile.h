#pragma once
// A Windows profile file (".ini") read and written through GetPrivateProfileStringA and
// WritePrivateProfileStringA. GetPrivateProfileIntA is not used: it gives 0, not the default, for text that
// is no number, so values are read as text and the settings rules convert them.
//
// Reads go to the file itself. Writes are kept until Flush, which puts them into the file all at once and
// safely: the profile functions apply them to a copy of the file beside it, and that copy then takes the
// file's place in one step. The file is never rewritten in place, so a program ended at any moment leaves
// either the old file or the new one, whole, and never a file cut short.

#include "settings/Settings.h"

#include <string>
#include <vector>

class ProfileFile : public Profile {
  public:
    explicit ProfileFile(std::string path);

    const std::string& Path() const { return path_; }

    // Absent when the file, the section or the key does not exist. Values written since the last Flush
    // are not seen yet.
    std::optional<std::string> Read(std::string_view section, std::string_view key) override;
    // Kept for the next Flush.
    void Write(std::string_view section, std::string_view key, std::string_view value) override;
    // Puts every value written since the last Flush into the file in one step. Raises SettingsWriteError
    // ("Unable to write to <path>") when any of them cannot be written; the file then stays as it was.
    void Flush() override;

  private:
    struct Value {
        std::string section;
        std::string key;
        std::string value;
    };

    std::string path_;
    std::vector<Value> written_;
};
