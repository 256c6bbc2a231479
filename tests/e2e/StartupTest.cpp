// The program started as a person starts it, then closed by the window's close request.

#include "Driver.h"
#include "Screenshot.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

std::string ScreenshotPath(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1) + name;
}

struct ClassSearch {
    const char* className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, search->className) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The program's top-level window of this class (the main window is "TForm1", the splash "TForm3").
HWND WindowOfClass(const RunningProgram& program, const char* className) {
    ClassSearch search{className};
    EnumThreadWindows(program.ThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Visible(HWND hwnd) {
    return IsWindowVisible(hwnd) != FALSE;
}

} // namespace

// The splash comes first and stays over the main window until its one tick hides it for good.
TEST(Program, StartsUnderItsSplashAsANewCatalogueUnderItsTitleAndEndsWithExitCodeZero) {
    TestFolder folder("запуск");
    RunningProgram program(folder.Path());
    HWND main = nullptr;
    HWND splash = nullptr;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(1)) {
        HWND seenSplash = WindowOfClass(program, "TForm3");
        main = WindowOfClass(program, "TForm1");
        if (main) {
            ASSERT_NE(seenSplash, nullptr) << "the main window was made before the splash";
            ASSERT_TRUE(Visible(seenSplash)) << "the splash is not up while the main window is made";
        }
        if (main && Visible(main)) {
            splash = seenSplash;
            break;
        }
    }
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    EXPECT_EQ(RemoteWindowText(main), "Вещехран - new");
    RECT r{};
    GetWindowRect(splash, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    EXPECT_TRUE(GetWindowLongPtrA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrA(splash, GWL_STYLE) & WS_CAPTION);

    for (DWORD start = GetTickCount(); Visible(splash) && GetTickCount() - start < 10000;) {
        Sleep(50);
    }
    EXPECT_FALSE(Visible(splash)) << "the splash did not go";

    // The taskbar lists the application window, titled with the product name.
    HWND application = GetWindow(main, GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(RemoteWindowText(application), "Вещехран");

    Sleep(300); // let the first paint finish before the picture is taken
    EXPECT_TRUE(SaveWindowBitmap(main, ScreenshotPath("main-window.bmp")));

    // Maximizing, minimizing and restoring the main window leave the splash hidden.
    for (WPARAM command : {SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE}) {
        PostMessageA(main, WM_SYSCOMMAND, command, 0);
        Sleep(300);
        EXPECT_FALSE(Visible(splash)) << "the splash came back";
    }

    std::vector<RemoteDialog> asked;
    EXPECT_EQ(CloseAndWait(program, main, asked), 0);
    for (const RemoteDialog& dialog : asked) {
        EXPECT_EQ(dialog.caption, "Confirm") << dialog.text;
    }
}
