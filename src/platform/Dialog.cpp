#include "platform/Dialog.h"

#include "platform/Trampoline.h"
#include "platform/Window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// The height of the dialogs' text in design units: 8 points.
constexpr int kDesignFontHeight = 11;

// An empty dialog template: the frame comes from the dialog manager; the controls are placed by the layout.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WORD title;
};

// While a dialog is up, every other window of the thread refuses input (the main window, and the
// find dialog that could otherwise change the tables under an open dialog); each gets its input back,
// and the dialog is hidden, when the showing ends however it ends.
class ModalScope {
  public:
    explicit ModalScope(HWND dialog) : dialog_(dialog) {
        EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
    }
    ~ModalScope() {
        for (HWND w : disabled_) {
            if (IsWindow(w)) {
                EnableWindow(w, TRUE);
            }
        }
        if (IsWindow(dialog_)) {
            ShowWindow(dialog_, SW_HIDE);
        }
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    static BOOL CALLBACK DisableOne(HWND hwnd, LPARAM lParam) {
        auto* self = reinterpret_cast<ModalScope*>(lParam);
        if (hwnd != self->dialog_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            self->disabled_.push_back(hwnd);
        }
        return TRUE;
    }

    HWND dialog_;
    std::vector<HWND> disabled_;
};

} // namespace

// The dialog arrives with WM_INITDIALOG; before it, the dialog manager handles the messages itself. Once
// the window is gone, a modal loop still waiting for it ends.
struct Dialog::Kind {
    using Object = Dialog;
    using Result = INT_PTR;
    static constexpr int kSlot = DWLP_USER;
    static Dialog* Arriving(UINT msg, LPARAM lParam) {
        return msg == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lParam) : nullptr;
    }
    static INT_PTR Unbound(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
    static INT_PTR Handle(Dialog& self, UINT msg, WPARAM wParam, LPARAM lParam) {
        return self.Dispatch(msg, wParam, lParam);
    }
    static void Bind(Dialog& self, HWND hwnd) {
        self.hwnd_ = hwnd;
        if (!hwnd) {
            self.done_ = true;
        }
    }
};

std::string TextOf(HWND control) {
    int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

Dialog::~Dialog() {
    // The dialog dies with its owner; only a dialog still alive is destroyed here.
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

void Dialog::CreateFrame(HWND owner, const std::string& caption, DWORD style, DWORD exStyle, int clientWidth,
                         int clientHeight) {
    EmptyDialogTemplate tmpl{};
    tmpl.dialog.style = style;
    tmpl.dialog.dwExtendedStyle = exStyle;
    CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tmpl.dialog, owner, Trampoline<Kind>,
                               reinterpret_cast<LPARAM>(this));
    if (!hwnd_) {
        throw std::runtime_error("Cannot create the dialog \"" + caption + "\"");
    }
    // The dialog lays itself out at every scale; the system is not to stretch it.
    KeepDialogLayoutOnScaleChange(hwnd_);
    SetWindowTextA(hwnd_, caption.c_str());
    style_ = style;
    exStyle_ = exStyle;
    client_ = SIZE{clientWidth, clientHeight};
    // It is shown over its owner, so it is made at the owner's scale.
    scale_ = DisplayScale(DpiOf(owner ? owner : hwnd_));
    fonts_.clear();
    FontIndex(kDesignFontHeight, false, false);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[0].font.get()), FALSE);
    FitFrame();
}

HWND Dialog::CreateControl(const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y,
                           int width, int height, int id) {
    const RECT place{x, y, x + width, y + height};
    const RECT at = scale_(place);
    HWND control =
        CreateControlWindow(exStyle, cls, text, WS_CHILD | style, at.left, at.top, at.right - at.left,
                            at.bottom - at.top, hwnd_, id, fonts_[0].font.get());
    controls_.push_back(Placed{control, place, 0});
    return control;
}

Dialog::Placed* Dialog::Find(HWND control) {
    for (Placed& placed : controls_) {
        if (placed.control == control) {
            return &placed;
        }
    }
    return nullptr;
}

const Dialog::Placed* Dialog::Find(HWND control) const {
    return const_cast<Dialog*>(this)->Find(control);
}

void Dialog::Place(HWND control, int x, int y, int width, int height) {
    Placed* placed = Find(control);
    if (!placed) {
        throw std::logic_error("The control is not one of the dialog's");
    }
    placed->place = RECT{x, y, x + width, y + height};
    const RECT at = scale_(placed->place);
    SetWindowPos(control, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Dialog::PlaceOf(HWND control) const {
    const Placed* placed = Find(control);
    return placed ? placed->place : RECT{};
}

void Dialog::SetClientSize(int width, int height) {
    client_ = SIZE{width, height};
    FitFrame();
}

void Dialog::FitFrame() {
    const SIZE client{scale_(client_.cx), scale_(client_.cy)};
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectAt(frame, style_, false, exStyle_, scale_);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A frame the system draws at another scale than the one asked for (a system without frames per
    // monitor) leaves another client area: the frame takes the difference.
    RECT now{};
    GetClientRect(hwnd_, &now);
    if (now.right != client.cx || now.bottom != client.cy) {
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + client.cx - now.right,
                     frame.bottom - frame.top + client.cy - now.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

size_t Dialog::FontIndex(int height, bool bold, bool underline) {
    for (size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].height == height && fonts_[i].bold == bold && fonts_[i].underline == underline) {
            return i;
        }
    }
    fonts_.push_back(Font{height, bold, underline, MakeScaledFont(scale_, height, bold, underline)});
    return fonts_.size() - 1;
}

void Dialog::SetControlFont(HWND control, int height, bool bold, bool underline) {
    Placed* placed = Find(control);
    if (!placed) {
        throw std::logic_error("The control is not one of the dialog's");
    }
    placed->font = FontIndex(height, bold, underline);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[placed->font].font.get()), TRUE);
}

int Dialog::DesignRoom(int pixels) const {
    if (scale_.IsDesign()) {
        return pixels;
    }
    // Rounded up, and one more: a place's edges are scaled one by one, so its width may come out a pixel
    // short of its width scaled.
    return (pixels * kDesignDpi + scale_.Dpi() - 1) / scale_.Dpi() + 1;
}

int Dialog::BoxRoom(HWND button) const {
    constexpr int kGap = 8;
    return DesignRoom(SystemMetricAt(SM_CXMENUCHECK, DisplayScale::Of(button))) + kGap;
}

RECT Dialog::TabPageArea(HWND tabs, int width, int height) const {
    const RECT outer = scale_(RECT{0, 0, width, height});
    RECT area = outer;
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    // The tabs' own edges at this scale, rounded so that the area stays inside them.
    return RECT{DesignRoom(area.left - outer.left), DesignRoom(area.top - outer.top),
                width - DesignRoom(outer.right - area.right),
                height - DesignRoom(outer.bottom - area.bottom)};
}

SIZE Dialog::TextRoom(HWND control, const std::string& text, int wrapWidth) const {
    WindowDC dc(control);
    SelectObjectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, wrapWidth > 0 ? scale_(wrapWidth) : 0, 0};
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    return SIZE{DesignRoom(r.right - r.left), DesignRoom(r.bottom - r.top)};
}

void Dialog::LayOut() {
    LayOutAt(scale_);
}

void Dialog::LayOutAt(const DisplayScale& scale) {
    scale_ = scale;
    // The fonts at the new scale; the old ones go once no control holds them.
    std::vector<Font> old = std::move(fonts_);
    fonts_.clear();
    for (const Font& font : old) {
        fonts_.push_back(Font{font.height, font.bold, font.underline,
                              MakeScaledFont(scale_, font.height, font.bold, font.underline)});
    }
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[0].font.get()), FALSE);
    for (const Placed& placed : controls_) {
        SendMessageA(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[placed.font].font.get()),
                     FALSE);
        const RECT at = scale_(placed.place);
        SetWindowPos(placed.control, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FitFrame();
    Arrange();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DPICHANGED) {
        ScaleChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    }
    return HandleMessage(msg, wParam, lParam);
}

void Dialog::ScaleChanged(int dpi, const RECT& suggested) {
    if (dpi != scale_.Dpi()) {
        LayOutAt(DisplayScale(dpi));
    }
    // The size is the layout's at the new scale, which is the suggested one but for the room of its texts.
    if (!placing_) {
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Dialog::CheckNotShown() const {
    // The one dialog cannot be shown a second time while it is up: a command that reached the main
    // window while it refuses input (a message posted to it) must not nest a second modal loop.
    if (IsWindowVisible(hwnd_)) {
        throw std::logic_error("The dialog \"" + TextOf(hwnd_) + "\" is already open");
    }
}

bool Dialog::ShowModal(HWND focus) {
    CheckNotShown();
    PlaceForShowing();
    done_ = false;
    ok_ = false;
    ModalScope scope(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    MSG msg;
    while (!done_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is quitting: the loop that waits for WM_QUIT must still see it.
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
            }
            ok_ = false;
            break;
        }
        if (!IsDialogMessageA(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return ok_;
}

void Dialog::EndModal(bool ok) {
    ok_ = ok;
    done_ = true;
}

// The dialog appears at the scale of its owner's monitor. Centring it may carry it to a monitor of another
// scale (the system then tells it), and its new size is centred once more.
void Dialog::PlaceForShowing() {
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    const int dpi = DpiOf(owner ? owner : hwnd_);
    if (dpi != scale_.Dpi()) {
        LayOutAt(DisplayScale(dpi));
    }
    placing_ = true;
    const int before = scale_.Dpi();
    CenterOverOwner();
    if (scale_.Dpi() != before) {
        CenterOverOwner();
    }
    placing_ = false;
}

void Dialog::CenterOverOwner() {
    RECT dialog;
    GetWindowRect(hwnd_, &dialog);
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;

    HWND owner = GetWindow(hwnd_, GW_OWNER);
    HMONITOR monitor = MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    RECT area = info.rcWork;

    RECT over = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &over);
    }
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    // Kept on the screen, so a main window pushed to an edge does not hide its dialog.
    x = std::max<int>(area.left, std::min<int>(x, area.right - width));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
