// The program's message boxes and its general error box, answered through the real modal loops.

#include "ModalAnswerer.h"

#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::string ButtonText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

} // namespace

TEST(MessageBoxes, ConfirmationGoesOnOnlyWithOk) {
    ModalAnswerer answer;
    std::string okText, cancelText;
    answer
        .Then([&](HWND box) {
            okText = ButtonText(box, IDOK);
            cancelText = ButtonText(box, IDCANCEL);
            ClickDialogButton(box, IDOK);
        })
        .Press(IDCANCEL);
    EXPECT_TRUE(ConfirmBox(nullptr, "Удалить пользователя?"));
    EXPECT_FALSE(ConfirmBox(nullptr, "Вернуть ВСЕ предметы?"));
    ASSERT_EQ(answer.Seen().size(), 2u);
    EXPECT_EQ(answer.Seen()[0].caption, "Confirm");
    EXPECT_EQ(answer.Seen()[1].text, "Вернуть ВСЕ предметы?");
    // The buttons read the same on a Russian system as elsewhere.
    EXPECT_EQ(okText, "OK");
    EXPECT_EQ(cancelText, "Cancel");
}

TEST(MessageBoxes, WarningInformationAndErrorHaveTheirCaptionsAndOneButton) {
    ModalAnswerer answer;
    bool hasCancel = true;
    answer
        .Then([&](HWND box) {
            hasCancel = GetDlgItem(box, IDCANCEL) != nullptr && IsWindowVisible(GetDlgItem(box, IDCANCEL));
            ClickDialogButton(box, IDOK);
        })
        .Press(IDOK)
        .Press(IDOK);
    WarningBox(nullptr, "Сохранение не произведено!");
    InformationBox(nullptr, "Ярлык создан.");
    ErrorMessageBox(nullptr, "Нет активных должников для экспорта!");
    ASSERT_EQ(answer.Seen().size(), 3u);
    EXPECT_EQ(answer.Seen()[0].caption, "Warning");
    EXPECT_EQ(answer.Seen()[0].text, "Сохранение не произведено!");
    EXPECT_EQ(answer.Seen()[1].caption, "Information");
    EXPECT_EQ(answer.Seen()[1].text, "Ярлык создан.");
    EXPECT_EQ(answer.Seen()[2].caption, "Error");
    EXPECT_EQ(answer.Seen()[2].text, "Нет активных должников для экспорта!");
    EXPECT_FALSE(hasCancel);
}

TEST(MessageBoxes, NestedAnswerersServeTheirOwnDialogs) {
    ModalAnswerer outer;
    outer.Then([](HWND box) {
        // A second box opened while the first one is up, as a command inside a dialog might.
        ModalAnswerer inner;
        inner.Press(IDOK);
        WarningBox(box, "Внутренний");
        EXPECT_EQ(inner.Seen().size(), 1u);
        ClickDialogButton(box, IDOK);
    });
    InformationBox(nullptr, "Внешний");
    ASSERT_EQ(outer.Seen().size(), 1u);
    EXPECT_EQ(outer.Seen()[0].text, "Внешний");
}

TEST(GeneralErrorBox, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(ErrorBoxText("'' is not a valid integer value"), "'' is not a valid integer value.");
    EXPECT_EQ(ErrorBoxText("Файл не найден"), "Файл не найден.");
    EXPECT_EQ(ErrorBoxText("Готово."), "Готово.");
    EXPECT_EQ(ErrorBoxText("Ошибка!"), "Ошибка!");
    EXPECT_EQ(ErrorBoxText("'12.03.2024' is not a valid date"), "'12.03.2024' is not a valid date.");
    EXPECT_EQ(ErrorBoxText("путь C:\\"), "путь C:\\.");
    EXPECT_EQ(ErrorBoxText("(1)"), "(1)");
    EXPECT_EQ(ErrorBoxText(""), "");
}

namespace {

// A window whose command fails, to see the error reach the general error box at the dispatch.
class FailingWindow : public Window {
  public:
    FailingWindow() {
        RegisterWindowClass("VeshFailingWindow");
        CreateWindowFor("VeshFailingWindow", "failing", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr,
                        nullptr);
    }
    ~FailingWindow() override { DestroyWindow(Handle()); }
    int afterError = 0;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP) {
            throw std::runtime_error("Запись повреждена");
        }
        if (msg == WM_APP + 1) {
            ++afterError;
            return 42;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }
};

} // namespace

TEST(GeneralErrorBox, AnUnhandledErrorIsShownUnderTheApplicationTitleAndTheWindowGoesOn) {
    std::string oldTitle = Application::Title();
    Application::SetTitle("Вещехран");
    FailingWindow window;
    ModalAnswerer answer;
    answer.Press(IDOK);
    SendMessageA(window.Handle(), WM_APP, 0, 0);
    ASSERT_EQ(answer.Seen().size(), 1u);
    EXPECT_EQ(answer.Seen()[0].caption, "Вещехран");
    EXPECT_EQ(answer.Seen()[0].text, "Запись повреждена.");
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP + 1, 0, 0), 42);
    EXPECT_EQ(window.afterError, 1);
    Application::SetTitle(oldTitle);
}
