#pragma once
// Shortcut files as the shell reads them back, and a guard that leaves a shortcut's place as a test found
// it.

#include <string>

struct Shortcut {
    bool loaded = false; // the file exists and the shell could read it
    std::string target;
    std::string workingFolder;
    std::string description;
};

Shortcut ReadShortcut(const std::string& path);

// A special folder's path (a CSIDL_ value), without a trailing backslash.
std::string SpecialFolder(int csidl);

// Whatever a test leaves at `path` (a file or a folder) is removed at the end, and a file that was there
// before the test is put back.
class ShortcutPlace {
  public:
    explicit ShortcutPlace(std::string path);
    ~ShortcutPlace();
    ShortcutPlace(const ShortcutPlace&) = delete;
    ShortcutPlace& operator=(const ShortcutPlace&) = delete;

    const std::string& Path() const { return path_; }
    // Removes what is there now.
    void Clear() const;

  private:
    std::string path_;
    bool existed_ = false;
    std::string bytes_;
};
