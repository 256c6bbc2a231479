// The program's message boxes and the common file dialogs, answered through the real modal loops.

#include "ModalAnswerer.h"
#include "TestFolder.h"

#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "platform/Window.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::string ButtonText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

} // namespace

TEST(MessageBoxes, RealMessageBoxReadsBackTheRussianText) {
    ModalAnswerer answer;
    answer.Press(IDOK);
    int result = MessageBoxA(nullptr, "Сохранить изменения?", "Confirm", MB_OKCANCEL);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(answer.Seen().size(), 1u);
    EXPECT_EQ(answer.Seen()[0].caption, "Confirm");
    EXPECT_EQ(answer.Seen()[0].text, "Сохранить изменения?");
}

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
        CreateWindowFor("VeshFailingWindow", "failing", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr, nullptr);
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

namespace {

OPENFILENAMEA FileDialogFor(char* buffer, DWORD size, DWORD flags) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = "Файлы с базой (*.dat)\0*.dat\0";
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = size;
    ofn.lpstrDefExt = "dat";
    ofn.Flags = flags | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    return ofn;
}

} // namespace

TEST(FileDialogs, OpenDialogTakesATypedCyrillicPathAndCancelReturnsNothing) {
    TestFolder folder("Мои вещи");
    std::string path = folder.File("каталог.dat");
    WriteWholeFile(path, "***\r\n");

    char buffer[MAX_PATH] = {};
    OPENFILENAMEA ofn = FileDialogFor(buffer, sizeof buffer, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    {
        ModalAnswerer answer;
        answer.TypePath(path);
        ASSERT_TRUE(GetOpenFileNameA(&ofn));
        EXPECT_EQ(std::string(buffer), path);
        EXPECT_EQ(answer.Pending(), 0u);
    }
    {
        ModalAnswerer answer;
        answer.Press(IDCANCEL);
        buffer[0] = '\0';
        EXPECT_FALSE(GetOpenFileNameA(&ofn));
        EXPECT_EQ(CommDlgExtendedError(), 0u);
    }
}

TEST(FileDialogs, SaveDialogAddsTheDefaultExtensionAndAsksBeforeOverwriting) {
    TestFolder folder("сохранение");
    char buffer[MAX_PATH] = {};
    OPENFILENAMEA ofn = FileDialogFor(buffer, sizeof buffer, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    {
        ModalAnswerer answer;
        answer.TypePath(folder.File("новая"));
        ASSERT_TRUE(GetSaveFileNameA(&ofn));
        EXPECT_EQ(std::string(buffer), folder.File("новая.dat"));
    }
    std::string existing = folder.File("старая.dat");
    WriteWholeFile(existing, "***\r\n");
    {
        // The overwrite question is a message box owned by the file dialog; its wording is the
        // system's, so only its presence is checked. Answering No returns to the file dialog.
        ModalAnswerer answer;
        answer.TypePath(existing).Press(IDNO).Press(IDCANCEL);
        buffer[0] = '\0';
        EXPECT_FALSE(GetSaveFileNameA(&ofn));
        EXPECT_EQ(answer.Seen().size(), 3u);
        EXPECT_FALSE(answer.Seen()[1].text.empty());
    }
    {
        ModalAnswerer answer;
        answer.TypePath(existing).Press(IDYES);
        buffer[0] = '\0';
        ASSERT_TRUE(GetSaveFileNameA(&ofn));
        EXPECT_EQ(std::string(buffer), existing);
    }
}
