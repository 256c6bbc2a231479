#pragma once
// Base of the program's modal dialogs: a window of the dialog manager's class ("#32770", so Tab, Enter,
// Escape and the default button work) on an empty template, whose controls the subclass places in
// pixels. One instance is created hidden, owned by the main window, and shown again and again; while it
// is up, every other window of the thread refuses input.

#include "platform/Handles.h"

#include <windows.h>

#include <string>

class Dialog {
  public:
    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND Handle() const { return hwnd_; }

  protected:
    // Creates the hidden frame with a client area of the given size, and the font of its controls. Call
    // from the subclass's constructor: the frame's messages reach HandleMessage from then on.
    void CreateFrame(HWND owner, const std::string& caption, DWORD style, DWORD exStyle, int clientWidth,
                     int clientHeight);
    // A child control in client pixels, in the dialog's font; raises an error when it cannot be made.
    HWND CreateControl(const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y, int width,
                       int height, int id) const;

    // Shows the dialog modally, centred on its owner, with the keyboard in `focus`; returns once EndModal
    // was called (true for OK) or the program quits (false).
    bool ShowModal(HWND focus);
    // Raises the error that the dialog is open while it is up, as ShowModal does; a command that fills the
    // dialog before it shows it asks first, so that a second request costs nothing.
    void CheckNotShown() const;
    void EndModal(bool ok);

    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

  private:
    // How the program's dialog procedure finds a Dialog (platform/Trampoline.h).
    struct Kind;
    void CenterOverOwner();

    HWND hwnd_ = nullptr;
    unique_hfont font_;
    bool done_ = false;
    bool ok_ = false;
};

// The text of a window or control.
std::string TextOf(HWND control);
