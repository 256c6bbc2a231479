#pragma once
// A flat button with a picture and a caption: no frame until the mouse is over it, a sunken frame while
// pressed. Its picture has two states, one for enabled and one for disabled.
//
// It is a system push button ("Button" class) that the program draws (owner draw), so that other programs
// and accessibility tools see a button: it sends BN_CLICKED to its parent, BM_CLICK presses it and
// BM_GETSTATE tells whether it is pushed. A click with the mouse leaves the keyboard where it was; Tab
// brings it to an enabled button, which Space or Enter then presses. A double click is two clicks.

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace ui {

class FlatButton {
  public:
    FlatButton() = default;
    FlatButton(const FlatButton&) = delete;
    FlatButton& operator=(const FlatButton&) = delete;

    // `pictures` holds the enabled picture at index `enabledImage` and the disabled one right after it.
    void Create(HWND parent, int id, const std::string& caption, int x, int y, int width, int height,
                HFONT font, HIMAGELIST pictures, int enabledImage);
    HWND Handle() const { return hwnd_; }

    // Pictures of another size (the same indexes), and the gap between picture and caption in pixels. The
    // caption is drawn in the font the button was given last (at creation or with WM_SETFONT).
    void SetPictures(HIMAGELIST pictures, int gap);
    // The width that shows the picture and the whole caption, with `margin` pixels on either side.
    int NeededWidth(int margin) const;

    bool Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
    void SetEnabled(bool enabled);

    // Paints the button: the owner of its parent passes on the WM_DRAWITEM the button asks for.
    void Draw(const DRAWITEMSTRUCT& item) const;

  private:
    template <typename T> friend struct SubclassKind;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Base(UINT msg, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcW(baseProc_, hwnd_, msg, wParam, lParam);
    }
    // After a press with the mouse: the keyboard goes back to where it was before the press.
    void GiveBackKeyboard();

    HWND hwnd_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    HFONT font_ = nullptr;
    HIMAGELIST pictures_ = nullptr;
    int enabledImage_ = 0;
    int gap_ = 4;
    bool hot_ = false;
    bool releasing_ = false;
    HWND pressFocus_ = nullptr; // had the keyboard when the mouse pressed the button
};

} // namespace ui
