#include "ui/GroupBox.h"

#include "ui/ControlProc.h"

#include "platform/Handles.h"
#include "platform/Window.h"

#include <stdexcept>

namespace ui {

namespace {

const char* const kClass = "VeshGroupBox";

} // namespace

void GroupBox::Create(HWND parent, int id, const std::string& caption, HFONT font) {
    RegisterControlClass<GroupBox>(kClass, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    font_ = font;
    CreateControlWindow(WS_EX_CONTROLPARENT, kClass, caption.c_str(),
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, id,
                        nullptr, this);
}

int GroupBox::Width() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.right;
}

int GroupBox::Height() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.bottom;
}

void GroupBox::SetBounds(int x, int y, int width, int height) {
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT GroupBox::BoundsOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void GroupBox::Place(HWND child, int x, int y, int width, int height, unsigned anchors) {
    SetWindowPos(child, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    Anchored entry{child, anchors, BoundsOf(child), SIZE{Width(), Height()}};
    for (Anchored& a : anchored_) {
        if (a.child == child) {
            a = entry;
            return;
        }
    }
    anchored_.push_back(entry);
}

void GroupBox::ApplyAnchors(int width, int height) {
    if (anchored_.empty()) {
        return;
    }
    HDWP positions = BeginDeferWindowPos(static_cast<int>(anchored_.size()));
    for (const Anchored& a : anchored_) {
        RECT r = a.bounds;
        const int dx = width - a.panelSize.cx;
        const int dy = height - a.panelSize.cy;
        // Anchored to both sides it stretches; to the far side only it moves along.
        if (a.anchors & AnchorRight) {
            if (!(a.anchors & AnchorLeft)) {
                r.left += dx;
            }
            r.right += dx;
        }
        if (a.anchors & AnchorBottom) {
            if (!(a.anchors & AnchorTop)) {
                r.top += dy;
            }
            r.bottom += dy;
        }
        positions = DeferWindowPos(positions, a.child, nullptr, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(positions);
}

void GroupBox::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    char caption[256] = {};
    GetWindowTextA(hwnd_, caption, sizeof caption);
    SelectObjectGuard font(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);

    RECT frame = client;
    frame.top = tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    if (caption[0]) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
        RECT text{CaptionIndent, 0, CaptionIndent + extent.cx, tm.tmHeight};
        FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
    }
}

LRESULT GroupBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: return 1; // painted with the frame, children clipped
    case WM_PAINT: {
        PaintDC dc(hwnd_);
        Paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SIZE: ApplyAnchors(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) {
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd_, msg, wParam, lParam);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return result;
    }
    // The children's notices are the owner's business.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM: return SendMessageA(GetParent(hwnd_), msg, wParam, lParam);
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

} // namespace ui
