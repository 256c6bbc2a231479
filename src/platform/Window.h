#pragma once
// Base of the program's own windows: the program's window procedure (platform/Trampoline.h) carries
// `this` from WM_NCCREATE in the window's user data, and catches an error that a command did not handle
// and shows it in the general error box, so the program goes on. An error while the window is being
// created fails the creation instead: CreateWindowFor raises it, and no half-built window stays.

#include <windows.h>

#include <exception>
#include <string>

class Window {
  public:
    Window() = default;
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

  protected:
    // Registers the class once per process; the class name must be unique to the subclass.
    static void RegisterWindowClass(const char* className, HICON icon = nullptr, HBRUSH background = nullptr);
    // Creates the window; `this` travels in lpCreateParams. Raises the error that WM_NCCREATE or
    // WM_CREATE raised, or one of its own when the system refuses the window.
    void CreateWindowFor(const char* className, const std::string& caption, DWORD style, DWORD exStyle, int x,
                         int y, int width, int height, HWND owner, HMENU menu);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    // How the program's window procedure finds a Window (platform/Trampoline.h).
    struct Kind;

    HWND hwnd_ = nullptr;
    std::exception_ptr createError_;
};

// Registers a window class once per process (a second call with the same name does nothing); raises an
// error when the system refuses it.
void RegisterClassOnce(const char* className, WNDPROC procedure, UINT style, HICON icon, HCURSOR cursor,
                       HBRUSH background);

// Creates a control (or another window) inside or owned by `parent` with the id and, when given, the
// font; `param` travels in lpCreateParams. Raises an error naming the class when the system refuses it.
HWND CreateControlWindow(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
                         int width, int height, HWND parent, int id, HFONT font = nullptr,
                         void* param = nullptr);

// Runs a piece of a window procedure or dialog procedure and shows any error it raises in the
// general error box. Returns false when an error was shown.
template <typename F> bool RunGuarded(F&& f);

void ShowExceptionBox(const std::exception& e);
void ShowUnknownErrorBox();

template <typename F> bool RunGuarded(F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        ShowExceptionBox(e);
    } catch (...) {
        ShowUnknownErrorBox();
    }
    return false;
}
