#pragma once
// Shortcut files (".lnk") made through the shell's own link object, and the file-system folders of the
// shell's special places (the desktop, the Start menu and its Programs folder).

#include "platform/Handles.h"

#include <shlobj.h>

#include <optional>
#include <string>

// One shell link object: its target, working folder and description are set, then it is saved as a file.
// Every failure raises an error carrying the system's text.
class ShellLink {
  public:
    ShellLink();

    void SetPath(const std::string& target);
    void SetWorkingDirectory(const std::string& folder);
    void SetDescription(const std::string& description);
    // Writes the shortcut to `linkPath`, replacing a file of that name; the error names the file.
    void Save(const std::string& linkPath);

  private:
    ComPtr<IShellLinkA> link_;
    ComPtr<IPersistFile> file_;
};

// The file-system path of a special folder (a CSIDL_ value), without a trailing backslash; nothing when the
// folder has no place in the file system. Raises an error when the shell cannot locate the folder.
std::optional<std::string> SpecialFolderPath(int csidl);

// The system's text for a COM or Windows error code.
std::string SystemErrorText(HRESULT hr);
