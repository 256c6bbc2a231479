#include "platform/MsgBox.h"

#include "platform/Application.h"
#include "platform/Handles.h"

namespace {

// A Russian system labels the buttons "ОК" and "Отмена"; the program's boxes read "OK" and "Cancel".
// While a box is shown, a CBT hook of the thread notes the box as it is created, the first dialog window
// of the call, and renames that box's buttons when it is activated, before it is first painted. Every
// other window keeps its buttons: the dialog a box was shown over is activated again as the box closes,
// and its buttons (the export's "Создать" and "Отмена", the find dialog's) carry the same ids.
struct ShownBox {
    HWND box = nullptr; // once created; nothing again once destroyed, when its handle may name another window
    bool created = false;
    ShownBox* outer = nullptr; // the box this one is shown from, by a command inside its modal loop
};

thread_local ShownBox* shownBoxes = nullptr;
thread_local HHOOK buttonHook = nullptr;

bool IsDialogWindow(HWND hwnd) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpA(cls, "#32770") == 0;
}

void RenameButtons(HWND box) {
    if (HWND ok = GetDlgItem(box, IDOK)) {
        SetWindowTextA(ok, "OK");
    }
    if (HWND cancel = GetDlgItem(box, IDCANCEL)) {
        SetWindowTextA(cancel, "Cancel");
    }
}

LRESULT CALLBACK RenameButtonsHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND:
        if (shownBoxes && !shownBoxes->created && IsDialogWindow(hwnd)) {
            shownBoxes->box = hwnd;
            shownBoxes->created = true;
        }
        break;
    case HCBT_ACTIVATE:
    case HCBT_DESTROYWND:
        for (ShownBox* shown = shownBoxes; shown; shown = shown->outer) {
            if (shown->box == hwnd) {
                if (code == HCBT_ACTIVATE) {
                    RenameButtons(hwnd);
                } else {
                    shown->box = nullptr;
                }
            }
        }
        break;
    }
    return CallNextHookEx(buttonHook, code, wParam, lParam);
}

// One box in showing: it joins the thread's boxes, and the outermost one holds the hook.
class BoxShowing {
  public:
    BoxShowing() : shown_{nullptr, false, shownBoxes} {
        if (!buttonHook) {
            hook_.reset(SetWindowsHookExA(WH_CBT, RenameButtonsHook, nullptr, GetCurrentThreadId()));
            buttonHook = hook_.get();
        }
        shownBoxes = &shown_;
    }
    ~BoxShowing() {
        shownBoxes = shown_.outer;
        if (hook_) {
            buttonHook = nullptr;
        }
    }
    BoxShowing(const BoxShowing&) = delete;
    BoxShowing& operator=(const BoxShowing&) = delete;

  private:
    ShownBox shown_;
    unique_hhook hook_;
};

} // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    BoxShowing showing;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type | MB_SETFOREGROUND);
}

bool ConfirmBox(HWND owner, const std::string& text) {
    return ShowMessageBox(owner, text, "Confirm", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void WarningBox(HWND owner, const std::string& text) {
    ShowMessageBox(owner, text, "Warning", MB_OK | MB_ICONWARNING);
}

void InformationBox(HWND owner, const std::string& text) {
    ShowMessageBox(owner, text, "Information", MB_OK | MB_ICONINFORMATION);
}

void ErrorMessageBox(HWND owner, const std::string& text) {
    ShowMessageBox(owner, text, "Error", MB_OK | MB_ICONERROR);
}

std::string ErrorBoxText(const std::string& message) {
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    return text;
}

void ShowErrorBox(const std::string& message) {
    HWND owner = GetActiveWindow();
    if (!owner) {
        owner = Application::MainWindow();
    }
    ShowMessageBox(owner, ErrorBoxText(message), Application::Title(), MB_OK | MB_ICONERROR);
}
