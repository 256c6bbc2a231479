#include "ui/Splitter.h"

#include "ui/ControlProc.h"

#include "platform/Window.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

const char* const kClass = "VeshSplitter";

} // namespace

void Splitter::Create(HWND parent, int id, Orientation orientation) {
    orientation_ = orientation;
    RegisterControlClass<Splitter>(kClass, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateControlWindow(0, kClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, id,
                        nullptr, this);
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
