// The base of the program's windows: an error while a window is being created fails the creation and
// reaches the creator, with no half-built window left behind; later errors are shown and the window
// goes on. Every kind of window object lets go of its window when the window goes.

#include "ModalAnswerer.h"

#include "forms/EditUnit.h"
#include "platform/Window.h"
#include "ui/FlatButton.h"
#include "ui/Splitter.h"
#include "ui/StringGrid.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const char* const kClass = "VeshWindowTest";

class FailingWindow : public Window {
  public:
    explicit FailingWindow(UINT failAt) : failAt_(failAt) {
        RegisterWindowClass(kClass);
        CreateWindowFor(kClass, "failing", WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100, nullptr, nullptr);
    }
    ~FailingWindow() override {
        if (Handle()) {
            DestroyWindow(Handle());
        }
    }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == failAt_) {
            throw std::runtime_error("Не удалось построить окно");
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }

  private:
    UINT failAt_;
};

} // namespace

TEST(WindowBase, AnErrorDuringCreationFailsItAndReachesTheCreator) {
    for (UINT failAt : {static_cast<UINT>(WM_NCCREATE), static_cast<UINT>(WM_CREATE)}) {
        SCOPED_TRACE(failAt);
        ModalAnswerer answerer; // fails the test on any error box
        try {
            FailingWindow window(failAt);
            ADD_FAILURE() << "the window was created";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Не удалось построить окно");
        }
        EXPECT_EQ(FindWindowA(kClass, nullptr), nullptr);
        EXPECT_TRUE(answerer.Seen().empty());
    }
}

TEST(WindowBase, AnErrorAfterCreationIsShownAndTheWindowGoesOn) {
    FailingWindow window(WM_USER);
    ModalAnswerer answerer;
    answerer.Press(IDOK);
    SendMessageA(window.Handle(), WM_USER, 0, 0);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].text, "Не удалось построить окно.");
    EXPECT_TRUE(IsWindow(window.Handle()));
}

// A window, a dialog, a control of the program's own class and two system controls the program extends,
// all inside one window: destroying it tells each object that its window is gone, so none keeps a
// handle that the system may give to another window.
TEST(WindowBase, EveryKindOfWindowObjectLetsGoOfItsWindowWhenTheWindowGoes) {
    FailingWindow window(WM_USER);
    const HWND parent = window.Handle();
    ui::Splitter splitter;
    splitter.Create(parent, 1, ui::Splitter::Orientation::Vertical);
    ui::FlatButton button;
    button.Create(parent, 2, "OK", 0, 0, 60, 22, nullptr, nullptr, 0);
    ui::RecordGrid<int> grid;
    grid.Create(parent, 3, 0, 30, 200, 100, nullptr, {{"Имя", 100}});
    TForm2 dialog(parent);
    for (HWND hwnd : {splitter.Handle(), button.Handle(), grid.Handle(), dialog.Handle()}) {
        EXPECT_TRUE(IsWindow(hwnd));
    }
    // The extended controls still answer as their system classes do.
    EXPECT_EQ(SendMessageA(grid.Handle(), LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(button.Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);

    ModalAnswerer answerer; // fails the test on any error box
    DestroyWindow(parent);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(splitter.Handle(), nullptr);
    EXPECT_EQ(button.Handle(), nullptr);
    EXPECT_EQ(grid.Handle(), nullptr);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_TRUE(answerer.Seen().empty());
}
