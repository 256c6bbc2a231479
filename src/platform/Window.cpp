#include "platform/Window.h"

#include "platform/MsgBox.h"
#include "platform/Trampoline.h"

#include <stdexcept>
#include <utility>

struct Window::Kind : OwnClassKind<Window> {
    static LRESULT Handle(Window& self, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_NCCREATE && msg != WM_CREATE) {
            return self.HandleMessage(msg, wParam, lParam);
        }
        // The creator hears of the error; the system destroys the window.
        try {
            return self.HandleMessage(msg, wParam, lParam);
        } catch (...) {
            self.createError_ = std::current_exception();
            return msg == WM_NCCREATE ? FALSE : -1;
        }
    }
    static void Bind(Window& self, HWND hwnd) { self.hwnd_ = hwnd; }
};

void RegisterClassOnce(const char* className, WNDPROC procedure, UINT style, HICON icon, HCURSOR cursor,
                       HBRUSH background) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(instance, className, &wc)) {
        return;
    }
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) {
        throw std::runtime_error("Cannot register window class " + std::string(className));
    }
}

void Window::RegisterWindowClass(const char* className, HICON icon, HBRUSH background) {
    RegisterClassOnce(className, Trampoline<Kind>, CS_DBLCLKS, icon,
                      LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)),
                      background ? background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

void Window::CreateWindowFor(const char* className, const std::string& caption, DWORD style, DWORD exStyle,
                             int x, int y, int width, int height, HWND owner, HMENU menu) {
    createError_ = nullptr;
    HWND hwnd = CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, width, height, owner, menu,
                                GetModuleHandleA(nullptr), this);
    if (!hwnd) {
        if (createError_) {
            std::rethrow_exception(std::exchange(createError_, nullptr));
        }
        throw std::runtime_error("Cannot create window " + std::string(className));
    }
}

HWND CreateControlWindow(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
                         int width, int height, HWND parent, int id, HFONT font, void* param) {
    HWND hwnd =
        CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), param);
    if (!hwnd) {
        throw std::runtime_error("Cannot create a window of class " + std::string(className));
    }
    if (font) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return hwnd;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void ShowExceptionBox(const std::exception& e) {
    ShowErrorBox(e.what());
}

void ShowUnknownErrorBox() {
    ShowErrorBox("Unknown error");
}
