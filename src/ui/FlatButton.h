#pragma once
// A flat button with a picture and a caption: no frame until the mouse is over it, a sunken frame while
// pressed. Its picture has two states, one for enabled and one for disabled. A click sends WM_COMMAND
// with BN_CLICKED to the parent, as a push button does, and BM_CLICK clicks it. A click leaves the keyboard
// where it was; Tab brings it to an enabled button, which Space or Enter then presses.

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

    bool Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
    void SetEnabled(bool enabled);

  private:
    template <typename T> friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void Click();

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HIMAGELIST pictures_ = nullptr;
    int enabledImage_ = 0;
    bool hot_ = false;
    bool pressed_ = false;
    bool captured_ = false;
    bool keyPressed_ = false; // Space or Enter went down while the button had the keyboard
};

} // namespace ui
