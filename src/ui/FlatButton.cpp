#include "ui/FlatButton.h"

#include "ui/ControlProc.h"

#include "platform/Handles.h"
#include "platform/Window.h"

#include <stdexcept>

namespace ui {

namespace {

bool CanTakeKeyboard(HWND hwnd) {
    return hwnd && IsWindow(hwnd) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

// The side of the button's square pictures.
int GlyphSize(HIMAGELIST pictures) {
    int cx = 0, cy = 0;
    if (pictures) {
        ImageList_GetIconSize(pictures, &cx, &cy);
    }
    return cx;
}

} // namespace

void FlatButton::Create(HWND parent, int id, const std::string& caption, int x, int y, int width, int height,
                        HFONT font, HIMAGELIST pictures, int enabledImage) {
    font_ = font;
    pictures_ = pictures;
    enabledImage_ = enabledImage;
    HWND button =
        CreateControlWindow(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                            x, y, width, height, parent, id, font);
    SubclassControl(button, this);
}

void FlatButton::SetPictures(HIMAGELIST pictures, int gap) {
    pictures_ = pictures;
    gap_ = gap;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

int FlatButton::NeededWidth(int margin) const {
    char caption[128] = {};
    GetWindowTextA(hwnd_, caption, sizeof caption);
    WindowDC dc(hwnd_);
    SelectObjectGuard font(dc.get(), font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), caption, lstrlenA(caption), &extent);
    return 2 * margin + GlyphSize(pictures_) + (caption[0] ? gap_ + extent.cx : 0);
}

void FlatButton::SetEnabled(bool enabled) {
    if (Enabled() != enabled) {
        // A disabled window reads no keys, and disabling it would leave the keyboard nowhere: it goes back
        // to where a press with the mouse found it, or else on to the next control, first.
        if (!enabled && GetFocus() == hwnd_) {
            HWND next = CanTakeKeyboard(pressFocus_)
                            ? pressFocus_
                            : GetNextDlgTabItem(GetAncestor(hwnd_, GA_ROOT), hwnd_, FALSE);
            pressFocus_ = nullptr;
            SetFocus(next);
        }
        EnableWindow(hwnd_, enabled);
    }
}

void FlatButton::GiveBackKeyboard() {
    HWND target = pressFocus_;
    pressFocus_ = nullptr;
    if (GetFocus() == hwnd_ && CanTakeKeyboard(target)) {
        SetFocus(target);
    }
}

void FlatButton::Draw(const DRAWITEMSTRUCT& item) const {
    const RECT client{0, 0, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
    // Drawn off screen and copied at once, so the button does not flicker while the mouse moves over it.
    MemoryDC memory(item.hDC);
    HDC dc = memory.get();
    unique_hbitmap bitmap(CreateCompatibleBitmap(item.hDC, client.right, client.bottom));
    {
        SelectObjectGuard selectBitmap(dc, bitmap.get());
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const bool enabled = !(item.itemState & ODS_DISABLED);
        const bool down = (item.itemState & ODS_SELECTED) && enabled;
        if (down) {
            DrawEdge(dc, const_cast<RECT*>(&client), BDR_SUNKENOUTER, BF_RECT);
        } else if (hot_ && enabled) {
            DrawEdge(dc, const_cast<RECT*>(&client), BDR_RAISEDINNER, BF_RECT);
        }

        char caption[128] = {};
        GetWindowTextA(hwnd_, caption, sizeof caption);
        SelectObjectGuard selectFont(dc,
                                     font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
        const int glyph = GlyphSize(pictures_);
        const int total = glyph + (caption[0] ? gap_ + extent.cx : 0);
        const int shift = down ? 1 : 0;
        int x = (client.right - total) / 2 + shift;
        if (pictures_) {
            ImageList_Draw(pictures_, enabled ? enabledImage_ : enabledImage_ + 1, dc, x,
                           (client.bottom - glyph) / 2 + shift, ILD_TRANSPARENT);
        }
        x += glyph + gap_;
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
        // The keyboard's mark, but not while a press with the mouse lends the button the keyboard.
        if ((item.itemState & ODS_FOCUS) && !pressFocus_) {
            RECT focus = client;
            InflateRect(&focus, -3, -3);
            DrawFocusRect(dc, &focus);
        }
        BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    }
}

LRESULT FlatButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: return 1; // the drawing covers the whole button
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); break;
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
            TrackMouseEvent(&track);
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case WM_ENABLE:
        if (!wParam) {
            hot_ = false;
        }
        break;
    // The button takes the keyboard while the mouse presses it, as every push button does, and gives it
    // back once the click is over.
    case WM_LBUTTONDBLCLK:
        msg = WM_LBUTTONDOWN; // a double click is a second press
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        if (GetFocus() != hwnd_) {
            pressFocus_ = GetFocus();
        }
        break;
    case WM_LBUTTONUP: {
        releasing_ = true;
        const LRESULT result = Base(msg, wParam, lParam);
        releasing_ = false;
        GiveBackKeyboard();
        return result;
    }
    case WM_CAPTURECHANGED:
        // A press given up (the mouse released elsewhere, another window took the mouse) leaves the
        // keyboard on the button, as a push button does.
        if (!releasing_) {
            pressFocus_ = nullptr;
        }
        break;
    // Enter presses the button as Space does.
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_RETURN) {
            wParam = VK_SPACE;
        }
        break;
    }
    return Base(msg, wParam, lParam);
}

} // namespace ui
