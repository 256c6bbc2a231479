#include "forms/Main.h"

#include "platform/Application.h"
#include "resources/resource.h"

namespace {

const char* const kMainClass = "TForm1";

// Design geometry of the main window, in pixels.
constexpr int kDesignLeft = 192;
constexpr int kDesignTop = 107;
constexpr int kDesignWidth = 698;
constexpr int kDesignHeight = 480;
constexpr int kMinWidth = 696;
constexpr int kMinHeight = 480;

} // namespace

TForm1::TForm1() {
    RegisterWindowClass(kMainClass, LoadIconA(Application::Instance(), MAKEINTRESOURCEA(IDI_APP)));
    CreateWindowFor(kMainClass, "Вещехран", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, kDesignLeft, kDesignTop,
                    kDesignWidth, kDesignHeight, Application::Handle(), nullptr);
}

TForm1::~TForm1() {
    if (Handle()) {
        DestroyWindow(Handle());
    }
}

void TForm1::Show(int cmdShow) {
    ShowWindow(Handle(), cmdShow);
    UpdateWindow(Handle());
}

void TForm1::Close() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

std::string TForm1::Caption() const {
    char buffer[512] = {};
    GetWindowTextA(Handle(), buffer, sizeof buffer);
    return buffer;
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: FormCreate(); return 0;
    case WM_CLOSE:
        if (FormCloseQuery()) {
            DestroyWindow(Handle());
        }
        return 0;
    case WM_DESTROY: FormDestroy(); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_SYSCOMMAND: {
        LRESULT result = 0;
        OnSysCommand(wParam, lParam, result);
        return result;
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void TForm1::FormCreate() {
    // The window's caption at design time is the product name: it becomes the application title and
    // the base of every window title.
    BaseCaption = Caption();
    Application::SetTitle(BaseCaption);
    SetWindowTextA(Handle(), (BaseCaption + " - new").c_str());

    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lstrcpyA(lf.lfFaceName, "MS Sans Serif");
    font_.reset(CreateFontIndirectA(&lf));
}

void TForm1::FormDestroy() {
    if (Application::MainWindow() == Handle()) {
        PostQuitMessage(0);
    }
}

bool TForm1::FormCloseQuery() { return true; }

void TForm1::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = kMinWidth;
    info->ptMinTrackSize.y = kMinHeight;
}

void TForm1::OnSysCommand(WPARAM command, LPARAM lParam, LRESULT& result) {
    // The taskbar button belongs to the application window: minimizing goes through it.
    if ((command & 0xFFF0) == SC_MINIMIZE && Application::Handle()) {
        Application::Minimize();
        result = 0;
        return;
    }
    result = DefWindowProcA(Handle(), WM_SYSCOMMAND, command, lParam);
}
