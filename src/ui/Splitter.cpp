#include "ui/Splitter.h"

#include "platform/Window.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

const char* const kClass = "VeshSplitter";

} // namespace

void Splitter::Create(HWND parent, int id, Orientation orientation) {
    orientation_ = orientation;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, kClass, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WndProc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClass;
        if (!RegisterClassExA(&wc)) {
            throw std::runtime_error("Cannot register the splitter class");
        }
    }
    hwnd_ = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    if (!hwnd_) {
        throw std::runtime_error("Cannot create a splitter");
    }
}

int Splitter::ParentPosition(LPARAM lParam) const {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(hwnd_, GetParent(hwnd_), &p, 1);
    return orientation_ == Orientation::Vertical ? p.x : p.y;
}

void Splitter::MoveTo(int position) {
    if (!PanelSize || !OnResize) {
        return;
    }
    const int delta = position - startPosition_;
    int newSize = orientation_ == Orientation::Vertical ? startSize_ + delta : startSize_ - delta;
    if (MaxPanelSize) {
        newSize = std::min(newSize, MaxPanelSize());
    }
    newSize = std::max(newSize, MinSize);
    if (newSize == PanelSize()) {
        return;
    }
    if (OnCanResize && !OnCanResize(newSize)) {
        return;
    }
    OnResize(newSize);
    // Live: the panels are repainted while the mouse moves, not when it stops.
    UpdateWindow(GetParent(hwnd_));
}

LRESULT CALLBACK Splitter::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Splitter* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Splitter*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Splitter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    // An error a handler raised is shown here: it must not unwind through the system's window code.
    LRESULT result = 0;
    RunGuarded([&] { result = self->OnMessage(msg, wParam, lParam); });
    return result;
}

LRESULT Splitter::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(
                                           orientation_ == Orientation::Vertical ? IDC_SIZEWE : IDC_SIZENS)));
        return TRUE;
    case WM_LBUTTONDOWN:
        SetCapture(hwnd_);
        dragging_ = true;
        startPosition_ = ParentPosition(lParam);
        startSize_ = PanelSize ? PanelSize() : 0;
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_ && (wParam & MK_LBUTTON)) {
            MoveTo(ParentPosition(lParam));
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            MoveTo(ParentPosition(lParam));
            dragging_ = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: dragging_ = false; return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

} // namespace ui
