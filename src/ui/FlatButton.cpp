#include "ui/FlatButton.h"

#include "ui/ControlProc.h"

#include "platform/Handles.h"
#include "platform/Window.h"

#include <stdexcept>

namespace ui {

namespace {

const char* const kClass = "VeshFlatButton";
constexpr int kGlyphSize = 16;
constexpr int kGlyphGap = 4;

} // namespace

void FlatButton::Create(HWND parent, int id, const std::string& caption, int x, int y, int width, int height,
                        HFONT font, HIMAGELIST pictures, int enabledImage) {
    RegisterControlClass<FlatButton>(kClass, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    font_ = font;
    pictures_ = pictures;
    enabledImage_ = enabledImage;
    hwnd_ =
        CreateWindowExA(0, kClass, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width, height,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
    if (!hwnd_) {
        throw std::runtime_error("Cannot create a flat button");
    }
}

void FlatButton::SetEnabled(bool enabled) {
    if (Enabled() != enabled) {
        // A disabled window reads no keys, and disabling it would leave the keyboard nowhere: it goes on
        // to the next control first.
        if (!enabled && GetFocus() == hwnd_) {
            SetFocus(GetNextDlgTabItem(GetAncestor(hwnd_, GA_ROOT), hwnd_, FALSE));
        }
        EnableWindow(hwnd_, enabled);
    }
}

void FlatButton::Click() {
    if (!IsWindowEnabled(hwnd_)) {
        return;
    }
    const int id = GetDlgCtrlID(hwnd_);
    SendMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

void FlatButton::Paint(HDC target) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Drawn off screen and copied at once, so the button does not flicker while the mouse moves over it.
    HDC dc = CreateCompatibleDC(target);
    unique_hbitmap bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
    {
        SelectObjectGuard selectBitmap(dc, bitmap.get());
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const bool enabled = IsWindowEnabled(hwnd_);
        const bool down = pressed_ && enabled;
        if (down) {
            DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
        } else if (hot_ && enabled) {
            DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
        }

        char caption[128] = {};
        GetWindowTextA(hwnd_, caption, sizeof caption);
        SelectObjectGuard selectFont(dc,
                                     font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
        const int total = kGlyphSize + (caption[0] ? kGlyphGap + extent.cx : 0);
        int x = (client.right - total) / 2 + (down ? 1 : 0);
        const int shift = down ? 1 : 0;
        if (pictures_) {
            ImageList_Draw(pictures_, enabled ? enabledImage_ : enabledImage_ + 1, dc, x,
                           (client.bottom - kGlyphSize) / 2 + shift, ILD_TRANSPARENT);
        }
        x += kGlyphSize + kGlyphGap;
        RECT text{x, shift, x + extent.cx + 1, client.bottom + shift};
        SetBkMode(dc, TRANSPARENT);
        if (enabled) {
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        } else {
            // The engraved look of disabled text: a light copy one pixel down and right, grey on top.
            OffsetRect(&text, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            OffsetRect(&text, -1, -1);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        }
        DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (GetFocus() == hwnd_) {
            RECT focus = client;
            InflateRect(&focus, -3, -3);
            DrawFocusRect(dc, &focus);
        }
        BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    }
    DeleteDC(dc);
}

LRESULT FlatButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ENABLE:
        if (!wParam) {
            hot_ = pressed_ = false;
        }
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS: InvalidateRect(hwnd_, nullptr, FALSE); return 0;
    case WM_KILLFOCUS:
        keyPressed_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE: return DLGC_BUTTON;
    // Space and Enter press the button that has the keyboard, on release as a push button does. A release
    // whose press went to another window (an Enter that closed a message box) presses nothing.
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN) {
            keyPressed_ = true;
        }
        return 0;
    case WM_KEYUP:
        if ((wParam == VK_SPACE || wParam == VK_RETURN) && keyPressed_) {
            keyPressed_ = false;
            Click();
        }
        return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd_, msg, wParam, lParam);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return result;
    }
    case WM_MOUSEMOVE: {
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
            TrackMouseEvent(&track);
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        if (captured_) {
            RECT client{};
            GetClientRect(hwnd_, &client);
            POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const bool inside = PtInRect(&client, p) != FALSE;
            if (inside != pressed_) {
                pressed_ = inside;
                InvalidateRect(hwnd_, nullptr, FALSE);
            }
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        if (IsWindowEnabled(hwnd_)) {
            SetCapture(hwnd_);
            captured_ = pressed_ = true;
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (captured_) {
            const bool click = pressed_;
            captured_ = pressed_ = false;
            ReleaseCapture();
            InvalidateRect(hwnd_, nullptr, FALSE);
            if (click) {
                Click();
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (captured_) {
            captured_ = pressed_ = false;
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case BM_CLICK: Click(); return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

} // namespace ui
