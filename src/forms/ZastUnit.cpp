#include "forms/ZastUnit.h"

#include "platform/Handles.h"
#include "resources/resource.h"

namespace {

const char* const kSplashClass = "TForm3";

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 3500;

} // namespace

TForm3::TForm3(HWND owner) : Image1(Picture::FromJpegResource(IDR_TITLE)) {
    RegisterWindowClass(kSplashClass);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    CreateWindowFor(kSplashClass, "", WS_POPUP, WS_EX_TOPMOST, x, y, kWidth, kHeight, owner, nullptr);
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
