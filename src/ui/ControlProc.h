#pragma once
// The window class and window procedure of the program's own control classes. The control object travels in
// lpCreateParams at WM_NCCREATE into the window's user data and is let go at WM_NCDESTROY. An error that
// a handler raises is shown in the general error box here: it must not unwind through the system's
// window code. T keeps its handle in `hwnd_` and handles messages in `OnMessage`; it names this function
// as a friend.

#include "platform/Window.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace ui {

template <typename T> LRESULT CALLBACK ControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    T* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    RunGuarded([&] { result = self->OnMessage(msg, wParam, lParam); });
    return result;
}

// Registers the window class of control T, once per process.
template <typename T> void RegisterControlClass(const char* className, HCURSOR cursor, HBRUSH background = nullptr) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(instance, className, &wc)) {
        return;
    }
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ControlWndProc<T>;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) {
        throw std::runtime_error("Cannot register window class " + std::string(className));
    }
}

} // namespace ui
