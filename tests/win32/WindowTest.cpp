// The base of the program's windows: an error while a window is being created fails the creation and
// reaches the creator, with no half-built window left behind; later errors are shown and the window
// goes on.

#include "ModalAnswerer.h"

#include "platform/Window.h"

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
