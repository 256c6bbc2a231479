#pragma once
// How the program's window procedure (platform/Trampoline.h) finds the objects of the program's controls.
//
// Controls of the program's own classes: the control object travels in lpCreateParams at WM_NCCREATE into
// the window's user data and is let go at WM_NCDESTROY. T keeps its handle in `hwnd_` and handles messages
// in `OnMessage`; it names ControlKind as a friend.
//
// System controls the program extends (a list view, a button) keep their class, so that other programs and
// accessibility tools know them for what they are; SubclassControl puts the program's procedure in front of
// the control's own. T keeps its handle in `hwnd_` and the control's procedure in `baseProc_`, handles
// messages in `OnMessage` and passes on what it leaves to `baseProc_`; it names SubclassKind as a
// friend. The control's procedure is taken and called in its Unicode form, so that the control sees its
// messages as the system sent them. ObjectOf<SubclassKind<T>> finds the object from the control's handle
// by that procedure, so such a control takes no key filter in front of it.
//
// These controls get their procedure replaced directly, not through SetWindowSubclass as the key filters
// are (platform/Subclass.h): under Wine every message through SetWindowSubclass costs three look-ups of
// the window's property in the server (about 0.2 ms), and a table sends its list view dozens of messages
// for a change of selection and its paint. The key filters sit on controls that get few messages (check
// boxes, a drop-down, text fields, buttons), and one control may carry more than one of them, which the
// system's chain keeps apart.

#include "platform/Trampoline.h"
#include "platform/Window.h"

#include <windows.h>

namespace ui {

template <typename T> struct ControlKind : OwnClassKind<T> {
    static LRESULT Handle(T& self, UINT msg, WPARAM wParam, LPARAM lParam) {
        return self.OnMessage(msg, wParam, lParam);
    }
    static void Bind(T& self, HWND hwnd) { self.hwnd_ = hwnd; }
};

// Registers the window class of control T, once per process.
template <typename T>
void RegisterControlClass(const char* className, HCURSOR cursor, HBRUSH background = nullptr) {
    RegisterClassOnce(className, Trampoline<ControlKind<T>>, 0, nullptr, cursor, background);
}

template <typename T> struct SubclassKind {
    using Object = T;
    using Result = LRESULT;
    static constexpr int kSlot = GWLP_USERDATA;
    // The control is attached by SubclassControl, before its first message through the program.
    static T* Arriving(UINT, LPARAM) { return nullptr; }
    static LRESULT Unbound(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    static LRESULT Handle(T& self, UINT msg, WPARAM wParam, LPARAM lParam) {
        return self.OnMessage(msg, wParam, lParam);
    }
    // Once the control has handled its last message, it gets its own procedure back.
    static void Bind(T& self, HWND hwnd) {
        if (!hwnd && self.hwnd_) {
            SetWindowLongPtrW(self.hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self.baseProc_));
        }
        self.hwnd_ = hwnd;
    }
    static void Subclass(HWND hwnd, T& self) {
        AttachObject<SubclassKind>(hwnd, &self);
        self.baseProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Trampoline<SubclassKind>)));
    }
};

// Makes `self` handle the messages of the system control `hwnd` before the control does.
template <typename T> void SubclassControl(HWND hwnd, T* self) {
    SubclassKind<T>::Subclass(hwnd, *self);
}

} // namespace ui
