#include "forms/ZastUnit.h"

#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "resources/resource.h"

namespace {

const char* const kSplashClass = "TForm3";

// The client area in design units (pixels at 100 %).
constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 3500;

} // namespace

TForm3::TForm3(HWND owner) : Image1(Picture::FromJpegResource(IDR_TITLE)) {
    RegisterWindowClass(kSplashClass);
    CreateWindowFor(kSplashClass, "", WS_POPUP, WS_EX_TOPMOST, 0, 0, kWidth, kHeight, owner, nullptr);
    // Its scale is that of the monitor it lies on: the picture covers as much of the screen at every scale.
    const DisplayScale scale = DisplayScale::Of(Handle());
    const int width = scale(kWidth);
    const int height = scale(kHeight);
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

TForm3::~TForm3() {
    if (Handle()) {
        DestroyWindow(Handle());
    }
}

LRESULT TForm3::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kTimer1) {
            Timer1Timer();
        }
        return 0;
    case WM_PAINT: {
        PaintDC dc(Handle());
        Image1Paint(dc.get());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole window
    // A click leaves the window the user works in active.
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    // The scale of its monitor changed: the size the system proposes, the picture drawn to it.
    case WM_DPICHANGED: {
        const RECT& r = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

// The first tick ends the splash: closing it only hides it.
void TForm3::Timer1Timer() {
    KillTimer(Handle(), kTimer1);
    ShowWindow(Handle(), SW_HIDE);
}

void TForm3::Image1Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    Image1.Draw(dc, client);
}
