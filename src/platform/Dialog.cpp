#include "platform/Dialog.h"

#include "platform/Trampoline.h"
#include "platform/Window.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// An empty dialog template: the frame comes from the dialog manager; the controls are placed in pixels.
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
        return self.HandleMessage(msg, wParam, lParam);
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
    SetWindowTextA(hwnd_, caption.c_str());
    font_ = MakeDesignFont();
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Dialog::CreateControl(const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y,
                           int width, int height, int id) const {
    return CreateControlWindow(exStyle, cls, text, WS_CHILD | style, x, y, width, height, hwnd_, id,
                               font_.get());
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
    CenterOverOwner();
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
