#include "platform/MsgBox.h"

#include "platform/Application.h"
#include "platform/Handles.h"

namespace {

// A Russian system labels the buttons "ОК" and "Отмена"; the program's boxes read "OK" and "Cancel".
// A CBT hook renames them when the box is activated, before it is first painted.
thread_local HHOOK buttonHook = nullptr;

LRESULT CALLBACK RenameButtonsHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[16] = {};
        GetClassNameA(box, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            if (HWND ok = GetDlgItem(box, IDOK)) {
                SetWindowTextA(ok, "OK");
            }
            if (HWND cancel = GetDlgItem(box, IDCANCEL)) {
                SetWindowTextA(cancel, "Cancel");
            }
        }
    }
    return CallNextHookEx(buttonHook, code, wParam, lParam);
}

} // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    unique_hhook hook(SetWindowsHookExA(WH_CBT, RenameButtonsHook, nullptr, GetCurrentThreadId()));
    HHOOK outer = buttonHook;
    buttonHook = hook.get();
    int result = MessageBoxA(owner, text.c_str(), caption.c_str(), type | MB_SETFOREGROUND);
    buttonHook = outer;
    return result;
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
