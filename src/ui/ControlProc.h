#pragma once
// The window procedures of the program's controls. An error that a handler raises is shown in the general
// error box here: it must not unwind through the system's window code.
//
// Controls of the program's own classes: the control object travels in lpCreateParams at WM_NCCREATE into
// the window's user data and is let go at WM_NCDESTROY. T keeps its handle in `hwnd_` and handles messages
// in `OnMessage`; it names ControlWndProc as a friend.
//
// System controls the program extends (a list view, a button) keep their class, so that other programs and
// accessibility tools know them for what they are; SubclassControl puts SubclassWndProc in front of the
// control's own procedure. T keeps its handle in `hwnd_` and the control's procedure in `baseProc_`, handles
// messages in `OnMessage` and passes on what it leaves to `baseProc_`; it names SubclassWndProc as a friend.
// The window procedure is replaced directly rather than through SetWindowSubclass: under Wine every message
// through SetWindowSubclass costs three property look-ups in the server (about 0.2 ms), and a table sends
// its list view dozens of messages for a change of selection and its paint.

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
template <typename T>
void RegisterControlClass(const char* className, HCURSOR cursor, HBRUSH background = nullptr) {
    RegisterClassOnce(className, ControlWndProc<T>, 0, nullptr, cursor, background);
}

} // namespace ui

namespace ui {

template <typename T> LRESULT CALLBACK SubclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        const WNDPROC base = self->baseProc_;
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return CallWindowProcW(base, hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    RunGuarded([&] { result = self->OnMessage(msg, wParam, lParam); });
    return result;
}

// Makes `self` handle the messages of the system control `hwnd` before the control does.
template <typename T> void SubclassControl(HWND hwnd, T* self) {
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->baseProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWndProc<T>)));
}

} // namespace ui
