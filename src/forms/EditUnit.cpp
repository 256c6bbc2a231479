#include "forms/EditUnit.h"

#include "platform/Window.h"

#include <algorithm>
#include <stdexcept>

bool IsUserRecord = false;
bool IsNewRecord = false;

namespace {

// Control ids; the buttons carry the dialog manager's own ids, so Enter and Escape reach them.
constexpr int IDC_NAMEEDIT = 101;
constexpr int IDC_TYPECOMBO = 102;
constexpr int IDC_EDIT1 = 103;
constexpr int IDC_LABEL1 = 104;
constexpr int IDC_LABEL2 = 105;
constexpr int IDC_BEVEL1 = 106;

constexpr int kClientWidth = 425;
constexpr int kClientHeight = 145;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// An empty dialog template: the frame comes from the dialog manager (class "#32770", keyboard
// navigation, default and cancel buttons); the controls are placed in pixels by FormCreate.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WORD title;
};

HWND CreateControl(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y,
                   int width, int height, int id, HFONT font) {
    HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) {
        throw std::runtime_error("Cannot create a control of the editor dialog");
    }
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

std::string TextOf(HWND control) {
    int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

// While the dialog is up, every other window of the thread refuses input (the main window, and the
// find dialog that could otherwise change the tables under an open editor); each gets its input
// back, and the dialog is hidden, when the showing ends however it ends.
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

TForm2::TForm2(HWND owner) {
    EmptyDialogTemplate tmpl{};
    tmpl.dialog.style = kStyle;
    tmpl.dialog.dwExtendedStyle = kExStyle;
    CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tmpl.dialog, owner, StaticDlgProc,
                               reinterpret_cast<LPARAM>(this));
    if (!hwnd_) {
        throw std::runtime_error("Cannot create the editor dialog");
    }
    try {
        FormCreate();
    } catch (...) {
        DestroyWindow(hwnd_);
        throw;
    }
}

TForm2::~TForm2() {
    // The dialog dies with its owner; only a dialog still alive is destroyed here.
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

INT_PTR CALLBACK TForm2::StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TForm2* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<TForm2*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<TForm2*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    RunGuarded([&] { result = self->HandleMessage(msg, wParam, lParam); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        self->done_ = true;
    }
    return result;
}

INT_PTR TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE; // focus is placed when the dialog is shown
    case WM_CLOSE: BitBtn2Click(); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: BitBtn1Click(); return TRUE;
        case IDCANCEL: BitBtn2Click(); return TRUE;
        }
        break;
    }
    return FALSE;
}

void TForm2::FormCreate() {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lstrcpyA(lf.lfFaceName, "MS Sans Serif");
    font_.reset(CreateFontIndirectA(&lf));
    HFONT font = font_.get();
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Created in tab order: first field, second field, OK, Cancel. The labels take no focus.
    label1_ = CreateControl(hwnd_, "STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 8, 8, 409, 13,
                            IDC_LABEL1, font);
    nameEdit_ = CreateControl(hwnd_, "EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
                              WS_EX_CLIENTEDGE, 8, 24, 409, 21, IDC_NAMEEDIT, font);
    // The height includes the drop-down list.
    typeCombo_ = CreateControl(hwnd_, "COMBOBOX", "",
                               WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 8, 24,
                               409, 200, IDC_TYPECOMBO, font);
    label2_ = CreateControl(hwnd_, "STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 8, 56, 409, 13,
                            IDC_LABEL2, font);
    edit1_ = CreateControl(hwnd_, "EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
                           WS_EX_CLIENTEDGE, 8, 72, 409, 21, IDC_EDIT1, font);
    CreateControl(hwnd_, "STATIC", "", WS_VISIBLE | SS_ETCHEDHORZ, 0, 8, 104, 409, 2, IDC_BEVEL1, font);
    CreateControl(hwnd_, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 96, 112,
                  90, 25, IDOK, font);
    CreateControl(hwnd_, "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, 240, 112,
                  90, 25, IDCANCEL, font);
    SendMessageA(hwnd_, DM_SETDEFID, IDOK, 0);

    // Names, addresses, types and descriptions have no length limit.
    SendMessageA(nameEdit_, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(edit1_, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(typeCombo_, CB_LIMITTEXT, 0, 0);
}

void TForm2::SetComboBox1Text(const std::string& text) {
    SetWindowTextA(nameEdit_, text.c_str());
    SetWindowTextA(typeCombo_, text.c_str());
}

std::string TForm2::ComboBox1Text() const {
    return TextOf(ComboBox1());
}

void TForm2::SetEdit1Text(const std::string& text) {
    SetWindowTextA(edit1_, text.c_str());
}

std::string TForm2::Edit1Text() const {
    return TextOf(edit1_);
}

void TForm2::SetTypeList(const std::vector<std::string>& types) {
    types_ = types;
}

HWND TForm2::ComboBox1() const {
    return userMode_ ? nameEdit_ : typeCombo_;
}

bool TForm2::ShowModal() {
    // The one dialog cannot be shown a second time while it is up: a command that reached the main
    // window while it refuses input (a message posted to it) must not nest a second modal loop.
    if (IsWindowVisible(hwnd_)) {
        throw std::logic_error("The editor dialog is already open");
    }
    FormActivate();
    CenterOverOwner();
    done_ = false;
    ok_ = false;
    {
        ModalScope scope(hwnd_);
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ComboBox1()), TRUE);
        MSG msg;
        while (!done_) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
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
    }
    return ok_;
}

void TForm2::FormActivate() {
    userMode_ = IsUserRecord;
    if (IsUserRecord) {
        SetWindowTextA(label1_, "Имя должника");
        SetWindowTextA(label2_, "E-Mail");
        SetWindowTextA(hwnd_, "Информация о должнике");
        ShowWindow(typeCombo_, SW_HIDE);
        ShowWindow(nameEdit_, SW_SHOW);
    } else {
        SetWindowTextA(label1_, "Тип предмета");
        SetWindowTextA(label2_, "Описание (название) предмета");
        SetWindowTextA(hwnd_, "Описание предмета");
        ShowWindow(nameEdit_, SW_HIDE);
        ShowWindow(typeCombo_, SW_SHOW);
        // Emptying the list empties the field too; the text typed or preloaded there is put back.
        std::string text = TextOf(typeCombo_);
        SendMessageA(typeCombo_, CB_RESETCONTENT, 0, 0);
        for (const std::string& type : types_) {
            SendMessageA(typeCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.c_str()));
        }
        SetWindowTextA(typeCombo_, text.c_str());
    }
    if (IsNewRecord) {
        SetComboBox1Text("");
        SetEdit1Text("");
    }
}

void TForm2::BitBtn1Click() {
    ok_ = true;
    done_ = true;
}

void TForm2::BitBtn2Click() {
    ok_ = false;
    done_ = true;
}

void TForm2::CenterOverOwner() {
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
