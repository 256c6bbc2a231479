#include "platform/Application.h"

#include <commctrl.h>

#include "platform/Window.h"

#include <vector>

namespace {

const char* const kAppClass = "VeshchehranApplication";

HINSTANCE instance = nullptr;
HWND mainWindow = nullptr;
HACCEL accelerators = nullptr;
HWND modelessDialog = nullptr;
std::string title;

// The window the taskbar lists, under the application title; closing it asks the main window to close.
class ApplicationWindow : public Window {
  public:
    // The window goes with its object, at the latest when the program ends.
    ~ApplicationWindow() override {
        if (Handle()) {
            DestroyWindow(Handle());
        }
    }

    void Create(HINSTANCE inst, const std::string& caption) {
        RegisterWindowClass(kAppClass, LoadIconA(inst, MAKEINTRESOURCEA(1)));
        const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
        const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
        CreateWindowFor(kAppClass, caption,
                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, x, y, 0, 0,
                        nullptr, nullptr);
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                CloseMainWindow();
                return 0;
            }
            break;
        case WM_CLOSE: CloseMainWindow(); return 0;
        case WM_ACTIVATE:
            // Activating the taskbar button activates the main window (or the dialog it is showing).
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && mainWindow &&
                IsWindowVisible(mainWindow)) {
                HWND popup = GetLastActivePopup(mainWindow);
                SetActiveWindow(popup && IsWindowEnabled(popup) ? popup : mainWindow);
                return 0;
            }
            break;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }

  private:
    static void CloseMainWindow() {
        if (mainWindow) {
            PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        }
    }
};

ApplicationWindow appWindow;

// Tab and Shift+Tab move the keyboard through the main window's controls that have a tab stop, in their
// creation order, into the boxes marked as control parents, past disabled and hidden ones, and around.
// Only this key is taken from the dialog manager: the main window is no dialog, and Enter and Escape
// belong to its tables, not to OK and Cancel.
bool MoveFocusByTab(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !mainWindow || !IsWindowEnabled(mainWindow) ||
        GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    if (GetAncestor(msg.hwnd, GA_ROOT) != mainWindow ||
        (SendMessageA(msg.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB)) {
        return false;
    }
    HWND from = msg.hwnd == mainWindow ? nullptr : msg.hwnd;
    HWND next = GetNextDlgTabItem(mainWindow, from, GetKeyState(VK_SHIFT) < 0);
    if (next && next != from) {
        SetFocus(next);
    }
    return true;
}

bool TranslateForMainWindow(MSG& msg) {
    if (modelessDialog && IsWindow(modelessDialog) && IsDialogMessageA(modelessDialog, &msg)) {
        return true;
    }
    if (MoveFocusByTab(msg)) {
        return true;
    }
    if (accelerators && mainWindow && IsWindowEnabled(mainWindow)) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (root == mainWindow && TranslateAcceleratorA(mainWindow, accelerators, &msg)) {
            return true;
        }
    }
    return false;
}

void Dispatch(MSG& msg) {
    if (!TranslateForMainWindow(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

namespace Application {

void Initialize(HINSTANCE inst) {
    instance = inst;
    // The common controls every window of the program uses: tables, bars, tabs, up-down fields.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    appWindow.Create(instance, title);
}

HINSTANCE Instance() {
    return instance ? instance : GetModuleHandleA(nullptr);
}

HWND Handle() {
    return appWindow.Handle();
}

const std::string& Title() {
    return title;
}

void SetTitle(const std::string& t) {
    title = t;
    if (appWindow.Handle()) {
        SetWindowTextA(appWindow.Handle(), title.c_str());
    }
}

HWND MainWindow() {
    return mainWindow;
}

void SetMainWindow(HWND hwnd) {
    mainWindow = hwnd;
    if (appWindow.Handle() && hwnd) {
        ShowWindow(appWindow.Handle(), SW_SHOWNOACTIVATE);
    }
}

void Minimize() {
    if (appWindow.Handle()) {
        ShowWindow(appWindow.Handle(), SW_MINIMIZE);
    }
}

void SetAccelerators(HACCEL accel) {
    accelerators = accel;
}

void SetModelessDialog(HWND dialog) {
    modelessDialog = dialog;
}

int Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        Dispatch(msg);
    }
    return static_cast<int>(msg.wParam);
}

void ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        Dispatch(msg);
    }
}

std::string ExePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            return std::string(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExeFolder() {
    std::string path = ExePath();
    return path.substr(0, path.find_last_of("\\/:") + 1);
}

} // namespace Application
