// The main window as it starts: title, application title, size and limits.

#include "ModalAnswerer.h"

#include "forms/Main.h"
#include "platform/Application.h"

#include <gtest/gtest.h>

TEST(MainWindow, StartsAsANewCatalogueUnderTheProductName) {
    TForm1 form;
    EXPECT_EQ(form.Caption(), "Вещехран - new");
    EXPECT_EQ(Application::Title(), "Вещехран");
    EXPECT_EQ(WindowText(Application::Handle()), "Вещехран");
    // The main window is owned by the application window, whose button the taskbar shows.
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), Application::Handle());

    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, 192);
    EXPECT_EQ(r.top, 107);
    EXPECT_EQ(r.right - r.left, 698);
    EXPECT_EQ(r.bottom - r.top, 480);

    MINMAXINFO info{};
    SendMessageA(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 696);
    EXPECT_EQ(info.ptMinTrackSize.y, 480);
}
