#pragma once
// The common open and save dialogs. The caller fills in the fields, calls Execute with the owner window
// and gets the chosen path, or nothing when the user cancelled.

#include <windows.h>

#include <optional>
#include <string>

class FileDialog {
  public:
    enum class Kind { Open, Save };
    enum Option : unsigned {
        OverwritePrompt = 1u << 0, // ask before an existing file is replaced
        PathMustExist = 1u << 1,   // the chosen folder must exist
        FileMustExist = 1u << 2,   // the chosen file must exist
        HideReadOnly = 1u << 3,    // no "open as read-only" check box
        EnableSizing = 1u << 4,    // the user may resize the dialog
    };

    explicit FileDialog(Kind kind) : kind_(kind) {}

    // Pairs of a description and a pattern, separated by "|": "Text files (*.txt)|*.txt|All|*.*".
    std::string Filter;
    // Appended, without its dot, to a typed name that has no extension.
    std::string DefaultExt;
    // The folder shown first.
    std::string InitialDir;
    // The dialog's title; empty for the system's own.
    std::string Title;
    // The file name the dialog proposes; empty for none.
    std::string FileName;
    // Option bits.
    unsigned Options = 0;

    // Shows the dialog modally. Raises an error when the dialog cannot be shown at all.
    std::optional<std::string> Execute(HWND owner) const;

  private:
    Kind kind_;
};
