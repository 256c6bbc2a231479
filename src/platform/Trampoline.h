#pragma once
// The one window procedure of the program's windows, dialogs and controls. It finds the C++ object of a
// window in one of the window's slots, stashes it there when the object arrives, passes each message to
// the object's handler, shows in the general error box an error that the handler raised (it must not
// unwind through the system's window code), and lets the object go at WM_NCDESTROY, the window's last
// message.
//
// A kind of window says how, in a small struct with these static members:
//   using Object = ...;  using Result = LRESULT (a window procedure) or INT_PTR (a dialog procedure);
//   static constexpr int kSlot: GWLP_USERDATA for windows and controls, DWLP_USER for dialogs;
//   static Object* Arriving(UINT msg, LPARAM lParam): the object a creation message brings, or nullptr;
//   static Result Unbound(HWND, UINT, WPARAM, LPARAM): the answer to a message before the object came;
//   static Result Handle(Object&, UINT, WPARAM, LPARAM): the object's handler;
//   static void Bind(Object&, HWND): tells the object its window, or nullptr once it is gone (after the
//   object has handled WM_NCDESTROY).

#include "platform/Window.h"

#include <windows.h>

template <typename Kind> void AttachObject(HWND hwnd, typename Kind::Object* self) {
    Kind::Bind(*self, hwnd);
    SetWindowLongPtrA(hwnd, Kind::kSlot, reinterpret_cast<LONG_PTR>(self));
}

template <typename Kind>
typename Kind::Result CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    using Object = typename Kind::Object;
    Object* self = Kind::Arriving(msg, lParam);
    if (self) {
        AttachObject<Kind>(hwnd, self);
    } else {
        self = reinterpret_cast<Object*>(GetWindowLongPtrA(hwnd, Kind::kSlot));
    }
    if (!self) {
        return Kind::Unbound(hwnd, msg, wParam, lParam);
    }
    typename Kind::Result result = 0;
    RunGuarded([&] { result = Kind::Handle(*self, msg, wParam, lParam); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, Kind::kSlot, 0);
        Kind::Bind(*self, nullptr);
    }
    return result;
}

// The object of the window `hwnd` when the window's procedure is Trampoline<Kind>, else nullptr: the slot
// of a window of another kind, or of another program, holds nothing of this kind. For windows and controls;
// a dialog's procedure is no window procedure.
template <typename Kind> typename Kind::Object* ObjectOf(HWND hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    const LONG_PTR procedure =
        IsWindowUnicode(hwnd) ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (procedure != reinterpret_cast<LONG_PTR>(&Trampoline<Kind>)) {
        return nullptr;
    }
    return reinterpret_cast<typename Kind::Object*>(GetWindowLongPtrA(hwnd, Kind::kSlot));
}

// The base of the kinds of windows of the program's own classes: the object travels in lpCreateParams,
// and a message before it goes to the default procedure.
template <typename T> struct OwnClassKind {
    using Object = T;
    using Result = LRESULT;
    static constexpr int kSlot = GWLP_USERDATA;
    static T* Arriving(UINT msg, LPARAM lParam) {
        return msg == WM_NCCREATE ? static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)
                                  : nullptr;
    }
    static LRESULT Unbound(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
};
