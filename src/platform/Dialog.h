#pragma once
// Base of the program's modal dialogs: a window of the dialog manager's class ("#32770", so Tab, Enter,
// Escape and the default button work) on an empty template, whose controls the subclass places in design
// units (pixels at 100 %). One instance is created hidden, owned by the main window, and shown again and
// again; while it is up, every other window of the thread refuses input.
//
// The dialog keeps each control's place and font in design units and lays itself out at the scale of the
// monitor it is shown on: at creation, when it is shown over an owner of another scale, and when it is
// moved to a monitor of another scale (WM_DPICHANGED). After each such layout the subclass's Arrange
// makes the room its texts need in the fonts of that scale, so no text is cut at any scale.

#include "platform/Dpi.h"
#include "platform/Handles.h"

#include <windows.h>

#include <string>
#include <vector>

class Dialog {
  public:
    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND Handle() const { return hwnd_; }
    // The scale the dialog is laid out at.
    const DisplayScale& Scale() const { return scale_; }

  protected:
    // Creates the hidden frame with a client area of the given size in design units, at its owner's
    // scale, and the font of its controls. Call from the subclass's constructor: the frame's messages
    // reach HandleMessage from then on.
    void CreateFrame(HWND owner, const std::string& caption, DWORD style, DWORD exStyle, int clientWidth,
                     int clientHeight);
    // A child control at a place in design units, in the dialog's font; raises an error when it cannot be
    // made. The layout moves it at every scale.
    HWND CreateControl(const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y, int width,
                       int height, int id);

    // Gives a control a new place in design units, now and at every later layout.
    void Place(HWND control, int x, int y, int width, int height);
    // A control's place in design units.
    RECT PlaceOf(HWND control) const;
    // Gives the client area a new size in design units; the frame follows.
    void SetClientSize(int width, int height);
    SIZE ClientSize() const { return client_; }
    // Gives a control a font of its own, `height` design units high, now and at every later layout.
    void SetControlFont(HWND control, int height, bool bold = false, bool underline = false);

    // The room a text takes in a control's font at the dialog's scale, in design units, rounded so that it
    // holds the text at that scale: on one line, or broken into lines `wrapWidth` design units wide.
    SIZE TextRoom(HWND control, const std::string& text, int wrapWidth = 0) const;
    // Pixels at the dialog's scale in design units, rounded up.
    int DesignRoom(int pixels) const;
    // The room of a check box's or a radio button's box and the gap before its caption, in design units:
    // the box as the system draws it for the control.
    int BoxRoom(HWND button) const;
    // The area a tab control of the dialog shows its pages in, in design units inside it, were it placed at
    // 0, 0 with this size in design units.
    RECT TabPageArea(HWND tabs, int width, int height) const;

    // Lays the dialog out at its scale again: each control at its place with its font, then Arrange. A
    // subclass calls it once its controls are made.
    void LayOut();
    // What depends on the texts or on the scale, after the controls are at their places at a scale (their
    // fonts made for it): the subclass measures its texts and places what they move, from its design
    // constants each time, so that every scale gets the same layout. A subclass whose texts change calls
    // it again.
    virtual void Arrange() {}

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
    struct Placed {
        HWND control;
        RECT place; // design units
        size_t font;
    };
    struct Font {
        int height;
        bool bold;
        bool underline;
        unique_hfont font; // at the dialog's scale
    };

    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void LayOutAt(const DisplayScale& scale);
    // A move to a monitor of another scale: laid out at the new one, at the place the system suggests
    // (unless the dialog is placing itself for a showing).
    void ScaleChanged(int dpi, const RECT& suggested);
    void PlaceForShowing();
    void CenterOverOwner();
    void FitFrame();
    Placed* Find(HWND control);
    const Placed* Find(HWND control) const;
    size_t FontIndex(int height, bool bold, bool underline);

    HWND hwnd_ = nullptr;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    SIZE client_{};
    DisplayScale scale_;
    std::vector<Placed> controls_;
    std::vector<Font> fonts_; // the first is the dialog's own
    bool placing_ = false;
    bool done_ = false;
    bool ok_ = false;
};

// The text of a window or control.
std::string TextOf(HWND control);
