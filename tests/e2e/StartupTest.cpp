// The program started as a person starts it, then closed by the window's close request.

#include "Driver.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

std::string ScreenshotPath(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1) + name;
}

} // namespace

TEST(Program, StartsAsANewCatalogueUnderItsTitleAndEndsWithExitCodeZero) {
    TestFolder folder("запуск");
    RunningProgram program(folder.Path());
    HWND main = program.WaitForWindow("Вещехран - new");
    ASSERT_NE(main, nullptr) << "the main window did not appear";

    // The taskbar lists the application window, titled with the product name.
    HWND application = GetWindow(main, GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(RemoteWindowText(application), "Вещехран");

    Sleep(300); // let the first paint finish before the picture is taken
    EXPECT_TRUE(SaveWindowBitmap(main, ScreenshotPath("main-window.bmp")));

    std::vector<RemoteDialog> asked;
    EXPECT_EQ(CloseAndWait(program, main, asked), 0);
    for (const RemoteDialog& dialog : asked) {
        EXPECT_EQ(dialog.caption, "Confirm") << dialog.text;
    }
}
