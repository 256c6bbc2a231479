#pragma once
// The system's modeless find dialog: one text field and a Find next button; the direction, match-case
// and whole-word choices are shown but cannot be changed (the search runs downwards and ignores letter
// case). The text stays with the dialog between showings.
//
// The dialog tells its owner about a press of Find next, and about its closing, with a registered
// message (Message()); the owner passes such messages to Notice(). While the dialog is open the
// application's message loop lets it have its keys (Tab, Enter, Escape).

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <string>

class FindDialog {
  public:
    FindDialog();
    ~FindDialog();
    FindDialog(const FindDialog&) = delete;
    FindDialog& operator=(const FindDialog&) = delete;

    // Opens the dialog over `owner`, or brings it to the front when it is open. Raises an error when it
    // cannot be opened.
    void Show(HWND owner);
    void Close();
    bool IsOpen() const { return hwnd_ != nullptr; }
    HWND Handle() const { return hwnd_; }

    // The search text: the field's text while the dialog is open, else the text it held last.
    std::string Text() const;

    // The message the dialog sends its owner.
    static UINT Message();
    enum class Event { None, FindNext, Closed };
    // What a Message() with this lParam means; a close is taken into account here.
    Event Notice(LPARAM lParam);

  private:
    FINDREPLACEA request_{};
    std::array<char, 256> text_{};
    HWND hwnd_ = nullptr;
};
