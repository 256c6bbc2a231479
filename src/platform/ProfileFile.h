#pragma once
// A Windows profile file (".ini") read and written through GetPrivateProfileStringA and
// WritePrivateProfileStringA. Each call goes to the file by its full path; nothing stays open between
// calls. GetPrivateProfileIntA is not used: it gives 0, not the default, for text that is no number, so
// values are read as text and the settings rules convert them.

#include "settings/Settings.h"

#include <string>

class ProfileFile : public Profile {
  public:
    explicit ProfileFile(std::string path);

    const std::string& Path() const { return path_; }

    // Absent when the file, the section or the key does not exist.
    std::optional<std::string> Read(std::string_view section, std::string_view key) override;
    // Raises SettingsWriteError ("Unable to write to <path>") when the system refuses the value.
    void Write(std::string_view section, std::string_view key, std::string_view value) override;
    void Flush() override;

  private:
    std::string path_;
};
